#pragma once

#include "common/widgets/OptionButton.h"
#include "model/ModInstr.h"
#include "wizard/widgets/WizardPage.h"

#include <memory>

namespace Ui {
class FWModInstr;
}

// The first page of the configuration wizard: the configuration's name (at most 50 characters,
// the empty name included) and the module fitted in each slot. The instrument model has no
// control: whatever the data held, leaving the page with End, Next or Back records model IXO,
// and Cancel leaves it as it was.
// A KQ module goes in slot C or in slot D, never both: KQ checked in one slot disables KQ in
// the other, and disabling a checked KQ moves that slot to its last enabled option.
//   data slot C KQ, slot D KQ  -> shown and left as slot C Z8/Z9, slot D KQ
// Slot B offers none, QZ and ZQ only. A KQ in slot B (decoded from an instrument that is no
// IXO) shows no slot B option checked and is written back as KQ unless the user checks one.
class FWModInstr : public CWizardDataPage<CModInstr>
{
    Q_OBJECT

public:
    explicit FWModInstr(QWidget *parent = nullptr);
    ~FWModInstr() override;

    // 1 in the receive-edit-transmit runs; the page looks and works the same for every value.
    qint16 Action() const { return m_Action; }
    void SetAction(qint16 action) { m_Action = action; }

protected:
    int TitleId() const override;
    void DataToControls() override;
    void ControlsToData() override;

private:
    void SlotCChange();
    void SlotDChange();

    std::unique_ptr<Ui::FWModInstr> m_Ui;
    COptionButton m_SlotA;
    COptionButton m_SlotB;
    COptionButton m_SlotC;
    COptionButton m_SlotD;
    qint16 m_Action = 0;
};
