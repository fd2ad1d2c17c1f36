#include "wizard/widgets/FWRangeQEM.h"

#include "common/ResString.h"
#include "model/ModuleCodes.h"

#include "ui_FWRangeQEM.h"

namespace {

constexpr int kTitleId = 416;
// "Display hold", "Keypad lock", "Alarm reset with latch": item data 0, 1, 2.
constexpr int kFirstFunctionId = 424;
constexpr int kFunctionCount = 3;

constexpr qint16 kCJCAutomatic = 0;
constexpr qint16 kCJCManual = 1;
constexpr qint16 kTempCJCMin = 0;
constexpr qint16 kTempCJCMax = 50;
const QString kCelsius = QStringLiteral("°C");

} // namespace

FWRangeQEM::FWRangeQEM(QWidget *parent) : CWizardDataPage(parent), m_Ui(std::make_unique<Ui::FWRangeQEM>())
{
    m_Ui->setupUi(Body());
    m_ProbeSelect.Create(m_Ui->ProbeSelect,
                         {m_Ui->optProbeSelect0, m_Ui->optProbeSelect1, m_Ui->optProbeSelect2});
    m_CJC.Create(m_Ui->CJC, {m_Ui->optCJC0, m_Ui->optCJC1});
    m_TempCJC.Create(m_Ui->txtTempCJC, m_Ui->UpDown1, kTempCJCMin, kTempCJCMax, 1, 10, true, false);
    m_TempCJC.SetDataFormat(QStringLiteral("#0"));
    m_TempCJC.SetUnitaMisura(kCelsius);
    m_RangeTC.Create(m_Ui->RangeTC, {m_Ui->optRangeTC0, m_Ui->optRangeTC1, m_Ui->optRangeTC2,
                                     m_Ui->optRangeTC3, m_Ui->optRangeTC4, m_Ui->optRangeTC5});
    m_RangeRTD.Create(m_Ui->RangeRTD, {m_Ui->optRangeRTD0, m_Ui->optRangeRTD1, m_Ui->optRangeRTD2,
                                       m_Ui->optRangeRTD3, m_Ui->optRangeRTD4, m_Ui->optRangeRTD5});
    m_RangeRES.Create(m_Ui->RangeRES, {m_Ui->optRangeRES0, m_Ui->optRangeRES1, m_Ui->optRangeRES2,
                                       m_Ui->optRangeRES3, m_Ui->optRangeRES4, m_Ui->optRangeRES5});
    m_Funzione.Create(m_Ui->cmbFunzione);
    for (int i = 0; i < kFunctionCount; ++i)
        m_Funzione.AddText(LoadResString(kFirstFunctionId + i), i);
    connect(&m_ProbeSelect, &COptionButton::Change, this, &FWRangeQEM::ProbeSelectChange);
    connect(&m_CJC, &COptionButton::Change, this, &FWRangeQEM::CJCChange);
}

FWRangeQEM::~FWRangeQEM() = default;

int FWRangeQEM::TitleId() const
{
    return kTitleId;
}

void FWRangeQEM::DataToControls()
{
    // The controls outlive a show, so a group set to the option it already had raises no
    // Change: the two rules run here once whatever the groups held.
    m_CJC.SetValue(Data().CJC());
    CJCChange();
    m_ProbeSelect.SetValue(Data().ProbeSelect());
    ProbeSelectChange();
    m_TempCJC.SetValue(Data().TempCJC());
    for (COptionButton *range : {&m_RangeTC, &m_RangeRTD, &m_RangeRES})
        range->SetValue(Data().Range());
    m_Funzione.SetItemData(Data().DigitalInFunction());
}

void FWRangeQEM::ControlsToData()
{
    Data().SetCJC(m_CJC.Value());
    const qint16 probe = m_ProbeSelect.Value();
    Data().SetProbeSelect(probe);
    Data().SetTempCJC(m_TempCJC.Value());
    if (probe == Probe::Thermocouple)
        Data().SetRange(m_RangeTC.Value());
    else if (probe == Probe::RTD)
        Data().SetRange(m_RangeRTD.Value());
    else if (probe == Probe::Resistance)
        Data().SetRange(m_RangeRES.Value());
    Data().SetDigitalInFunction(qint16(m_Funzione.ItemData()));
}

void FWRangeQEM::ProbeSelectChange()
{
    const qint16 probe = m_ProbeSelect.Value();
    m_RangeTC.ActivateGroup(probe == Probe::Thermocouple);
    m_RangeRTD.ActivateGroup(probe == Probe::RTD);
    m_RangeRES.ActivateGroup(probe == Probe::Resistance);
    if (probe == Probe::RTD || probe == Probe::Resistance)
        m_CJC.SetValue(kCJCAutomatic);
    m_CJC.ActivateGroup(probe == Probe::Thermocouple);
}

void FWRangeQEM::CJCChange()
{
    m_TempCJC.SetEnabled(m_CJC.Value() == kCJCManual);
}
