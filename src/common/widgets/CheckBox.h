#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QCheckBox;
class QWidget;

// Up to 32 check boxes of one frame as one 32-bit mask: box n (in the order added) is bit n,
// box 31 the sign bit. Setting Value sets every box and raises Change for each; a click
// updates its bit and raises Change. When the focus leaves the group and the boxes no longer
// match Value, ChangeValidate asks the owner (Cancel puts the focus back on the box left).
//   three boxes, SetValue(0b101) -> boxes 0 and 2 checked, Change(0), Change(1), Change(2)
class CCheckBox : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxBoxes = 32;

    explicit CCheckBox(QObject *parent = nullptr);

    void Create(QWidget *frame);
    void AddCheckBox(QCheckBox *box);
    // Numbers no box was added for are ignored.
    void Activate(qint16 index, bool enabled);
    void ActivateGroup(bool enabled);
    qint32 Value() const { return m_Value; }
    void SetValue(qint32 value);

Q_SIGNALS:
    void Change(qint16 Index);
    void ChangeValidate(bool &Cancel);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_Frame;
    QList<QPointer<QCheckBox>> m_Boxes;
    qint32 m_Value = 0;
};
