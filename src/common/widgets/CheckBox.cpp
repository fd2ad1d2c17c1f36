#include "common/widgets/CheckBox.h"

#include "common/Bytes.h"
#include "common/TraceCode.h"
#include "common/widgets/FocusValidation.h"

#include <QCheckBox>

CCheckBox::CCheckBox(QObject *parent) : QObject(parent) {}

void CCheckBox::Create(QWidget *frame)
{
    m_Frame = frame;
}

void CCheckBox::AddCheckBox(QCheckBox *box)
{
    g_Trace->BugAssert(box != nullptr && m_Boxes.size() < kMaxBoxes, {});
    const auto index = qint16(m_Boxes.size());
    m_Boxes.append(box);
    connect(box, &QCheckBox::clicked, this, [this, index](bool checked) {
        SetBit(checked, m_Value, index);
        Q_EMIT Change(index);
    });
    box->installEventFilter(this);
}

void CCheckBox::Activate(qint16 index, bool enabled)
{
    g_Trace->BugAssert(index >= 0 && index < kMaxBoxes, {});
    if (index < m_Boxes.size())
        m_Boxes[index]->setEnabled(enabled);
}

void CCheckBox::ActivateGroup(bool enabled)
{
    if (m_Frame)
        m_Frame->setEnabled(enabled);
    for (const auto &box : std::as_const(m_Boxes))
        box->setEnabled(enabled);
}

void CCheckBox::SetValue(qint32 value)
{
    m_Value = value;
    for (qint16 n = 0; n < m_Boxes.size(); ++n) {
        m_Boxes[n]->setChecked(IsBitSet(value, n));
        Q_EMIT Change(n);
    }
}

bool CCheckBox::eventFilter(QObject *watched, QEvent *event)
{
    if (!FocusLeftByUser(event) || HasFocusAmong(m_Boxes))
        return QObject::eventFilter(watched, event);
    g_Trace->BugMessage(QStringLiteral("Il gruppo ha perso il fuoco"));
    const qint32 before = m_Value;
    for (qint16 n = 0; n < m_Boxes.size(); ++n)
        SetBit(m_Boxes[n]->isChecked(), m_Value, n);
    if (m_Value == before)
        return false;
    bool cancel = false;
    Q_EMIT ChangeValidate(cancel);
    if (cancel)
        ReturnFocus(qobject_cast<QWidget *>(watched));
    return false;
}
