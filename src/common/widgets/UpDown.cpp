#include "common/widgets/UpDown.h"

#include "common/TraceCode.h"
#include "common/widgets/FocusValidation.h"
#include "platform/widgets/UpDownControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <limits>

CUpDown::CUpDown(QObject *parent) : QObject(parent) {}

void CUpDown::Create(QLineEdit *tb, UpDownControl *ud, qint16 MinValue, qint16 MaxValue, qint16 IncrLento,
                     qint16 IncrVeloce, bool Wrap)
{
    g_Trace->BugAssert(tb != nullptr && ud != nullptr && m_UpDown == nullptr, {});
    m_TextBox = tb;
    m_UpDown = ud;
    // Read-only keeps out pasting and dropping as well; keys still arrive for stepping.
    tb->setReadOnly(true);
    tb->installEventFilter(this);
    ud->setFocusPolicy(Qt::NoFocus);
    connect(ud, &UpDownControl::Change, this, &CUpDown::OnUpDownChange);
    connect(ud, &UpDownControl::MouseDown, this, &CUpDown::OnMouseDown);
    ud->SetMinimum(MinValue);
    ud->SetMaximum(MaxValue);
    m_IncrementoLento = IncrLento;
    m_IncrementoVeloce = IncrVeloce;
    ud->SetValue(MinValue);
    ud->SetIncrement(IncrLento);
    ud->SetWrap(Wrap);
    m_PressCount = 0;
    m_Threshold = 10;
    m_KeyHeld = false;
}

bool CUpDown::Enabled() const
{
    return m_UpDown->isEnabled();
}
void CUpDown::SetEnabled(bool enabled)
{
    m_UpDown->setEnabled(enabled);
}

qint16 CUpDown::Value() const
{
    return qint16(m_UpDown->Value());
}

void CUpDown::SetValue(qint16 value)
{
    int v = value;
    if (v > m_UpDown->Maximum())
        v = m_UpDown->Maximum();
    if (v < m_UpDown->Minimum())
        v = m_UpDown->Minimum();
    m_UpDown->SetValue(v);
}

qint16 CUpDown::MaxValue() const
{
    return qint16(m_UpDown->Maximum());
}

void CUpDown::SetMaxValue(qint16 value)
{
    m_UpDown->SetMaximum(value);
    if (m_UpDown->Value() > value)
        m_UpDown->SetValue(value);
}

qint16 CUpDown::MinValue() const
{
    return qint16(m_UpDown->Minimum());
}

void CUpDown::SetMinValue(qint16 value)
{
    m_UpDown->SetMinimum(value);
    if (m_UpDown->Value() < value)
        m_UpDown->SetValue(value);
}

QString CUpDown::ToolTipText() const
{
    return m_UpDown->toolTip();
}
void CUpDown::SetToolTipText(const QString &text)
{
    m_UpDown->setToolTip(text);
}

void CUpDown::StartPress()
{
    m_PressCount = 0;
    m_Threshold = 10;
    m_UpDown->SetIncrement(m_IncrementoLento);
}

void CUpDown::CountStep()
{
    // Only the equality with the threshold matters, so the count may stop growing.
    if (m_PressCount < std::numeric_limits<int>::max())
        ++m_PressCount;
    if (m_PressCount != m_Threshold)
        return;
    if (m_Threshold == 10) {
        m_UpDown->SetIncrement(m_IncrementoVeloce);
        if (m_UpDown->Maximum() > 100 * int(m_IncrementoVeloce))
            m_Threshold = 20;
    } else {
        m_UpDown->SetIncrement(m_UpDown->Increment() * 10);
    }
}

bool CUpDown::RepeatsHeldKey(const QKeyEvent &press) const
{
    // The display system repeats a held key as a release and a press of the same moment. Qt
    // marks the pair as auto-repeat only when both have arrived by the time it reads the
    // release, so a release it left unmarked is taken back by the press that follows it.
    return press.isAutoRepeat() ||
           (press.timestamp() != 0 && press.key() == m_ReleasedKey && press.timestamp() == m_ReleaseTime);
}

void CUpDown::OnKeyDown(const QKeyEvent &press)
{
    if (!m_KeyHeld && !RepeatsHeldKey(press))
        StartPress();
    m_KeyHeld = true;
    CountStep();
    const int increment = m_UpDown->Increment();
    if (const int key = press.key(); key == Qt::Key_Up || key == Qt::Key_Down) {
        m_UpDown->SetValue(
            UpDownControl::SteppedValue(m_UpDown->Value(), key == Qt::Key_Up ? increment : -increment,
                                        m_UpDown->Minimum(), m_UpDown->Maximum(), m_UpDown->Wrap()));
    }
}

void CUpDown::OnUpDownChange()
{
    if (!m_KeyHeld)
        CountStep();
    Q_EMIT Change();
}

void CUpDown::OnMouseDown()
{
    if (m_TextBox && QApplication::focusWidget() != m_TextBox)
        m_TextBox->setFocus(Qt::MouseFocusReason);
    StartPress();
}

bool CUpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_TextBox)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Moving between controls and the dialog's own keys stay with the window.
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            return false;
        default:
            OnKeyDown(*key);
            return true;
        }
    }
    case QEvent::KeyRelease: {
        // A held key is one press until a release that is not a repeat's; only that one ends it,
        // or the acceleration would never start.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat()) {
            m_KeyHeld = false;
            m_ReleasedKey = key->key();
            m_ReleaseTime = key->timestamp();
        }
        return true;
    }
    case QEvent::FocusOut:
        if (FocusLeftByUser(event)) {
            bool cancel = false;
            Q_EMIT ChangeValidate(cancel);
            if (cancel)
                ReturnFocus(m_TextBox);
        }
        return false;
    default:
        return false;
    }
}
