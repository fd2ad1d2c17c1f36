#include "app/FileDialogFilter.h"

#include "common/ResString.h"

#include <QRegularExpression>
#include <QStringList>

QString FileDialogFilter(int textId)
{
    const QStringList pairs = LoadResString(textId).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        QStringList patterns;
        for (const QString &pattern : pairs.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << pattern << pattern.toLower() << pattern.toUpper();
        patterns.removeDuplicates();
        // The description shows its patterns in brackets; the dialog reads them from there.
        QString description = pairs.at(i);
        description.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString FileDialogExtension(int textId)
{
    return LoadResString(textId)
        .section(QLatin1Char('|'), 1, 1)
        .section(QLatin1Char(';'), 0, 0)
        .section(QLatin1Char('.'), -1);
}

QString ProposedFileName(const QString &name, int textId)
{
    return QString(name).replace(QLatin1Char('/'), QLatin1Char('_')).replace(QChar(0), QLatin1Char('_')) +
           QLatin1Char('.') + FileDialogExtension(textId);
}
