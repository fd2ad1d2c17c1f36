#pragma once

#include "../link/Link_fixture.h"
#include "common/ResString.h"
#include "model/CommConfig.h"
#include "model/Model_fixture.h"
#include "model/NetworkAddMsgSetup.h"
#include "support/MessageRecorder.h"
#include "support/ModalWindow.h"

#include <algorithm>

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
    // Every message so far was a link message: exclamation icon, title 208.
    bool AllLinkMessages() const
    {
        return std::all_of(messages.Shown().begin(), messages.Shown().end(), [](const CMessage &message) {
            return message.Icon == QMessageBox::Warning && message.Title == LoadResString(208);
        });
    }

    MessageRecorder messages;
    CCommConfig comm;
    CNetworkAddMsgSetup network;
    InstrumentSimulator line;
};
