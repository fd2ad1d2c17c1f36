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
// brings the focus back to the control left, a consent lets it go. Only the spin edit asks
// without a change; moving inside an option or check group does not ask.
class FocusValidation : public WidgetForm, public ::testing::WithParamInterface<Wrapper>
{};

TEST_P(FocusValidation, RefusalKeepsTheFocusAndConsentLetsItGo)
{
    int asked = 0;
    bool refuse = false;
    const auto ask = [&](bool &cancel) { cancel = (++asked, refuse); };
    auto *frame = new QGroupBox(&form);
    auto *other = new QLineEdit(&form);
    CComboBox combo;
    COptionButton options;
    CCheckBox checks;
    CTextSpin spin;
    QWidget *control = nullptr, *inside = nullptr; // inside: another control of the same group
    std::function<void()> change = [] {};
    if (GetParam() == Wrapper::Combo) {
        auto *list = new QComboBox(&form);
        combo.Create(list);
        combo.AddText("A", 0), combo.AddText("B", 0), combo.AddText("C", 0), combo.SetValue(0);
        QObject::connect(&combo, &CComboBox::ChangeValidate, ask);
        control = list;
        change = [list] { list->setCurrentIndex(list->currentIndex() % 2 + 1); };
    } else if (GetParam() == Wrapper::Option) {
        QRadioButton *buttons[3];
        options.Create(frame);
        for (QRadioButton *&button : buttons)
            options.AddOptionButton(button = new QRadioButton(frame));
        options.SetValue(0);
        QObject::connect(&options, &COptionButton::ChangeValidate, ask);
        control = buttons[0], inside = buttons[2];
        change = [&options, buttons] { buttons[(options.Value() + 1) % 3]->click(); };
    } else if (GetParam() == Wrapper::Check) {
        checks.Create(frame);
        checks.AddCheckBox(new QCheckBox(frame)), checks.AddCheckBox(new QCheckBox(frame));
        QObject::connect(&checks, &CCheckBox::ChangeValidate, ask);
        control = frame->findChildren<QCheckBox *>()[0], inside = frame->findChildren<QCheckBox *>()[1];
        // Not a click: the boxes no longer match Value.
        change = [box = control] { static_cast<QCheckBox *>(box)->toggle(); };
    } else {
        control = new QLineEdit(&form);
        spin.Create(static_cast<QLineEdit *>(control), new UpDownControl(&form), 0, 100, 1, 10, true, false);
        QObject::connect(&spin, &CTextSpin::ChangeValidate, ask);
    }
    ShowForm();
    FocusByUser(control);
    FocusByUser(other);
    EXPECT_EQ(asked, GetParam() == Wrapper::Spin ? 1 : 0);
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
    EXPECT_EQ(std::pair(asked, QApplication::focusWidget()), std::pair(1, static_cast<QWidget *>(other)));
}

INSTANTIATE_TEST_SUITE_P(Wrappers, FocusValidation,
                         ::testing::Values(Wrapper::Combo, Wrapper::Option, Wrapper::Check, Wrapper::Spin));

} // namespace
