#pragma once

#include "common/CopyClass.h"
#include "wizard/WizardPageProtocol.h"

#include <QSet>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The pages of one wizard run, by their 1-based position, as the owners' handlers reach them:
//   CModInstr modInstr;  pages[1].GetData(modInstr);  ...  pages[1].SetData(modInstr);
// A position outside 1..Count() is a failed assertion.
class CWizardPages
{
public:
    qint32 Count() const { return qint32(m_Pages.size()); }
    IWizardPage &Item(qint32 index) const;
    IWizardPage &operator[](qint32 index) const { return Item(index); }

private:
    friend class CWizardTabs;
    std::vector<std::unique_ptr<IWizardPage>> m_Pages;
};

// What an owner's handler of BeforeShowTabs, AfterShowNextTabs and AfterShowBackTabs gets:
// the position of the page about to be shown, which it may change to pass pages over; the
// pages; the ClassName of the data object at that position ("" for a page without data).
using WizardTabsEvent = std::function<void(qint16 &Index, CWizardPages &Pages, const QString &ClassName)>;

// Where a page goes on the screen: the first page of a run centred in the area, every later
// page with the first one's left and bottom edges (so the button rows stay in one place, the
// page growing upwards when it is taller), then pulled inside the area, the title bar winning
// over the buttons when the page is taller than the area. anchor holds the bottom-left corner
// of the first page; empty, the page is the first and anchor is set.
//   area 0,0 3840x2160, page 600x400, no anchor -> 1620,880, anchor 1620,1280
//   same area, page 600x500, anchor 1620,1280   -> 1620,780
QPoint PlacePage(const QRect &area, const QSize &frame, std::optional<QPoint> &anchor);

// The engine of every wizard of the program: runs a chain of modal pages, each editing one
// data object. The engine decides nothing about a wizard's content; the owner's handlers carry
// values into later pages and pass over the pages a configuration does not need, by moving
// the index of the events. A single page runs as a dialog with OK and Cancel, without events.
//   CWizardTabs wizard;
//   wizard.Add(std::make_unique<FWModInstr>(), &modInstr);
//   auto &closing = wizard.Add(std::make_unique<FWFinalSetupMessage>());  // no data
//   wizard.SetAfterShowNextTabs(handler);
//   wizard.SetCaption(caption);
//   if (wizard.Start() == 0) wizard.SaveDataInADORS(id);
// The engine owns the pages; the caller owns the data objects and reads them after Start.
// Pages made with a parent window must not outlive it: release the engine first.
class CWizardTabs
{
public:
    CWizardTabs();
    ~CWizardTabs();
    CWizardTabs(const CWizardTabs &) = delete;
    CWizardTabs &operator=(const CWizardTabs &) = delete;

    qint32 CountDialogs() const { return m_Pages.Count(); }
    QString FileName() const { return m_FileName; }
    // Also hands the name to every data object, in page order.
    void SetFileName(const QString &fileName);
    QString Caption() const { return m_Caption; }
    void SetCaption(const QString &caption) { m_Caption = caption; }
    // -1: the pages keep their own icon.
    void SetIcon(qint16 iconId) { m_Icon = iconId; }

    // Appends a page with the data object it edits; without one the page edits the empty data
    // object (ClassName ""). A ClassName already in the wizard raises CError (457) and adds
    // nothing: page i must keep editing data object i.
    template <class Page> Page &Add(std::unique_ptr<Page> page, ICopyClass *data = nullptr)
    {
        Page &added = *page;
        AddPage(std::move(page), data);
        return added;
    }
    // Closes every open page and drops pages and data objects.
    void RemoveAll();

    // 0: the user finished with End (or OK) and every data object, of pages passed over too,
    // holds its page's values; 1: cancelled, the data objects are as they were.
    qint32 Start();

    CWizardPages &Pages() { return m_Pages; }

    void SetBeforeShowTabs(WizardTabsEvent handler) { m_BeforeShowTabs = std::move(handler); }
    void SetAfterShowNextTabs(WizardTabsEvent handler) { m_AfterShowNextTabs = std::move(handler); }
    void SetAfterShowBackTabs(WizardTabsEvent handler) { m_AfterShowBackTabs = std::move(handler); }

    // On every data object, in page order.
    void SaveData(const QString &fileName);
    void LoadData(const QString &fileName);
    void SaveDataInADORS(const QVariant &criterion);
    void LoadDataFromADORS(const QVariant &criterion);

private:
    void AddPage(std::unique_ptr<IWizardPage> page, ICopyClass *data);
    qint32 StartDialog();
    qint32 StartWizard();
    void SizePagesAlike();
    // Raises event for Index and again for every index a handler moves it to.
    void MoveIndex(qint16 &Index, qint16 step, const WizardTabsEvent &event);
    void Raise(const WizardTabsEvent &event, qint16 &Index);
    void AssertIndex(qint32 index) const;
    void ShowPage(IWizardPage &page);
    void SetDataAll();
    void GetDataAll();
    void PositionPage(IWizardPage &page);

    CWizardPages m_Pages;
    std::vector<ICopyClass *> m_Data;
    QSet<QString> m_Keys;
    ICopyClass m_EmptyData;
    QString m_FileName;
    QString m_Caption;
    qint16 m_Icon = -1;
    std::optional<QPoint> m_Anchor;
    WizardTabsEvent m_BeforeShowTabs;
    WizardTabsEvent m_AfterShowNextTabs;
    WizardTabsEvent m_AfterShowBackTabs;
};
