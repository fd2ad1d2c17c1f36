#include "FakePage_fixture.h"
#include "common/Error.h"
#include "model/Alarm.h"

namespace {

using AlarmPage = CFakeDataPage<CAlarm>;
constexpr qint32 N = IWizardPage::brNext, B = IWizardPage::brBack, E = IWizardPage::brEnd;

// A wizard over alarms "CAlarm1".."CAlarmN" (Isteresi 10, 20, ...) and, optionally, a closing
// page without data. Every event is logged as "<event> <index> <class name>"; the handlers
// pass over the positions in skip. The user types an Isteresi on every alarm page shown, then
// presses the buttons in turn, then Cancel.
class WizardTabsTest : public ::testing::Test
{
protected:
    void Build(int alarms, bool closingPage, QSet<int> skip = {})
    {
        for (int i = 1; i <= alarms; ++i) {
            auto &data = m_Alarms.emplace_back(std::make_unique<CAlarm>());
            data->SetClassName(QStringLiteral("CAlarm%1").arg(i));
            data->SetIsteresi(qint16(10 * i));
            pages.append(&wizard.Add(std::make_unique<AlarmPage>(), data.get()));
        }
        if (closingPage)
            pages.append(&wizard.Add(std::make_unique<CFakePage>()));
        const auto log = [this, skip](QString name, int step) {
            return [=, this](qint16 &Index, CWizardPages &, const QString &ClassName) {
                events.append(QStringLiteral("%1 %2 %3").arg(name).arg(Index).arg(ClassName));
                Index = qint16(Index + (skip.contains(Index) ? step : 0));
            };
        };
        wizard.SetBeforeShowTabs(log("Before", 0));
        wizard.SetAfterShowNextTabs(log("Next", 1));
        wizard.SetAfterShowBackTabs(log("Back", -1));
        wizard.SetCaption(QStringLiteral("Wizard"));
    }
    qint32 Run(QList<qint32> buttons, qint16 typed = 0)
    {
        FakeUser user(wizard, [&, press = Pressing(buttons)](int at, CFakePage &page) mutable {
            EXPECT_EQ(page.Caption, "Wizard");
            if (auto *alarm = dynamic_cast<AlarmPage *>(&page); alarm && typed != 0)
                alarm->Data.SetIsteresi(typed);
            return press(at, page);
        });
        const qint32 result = wizard.Start();
        shown = user.Shown;
        return result;
    }
    QList<qint16> Isteresi() const
    {
        QList<qint16> values;
        for (const auto &alarm : m_Alarms)
            values.append(alarm->Isteresi());
        return values;
    }

    std::vector<std::unique_ptr<CAlarm>> m_Alarms;
    CWizardTabs wizard;
    QList<CFakePage *> pages;
    QStringList events;
    QList<int> shown;
};

// A single page is a dialog without events; only OK (End) hands the user's values back.
TEST_F(WizardTabsTest, SinglePageIsADialogWithoutEvents)
{
    Build(1, false);
    for (const auto &[button, result] : {std::pair<qint32, int>{IWizardPage::brCancel, 1}, {N, 1}, {E, 0}}) {
        EXPECT_EQ(Run({button}, 77), result);
        EXPECT_EQ(pages[0]->Type, IWizardPage::ftDialog);
        EXPECT_EQ(Isteresi(), QList<qint16>{qint16(result == 0 ? 77 : 10)});
    }
    EXPECT_TRUE(events.isEmpty());
}

// A handler that moves the index on is asked again about every index it moves to, with that
// index's class name; Back passes the same pages the other way. Cancel on a middle page takes
// nothing back, whatever was typed on the way.
TEST_F(WizardTabsTest, HandlersPassPagesOverAndCancelTakesNothing)
{
    Build(4, true, {2, 3});
    EXPECT_EQ(Run({N, B, N}, 44), 1);
    EXPECT_EQ(shown, QList<int>({1, 4, 1, 4}));
    EXPECT_EQ(events.mid(0, 9), QStringList({"Before 1 CAlarm1", "Next 2 CAlarm2", "Next 3 CAlarm3",
                                             "Next 4 CAlarm4", "Before 4 CAlarm4", "Back 3 CAlarm3",
                                             "Back 2 CAlarm2", "Back 1 CAlarm1", "Before 1 CAlarm1"}));
    EXPECT_EQ(Isteresi(), QList<qint16>({10, 20, 30, 40}));
    EXPECT_TRUE(pages[0]->First && !pages[0]->Last && !pages[1]->First && !pages[1]->Last);
    EXPECT_TRUE(!pages[4]->First && pages[4]->Last);
}

// A BeforeShowTabs handler that moves the index shows the page it moved to, once, and the run
// goes on from there: Next or Back moves from the page shown.
TEST_F(WizardTabsTest, BeforeShowTabsShowsThePageItMovesTo)
{
    Build(4, false);
    wizard.SetBeforeShowTabs([this](qint16 &Index, CWizardPages &, const QString &ClassName) {
        events.append(QStringLiteral("Before %1 %2").arg(Index).arg(ClassName));
        Index = Index == 2 ? qint16(3) : Index;
    });
    Run({N, N, B, B});
    EXPECT_EQ(shown, QList<int>({1, 3, 4, 3, 3}));
    EXPECT_EQ(events.filter("Before"),
              QStringList({"Before 1 CAlarm1", "Before 2 CAlarm2", "Before 4 CAlarm4", "Before 3 CAlarm3",
                           "Before 2 CAlarm2"}));
}

// In pixels on the screen of the main window, wider than 16-bit twips reach: the first page
// centred, the next ones on its left and bottom edges, kept under the top of the screen.
TEST_F(WizardTabsTest, PagesShareTheLargestSizeAndOnePlace)
{
    Build(3, false);
    const QSize sizes[] = {{600, 400}, {700, 900}, {600, 800}};
    for (int i = 0; i < 3; ++i)
        pages[i]->Screen = QRect(1920, 0, 5120, 2160), pages[i]->Size = sizes[i];
    Run({N, N});
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(QRect(pages[i]->TopLeft, pages[i]->Size), QRect(4130, 630, 700, 900));
    // Taller than the screen: the title bar stays on it.
    pages[2]->Size = QSize(600, 2600);
    Run({N, N});
    EXPECT_EQ(pages[0]->TopLeft, QPoint(4130, 0));
}

// A second data object "CAlarm1" would leave page i editing another page's data: refused.
TEST_F(WizardTabsTest, DuplicateClassNameRaisesAndAddsNothing)
{
    Build(2, false);
    CAlarm duplicate;
    duplicate.SetClassName(QStringLiteral("CAlarm1"));
    try {
        wizard.Add(std::make_unique<AlarmPage>(), &duplicate);
        ADD_FAILURE() << "added";
    } catch (const CError &error) {
        EXPECT_EQ(error.Number(), 457);
    }
    EXPECT_EQ(Run({N, E}, 99), 0);
    EXPECT_EQ(Isteresi(), QList<qint16>({99, 99}));
}

// No page, or a handler that moves the index off the pages: the program stops with the text.
TEST(WizardTabsDeath, StartWithoutPagesOrIndexOffThePagesIsAFailedAssertion)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(CWizardTabs().Start(), ::testing::ExitedWithCode(EXIT_FAILURE), "nessuna pagina da mostrare");
    for (const qint16 target : {0, 3}) {
        CWizardTabs wizard;
        wizard.Add(std::make_unique<CFakePage>());
        wizard.Add(std::make_unique<CFakePage>());
        wizard.SetAfterShowNextTabs([=](qint16 &Index, CWizardPages &, const QString &) { Index = target; });
        FakeUser user(wizard, Pressing({N}));
        EXPECT_EXIT(wizard.Start(), ::testing::ExitedWithCode(EXIT_FAILURE),
                    QStringLiteral("indice di pagina %1 fuori intervallo 1-2").arg(target).toStdString());
    }
}

} // namespace
