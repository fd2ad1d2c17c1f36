#include "common/widgets/FormResources.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/ValueText.h"
#include "common/widgets/MenuItems.h"
#include "platform/widgets/UpDownControl.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolBar>

#include <cmath>
#include <optional>

namespace {

std::optional<QString> TextOf(std::optional<qint16> id)
{
    if (!id || !HasResString(*id))
        return std::nullopt;
    return LoadResString(*id);
}

std::optional<QString> TagText(const QObject *holder)
{
    return TextOf(ValueText::ParseInt16(holder->property(kTagProperty).toString()));
}

// The number a text starts with, as a designer's tooltip "262" or "262 range" holds it;
// 0 when it starts with none.
double LeadingNumber(const QString &text)
{
    qsizetype end = 0;
    const QString t = text.trimmed();
    if (end < t.size() && (t[end] == QLatin1Char('-') || t[end] == QLatin1Char('+')))
        ++end;
    while (end < t.size() && (t[end].isDigit() || t[end] == QLatin1Char('.')))
        ++end;
    bool ok = false;
    const double value = t.left(end).toDouble(&ok);
    return ok ? value : 0.0;
}

std::optional<qint16> ToolTipNumber(const QString &toolTip)
{
    const double number = std::round(LeadingNumber(toolTip));
    if (number == 0.0 || number < -32768.0 || number > 32767.0)
        return std::nullopt;
    return qint16(number);
}

bool HoldsToolTipNumber(const QWidget *control)
{
    return qobject_cast<const QLineEdit *>(control) || qobject_cast<const QTextEdit *>(control) ||
           qobject_cast<const QPlainTextEdit *>(control) || qobject_cast<const QComboBox *>(control) ||
           qobject_cast<const QToolBar *>(control) || qobject_cast<const QGroupBox *>(control) ||
           control->metaObject() == &QFrame::staticMetaObject ||
           qobject_cast<const UpDownControl *>(control) || qobject_cast<const QRadioButton *>(control);
}

void SetCaption(QWidget *control, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(text);
    else if (auto *frame = qobject_cast<QGroupBox *>(control))
        frame->setTitle(text);
    else if (auto *button = qobject_cast<QRadioButton *>(control))
        button->setText(text);
    else if (auto *box = qobject_cast<QCheckBox *>(control))
        box->setText(text);
}

} // namespace

void SetControlsFont(QWidget *form)
{
    for (QWidget *control : form->findChildren<QWidget *>()) {
        // Each control keeps its own boldness.
        QFont font = control->font();
        if (!g_Font.Name.isEmpty())
            font.setFamily(g_Font.Name);
        if (g_Font.Size > 0)
            font.setPointSize(g_Font.Size);
        control->setFont(font);
    }
    g_Trace->BugMessage(QStringLiteral("Fine impostazione del font per i controlli del form"));
}

void LoadCaptionResources(QWidget *form)
{
    g_Trace->BugMessage(QStringLiteral("Inizio caricamento dei caption dei controlli"));
    if (const auto text = TagText(form))
        form->setWindowTitle(*text);
    for (QWidget *control : form->findChildren<QWidget *>()) {
        if (const auto text = TagText(control))
            SetCaption(control, *text);
    }
    g_Trace->BugMessage(QStringLiteral("Fine caricamento delle risorse"));
}

void LoadToolTipResources(QWidget *form)
{
    for (QWidget *control : form->findChildren<QWidget *>()) {
        if (!HoldsToolTipNumber(control))
            continue;
        if (const auto text = TextOf(ToolTipNumber(control->toolTip())))
            control->setToolTip(*text);
    }
}

void LoadMenuResources(QWidget *form)
{
    g_Trace->BugMessage(QStringLiteral("Caricamento testi menu"));
    for (QAction *item : MenuItems(form)) {
        // A shortcut text after a TAB ("1006\tCtrl+P") stays after the item's text.
        const QString caption = item->text().section(QLatin1Char('\t'), 0, 0);
        const QString shortcut = item->text().mid(caption.size());
        const std::optional<qint16> number = ValueText::ParseInt16(caption);
        const auto text = TextOf(number);
        if (!text)
            continue;
        g_Trace->BugMessage(QStringLiteral("Caricamento dalle risorse del testo del menu ") + item->text() +
                            QLatin1Char('=') + *text);
        item->setProperty(kTagProperty, *number);
        item->setText(*text + shortcut);
    }
}
