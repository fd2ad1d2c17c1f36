#include "PageUser_fixture.h"
#include "wizard/widgets/FWAnalogOut.h"

namespace {

CAnalogOut Output(qint16 minOut, qint16 maxOut, qint16 type)
{
    CAnalogOut data;
    data.SetMinOut(minOut);
    data.SetMaxOut(maxOut);
    data.SetTypeSignalOut(type);
    return data;
}

// Lo.A and Hi.A as percentages with one decimal, wrapping at both ends, independent of each
// other and clamped to 0-1000 tenths; the signal type as the checked option. Back copies too.
TEST(AnalogOutPage, PercentSpinsAndSignalType)
{
    struct
    {
        CAnalogOut stored;
        std::function<void(CPageUser &)> touch;
        const char *loText, *hiText; // after the touch
        CAnalogOut left;
    } const cases[] = {
        {Output(0, 0, 0), [](CPageUser &u) { u.Key("txtMaxOut", Qt::Key_Down); }, "0.0 %", "100.0 %",
         Output(0, 1000, 0)},
        {Output(1000, 9, 1), [](CPageUser &u) { u.Key("txtMinOut", Qt::Key_Up); }, "0.0 %", "0.9 %",
         Output(0, 9, 1)},
        {Output(800, 200, 0), [](CPageUser &u) { u.Click("optTypeSignalOut1"); }, "80.0 %", "20.0 %",
         Output(800, 200, 1)},
        {Output(-5, 1500, 1), {}, "0.0 %", "100.0 %", Output(0, 1000, 1)},
    };
    for (const auto &c : cases) {
        FWAnalogOut page;
        CPageUser user(page);
        user.Show(c.stored);
        EXPECT_EQ(user.Checked("optTypeSignalOut0"), c.stored.TypeSignalOut() == 0);
        if (c.touch)
            c.touch(user);
        EXPECT_EQ(user.Shown("txtMinOut"), c.loText);
        EXPECT_EQ(user.Shown("txtMaxOut"), c.hiText);
        user.Leave(c.touch ? IWizardPage::brNext : IWizardPage::brBack);
        const auto left = user.Left<CAnalogOut>();
        EXPECT_EQ(std::tuple(left.MinOut(), left.MaxOut(), left.TypeSignalOut()),
                  std::tuple(c.left.MinOut(), c.left.MaxOut(), c.left.TypeSignalOut()));
    }
    FWAnalogOut page;
    CPageUser(page).Show(CAnalogOut());
    CPageUser(page).ExpectCaptions("lblTitle:526 OutputRange:520 Label5:522 Label4:521 TypeSignalOut:523 "
                                   "optTypeSignalOut0:524 optTypeSignalOut1:525");
}

} // namespace
