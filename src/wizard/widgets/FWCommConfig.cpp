#include "wizard/widgets/FWCommConfig.h"

#include "ui_FWCommConfig.h"

namespace {

constexpr int kTitleId = 335;
constexpr qint16 kAuxiliaryInterface = 0;

} // namespace

FWCommConfig::FWCommConfig(QWidget *parent)
    : CWizardDataPage(parent), m_Ui(std::make_unique<Ui::FWCommConfig>())
{
    m_Ui->setupUi(Body());
    m_InterfaceType.Create(m_Ui->InterfaceType,
                           {m_Ui->optInterfaceType0, m_Ui->optInterfaceType1, m_Ui->optInterfaceType2});
    m_ComPort.Create(m_Ui->ComPort);
    for (QRadioButton *option : {m_Ui->optComPort0, m_Ui->optComPort1, m_Ui->optComPort2, m_Ui->optComPort3})
        m_ComPort.AddOptionButton(option);
}

FWCommConfig::~FWCommConfig() = default;

int FWCommConfig::TitleId() const
{
    return kTitleId;
}

void FWCommConfig::FormActivate()
{
    DataToControls();
    // The live view polls register frames, which the auxiliary interface does not answer.
    m_InterfaceType.Activate(kAuxiliaryInterface, m_Action == 0);
    UpdateWizardButtons();
}

void FWCommConfig::DataToControls()
{
    m_InterfaceType.SetValue(Data().InterfaceType());
    m_ComPort.SetValue(Data().ComPort());
}

void FWCommConfig::ControlsToData()
{
    Data().SetInterfaceType(m_InterfaceType.Value());
    Data().SetComPort(m_ComPort.Value());
}
