#include "model/ScaleTables.h"

#include "common/NumberFormat.h"
#include "model/ModuleCodes.h"

ScaleRangeTable g_ScaleRangeVAB, g_ScaleRangeZOB, g_ScaleRangeTC, g_ScaleRangeRTD, g_ScaleRangeRES;
ScaleRangeTable g_ScaleRangeVAB1999, g_ScaleRangeZOB1999, g_ScaleRangeTC1999, g_ScaleRangeRTD1999,
    g_ScaleRangeRES1999;
std::array<QString, 4> g_DecPointFormat;
std::array<QString, 4> g_DecPointSample;
std::array<double, 4> g_DecPointFactor{};

namespace {

const QString kCelsius = QStringLiteral(" °C");

// The thermocouple ranges are the same in both sets.
ScaleRangeTable ThermocoupleTable()
{
    return {{{-50, 760, 1, "##0", kCelsius},
             {-50, 760, 1, "##0", kCelsius},
             {-200, 1260, 1, "###0", kCelsius},
             {-200, 1000, 1, "###0", kCelsius},
             {350, 1750, 1, "###0", kCelsius},
             {-200, 400, 1, "##0", kCelsius}}};
}

// The other tables differ between the sets in their full scale, 2000 or 1999 counts.
ScaleRangeTable VABTable(qint16 full)
{
    return {{{0, full, 0.1, "##0.0", " uA"},
             {0, full, 0.001, "0.000", " mA"},
             {0, full, 0.01, "#0.00", " mA"},
             {0, full, 0.1, "##0.0", " mV"},
             {0, full, 0.001, "0.000", " V"},
             {0, full, 0.01, "#0.00", " V"}}};
}

// Pt100 over its wide range starts at -200 °C in the 2000-count set, at -199 °C in the other.
ScaleRangeTable RTDTable(qint16 full, qint16 wideMin)
{
    const qint16 low = qint16(-full);
    return {{{wideMin, 850, 1, "##0", kCelsius},
             {low, full, 0.1, "##0.0", kCelsius},
             {low, full, 0.1, "##0.0", kCelsius},
             {low, full, 0.1, "##0.0", kCelsius},
             {low, full, 0.1, "##0.0", kCelsius},
             {-60, 180, 1, "##0", kCelsius}}};
}

ScaleRangeTable ResistanceTable(qint16 full)
{
    return {{{0, full, 0.01, "#0.00", " Ohm"},
             {0, full, 0.1, "##0.0", " Ohm"},
             {0, full, 0.001, "0.000", " KOhm"},
             {0, full, 0.01, "#0.00", " KOhm"},
             {0, full, 0.01, "#0.00", " KOhm"},
             {0, full, 0.01, "#0.00", " KOhm"}}};
}

const ScaleRangeTable *TableFor(qint16 modelloStrumento, qint16 slotA, qint16 probeSelect)
{
    const bool counts1999 = modelloStrumento == Modello::EKA35;
    switch (slotA) {
    case SlotAModule::VAB:
    case SlotAModule::VAKVAM:
        return counts1999 ? &g_ScaleRangeVAB1999 : &g_ScaleRangeVAB;
    case SlotAModule::ZOB:
        return counts1999 ? &g_ScaleRangeZOB1999 : &g_ScaleRangeZOB;
    case SlotAModule::QEM:
        switch (probeSelect) {
        case Probe::Thermocouple:
            return counts1999 ? &g_ScaleRangeTC1999 : &g_ScaleRangeTC;
        case Probe::RTD:
            return counts1999 ? &g_ScaleRangeRTD1999 : &g_ScaleRangeRTD;
        case Probe::Resistance:
            return counts1999 ? &g_ScaleRangeRES1999 : &g_ScaleRangeRES;
        }
    }
    return nullptr;
}

} // namespace

void InitScaleRanges2000()
{
    g_ScaleRangeVAB = VABTable(2000);
    g_ScaleRangeZOB = {{{0, 2000, 0.1, "##0.0", " mA"},
                        {0, 2000, 0.001, "0.000", " A"},
                        {0, 5000, 0.001, "0.000", " A"},
                        {0, 2000, 0.01, "#0.00", " V"},
                        {0, 2000, 0.1, "##0.0", " V"},
                        {0, 5000, 0.1, "##0.0", " V"}}};
    g_ScaleRangeTC = ThermocoupleTable();
    g_ScaleRangeRTD = RTDTable(2000, -200);
    g_ScaleRangeRES = ResistanceTable(2000);
}

void InitScaleRanges1999()
{
    g_ScaleRangeVAB1999 = VABTable(1999);
    // The 5 A range spans 500 counts: at 0.01 A a count, full scale reads 5.00 A.
    g_ScaleRangeZOB1999 = {{{0, 1999, 0.1, "##0.0", " mA"},
                            {0, 1999, 0.001, "0.000", " A"},
                            {0, 500, 0.01, "#0.00", " A"},
                            {0, 1999, 0.01, "#0.00", " V"},
                            {0, 1999, 0.1, "##0.0", " V"},
                            {0, 500, 1, "##0", " V"}}};
    g_ScaleRangeTC1999 = ThermocoupleTable();
    g_ScaleRangeRTD1999 = RTDTable(1999, -199);
    g_ScaleRangeRES1999 = ResistanceTable(1999);
}

void InitDecimalPointTables()
{
    g_DecPointFormat = {"###0", "##0.0", "#0.00", "0.000"};
    g_DecPointSample = {"1111", "111.1", "11.11", "1.111"};
    g_DecPointFactor = {1, 0.1, 0.01, 0.001};
}

void InitGlobalScale()
{
    InitScaleRanges2000();
    InitScaleRanges1999();
    InitDecimalPointTables();
}

std::optional<ScaleRangeInfo> FindScaleRange(qint16 modelloStrumento, qint16 slotA, qint16 probeSelect,
                                             qint16 range)
{
    const ScaleRangeTable *table = TableFor(modelloStrumento, slotA, probeSelect);
    if (!table || range < 0 || range >= qint16(table->size()))
        return std::nullopt;
    const ScaleRangeInfo &row = (*table)[range];
    // A table that start-up has not filled yet has no format: no range rather than zeros.
    if (row.Format.isEmpty())
        return std::nullopt;
    return row;
}

QString FormatElectric(qint16 counts, const std::optional<ScaleRangeInfo> &range, const QLocale &locale)
{
    if (!range)
        return QString::number(counts);
    return FormatNumber(counts * range->Step, range->Format, locale) + range->Unit;
}

bool IsDecimalPoint(qint16 decimalPoint)
{
    return decimalPoint >= 0 && decimalPoint < qint16(g_DecPointFormat.size()) &&
           !g_DecPointFormat[decimalPoint].isEmpty();
}

QString FormatMeasure(qint16 counts, qint16 decimalPoint, const QLocale &locale)
{
    if (!IsDecimalPoint(decimalPoint))
        return QString::number(counts);
    return FormatNumber(counts * g_DecPointFactor[decimalPoint], g_DecPointFormat[decimalPoint], locale);
}
