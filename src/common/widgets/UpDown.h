#pragma once

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QLineEdit;
class UpDownControl;

// Binds a text box to its up-down control: the value and its limits, stepping with the arrows
// or the Up and Down keys, and the acceleration of a held arrow or key. A press starts with
// the slow step; its 10th step switches to the fast step and, when Max is above 100 times the
// fast step, its 20th to ten times the fast step. A held key is one press until a release that
// is not the display system's repeat. The text box takes no typing.
class CUpDown : public QObject
{
    Q_OBJECT

public:
    explicit CUpDown(QObject *parent = nullptr);

    void Create(QLineEdit *tb, UpDownControl *ud, qint16 MinValue, qint16 MaxValue, qint16 IncrLento,
                qint16 IncrVeloce, bool Wrap);

    // The up-down control only; the text box belongs to the spin edit.
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // Pulled inside the limits; Min wins when the limits cross.
    qint16 Value() const;
    void SetValue(qint16 value);
    qint16 MaxValue() const;
    void SetMaxValue(qint16 value);
    qint16 MinValue() const;
    void SetMinValue(qint16 value);
    qint16 IncrementoLento() const { return m_IncrementoLento; }
    void SetIncrementoLento(qint16 value) { m_IncrementoLento = value; }
    qint16 IncrementoVeloce() const { return m_IncrementoVeloce; }
    void SetIncrementoVeloce(qint16 value) { m_IncrementoVeloce = value; }
    QString ToolTipText() const;
    void SetToolTipText(const QString &text);

Q_SIGNALS:
    void Change();
    void ChangeValidate(bool &Cancel);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void StartPress();
    void CountStep();
    bool RepeatsHeldKey(const QKeyEvent &press) const;
    void OnKeyDown(const QKeyEvent &press);
    void OnUpDownChange();
    void OnMouseDown();

    QPointer<QLineEdit> m_TextBox;
    QPointer<UpDownControl> m_UpDown;
    qint16 m_IncrementoLento = 1;
    qint16 m_IncrementoVeloce = 1;
    int m_PressCount = 0;
    int m_Threshold = 10;
    bool m_KeyHeld = false;
    // The last release that ended a press, by key and display-system time.
    int m_ReleasedKey = 0;
    quint64 m_ReleaseTime = 0;
};
