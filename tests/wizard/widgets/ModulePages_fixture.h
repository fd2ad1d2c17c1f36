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

// Shows the page with data, lets touch work its controls, leaves it with button and returns
// the page's data copy afterwards.
template <class Data, class Touch>
Data Visit(CWizardPage &page, const Data &data, qint32 button, Touch &&touch)
{
    ShowPage(page, data, button == IWizardPage::brEnd);
    touch(page);
    Press(page, button);
    EXPECT_FALSE(page.isVisible());
    Data after;
    page.GetData(after);
    return after;
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

// Seen for the controls that expected names, each entry as Seen writes it, joined by " | ".
//   SeenAs(page, {"SlotC=4", "optSlotD1-"}) -> "SlotC=4 | optSlotD1-" on that page
inline QString SeenAs(const QWidget &page, const QStringList &expected)
{
    QStringList seen;
    for (const QString &entry : expected) {
        QString name = entry.section(QLatin1Char('='), 0, 0);
        if (name.endsWith(QLatin1Char('-')))
            name.chop(1);
        seen.append(Seen(page, name));
    }
    return seen.join(QStringLiteral(" | "));
}

// One visit of a page: the data it is shown with, what the user does, what the page then
// shows, the button that leaves it and the members that differ afterwards from the data.
template <class Data> struct PageVisit
{
    const char *What;
    Data Shown;
    std::function<void(CWizardPage &)> Touch;
    QStringList Seen;
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
        const Data after = Visit(page, visit.Shown, visit.Button, [&](CWizardPage &shown) {
            if (visit.Touch)
                visit.Touch(shown);
            EXPECT_EQ(SeenAs(shown, visit.Seen), visit.Seen.join(QStringLiteral(" | ")));
        });
        EXPECT_EQ(Changed(members(visit.Shown), members(after)), visit.Stored);
    }
}

inline void Click(const QWidget &page, const QString &option)
{
    if (auto *button = Find<QRadioButton>(page, option))
        button->click();
}

// Presses a key count times in the text box of a spin edit, each time a separate press.
inline void StepKey(const QWidget &page, const QString &spinBox, Qt::Key key, int count = 1)
{
    if (auto *box = Find<QLineEdit>(page, spinBox)) {
        for (int i = 0; i < count; ++i)
            QTest::keyClick(box, key);
    }
}

// Holds a key down in the text box of a spin edit for presses steps, as the X server repeats it.
inline void Hold(const QWidget &page, const QString &spinBox, Qt::Key key, int presses)
{
    QLineEdit *box = Find<QLineEdit>(page, spinBox);
    if (box == nullptr)
        return;
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
