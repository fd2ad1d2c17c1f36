#include "platform/SerialPortControl.h"
#include "platform/SerialPortNames.h"
#include "platform/SettingsStore.h"
#include "support/Files.h"
#include "support/SimPty.h"
#include "support/TempUserDirs.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gmock/gmock.h>

#include <cstdio>

namespace {

using Platform::CSerialPortControl;

TEST(SerialPortNames, PortsSectionNamesTheDevices)
{
    TempUserDirs dirs;
    Platform::WriteSetting(QStringLiteral("Ports"), QStringLiteral("COM2"), QStringLiteral("/dev/ttyUSB0"));
    Platform::WriteSetting(QStringLiteral("Ports"), QStringLiteral("COM3"), QStringLiteral("  "));
    QStringList names;
    for (const int port : {3, 1, 2, 4, -1})
        names.append(Platform::SerialDeviceName(port));
    EXPECT_EQ(names, QStringList({"/dev/ttyS3", "/dev/ttyUSB0", "/dev/ttyS2", "", ""}));
}

class SerialPortControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Platform::WriteSetting(QStringLiteral("Ports"), QStringLiteral("COM1"), pty.SlaveName());
        control.SetPortNumber(0);
    }
    // The frame goes out with the reply length given (0: a text reply) and reaches the device.
    void Exchange(const QByteArray &frame, qint16 replyLength)
    {
        control.SetReplyLength(replyLength);
        control.SetOutput(frame);
        control.DiscardInput();
        control.StartExchange();
        QTest::qWait(20);
        ASSERT_EQ(pty.ReadAvailable(), frame);
    }
    // What the device writes, once the port has had the time to take it.
    void Reply(const QByteArray &bytes, int waitMs = 20)
    {
        pty.Write(bytes);
        QTest::qWait(waitMs);
    }
    QList<qint32> Codes() const
    {
        QList<qint32> codes;
        for (const QList<QVariant> &arguments : status)
            codes.append(arguments.at(0).toInt());
        return codes;
    }

    TempUserDirs dirs;
    SimPty pty;
    CSerialPortControl control;
    QSignalSpy status{&control, &CSerialPortControl::CommStatus};
};

TEST_F(SerialPortControlTest, LineSettingsReachTheDeviceAndUnknownOnesNeverOpen)
{
    control.SetBaudCode(4);
    control.SetDataBits(8); // a valid setting after it changes nothing
    control.SetPortOpen(true);
    EXPECT_FALSE(control.PortOpen());
    control.SetBaudCode(6);
    control.SetLineMode(1);
    control.SetPortOpen(true);
    EXPECT_FALSE(control.PortOpen());
    control.SetLineMode(0);
    control.SetPortOpen(true);
    ASSERT_TRUE(control.PortOpen());
    EXPECT_EQ(pty.LineBaud(), 38400);
    control.SetBaudCode(2); // on an open port at once
    EXPECT_EQ(pty.LineBaud(), 4800);
}

TEST_F(SerialPortControlTest, AReplyIsCompleteAtItsLengthAndOnlyNewBytesCount)
{
    control.SetPortOpen(true);
    Reply("stale");
    Exchange("\x01\x04", 7);
    Reply("\x01\x04\x02");
    EXPECT_TRUE(status.isEmpty());
    Reply(QByteArray("\x00\x1C\xAA\xBB\xCC", 5));
    EXPECT_EQ(
        std::pair(Codes(), control.ReceivedData()),
        std::pair(QList<qint32>{Platform::sscReplyComplete}, QByteArray("\x01\x04\x02\x00\x1C\xAA\xBB", 7)));
}

// An answer that never passes its test ends when the exchange's time runs out, with what came,
// including bytes whose notification had not been handled yet.
TEST_F(SerialPortControlTest, ATextReplyEndsOnItsCompletionTestOrWhenFlushedNeverAtAPause)
{
    control.SetPortOpen(true);
    control.SetReplyComplete([](const QByteArray &reply) { return reply.contains(">>"); });
    Exchange("WRITE\r", 0);
    EXPECT_FALSE(control.FlushReply()); // nothing came: no reply at all
    Reply("\r\n>", 300);
    EXPECT_TRUE(status.isEmpty());
    Reply(">");
    EXPECT_EQ(std::pair(Codes(), control.ReceivedData()),
              std::pair(QList<qint32>{Platform::sscReplyComplete}, QByteArray("\r\n>>")));
    Exchange("WRITE\r", 0);
    pty.Write("Err\r\n");
    EXPECT_TRUE(control.FlushReply());
    EXPECT_EQ(std::pair(Codes().size(), control.ReceivedData()),
              std::pair(qsizetype(2), QByteArray("Err\r\n")));
}

TEST_F(SerialPortControlTest, EndlessNoiseIsCutAtTheTextReplyCap)
{
    control.SetPortOpen(true);
    Exchange("READ\r", 0);
    const QByteArray noise(CSerialPortControl::kTextReplyCap + 100, 'x');
    for (qsizetype done = 0; done < noise.size(); QTest::qWait(5))
        done += pty.Write(noise.mid(done));
    QTest::qWait(20);
    EXPECT_EQ(std::pair(Codes().value(0), control.ReceivedData().size()),
              std::pair(qint32(Platform::sscReplyComplete), qsizetype(CSerialPortControl::kTextReplyCap)));
}

TEST_F(SerialPortControlTest, ADeviceThatGoesAwayIsReportedOnceAndClosed)
{
    control.SetPortOpen(true);
    Exchange("\x01", 5);
    pty.HangUp();
    QTest::qWait(50);
    EXPECT_FALSE(control.PortOpen());
    EXPECT_THAT(Codes(),
                ::testing::ElementsAre(::testing::AnyOf(Platform::sscReadError, Platform::sscLineLost)));
    control.StartExchange();
    QTest::qWait(20);
    EXPECT_EQ(Codes().last(), Platform::sscWriteError);
}

// A Windows-1252 settings file names the device with a byte that is no UTF-8: the open reaches
// that very path (a link to the terminal, named with the byte), and the message shows it as
// the user wrote it; the same path gone is told as a missing device.
TEST_F(SerialPortControlTest, ADevicePathOpensAsTheBytesTheSettingsFileHolds)
{
    QTemporaryDir folder;
    const QByteArray link = QFile::encodeName(folder.path()) + "/usb-caf\xe9-if00";
    ASSERT_EQ(symlink(QFile::encodeName(pty.SlaveName()).constData(), link.constData()), 0);
    ASSERT_TRUE(WriteFile(Platform::SettingsFilePath(), "[Ports]\r\nCOM1=" + link + "\r\n"));
    EXPECT_EQ(Platform::SerialDeviceName(0), folder.path() + "/usb-café-if00");
    control.SetPortOpen(true);
    ASSERT_TRUE(control.PortOpen());
    Exchange("\x01\x04", 7);
    control.SetPortOpen(false);
    ASSERT_EQ(::rename(link.constData(), (link + "-old").constData()), 0);
    control.SetPortOpen(true);
    EXPECT_EQ(std::pair(control.PortOpen(), control.PortFailure()),
              std::pair(false, Platform::EPortFailure::Missing));
}

} // namespace
