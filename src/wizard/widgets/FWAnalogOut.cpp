#include "wizard/widgets/FWAnalogOut.h"

#include "ui_FWAnalogOut.h"

namespace {

constexpr int kTitleId = 526;
constexpr qint16 kFullOutput = 1000; // tenths of a percent

void CreatePercentSpin(CTextSpin &spin, QLineEdit *box, UpDownControl *arrows)
{
    spin.Create(box, arrows, 0, kFullOutput, 1, 1, true);
    spin.SetMoltiplicatore(0.1f);
    spin.SetDataFormat(QStringLiteral("##0.0"));
    spin.SetUnitaMisura(QStringLiteral("%"));
}

} // namespace

FWAnalogOut::FWAnalogOut(QWidget *parent) : CWizardDataPage(parent), m_Ui(std::make_unique<Ui::FWAnalogOut>())
{
    m_Ui->setupUi(Body());
    CreatePercentSpin(m_MaxOut, m_Ui->txtMaxOut, m_Ui->UpDown1);
    CreatePercentSpin(m_MinOut, m_Ui->txtMinOut, m_Ui->UpDown2);
    m_TypeSignalOut.Create(m_Ui->TypeSignalOut, {m_Ui->optTypeSignalOut0, m_Ui->optTypeSignalOut1});
}

FWAnalogOut::~FWAnalogOut() = default;

int FWAnalogOut::TitleId() const
{
    return kTitleId;
}

void FWAnalogOut::DataToControls()
{
    m_MaxOut.SetValue(Data().MaxOut());
    m_MinOut.SetValue(Data().MinOut());
    m_TypeSignalOut.SetValue(Data().TypeSignalOut());
}

void FWAnalogOut::ControlsToData()
{
    Data().SetMaxOut(m_MaxOut.Value());
    Data().SetMinOut(m_MinOut.Value());
    Data().SetTypeSignalOut(m_TypeSignalOut.Value());
}
