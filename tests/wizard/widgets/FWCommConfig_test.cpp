#include "PageControls_fixture.h"
#include "PageScript_fixture.h"
#include "model/CommConfig.h"
#include "wizard/widgets/FWCommConfig.h"

namespace {

// The page shown with Action and the stored values, what it shows ("*" selected, "-"
// disabled), the user's clicks, and what Next writes.
struct CommCase
{
    qint16 action, interfaceType, comPort;
    std::vector<const char *> clicks;
    const char *interfaces, *ports;
    qint16 leftInterface, leftPort;
};

class CommConfigPage : public PageControlsTest, public ::testing::WithParamInterface<CommCase>
{};

TEST_P(CommConfigPage, AuxiliaryInterfaceOnlyOutsideTheLiveView)
{
    const CommCase &c = GetParam();
    CCommConfig comm;
    comm.SetInterfaceType(c.interfaceType);
    comm.SetComPort(c.comPort);
    FWCommConfig page;
    page.SetAction(c.action);
    page.SetData(comm);
    page.show();
    for (const char *option : c.clicks)
        Click(page, option);
    EXPECT_EQ(Options(page, {{"optInterfaceType0", "aux"},
                             {"optInterfaceType1", "rs232"},
                             {"optInterfaceType2", "rs485"}}),
              c.interfaces);
    EXPECT_EQ(Options(page, {{"optComPort0", "COM1"},
                             {"optComPort1", "COM2"},
                             {"optComPort2", "COM3"},
                             {"optComPort3", "COM4"}}),
              c.ports);
    Press(page, IWizardPage::brNext);
    page.GetData(comm);
    EXPECT_EQ(comm.InterfaceType(), c.leftInterface);
    EXPECT_EQ(comm.ComPort(), c.leftPort);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommConfigPage,
    ::testing::Values(
        // The class defaults in the transmit and receive-edit-transmit wizards...
        CommCase{0, 0, 1, {}, "aux* rs232 rs485", "COM1 COM2* COM3 COM4", 0, 1},
        // ... and in the live view, which polls register frames the auxiliary interface lacks.
        CommCase{1, 0, 1, {}, "aux- rs232 rs485*", "COM1 COM2* COM3 COM4", 2, 1},
        CommCase{1, 1, 3, {}, "aux- rs232* rs485", "COM1 COM2 COM3 COM4*", 1, 3},
        CommCase{0,
                 2,
                 0,
                 {"optInterfaceType1", "optComPort2"},
                 "aux rs232* rs485",
                 "COM1 COM2 COM3* COM4",
                 1,
                 2}));

} // namespace
