#include "FakePage_fixture.h"
#include "common/Error.h"
#include "model/Alarm.h"
#include "wizard/WizardTabs.h"

#include <QRegularExpression>

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

using AlarmPage = CFakeDataPage<CAlarm>;

// What the user does on the page shown: an Isteresi typed in (0: none), then a button.
struct Step
{
    qint32 button;
    qint16 edit = 0;
};

// A wizard over alarms "CAlarm1".."CAlarmN" (Isteresi 10, 20, ...) and, optionally, a closing
// page without data. Every event is logged as "<event> <index> <class name>"; the handlers
// pass over the positions in skip.
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
    qint32 Run(QList<Step> script)
    {
        SetWizardPageShow([&](IWizardPage &page) {
            auto &fake = dynamic_cast<CFakePage &>(page);
            shown.append(int(pages.indexOf(&fake)) + 1);
            EXPECT_EQ(fake.Caption, "Wizard");
            const Step step = script.isEmpty() ? Step{IWizardPage::brCancel} : script.takeFirst();
            if (auto *alarm = dynamic_cast<AlarmPage *>(&fake); alarm && step.edit != 0 && step.button != 1)
                alarm->Data.SetIsteresi(step.edit);
            fake.Button = step.button;
        });
        const qint32 result = wizard.Start();
        SetWizardPageShow({});
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
class SinglePage : public WizardTabsTest, public ::testing::WithParamInterface<std::array<qint32, 3>>
{};

TEST_P(SinglePage, IsADialogWithoutEvents)
{
    const auto [button, result, isteresi] = GetParam();
    Build(1, false);
    EXPECT_EQ(Run({{button, 77}}), result);
    EXPECT_EQ(pages[0]->Type, IWizardPage::ftDialog);
    EXPECT_THAT(Isteresi(), ElementsAre(isteresi));
    EXPECT_TRUE(events.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, SinglePage,
                         ::testing::Values(std::array<qint32, 3>{IWizardPage::brEnd, 0, 77},
                                           std::array<qint32, 3>{IWizardPage::brCancel, 1, 10},
                                           std::array<qint32, 3>{IWizardPage::brNext, 1, 10}));

// A handler that moves the index on is asked again about every index it moves to, with that
// index's class name; Back passes the same pages the other way. Cancel on a middle page takes
// nothing back, whatever was typed on the way.
TEST_F(WizardTabsTest, HandlersPassPagesOverAndCancelTakesNothing)
{
    Build(4, true, {2, 3});
    EXPECT_EQ(Run({{IWizardPage::brNext, 11},
                   {IWizardPage::brBack, 44},
                   {IWizardPage::brNext},
                   {IWizardPage::brCancel}}),
              1);
    EXPECT_THAT(shown, ElementsAre(1, 4, 1, 4));
    EXPECT_THAT(events.mid(0, 9), ElementsAre("Before 1 CAlarm1", "Next 2 CAlarm2", "Next 3 CAlarm3",
                                              "Next 4 CAlarm4", "Before 4 CAlarm4", "Back 3 CAlarm3",
                                              "Back 2 CAlarm2", "Back 1 CAlarm1", "Before 1 CAlarm1"));
    EXPECT_THAT(Isteresi(), ElementsAre(10, 20, 30, 40));
    EXPECT_TRUE(pages[0]->First && !pages[0]->Last && !pages[1]->First && !pages[1]->Last);
    EXPECT_TRUE(!pages[4]->First && pages[4]->Last);
}

// End takes every page's values, of pages passed over too, which hand back what they got at
// the start or from a handler; the page without data has an empty class name.
TEST_F(WizardTabsTest, EndTakesDataFromEveryPageSkippedOnesIncluded)
{
    Build(4, true, {2, 3});
    wizard.SetAfterShowNextTabs([this](qint16 &Index, CWizardPages &Pages, const QString &ClassName) {
        events.append(ClassName);
        CAlarm carried;
        Pages[3].GetData(carried);
        carried.SetIsteresi(qint16(carried.Isteresi() + 1));
        Pages[3].SetData(carried);
        Index = qint16(Index + (Index == 2 || Index == 3));
    });
    EXPECT_EQ(Run({{IWizardPage::brNext, 11}, {IWizardPage::brNext, 44}, {IWizardPage::brEnd}}), 0);
    EXPECT_THAT(Isteresi(), ElementsAre(11, 20, 34, 44));
    EXPECT_THAT(events.filter(QRegularExpression("^(CA|$)")),
                ElementsAre("CAlarm2", "CAlarm3", "CAlarm4", ""));
}

// In pixels on the screen of the main window, wider than 16-bit twips reach: the first page
// centred, the next ones on its left and bottom edges, kept under the top of the screen.
TEST_F(WizardTabsTest, PagesShareTheLargestSizeAndOnePlace)
{
    Build(3, false);
    const QSize sizes[] = {{600, 400}, {700, 900}, {600, 800}};
    for (int i = 0; i < 3; ++i) {
        pages[i]->Screen = QRect(1920, 0, 5120, 2160);
        pages[i]->Size = sizes[i];
    }
    Run({{IWizardPage::brNext}, {IWizardPage::brNext}});
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pages[i]->Size, QSize(700, 900));
        EXPECT_EQ(pages[i]->TopLeft, QPoint(4130, 630));
    }
    // Taller than the screen: the title bar stays on it.
    pages[2]->Size = QSize(600, 2600);
    Run({{IWizardPage::brNext}, {IWizardPage::brNext}});
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
        FAIL() << "added";
    } catch (const CError &error) {
        EXPECT_EQ(error.Number(), 457);
    }
    EXPECT_EQ(Run({{IWizardPage::brNext}, {IWizardPage::brEnd, 99}}), 0);
    EXPECT_THAT(Isteresi(), ElementsAre(10, 99));
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
        SetWizardPageShow(
            [](IWizardPage &page) { dynamic_cast<CFakePage &>(page).Button = IWizardPage::brNext; });
        EXPECT_EXIT(wizard.Start(), ::testing::ExitedWithCode(EXIT_FAILURE),
                    QStringLiteral("indice di pagina %1 fuori intervallo 1-2").arg(target).toStdString());
        SetWizardPageShow({});
    }
}

} // namespace
