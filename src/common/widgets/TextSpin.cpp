#include "common/widgets/TextSpin.h"

#include "common/NumberFormat.h"
#include "common/TraceCode.h"
#include "platform/widgets/UpDownControl.h"

#include <QEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

CTextSpin::CTextSpin(QObject *parent) : QObject(parent) {}

void CTextSpin::Create(QLineEdit *tb, UpDownControl *ud, qint16 MinValue, qint16 MaxValue, qint16 IncrLento,
                       qint16 IncrVeloce, bool Wrap, bool ViewToolTipText)
{
    g_Trace->BugAssert(tb != nullptr && ud != nullptr && m_UpDown == nullptr, {});
    m_TextBox = tb;
    m_UpDownControl = ud;
    PlaceUpDown();
    tb->installEventFilter(this);
    m_UpDown = new CUpDown(this);
    connect(m_UpDown, &CUpDown::Change, this, &CTextSpin::RewriteText);
    connect(m_UpDown, &CUpDown::ChangeValidate, this, [this](bool &cancel) {
        if (m_EnableEvent)
            Q_EMIT ChangeValidate(cancel);
    });
    m_UpDown->Create(tb, ud, MinValue, MaxValue, IncrLento, IncrVeloce, Wrap);
    m_ViewToolTipText = ViewToolTipText;
    RewriteToolTip();
}

CUpDown &CTextSpin::UpDown() const
{
    // Using a spin edit before Create is a programming error.
    g_Trace->BugAssert(m_UpDown != nullptr, {});
    return *m_UpDown;
}

bool CTextSpin::Enabled() const
{
    return UpDown().Enabled() && m_TextBox->isEnabled();
}

void CTextSpin::SetEnabled(bool enabled)
{
    UpDown().SetEnabled(enabled);
    m_TextBox->setEnabled(enabled);
}

void CTextSpin::SetDataFormat(const QString &format)
{
    m_DataFormat = format;
    RewriteText();
    RewriteToolTip();
}

void CTextSpin::SetMoltiplicatore(float factor)
{
    m_Moltiplicatore = factor;
    RewriteToolTip();
}

void CTextSpin::SetUnitaMisura(const QString &unit)
{
    m_UnitaMisura = unit;
    RewriteText();
}

qint16 CTextSpin::Value() const
{
    return UpDown().Value();
}
void CTextSpin::SetValue(qint16 value)
{
    UpDown().SetValue(value);
}
qint16 CTextSpin::Min() const
{
    return UpDown().MinValue();
}

void CTextSpin::SetMin(qint16 value)
{
    UpDown().SetMinValue(value);
    RewriteToolTip();
}

qint16 CTextSpin::Max() const
{
    return UpDown().MaxValue();
}

void CTextSpin::SetMax(qint16 value)
{
    UpDown().SetMaxValue(value);
    RewriteToolTip();
}

qint16 CTextSpin::IncrementoLento() const
{
    return UpDown().IncrementoLento();
}
void CTextSpin::SetIncrementoLento(qint16 value)
{
    UpDown().SetIncrementoLento(value);
}
qint16 CTextSpin::IncrementoVeloce() const
{
    return UpDown().IncrementoVeloce();
}
void CTextSpin::SetIncrementoVeloce(qint16 value)
{
    UpDown().SetIncrementoVeloce(value);
}

QString CTextSpin::FormattedNumber(qint16 value) const
{
    // The product is a single-precision number, as the factors (0.1, 0.01, ...) are.
    const float shown = float(value) * m_Moltiplicatore;
    return FormatNumber(double(shown), m_DataFormat, QLocale());
}

QString CTextSpin::ShownText(qint16 value) const
{
    return (FormattedNumber(value) + QLatin1Char(' ') + m_UnitaMisura).trimmed();
}

void CTextSpin::RewriteText()
{
    if (m_EnableEvent)
        Q_EMIT Change();
    QString text = ShownText(Value());
    if (m_EnableEvent)
        Q_EMIT ViewText(text);
    if (m_TextBox)
        m_TextBox->setText(text);
}

void CTextSpin::RewriteToolTip()
{
    if (!m_ViewToolTipText || m_UpDown == nullptr)
        return;
    QString text =
        QStringLiteral("Min:") + FormattedNumber(Min()) + QStringLiteral(" Max:") + FormattedNumber(Max());
    if (m_EnableEvent)
        Q_EMIT ViewToolTip(text);
    m_UpDown->SetToolTipText(text);
}

void CTextSpin::PlaceUpDown()
{
    if (!m_TextBox || !m_UpDownControl)
        return;
    QLineEdit *tb = m_TextBox;
    UpDownControl *ud = m_UpDownControl;
    int frame = 0;
    if (tb->hasFrame()) {
        QStyleOptionFrame option;
        option.initFrom(tb);
        frame = tb->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, tb);
    }
    const int width = ud->sizeHint().width();
    const QRect client = tb->rect().adjusted(frame, frame, -frame, -frame);
    QPoint topLeft(client.right() + 1 - width, client.top());
    if (ud->parentWidget() != nullptr)
        topLeft = ud->parentWidget()->mapFrom(tb->window(), tb->mapTo(tb->window(), topLeft));
    ud->raise();
    ud->setGeometry(QRect(topLeft, QSize(width, client.height())));
    // The text never runs under the arrows.
    tb->setTextMargins(0, 0, width, 0);
}

bool CTextSpin::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_TextBox && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        PlaceUpDown();
    return QObject::eventFilter(watched, event);
}
