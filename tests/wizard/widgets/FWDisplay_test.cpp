#include "ModulePages_fixture.h"
#include "common/ResString.h"
#include "model/Display.h"
#include "model/ModuleCodes.h"
#include "wizard/widgets/FWDisplay.h"

namespace {

Members Of(const CDisplay &d)
{
    return {QStringLiteral("DisplayDigit=%1").arg(d.DisplayDigit()),
            QStringLiteral("DisplayColor=%1").arg(d.DisplayColor()),
            QStringLiteral("Password=%1").arg(d.Password()),
            QStringLiteral("ModelloStrumento=%1").arg(d.ModelloStrumento())};
}

CDisplay Display(qint16 model, qint16 digit = 0, qint16 color = 2, qint16 password = 0)
{
    CDisplay d;
    d.SetModelloStrumento(model);
    d.SetDisplayDigit(digit);
    d.SetDisplayColor(color);
    d.SetPassword(password);
    return d;
}

constexpr qint16 EKA35 = Modello::EKA35, EKA40 = Modello::EKA40, IXO = Modello::IXO;

// The model decides which group may change; the password holds 0-9000 in steps of 1, wrapping.
TEST(FWDisplay, GroupsByModelPasswordAndRoundTrip)
{
    const QList<PageVisit<CDisplay>> visits = {
        {"class defaults, EKA 35", CDisplay(), "",
         "lblTitle=" + LoadResString(518) + " | DisplayDigit=0 | DisplayColor-=2 | txtPassword=0", kEnd, ""},
        {"EKA 40", Display(EKA40, 1, 0), "", "DisplayDigit-=1 | DisplayColor=0 | txtPassword=0", kNext, ""},
        {"IXO: only the password", Display(IXO, 1, 1, 5), "optDisplayDigit0 optDisplayColor2",
         "DisplayDigit-=1 | DisplayColor-=1 | txtPassword=5", kNext, ""},
        {"EKA 35 user picks 9990", Display(EKA35), "optDisplayDigit1", "DisplayDigit=1", kBack,
         "DisplayDigit=1"},
        {"EKA 40 user picks red", Display(EKA40), "optDisplayColor0", "DisplayColor=0", kEnd,
         "DisplayColor=0"},
        {"wraps at 9000", Display(IXO, 0, 2, 9000), "txtPassword+1", "txtPassword=0", kEnd, "Password=0"},
        {"held key: 1, then 10 from the 20th step", Display(IXO), "txtPassword^25", "txtPassword=79", kEnd,
         "Password=79"},
        {"stored 9500", Display(EKA35, 0, 2, 9500), "", "txtPassword=9000", kNext, "Password=9000"},
        {"cancelled", Display(EKA35), "optDisplayDigit1", "DisplayDigit=1", kCancel, ""},
        {"round trip", Display(IXO, 1, 0, 4321), "", "", kEnd, ""},
    };
    FWDisplay page;
    Play(page, visits, Of);
}

} // namespace
