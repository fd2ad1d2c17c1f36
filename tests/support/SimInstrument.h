#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QVector>

// One simulated instrument: its address on the line, its own baud rate and its registers.
// Every register reads as what was last stored in it (0 at first), except the network
// address (0xE056) and baud-rate (0xE057) words, which read as the instrument's current
// address and baud code (0 = 4800, 1 = 9600, 2 = 19200, 3 = 38400) and, written, change them
// only once the reply to that write has left.
class SimInstrument
{
public:
    SimInstrument(int address, int baud);

    int Address() const { return m_Address; }
    void SetAddress(int address) { m_Address = address; }
    int Baud() const { return m_Baud; }
    void SetBaud(int baud) { m_Baud = baud; }

    qint16 Register(quint16 registerAddress) const;
    void SetRegister(quint16 registerAddress, qint16 value);

    // Shorthands for the registers the program reads.
    void SetProbe(qint16 value);                     // 0x000B: 27 ZOB, 28 QEM
    void SetModuleCode(qint16 code);                 // 0x3004
    void SetLiveValue(qint16 counts, qint16 status); // 0x3001, 0x3005
    void SetDecimalPoint(qint16 dp);                 // 0xE008
    // Image word i at 0xE000 + i, word 89 at 0xE06C; words 86 and 87 set address and baud.
    void SetImage(const QVector<qint16> &words);
    QVector<qint16> Image(int wordCount) const;

    // A new network address takes effect before the echo of its write, which then comes from
    // the new address.
    void SetAnswersFromNewAddress(bool on) { m_AnswersFromNewAddress = on; }
    bool AnswersFromNewAddress() const { return m_AnswersFromNewAddress; }

    // Requests naming this register as their first get no answer at all, as if lost.
    void SetSilentRegister(quint16 registerAddress) { m_SilentRegisters.insert(registerAddress); }
    bool IsSilentAt(quint16 registerAddress) const { return m_SilentRegisters.contains(registerAddress); }

    // A register write received from the program, in order (whatever it changed).
    void RecordWrite(quint16 registerAddress, qint16 value) { m_Writes.append({registerAddress, value}); }
    const QList<QPair<quint16, qint16>> &Writes() const { return m_Writes; }

    static int BaudOfCode(int code);
    static int CodeOfBaud(int baud);

private:
    int m_Address;
    int m_Baud;
    QHash<quint16, qint16> m_Registers;
    bool m_AnswersFromNewAddress = false;
    QSet<quint16> m_SilentRegisters;
    QList<QPair<quint16, qint16>> m_Writes;
};
