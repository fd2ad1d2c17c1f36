#include "support/SimInstrument.h"

#include "programming/link/RegisterFrame.h"

namespace {

constexpr int kBaudOfCode[] = {4800, 9600, 19200, 38400};
constexpr int kColdJunctionWord = 89;

quint16 ImageRegister(int word)
{
    return word == kColdJunctionWord ? kColdJunctionRegister : quint16(kMemoryMapBaseAddress + word);
}

} // namespace

SimInstrument::SimInstrument(int address, int baud) : m_Address(address), m_Baud(baud) {}

int SimInstrument::BaudOfCode(int code)
{
    return code >= 0 && code < 4 ? kBaudOfCode[code] : 0;
}

int SimInstrument::CodeOfBaud(int baud)
{
    for (int code = 0; code < 4; ++code)
        if (kBaudOfCode[code] == baud)
            return code;
    return -1;
}

qint16 SimInstrument::Register(quint16 registerAddress) const
{
    if (registerAddress == kNetworkAddressRegister)
        return qint16(m_Address);
    if (registerAddress == kBaudRateRegister)
        return qint16(CodeOfBaud(m_Baud));
    return m_Registers.value(registerAddress, 0);
}

void SimInstrument::SetRegister(quint16 registerAddress, qint16 value)
{
    if (registerAddress == kNetworkAddressRegister) {
        if (value >= 1 && value <= 255)
            m_Address = value;
    } else if (registerAddress == kBaudRateRegister) {
        if (BaudOfCode(value) != 0)
            m_Baud = BaudOfCode(value);
    } else {
        m_Registers.insert(registerAddress, value);
    }
}

void SimInstrument::SetProbe(qint16 value)
{
    SetRegister(kProbeRegister, value);
}
void SimInstrument::SetModuleCode(qint16 code)
{
    SetRegister(kModuleCodeRegister, code);
}
void SimInstrument::SetDecimalPoint(qint16 dp)
{
    SetRegister(kDecimalPointRegister, dp);
}

void SimInstrument::SetLiveValue(qint16 counts, qint16 status)
{
    SetRegister(kLiveValueBlockRegister, counts);
    SetRegister(kLiveStatusRegister, status);
}

void SimInstrument::SetImage(const QVector<qint16> &words)
{
    for (int i = 0; i < words.size(); ++i)
        SetRegister(ImageRegister(i), words[i]);
}

QVector<qint16> SimInstrument::Image(int wordCount) const
{
    QVector<qint16> words(wordCount);
    for (int i = 0; i < wordCount; ++i)
        words[i] = Register(ImageRegister(i));
    return words;
}
