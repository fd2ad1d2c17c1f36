#include "wizard/widgets/FWRangeVABZOB.h"

#include "model/ModuleCodes.h"

#include "ui_FWRangeVABZOB.h"

#include <QRadioButton>

namespace {

constexpr int kVABTitleId = 442;
constexpr int kZOBTitleId = 443;

constexpr qint16 kIntegrationManual = 1;
constexpr qint16 kIntTimeMin = 1000;
constexpr qint16 kIntTimeMax = 9999;
const QString kMilliseconds = QStringLiteral("ms");

// A group that does not apply shows no option, as its frame was designed.
void ClearOptions(const QWidget *frame)
{
    for (QRadioButton *option : frame->findChildren<QRadioButton *>()) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

} // namespace

FWRangeVABZOB::FWRangeVABZOB(QWidget *parent)
    : CWizardDataPage(parent), m_Ui(std::make_unique<Ui::FWRangeVABZOB>())
{
    m_Ui->setupUi(Body());
    m_RangeVABVAK.Create(m_Ui->RangeVABVAK,
                         {m_Ui->optRangeVABVAK0, m_Ui->optRangeVABVAK1, m_Ui->optRangeVABVAK2,
                          m_Ui->optRangeVABVAK3, m_Ui->optRangeVABVAK4, m_Ui->optRangeVABVAK5});
    m_RangeZOB.Create(m_Ui->RangeZOB, {m_Ui->optRangeZOB0, m_Ui->optRangeZOB1, m_Ui->optRangeZOB2,
                                       m_Ui->optRangeZOB3, m_Ui->optRangeZOB4, m_Ui->optRangeZOB5});
    m_MeasureType.Create(m_Ui->MeasureType, {m_Ui->optMeasureType0, m_Ui->optMeasureType1});
    m_IntegrationTime.Create(m_Ui->IntegrationTime, {m_Ui->optIntegrationTime0, m_Ui->optIntegrationTime1});
    m_IntTime.Create(m_Ui->txtIntTime, m_Ui->UpDown1, kIntTimeMin, kIntTimeMax, 1, 10, true, false);
    m_IntTime.SetMoltiplicatore(0.1f);
    m_IntTime.SetDataFormat(QStringLiteral("##0.0"));
    m_IntTime.SetUnitaMisura(kMilliseconds);
    m_DigitalInFunction.Create(
        m_Ui->DigitalInFunction,
        {m_Ui->optDigitalInFunction0, m_Ui->optDigitalInFunction1, m_Ui->optDigitalInFunction2});
    connect(&m_IntegrationTime, &COptionButton::Change, this, &FWRangeVABZOB::IntegrationTimeChange);
}

FWRangeVABZOB::~FWRangeVABZOB() = default;

bool FWRangeVABZOB::LowLevelModule() const
{
    return Data().SlotA() == SlotAModule::VAB || Data().SlotA() == SlotAModule::VAKVAM;
}

int FWRangeVABZOB::TitleId() const
{
    return Data().SlotA() == SlotAModule::ZOB ? kZOBTitleId : kVABTitleId;
}

void FWRangeVABZOB::DataToControls()
{
    m_RangeVABVAK.ActivateGroup(LowLevelModule());
    m_RangeZOB.ActivateGroup(Data().SlotA() == SlotAModule::ZOB);
    if (LowLevelModule()) {
        m_RangeVABVAK.SetValue(Data().Range());
        ClearOptions(m_Ui->RangeZOB);
    } else {
        m_RangeZOB.SetValue(Data().Range());
        ClearOptions(m_Ui->RangeVABVAK);
    }
    m_MeasureType.SetValue(Data().MeasureType());
    m_IntegrationTime.SetValue(Data().IntegrationTime());
    // Set to the option it already had, the group raises no Change.
    IntegrationTimeChange();
    m_IntTime.SetValue(Data().IntTime());
    m_DigitalInFunction.SetValue(Data().DigitalInFunction());
}

void FWRangeVABZOB::ControlsToData()
{
    Data().SetRange(LowLevelModule() ? m_RangeVABVAK.Value() : m_RangeZOB.Value());
    Data().SetMeasureType(m_MeasureType.Value());
    Data().SetIntegrationTime(m_IntegrationTime.Value());
    Data().SetIntTime(m_IntTime.Value());
    Data().SetDigitalInFunction(m_DigitalInFunction.Value());
}

void FWRangeVABZOB::IntegrationTimeChange()
{
    m_IntTime.SetEnabled(m_IntegrationTime.Value() == kIntegrationManual);
}
