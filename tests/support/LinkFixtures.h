#pragma once

// The fixtures of the link tests: a link on a simulated line, a link procedure with an archive
// and its reports recorded, a link window with its message boxes recorded.
#include "model/CommConfig.h"
#include "model/ModInstr.h"
#include "model/NetworkAddMsgSetup.h"
#include "programming/link/LinkProcedure.h"
#include "programming/link/RegisterExchange.h"
#include "programming/link/TapiComm.h"
#include "support/DataTable.h"
#include "support/InstrumentSimulator.h"
#include "support/MemMapArchive_fixture.h"
#include "support/MessageRecorder.h"
#include "support/ModalWindow.h"
#include "support/TraceCapture.h"

#include <gmock/gmock.h>

// An instrument with the modules of module code `code` (the probe naming ZOB or QEM as slot A
// holds), holding the image of configuration `id` but staying at its own address and rate.
inline SimInstrument &AddInstrumentWith(InstrumentSimulator &line, qint16 code, qint32 id, int address,
                                        int baud)
{
    SimInstrument &instrument = line.AddInstrument(address, baud);
    instrument.SetModuleCode(code);
    instrument.SetProbe(CModInstr::IsQEM(code) ? kProbeTemperatureModule : kProbeSignalModule);
    QVector<qint16> image = ImageWords(code, id);
    image[86] = qint16(address);
    image[87] = qint16(SimInstrument::CodeOfBaud(baud));
    instrument.SetImage(image);
    return instrument;
}

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

    TempUserDirs dirs;
    InstrumentSimulator line;
    CTapiComm link;
    CRegisterExchange exchange{link};
};

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
        report.Message = [this](int id, const QString &text) {
            messages.append(id);
            messageTexts.append(text);
        };
        return report;
    }

    TraceCapture trace;
    CTapiComm link;
    CCommConfig comm;
    CNetworkAddMsgSetup network;
    QList<int> messages;
    QStringList messageTexts, searchLines, operations;
};

// A link window run as the main window runs it: COM1 (the simulated line), an archive in
// place, the message boxes recorded.
class LinkWindowTest : public ArchiveTest
{
protected:
    void SetUp() override
    {
        ArchiveTest::SetUp();
        line.AttachAsPort(1);
        comm.SetComPort(0);
    }
    MessageRecorder messages;
    CCommConfig comm;
    CNetworkAddMsgSetup network;
    InstrumentSimulator line;
};
