#include "WidgetForm_fixture.h"

#include "common/widgets/CheckBox.h"
#include "common/widgets/ComboBox.h"
#include "common/widgets/OptionButton.h"
#include "common/widgets/TextSpin.h"
#include "platform/widgets/UpDownControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

enum class Wrapper { Combo, Option, Check, Spin };

// Each wrapper asks its owner when the user takes the focus out of it after a change; a refusal
// brings the focus back to the control left, a consent lets it go.
class FocusValidation : public WidgetForm, public ::testing::WithParamInterface<Wrapper>
{
protected:
    QGroupBox *frame = new QGroupBox(&form);
    QLineEdit *other = new QLineEdit(&form);
    CComboBox combo;
    COptionButton options;
    CCheckBox checks;
    CTextSpin spin;
};

TEST_P(FocusValidation, RefusalKeepsTheFocusAndConsentLetsItGo)
{
    int asked = 0;
    bool refuse = false;
    const auto ask = [&](bool &cancel) {
        ++asked;
        cancel = refuse;
    };
    QWidget *control = nullptr, *inside = nullptr; // inside: another control of the same group
    std::function<void()> change;
    switch (GetParam()) {
    case Wrapper::Combo: {
        auto *list = new QComboBox(&form);
        combo.Create(list);
        for (const char *text : {"A", "B", "C"})
            combo.AddText(text, 0);
        combo.SetValue(0);
        QObject::connect(&combo, &CComboBox::ChangeValidate, ask);
        control = list;
        change = [list] { list->setCurrentIndex(list->currentIndex() % 2 + 1); };
        break;
    }
    case Wrapper::Option: {
        QRadioButton *buttons[3];
        options.Create(frame);
        for (QRadioButton *&button : buttons)
            options.AddOptionButton(button = new QRadioButton(frame));
        options.SetValue(0);
        QObject::connect(&options, &COptionButton::ChangeValidate, ask);
        control = buttons[0];
        inside = buttons[2];
        change = [this, buttons] { buttons[(options.Value() + 1) % 3]->click(); };
        break;
    }
    case Wrapper::Check: {
        checks.Create(frame);
        QCheckBox *boxes[2] = {new QCheckBox(frame), new QCheckBox(frame)};
        for (QCheckBox *box : boxes)
            checks.AddCheckBox(box);
        QObject::connect(&checks, &CCheckBox::ChangeValidate, ask);
        control = boxes[0];
        inside = boxes[1];
        change = [box = boxes[0]] { box->toggle(); }; // not a click: the boxes no longer match Value
        break;
    }
    case Wrapper::Spin:
        control = new QLineEdit(&form);
        spin.Create(static_cast<QLineEdit *>(control), new UpDownControl(&form), 0, 100, 1, 10, true, false);
        QObject::connect(&spin, &CTextSpin::ChangeValidate, ask);
        change = [] {};
        break;
    }
    ShowForm();
    FocusByUser(control);
    FocusByUser(other);
    EXPECT_EQ(asked, GetParam() == Wrapper::Spin ? 1 : 0) << "only the spin edit asks without a change";
    FocusByUser(control);
    change();
    if (inside) {
        FocusByUser(inside);
        FocusByUser(control);
        EXPECT_EQ(asked, 0) << "the focus stayed in the group";
    }
    refuse = true;
    FocusByUser(other);
    EXPECT_EQ(QApplication::focusWidget(), control);
    refuse = false;
    change();
    asked = 0;
    FocusByUser(other);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(QApplication::focusWidget(), other);
}

INSTANTIATE_TEST_SUITE_P(Wrappers, FocusValidation,
                         ::testing::Values(Wrapper::Combo, Wrapper::Option, Wrapper::Check, Wrapper::Spin));

} // namespace
