#pragma once

#include "../link/Link_fixture.h"
#include "common/ResString.h"
#include "model/CommConfig.h"
#include "model/ModInstr.h"
#include "model/Model_fixture.h"
#include "model/NetworkAddMsgSetup.h"
#include "support/MessageRecorder.h"

#include <QDialog>
#include <QList>
#include <QTimer>

#include <algorithm>

// Every message so far was a link message: exclamation icon, title 208.
inline bool AllLinkMessages(const MessageRecorder &messages)
{
    return std::all_of(messages.Shown().begin(), messages.Shown().end(), [](const CMessage &message) {
        return message.Icon == QMessageBox::Warning && message.Title == LoadResString(208);
    });
}

// Something that ends a transfer half-way, and the string id of the message it brings (0: none).
struct LinkFault
{
    const char *what;
    friend void PrintTo(const LinkFault &c, std::ostream *os) { *os << c.what; }
    std::function<void(QDialog &, InstrumentSimulator &)> fail;
    int messageId;
};

// The link errors every window tells alike; the time-out costs three 3 s waits.
inline const LinkFault kLinkErrors[] = {
    {"line error", [](QDialog &, InstrumentSimulator &line) { line.HangUp(); }, 206},
    {"CRC error",
     [](QDialog &, InstrumentSimulator &line) { line.InjectFault(SimFault::BadCrc, line.kAlways); }, 215},
    {"time-out",
     [](QDialog &, InstrumentSimulator &line) { line.InjectFault(SimFault::Silence, line.kAlways); }, 207},
};

// A link window run as the main window runs it: COM1 (the simulated line), an archive in place,
// the message boxes recorded.
class LinkWindowTest : public ArchiveTest
{
protected:
    using Step = std::function<bool(QDialog &)>;

    void SetUp() override
    {
        ArchiveTest::SetUp();
        comm.SetComPort(0);
    }
    // Shows the window until it closes. While it is up, `step` is tried every 2 ms until it
    // answers true. A window still up after 30 s is closed and fails the test, as does a step
    // never reached.
    void Show(QDialog &window, const Step &step = {})
    {
        bool reached = !step;
        QDeadlineTimer limit(30000);
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, [&] {
            if (limit.hasExpired())
                window.close();
            else if (!reached)
                reached = step(window);
        });
        check.start(2);
        window.exec();
        EXPECT_TRUE(reached && !limit.hasExpired()) << "the window never got there";
    }

    MessageRecorder messages;
    CCommConfig comm;
    CNetworkAddMsgSetup network;
};

// A transfer window of its own for each run, as the main window makes one.
template <class Window> class TransferWindowTest : public LinkWindowTest
{
protected:
    // True when the transfer ended successfully.
    bool Run(qint32 action, qint32 id, CModInstr *modInstr = nullptr, const Step &step = {})
    {
        Window window;
        window.SetAction(action);
        window.SetIDProgramma(id);
        window.Create(comm, modInstr, network);
        Show(window, step);
        return window.ReturnValue();
    }
};

// A window test run once per case of a table.
template <class Fixture, class Case>
class TestWithCases : public Fixture, public ::testing::WithParamInterface<Case>
{};
