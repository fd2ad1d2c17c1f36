#include "common/widgets/CheckListView.h"

#include "common/Bytes.h"
#include "common/TraceCode.h"

#include <QListWidget>

CCheckListView::CCheckListView(QObject *parent) : QObject(parent) {}

void CCheckListView::Create(QListWidget *listView)
{
    g_Trace->BugAssert(listView != nullptr, {});
    m_ListView = listView;
    connect(listView, &QListWidget::itemChanged, this, &CCheckListView::OnItemChanged);
}

void CCheckListView::AddItem(const QString &text, qint16 index)
{
    g_Trace->BugAssert(index >= 0 && index < kMaxItems, QStringLiteral("Si possono gestire al max 31 item."));
    auto *item = new QListWidgetItem(text);
    item->setData(kKeyRole, QStringLiteral("Key%1").arg(index, 2, 10, QLatin1Char('0')));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    SetMark(item, false);
    m_ListView->addItem(item);
}

void CCheckListView::ClearAllItem()
{
    m_ListView->clear();
}

bool CCheckListView::Enabled() const
{
    return m_ListView->isEnabled();
}
void CCheckListView::SetEnabled(bool enabled)
{
    m_ListView->setEnabled(enabled);
}

void CCheckListView::SetValue(qint32 value)
{
    for (int row = 0; row < m_ListView->count(); ++row) {
        QListWidgetItem *item = m_ListView->item(row);
        SetMark(item, IsBitSet(value, BitOf(item)));
    }
    m_Value = value;
}

int CCheckListView::BitOf(const QListWidgetItem *item)
{
    return item->data(kKeyRole).toString().right(2).toInt();
}

void CCheckListView::SetMark(QListWidgetItem *item, bool checked)
{
    m_Marking = true;
    item->setData(kMarkRole, checked);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    m_Marking = false;
}

void CCheckListView::OnItemChanged(QListWidgetItem *item)
{
    const int bit = BitOf(item);
    const bool checked = item->checkState() == Qt::Checked;
    // Other changes of the item (its text) leave the mark as it was.
    if (m_Marking || checked == item->data(kMarkRole).toBool())
        return;
    item->setData(kMarkRole, checked);
    SetBit(checked, m_Value, bit);
    bool accept = true;
    Q_EMIT Change(accept);
    if (accept)
        return;
    SetMark(item, !checked);
    SetBit(!checked, m_Value, bit);
}
