#pragma once

#include "wizard/widgets/WizardPage.h"

#include <QList>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

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

// Plays the user of real pages through the page-show seam, one step per page shown:
//   PageScript user({{IWizardPage::brNext, [](CWizardPage &p) { ... }}, {IWizardPage::brEnd}});
//   EXPECT_EQ(wizard.Start(), 0);
// A page that its button leaves open, or one shown after the last step, fails the test and is
// cancelled.
class PageScript
{
public:
    explicit PageScript(QList<PageStep> steps) : m_Steps(std::move(steps))
    {
        SetWizardPageShow([this](IWizardPage &page) { Play(dynamic_cast<CWizardPage &>(page)); });
    }
    ~PageScript() { SetWizardPageShow({}); }
    PageScript(const PageScript &) = delete;
    PageScript &operator=(const PageScript &) = delete;

    // The pages in the order they were shown.
    QList<CWizardPage *> Shown;

private:
    void Play(CWizardPage &page)
    {
        Shown.append(&page);
        page.show();
        if (!m_Steps.isEmpty()) {
            const PageStep step = m_Steps.takeFirst();
            if (step.Touch)
                step.Touch(page);
            Press(page, step.Button);
        }
        EXPECT_FALSE(page.isVisible()) << "page " << Shown.size() << " left open";
        if (page.isVisible())
            page.reject();
    }

    QList<PageStep> m_Steps;
};
