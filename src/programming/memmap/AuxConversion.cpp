#include "programming/memmap/AuxConversion.h"

#include "programming/memmap/AuxCommandTable.h"
#include "programming/memmap/AuxText.h"
#include "programming/memmap/ImageConversion.h"
#include "programming/memmap/MemMapError.h"

namespace MemMap {
namespace {

constexpr int kNumSpezzateWord = 12;
const QString kAutomaticIntegrationText = QStringLiteral("99.9");

// A setting with two texts: the one for 0 and the one for every other value. Reading back,
// the text that decides is the one the instrument answers for its special value; anything
// else gives the other value.
struct CTwoWay
{
    ESetting Setting;
    const char *ZeroText;
    const char *OtherText;
    bool OtherTextDecides;
};
constexpr CTwoWay kTwoWays[] = {
    {ESetting::MeasureType, "trnS", "dC", false},    {ESetting::CJC, "Auto", "nAn", false},
    {ESetting::DisplayDigit, "1999", "9999", false}, {ESetting::Linearizzazione, "nonE", "YES", false},
    {ESetting::TypeSignalOut, "U", "A", false},      {ESetting::RelayStatus, "nE", "nd", true},
};

const CTwoWay *TwoWayOf(ESetting setting)
{
    for (const CTwoWay &t : kTwoWays)
        if (t.Setting == setting)
            return &t;
    return nullptr;
}

enum class EForm { Whole, Electrical, Measure, Tenths, Named, TwoWay, IntegrationTime };

struct CForm
{
    EForm Form;
    const char *Pattern = nullptr; // Whole
};

CForm FormOf(ESetting setting)
{
    switch (setting) {
    case ESetting::Password:
        return {EForm::Whole, "0000"};
    case ESetting::NumSpezzate:
    case ESetting::Coeff:
    case ESetting::TempCJC:
        return {EForm::Whole, "#0"};
    case ESetting::RitDisattivazione:
    case ESetting::RitAttivazione:
    case ESetting::NetworkAdd:
        return {EForm::Whole, "##0"};
    case ESetting::MinElectricScale:
    case ESetting::MaxElectricScale:
    case ESetting::CoordinateIn:
        return {EForm::Electrical};
    case ESetting::MinMeasureScale:
    case ESetting::MaxMeasureScale:
    case ESetting::CoordinateOut:
    case ESetting::MinAlarmScale:
    case ESetting::MaxAlarmScale:
    case ESetting::AlarmSetPoint:
    case ESetting::Isteresi:
    case ESetting::Campo:
        return {EForm::Measure};
    case ESetting::MinOut:
    case ESetting::MaxOut:
        return {EForm::Tenths};
    case ESetting::IntegrationTime:
        return {EForm::IntegrationTime};
    default:
        return {TwoWayOf(setting) ? EForm::TwoWay : EForm::Named};
    }
}

QStringList NamesOf(ESetting setting, const CAuxContext &context)
{
    switch (setting) {
    case ESetting::Range:
        return RangeNames();
    case ESetting::ProbeSelect:
        return ProbeSelectNames();
    case ESetting::DisplayColor:
        return DisplayColorNames();
    case ESetting::MeasureDigitalPoint:
        return context.DecPointSamples;
    case ESetting::AlarmType:
        return AlarmTypeNames();
    case ESetting::AlarmColor:
        return AlarmColorNames();
    case ESetting::BaudRate:
        return BaudRateNames();
    case ESetting::DigitalInFunction:
        return DigitalInFunctionNames();
    default:
        Q_UNREACHABLE();
    }
}

// The decoders' fault texts name the property, the range's in lower case.
QString FaultText(ESetting setting)
{
    return QStringLiteral("Errore valore ") +
           (setting == ESetting::Range ? QStringLiteral("range") : SettingName(setting));
}

[[noreturn]] void RaiseNoText(ESetting setting, qint16 value)
{
    RaiseMemMapError(kAuxNameMissing, FaultText(setting) + QStringLiteral(": ") + QString::number(value));
}

// Electrical texts need a row of the scale tables, measure texts one of the decimal-point
// tables; a configuration whose range, probe or decimal point has none cannot be written.
CScaleStep ElectricalStep(const ISettingStore &store, const CAuxContext &context)
{
    if (!context.Electrical)
        RaiseNoText(ESetting::Range, store.Value(ESetting::Range, 0));
    return *context.Electrical;
}

CScaleStep MeasureStep(const ISettingStore &store, const CAuxContext &context)
{
    const qint16 dp = store.Value(ESetting::MeasureDigitalPoint, 0);
    if (dp < 0 || dp >= context.DecimalPoints.size())
        RaiseNoText(ESetting::MeasureDigitalPoint, dp);
    return context.DecimalPoints.at(dp);
}

QString ScaledText(qint16 value, const CScaleStep &step)
{
    return PointText(value * step.Step, step.Format);
}

QString WriteText(const CImageWord &w, const ISettingStore &store, const CAuxContext &context)
{
    const qint16 value = store.Value(w.Setting, w.Item);
    const CForm form = FormOf(w.Setting);
    switch (form.Form) {
    case EForm::Whole:
        return PointText(value, QString::fromLatin1(form.Pattern));
    case EForm::Electrical:
        return ScaledText(value, ElectricalStep(store, context));
    case EForm::Measure:
        return ScaledText(value, MeasureStep(store, context));
    case EForm::Tenths:
        return PointText(value * 0.1, QStringLiteral("##0.0"));
    case EForm::IntegrationTime:
        if (value == 0)
            return kAutomaticIntegrationText;
        return PointText(store.Value(ESetting::IntTime, 0) / 10.0, QStringLiteral("000.0"));
    case EForm::TwoWay: {
        const CTwoWay *t = TwoWayOf(w.Setting);
        return QString::fromLatin1(value == 0 ? t->ZeroText : t->OtherText);
    }
    case EForm::Named: {
        const QStringList names = NamesOf(w.Setting, context);
        if (value < 0 || value >= names.size())
            RaiseNoText(w.Setting, value);
        return names.at(value);
    }
    }
    Q_UNREACHABLE();
}

void ReadText(const CImageWord &w, const QString &text, EFamily family, const CAuxContext &context,
              ISettingStore &store)
{
    auto fail = [&]() {
        RaiseMemMapError(kAuxValueInvalid,
                         FaultText(w.Setting) + QStringLiteral(": ") + AuxCommand(family, w.Index, text));
    };
    auto number = [&](std::optional<qint16> parsed) {
        if (!parsed)
            fail();
        return *parsed;
    };
    const CForm form = FormOf(w.Setting);
    switch (form.Form) {
    case EForm::Whole: {
        // A count or an address the instrument cannot hold is refused as the import refuses it.
        const qint16 value = number(WholeNumberOfText(text));
        const std::optional<CBounds> bounds = SettingBounds(w.Setting);
        if (bounds && (value < bounds->Min || value > bounds->Max))
            fail();
        store.SetValue(w.Setting, w.Item, value);
        return;
    }
    case EForm::Electrical:
    case EForm::Measure:
    case EForm::Tenths:
        store.SetValue(w.Setting, w.Item, number(CountOfText(text)));
        return;
    case EForm::IntegrationTime:
        if (text == kAutomaticIntegrationText) {
            store.SetValue(ESetting::IntegrationTime, 0, 0);
            store.SetValue(ESetting::IntTime, 0, kDefaultIntTime);
        } else {
            const qint16 intTime = number(CountOfText(text));
            store.SetValue(ESetting::IntegrationTime, 0, 1);
            store.SetValue(ESetting::IntTime, 0, intTime);
        }
        return;
    case EForm::TwoWay: {
        const CTwoWay *t = TwoWayOf(w.Setting);
        const bool isOther =
            t->OtherTextDecides ? text == QLatin1String(t->OtherText) : text != QLatin1String(t->ZeroText);
        store.SetValue(w.Setting, w.Item, isOther ? 1 : 0);
        return;
    }
    case EForm::Named: {
        const std::optional<int> index = IndexOfName(NamesOf(w.Setting, context), text);
        if (!index)
            fail();
        store.SetValue(w.Setting, w.Item, qint16(*index));
        return;
    }
    }
}

bool IsLinearization(ESetting setting)
{
    return setting == ESetting::NumSpezzate || setting == ESetting::CoordinateIn ||
           setting == ESetting::CoordinateOut;
}

bool IsSent(const CImageWord &w, const ISettingStore &store)
{
    if (IsLinearization(w.Setting)) {
        if (store.Value(ESetting::Linearizzazione, 0) != 1)
            return false;
        return w.Index == kNumSpezzateWord || w.Item < store.Value(ESetting::NumSpezzate, 0);
    }
    if (w.Index >= kFirstAlarmWord && w.Index < kFirstAlarmWord + kAlarmCount * kAlarmBlockSize)
        return w.Item <= AlarmsInUse(store.Value(ESetting::SlotC, 0));
    return true;
}

} // namespace

int AlarmsInUse(qint16 slotC)
{
    switch (slotC) {
    case 1:
        return 1;
    case 2:
        return 2;
    case 3:
        return 4;
    default:
        return 0;
    }
}

QStringList BuildAuxImage(const ISettingStore &store, EFamily family, const CAuxContext &context)
{
    if (store.Value(ESetting::Linearizzazione, 0) == 1 && family == EFamily::VABZOB &&
        store.Value(ESetting::NumSpezzate, 0) > kPointCount)
        RaiseNoText(ESetting::NumSpezzate, store.Value(ESetting::NumSpezzate, 0));
    QStringList entries(WordCount(family), kNoSend);
    for (const CImageWord &w : ImageLayout(family))
        if (IsSent(w, store))
            entries[w.Index] = WriteText(w, store, context);
    return entries;
}

void ApplyAuxImage(const QStringList &entries, EFamily family, const CAuxContext &context,
                   ISettingStore &store)
{
    Q_ASSERT(entries.size() == WordCount(family));
    for (const CImageWord &w : ImageLayout(family))
        ReadText(w, entries.at(w.Index), family, context, store);
}

} // namespace MemMap
