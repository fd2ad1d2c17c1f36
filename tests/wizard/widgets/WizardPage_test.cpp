#include "model/ModInstr.h"
#include "support/TraceCapture.h"
#include "support/WizardPageUser.h"
#include "wizard/WizardTabs.h"
#include "wizard/widgets/FWModInstr.h"
#include "wizard/widgets/FinalSetupMessage.h"

#include <QLabel>

#include <gmock/gmock.h>

namespace {

// What a page shows by FormType and place in the run ("-" disabled, "*" the default button),
// and how it is left: Enter presses the default button (the closing page moves it along to
// End); Escape, Cancel and the close box take no edit along; on the last plain page Enter meets
// the disabled Next and the page stays (-1).
TEST(PageFrame, ButtonsByFormTypeAndPlaceKeysAndCloseBox)
{
    const char *const dialog = "cmdDialogOK* cmdDialogCancel", *const last =
                                                                   "cmdCancel cmdBack cmdNext-* cmdEnd";
    enum { Enter = Qt::Key_Return, Escape = Qt::Key_Escape, CloseBox = 0, Cancel = 1 };
    const struct
    {
        bool closingPage;
        qint32 formType;
        bool first, last;
        const char *buttons;
        int act;
        qint32 buttonRet;
        const char *name; // the data copy's afterwards ("" on the closing page, which has none)
    } cases[] = {{false, 0, false, false, dialog, Enter, 0, "Nuovo"},
                 {false, 0, false, false, dialog, Escape, 1, "Vecchio"},
                 {false, 0, false, false, dialog, CloseBox, 1, "Vecchio"},
                 {false, 1, true, false, "cmdCancel cmdBack- cmdNext* cmdEnd-", Enter, 2, "Nuovo"},
                 {false, 1, false, false, "cmdCancel cmdBack cmdNext* cmdEnd-", Escape, 1, "Vecchio"},
                 {false, 1, false, true, last, Enter, -1, "Vecchio"},
                 {false, 1, false, true, last, Cancel, 1, "Vecchio"},
                 {true, 1, false, true, "cmdCancel cmdBack cmdNext- cmdEnd*", Enter, 0, ""},
                 {true, 0, false, false, dialog, CloseBox, 1, ""}};
    for (const auto &c : cases) {
        FWModInstr modules;
        FWFinalSetupMessage closing;
        CWizardPage &shown = c.closingPage ? static_cast<CWizardPage &>(closing) : modules;
        CModInstr data;
        data.SetNomeProgramma(QStringLiteral("Vecchio"));
        shown.SetData(data), shown.SetFormType(c.formType), shown.SetFirstTab(c.first),
            shown.SetLastTab(c.last);
        shown.show();
        QStringList buttons;
        for (const auto *button : shown.findChildren<QPushButton *>()) {
            if (button->isVisible())
                buttons << button->objectName() + (button->isEnabled() ? "" : "-") +
                               (button->isDefault() ? "*" : "");
        }
        EXPECT_EQ(buttons.join(' '), c.buttons);
        if (!c.closingPage)
            Act(shown, "txtProgramName:Nuovo");
        if (c.act == CloseBox || c.act == Cancel)
            c.act == CloseBox ? void(shown.close()) : Press(shown, kCancel);
        else
            QTest::keyClick(&shown, Qt::Key(c.act));
        EXPECT_EQ(shown.isVisible() ? -1 : shown.ButtonRet(), c.buttonRet);
        EXPECT_EQ(c.closingPage ? QString() : Left<CModInstr>(modules).NomeProgramma(),
                  QLatin1String(c.name));
    }
}

// The message follows Action; the load is traced with message 570 whatever Action holds, and
// the logo sits in the middle of the page.
TEST(FinalSetupMessage, MessageByAction)
{
    for (const auto &[action, id] : {std::pair{0, 570}, {1, 571}, {2, 570}}) {
        TraceCapture trace;
        FWFinalSetupMessage closing;
        closing.SetAction(qint16(action));
        closing.show();
        const auto *logo = closing.findChild<QLabel *>("picIXO");
        EXPECT_EQ(std::tuple(closing.findChild<QLabel *>("lblTitle")->text(), CutOrMissingTexts(closing),
                             trace.Lines().contains("Load form:End of programming !!"),
                             logo->pixmap().isNull()),
                  std::tuple(LoadResString(id), QString(), true, false));
        EXPECT_NEAR(logo->mapTo(&closing, logo->rect().center()).x(), closing.width() / 2, 1);
    }
}

// Three real pages on the engine: the user names the configuration, walks to the closing page
// and back, and ends. Every page of the run has the largest page's size and the first one's place.
TEST(ThreePageWizard, RunsToTheEnd)
{
    CModInstr modInstr;
    CWizardTabs wizard;
    wizard.Add(std::make_unique<FWModInstr>(), &modInstr);
    wizard.Add(std::make_unique<CWizardPage>());
    wizard.Add(std::make_unique<FWFinalSetupMessage>());
    PageScript user(
        {{kNext, [](CWizardPage &p) { Act(p, "txtProgramName:Nuovo"); }}, {kNext}, {kBack}, {kNext}, {kEnd}});
    EXPECT_EQ(wizard.Start(), 0);
    EXPECT_EQ(modInstr.NomeProgramma(), "Nuovo");
    ASSERT_EQ(user.Shown.size(), 5);
    const QRect first = user.Shown[0]->frameGeometry();
    for (const CWizardPage *later : user.Shown)
        EXPECT_EQ(later->frameGeometry(), first);
}

// Every page, in the page tests' INSTANTIATE_TEST_SUITE_P(..., EveryPage, ...).
TEST_P(EveryPage, HandsBackItsMembersAndTheUsersChanges)
{
    GetParam().Run();
}

} // namespace
