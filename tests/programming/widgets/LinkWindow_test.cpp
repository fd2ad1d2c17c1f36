// The behaviour every link window shares: the work of the first activation, Escape turned
// into a cancel, errors that escape the work. The close box and the link's messages are
// tried through the windows themselves.
#include "LinkWindow_fixture.h"

#include "common/Error.h"
#include "programming/widgets/LinkWindow.h"

namespace {

// A link window whose work is a run of probe reads at 9600 baud, address 1.
class ProbeWindow : public CLinkWindow
{
public:
    int reads = 1;
    bool throwAfterOpen = false;
    int runs = 0;
    bool visibleAfterCloseRequest = false;

protected:
    void RunLink() override
    {
        ++runs;
        CreateLink();
        if (!Rs232().OpenRs232(1, 3, 0))
            return;
        if (throwAfterOpen)
            throw CError(MakeUserError(13000), QStringLiteral("IxoSoft.Test"), QStringLiteral("boom"));
        CRegisterExchange exchange(Rs232());
        bool commError = false;
        for (int i = 0; i < reads && !commError; ++i) {
            qint16 value = 0;
            exchange.ReadRegister(1, kProbeRegister, value);
            commError = CheckCommError();
        }
        visibleAfterCloseRequest = isVisible();
        if (commError)
            SetReturnValue(false);
    }
};

class ProbeWindowTest : public LinkWindowTest
{
protected:
    void SetUp() override
    {
        LinkWindowTest::SetUp();
        line.AttachAsPort(1);
        line.AddInstrument(1).SetProbe(28);
    }

    InstrumentSimulator line;
    ProbeWindow window;
};

TEST_F(ProbeWindowTest, WorkRunsOnceAtTheFirstShowAndTheWindowClosesAfterIt)
{
    window.reads = 3;
    Show(window);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.runs, 1);
    EXPECT_TRUE(window.ReturnValue());
    EXPECT_EQ(line.Requests().size(), 3);
    EXPECT_TRUE(messages.Shown().isEmpty());

    // Shown again it only waits for its close box.
    Show(window, [](QDialog &shown) { return shown.close(); });
    EXPECT_EQ(window.runs, 1);
}

TEST_F(ProbeWindowTest, EscapeDuringTheWorkCancelsAndTheWorkClosesTheWindow)
{
    window.reads = 1000;
    Show(window, [&](QDialog &shown) {
        if (line.Requests().isEmpty())
            return false;
        shown.reject();
        return true;
    });
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_TRUE(window.visibleAfterCloseRequest);
    EXPECT_FALSE(window.ReturnValue());
    EXPECT_LT(line.Requests().size(), 1000);
    EXPECT_TRUE(messages.Shown().isEmpty());
}

TEST_F(ProbeWindowTest, AnErrorEscapingTheWorkIsShownAndClosesThePort)
{
    window.throwAfterOpen = true;
    Show(window);
    EXPECT_FALSE(window.ReturnValue());
    ASSERT_EQ(messages.Shown().size(), 1);
    EXPECT_EQ(messages.Shown().front().Icon, QMessageBox::Critical);
    EXPECT_EQ(messages.Shown().front().Text, QStringLiteral("boom"));
    CTapiComm other; // the port is free again
    other.Create();
    EXPECT_TRUE(other.OpenRs232(1, 3, 0));
}

} // namespace
