#pragma once

#include "Link_fixture.h"
#include "common/ResString.h"
#include "model/CommConfig.h"
#include "model/Model_fixture.h"
#include "model/NetworkAddMsgSetup.h"
#include "programming/link/LinkProcedure.h"
#include "programming/memmap/MemMapArchive_fixture.h"

// A link procedure on COM1 as its window runs it, with an archive in place and what it
// reports recorded. The reply time-out is short, so failures end quickly.
class ProcedureTest : public ArchiveTest
{
protected:
    void SetUp() override
    {
        ArchiveTest::SetUp();
        link.Create();
        link.SetTimeOutRx(250);
        comm.SetComPort(0);
    }
    CLinkReport Report()
    {
        CLinkReport report;
        report.SearchLine = [this](const QString &text) { searchLines.append(text); };
        report.OperationLine = [this](const QString &text) { operations.append(text); };
        report.Message = [this](int id, const QString &) { messages.append(id); };
        return report;
    }
    // Cancels the procedure as its Cancel button does, once `when` holds.
    void CancelWhen(std::function<bool()> when)
    {
        auto *check = new QTimer(&link);
        QObject::connect(check, &QTimer::timeout, [this, check, when] {
            if (when()) {
                link.CancelTxRx(true);
                check->deleteLater();
            }
        });
        check->start(2);
    }

    TraceCapture trace;
    CTapiComm link;
    CCommConfig comm;
    CNetworkAddMsgSetup network;
    QList<int> messages;
    QStringList searchLines, operations;
};

// A procedure test run once per case of a table.
template <class Fixture, class Case>
class ProcedureCases : public Fixture, public ::testing::WithParamInterface<Case>
{};
