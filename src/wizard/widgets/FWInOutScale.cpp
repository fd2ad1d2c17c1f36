#include "wizard/widgets/FWInOutScale.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/MessageBox.h"
#include "wizard/widgets/MeasureSpinControl.h"

#include "ui_FWInOutScale.h"

#include <limits>

namespace {

constexpr int kTitleId = 490;
constexpr int kElectricScaleOrderId = 797;
constexpr qint16 kMeasureTypeDC = 1;
constexpr qint16 kElectricMax = 32767;
constexpr qint16 kMeasureLimit = 9999;
const QString kPlainFormat = QStringLiteral("###0");

// An electrical spin shows counts as the range reads them: count x step, in its format and unit.
void SetSpinFormat(CTextSpin &spin, const ScaleRangeInfo &range)
{
    spin.SetMin(range.Min);
    spin.SetMax(range.Max);
    spin.SetMoltiplicatore(float(range.Step));
    spin.SetDataFormat(range.Format);
    spin.SetUnitaMisura(range.Unit);
}

} // namespace

FWInOutScale::FWInOutScale(QWidget *parent)
    : CWizardDataPage(parent), m_Ui(std::make_unique<Ui::FWInOutScale>())
{
    m_Ui->setupUi(Body());
    m_MinElectricScale.Create(m_Ui->txtMinElectricScale, m_Ui->UpDown1, 0, kElectricMax, 1, 1, true);
    m_MaxElectricScale.Create(m_Ui->txtMaxElectricScale, m_Ui->UpDown2, 0, kElectricMax, 1, 1, true);
    m_MeasureDigitalPoint.Create(m_Ui->cmbMeasureDigitalPoint);
    for (qint32 point = 0; point < qint32(g_DecPointSample.size()); ++point)
        m_MeasureDigitalPoint.AddText(g_DecPointSample[point], point);
    m_MinMeasureScale.Create(m_Ui->txtMinMeasureScale, m_Ui->UpDown3, -kMeasureLimit, kMeasureLimit, 1, 1,
                             true);
    m_MaxMeasureScale.Create(m_Ui->txtMaxMeasureScale, m_Ui->UpDown4, -kMeasureLimit, kMeasureLimit, 1, 1,
                             true);
    m_Linearizzazione.Create(m_Ui->Linearizzazione, {m_Ui->optLinearizzazione0, m_Ui->optLinearizzazione1});
    connect(&m_MeasureDigitalPoint, &CComboBox::Change, this,
            [this] { SetMeasureSpins(m_MeasureDigitalPoint.Value()); });
}

FWInOutScale::~FWInOutScale() = default;

int FWInOutScale::TitleId() const
{
    return kTitleId;
}

void FWInOutScale::FormActivate()
{
    m_Linearizzazione.ActivateGroup(Data().LinearizationAvailable());
    SetScaleLimits();
    CWizardDataPage::FormActivate();
}

void FWInOutScale::SetScaleLimits()
{
    const std::optional<ScaleRangeInfo> range = Data().GetScaleRange();
    if (range) {
        SetSpinFormat(m_MinElectricScale, *range);
        SetSpinFormat(m_MaxElectricScale, *range);
        // A DC input may run negative as far as the range runs positive.
        if (Data().SlotA() != SlotAModule::QEM && Data().MeasureType() == kMeasureTypeDC) {
            for (CTextSpin *spin : {&m_MinElectricScale, &m_MaxElectricScale})
                spin->SetMin(qint16(-spin->Max()));
        }
    } else {
        // Without a range the counts are still worth keeping: every 16-bit count, as a bare number.
        g_Trace->BugMessage(QStringLiteral("Nessun campo elettrico per ModelloStrumento=%1 SlotA=%2 "
                                           "ProbeSelect=%3 Range=%4: scala elettrica a 16 bit")
                                .arg(Data().ModelloStrumento())
                                .arg(Data().SlotA())
                                .arg(Data().ProbeSelect())
                                .arg(Data().Range()));
        const ScaleRangeInfo counts{std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max(),
                                    1.0, kPlainFormat, QString()};
        SetSpinFormat(m_MinElectricScale, counts);
        SetSpinFormat(m_MaxElectricScale, counts);
    }
    SetMeasureSpins(Data().MeasureDigitalPoint());
}

void FWInOutScale::SetMeasureSpins(qint16 point)
{
    // The point comes from the list while the page shows: the counts stay, only the decimal
    // point of the shown text moves.
    CMeasureContext scale;
    scale.SetModelloStrumento(Data().ModelloStrumento());
    scale.SetDisplayDigit(Data().DisplayDigit());
    scale.SetMeasureDigitalPoint(point);
    const CMeasureSpin end = MeasureSpin(EMeasureValue::ScaleEnd, scale);
    SetMeasureSpin(m_MinMeasureScale, end);
    SetMeasureSpin(m_MaxMeasureScale, end);
}

void FWInOutScale::DataToControls()
{
    m_MinElectricScale.SetValue(Data().MinElectricScale());
    m_MaxElectricScale.SetValue(Data().MaxElectricScale());
    // Formats the measure spins before their values arrive.
    m_MeasureDigitalPoint.SetItemData(Data().MeasureDigitalPoint());
    m_MinMeasureScale.SetValue(Data().MinMeasureScale());
    m_MaxMeasureScale.SetValue(Data().MaxMeasureScale());
    m_Linearizzazione.SetValue(Data().Linearizzazione());
    if (!Data().LinearizationAvailable())
        m_Linearizzazione.SetValue(0);
}

void FWInOutScale::ControlsToData()
{
    Data().SetMinElectricScale(m_MinElectricScale.Value());
    Data().SetMaxElectricScale(m_MaxElectricScale.Value());
    Data().SetMeasureDigitalPoint(qint16(m_MeasureDigitalPoint.ItemData()));
    Data().SetMinMeasureScale(m_MinMeasureScale.Value());
    Data().SetMaxMeasureScale(m_MaxMeasureScale.Value());
    Data().SetLinearizzazione(m_Linearizzazione.Value());
}

bool FWInOutScale::ValidateData()
{
    if (m_MinElectricScale.Value() < m_MaxElectricScale.Value())
        return true;
    ShowMessage(this,
                {QMessageBox::Critical, QString(), LoadResString(kElectricScaleOrderId), QMessageBox::Ok});
    return false;
}
