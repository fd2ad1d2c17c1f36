#include "programming/memmap/AuxConversion.h"

#include "model/ModuleCodes.h"
#include "programming/memmap/AuxCommandTable.h"
#include "programming/memmap/AuxText.h"
#include "programming/memmap/MemMapError.h"
#include "programming/memmap/SettingTable.h"

namespace MemMap {
namespace {

const QString kAutomaticIntegrationText = QStringLiteral("99.9");

QStringList NamesOf(const CSettingRow &row, const CAuxContext &context)
{
    if (row.Aux.Form == EAuxForm::Sample)
        return context.DecPointSamples;
    QStringList names;
    for (const char *name : row.Aux.Names)
        names.append(QString::fromLatin1(name));
    return names;
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
    const CAuxForm &form = SettingRow(w.Setting).Aux;
    switch (form.Form) {
    case EAuxForm::Whole:
        return PointText(value, QString::fromLatin1(form.Pattern));
    case EAuxForm::Electrical:
        return ScaledText(value, ElectricalStep(store, context));
    case EAuxForm::Measure:
        return ScaledText(value, MeasureStep(store, context));
    case EAuxForm::Tenths:
        return PointText(value * 0.1, QStringLiteral("##0.0"));
    case EAuxForm::IntegrationTime:
        if (value == 0)
            return kAutomaticIntegrationText;
        return PointText(store.Value(ESetting::IntTime, 0) / 10.0, QStringLiteral("000.0"));
    case EAuxForm::TwoWay:
        return QString::fromLatin1(value == 0 ? form.ZeroText : form.OtherText);
    case EAuxForm::Named:
    case EAuxForm::Sample: {
        const QStringList names = NamesOf(SettingRow(w.Setting), context);
        if (value < 0 || value >= names.size())
            RaiseNoText(w.Setting, value);
        return names.at(value);
    }
    }
    Q_UNREACHABLE();
}

// The value of an entry's text; no value for a text that is none of its setting.
std::optional<qint16> ValueOfText(const CSettingRow &row, const QString &text, const CAuxContext &context)
{
    const CAuxForm &form = row.Aux;
    switch (form.Form) {
    case EAuxForm::Whole:
        return WholeNumberOfText(text);
    case EAuxForm::Electrical:
    case EAuxForm::Measure:
    case EAuxForm::Tenths:
        return CountOfText(text);
    case EAuxForm::IntegrationTime:
        return text == kAutomaticIntegrationText ? std::optional<qint16>(0) : CountOfText(text);
    case EAuxForm::TwoWay: {
        const bool isOther = form.OtherTextDecides ? text == QLatin1String(form.OtherText)
                                                   : text != QLatin1String(form.ZeroText);
        return isOther ? 1 : 0;
    }
    case EAuxForm::Named:
    case EAuxForm::Sample:
        if (const std::optional<int> index = IndexOfName(NamesOf(row, context), text))
            return qint16(*index);
        return std::nullopt;
    }
    Q_UNREACHABLE();
}

// A value outside the setting's bounds (a count of points or an address the instrument cannot
// hold) is refused as the import refuses it.
void ReadText(const CImageWord &w, const QString &text, EFamily family, const CAuxContext &context,
              ISettingStore &store)
{
    const CSettingRow &row = SettingRow(w.Setting);
    const std::optional<qint16> value = ValueOfText(row, text, context);
    if (!value || (row.Bounds && (*value < row.Bounds->Min || *value > row.Bounds->Max)))
        RaiseMemMapError(kAuxValueInvalid,
                         FaultText(w.Setting) + QStringLiteral(": ") + AuxCommand(family, w.Index, text));
    if (row.Aux.Form != EAuxForm::IntegrationTime) {
        store.SetValue(w.Setting, w.Item, *value);
    } else if (text == kAutomaticIntegrationText) {
        store.SetValue(w.Setting, 0, 0);
        store.SetValue(ESetting::IntTime, 0, kDefaultIntTime);
    } else {
        store.SetValue(w.Setting, 0, 1);
        store.SetValue(ESetting::IntTime, 0, *value);
    }
}

bool IsSent(const CImageWord &w, const ISettingStore &store)
{
    switch (SettingRow(w.Setting).Send) {
    case ESend::Always:
        return true;
    case ESend::WithLinearization:
        return store.Value(ESetting::Linearizzazione, 0) == 1;
    case ESend::PointInUse:
        return store.Value(ESetting::Linearizzazione, 0) == 1 &&
               w.Item < store.Value(ESetting::NumSpezzate, 0);
    case ESend::AlarmInUse:
        return w.Item <= RelayModuleAlarms(store.Value(ESetting::SlotC, 0));
    }
    Q_UNREACHABLE();
}

} // namespace

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
