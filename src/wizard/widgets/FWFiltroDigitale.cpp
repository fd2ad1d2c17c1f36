#include "wizard/widgets/FWFiltroDigitale.h"

#include "common/TraceCode.h"
#include "model/ModuleCodes.h"
#include "model/ScaleTables.h"

#include "ui_FWFiltroDigitale.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kTitleId = 503;
constexpr qint16 kCampoMax = 32767;
constexpr qint16 kCoeffMin = 1;
constexpr qint16 kCoeffMax = 32;
constexpr qint16 kStep = 1;
// The 9990 display of the EKA 35 shows tens only.
constexpr qint16 kTensStep = 10;

} // namespace

FWFiltroDigitale::FWFiltroDigitale(QWidget *parent)
    : CWizardDataPage(parent), m_Ui(std::make_unique<Ui::FWFiltroDigitale>())
{
    m_Ui->setupUi(Body());
    m_Campo.Create(m_Ui->txtCampo, m_Ui->UpDown1, 0, kCampoMax, kStep, kStep, true);
    m_Campo.SetUnitaMisura(QString());
    m_Coeff.Create(m_Ui->txtCoeff, m_Ui->UpDown2, kCoeffMin, kCoeffMax, kStep, kStep, true);
    m_Coeff.SetMoltiplicatore(1.0f);
}

FWFiltroDigitale::~FWFiltroDigitale() = default;

int FWFiltroDigitale::TitleId() const
{
    return kTitleId;
}

void FWFiltroDigitale::FormActivate()
{
    SetCampoSpinRange();
    DataToControls();
    UpdateWizardButtons();
}

void FWFiltroDigitale::SetCampoSpinRange()
{
    const CFiltroDigitale &filtro = Data();
    // A falling scale is as wide as the rising one; the width can exceed 16 bits
    // (-20000..20000), every cap below is far under that.
    const int width = std::abs(int(filtro.MaxMeasureScale()) - int(filtro.MinMeasureScale()));
    int cap = 1999;
    qint16 step = kStep;
    if (filtro.ModelloStrumento() != Modello::EKA35) {
        cap = 9999;
    } else if (filtro.DisplayDigit() == DisplayDigits::Digits9990) {
        cap = 9990;
        step = kTensStep;
    }
    m_Campo.SetMin(0);
    m_Campo.SetMax(qint16(std::min(width, cap)));
    m_Campo.SetIncrementoLento(step);

    // A decimal point the tables do not have (only a damaged row holds one) shows whole
    // counts; the stored point is left as it is.
    const qint16 dp = filtro.MeasureDigitalPoint();
    const bool known = IsDecimalPoint(dp);
    if (!known)
        g_Trace->BugMessage(
            QStringLiteral("FWFiltroDigitale: punto decimale %1 fuori campo, valori senza decimali").arg(dp));
    m_Campo.SetMoltiplicatore(known ? float(g_DecPointFactor[dp]) : 1.0f);
    m_Campo.SetDataFormat(known ? g_DecPointFormat[dp] : QStringLiteral("###0"));
}

void FWFiltroDigitale::DataToControls()
{
    m_Campo.SetValue(Data().Campo());
    m_Coeff.SetValue(Data().Coeff());
}

void FWFiltroDigitale::ControlsToData()
{
    Data().SetCampo(m_Campo.Value());
    Data().SetCoeff(m_Coeff.Value());
}
