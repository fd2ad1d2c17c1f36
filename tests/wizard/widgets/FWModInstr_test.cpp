#include "ModulePages_fixture.h"
#include "common/ResString.h"
#include "model/ModInstr.h"
#include "model/ModuleCodes.h"
#include "wizard/widgets/FWModInstr.h"

namespace {

namespace A = SlotAModule;
namespace B = SlotBModule;
namespace C = SlotCModule;
namespace D = SlotDModule;

Members Of(const CModInstr &m)
{
    return {"NomeProgramma=" + m.NomeProgramma(),
            QStringLiteral("ModelloStrumento=%1").arg(m.ModelloStrumento()),
            QStringLiteral("SlotA=%1").arg(m.SlotA()),
            QStringLiteral("SlotB=%1").arg(m.SlotB()),
            QStringLiteral("SlotC=%1").arg(m.SlotC()),
            QStringLiteral("SlotD=%1").arg(m.SlotD())};
}

CModInstr Modules(qint16 model, qint16 a, qint16 b, qint16 c, qint16 d)
{
    CModInstr m;
    m.SetNomeProgramma(QStringLiteral("Quadro 7"));
    m.SetModelloStrumento(model);
    m.SetSlotA(a);
    m.SetSlotB(b);
    m.SetSlotC(c);
    m.SetSlotD(d);
    return m;
}

CModInstr IXO(qint16 b, qint16 c, qint16 d)
{
    return Modules(Modello::IXO, A::VAB, b, c, d);
}

// The model is always left as IXO; KQ goes in slot C or D, never both; slot B has no KQ option
// and keeps a KQ it was given; a control changes its own member only.
TEST(FWModInstr, ModelKQInterlockSlotBAndRoundTrip)
{
    const QString fifty(50, QLatin1Char('x'));
    const CModInstr data = Modules(Modello::IXO, A::QEM, B::ZQ, C::Z3, D::None);
    const QList<PageVisit<CModInstr>> visits = {
        {"new configuration", CModInstr(), "",
         "txtProgramName=Without name | SlotA=0 | SlotB=0 | SlotC=0 | SlotD=0 | optSlotC4 | optSlotD1", kEnd,
         "ModelloStrumento=2"},
        {"EKA 35, Next", Modules(Modello::EKA35, A::VAKVAM, B::QZ, C::Z5, D::None), "",
         "SlotA=1 | SlotB=1 | SlotC=2", kNext, "ModelloStrumento=2"},
        {"EKA 40, Back", Modules(Modello::EKA40, A::ZOB, B::ZQ, C::Z8Z9, D::None), "", "SlotA=2 | SlotB=2",
         kBack, "ModelloStrumento=2"},
        {"EKA 35, Cancel", Modules(Modello::EKA35, A::QEM, B::None, C::None, D::KQ), "optSlotA0", "SlotA=0",
         kCancel, ""},
        {"KQ in slot C", IXO(B::None, C::KQ, D::None), "", "SlotC=4 | SlotD=0 | optSlotD1- | optSlotC4",
         kNext, ""},
        {"KQ in slot D", IXO(B::None, C::None, D::KQ), "", "SlotC=0 | SlotD=1 | optSlotC4- | optSlotD1",
         kNext, ""},
        {"slot D without option after KQ", IXO(B::None, C::None, 9), "", "SlotD=none | optSlotC4", kNext, ""},
        {"KQ in both slots", IXO(B::None, C::KQ, D::KQ), "", "SlotC=3 | SlotD=1 | optSlotC4-", kEnd,
         "SlotC=3"},
        {"user checks KQ in slot C", IXO(B::None, C::None, D::None), "optSlotC4", "SlotC=4 | optSlotD1-",
         kNext, "SlotC=4"},
        {"slot C without option after KQ", IXO(B::None, 9, D::KQ), "",
         "SlotC=none | SlotD=1 | optSlotD1 | optSlotC4-", kNext, ""},
        {"user moves KQ to slot D", IXO(B::None, C::KQ, D::None), "optSlotC0 optSlotD1",
         "SlotC=0 | SlotD=1 | optSlotC4-", kNext, "SlotC=0 SlotD=1"},
        {"KQ in slot B", IXO(B::KQ, C::Z3, D::None), "", "SlotB=none", kNext, ""},
        {"KQ in slot B, user picks QZ", IXO(B::KQ, C::Z3, D::None), "optSlotB1", "SlotB=1", kEnd, "SlotB=1"},
        {"typing stops at 50 characters", data, "txtProgramName:" + fifty + "yy", "txtProgramName=" + fifty,
         kEnd, "NomeProgramma=" + fifty},
        {"empty name", data, "txtProgramName:", "txtProgramName=", kNext, "NomeProgramma="},
        {"round trip", data, "", "", kEnd, ""},
        {"slot A", data, "optSlotA1", "", kEnd, "SlotA=1"},
        {"slot B", data, "optSlotB0", "", kEnd, "SlotB=0"},
        {"slot C", data, "optSlotC2", "", kEnd, "SlotC=2"},
        {"slot D", data, "optSlotD1", "", kEnd, "SlotD=1"},
    };
    FWModInstr page;
    Play(page, visits, Of);
}

TEST(FWModInstr, SameTitleForEveryAction)
{
    for (const qint16 action : {0, 1}) {
        FWModInstr page;
        page.SetAction(action);
        ShowPage(page, CModInstr(), false);
        EXPECT_EQ(Seen(page, "lblTitle"), "lblTitle=" + LoadResString(382));
        EXPECT_EQ(page.Action(), action);
    }
}

} // namespace
