#include "support/SimPty.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <utility>

SimPty::SimPty()
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

SimPty::~SimPty()
{
    HangUp();
    if (m_Slave >= 0)
        ::close(m_Slave);
}

int SimPty::LineBaud() const
{
    const std::pair<speed_t, int> rates[] = {{B4800, 4800}, {B9600, 9600}, {B19200, 19200}, {B38400, 38400}};
    termios settings{};
    if (m_Master >= 0 && tcgetattr(m_Master, &settings) == 0)
        for (const auto &[code, baud] : rates)
            if (code == cfgetospeed(&settings))
                return baud;
    return 0;
}

double SimPty::BitsPerCharacter() const
{
    termios settings{};
    const bool twoStopBits =
        m_Master >= 0 && tcgetattr(m_Master, &settings) == 0 && (settings.c_cflag & CSTOPB);
    return twoStopBits ? 11 : 10;
}

QByteArray SimPty::ReadAvailable()
{
    QByteArray bytes;
    char buffer[512];
    while (m_Master >= 0) {
        const ssize_t count = ::read(m_Master, buffer, sizeof buffer);
        if (count <= 0)
            break;
        bytes.append(buffer, count);
    }
    return bytes;
}

qsizetype SimPty::Write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (m_Master >= 0 && done < bytes.size()) {
        const ssize_t count = ::write(m_Master, bytes.constData() + done, size_t(bytes.size() - done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        done += count;
    }
    return done;
}

void SimPty::HangUp()
{
    if (m_Master < 0)
        return;
    ::close(m_Master);
    m_Master = -1;
}
