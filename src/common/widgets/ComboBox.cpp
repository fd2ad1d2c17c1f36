#include "common/widgets/ComboBox.h"

#include "common/TraceCode.h"
#include "common/widgets/FocusValidation.h"

#include <QComboBox>

CComboBox::CComboBox(QObject *parent) : QObject(parent) {}

void CComboBox::Create(QComboBox *ctl)
{
    g_Trace->BugAssert(ctl != nullptr, {});
    m_ComboBox = ctl;
    connect(ctl, &QComboBox::currentIndexChanged, this, &CComboBox::OnSelection);
    ctl->installEventFilter(this);
}

void CComboBox::AddText(const QString &Text, qint32 ItemData)
{
    const int before = m_ComboBox->currentIndex();
    m_Selecting = true;
    m_ComboBox->addItem(Text, ItemData == -1 ? 0 : ItemData);
    // The list picks its first entry by itself; the page decides what is selected.
    if (m_ComboBox->currentIndex() != before)
        m_ComboBox->setCurrentIndex(before);
    m_Selecting = false;
}

void CComboBox::ClearAllItem()
{
    m_Selecting = true;
    m_ComboBox->clear();
    m_Selecting = false;
    m_LastIndex = -1;
    m_KeptValue.reset();
    m_KeptItemData.reset();
}

bool CComboBox::Enabled() const
{
    return m_ComboBox->isEnabled();
}
void CComboBox::SetEnabled(bool enabled)
{
    m_ComboBox->setEnabled(enabled);
}

qint16 CComboBox::Value() const
{
    if (m_KeptValue)
        return *m_KeptValue;
    return qint16(m_ComboBox->currentIndex());
}

void CComboBox::SetValue(qint16 value)
{
    m_KeptItemData.reset();
    if (value >= -1 && value < m_ComboBox->count()) {
        Select(value);
    } else {
        Select(-1);
        m_KeptValue = value;
        g_Trace->BugMessage(QStringLiteral("CComboBox: nessuna voce in posizione %1").arg(value));
    }
    if (m_EnableEvent)
        Q_EMIT Change();
}

QString CComboBox::Text() const
{
    return m_ComboBox->currentText();
}

qint32 CComboBox::ItemData() const
{
    if (m_KeptItemData)
        return *m_KeptItemData;
    const int position = m_ComboBox->currentIndex();
    return position < 0 ? -1 : m_ComboBox->itemData(position).toInt();
}

void CComboBox::SetItemData(qint32 data)
{
    for (int position = 0; position < m_ComboBox->count(); ++position) {
        if (m_ComboBox->itemData(position).toInt() == data) {
            SetValue(qint16(position));
            return;
        }
    }
    g_Trace->BugMessage(QStringLiteral("CComboBox: nessuna voce con il dato %1").arg(data));
    Select(-1);
    m_KeptItemData = data;
    if (m_EnableEvent)
        Q_EMIT Change();
}

void CComboBox::Select(int position)
{
    m_Selecting = true;
    m_ComboBox->setCurrentIndex(position);
    m_Selecting = false;
    m_LastIndex = position;
    m_KeptValue.reset();
}

void CComboBox::OnSelection(int position)
{
    if (m_Selecting || position == m_LastIndex)
        return;
    m_LastIndex = position;
    m_KeptValue.reset();
    m_KeptItemData.reset();
    if (m_EnableEvent)
        Q_EMIT Change();
}

bool CComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_ComboBox || !IsUserFocusChange(event))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // A refused leaving never left: the entry of the first arrival still counts.
        if (!m_FocusReturned)
            m_IndexAtFocus = Value();
        m_FocusReturned = false;
    } else if (Value() != m_IndexAtFocus && m_EnableEvent) {
        bool cancel = false;
        Q_EMIT ChangeValidate(cancel);
        if (cancel) {
            m_FocusReturned = true;
            ReturnFocus(m_ComboBox);
        }
    }
    return false;
}
