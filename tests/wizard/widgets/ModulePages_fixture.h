#pragma once

#include "../FakePage_fixture.h"
#include "PageScript_fixture.h"
#include "common/CopyClass.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

#include <gtest/gtest.h>

// The members of a data object as "Name=value", in a fixed order, so that two objects compare
// member by member.
using Members = QStringList;

// The members of after that differ from before: "SlotA=1 SlotD=0".
inline QString Changed(const Members &before, const Members &after)
{
    QStringList changed;
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (before.value(i) != after[i])
            changed.append(after[i]);
    }
    return changed.join(QLatin1Char(' '));
}

// Shows a page as the wizard does, holding data; on the last page of a run only End leaves
// forward, elsewhere only Next.
inline void ShowPage(CWizardPage &page, const ICopyClass &data, bool lastTab)
{
    page.SetData(data);
    page.SetFormType(IWizardPage::ftWizard);
    page.SetFirstTab(false);
    page.SetLastTab(lastTab);
    page.show();
}

template <class Control = QWidget> Control *Find(const QWidget &page, const QString &name)
{
    auto *control = page.findChild<Control *>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
}

// What the user sees of one control: a frame as "Name=3" (the number of its checked option,
// "none" when none is checked), a text box, list or label as "Name=its text", an option by its
// name; "-" after the name when the control is disabled.
//   Seen(page, "SlotD") -> "SlotD=0"     Seen(page, "optSlotD1") -> "optSlotD1-"
inline QString Seen(const QWidget &page, const QString &name)
{
    const QWidget *control = Find(page, name);
    if (control == nullptr)
        return {};
    QString text = name + (control->isEnabled() ? "" : "-");
    if (qobject_cast<const QGroupBox *>(control)) {
        QString checked = QStringLiteral("none");
        for (const QRadioButton *option : control->findChildren<QRadioButton *>()) {
            if (option->isChecked())
                checked = option->objectName().right(1);
        }
        text += "=" + checked;
    } else if (const auto *box = qobject_cast<const QLineEdit *>(control)) {
        text += "=" + box->text();
    } else if (const auto *list = qobject_cast<const QComboBox *>(control)) {
        text += "=" + list->currentText();
    } else if (const auto *label = qobject_cast<const QLabel *>(control)) {
        text += "=" + label->text();
    }
    return text;
}

// Holds a key down in a text box for presses steps, as the X server repeats a held key.
inline void Hold(QWidget *box, Qt::Key key, int presses)
{
    for (int i = 0; i < presses; ++i) {
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), true);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), i > 0);
        if (i > 0)
            QApplication::sendEvent(box, &release);
        QApplication::sendEvent(box, &press);
    }
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), false);
    QApplication::sendEvent(box, &release);
}

// What the user does on a page, blank-separated steps:
//   "optSlotC4"          clicks the option (a disabled one does nothing)
//   "txtTempCJC+3"       presses Up three times in a spin edit, each a press of its own ("-3": Down)
//   "txtTempCJC^11"      holds Up for eleven steps
//   "cmbFunzione=1"      picks the second entry of a list
//   "txtProgramName:xy"  types "xy" over the text of a text box, as the last step
inline void Act(const QWidget &page, const QString &steps)
{
    const qsizetype typed = steps.indexOf(QLatin1Char(':'));
    const QString clicks = typed < 0 ? steps : steps.left(typed).section(QLatin1Char(' '), 0, -2);
    for (const QString &step : clicks.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype at = step.indexOf(QRegularExpression(QStringLiteral("[-+^=]")));
        const QString name = at < 0 ? step : step.left(at);
        QWidget *control = Find(page, name);
        if (control == nullptr)
            continue;
        const int count = at < 0 ? 0 : step.mid(at + 1).toInt();
        switch (at < 0 ? ' ' : step[at].toLatin1()) {
        case '+':
        case '-':
            for (int i = 0; i < count; ++i)
                QTest::keyClick(control, step[at] == QLatin1Char('+') ? Qt::Key_Up : Qt::Key_Down);
            break;
        case '^':
            Hold(control, Qt::Key_Up, count);
            break;
        case '=':
            qobject_cast<QComboBox *>(control)->setCurrentIndex(count);
            break;
        default:
            qobject_cast<QRadioButton *>(control)->click();
        }
    }
    if (typed >= 0) {
        auto *box = Find<QLineEdit>(page, steps.left(typed).section(QLatin1Char(' '), -1));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, steps.mid(typed + 1));
    }
}

// Seen for each control named in expected ("Name=..." or "Name-=..." entries joined by " | "),
// in the same shape.
//   SeenAs(page, "SlotC=4 | optSlotD1-") -> "SlotC=4 | optSlotD1" when KQ in slot D is enabled
inline QString SeenAs(const QWidget &page, const QString &expected)
{
    QStringList seen;
    for (const QString &entry : expected.split(QStringLiteral(" | "), Qt::SkipEmptyParts)) {
        QString name = entry.section(QLatin1Char('='), 0, 0);
        if (name.endsWith(QLatin1Char('-')))
            name.chop(1);
        seen.append(Seen(page, name));
    }
    return seen.join(QStringLiteral(" | "));
}

// One visit of a page: the data it is shown with, what the user does (Act), what the page then
// shows (SeenAs), the button that leaves it and the members that differ afterwards from the
// data (Changed).
template <class Data> struct PageVisit
{
    const char *What;
    Data Shown;
    QString Touch;
    QString Seen;
    qint32 Button;
    QString Stored;
};

// Plays the visits on one page object, as a wizard shows its page again and again, so that
// nothing of an earlier visit may leak into a later one.
template <class Data>
void Play(CWizardPage &page, const QList<PageVisit<Data>> &visits, Members (*members)(const Data &))
{
    for (const PageVisit<Data> &visit : visits) {
        SCOPED_TRACE(visit.What);
        ShowPage(page, visit.Shown, visit.Button == IWizardPage::brEnd);
        Act(page, visit.Touch);
        EXPECT_EQ(SeenAs(page, visit.Seen), visit.Seen);
        Press(page, visit.Button);
        EXPECT_FALSE(page.isVisible());
        Data after;
        page.GetData(after);
        EXPECT_EQ(Changed(members(visit.Shown), members(after)), visit.Stored);
    }
}

constexpr qint32 kEnd = IWizardPage::brEnd, kNext = IWizardPage::brNext, kBack = IWizardPage::brBack,
                 kCancel = IWizardPage::brCancel;

// The controls of a shown page whose text does not fit in them, blank-separated.
inline QString CutTexts(const QWidget &page)
{
    QStringList cut;
    for (const QWidget *control : page.findChildren<QWidget *>()) {
        if (!control->isVisible())
            continue;
        bool fits = true;
        if (const auto *box = qobject_cast<const QLineEdit *>(control)) {
            QStyleOptionFrame option;
            option.initFrom(box);
            const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
            const QMargins margins = box->textMargins();
            fits = box->fontMetrics().horizontalAdvance(box->text()) <=
                   contents.width() - margins.left() - margins.right();
        } else if (qobject_cast<const QLabel *>(control) || qobject_cast<const QRadioButton *>(control) ||
                   qobject_cast<const QGroupBox *>(control) || qobject_cast<const QComboBox *>(control)) {
            fits = control->width() >= control->minimumSizeHint().width();
        }
        if (!fits)
            cut.append(control->objectName());
    }
    return cut.join(QLatin1Char(' '));
}
