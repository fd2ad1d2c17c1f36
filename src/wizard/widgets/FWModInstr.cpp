#include "wizard/widgets/FWModInstr.h"

#include "model/ModuleCodes.h"

#include "ui_FWModInstr.h"

namespace {

constexpr int kTitleId = 382;

} // namespace

FWModInstr::FWModInstr(QWidget *parent) : CWizardDataPage(parent), m_Ui(std::make_unique<Ui::FWModInstr>())
{
    m_Ui->setupUi(Body());
    m_SlotA.Create(m_Ui->SlotA);
    for (QRadioButton *option : {m_Ui->optSlotA0, m_Ui->optSlotA1, m_Ui->optSlotA2, m_Ui->optSlotA3})
        m_SlotA.AddOptionButton(option);
    m_SlotB.Create(m_Ui->SlotB);
    for (QRadioButton *option : {m_Ui->optSlotB0, m_Ui->optSlotB1, m_Ui->optSlotB2})
        m_SlotB.AddOptionButton(option);
    m_SlotC.Create(m_Ui->SlotC);
    for (QRadioButton *option :
         {m_Ui->optSlotC0, m_Ui->optSlotC1, m_Ui->optSlotC2, m_Ui->optSlotC3, m_Ui->optSlotC4})
        m_SlotC.AddOptionButton(option);
    m_SlotD.Create(m_Ui->SlotD);
    for (QRadioButton *option : {m_Ui->optSlotD0, m_Ui->optSlotD1})
        m_SlotD.AddOptionButton(option);
    connect(&m_SlotC, &COptionButton::Change, this, &FWModInstr::SlotCChange);
    connect(&m_SlotD, &COptionButton::Change, this, &FWModInstr::SlotDChange);
}

FWModInstr::~FWModInstr() = default;

int FWModInstr::TitleId() const
{
    return kTitleId;
}

void FWModInstr::DataToControls()
{
    // The controls outlive a show, and a slot set to the option it had, or to a code without
    // an option, raises no Change: the KQ rule runs after each slot is set whatever it held.
    m_Ui->txtProgramName->setText(Data().NomeProgramma());
    m_SlotA.SetValue(Data().SlotA());
    m_SlotB.SetValue(Data().SlotB());
    m_SlotC.SetValue(Data().SlotC());
    SlotCChange();
    m_SlotD.SetValue(Data().SlotD());
    SlotDChange();
}

void FWModInstr::ControlsToData()
{
    Data().SetNomeProgramma(m_Ui->txtProgramName->text());
    Data().SetModelloStrumento(Modello::IXO);
    Data().SetSlotA(m_SlotA.Value());
    Data().SetSlotB(m_SlotB.Value());
    Data().SetSlotC(m_SlotC.Value());
    Data().SetSlotD(m_SlotD.Value());
}

void FWModInstr::SlotCChange()
{
    m_SlotD.Activate(SlotDModule::KQ, m_SlotC.Value() != SlotCModule::KQ);
}

void FWModInstr::SlotDChange()
{
    m_SlotC.Activate(SlotCModule::KQ, m_SlotD.Value() != SlotDModule::KQ);
}
