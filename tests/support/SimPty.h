#pragma once

#include <QByteArray>
#include <QString>

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
    SimPty();
    ~SimPty();
    SimPty(const SimPty &) = delete;
    SimPty &operator=(const SimPty &) = delete;

    QString SlaveName() const { return m_SlaveName; }
    int MasterFd() const { return m_Master; }
    bool IsOpen() const { return m_Master >= 0; }

    // Baud rate and bits per character (start, data, parity and stop bits) the program set.
    // Linux keeps a pseudo-terminal at 8 data bits without parity whatever is asked, so a
    // character is 10 or 11 bits (one or two stop bits).
    int LineBaud() const;
    double BitsPerCharacter() const;

    // Everything waiting on the master; empty when nothing is there.
    QByteArray ReadAvailable();
    // Bytes taken; fewer than given while the program has not read what came before.
    qsizetype Write(const QByteArray &bytes);
    // Closes the master: the program's port sees its device go away.
    void HangUp();

private:
    int m_Master = -1;
    int m_Slave = -1;
    QString m_SlaveName;
};
