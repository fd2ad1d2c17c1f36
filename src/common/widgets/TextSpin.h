#pragma once

#include "common/widgets/UpDown.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QLineEdit;
class UpDownControl;

// The spin edit of the wizard pages: a text box that cannot be typed into, with an up-down
// control inside its right edge. It holds a 16-bit Value between Min and Max and shows
// Value × Moltiplicatore formatted with DataFormat (user's locale), a blank and UnitaMisura:
//   Value 125, Moltiplicatore 0.1, DataFormat "##0.0", UnitaMisura "s."  -> "12.5 s."
// Calling order on a page: Create; Moltiplicatore before DataFormat; UnitaMisura, Min/Max;
// SetEnableEvent(false) while values are loaded, SetValue, SetEnableEvent(true).
// Change comes before the text is rewritten, so its handlers see the new Value while the
// text box still shows the old text. No signal is raised while EnableEvent is false.
class CTextSpin : public QObject
{
    Q_OBJECT

public:
    explicit CTextSpin(QObject *parent = nullptr);

    // Places the up-down control inside the text box's border (and keeps it there when the
    // text box moves or resizes), sets limits, steps and wrapping, and the value to Min,
    // which raises Change and shows the text.
    void Create(QLineEdit *tb, UpDownControl *ud, qint16 MinValue, qint16 MaxValue, qint16 IncrLento,
                qint16 IncrVeloce, bool Wrap, bool ViewToolTipText = false);

    // True only when both the text box and the up-down control are enabled.
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool EnableEvent() const { return m_EnableEvent; }
    void SetEnableEvent(bool enable) { m_EnableEvent = enable; }
    QString DataFormat() const { return m_DataFormat; }
    void SetDataFormat(const QString &format);
    // The text follows at its next rewrite; only the tooltip is rewritten at once.
    float Moltiplicatore() const { return m_Moltiplicatore; }
    void SetMoltiplicatore(float factor);
    QString UnitaMisura() const { return m_UnitaMisura; }
    void SetUnitaMisura(const QString &unit);
    qint16 Value() const;
    void SetValue(qint16 value);
    qint16 Min() const;
    void SetMin(qint16 value);
    qint16 Max() const;
    void SetMax(qint16 value);
    qint16 IncrementoLento() const;
    void SetIncrementoLento(qint16 value);
    qint16 IncrementoVeloce() const;
    void SetIncrementoVeloce(qint16 value);
    // "Min:0 Max:9000" on the up-down control; rewritten at the next change of DataFormat,
    // Moltiplicatore, Min or Max.
    bool ViewToolTipText() const { return m_ViewToolTipText; }
    void SetViewToolTipText(bool view) { m_ViewToolTipText = view; }

    // The text box shows this for a value: the formatted number, a blank and the unit.
    QString ShownText(qint16 value) const;

Q_SIGNALS:
    void Change();
    void ChangeValidate(bool &Cancel);
    void ViewText(QString &Text);
    void ViewToolTip(QString &Text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CUpDown &UpDown() const;
    QString FormattedNumber(qint16 value) const;
    void RewriteText();
    void RewriteToolTip();
    void PlaceUpDown();

    QPointer<QLineEdit> m_TextBox;
    QPointer<UpDownControl> m_UpDownControl;
    CUpDown *m_UpDown = nullptr;
    QString m_DataFormat = QStringLiteral("###0");
    float m_Moltiplicatore = 1.0f;
    QString m_UnitaMisura;
    bool m_ViewToolTipText = false;
    bool m_EnableEvent = true;
};
