#pragma once

#include "model/ScaleTables.h"
#include "platform/widgets/UpDownControl.h"
#include "wizard/widgets/WizardPage.h"

#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <initializer_list>

// What the user sees of a page's spin edits and option buttons, read from the controls the
// page's form names, for tests of the configuration and link pages. Numbers in the C locale.
class PageControlsTest : public ::testing::Test
{
protected:
    PageControlsTest() : m_Locale(QLocale())
    {
        InitGlobalScale();
        QLocale::setDefault(QLocale::c());
    }
    ~PageControlsTest() override { QLocale::setDefault(m_Locale); }

    // "min..max text" of the spin edit on text box `text` with its up-down `upDown`.
    static std::string Spin(const QWidget &page, const char *text, const char *upDown)
    {
        const auto *ud = page.findChild<UpDownControl *>(QLatin1String(upDown));
        return QStringLiteral("%1..%2 %3")
            .arg(ud->Minimum())
            .arg(ud->Maximum())
            .arg(page.findChild<QLineEdit *>(QLatin1String(text))->text())
            .toStdString();
    }
    static qint16 SpinValue(const QWidget &page, const char *upDown)
    {
        return qint16(page.findChild<UpDownControl *>(QLatin1String(upDown))->Value());
    }
    // One press of the Up key in the text box, as the user steps a spin edit.
    static void StepUp(QWidget &page, const char *text)
    {
        QTest::keyClick(page.findChild<QLineEdit *>(QLatin1String(text)), Qt::Key_Up);
    }
    static void Click(QWidget &page, const char *option)
    {
        page.findChild<QRadioButton *>(QLatin1String(option))->click();
    }
    // The options by their short names: "*" checked, "-" disabled (itself or by its frame).
    //   Options(page, {{"optAutomatic", "auto"}, {"optManual", "manual"}}) -> "auto*- manual"
    static std::string Options(const QWidget &page,
                               std::initializer_list<std::pair<const char *, const char *>> names)
    {
        QStringList shown;
        for (const auto &[name, shortName] : names) {
            const auto *option = page.findChild<QRadioButton *>(QLatin1String(name));
            shown.append(QLatin1String(shortName) + (option->isChecked() ? "*" : "") +
                         (option->isEnabled() ? "" : "-"));
        }
        return shown.join(' ').toStdString();
    }

private:
    QLocale m_Locale;
};
