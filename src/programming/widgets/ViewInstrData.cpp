#include "programming/widgets/ViewInstrData.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/TextSpin.h"
#include "model/CommConfig.h"
#include "model/NetworkAddMsgSetup.h"
#include "platform/widgets/UpDownControl.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/link/LivePoll.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kAddressColumnId = 601;
constexpr int kValueColumnId = 602;
constexpr int kAlarmColumnId = 603; // "|1 Alarm"
constexpr int kSpinLabelId = 604;
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

template <class Widget> Widget *Named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

FViewInstrData::FViewInstrData(QWidget *parent)
    : CLinkWindow(parent), m_rsInstrStatusData(new QStandardItemModel(kRows, colCount, this)),
      m_dgInstrStatusData(Named(new QTableView(this), "dgInstrStatusData")),
      m_picZoom(Named(new QFrame(this), "picZoom")),
      m_txtMeasureValue(Named(new QLineEdit(m_picZoom), "txtMeasureValue")),
      m_Text1(Named(new QLineEdit(m_picZoom), "Text1")),
      m_UpDown1(Named(new UpDownControl(m_picZoom), "UpDown1")),
      m_Label1(Named(new QLabel(m_picZoom), "Label1")), m_spinNetworkAdd(new CTextSpin(this)),
      m_cmdZoom(Named(new QPushButton(this), "cmdZoom")), m_cmdClose(Named(new QPushButton(this), "cmdClose"))
{
    BuildGrid();
    BuildZoomPanel();
    auto *frame = Named(new QFrame(this), "ContrTrasfDati");
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->addWidget(ProgBarTransfer());
    auto *commandBar = Named(new QFrame(this), "pbCommandBar");
    auto *commandLayout = new QHBoxLayout(commandBar);
    commandLayout->addWidget(m_cmdZoom);
    commandLayout->addStretch();
    commandLayout->addWidget(m_cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_dgInstrStatusData, 1);
    layout->addWidget(frame);
    layout->addWidget(commandBar);
    m_cmdZoom->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    m_cmdZoom->setAutoDefault(false);
    m_cmdClose->setAutoDefault(false);
    connect(m_cmdZoom, &QPushButton::clicked, this, [this] {
        m_picZoom->setVisible(!m_picZoom->isVisible());
        m_picZoom->raise();
    });
    connect(m_cmdClose, &QPushButton::clicked, this, &CLinkWindow::CancelTxRx);

    LoadForm();
    setWindowTitle(QString());
    m_cmdClose->setText(LoadResString(kCloseId));
    QFont valueFont = m_txtMeasureValue->font();
    valueFont.setPointSize(kValueFontSize);
    m_txtMeasureValue->setFont(valueFont);
    m_txtMeasureValue->setMinimumWidth(QFontMetrics(valueFont).horizontalAdvance(QStringLiteral("-32.768")));
    m_picZoom->adjustSize();
    m_spinNetworkAdd->Create(m_Text1, m_UpDown1, 1, kHighestAddress, 1, 1, true, false);
    m_spinNetworkAdd->SetEnabled(false);
    ProgBarTransfer()->setVisible(false);
    resize(680, 480);
}

FViewInstrData::~FViewInstrData() = default;

void FViewInstrData::BuildGrid()
{
    m_rsInstrStatusData->setHorizontalHeaderLabels({LoadResString(kAddressColumnId),
                                                    LoadResString(kValueColumnId), AlarmText(1), AlarmText(2),
                                                    AlarmText(3), AlarmText(4)});
    m_dgInstrStatusData->setModel(m_rsInstrStatusData);
    m_dgInstrStatusData->verticalHeader()->hide();
    m_dgInstrStatusData->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_dgInstrStatusData->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_dgInstrStatusData->setVisible(false);
}

void FViewInstrData::BuildZoomPanel()
{
    m_picZoom->setFrameShape(QFrame::Panel);
    m_picZoom->setFrameShadow(QFrame::Raised);
    m_picZoom->setAutoFillBackground(true);
    m_Label1->setProperty("tag", QString::number(kSpinLabelId));
    m_txtMeasureValue->setReadOnly(true);
    m_txtMeasureValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *layout = new QGridLayout(m_picZoom);
    layout->addWidget(m_Label1, 0, 0, 1, 2);
    layout->addWidget(m_Text1, 0, 2, 1, 2);
    layout->addWidget(m_txtMeasureValue, 1, 0, 1, 4);
    for (int k = 0; k < 4; ++k) {
        m_LedAlarm[k] = new QLabel(AlarmText(k + 1), m_picZoom);
        m_LedAlarm[k]->setObjectName(QStringLiteral("LedAlarm%1").arg(k + 1));
        m_LedAlarm[k]->setAlignment(Qt::AlignCenter);
        m_LedAlarm[k]->setAutoFillBackground(true);
        SetColour(m_LedAlarm[k], QPalette::Window, kGreen);
        layout->addWidget(m_LedAlarm[k], 2, k);
    }
    for (QWidget *handle : {static_cast<QWidget *>(m_picZoom), static_cast<QWidget *>(m_Label1),
                            static_cast<QWidget *>(m_txtMeasureValue)})
        handle->installEventFilter(this);
    m_picZoom->move(24, 48);
    m_picZoom->setVisible(false);
}

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
    m_dgInstrStatusData->setCurrentIndex(m_rsInstrStatusData->index(0, 0));
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
    m_dgInstrStatusData->setVisible(true);
}

void FViewInstrData::PollingStarts()
{
    ProgBarTransfer()->setVisible(false);
    m_picZoom->setVisible(m_pCommConfig->InterfaceType() == itRS232);
    m_picZoom->raise();
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
    SetColour(m_txtMeasureValue, QPalette::Text, StateColour(live.DisplayState));
    m_txtMeasureValue->setText(live.VariableValue);
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
    m_picZoom->move(m_picZoom->x() - dx, m_picZoom->y() - dy);
}
