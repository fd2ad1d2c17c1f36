#include "platform/SerialPortControl.h"
#include "platform/SerialPortNames.h"
#include "platform/SettingsStore.h"
#include "support/SimPty.h"
#include "support/TempUserDirs.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSignalSpy>

#include <gmock/gmock.h>

namespace {

using Platform::CSerialPortControl;

void RunEventsFor(int milliseconds)
{
    QDeadlineTimer end(milliseconds);
    while (!end.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

// Statuses seen so far: (code, detail).
QList<qint32> Codes(const QSignalSpy &spy)
{
    QList<qint32> codes;
    for (const QList<QVariant> &arguments : spy)
        codes.append(arguments.at(0).toInt());
    return codes;
}

TEST(SerialPortNames, PortsSectionNamesTheDevices)
{
    TempUserDirs dirs;
    EXPECT_EQ(Platform::SerialDeviceName(3), QStringLiteral("/dev/ttyS3"));
    Platform::WriteSetting(QStringLiteral("Ports"), QStringLiteral("COM2"), QStringLiteral("/dev/ttyUSB0"));
    Platform::WriteSetting(QStringLiteral("Ports"), QStringLiteral("COM3"), QStringLiteral("  "));
    EXPECT_EQ(Platform::SerialDeviceName(1), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(Platform::SerialDeviceName(2), QStringLiteral("/dev/ttyS2"));
    EXPECT_TRUE(Platform::SerialDeviceName(4).isEmpty() && Platform::SerialDeviceName(-1).isEmpty());
}

class SerialPortControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Platform::WriteSetting(QStringLiteral("Ports"), QStringLiteral("COM1"), pty.SlaveName());
        control.SetPortNumber(0);
    }
    void Exchange(const QByteArray &frame, qint16 replyLength)
    {
        control.SetReplyLength(replyLength);
        control.SetOutput(frame);
        control.StartExchange();
        RunEventsFor(20);
        ASSERT_EQ(pty.ReadAvailable(), frame);
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
    pty.Write("stale");
    RunEventsFor(20);
    Exchange("\x01\x04", 7);
    pty.Write("\x01\x04\x02");
    RunEventsFor(20);
    EXPECT_TRUE(status.isEmpty());
    pty.Write(QByteArray("\x00\x1C\xAA\xBB\xCC", 5));
    RunEventsFor(20);
    EXPECT_THAT(Codes(status), ::testing::ElementsAre(Platform::sscReplyComplete));
    EXPECT_EQ(control.ReceivedData(), QByteArray("\x01\x04\x02\x00\x1C\xAA\xBB", 7));
}

TEST_F(SerialPortControlTest, ATextReplyEndsOnItsCompletionTestOrWhenFlushedNeverAtAPause)
{
    control.SetPortOpen(true);
    control.SetTextReplyComplete([](const QByteArray &reply) { return reply.contains(">>"); });
    Exchange("WRITE\r", 0);
    EXPECT_FALSE(control.FlushReply()); // nothing came: no reply at all
    pty.Write("\r\n>");
    RunEventsFor(300);
    EXPECT_TRUE(status.isEmpty());
    pty.Write(">");
    RunEventsFor(20);
    EXPECT_THAT(Codes(status), ::testing::ElementsAre(Platform::sscReplyComplete));
    EXPECT_EQ(control.ReceivedData(), QByteArray("\r\n>>"));
    // An answer that never passes ends when the exchange's time runs out, with what came,
    // including bytes whose notification had not been handled yet.
    Exchange("WRITE\r", 0);
    pty.Write("Err\r\n");
    EXPECT_TRUE(control.FlushReply());
    EXPECT_EQ(Codes(status).size(), 2);
    EXPECT_EQ(control.ReceivedData(), QByteArray("Err\r\n"));
}

TEST_F(SerialPortControlTest, EndlessNoiseIsCutAtTheTextReplyCap)
{
    control.SetPortOpen(true);
    Exchange("READ\r", 0);
    const QByteArray noise(CSerialPortControl::kTextReplyCap + 100, 'x');
    for (qsizetype done = 0; done < noise.size(); RunEventsFor(5))
        done += pty.Write(noise.mid(done));
    RunEventsFor(20);
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.first().at(0).toInt(), Platform::sscReplyComplete);
    EXPECT_EQ(control.ReceivedData().size(), CSerialPortControl::kTextReplyCap);
}

TEST_F(SerialPortControlTest, ADeviceThatGoesAwayIsReportedOnceAndClosed)
{
    control.SetPortOpen(true);
    Exchange("\x01", 5);
    pty.HangUp();
    RunEventsFor(50);
    EXPECT_FALSE(control.PortOpen());
    ASSERT_EQ(status.size(), 1);
    EXPECT_THAT(status.first().at(0).toInt(),
                ::testing::AnyOf(Platform::sscReadError, Platform::sscLineLost));
    control.StartExchange();
    RunEventsFor(20);
    EXPECT_EQ(Codes(status).last(), Platform::sscWriteError);
}

} // namespace
