#pragma once

#include <QList>
#include <QtGlobal>

// The instrument's memory image: the 16-bit words it keeps from register 0xE000 on. Two module
// families lay it out differently, chosen by the slot-A bits of the module code word:
//   FamilyOfCode(0xCE1F) -> EFamily::QEM      FamilyOfCode(0x0800) -> EFamily::VABZOB
//   WordCount(QEM) -> 90                      RegisterOfWord(QEM, 89) -> 0xE06C
namespace MemMap {

enum class EFamily { VABZOB, QEM };

inline constexpr int kVABZOBWordCount = 89;
inline constexpr int kQEMWordCount = 90;
inline constexpr int kPointCount = 16;
inline constexpr int kAlarmCount = 4;
inline constexpr int kAlarmBlockSize = 9;
inline constexpr int kPointWords = 2;

bool IsQEMCode(qint16 codificaModuli);
EFamily FamilyOfCode(qint16 codificaModuli);
int WordCount(EFamily family);
quint16 RegisterOfWord(EFamily family, int index);

// The configuration properties the images carry, each a row of the setting table
// (SettingTable.h). An image word (and the auxiliary entry of the same index) carries one of
// them; a setting may appear several times: the linearization points and the alarm blocks carry
// an item number. IntTime shares word 3 with IntegrationTime, and SlotC only decides which alarm
// texts are sent: neither has a word of its own.
enum class ESetting {
    Password,
    Range,
    MeasureType,
    ProbeSelect,
    IntegrationTime,
    IntTime,
    CJC,
    DisplayDigit,
    DisplayColor,
    MinElectricScale,
    MaxElectricScale,
    MeasureDigitalPoint,
    MinMeasureScale,
    MaxMeasureScale,
    Linearizzazione,
    NumSpezzate,
    CoordinateIn,
    CoordinateOut,
    MinAlarmScale,
    MaxAlarmScale,
    AlarmSetPoint,
    Isteresi,
    RitDisattivazione,
    RitAttivazione,
    RelayStatus,
    AlarmType,
    AlarmColor,
    Campo,
    Coeff,
    MinOut,
    MaxOut,
    TypeSignalOut,
    NetworkAdd,
    BaudRate,
    DigitalInFunction,
    TempCJC,
    SlotC,
};

struct CImageWord
{
    int Index;
    ESetting Setting;
    int Item; // point 0-15 for the linearization, alarm 1-4 for an alarm block, else 0
};

// Every word the family converts, in index order, as the setting table places them: VAB/ZOB 0
// to 88, QEM 0 to 10 and 45 to 89 (the QEM image has no linearization; its words 11 to 44 stay
// as they are).
const QList<CImageWord> &ImageLayout(EFamily family);

// VAB/ZOB word 3. Automatic is the reserved value 999; anything below 1000 that comes back
// reads as automatic with the default manual time.
//   EncodeIntegrationTime(0, 250) -> 999     DecodeIntegrationTime(999)  -> {0, 1000}
//   EncodeIntegrationTime(1, 1500) -> 1500   DecodeIntegrationTime(1500) -> {1, 1500}
struct CIntegrationTime
{
    qint16 IntegrationTime;
    qint16 IntTime;
};
inline constexpr qint16 kAutomaticIntegrationWord = 999;
inline constexpr qint16 kDefaultIntTime = 1000;
qint16 EncodeIntegrationTime(qint16 integrationTime, qint16 intTime);
CIntegrationTime DecodeIntegrationTime(qint16 word);

} // namespace MemMap
