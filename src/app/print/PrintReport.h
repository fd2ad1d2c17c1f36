#pragma once

#include "model/ReportRecordset.h"

#include <QList>

class CConfiguration;
class CInOutScale;
class CModInstr;

// Which configuration objects a printed parameter list shows, in the order it shows them,
// each with the condition that prints it (read from the module codes and the scale).
struct CPrintRule
{
    const char *ClassName;
    bool (*Printed)(const CModInstr &modInstr, const CInOutScale &scale);
};
const QList<CPrintRule> &PrintRules();

// The report rows of a loaded configuration: the title row (text 682), the heading row (683,
// 684), then the rows of every object the rules print, in their order, with their context set.
//   IXO, QEM in A, Z3 in C -> title, heading, CModInstr, CRangeQEM, CFiltroDigitale,
//                             CInOutScale, CAlarm1 rows
CReportRecordset PrepareReport(CConfiguration &configuration);

// The same for the configuration archived under id (every object loaded first).
CReportRecordset PreparePrintData(qint64 id);
