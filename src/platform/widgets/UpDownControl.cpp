#include "platform/widgets/UpDownControl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

UpDownControl::UpDownControl(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    m_RepeatDelay = style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold, nullptr, this);
    m_RepeatInterval = style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatRate, nullptr, this);
}

void UpDownControl::SetValue(int value)
{
    m_Value = value;
    Q_EMIT Change();
}

void UpDownControl::SetAutoRepeat(int delay, int interval)
{
    m_RepeatDelay = qMax(1, delay);
    m_RepeatInterval = qMax(1, interval);
}

int UpDownControl::SteppedValue(int value, int delta, int minimum, int maximum, bool wrap)
{
    const qint64 next = qint64(value) + delta;
    if (next > maximum)
        return wrap ? minimum : maximum;
    if (next < minimum)
        return wrap ? maximum : minimum;
    return int(next);
}

QSize UpDownControl::sizeHint() const
{
    const int width = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return {width, 2 * width};
}

void UpDownControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int half = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
    for (int i = 0; i < 2; ++i) {
        QStyleOption option;
        option.initFrom(this);
        option.rect = halves[i];
        const bool pressed = m_Direction == (i == 0 ? 1 : -1);
        option.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);
        option.rect = halves[i].adjusted(2, 1, -2, -1);
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &option,
                               &painter, this);
    }
}

void UpDownControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    Q_EMIT MouseDown();
    m_Direction = event->position().y() < height() / 2.0 ? 1 : -1;
    update();
    Step();
    m_Repeat.start(m_RepeatDelay, this);
}

void UpDownControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        StopRepeat();
}

void UpDownControl::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_Repeat.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    m_Repeat.start(m_RepeatInterval, this);
    Step();
}

void UpDownControl::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        StopRepeat();
    QWidget::changeEvent(event);
}

void UpDownControl::hideEvent(QHideEvent *event)
{
    StopRepeat();
    QWidget::hideEvent(event);
}

void UpDownControl::Step()
{
    const int next = SteppedValue(m_Value, m_Direction * m_Increment, m_Minimum, m_Maximum, m_Wrap);
    // A step that cannot move (at a limit, without wrapping) notifies nothing.
    if (next != m_Value)
        SetValue(next);
}

void UpDownControl::StopRepeat()
{
    m_Repeat.stop();
    if (m_Direction != 0) {
        m_Direction = 0;
        update();
    }
}
