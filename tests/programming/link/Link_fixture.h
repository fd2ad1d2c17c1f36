#pragma once

#include "common/TraceCode.h"
#include "programming/link/RegisterExchange.h"
#include "programming/link/TapiComm.h"
#include "support/InstrumentSimulator.h"
#include "support/TempUserDirs.h"
#include "support/TraceCapture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gmock/gmock.h>

#include <cctype>
#include <functional>
#include <string>

// Runs the event loop until the condition holds; the limit only keeps a broken test from
// hanging, nothing is measured.
inline bool WaitUntil(const std::function<bool()> &condition, int limitMs = 10000)
{
    QDeadlineTimer limit(limitMs);
    while (!condition() && !limit.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return condition();
}

// A parameterised case's name for the test list: its description with "_" for anything else
// than letters and digits.
struct CaseName
{
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case> &info) const
    {
        std::string name = info.param.what;
        for (char &c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    }
};

// A link on COM1 with a simulated line behind it. Time-outs are short so silent cases end
// quickly; 250 ms stays clear of the 200 ms manager tick, so both never fall due together.
class LinkFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        line.AttachAsPort(1);
        link.Create();
        link.SetTimeOutRx(250);
    }
    bool Open(qint32 baudIndex = 3) { return link.OpenRs232(1, baudIndex, 0); }
    // Runs `action` inside the next exchange's wait, as a button the user clicks would.
    void DuringNextExchange(std::function<void()> action, int afterMs = 0)
    {
        QTimer::singleShot(afterMs, &link, std::move(action));
    }

    TempUserDirs dirs;
    InstrumentSimulator line;
    CTapiComm link;
    CRegisterExchange exchange{link};
};

// A link test run once per case of a table.
template <class Case> class LinkCases : public LinkFixture, public ::testing::WithParamInterface<Case>
{};
