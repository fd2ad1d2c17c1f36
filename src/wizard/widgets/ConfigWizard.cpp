#include "wizard/widgets/ConfigWizard.h"

#include "model/Configuration.h"
#include "wizard/ConfigWizardRules.h"
#include "wizard/widgets/FWAlarm.h"
#include "wizard/widgets/FWAnalogOut.h"
#include "wizard/widgets/FWDisplay.h"
#include "wizard/widgets/FWFiltroDigitale.h"
#include "wizard/widgets/FWInOutScale.h"
#include "wizard/widgets/FWLinearize.h"
#include "wizard/widgets/FWModInstr.h"
#include "wizard/widgets/FWRangeQEM.h"
#include "wizard/widgets/FWRangeVABZOB.h"
#include "wizard/widgets/FWSerialComm.h"
#include "wizard/widgets/FinalSetupMessage.h"

#include <array>

namespace {

using namespace ConfigWizardPage;

// The page that shows one position of the positions table.
struct CConfigWizardPage
{
    qint16 Position;
    std::unique_ptr<CWizardPage> (*NewPage)(QWidget *parent);
};

template <class Page> std::unique_ptr<CWizardPage> Make(QWidget *parent)
{
    return std::make_unique<Page>(parent);
}

constexpr std::array<CConfigWizardPage, Count> kPages{{
    {ModInstr, &Make<FWModInstr>},
    {RangeVABZOB, &Make<FWRangeVABZOB>},
    {RangeQEM, &Make<FWRangeQEM>},
    {Display, &Make<FWDisplay>},
    {InOutScale, &Make<FWInOutScale>},
    {Linearize, &Make<FWLinearize>},
    {Alarm1, &Make<FWAlarm>},
    {Alarm2, &Make<FWAlarm>},
    {Alarm3, &Make<FWAlarm>},
    {Alarm4, &Make<FWAlarm>},
    {FiltroDigitale, &Make<FWFiltroDigitale>},
    {AnalogOut, &Make<FWAnalogOut>},
    {SerialComm, &Make<FWSerialComm>},
    {FinalSetupMessage, &Make<FWFinalSetupMessage>},
}};

constexpr bool EveryPositionInItsPlace()
{
    for (std::size_t i = 0; i < kPages.size(); ++i) {
        if (kPages[i].Position != qint16(i + 1))
            return false;
    }
    return true;
}
static_assert(EveryPositionInItsPlace(), "the page of position k stands at index k - 1");

} // namespace

void BuildConfigWizard(CWizardTabs &wizard, CConfiguration &configuration, qint16 modInstrAction,
                       QWidget *parent)
{
    for (const CConfigWizardPosition &position : ConfigWizardPositions()) {
        std::unique_ptr<CWizardPage> page = kPages[std::size_t(position.Position - 1)].NewPage(parent);
        if (auto *modInstr = dynamic_cast<FWModInstr *>(page.get()))
            modInstr->SetAction(modInstrAction);
        wizard.Add(std::move(page), configuration.Object(QLatin1String(position.ClassName)));
    }
    wizard.SetAfterShowNextTabs(m_WizardInstrSetup_AfterShowNextTabs);
    wizard.SetAfterShowBackTabs(m_WizardInstrSetup_AfterShowBackTabs);
}
