#include "common/widgets/AssertMessageBox.h"

#include "common/TraceCode.h"

#include <QMessageBox>

void InstallAssertMessageBox()
{
    CTraceCode::SetAssertNotifier([](const QString &text) {
        QMessageBox::critical(nullptr, QStringLiteral("g_Trace.BugAssert fallito: "), text);
    });
}
