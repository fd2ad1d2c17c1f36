#pragma once

// Plays the user of real wizard pages: through the engine (PageScript), or one page shown again
// and again with data (Play), in the words of a page's form. For the tests of the wizard's pages
// and of the windows that run them.
#include "model/ConfigClass.h"
#include "model/ScaleTables.h"
#include "platform/widgets/UpDownControl.h"
#include "support/MessageRecorder.h"
#include "support/QStringPrinter.h"
#include "wizard/widgets/WizardPage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleOptionFrame>
#include <QTest>

#include <gtest/gtest.h>

constexpr qint32 kEnd = IWizardPage::brEnd, kCancel = IWizardPage::brCancel, kNext = IWizardPage::brNext,
                 kBack = IWizardPage::brBack;

// Clicks the button of a shown page that leaves it with ButtonRet `button` on its FormType;
// a disabled button does nothing, as for the user.
inline void Press(CWizardPage &page, qint32 button)
{
    const bool dialog = page.FormType() == IWizardPage::ftDialog;
    const char *names[] = {dialog ? "cmdDialogOK" : "cmdEnd", dialog ? "cmdDialogCancel" : "cmdCancel",
                           "cmdNext", "cmdBack"};
    page.findChild<QPushButton *>(QLatin1String(names[button]))->click();
}

// What the user does on one page: Touch (may be empty) works its controls, Button leaves it.
struct PageStep
{
    qint32 Button;
    std::function<void(CWizardPage &page)> Touch = {};
};

// Plays the user of real pages through the page-show seam, one step per page shown, then `rest`
// on every page after the last step:
//   PageScript user({{IWizardPage::brNext, [](CWizardPage &p) { ... }}, {IWizardPage::brEnd}});
//   EXPECT_EQ(wizard.Start(), 0);
// A page that is left open, or one shown after the last step without `rest`, fails the test and
// is cancelled.
class PageScript
{
public:
    explicit PageScript(QList<PageStep> steps, std::function<void(CWizardPage &)> rest = {})
        : m_Steps(std::move(steps)), m_Rest(std::move(rest))
    {
        SetWizardPageShow([this](IWizardPage &page) { Play(dynamic_cast<CWizardPage &>(page)); });
    }
    ~PageScript() { SetWizardPageShow({}); }
    PageScript(const PageScript &) = delete;
    PageScript &operator=(const PageScript &) = delete;

    // The pages in the order they were shown, and each as "class caption" when it was shown.
    QList<CWizardPage *> Shown;
    QStringList Pages;

private:
    void Play(CWizardPage &page)
    {
        Shown.append(&page);
        Pages << page.metaObject()->className() + (' ' + page.windowTitle());
        page.show();
        if (!m_Steps.isEmpty()) {
            const PageStep step = m_Steps.takeFirst();
            if (step.Touch)
                step.Touch(page);
            Press(page, step.Button);
        } else if (m_Rest) {
            m_Rest(page);
        }
        EXPECT_FALSE(page.isVisible()) << "page " << Shown.size() << " left open";
        if (page.isVisible())
            page.reject();
    }

    QList<PageStep> m_Steps;
    std::function<void(CWizardPage &)> m_Rest;
};

template <class Data> Data Left(const CWizardPage &page)
{
    Data data;
    page.GetData(data);
    return data;
}

// What the user sees of one control, "*" after the name of a checked option, "-" after a
// disabled control (itself or by its frame); then a frame of options "=" the digit ending the
// name of its checked option ("none"), a text box, list or label "=" its text, the arrows of a
// spin edit "=min..max".
//   Seen(page, "SlotD") -> "SlotD=0"   Seen(page, "optSlotC4") -> "optSlotC4*-"
inline QString Seen(const QWidget &page, const QString &name)
{
    const QWidget *control = page.findChild<QWidget *>(name);
    if (control == nullptr)
        return name + "?";
    const auto *option = qobject_cast<const QRadioButton *>(control);
    const QString text =
        name + (option && option->isChecked() ? "*" : "") + (control->isEnabled() ? "" : "-");
    if (const auto *arrows = qobject_cast<const UpDownControl *>(control))
        return text + QStringLiteral("=%1..%2").arg(arrows->Minimum()).arg(arrows->Maximum());
    if (qobject_cast<const QGroupBox *>(control)) {
        QString checked = QStringLiteral("none");
        for (const QRadioButton *button : control->findChildren<QRadioButton *>())
            checked = button->isChecked() ? button->objectName().right(1) : checked;
        return text + "=" + checked;
    }
    const QVariant shown =
        control->property(qobject_cast<const QComboBox *>(control) ? "currentText" : "text");
    return option || !shown.isValid() ? text : text + "=" + shown.toString();
}

// Seen for each control named in expected, entries in Seen's shape joined by " | ".
//   SeenAs(page, "SlotC=4 | optSlotD1-") -> "SlotC=4 | optSlotD1" when KQ in slot D is enabled
inline QString SeenAs(const QWidget &page, const QString &expected)
{
    QStringList seen;
    for (const QString &entry : expected.split(QStringLiteral(" | "), Qt::SkipEmptyParts))
        seen.append(Seen(page, entry.section(QLatin1Char('='), 0, 0).remove(QRegularExpression("[-*]+$"))));
    return seen.join(QStringLiteral(" | "));
}

// The controls of a shown page whose text does not fit in them, or that still show the string
// id of the text they were to get, blank-separated.
inline QString CutOrMissingTexts(const QWidget &page)
{
    QStringList wrong;
    for (const QWidget *control : page.findChildren<QWidget *>()) {
        const auto *box = qobject_cast<const QLineEdit *>(control);
        QStyleOptionFrame frame;
        frame.initFrom(control);
        const int room =
            box ? box->style()->subElementRect(QStyle::SE_LineEditContents, &frame, box).width() -
                      box->textMargins().left() - box->textMargins().right()
                : control->width();
        const int needed =
            box ? box->fontMetrics().horizontalAdvance(box->text()) : control->minimumSizeHint().width();
        const QVariant text = control->property(qobject_cast<const QGroupBox *>(control) ? "title" : "text");
        if (control->isVisible() && (needed > room || (text.isValid() && text == control->property("tag"))))
            wrong.append(control->objectName());
    }
    return wrong.join(QLatin1Char(' '));
}

// What the user does on a page, blank-separated steps:
//   "optSlotC4"            clicks the option (a disabled one does nothing)
//   "txtTempCJC+3"         presses Up three times in a spin edit's text box ("-3": Down)
//   "cmbFunzione=1"        picks the second entry of a list
//   "txtProgramName:Nuovo" types "Nuovo" over the text of a text box
inline void Act(const QWidget &page, const QString &steps)
{
    for (const QString &step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype at = step.indexOf(QRegularExpression(QStringLiteral("[-+=:]")));
        QWidget *control = page.findChild<QWidget *>(step.left(at));
        ASSERT_NE(control, nullptr) << step.toStdString();
        const QString how = at < 0 ? QString() : step.mid(at, 1), what = step.mid(at + 1);
        if (how.isEmpty())
            qobject_cast<QRadioButton *>(control)->click();
        else if (how == "=")
            qobject_cast<QComboBox *>(control)->setCurrentIndex(what.toInt());
        else if (how == ":")
            qobject_cast<QLineEdit *>(control)->clear(), QTest::keyClicks(control, what);
        for (int i = 0; (how == "+" || how == "-") && i < what.toInt(); ++i)
            QTest::keyClick(control, how == "+" ? Qt::Key_Up : Qt::Key_Down);
    }
}

// The stored members of a configuration object as "Name=value", in their stored order.
template <class Data> QStringList Members(const Data &data)
{
    struct Visitor : CColumnVisitor
    {
        void Column(const QString &n, qint16 &v) override { List << n.mid(2) + "=" + QString::number(v); }
        void Column(const QString &n, QString &v) override { List << n.mid(2) + "=" + v; }
        QStringList List;
    };
    struct Open : Data
    {
        explicit Open(const Data &data) : Data(data) {}
        using Data::VisitColumns;
    };
    Visitor visitor;
    Open(data).VisitColumns(visitor);
    return visitor.List;
}

// One show of a page: the data it gets, what the user does (Act), what the page then shows
// (SeenAs, its texts whole), the members that differ afterwards from the data ("SlotA=1
// SlotD=0"), once Button has left it. A page that refuses the button shows critical message
// Refused, is cancelled and keeps nothing.
template <class Data> struct PageVisit
{
    const char *What;
    Data Shown;
    QString Touch;
    QString Seen;
    QString Stored = {};
    qint32 Button = kNext;
    int Refused = 0;
};

// Plays the visits on one page object, as a wizard shows its page again and again, so that
// nothing of an earlier visit may leak into a later one.
template <class Data> void Play(CWizardPage &page, const QList<PageVisit<Data>> &visits)
{
    for (const PageVisit<Data> &visit : visits) {
        SCOPED_TRACE(visit.What);
        MessageRecorder messages;
        // Shown as the engine shows a step in the middle of a run, or the last step (only End
        // leaves forward there); numbers in the C locale.
        InitGlobalScale();
        QLocale::setDefault(QLocale::c());
        page.SetData(visit.Shown);
        page.SetLastTab(visit.Button == kEnd);
        page.show();
        Act(page, visit.Touch);
        EXPECT_EQ(SeenAs(page, visit.Seen), visit.Seen);
        EXPECT_EQ(CutOrMissingTexts(page), QString());
        Press(page, visit.Button);
        EXPECT_EQ(messages.Ids(), visit.Refused ? QList<int>{visit.Refused} : QList<int>{});
        for (const CMessage &shown : messages.Shown())
            EXPECT_TRUE(shown.Icon == QMessageBox::Critical && shown.Buttons == QMessageBox::Ok);
        EXPECT_EQ(page.isVisible(), visit.Refused != 0);
        if (page.isVisible())
            page.reject();
        const QStringList was = Members(visit.Shown);
        QStringList changed = Members(Left<Data>(page));
        changed.removeIf([&](const QString &member) { return was.contains(member); });
        EXPECT_EQ(changed.join(QLatin1Char(' ')), visit.Stored);
    }
}

// A page in the test that every page hands back its members (EveryPage, in the wizard's
// WizardPage_test).
struct PageRoundTrip
{
    const char *Page;
    std::function<void()> Run;
    friend void PrintTo(const PageRoundTrip &c, std::ostream *out) { *out << c.Page; }
};
using EveryPage = ::testing::TestWithParam<PageRoundTrip>;

// Shown with members off their defaults (at their widest) and left untouched, the page shows
// `seen` and hands them back; with every control changed once by `touch`, the members in
// `stored` change. In the desktop's font and in the program's.
template <class Page, class Data>
PageRoundTrip Round(const Data &data, const QString &seen, const QString &touch, const QString &stored)
{
    return {Page::staticMetaObject.className(), [=] {
                const CProgramFont desktopFont = g_Font;
                for (const QString &font : {desktopFont.Name, LoadResString(1335)}) {
                    g_Font.Name = font;
                    Page page;
                    Play<Data>(page, {{"untouched", data, "", seen, "", kEnd},
                                      {"every control changed", data, touch, "", stored, kEnd}});
                }
                g_Font = desktopFont;
            }};
}
