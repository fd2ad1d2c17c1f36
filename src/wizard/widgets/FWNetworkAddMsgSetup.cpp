#include "wizard/widgets/FWNetworkAddMsgSetup.h"

#include "ui_FWNetworkAddMsgSetup.h"

namespace {

constexpr int kTitleId = 591;
constexpr qint16 kLowestAddress = 1;
constexpr qint16 kHighestAddress = 255;
constexpr qint16 kStep = 1;

// Option positions, which are the stored values.
constexpr qint16 kSingleInstrument = 0;
constexpr qint16 kWholeNetwork = 1;
constexpr qint16 kAutomaticAddress = 0;
constexpr qint16 kManualAddress = 1;

// The interface types the rules hand over: the PC link's own, plus 3 in the
// receive-edit-transmit wizard.
constexpr qint16 kRS232 = 1;
constexpr qint16 kRS485 = 2;
constexpr qint16 kRS232RxTx = 4;

constexpr qint16 kLiveViewAction = 1;

} // namespace

FWNetworkAddMsgSetup::FWNetworkAddMsgSetup(QWidget *parent)
    : CWizardDataPage(parent), m_Ui(std::make_unique<Ui::FWNetworkAddMsgSetup>())
{
    m_Ui->setupUi(Body());
    m_ModeConfig.Create(m_Ui->frmModeConfig, {m_Ui->optConfigSingleInstr, m_Ui->optConfigNetworkInstr});
    m_SelNetworkAdd.Create(m_Ui->frmSelNetworkAdd, {m_Ui->optAutomatic, m_Ui->optManual});
    m_NetworkAdd.Create(m_Ui->txtNetworkAdd, m_Ui->UpDown1, kLowestAddress, kHighestAddress, kStep, kStep,
                        true);
    m_TotalInstrNetwork.Create(m_Ui->txtTotalInstrNetwork, m_Ui->UpDown2, kLowestAddress, kHighestAddress,
                               kStep, kStep, true);
    connect(&m_ModeConfig, &COptionButton::Change, this, &FWNetworkAddMsgSetup::ModeConfigChange);
    connect(&m_SelNetworkAdd, &COptionButton::Change, this, &FWNetworkAddMsgSetup::SelNetworkAddChange);
}

FWNetworkAddMsgSetup::~FWNetworkAddMsgSetup() = default;

int FWNetworkAddMsgSetup::TitleId() const
{
    return kTitleId;
}

void FWNetworkAddMsgSetup::FormLoad()
{
    // Every show starts from the form as designed, all enabled, so that what the rules
    // disabled for one interface type never outlives a change of it.
    for (QWidget *control : Body()->findChildren<QWidget *>())
        control->setEnabled(true);
}

void FWNetworkAddMsgSetup::FormActivate()
{
    DataToControls();
    UpdateWizardButtonsSettingDefault();
    InterfaceRule();
}

void FWNetworkAddMsgSetup::DataToControls()
{
    // Setting a group runs its rule as a click does, also when the option was checked already.
    // The mode rule runs once both groups are set: a stored address choice that it disables (the
    // automatic search over RS 485) then moves to the manual address instead of staying
    // selected though greyed.
    m_ModeConfig.SetValue(Data().ModeConfig());
    m_SelNetworkAdd.SetValue(Data().SelNetworkAdd());
    ModeConfigChange();
    SelNetworkAddChange();
    m_NetworkAdd.SetValue(Data().NetworkAdd());
    m_TotalInstrNetwork.SetValue(Data().TotalInstrNetwork());
}

void FWNetworkAddMsgSetup::ControlsToData()
{
    Data().SetModeConfig(m_ModeConfig.Value());
    Data().SetSelNetworkAdd(m_SelNetworkAdd.Value());
    Data().SetNetworkAdd(m_NetworkAdd.Value());
    Data().SetTotalInstrNetwork(m_TotalInstrNetwork.Value());
}

void FWNetworkAddMsgSetup::InterfaceRule()
{
    const qint16 it = Data().InterfaceType();
    if (m_Action == kLiveViewAction) {
        m_ModeConfig.Activate(kSingleInstrument, it == kRS232);
        m_ModeConfig.Activate(kWholeNetwork, it == kRS485);
        m_SelNetworkAdd.ActivateGroup(it == kRS232);
        m_NetworkAdd.SetEnabled(it == kRS232 && m_SelNetworkAdd.Value() == kManualAddress);
        EnableCount(it == kRS485);
    } else {
        m_ModeConfig.Activate(kWholeNetwork, it == kRS485);
    }
}

void FWNetworkAddMsgSetup::ModeConfigChange()
{
    if (m_Action != 0)
        return;
    const qint16 it = Data().InterfaceType();
    const bool single = m_ModeConfig.Value() == kSingleInstrument;
    m_SelNetworkAdd.ActivateGroup(single);
    // The address search probes every address, which only a line to one instrument allows.
    m_SelNetworkAdd.Activate(kAutomaticAddress, single && (it == kRS232 || it == kRS232RxTx));
    m_NetworkAdd.SetEnabled(single && m_SelNetworkAdd.Value() == kManualAddress);
    EnableCount(!single);
}

void FWNetworkAddMsgSetup::SelNetworkAddChange()
{
    m_NetworkAdd.SetEnabled(m_SelNetworkAdd.Value() == kManualAddress);
}

void FWNetworkAddMsgSetup::EnableCount(bool enabled)
{
    m_Ui->frmTotalInstrNetwork->setEnabled(enabled);
    m_TotalInstrNetwork.SetEnabled(enabled);
}
