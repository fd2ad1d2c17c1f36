#pragma once

#include <QBasicTimer>
#include <QWidget>

// The up-down control of a spin edit: two arrows that step a value between a minimum and a
// maximum by an increment, repeating while a mouse button is held, and wrapping at the limits
// when asked. It never takes the focus (its text box keeps it) and ignores the mouse wheel.
// The value, the limits and the increment are 32-bit, so stepping never overflows.
class UpDownControl : public QWidget
{
    Q_OBJECT

public:
    explicit UpDownControl(QWidget *parent = nullptr);

    int Value() const { return m_Value; }
    // Every assignment notifies Change, even of the value the control already holds.
    void SetValue(int value);
    int Minimum() const { return m_Minimum; }
    void SetMinimum(int value) { m_Minimum = value; }
    int Maximum() const { return m_Maximum; }
    void SetMaximum(int value) { m_Maximum = value; }
    int Increment() const { return m_Increment; }
    void SetIncrement(int value) { m_Increment = value; }
    bool Wrap() const { return m_Wrap; }
    void SetWrap(bool wrap) { m_Wrap = wrap; }
    // Pause before the first repeat and between repeats while a button is held, in ms.
    void SetAutoRepeat(int delay, int interval);

    // The value one step of delta away; past a limit it wraps to the other limit or stays
    // at the one it crossed.
    //   SteppedValue(9000, 10, 0, 9000, true) -> 0     SteppedValue(5, -10, 0, 90, false) -> 0
    static int SteppedValue(int value, int delta, int minimum, int maximum, bool wrap);

    QSize sizeHint() const override;

Q_SIGNALS:
    void Change();
    // A mouse button went down on an arrow, before the first step.
    void MouseDown();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Step();
    void StopRepeat();

    int m_Value = 0;
    int m_Minimum = 0;
    int m_Maximum = 100;
    int m_Increment = 1;
    bool m_Wrap = false;
    int m_Direction = 0; // +1 up arrow held, -1 down arrow held, 0 none
    int m_RepeatDelay;
    int m_RepeatInterval;
    QBasicTimer m_Repeat;
};
