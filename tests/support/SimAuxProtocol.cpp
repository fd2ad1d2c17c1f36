#include "platform/Cp1252.h"
#include "programming/link/AuxProtocol.h"
#include "programming/memmap/AuxCommandTable.h"
#include "support/SimAuxLine.h"

namespace {

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

void SimAuxProtocol::SetFamily(MemMap::EFamily family)
{
    *this = SimAuxProtocol();
    m_Family = family;
    m_Acknowledgement = ToCp1252(kAuxSettingAccepted) + kLineEnd;
    for (int index = 0; index < MemMap::WordCount(family); ++index)
        if (family != MemMap::EFamily::QEM || index < kFirstLinearizationItem ||
            index > kLastLinearizationItem)
            m_Settings.insert(MemMap::AuxKey(family, index), FactoryValue(family, index));
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

SimAnswer SimAuxProtocol::Answer(SimInstrument &, const QByteArray &request)
{
    const QString text = FromCp1252(request);
    for (const QString &start : m_Refused)
        if (text.startsWith(start))
            return {kRefusal, {}};
    if (text == kAuxWriteCommand) {
        m_WriteMode = true;
        return {kLineEnd + ToCp1252(AuxReadyPrompt()), {}};
    }
    if (text == kAuxEndCommand) {
        m_WriteMode = false;
        return {ToCp1252(kAuxWriteClosed) + kLineEnd, {}};
    }
    if (text == kAuxReadCommand) {
        QByteArray listing = kLineEnd;
        for (int index = 0; index < MemMap::WordCount(m_Family); ++index)
            if (const QString key = MemMap::AuxKey(m_Family, index);
                m_Settings.contains(key) && !m_Omitted.contains(key))
                listing += ToCp1252(key + m_Settings.value(key)) + kLineEnd;
        return {listing, {}};
    }
    const QString key = text.left(text.indexOf(QLatin1Char('=')) + 1);
    if (!m_WriteMode || key.isEmpty() || !m_Settings.contains(key))
        return {kRefusal, {}};
    m_Settings.insert(key, text.mid(key.size()));
    return {m_Acknowledgement, {}};
}
