#include "model/SettingsClass.h"

#include "common/TraceCode.h"

void LoadRangedSetting(ICopyClass &owner, const QString &key, qint16 &member, qint16 minimum, qint16 maximum,
                       qint16 classDefault)
{
    qint16 value = member;
    owner.LoadVariable(key, value, owner.ClassName());
    if (value >= minimum && value <= maximum) {
        member = value;
        return;
    }
    g_Trace->BugMessage(QStringLiteral("Valore fuori intervallo per %1.%2: %3, usato %4")
                            .arg(owner.ClassName(), key)
                            .arg(value)
                            .arg(classDefault));
    member = classDefault;
}
