#include "programming/widgets/TransferWindow.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/FormResources.h"
#include "model/Configuration.h"
#include "model/ModInstr.h"

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

void CTransferWindow::AssertIDProgramma() const
{
    g_Trace->BugAssert(m_IDProgramma != kIDProgrammaUnset, QStringLiteral("m_IDProgramma non inizializzato"));
}

bool CTransferWindow::Create(CCommConfig &commConfig, CModInstr *modInstr, CNetworkAddMsgSetup &networkAdd)
{
    m_pCommConfig = &commConfig;
    m_pModInstr = modInstr;
    m_pNetworkAdd = &networkAdd;
    return true;
}

qint16 CTransferWindow::StoredModuleCode() const
{
    g_Trace->BugAssert(m_pModInstr == nullptr, QStringLiteral("Errore m_pModInstr non nullo"));
    CModInstr stored;
    stored.LoadDataFromADORS(IDCriterion(IDProgramma()));
    return stored.CodificaModuli();
}
