#pragma once

#include "support/QStringPrinter.h"
#include "wizard/WizardTabs.h"

#include <gtest/gtest.h>

// A wizard page without a window, for the engine and the owners' rules: it keeps what the
// engine set on it; a test's user leaves it through the page-show seam by setting Button.
class CFakePage : public IWizardPage
{
public:
    qint32 FormType() const override { return Type; }
    void SetFormType(qint32 formType) override { Type = formType; }
    qint32 ButtonRet() const override { return Button; }
    bool FirstTab() const override { return First; }
    void SetFirstTab(bool firstTab) override { First = firstTab; }
    bool LastTab() const override { return Last; }
    void SetLastTab(bool lastTab) override { Last = lastTab; }
    void GetData(ICopyClass &) const override {}
    void SetData(const ICopyClass &) override {}
    void SetCaption(const QString &caption) override { Caption = caption; }
    void SetIcon(qint16) override {}
    QRect FrameGeometry() override { return QRect(TopLeft, Size); }
    void MoveFrameTo(const QPoint &topLeft) override { TopLeft = topLeft; }
    void SetMinimumFrameSize(const QSize &size) override { Size = Size.expandedTo(size); }
    QRect AvailableScreenArea() const override { return Screen; }
    void ShowModal() override { ADD_FAILURE() << "a page shown without the test's user"; }
    void Unload() override {}

    qint32 Type = ftWizard;
    qint32 Button = brCancel;
    bool First = false;
    bool Last = false;
    QString Caption;
    QSize Size{400, 300};
    QPoint TopLeft;
    QRect Screen{0, 0, 1920, 1080};
};

// A fake page with a data copy; the test's user edits Data before leaving, as a real page
// copies its controls back.
template <class DataClass> class CFakeDataPage : public CFakePage
{
public:
    void GetData(ICopyClass &data) const override { Data.GetData(data); }
    void SetData(const ICopyClass &data) override { Data.SetData(data); }

    DataClass Data;
};

// Plays the user of a wizard of fake pages through the page-show seam: keeps the position of
// every page shown and leaves it with the button `user` gives for it; past 60 shows, Cancel,
// so that a wizard that loops ends.
class FakeUser
{
public:
    FakeUser(CWizardTabs &wizard, std::function<qint32(int position, CFakePage &page)> user)
    {
        SetWizardPageShow([&wizard, user, this](IWizardPage &page) {
            int position = 1;
            while (&wizard.Pages()[position] != &page)
                ++position;
            Shown.append(position);
            auto &fake = dynamic_cast<CFakePage &>(page);
            fake.Button = Shown.size() > 60 ? IWizardPage::brCancel : user(position, fake);
        });
    }
    ~FakeUser() { SetWizardPageShow({}); }
    FakeUser(const FakeUser &) = delete;
    FakeUser &operator=(const FakeUser &) = delete;

    QList<int> Shown;
};

// A user who presses the buttons in turn, then Cancel.
inline std::function<qint32(int, CFakePage &)> Pressing(QList<qint32> buttons)
{
    return [buttons](int, CFakePage &) mutable {
        return buttons.isEmpty() ? qint32(IWizardPage::brCancel) : buttons.takeFirst();
    };
}
