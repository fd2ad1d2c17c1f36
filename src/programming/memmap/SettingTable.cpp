#include "programming/memmap/SettingTable.h"

#include "model/Configuration.h"

#include <functional>
#include <type_traits>

namespace MemMap {
namespace {

// A property Get/Set of the object Object of a configuration. The item goes to whichever of
// the two takes one: CConfiguration::Alarm(number) or CLinearize::CoordinateIn(point).
template <auto Object, auto Get, auto Set> struct CMember
{
    static auto &Target(CConfiguration &configuration, int item)
    {
        if constexpr (std::is_invocable_v<decltype(Object), CConfiguration &, int>)
            return std::invoke(Object, configuration, item);
        else
            return std::invoke(Object, configuration);
    }
    static qint16 Value(CConfiguration &configuration, int item)
    {
        auto &object = Target(configuration, item);
        if constexpr (std::is_invocable_v<decltype(Get), decltype(object), int>)
            return std::invoke(Get, object, item);
        else
            return std::invoke(Get, object);
    }
    static void SetValue(CConfiguration &configuration, int item, qint16 value)
    {
        auto &object = Target(configuration, item);
        if constexpr (std::is_invocable_v<decltype(Set), decltype(object), int, qint16>)
            std::invoke(Set, object, item, value);
        else
            std::invoke(Set, object, value);
    }
};

template <auto Object, auto Get, auto Set>
constexpr CAccessor kMember{&CMember<Object, Get, Set>::Value, &CMember<Object, Get, Set>::SetValue};

// The property Property of the object Object: its getter and the setter "Set" + Property.
#define IXO_PROPERTY(Object, Property)                                                                       \
    kMember<&CConfiguration::Object, &C##Object::Property, &C##Object::Set##Property>
// The setting that the property Property of the object Object holds, by the property's name.
#define IXO_SETTING(Object, Property) ESetting::Property, #Property, IXO_PROPERTY(Object, Property)

constexpr CAuxForm Whole(const char *pattern)
{
    return {EAuxForm::Whole, pattern};
}
constexpr CAuxForm TwoWay(const char *zeroText, const char *otherText, bool otherTextDecides = false)
{
    return {EAuxForm::TwoWay, nullptr, zeroText, otherText, otherTextDecides};
}
constexpr CAuxForm Named(std::span<const char *const> names)
{
    return {EAuxForm::Named, nullptr, nullptr, nullptr, false, names};
}
constexpr CAuxForm kElectrical{EAuxForm::Electrical};
constexpr CAuxForm kMeasure{EAuxForm::Measure};
constexpr CAuxForm kTenths{EAuxForm::Tenths};
constexpr CAuxForm kIntegrationTime{EAuxForm::IntegrationTime};
constexpr CAuxForm kSample{EAuxForm::Sample};
constexpr CAuxForm kNoText{EAuxForm::Whole, "0"}; // never written: the setting has no entry

constexpr const char *kRangeNames[] = {"r1", "r2", "r3", "r4", "r5", "r6"};
constexpr const char *kProbeSelectNames[] = {"tc", "rtd", "rESi"};
constexpr const char *kDisplayColorNames[] = {"rEd", "orAn", "GrEn"};
constexpr const char *kAlarmTypeNames[] = {"oFF", "do", "uP", "do.d", "uP.L", "do.L"};
constexpr const char *kAlarmColorNames[] = {"rEd", "orAn", "GrEn", "nonE"};
constexpr const char *kBaudRateNames[] = {"4.8", "9.6", "19.2", "38.4"};
constexpr const char *kDigitalInFunctionNames[] = {"C1", "C2", "C3"};

constexpr std::optional<CBounds> kAny;
constexpr std::optional<CBounds> In(qint16 min, qint16 max)
{
    return CBounds{min, max};
}

using enum ERepeat;
using enum ESend;

// One row a setting: the object and property that hold it (the setting is named after the
// property), the word of its first item in each image, its items, the values an import
// accepts, its auxiliary text and when that is sent; then, where it differs, the word's coding
// and the QEM manager's own property. The alarm block keeps the deactivation delay before the
// activation delay and the relay before the type: the instrument's order, not the class's. 0
// and 1 are counts of points an instrument may hold.
// clang-format off
constexpr CSettingRow kSettingTable[] = {
    // object, setting                             VAB/ZOB  QEM      items  bounds      auxiliary text                  sent
    {IXO_SETTING(Display, Password),               0,       0,       Once,  kAny,       Whole("0000"),                  Always},
    {IXO_SETTING(RangeVABZOB, Range),              1,       1,       Once,  In(0, 5),   Named(kRangeNames),             Always,
     EWordCode::Raw, IXO_PROPERTY(RangeQEM, Range)},
    {IXO_SETTING(RangeVABZOB, MeasureType),        2,       kNoWord, Once,  In(0, 1),   TwoWay("trnS", "dC"),           Always},
    {IXO_SETTING(RangeQEM, ProbeSelect),           kNoWord, 2,       Once,  In(0, 2),   Named(kProbeSelectNames),       Always},
    {IXO_SETTING(RangeVABZOB, IntegrationTime),    3,       kNoWord, Once,  kAny,       kIntegrationTime,               Always,
     EWordCode::IntegrationTime},
    {IXO_SETTING(RangeVABZOB, IntTime),            kNoWord, kNoWord, Once,  kAny,       kNoText,                        Always},
    {IXO_SETTING(RangeQEM, CJC),                   kNoWord, 3,       Once,  In(0, 1),   TwoWay("Auto", "nAn"),          Always},
    {IXO_SETTING(Display, DisplayDigit),           4,       4,       Once,  In(0, 1),   TwoWay("1999", "9999"),         Always},
    {IXO_SETTING(Display, DisplayColor),           5,       5,       Once,  In(0, 2),   Named(kDisplayColorNames),      Always},
    {IXO_SETTING(InOutScale, MinElectricScale),    6,       6,       Once,  kAny,       kElectrical,                    Always},
    {IXO_SETTING(InOutScale, MaxElectricScale),    7,       7,       Once,  kAny,       kElectrical,                    Always},
    {IXO_SETTING(InOutScale, MeasureDigitalPoint), 8,       8,       Once,  In(0, 3),   kSample,                        Always},
    {IXO_SETTING(InOutScale, MinMeasureScale),     9,       9,       Once,  kAny,       kMeasure,                       Always},
    {IXO_SETTING(InOutScale, MaxMeasureScale),     10,      10,      Once,  kAny,       kMeasure,                       Always},
    {IXO_SETTING(InOutScale, Linearizzazione),     11,      kNoWord, Once,  In(0, 1),   TwoWay("nonE", "YES"),          Always},
    {IXO_SETTING(Linearize, NumSpezzate),          12,      kNoWord, Once,  In(0, 16),  Whole("#0"),                    WithLinearization},
    {IXO_SETTING(Linearize, CoordinateIn),         13,      kNoWord, Point, kAny,       kElectrical,                    PointInUse},
    {IXO_SETTING(Linearize, CoordinateOut),        14,      kNoWord, Point, kAny,       kMeasure,                       PointInUse},
    {IXO_SETTING(Alarm, MinAlarmScale),            45,      45,      Alarm, kAny,       kMeasure,                       AlarmInUse},
    {IXO_SETTING(Alarm, MaxAlarmScale),            46,      46,      Alarm, kAny,       kMeasure,                       AlarmInUse},
    {IXO_SETTING(Alarm, AlarmSetPoint),            47,      47,      Alarm, kAny,       kMeasure,                       AlarmInUse},
    {IXO_SETTING(Alarm, Isteresi),                 48,      48,      Alarm, kAny,       kMeasure,                       AlarmInUse},
    {IXO_SETTING(Alarm, RitDisattivazione),        49,      49,      Alarm, kAny,       Whole("##0"),                   AlarmInUse},
    {IXO_SETTING(Alarm, RitAttivazione),           50,      50,      Alarm, kAny,       Whole("##0"),                   AlarmInUse},
    {IXO_SETTING(Alarm, RelayStatus),              51,      51,      Alarm, In(0, 1),   TwoWay("nE", "nd", true),       AlarmInUse},
    {IXO_SETTING(Alarm, AlarmType),                52,      52,      Alarm, In(0, 5),   Named(kAlarmTypeNames),         AlarmInUse},
    {IXO_SETTING(Alarm, AlarmColor),               53,      53,      Alarm, In(0, 3),   Named(kAlarmColorNames),        AlarmInUse},
    {IXO_SETTING(FiltroDigitale, Campo),           81,      81,      Once,  kAny,       kMeasure,                       Always},
    {IXO_SETTING(FiltroDigitale, Coeff),           82,      82,      Once,  kAny,       Whole("#0"),                    Always},
    {IXO_SETTING(AnalogOut, MinOut),               83,      83,      Once,  kAny,       kTenths,                        Always},
    {IXO_SETTING(AnalogOut, MaxOut),               84,      84,      Once,  kAny,       kTenths,                        Always},
    {IXO_SETTING(AnalogOut, TypeSignalOut),        85,      85,      Once,  In(0, 1),   TwoWay("U", "A"),               Always},
    {IXO_SETTING(SerialComm, NetworkAdd),          86,      86,      Once,  In(1, 255), Whole("##0"),                   Always},
    {IXO_SETTING(SerialComm, BaudRate),            87,      87,      Once,  In(0, 3),   Named(kBaudRateNames),          Always},
    {IXO_SETTING(RangeVABZOB, DigitalInFunction),  88,      88,      Once,  In(0, 2),   Named(kDigitalInFunctionNames), Always,
     EWordCode::Raw, IXO_PROPERTY(RangeQEM, DigitalInFunction)},
    {IXO_SETTING(RangeQEM, TempCJC),               kNoWord, 89,      Once,  kAny,       Whole("#0"),                    Always},
    {IXO_SETTING(ModInstr, SlotC),                 kNoWord, kNoWord, Once,  kAny,       kNoText,                        Always},
};
// clang-format on

#undef IXO_SETTING
#undef IXO_PROPERTY

constexpr bool RowsFollowTheSettings()
{
    for (size_t i = 0; i < std::size(kSettingTable); ++i)
        if (kSettingTable[i].Setting != ESetting(i))
            return false;
    return std::size(kSettingTable) == size_t(ESetting::SlotC) + 1;
}
static_assert(RowsFollowTheSettings(), "one row per setting, in the order of ESetting");

} // namespace

std::span<const CSettingRow> SettingTable()
{
    return kSettingTable;
}

const CSettingRow &SettingRow(ESetting setting)
{
    return kSettingTable[size_t(setting)];
}

} // namespace MemMap
