#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class ICopyClass;

// What the wizard engine and the owners' rules use of a page: the protocol every wizard page
// follows (and the print-options dialog). A page edits its own copy of one data object; the
// owner hands the object in with SetData, shows the page, reads ButtonRet and, when the user
// finished, takes the values back with GetData.
//   page.SetFormType(IWizardPage::ftDialog);
//   page.SetData(options);
//   ShowWizardPage(page);
//   if (page.ButtonRet() == IWizardPage::brEnd) page.GetData(options);
class IWizardPage
{
public:
    // ButtonRet: the button that closed the page; OK counts as End.
    enum Buttons : qint32 { brEnd = 0, brCancel = 1, brNext = 2, brBack = 3 };
    // FormType: 0 a dialog with OK and Cancel; any other value a wizard step with Cancel,
    // Back, Next and End.
    enum FormTypes : qint32 { ftDialog = 0, ftWizard = 1 };

    virtual ~IWizardPage() = default;

    virtual qint32 FormType() const = 0;
    virtual void SetFormType(qint32 formType) = 0;
    // brCancel until a button has closed the page.
    virtual qint32 ButtonRet() const = 0;
    // Back is not offered on the first page of a run, Next not on the last; the buttons follow
    // at the page's next show.
    virtual bool FirstTab() const = 0;
    virtual void SetFirstTab(bool firstTab) = 0;
    virtual bool LastTab() const = 0;
    virtual void SetLastTab(bool lastTab) = 0;

    // Copy the page's data copy into data, or data into the copy; an object of another class
    // copies nothing. A page without a data copy does nothing.
    virtual void GetData(ICopyClass &data) const = 0;
    virtual void SetData(const ICopyClass &data) = 0;

    // The window, as the engine places and shows it.
    virtual void SetCaption(const QString &caption) = 0;
    // An icon of the program by id; -1 keeps the window's own.
    virtual void SetIcon(qint16 iconId) = 0;
    // The outer edges in pixels, the page being ready for its next show (texts loaded, laid
    // out); and the part of the screen it has to stay on.
    virtual QRect FrameGeometry() = 0;
    virtual void MoveFrameTo(const QPoint &topLeft) = 0;
    // Grows the page to at least this outer size (its own controls get the room); a page
    // already as large stays as it is.
    virtual void SetMinimumFrameSize(const QSize &size) = 0;
    virtual QRect AvailableScreenArea() const = 0;
    // Shows the page modally and returns once the user has left it. Callers go through
    // ShowWizardPage, never here.
    virtual void ShowModal() = 0;
    // Closes the page if it is open; ButtonRet stays as it is.
    virtual void Unload() = 0;
};

// Every modal show of a page, by the engine or by an owner, goes through ShowWizardPage, so
// that a test can play the user of a whole wizard: the installed function gets each page in
// turn instead of the modal show, may touch its controls, and leaves it with a button.
//   SetWizardPageShow([&](IWizardPage &page) { ... });  // the test's user
//   ...                                                  // run the command
//   SetWizardPageShow({});                               // the real, modal show again
using WizardPageShowFunction = std::function<void(IWizardPage &page)>;
void SetWizardPageShow(WizardPageShowFunction show);
void ShowWizardPage(IWizardPage &page);
