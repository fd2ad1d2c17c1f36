#pragma once

#include "programming/link/RegisterFrame.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QVector>

#include <algorithm>
#include <iterator>

// One simulated instrument: its address on the line, its own baud rate and its registers.
// Every register reads as what was last stored in it (0 at first), except the network
// address (0xE056) and baud-rate (0xE057) words, which read as the instrument's current
// address and baud code (0 = 4800, 1 = 9600, 2 = 19200, 3 = 38400) and, written, change them
// only once the reply to that write has left.
class SimInstrument
{
public:
    SimInstrument(int address, int baud) : m_Address(address), m_Baud(baud) {}

    int Address() const { return m_Address; }
    void SetAddress(int address) { m_Address = address; }
    int Baud() const { return m_Baud; }
    void SetBaud(int baud) { m_Baud = baud; }

    qint16 Register(quint16 registerAddress) const
    {
        if (registerAddress == kNetworkAddressRegister)
            return qint16(m_Address);
        if (registerAddress == kBaudRateRegister)
            return qint16(CodeOfBaud(m_Baud));
        return m_Registers.value(registerAddress, 0);
    }
    void SetRegister(quint16 registerAddress, qint16 value)
    {
        if (registerAddress == kNetworkAddressRegister && value >= 1 && value <= 255)
            m_Address = value;
        else if (registerAddress == kBaudRateRegister && value >= 0 && value < 4)
            m_Baud = kBauds[value];
        else if (registerAddress != kNetworkAddressRegister && registerAddress != kBaudRateRegister)
            m_Registers.insert(registerAddress, value);
    }

    // Shorthands for the registers the program reads.
    void SetProbe(qint16 value) { SetRegister(kProbeRegister, value); } // 27 ZOB, 28 QEM
    void SetModuleCode(qint16 code) { SetRegister(kModuleCodeRegister, code); }
    void SetDecimalPoint(qint16 dp) { SetRegister(kDecimalPointRegister, dp); }
    void SetLiveValue(qint16 counts, qint16 status)
    {
        SetRegister(kLiveValueBlockRegister, counts);
        SetRegister(kLiveStatusRegister, status);
    }
    // Image word i at 0xE000 + i, word 89 at 0xE06C; words 86 and 87 set address and baud.
    void SetImage(const QVector<qint16> &words)
    {
        for (int i = 0; i < words.size(); ++i)
            SetRegister(ImageRegister(i), words[i]);
    }
    QVector<qint16> Image(int wordCount) const
    {
        QVector<qint16> words(wordCount);
        for (int i = 0; i < wordCount; ++i)
            words[i] = Register(ImageRegister(i));
        return words;
    }

    // A new network address takes effect before the echo of its write, which then comes from
    // the new address.
    void SetAnswersFromNewAddress(bool on) { m_AnswersFromNewAddress = on; }
    bool AnswersFromNewAddress() const { return m_AnswersFromNewAddress; }

    // A register write received from the program, in order (whatever it changed).
    void RecordWrite(quint16 registerAddress, qint16 value) { m_Writes.append({registerAddress, value}); }
    const QList<QPair<quint16, qint16>> &Writes() const { return m_Writes; }

    // -1 for a rate the instrument does not know.
    static int CodeOfBaud(int baud)
    {
        const int *found = std::find(std::begin(kBauds), std::end(kBauds), baud);
        return found == std::end(kBauds) ? -1 : int(found - kBauds);
    }

private:
    static constexpr int kBauds[] = {4800, 9600, 19200, 38400};
    static quint16 ImageRegister(int word)
    {
        return word == 89 ? kColdJunctionRegister : quint16(kMemoryMapBaseAddress + word);
    }

    int m_Address;
    int m_Baud;
    QHash<quint16, qint16> m_Registers;
    bool m_AnswersFromNewAddress = false;
    QList<QPair<quint16, qint16>> m_Writes;
};
