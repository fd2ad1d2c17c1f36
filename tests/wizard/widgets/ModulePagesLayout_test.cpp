#include "ModulePages_fixture.h"
#include "common/ResString.h"
#include "model/Display.h"
#include "model/ModInstr.h"
#include "model/RangeQEM.h"
#include "model/RangeVABZOB.h"
#include "model/SerialComm.h"
#include "wizard/widgets/FWDisplay.h"
#include "wizard/widgets/FWModInstr.h"
#include "wizard/widgets/FWRangeQEM.h"
#include "wizard/widgets/FWRangeVABZOB.h"
#include "wizard/widgets/FWSerialComm.h"

namespace {

// The five pages keep one size, so the wizard's buttons stay in one place, and show every text
// whole, the widest values of their spin edits included, in the desktop's font and in the
// program's.
TEST(ModulePages, OneSizeAndWholeTexts)
{
    const CProgramFont desktopFont = g_Font;
    const CModInstr modules;
    CRangeQEM qem;
    qem.SetCJC(1);
    qem.SetTempCJC(50);
    qem.SetDigitalInFunction(2);
    CRangeVABZOB vab;
    vab.SetIntegrationTime(1);
    vab.SetIntTime(9999);
    CSerialComm serial;
    serial.SetNetworkAdd(255);
    CDisplay display;
    display.SetPassword(8888);
    for (const QString &font : {desktopFont.Name, LoadResString(1335)}) {
        g_Font.Name = font;
        FWModInstr modInstr;
        FWRangeQEM rangeQEM;
        FWRangeVABZOB rangeVABZOB;
        FWSerialComm serialComm;
        FWDisplay displayPage;
        const std::pair<CWizardPage *, const ICopyClass *> pages[] = {{&modInstr, &modules},
                                                                      {&rangeQEM, &qem},
                                                                      {&rangeVABZOB, &vab},
                                                                      {&serialComm, &serial},
                                                                      {&displayPage, &display}};
        for (const auto &[page, data] : pages) {
            ShowPage(*page, *data, false);
            EXPECT_EQ(CutTexts(*page), QString()) << page->metaObject()->className();
            EXPECT_EQ(page->size(), modInstr.size()) << page->metaObject()->className();
        }
    }
    g_Font = desktopFont;
}

} // namespace
