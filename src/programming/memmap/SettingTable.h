#pragma once

#include "programming/memmap/MemMapLayout.h"

#include <QString>

#include <optional>
#include <span>

class CConfiguration;

// Everything the program knows about one setting of the instrument's memory, in one row: where
// each family's image keeps it, which property of the configuration holds it, which values an
// import accepts, how the auxiliary interface writes it and when it is sent there. The image
// layout, the image and auxiliary conversions, the import check and the configuration store all
// read this table.
//   SettingRow(ESetting::AlarmType): words 52 (VAB/ZOB and QEM), alarms 1 to 4 every 9 words,
//     CAlarm::AlarmType, bounds 0-5, texts "oFF" "do" "uP" "do.d" "uP.L" "do.L", only the
//     alarms of the relay module are sent
namespace MemMap {

// Which items a setting has: one (item 0), one per linearization point (items 0 to 15, the
// point's words two apart) or one per alarm (items 1 to 4, the blocks nine words apart).
enum class ERepeat { Once, Point, Alarm };

// How an image word holds the value. Coded: the VAB/ZOB integration time, whose word also
// carries IntTime (EncodeIntegrationTime).
enum class EWordCode { Raw, IntegrationTime };

// When the auxiliary write sends an entry; an entry not sent is "NoSend".
//   WithLinearization: linearization on       PointInUse: linearization on, item < NumSpezzate
//   AlarmInUse: the alarm belongs to the relay module of slot C (RelayModuleAlarms)
enum class ESend { Always, WithLinearization, PointInUse, AlarmInUse };

// The auxiliary text of a value:
//   Whole "0000"     the number in the pattern          Electrical  counts in the range's step
//   Measure          counts by the decimal point        Tenths      tenths, "##0.0"
//   IntegrationTime  "99.9" automatic, else IntTime in tenths of a second, "000.0"
//   TwoWay           one text for 0, another for every other value
//   Named            the value's name from 0 on         Sample      the decimal point's sample
enum class EAuxForm { Whole, Electrical, Measure, Tenths, IntegrationTime, TwoWay, Named, Sample };

struct CAuxForm
{
    EAuxForm Form;
    const char *Pattern = nullptr;   // Whole
    const char *ZeroText = nullptr;  // TwoWay: the text of 0
    const char *OtherText = nullptr; // TwoWay: the text of every other value
    // TwoWay, reading back: the text that decides is the one the instrument answers for its
    // special value; any other text gives the other value.
    bool OtherTextDecides = false;
    std::span<const char *const> Names = {}; // Named
};

// The values an imported image or a read listing may hold where the value picks a choice (a
// range row, a name, a count of points, a network address).
struct CBounds
{
    qint16 Min;
    qint16 Max;
};

// A property of the configuration, by item (the alarm number or the point).
struct CAccessor
{
    qint16 (*Get)(CConfiguration &configuration, int item) = nullptr;
    void (*Set)(CConfiguration &configuration, int item, qint16 value) = nullptr;
};

inline constexpr int kNoWord = -1;

struct CSettingRow
{
    ESetting Setting;
    const char *Name;
    CAccessor Access;
    // The word of the first item in each family's image; kNoWord where the family has none.
    int VABZOBWord;
    int QEMWord;
    ERepeat Repeat;
    std::optional<CBounds> Bounds;
    CAuxForm Aux;
    ESend Send;
    EWordCode Code = EWordCode::Raw;
    // The QEM manager's own property, where the two families keep the setting in different
    // objects (the range objects); none where both use Access.
    CAccessor QEMAccess = {};

    int Word(EFamily family) const { return family == EFamily::QEM ? QEMWord : VABZOBWord; }
    const CAccessor &AccessFor(EFamily family) const
    {
        return family == EFamily::QEM && QEMAccess.Get ? QEMAccess : Access;
    }
};

// Every setting, in the order of ESetting.
std::span<const CSettingRow> SettingTable();
const CSettingRow &SettingRow(ESetting setting);

inline QString SettingName(ESetting setting)
{
    return QString::fromLatin1(SettingRow(setting).Name);
}
inline std::optional<CBounds> SettingBounds(ESetting setting)
{
    return SettingRow(setting).Bounds;
}

} // namespace MemMap
