#include "../FakePage_fixture.h"
#include "PageScript_fixture.h"
#include "common/ResString.h"
#include "common/widgets/FormResources.h"
#include "model/ModInstr.h"
#include "support/TraceCapture.h"
#include "wizard/WizardTabs.h"
#include "wizard/widgets/FinalSetupMessage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gmock/gmock.h>

namespace {

// A page as the configuration pages are built: the program name of a CModInstr, refused
// empty on End, OK and Next.
class CNamePage : public CWizardDataPage<CModInstr>
{
public:
    CNamePage() : Name(new QLineEdit(Body()))
    {
        auto *label = new QLabel(Body());
        label->setProperty(kTagProperty, QStringLiteral("381"));
        (new QFormLayout(Body()))->addRow(label, Name);
    }
    QLineEdit *const Name;

protected:
    int TitleId() const override { return 382; }
    void DataToControls() override { Name->setText(Data().NomeProgramma()); }
    void ControlsToData() override { Data().SetNomeProgramma(Name->text()); }
    bool ValidateData() override { return !Name->text().isEmpty(); }
};

QString NameOf(const CWizardPage &page)
{
    CModInstr data;
    page.GetData(data);
    return data.NomeProgramma();
}

class WizardPageTest : public ::testing::Test
{
protected:
    // Shows a page as its owner does, with "Vecchio" in its data.
    static void Show(CWizardPage &shown, qint32 formType, bool first, bool last)
    {
        CModInstr data;
        data.SetNomeProgramma(QStringLiteral("Vecchio"));
        shown.SetData(data);
        shown.SetFormType(formType);
        shown.SetFirstTab(first);
        shown.SetLastTab(last);
        shown.show();
    }

    CNamePage page;
};

// What a page shows by FormType and place in the run ("-" disabled, "*" the default button),
// and how it is left: Enter presses the default button (the closing page moves it along to
// End); Escape, Cancel and the close box take no edit along; on the last plain page Enter meets
// the disabled Next and the page stays.
struct FrameCase
{
    bool closingPage;
    qint32 formType;
    bool first, last;
    const char *buttons;
    std::function<void(CWizardPage &)> act;
    qint32 buttonRet; // -1: the page stays open
    const char *name; // the data copy's afterwards ("" on the closing page, which has none)
};

const auto kEnter = [](CWizardPage &p) { QTest::keyClick(&p, Qt::Key_Return); };
const auto kEscape = [](CWizardPage &p) { QTest::keyClick(&p, Qt::Key_Escape); };
const auto kCloseBox = [](CWizardPage &p) { p.close(); };
const auto kCancel = [](CWizardPage &p) { Press(p, IWizardPage::brCancel); };

class PageFrame : public WizardPageTest, public ::testing::WithParamInterface<FrameCase>
{};

TEST_P(PageFrame, ButtonsByFormTypeAndPlaceKeysAndCloseBox)
{
    const FrameCase &c = GetParam();
    FWFinalSetupMessage closing;
    CWizardPage &shown = c.closingPage ? static_cast<CWizardPage &>(closing) : page;
    Show(shown, c.formType, c.first, c.last);
    QStringList buttons;
    for (const auto *button : shown.findChildren<QPushButton *>()) {
        if (button->isVisible())
            buttons.append(button->objectName() + (button->isEnabled() ? "" : "-") +
                           (button->isDefault() ? "*" : ""));
    }
    EXPECT_EQ(buttons.join(' '), c.buttons);
    page.Name->setText(QStringLiteral("Nuovo"));
    c.act(shown);
    EXPECT_EQ(shown.isVisible() ? -1 : shown.ButtonRet(), c.buttonRet);
    EXPECT_EQ(c.closingPage ? QString() : NameOf(page), QLatin1String(c.name));
}

const char *const kDialog = "cmdDialogOK* cmdDialogCancel";
const char *const kLast = "cmdCancel cmdBack cmdNext-* cmdEnd";

INSTANTIATE_TEST_SUITE_P(
    Pages, PageFrame,
    ::testing::Values(
        FrameCase{false, 0, false, false, kDialog, kEnter, 0, "Nuovo"},
        FrameCase{false, 0, false, false, kDialog, kEscape, 1, "Vecchio"},
        FrameCase{false, 0, false, false, kDialog, kCloseBox, 1, "Vecchio"},
        FrameCase{false, 1, true, false, "cmdCancel cmdBack- cmdNext* cmdEnd-", kEnter, 2, "Nuovo"},
        FrameCase{false, 1, false, false, "cmdCancel cmdBack cmdNext* cmdEnd-", kEscape, 1, "Vecchio"},
        FrameCase{false, 1, false, true, kLast, kEnter, -1, "Vecchio"},
        FrameCase{false, 1, false, true, kLast, kCancel, 1, "Vecchio"},
        FrameCase{true, 1, false, true, "cmdCancel cmdBack cmdNext- cmdEnd*", kEnter, 0, ""},
        FrameCase{true, 0, false, false, kDialog, kCloseBox, 1, ""}));

// A failing check keeps the page open with the user's edit; Back leaves without the check and
// takes the edit along. Shown again, the page starts from its data copy as an owner left it.
TEST_F(WizardPageTest, FailedCheckKeepsThePageBackLeavesWithTheEdit)
{
    Show(page, 1, false, false);
    page.Name->clear();
    Press(page, IWizardPage::brNext);
    EXPECT_TRUE(page.isVisible());
    Press(page, IWizardPage::brBack);
    EXPECT_EQ(page.ButtonRet(), IWizardPage::brBack);
    EXPECT_EQ(NameOf(page), "");

    CModInstr owners;
    owners.SetNomeProgramma(QStringLiteral("Dal proprietario"));
    page.SetData(owners);
    page.show();
    EXPECT_EQ(page.Name->text(), "Dal proprietario");
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
        EXPECT_EQ(closing.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), LoadResString(id));
        EXPECT_THAT(trace.Lines(), ::testing::Contains("Load form:End of programming !!"));
        const auto *logo = closing.findChild<QLabel *>(QStringLiteral("picIXO"));
        EXPECT_FALSE(logo->pixmap().isNull());
        EXPECT_NEAR(logo->mapTo(&closing, logo->rect().center()).x(), closing.width() / 2, 1);
    }
}

// A frame whose size the page's design fixes is not resized when the texts arrive: its labels
// still get the width of their texts by the time the page shows, not at the next turn of the
// event loop.
TEST(PageLayout, LabelsInAFrameOfFixedSizeFitTheirTexts)
{
    CWizardPage page;
    QWidget *body = page.findChild<QWidget *>(QStringLiteral("Body"));
    body->setMinimumSize(600, 200);
    auto *frame = new QGroupBox(body);
    auto *label = new QLabel(frame);
    label->setProperty(kTagProperty, QStringLiteral("546"));
    auto *row = new QHBoxLayout(frame);
    row->addWidget(label);
    row->addWidget(new QLineEdit(frame));
    (new QVBoxLayout(body))->addWidget(frame);
    page.show();
    EXPECT_GE(label->width(), label->sizeHint().width());
}

// Three real pages on the engine: the user names the configuration, walks to the closing page
// and back, and ends. Every later page stands on the first page's left and bottom edges.
TEST(ThreePageWizard, RunsToTheEnd)
{
    CModInstr modInstr;
    CWizardTabs wizard;
    auto &names = wizard.Add(std::make_unique<CNamePage>(), &modInstr);
    wizard.Add(std::make_unique<CWizardPage>());
    wizard.Add(std::make_unique<FWFinalSetupMessage>());
    PageScript user({{IWizardPage::brNext, [&](CWizardPage &) { names.Name->setText("Nuovo"); }},
                     {IWizardPage::brNext},
                     {IWizardPage::brBack},
                     {IWizardPage::brNext},
                     {IWizardPage::brEnd}});
    EXPECT_EQ(wizard.Start(), 0);
    EXPECT_EQ(modInstr.NomeProgramma(), "Nuovo");
    ASSERT_EQ(user.Shown.size(), 5);
    const QRect first = user.Shown[0]->frameGeometry();
    for (const CWizardPage *later : user.Shown) {
        EXPECT_EQ(later->frameGeometry().left(), first.left());
        EXPECT_EQ(later->frameGeometry().bottom(), first.bottom());
    }
}

} // namespace
