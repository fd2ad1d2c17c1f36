#include "wizard/widgets/FWFiltroDigitale.h"

#include "wizard/widgets/MeasureSpinControl.h"

#include "ui_FWFiltroDigitale.h"

namespace {

constexpr int kTitleId = 503;
constexpr qint16 kCampoMax = 32767;
constexpr qint16 kCoeffMin = 1;
constexpr qint16 kCoeffMax = 32;
constexpr qint16 kStep = 1;

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
    SetMeasureSpin(m_Campo, MeasureSpin(EMeasureValue::FilterRange, Data()));
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
