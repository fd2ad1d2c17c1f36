#include "programming/widgets/TransferWindow.h"

#include "common/ResString.h"
#include "common/TraceCode.h"

#include "ui_TransferWindow.h"

namespace {

constexpr int kCancelId = 2001;

} // namespace

CTransferWindow::CTransferWindow(QWidget *parent)
    : CLinkWindow(parent), m_Ui(std::make_unique<Ui::CTransferWindow>())
{
    m_Ui->setupUi(this);
    m_Ui->cmdCancel->setText(LoadResString(kCancelId));
    connect(m_Ui->cmdCancel, &QPushButton::clicked, this, &CLinkWindow::CancelTxRx);
    LoadForm(m_Ui->ProgBarTransfer);
}

CTransferWindow::~CTransferWindow() = default;

QLabel *CTransferWindow::Label1() const
{
    return m_Ui->Label1;
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
    report.SearchLine = [this](const QString &text) { m_Ui->Label1->setText(text); };
    report.OperationLine = [this](const QString &text) { m_Ui->Label5->setText(text); };
    return report;
}

bool CTransferWindow::Create(CCommConfig &commConfig, CModInstr *modInstr, CNetworkAddMsgSetup &networkAdd)
{
    m_pCommConfig = &commConfig;
    m_pModInstr = modInstr;
    m_pNetworkAdd = &networkAdd;
    return true;
}
