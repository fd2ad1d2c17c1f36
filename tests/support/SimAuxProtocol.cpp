#include "support/SimAuxProtocol.h"

#include "common/Cp1252.h"
#include "programming/link/AuxProtocol.h"
#include "programming/memmap/AuxCommandTable.h"

namespace {

constexpr int kVABZOBItems = 89;
constexpr int kQEMItems = 90;
constexpr int kFirstLinearizationItem = 11;
constexpr int kLastLinearizationItem = 44;
constexpr int kFirstAlarmItem = 45;
constexpr int kAlarmItems = 9;

const QByteArray kLineEnd = "\r\n";
const QByteArray kRefusal = "Err\r\n";

// What a new instrument holds: plain values of every item's own form. Entries 0 to 11 and 81
// to 89 one by one, then each point and alarm block alike (QEM differs in entries 2 and 3).
QString FactoryValue(MemMap::EFamily family, int index)
{
    static const char *const head[] = {"0000", "r1",   "dC",    "99.9", "9999",  "rEd",
                                       "0.0",  "20.0", "111.1", "0.0",  "100.0", "nonE"};
    static const char *const tail[] = {"0.0", "0", "0.0", "10.0", "U", "1", "9.6", "C1", "25"};
    static const char *const alarm[kAlarmItems] = {"0.0", "100.0", "50.0", "1.0", "0",
                                                   "0",   "nE",    "oFF",  "rEd"};
    if (family == MemMap::EFamily::QEM && (index == 2 || index == 3))
        return QLatin1String(index == 2 ? "tc" : "Auto");
    if (index <= kFirstLinearizationItem)
        return QLatin1String(head[index]);
    if (index <= kLastLinearizationItem)
        return QStringLiteral("0");
    if (index < kFirstAlarmItem + 4 * kAlarmItems)
        return QLatin1String(alarm[(index - kFirstAlarmItem) % kAlarmItems]);
    return QLatin1String(tail[index - kFirstAlarmItem - 4 * kAlarmItems]);
}

} // namespace

SimAuxProtocol::SimAuxProtocol(MemMap::EFamily family)
{
    SetFamily(family);
}

void SimAuxProtocol::SetFamily(MemMap::EFamily family)
{
    m_Family = family;
    m_Settings.clear();
    for (const int index : Indices())
        m_Settings.insert(MemMap::AuxKey(family, index), FactoryValue(family, index));
    m_Commands.clear();
    m_Refused.clear();
    m_Omitted.clear();
    m_WriteMode = false;
    m_LowerCaseOk = false;
    m_NoiseAroundOk = false;
}

QList<int> SimAuxProtocol::Indices() const
{
    QList<int> indices;
    const int count = m_Family == MemMap::EFamily::QEM ? kQEMItems : kVABZOBItems;
    for (int index = 0; index < count; ++index)
        if (m_Family != MemMap::EFamily::QEM || index < kFirstLinearizationItem ||
            index > kLastLinearizationItem)
            indices.append(index);
    return indices;
}

QStringList SimAuxProtocol::Keys() const
{
    QStringList keys;
    for (const int index : Indices())
        keys.append(MemMap::AuxKey(m_Family, index));
    return keys;
}

bool SimAuxProtocol::TakeRequest(QByteArray &input, QByteArray &request)
{
    const qsizetype end = input.indexOf('\r');
    if (end < 0)
        return false;
    request = input.left(end);
    input.remove(0, end + 1);
    // A terminal may send CR LF: the LF starts the next request.
    while (request.startsWith('\n'))
        request.remove(0, 1);
    return true;
}

SimInstrument *SimAuxProtocol::Addressee(const QList<SimInstrument *> &instruments, const QByteArray &request)
{
    return instruments.isEmpty() || request.isEmpty() ? nullptr : instruments.front();
}

bool SimAuxProtocol::IsRefused(const QString &request) const
{
    for (const QString &start : m_Refused)
        if (request.startsWith(start))
            return true;
    return false;
}

SimAnswer SimAuxProtocol::Answer(SimInstrument &, const QByteArray &request)
{
    const QString text = FromCp1252(request);
    if (IsRefused(text))
        return {kRefusal, {}};
    if (text == kAuxWriteCommand) {
        m_WriteMode = true;
        return {kLineEnd + ToCp1252(AuxReadyPrompt()), {}};
    }
    if (text == kAuxEndCommand) {
        m_WriteMode = false;
        return {ToCp1252(kAuxWriteClosed) + kLineEnd, {}};
    }
    if (text == kAuxReadCommand)
        return {Listing(), {}};
    return {SettingAnswer(text), {}};
}

QByteArray SimAuxProtocol::SettingAnswer(const QString &request)
{
    const qsizetype keyEnd = request.indexOf(QLatin1Char('='));
    const QString key = request.left(keyEnd + 1);
    if (!m_WriteMode || keyEnd < 0 || !m_Settings.contains(key))
        return kRefusal;
    m_Settings.insert(key, request.mid(keyEnd + 1));
    m_Commands.append(request);
    const QByteArray ok = m_LowerCaseOk ? QByteArray("ok") : ToCp1252(kAuxSettingAccepted);
    if (!m_NoiseAroundOk)
        return ok + kLineEnd;
    const QByteArray prompt = ToCp1252(AuxReadyPrompt());
    return prompt + kLineEnd + ok + kLineEnd + prompt;
}

QByteArray SimAuxProtocol::Listing() const
{
    QByteArray listing = kLineEnd;
    for (const QString &key : Keys())
        if (!m_Omitted.contains(key))
            listing += ToCp1252(key + m_Settings.value(key)) + kLineEnd;
    return listing;
}

QByteArray SimAuxProtocol::Spoil(SimFault, const QByteArray &reply)
{
    // Text carries no CRC or address to spoil.
    return reply;
}
