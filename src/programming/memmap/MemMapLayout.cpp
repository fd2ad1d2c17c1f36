#include "programming/memmap/MemMapLayout.h"

#include "model/ModInstr.h"
#include "programming/InstrumentRegisterMap.h"
#include "programming/memmap/SettingTable.h"

#include <algorithm>

namespace MemMap {
namespace {

QList<CImageWord> MakeLayout(EFamily family)
{
    QList<CImageWord> words;
    for (const CSettingRow &row : SettingTable()) {
        const int first = row.Word(family);
        if (first == kNoWord)
            continue;
        switch (row.Repeat) {
        case ERepeat::Once:
            words.append({first, row.Setting, 0});
            break;
        case ERepeat::Point:
            for (int k = 0; k < kPointCount; ++k)
                words.append({first + k * kPointWords, row.Setting, k});
            break;
        case ERepeat::Alarm:
            for (int n = 1; n <= kAlarmCount; ++n)
                words.append({first + (n - 1) * kAlarmBlockSize, row.Setting, n});
            break;
        }
    }
    std::sort(words.begin(), words.end(),
              [](const CImageWord &a, const CImageWord &b) { return a.Index < b.Index; });
    for (qsizetype i = 1; i < words.size(); ++i)
        Q_ASSERT(words.at(i - 1).Index < words.at(i).Index);
    Q_ASSERT(!words.isEmpty() && words.last().Index == WordCount(family) - 1);
    return words;
}

} // namespace

bool IsQEMCode(qint16 codificaModuli)
{
    return CModInstr::IsQEM(codificaModuli);
}

EFamily FamilyOfCode(qint16 codificaModuli)
{
    return IsQEMCode(codificaModuli) ? EFamily::QEM : EFamily::VABZOB;
}

int WordCount(EFamily family)
{
    return family == EFamily::QEM ? kQEMWordCount : kVABZOBWordCount;
}

quint16 RegisterOfWord(EFamily family, int index)
{
    if (family == EFamily::QEM && index == kQEMWordCount - 1)
        return kColdJunctionRegister;
    return quint16(kMemoryMapBaseAddress + index);
}

const QList<CImageWord> &ImageLayout(EFamily family)
{
    static const QList<CImageWord> vabzob = MakeLayout(EFamily::VABZOB);
    static const QList<CImageWord> qem = MakeLayout(EFamily::QEM);
    return family == EFamily::QEM ? qem : vabzob;
}

qint16 EncodeIntegrationTime(qint16 integrationTime, qint16 intTime)
{
    return integrationTime == 0 ? kAutomaticIntegrationWord : intTime;
}

CIntegrationTime DecodeIntegrationTime(qint16 word)
{
    if (word < 1000)
        return {0, kDefaultIntTime};
    return {1, word};
}

} // namespace MemMap
