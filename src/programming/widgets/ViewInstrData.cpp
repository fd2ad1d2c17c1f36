#include "programming/widgets/ViewInstrData.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/TextSpin.h"
#include "model/CommConfig.h"
#include "model/NetworkAddMsgSetup.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/link/LivePoll.h"

#include "ui_FViewInstrData.h"

#include <QMouseEvent>
#include <QStandardItemModel>
#include <QStyle>

namespace {

constexpr int kAddressColumnId = 601;
constexpr int kValueColumnId = 602;
constexpr int kAlarmColumnId = 603; // "|1 Alarm"
constexpr int kCloseId = 2005;
constexpr int kValueFontSize = 36;
constexpr qint16 kHighestAddress = 255;

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);

QString AlarmText(int alarm)
{
    return LoadResStringArgs(kAlarmColumnId, {alarm});
}

QString OnOff(bool on)
{
    return on ? QStringLiteral("ON") : QStringLiteral("OFF");
}

QColor StateColour(qint32 displayState)
{
    switch (displayState) {
    case CLiveValue::dsStateFlag:
        return kBlue;
    case CLiveValue::dsOverRange:
    case CLiveValue::dsNegativeOverRange:
        return kRed;
    default:
        return Qt::black;
    }
}

void SetColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

FViewInstrData::FViewInstrData(QWidget *parent)
    : CLinkWindow(parent), m_Ui(std::make_unique<Ui::FViewInstrData>()),
      m_rsInstrStatusData(new QStandardItemModel(kRows, colCount, this)),
      m_spinNetworkAdd(new CTextSpin(this))
{
    m_Ui->setupUi(this);
    m_LedAlarm = {m_Ui->LedAlarm1, m_Ui->LedAlarm2, m_Ui->LedAlarm3, m_Ui->LedAlarm4};
    m_rsInstrStatusData->setHorizontalHeaderLabels({LoadResString(kAddressColumnId),
                                                    LoadResString(kValueColumnId), AlarmText(1), AlarmText(2),
                                                    AlarmText(3), AlarmText(4)});
    m_Ui->dgInstrStatusData->setModel(m_rsInstrStatusData);
    for (int k = 0; k < 4; ++k) {
        m_LedAlarm[k]->setText(AlarmText(k + 1));
        SetColour(m_LedAlarm[k], QPalette::Window, kGreen);
    }
    // The zoom panel is dragged by its frame, its label and its value.
    for (QWidget *handle : {static_cast<QWidget *>(m_Ui->picZoom), static_cast<QWidget *>(m_Ui->Label1),
                            static_cast<QWidget *>(m_Ui->txtMeasureValue)})
        handle->installEventFilter(this);
    m_Ui->cmdZoom->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    connect(m_Ui->cmdZoom, &QPushButton::clicked, this, [this] {
        m_Ui->picZoom->setVisible(!m_Ui->picZoom->isVisible());
        m_Ui->picZoom->raise();
    });
    connect(m_Ui->cmdClose, &QPushButton::clicked, this, &CLinkWindow::CancelTxRx);

    LoadForm(m_Ui->ProgBarTransfer);
    setWindowTitle(QString());
    m_Ui->cmdClose->setText(LoadResString(kCloseId));
    // The form's font came over the value's own: the value stays large.
    QFont valueFont = m_Ui->txtMeasureValue->font();
    valueFont.setPointSize(kValueFontSize);
    m_Ui->txtMeasureValue->setFont(valueFont);
    m_Ui->txtMeasureValue->setMinimumWidth(
        QFontMetrics(valueFont).horizontalAdvance(QStringLiteral("-32.768")));
    m_Ui->picZoom->adjustSize();
    m_spinNetworkAdd->Create(m_Ui->Text1, m_Ui->UpDown1, 1, kHighestAddress, 1, 1, true, false);
    m_spinNetworkAdd->SetEnabled(false);
}

FViewInstrData::~FViewInstrData() = default;

bool FViewInstrData::Create(CCommConfig &CommConfig, CNetworkAddMsgSetup &NetworkAdd)
{
    m_pCommConfig = &CommConfig;
    m_pNetworkAdd = &NetworkAdd;
    m_spinNetworkAdd->SetMax(qBound<qint16>(1, NetworkAdd.TotalInstrNetwork(), kHighestAddress));
    m_spinNetworkAdd->SetEnabled(IsRS485());
    return true;
}

bool FViewInstrData::IsRS485() const
{
    return m_pCommConfig->InterfaceType() == itRS485;
}

void FViewInstrData::RunLink()
{
    g_Trace->BugAssert(m_pCommConfig != nullptr && m_pNetworkAdd != nullptr, {});
    g_Trace->BugAssert(m_pCommConfig->InterfaceType() != itAuxiliary, {});
    ResetGrid();
    m_Ui->dgInstrStatusData->setCurrentIndex(m_rsInstrStatusData->index(0, 0));
    ProgBarTransfer()->setVisible(true);
    CLinkReport report = Report();
    report.SearchLine = [this](const QString &text) { setWindowTitle(text); };
    CLivePollDisplay display;
    display.PollingStarts = [this] { PollingStarts(); };
    display.Polled = [this](qint16 address, const CLiveValue &live) {
        UpdateDisplay(address, live);
        g_Trace->BugMessage(QStringLiteral("m_CurrentZoom=%1").arg(m_spinNetworkAdd->Value()));
    };
    CLivePoll poll(CreateLink(), *m_pCommConfig, *m_pNetworkAdd, report, display);
    poll.Run();
    ProgBarTransfer()->setVisible(false);
    SetReturnValue(false);
}

void FViewInstrData::ResetGrid()
{
    for (qint16 address = 1; address <= kRows; ++address) {
        SetGridNetworkAdd(address);
        SetGridVariableValue(address, QString());
        for (int alarm = 0; alarm < 4; ++alarm)
            SetGridAlarm(alarm, address, false);
    }
    m_Ui->dgInstrStatusData->setVisible(true);
}

void FViewInstrData::PollingStarts()
{
    ProgBarTransfer()->setVisible(false);
    m_Ui->picZoom->setVisible(m_pCommConfig->InterfaceType() == itRS232);
    m_Ui->picZoom->raise();
    m_spinNetworkAdd->SetMax(IsRS485() ? m_pNetworkAdd->TotalInstrNetwork() : kHighestAddress);
    m_spinNetworkAdd->SetValue(m_pNetworkAdd->NetworkAdd());
}

void FViewInstrData::UpdateDisplay(qint16 address, const CLiveValue &live)
{
    SetGridVariableValue(address, live.VariableValue);
    for (int alarm = 0; alarm < 4; ++alarm)
        SetGridAlarm(alarm, address, live.AlarmStatus[alarm]);
    if (m_spinNetworkAdd->Value() != address)
        return;
    SetColour(m_Ui->txtMeasureValue, QPalette::Text, StateColour(live.DisplayState));
    m_Ui->txtMeasureValue->setText(live.VariableValue);
    for (int alarm = 0; alarm < 4; ++alarm)
        SetColour(m_LedAlarm[alarm], QPalette::Window, live.AlarmStatus[alarm] ? kRed : kGreen);
}

void FViewInstrData::SetGridNetworkAdd(qint16 address)
{
    m_rsInstrStatusData->setData(m_rsInstrStatusData->index(address - 1, colNetworkAdd),
                                 QString::number(address));
}

void FViewInstrData::SetGridVariableValue(qint16 address, const QString &text)
{
    m_rsInstrStatusData->setData(m_rsInstrStatusData->index(address - 1, colVariableValue), text);
}

void FViewInstrData::SetGridAlarm(int alarm, qint16 address, bool active)
{
    m_rsInstrStatusData->setData(m_rsInstrStatusData->index(address - 1, colAlarm1 + alarm), OnOff(active));
}

bool FViewInstrData::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        m_Drag = static_cast<QMouseEvent *>(event)->position().toPoint();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const QPoint release = static_cast<QMouseEvent *>(event)->position().toPoint();
        MoveZoomPanel(m_Drag.x() - release.x(), m_Drag.y() - release.y());
        m_Drag = QPoint();
    }
    return CLinkWindow::eventFilter(watched, event);
}

void FViewInstrData::MoveZoomPanel(int dx, int dy)
{
    m_Ui->picZoom->move(m_Ui->picZoom->x() - dx, m_Ui->picZoom->y() - dy);
}
