#include "wizard/widgets/FinalSetupMessage.h"

#include "common/ResString.h"
#include "common/TraceCode.h"

#include "ui_FinalSetupMessage.h"

// The logo is compiled into the common library's resources.
static void InitLogoResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

constexpr int kEndOfProgrammingId = 570;
constexpr int kEndOfLinkSetupId = 571;
constexpr qint16 kLinkWizardAction = 1;

} // namespace

FWFinalSetupMessage::FWFinalSetupMessage(QWidget *parent)
    : CWizardPage(parent), m_Ui(std::make_unique<Ui::FWFinalSetupMessage>())
{
    InitLogoResources();
    m_Ui->setupUi(Body());
}

FWFinalSetupMessage::~FWFinalSetupMessage() = default;

int FWFinalSetupMessage::TitleId() const
{
    return m_Action == kLinkWizardAction ? kEndOfLinkSetupId : kEndOfProgrammingId;
}

void FWFinalSetupMessage::FormLoad()
{
    g_Trace->BugMessage(QStringLiteral("Load form:") + LoadResString(kEndOfProgrammingId));
}

void FWFinalSetupMessage::FormActivate()
{
    DataToControls();
    UpdateWizardButtonsSettingDefault();
}
