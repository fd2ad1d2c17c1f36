#include "programming/memmap/MemMapLayout.h"

#include "programming/link/RegisterFrame.h"

#include "model/ModInstr.h"

namespace MemMap {
namespace {

// The alarm block keeps the deactivation delay before the activation delay and the relay
// before the type: the instrument's order, not the class's.
constexpr ESetting kAlarmBlock[kAlarmBlockSize] = {
    ESetting::MinAlarmScale, ESetting::MaxAlarmScale,     ESetting::AlarmSetPoint,
    ESetting::Isteresi,      ESetting::RitDisattivazione, ESetting::RitAttivazione,
    ESetting::RelayStatus,   ESetting::AlarmType,         ESetting::AlarmColor,
};

constexpr ESetting kTail[] = {
    ESetting::Campo,         ESetting::Coeff,      ESetting::MinOut,   ESetting::MaxOut,
    ESetting::TypeSignalOut, ESetting::NetworkAdd, ESetting::BaudRate, ESetting::DigitalInFunction};

QList<CImageWord> MakeLayout(EFamily family)
{
    const bool qem = family == EFamily::QEM;
    QList<CImageWord> words;
    auto add = [&words](ESetting setting, int item = 0) {
        words.append({words.isEmpty() ? 0 : words.last().Index + 1, setting, item});
    };
    add(ESetting::Password);
    add(ESetting::Range);
    add(qem ? ESetting::ProbeSelect : ESetting::MeasureType);
    add(qem ? ESetting::CJC : ESetting::IntegrationTime);
    for (ESetting s : {ESetting::DisplayDigit, ESetting::DisplayColor, ESetting::MinElectricScale,
                       ESetting::MaxElectricScale, ESetting::MeasureDigitalPoint, ESetting::MinMeasureScale,
                       ESetting::MaxMeasureScale})
        add(s);
    if (!qem) {
        add(ESetting::Linearizzazione);
        add(ESetting::NumSpezzate);
        for (int k = 0; k < kPointCount; ++k) {
            add(ESetting::CoordinateIn, k);
            add(ESetting::CoordinateOut, k);
        }
    }
    int index = kFirstAlarmWord;
    for (int n = 1; n <= kAlarmCount; ++n)
        for (ESetting s : kAlarmBlock)
            words.append({index++, s, n});
    for (ESetting s : kTail)
        words.append({index++, s, 0});
    if (qem)
        words.append({index++, ESetting::TempCJC, 0});
    Q_ASSERT(index == WordCount(family));
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
