#include "common/widgets/OptionButton.h"

#include "common/TraceCode.h"
#include "common/widgets/FocusValidation.h"

#include <QRadioButton>

COptionButton::COptionButton(QObject *parent) : QObject(parent) {}

void COptionButton::Create(QWidget *frm)
{
    m_Frame = frm;
}

void COptionButton::Create(QWidget *frm, std::initializer_list<QRadioButton *> buttons)
{
    Create(frm);
    for (QRadioButton *button : buttons)
        AddOptionButton(button);
}

void COptionButton::AddOptionButton(QRadioButton *ob)
{
    g_Trace->BugAssert(ob != nullptr && m_Buttons.size() < kMaxButtons, {});
    m_Buttons.append(ob);
    connect(ob, &QRadioButton::toggled, this, [this](bool checked) {
        UpdateTabStop();
        if (checked)
            Q_EMIT Change();
    });
    ob->installEventFilter(this);
    UpdateTabStop();
}

void COptionButton::Activate(qint16 index, bool bEnabled)
{
    g_Trace->BugAssert(index >= 0 && index < m_Buttons.size(), {});
    m_Buttons[index]->setEnabled(bEnabled);
    if (bEnabled)
        return;
    ReadValue();
    if (m_Value != index)
        return;
    for (qint16 i = 0; i < m_Buttons.size(); ++i) {
        if (m_Buttons[i]->isEnabled())
            SetValue(i);
    }
}

void COptionButton::ActivateGroup(bool bEnabled)
{
    if (m_Frame)
        m_Frame->setEnabled(bEnabled);
    for (const auto &button : std::as_const(m_Buttons))
        button->setEnabled(bEnabled);
}

qint16 COptionButton::Value()
{
    ReadValue();
    return m_Value;
}

void COptionButton::SetValue(qint16 index)
{
    m_Value = index;
    if (index >= 0 && index < m_Buttons.size()) {
        m_Buttons[index]->setChecked(true);
        return;
    }
    g_Trace->BugMessage(QStringLiteral("COptionButton: nessun pulsante con indice %1").arg(index));
    UncheckAll();
}

void COptionButton::ReadValue()
{
    for (qint16 i = 0; i < m_Buttons.size(); ++i) {
        if (m_Buttons[i]->isChecked()) {
            m_Value = i;
            return;
        }
    }
}

void COptionButton::UpdateTabStop()
{
    // Qt tabs into a group on the button that had the focus last, else on the first one; the
    // user expects the choice made, from where Up and Down go on. With no enabled button
    // checked, every button is a stop, as Qt has them.
    QRadioButton *stop = nullptr;
    for (const auto &button : std::as_const(m_Buttons)) {
        if (button && button->isChecked() && button->isEnabled())
            stop = button;
    }
    for (const auto &button : std::as_const(m_Buttons)) {
        if (!button)
            continue;
        const int policy = button->focusPolicy();
        button->setFocusPolicy(Qt::FocusPolicy(stop == nullptr || button == stop ? policy | Qt::TabFocus
                                                                                 : policy & ~Qt::TabFocus));
    }
}

void COptionButton::UncheckAll()
{
    // Exclusive buttons refuse to be cleared one by one.
    for (const auto &button : std::as_const(m_Buttons)) {
        if (!button->isChecked())
            continue;
        const bool exclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(exclusive);
    }
}

bool COptionButton::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::EnabledChange ||
        (event->type() == QEvent::FocusOut && !HasFocusAmong(m_Buttons)))
        UpdateTabStop();
    if (!FocusLeftByUser(event) || HasFocusAmong(m_Buttons))
        return QObject::eventFilter(watched, event);
    const qint16 old = m_Value;
    ReadValue();
    if (m_Value == old)
        return false;
    bool cancel = false;
    Q_EMIT ChangeValidate(cancel);
    if (cancel && old >= 0 && old < m_Buttons.size())
        ReturnFocus(m_Buttons[old]);
    return false;
}
