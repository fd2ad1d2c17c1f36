#include "model/ReportRecordset.h"

#include "common/ResString.h"

QString ChoiceText(int firstId, int count, qint16 value)
{
    if (value < 0 || value >= count || !HasResString(firstId + value))
        return QString::number(value);
    return LoadResString(firstId + value);
}
