#include "programming/link/LiveValue.h"

#include "common/NumberFormat.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "model/ScaleTables.h"
#include "programming/link/RegisterFrame.h"

namespace {

constexpr int kErrorTextId = 600;
const QString kOverRangeText = QStringLiteral("EEEE");

QString ValueText(qint16 value, qint16 decimalPoint)
{
    if (decimalPoint >= 0 && decimalPoint < qint16(g_DecPointFormat.size()))
        return FormatNumber(value * g_DecPointFactor[decimalPoint], g_DecPointFormat[decimalPoint]);
    // The format tables stop at three decimals; an instrument that answers otherwise still
    // gets its reading shown, unscaled.
    g_Trace->BugMessage(
        QStringLiteral("Punto decimale fuori campo: dp=%1 Value=%2").arg(decimalPoint).arg(value));
    return FormatNumber(value, QStringLiteral("###0"));
}

} // namespace

CLiveValue CLiveValue::Error()
{
    CLiveValue error;
    error.VariableValue = LoadResString(kErrorTextId);
    return error;
}

CLiveValue DecodeLiveValue(qint16 value, qint16 status, qint16 decimalPoint)
{
    CLiveValue live;
    live.VariableValue = ValueText(value, decimalPoint);
    for (int k = 0; k < int(live.AlarmStatus.size()); ++k)
        live.AlarmStatus[k] = (status & (1 << k)) != 0;
    if (status & kStatusOverRange) {
        const bool negative = (status & kStatusOverRangeNegative) != 0;
        live.DisplayState = negative ? CLiveValue::dsNegativeOverRange : CLiveValue::dsOverRange;
        live.VariableValue = negative ? QLatin1Char('-') + kOverRangeText : kOverRangeText;
    } else if (status & kStatusStateFlag) {
        live.DisplayState = CLiveValue::dsStateFlag;
    }
    return live;
}
