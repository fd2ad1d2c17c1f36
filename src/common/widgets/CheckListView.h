#pragma once

#include <QObject>
#include <QPointer>

class QListWidget;
class QListWidgetItem;

// The items of a list with check marks as one 32-bit mask: each item names its bit (0 to 31)
// in its key "Key00" ... "Key31". Setting Value sets the marks; a mark the user changes updates
// its bit and raises Change with Accept true; a handler that clears Accept turns the mark and
// the bit back.
class CCheckListView : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxItems = 32;
    // Where an item keeps its key.
    static constexpr int kKeyRole = Qt::UserRole;
    // The mark as last seen, to tell a change of the mark from other changes of the item.
    static constexpr int kMarkRole = Qt::UserRole + 1;

    explicit CCheckListView(QObject *parent = nullptr);

    void Create(QListWidget *listView);
    void AddItem(const QString &text, qint16 index);
    void ClearAllItem();
    bool Enabled() const;
    void SetEnabled(bool enabled);
    qint32 Value() const { return m_Value; }
    void SetValue(qint32 value);

Q_SIGNALS:
    void Change(bool &Accept);

private:
    static int BitOf(const QListWidgetItem *item);
    void SetMark(QListWidgetItem *item, bool checked);
    void OnItemChanged(QListWidgetItem *item);

    QPointer<QListWidget> m_ListView;
    qint32 m_Value = 0;
    bool m_Marking = false;
};
