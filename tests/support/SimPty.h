#pragma once

#include <QByteArray>
#include <QString>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>
#include <utility>

// A pseudo-terminal pair seen from the instrument's side. The program opens the slave end
// like any serial device; the simulator reads and writes the master end. The slave stays open
// here too, so the master never sees a hang-up while the program has its port closed, and it
// starts raw, so a reply written while the program's port is closed is never echoed back.
//
// The line speed: a pseudo-terminal moves bytes at once whatever its settings, but it keeps
// the settings the program made on the slave, and tcgetattr on the master reads them. So
// LineBaud() is the baud rate the program set, and the simulator answers only when that is
// its own.
class SimPty
{
public:
    SimPty()
    {
        char name[128] = {};
        if (openpty(&m_Master, &m_Slave, name, nullptr, nullptr) != 0)
            throw std::runtime_error("openpty failed");
        m_SlaveName = QString::fromLocal8Bit(name);
        termios settings{};
        tcgetattr(m_Slave, &settings);
        cfmakeraw(&settings);
        cfsetspeed(&settings, B9600);
        tcsetattr(m_Slave, TCSANOW, &settings);
        fcntl(m_Master, F_SETFL, fcntl(m_Master, F_GETFL) | O_NONBLOCK);
    }
    ~SimPty()
    {
        HangUp();
        ::close(m_Slave);
    }
    SimPty(const SimPty &) = delete;
    SimPty &operator=(const SimPty &) = delete;

    QString SlaveName() const { return m_SlaveName; }
    int MasterFd() const { return m_Master; }
    bool IsOpen() const { return m_Master >= 0; }

    // The baud rate the program set (0: none the instruments know).
    int LineBaud() const
    {
        termios settings{};
        const std::pair<speed_t, int> rates[] = {
            {B4800, 4800}, {B9600, 9600}, {B19200, 19200}, {B38400, 38400}};
        for (const auto &[code, baud] : rates)
            if (m_Master >= 0 && tcgetattr(m_Master, &settings) == 0 && cfgetospeed(&settings) == code)
                return baud;
        return 0;
    }
    // Start, data, parity and stop bits of a character. Linux keeps a pseudo-terminal at 8
    // data bits without parity whatever is asked, so a character is 10 or 11 bits.
    double BitsPerCharacter() const
    {
        termios settings{};
        return m_Master >= 0 && tcgetattr(m_Master, &settings) == 0 && (settings.c_cflag & CSTOPB) ? 11 : 10;
    }

    // What is waiting on the master; empty when nothing is there.
    QByteArray ReadAvailable()
    {
        char buffer[4096];
        const ssize_t count = m_Master >= 0 ? ::read(m_Master, buffer, sizeof buffer) : 0;
        return QByteArray(buffer, qMax<qsizetype>(count, 0));
    }
    // Bytes taken; fewer than given while the program has not read what came before.
    qsizetype Write(const QByteArray &bytes)
    {
        return m_Master >= 0 ? qMax<qsizetype>(::write(m_Master, bytes.constData(), size_t(bytes.size())), 0)
                             : 0;
    }
    // Closes the master: the program's port sees its device go away.
    void HangUp()
    {
        if (m_Master >= 0)
            ::close(std::exchange(m_Master, -1));
    }

private:
    int m_Master = -1;
    int m_Slave = -1;
    QString m_SlaveName;
};
