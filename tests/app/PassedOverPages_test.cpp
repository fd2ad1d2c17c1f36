#include "App_fixture.h"

namespace {

// Slot C Z8/Z9, the relay of alarm 3 changed, Back to the module page, slot C Z3 and on to End:
// the alarm pages 2 to 4 are passed over, yet End hands back every page's data, so alarm 3 is
// stored as it was left.
TEST_F(AppTest, EndStoresAPageEditedThenPassedOver)
{
    Open();
    const auto touch = [](const char *steps) { return [=](CWizardPage &page) { Act(page, steps); }; };
    PageScript user({{kNext, touch("optSlotC3")},
                     {kNext},
                     {kNext, touch("txtMaxElectricScale+1")},
                     {kNext},
                     {kNext},
                     {kBack, touch("optRelayStatus0")},
                     {kBack},
                     {kBack},
                     {kBack},
                     {kBack},
                     {kNext, touch("optSlotC1")},
                     {kNext},
                     {kNext},
                     {kNext},
                     {kNext},
                     {kEnd}});
    Trigger("mnuAddProgramma");
    QStringList shown;
    for (const QString &page : user.Pages)
        shown << page.section(' ', 0, 0);
    EXPECT_EQ(shown.join(' '),
              "FWModInstr FWRangeVABZOB FWInOutScale FWAlarm FWAlarm FWAlarm FWAlarm FWAlarm "
              "FWInOutScale FWRangeVABZOB FWModInstr FWRangeVABZOB FWInOutScale FWAlarm "
              "FWFiltroDigitale FWFinalSetupMessage");
    CConfiguration stored;
    stored.Load(window->IDProgramma());
    EXPECT_EQ(QList<qint16>({stored.ModInstr().SlotC(), stored.Alarm(1).RelayStatus(),
                             stored.Alarm(2).RelayStatus(), stored.Alarm(3).RelayStatus(),
                             stored.Alarm(4).RelayStatus()}),
              QList<qint16>({1, 1, 1, 0, 1}));
}

} // namespace
