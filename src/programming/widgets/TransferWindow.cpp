#include "programming/widgets/TransferWindow.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/FormResources.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kCaptionId = 204; // "Communicating..."
constexpr int kCancelId = 2001;

QLabel *StatusLine(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setMinimumWidth(420);
    return label;
}

} // namespace

CTransferWindow::CTransferWindow(QWidget *parent)
    : CLinkWindow(parent), m_Label1(StatusLine("Label1", this)), m_Label5(StatusLine("Label5", this)),
      m_CmdCancel(new QPushButton(this))
{
    setProperty(kTagProperty, QString::number(kCaptionId));
    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("ContrTrasfDati"));
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_Label1);
    frameLayout->addWidget(m_Label5);
    frameLayout->addWidget(ProgBarTransfer());

    m_CmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_CmdCancel->setText(LoadResString(kCancelId));
    m_CmdCancel->setAutoDefault(false);
    connect(m_CmdCancel, &QPushButton::clicked, this, &CLinkWindow::CancelTxRx);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(m_CmdCancel, 0, Qt::AlignHCenter);
    LoadForm();
}

void CTransferWindow::AssertArguments(bool modulesDeclared) const
{
    g_Trace->BugAssert(m_pCommConfig != nullptr && m_pNetworkAdd != nullptr, {});
    g_Trace->BugAssert(m_Action == kActionRead || m_Action == kActionWrite, {});
    g_Trace->BugAssert(m_IDProgramma != kIDProgrammaUnset, QStringLiteral("m_IDProgramma non inizializzato"));
    if (m_Action == kActionWrite)
        g_Trace->BugAssert(m_pModInstr == nullptr, QStringLiteral("Errore m_pModInstr non nullo"));
    else if (modulesDeclared)
        g_Trace->BugAssert(m_pModInstr != nullptr, QStringLiteral("Errore m_pModInstr nullo"));
}

CLinkReport CTransferWindow::Report()
{
    CLinkReport report = CLinkWindow::Report();
    report.SearchLine = [this](const QString &text) { m_Label1->setText(text); };
    report.OperationLine = [this](const QString &text) { m_Label5->setText(text); };
    return report;
}

bool CTransferWindow::Create(CCommConfig &commConfig, CModInstr *modInstr, CNetworkAddMsgSetup &networkAdd)
{
    m_pCommConfig = &commConfig;
    m_pModInstr = modInstr;
    m_pNetworkAdd = &networkAdd;
    return true;
}
