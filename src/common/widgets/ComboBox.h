#pragma once

#include <QObject>
#include <QPointer>

#include <optional>

class QComboBox;

// One drop-down list of a wizard page: texts with optional 32-bit item data, the selection by
// position (Value) or by item data, and two signals a page mutes with EnableEvent while it
// loads values. Each Value or ItemData set raises one Change; a click of the user raises one
// when it leaves another entry selected. Leaving the list with another selection than it had
// on entry raises ChangeValidate (Cancel keeps the focus in the list).
// A value that no entry has (it may come from an instrument or a file) selects nothing and is
// kept: Value, or ItemData, hands it back unchanged until an entry is selected.
//   AddText("A", 10); AddText("B", 20); SetItemData(20) -> Value() == 1, ItemData() == 20
//   SetValue(9) on those two entries -> nothing selected, Value() == 9, ItemData() == -1
class CComboBox : public QObject
{
    Q_OBJECT

public:
    explicit CComboBox(QObject *parent = nullptr);

    void Create(QComboBox *ctl);
    // An item data of -1 leaves the entry's data at 0.
    void AddText(const QString &Text, qint32 ItemData = -1);
    void ClearAllItem();
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool EnableEvent() const { return m_EnableEvent; }
    void SetEnableEvent(bool enable) { m_EnableEvent = enable; }
    // The selected position, -1 when none, or the value kept in its place.
    qint16 Value() const;
    void SetValue(qint16 value);
    QString Text() const;
    // The selected entry's data; the kept data when none matched; -1 with no entry selected.
    qint32 ItemData() const;
    void SetItemData(qint32 data);

Q_SIGNALS:
    void Change();
    void ChangeValidate(bool &Cancel);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Select(int position);
    void OnSelection(int position);

    QPointer<QComboBox> m_ComboBox;
    bool m_EnableEvent = true;
    qint16 m_IndexAtFocus = 0;
    // The list starts with nothing selected, so a first pick of entry 0 is a change.
    int m_LastIndex = -1;
    bool m_Selecting = false;
    bool m_FocusReturned = false;
    std::optional<qint16> m_KeptValue;
    std::optional<qint32> m_KeptItemData;
};
