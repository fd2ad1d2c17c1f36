#include "wizard/WizardTabs.h"

#include "common/Error.h"
#include "common/TraceCode.h"

#include <algorithm>

namespace {

constexpr qint32 kDuplicateKeyError = 457;

// Keeps a window's edge inside the area: first the far edge, then the near one, so a window
// larger than the area shows its title bar and left edge.
int Inside(int position, int length, int areaStart, int areaLength)
{
    return std::max(std::min(position, areaStart + areaLength - length), areaStart);
}

} // namespace

IWizardPage &CWizardPages::Item(qint32 index) const
{
    g_Trace->BugAssert(
        index >= 1 && index <= Count(),
        QStringLiteral("CWizardTabs: pagina %1 fuori intervallo 1-%2").arg(index).arg(Count()));
    return *m_Pages[size_t(index - 1)];
}

QPoint PlacePage(const QRect &area, const QSize &frame, std::optional<QPoint> &anchor)
{
    QPoint topLeft;
    if (anchor) {
        topLeft = QPoint(anchor->x(), anchor->y() - frame.height());
    } else {
        topLeft = QPoint(area.x() + (area.width() - frame.width()) / 2,
                         area.y() + (area.height() - frame.height()) / 2);
    }
    topLeft = QPoint(Inside(topLeft.x(), frame.width(), area.x(), area.width()),
                     Inside(topLeft.y(), frame.height(), area.y(), area.height()));
    if (!anchor)
        anchor = QPoint(topLeft.x(), topLeft.y() + frame.height());
    return topLeft;
}

CWizardTabs::CWizardTabs() = default;

CWizardTabs::~CWizardTabs()
{
    RemoveAll();
}

void CWizardTabs::SetFileName(const QString &fileName)
{
    m_FileName = fileName;
    for (ICopyClass *data : m_Data)
        data->SetFileName(fileName);
}

void CWizardTabs::AddPage(std::unique_ptr<IWizardPage> page, ICopyClass *data)
{
    if (data) {
        const QString key = data->ClassName();
        if (m_Keys.contains(key))
            RaiseRunTimeError(
                kDuplicateKeyError,
                QStringLiteral("This key is already associated with an element of this collection"));
        m_Keys.insert(key);
    }
    m_Pages.m_Pages.push_back(std::move(page));
    m_Data.push_back(data ? data : &m_EmptyData);
}

void CWizardTabs::RemoveAll()
{
    while (!m_Pages.m_Pages.empty()) {
        m_Pages.m_Pages.front()->Unload();
        m_Pages.m_Pages.erase(m_Pages.m_Pages.begin());
    }
    m_Data.clear();
    m_Keys.clear();
}

qint32 CWizardTabs::Start()
{
    g_Trace->BugAssert(CountDialogs() > 0, QStringLiteral("CWizardTabs.Start: nessuna pagina da mostrare"));
    return CountDialogs() < 2 ? StartDialog() : StartWizard();
}

qint32 CWizardTabs::StartDialog()
{
    // A single page is an ordinary dialog: no events, and the edges of an earlier run of this
    // engine still hold.
    SetDataAll();
    IWizardPage &page = m_Pages[1];
    page.SetFormType(IWizardPage::ftDialog);
    ShowPage(page);
    if (page.ButtonRet() != IWizardPage::brEnd)
        return IWizardPage::brCancel;
    GetDataAll();
    return IWizardPage::brEnd;
}

qint32 CWizardTabs::StartWizard()
{
    m_Pages[1].SetFirstTab(true);
    m_Pages[CountDialogs()].SetLastTab(true);
    m_Anchor.reset();
    SetDataAll();
    SizePagesAlike();
    qint16 Index = 1;
    for (;;) {
        Raise(m_BeforeShowTabs, Index);
        IWizardPage &page = m_Pages[Index];
        ShowPage(page);
        switch (page.ButtonRet()) {
        case IWizardPage::brNext:
            MoveIndex(Index, 1, m_AfterShowNextTabs);
            break;
        case IWizardPage::brBack:
            MoveIndex(Index, -1, m_AfterShowBackTabs);
            break;
        case IWizardPage::brCancel:
            return IWizardPage::brCancel;
        case IWizardPage::brEnd:
            GetDataAll();
            return IWizardPage::brEnd;
        default:
            break;
        }
    }
}

void CWizardTabs::SizePagesAlike()
{
    // Every page of a run in the size of the largest, so the window keeps its size and its
    // buttons their place from page to page. Measuring loads a page; unloading it again lets
    // its show load it afresh, after what the owner's handlers carry into it.
    QSize common;
    for (qint32 i = 1; i <= CountDialogs(); ++i) {
        common = common.expandedTo(m_Pages[i].FrameGeometry().size());
        m_Pages[i].Unload();
    }
    for (qint32 i = 1; i <= CountDialogs(); ++i) {
        m_Pages[i].SetMinimumFrameSize(common);
        m_Pages[i].Unload();
    }
}

void CWizardTabs::MoveIndex(qint16 &Index, qint16 step, const WizardTabsEvent &event)
{
    qint16 candidate = qint16(Index + step);
    do {
        Index = candidate;
        qint16 copy = Index;
        Raise(event, copy);
        candidate = copy;
    } while (candidate != Index);
}

void CWizardTabs::Raise(const WizardTabsEvent &event, qint16 &Index)
{
    AssertIndex(Index);
    if (event)
        event(Index, m_Pages, m_Data[size_t(Index - 1)]->ClassName());
    AssertIndex(Index);
}

void CWizardTabs::AssertIndex(qint32 index) const
{
    g_Trace->BugAssert(index >= 1 && index <= CountDialogs(),
                       QStringLiteral("CWizardTabs: indice di pagina %1 fuori intervallo 1-%2")
                           .arg(index)
                           .arg(CountDialogs()));
}

void CWizardTabs::ShowPage(IWizardPage &page)
{
    page.SetCaption(m_Caption);
    if (m_Icon != -1)
        page.SetIcon(m_Icon);
    PositionPage(page);
    ShowWizardPage(page);
}

void CWizardTabs::SetDataAll()
{
    for (qint32 i = 1; i <= CountDialogs(); ++i)
        m_Pages[i].SetData(*m_Data[size_t(i - 1)]);
}

void CWizardTabs::GetDataAll()
{
    for (qint32 i = 1; i <= CountDialogs(); ++i)
        m_Pages[i].GetData(*m_Data[size_t(i - 1)]);
}

void CWizardTabs::PositionPage(IWizardPage &page)
{
    page.MoveFrameTo(PlacePage(page.AvailableScreenArea(), page.FrameGeometry().size(), m_Anchor));
}

void CWizardTabs::SaveData(const QString &fileName)
{
    for (ICopyClass *data : m_Data)
        data->SaveData(fileName);
}

void CWizardTabs::LoadData(const QString &fileName)
{
    for (ICopyClass *data : m_Data)
        data->LoadData(fileName);
}

void CWizardTabs::SaveDataInADORS(const QVariant &criterion)
{
    for (ICopyClass *data : m_Data)
        data->SaveDataInADORS(criterion);
}

void CWizardTabs::LoadDataFromADORS(const QVariant &criterion)
{
    for (ICopyClass *data : m_Data)
        data->LoadDataFromADORS(criterion);
}
