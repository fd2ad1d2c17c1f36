#include "common/ResString.h"

#include "common/Error.h"
#include "common/TraceCode.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLocale>
#include <QTimer>

static void InitResources()
{
    Q_INIT_RESOURCE(resources);
}

CProgramFont g_Font;

namespace {

QString Unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text[++i];
        switch (next.unicode()) {
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        default:
            out += next;
            break;
        }
    }
    return out;
}

QHash<int, QString> ReadTable()
{
    InitResources();
    QHash<int, QString> table;
    QFile file(QStringLiteral(":/strings.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QString content = QString::fromUtf8(file.readAll());
    for (QStringView line : QStringView(content).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        bool ok = false;
        const int id = tab > 0 ? line.left(tab).toInt(&ok) : 0;
        if (ok)
            table.insert(id, Unescape(line.mid(tab + 1)));
    }
    return table;
}

} // namespace

const QHash<int, QString> &StringTable()
{
    static const QHash<int, QString> table = ReadTable();
    return table;
}

bool HasResString(int id)
{
    return StringTable().contains(id);
}

QString LoadResString(int id)
{
    const auto it = StringTable().constFind(id);
    if (it == StringTable().constEnd())
        RaiseRunTimeError(326, QStringLiteral("Resource with identifier '%1' not found").arg(id));
    return *it;
}

QString LoadResStringArgs(int id, const QVariantList &args)
{
    return ReplaceArgs(LoadResString(id), args);
}

QString ArgumentText(const QVariant &value)
{
    // The run-time's own text form: no thousands separators, a single shown with the 7
    // digits it holds (0.1f is "0.1"), a double with 15.
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    switch (value.typeId()) {
    case QMetaType::Float:
        return locale.toString(double(value.toFloat()), 'G', 7);
    case QMetaType::Double:
        return locale.toString(value.toDouble(), 'G', 15);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value.toString();
    }
}

QString ReplaceArgs(const QString &text, const QVariantList &args)
{
    if (args.isEmpty())
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('|') || i + 1 == text.size() || !text[i + 1].isDigit()) {
            out += text[i];
            continue;
        }
        // Two digits first, when they name an argument; then one.
        qsizetype used = 0;
        int number = 0;
        if (i + 2 < text.size() && text[i + 2].isDigit()) {
            const int two = text[i + 1].digitValue() * 10 + text[i + 2].digitValue();
            if (two >= 1 && two <= args.size()) {
                number = two;
                used = 2;
            }
        }
        if (used == 0) {
            const int one = text[i + 1].digitValue();
            if (one >= 1 && one <= args.size()) {
                number = one;
                used = 1;
            }
        }
        if (used == 0) {
            out += text[i];
            continue;
        }
        out += ArgumentText(args[number - 1]);
        i += used;
    }
    return out;
}

void Pause(float seconds)
{
    const QString shown = ArgumentText(seconds);
    g_Trace->BugMessage(QStringLiteral("Inizio pausa ") + shown + QStringLiteral(" sec."));
    // A monotonic clock: the pause ends on time across midnight or a clock change. A day is
    // far beyond any pause the program asks for and keeps the sums in range.
    constexpr double kLongestMs = 24.0 * 3600.0 * 1000.0;
    const qint64 total = seconds > 0.0f ? qint64(qMin(double(seconds) * 1000.0, kLongestMs)) : 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < total) {
        QEventLoop loop;
        QTimer::singleShot(int(total - clock.elapsed()), &loop, &QEventLoop::quit);
        loop.exec();
    }
    g_Trace->BugMessage(QStringLiteral("Fine pausa ") + shown + QStringLiteral(" sec."));
}
