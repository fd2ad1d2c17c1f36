#include "wizard/widgets/FWDisplay.h"

#include "model/ModuleCodes.h"

#include "ui_FWDisplay.h"

namespace {

constexpr int kTitleId = 518;
constexpr qint16 kPasswordMin = 0;
constexpr qint16 kPasswordMax = 9000;

} // namespace

FWDisplay::FWDisplay(QWidget *parent) : CWizardDataPage(parent), m_Ui(std::make_unique<Ui::FWDisplay>())
{
    m_Ui->setupUi(Body());
    m_DisplayDigit.Create(m_Ui->DisplayDigit);
    for (QRadioButton *option : {m_Ui->optDisplayDigit0, m_Ui->optDisplayDigit1})
        m_DisplayDigit.AddOptionButton(option);
    m_DisplayColor.Create(m_Ui->DisplayColor);
    for (QRadioButton *option : {m_Ui->optDisplayColor0, m_Ui->optDisplayColor1, m_Ui->optDisplayColor2})
        m_DisplayColor.AddOptionButton(option);
    m_Password.Create(m_Ui->txtPassword, m_Ui->UpDown1, kPasswordMin, kPasswordMax, 1, 1, true, false);
}

FWDisplay::~FWDisplay() = default;

int FWDisplay::TitleId() const
{
    return kTitleId;
}

void FWDisplay::FormActivate()
{
    m_DisplayDigit.ActivateGroup(Data().ModelloStrumento() == Modello::EKA35);
    m_DisplayColor.ActivateGroup(Data().ModelloStrumento() == Modello::EKA40);
    DataToControls();
    UpdateWizardButtons();
}

void FWDisplay::DataToControls()
{
    m_DisplayDigit.SetValue(Data().DisplayDigit());
    m_DisplayColor.SetValue(Data().DisplayColor());
    m_Password.SetValue(Data().Password());
}

void FWDisplay::ControlsToData()
{
    Data().SetDisplayDigit(m_DisplayDigit.Value());
    Data().SetDisplayColor(m_DisplayColor.Value());
    Data().SetPassword(m_Password.Value());
}
