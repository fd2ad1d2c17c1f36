#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/AssertMessageBox.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("IxoSoft"));
    InitTrace(LoadResString(301) + QLatin1Char(' ') + LoadResString(303),
              QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    InstallAssertMessageBox();

    QLabel window(LoadResString(301) + QLatin1Char('\n') + LoadResString(303));
    window.setAlignment(Qt::AlignCenter);
    window.setWindowTitle(LoadResString(301));
    window.resize(420, 160);
    window.show();
    return QApplication::exec();
}
