#pragma once

#include <QLocale>
#include <QString>

#include <array>
#include <optional>

// One electrical range of a measuring module: the counts it spans and how one count reads.
// A value shows as count x Step in Format, followed directly by Unit (" mA", leading blank).
struct ScaleRangeInfo
{
    qint16 Min = 0;
    qint16 Max = 0;
    double Step = 0.0;
    QString Format;
    QString Unit;

    bool operator==(const ScaleRangeInfo &) const = default;
};

// Six ranges of one module or probe, indexed by the range number 0-5.
using ScaleRangeTable = std::array<ScaleRangeInfo, 6>;

// 2000-count set (models EKA 40 and IXO) and 1999-count set (model EKA 35).
extern ScaleRangeTable g_ScaleRangeVAB, g_ScaleRangeZOB, g_ScaleRangeTC, g_ScaleRangeRTD, g_ScaleRangeRES;
extern ScaleRangeTable g_ScaleRangeVAB1999, g_ScaleRangeZOB1999, g_ScaleRangeTC1999, g_ScaleRangeRTD1999,
    g_ScaleRangeRES1999;

// Indexed by the decimal point of the displayed measure, 0-3.
extern std::array<QString, 4> g_DecPointFormat; // "###0", "##0.0", "#0.00", "0.000"
extern std::array<QString, 4> g_DecPointSample; // "1111", "111.1", "11.11", "1.111"
extern std::array<double, 4> g_DecPointFactor;  // 1, 0.1, 0.01, 0.001

// Start-up fills every table once, before any window opens; nothing writes them afterwards.
void InitGlobalScale();
void InitScaleRanges2000();
void InitScaleRanges1999();
void InitDecimalPointTables();

// The range a configuration measures in: the set by model (0 the 1999-count one), the table
// by slot A (0, 1 VAB; 2 ZOB; 3 QEM by probe 0 TC, 1 RTD, 2 resistance), the row by range.
// Any value without a table or row (they can come from an instrument) gives no range.
//   FindScaleRange(1, 0, 0, 1)  -> {0, 2000, 0.001, "0.000", " mA"}
//   FindScaleRange(0, 3, 1, 3)  -> {-1999, 1999, 0.1, "##0.0", " °C"}
//   FindScaleRange(2, 3, 5, 0)  -> no range
std::optional<ScaleRangeInfo> FindScaleRange(qint16 modelloStrumento, qint16 slotA, qint16 probeSelect,
                                             qint16 range);

// An electrical value in counts as the range reads it; without a range the bare count.
//   FormatElectric(1234, range 1 of the 2000-count VAB table) -> "1.234 mA"
QString FormatElectric(qint16 counts, const std::optional<ScaleRangeInfo> &range,
                       const QLocale &locale = QLocale());

bool IsDecimalPoint(qint16 decimalPoint);
// A display value in counts with its decimal point; a decimal point outside 0-3 gives the
// bare count.   FormatMeasure(1234, 2) -> "12.34"   FormatMeasure(1234, 7) -> "1234"
QString FormatMeasure(qint16 counts, qint16 decimalPoint, const QLocale &locale = QLocale());
