#include "PageControls_fixture.h"
#include "PageScript_fixture.h"
#include "model/FiltroDigitale.h"
#include "wizard/widgets/FWFiltroDigitale.h"

namespace {

// The measure context as the wizard rules set it and the stored values; what the two spins
// show ("min..max text"), what one Up adds to the range (0: not stepped, it stands at its
// Max); the button leaves the page with what they show, the context untouched.
struct FilterCase
{
    const char *what;
    qint16 modello, displayDigit, dp, lo, hi, campo, coeff;
    const char *campoSpin, *coeffSpin;
    int step;
    qint32 button = IWizardPage::brNext;
};

void PrintTo(const FilterCase &c, std::ostream *out)
{
    *out << c.what;
}

class FilterPage : public PageControlsTest, public ::testing::WithParamInterface<FilterCase>
{
protected:
    FWFiltroDigitale page;
    CFiltroDigitale filtro;
};

TEST_P(FilterPage, RangeFollowsScaleModelAndDisplay)
{
    const FilterCase &c = GetParam();
    filtro.SetModelloStrumento(c.modello);
    filtro.SetDisplayDigit(c.displayDigit);
    filtro.SetMeasureDigitalPoint(c.dp);
    filtro.SetMinMeasureScale(c.lo);
    filtro.SetMaxMeasureScale(c.hi);
    filtro.SetCampo(c.campo);
    filtro.SetCoeff(c.coeff);
    page.SetData(filtro);
    page.show();
    EXPECT_EQ(Spin(page, "txtCampo", "UpDown1"), c.campoSpin);
    EXPECT_EQ(Spin(page, "txtCoeff", "UpDown2"), c.coeffSpin);
    const std::pair shown{SpinValue(page, "UpDown1"), SpinValue(page, "UpDown2")};
    Press(page, c.button);
    page.GetData(filtro);
    EXPECT_EQ(std::pair(filtro.Campo(), filtro.Coeff()), shown);
    EXPECT_EQ(filtro.MeasureDigitalPoint(), c.dp);
    if (c.step != 0) {
        page.show();
        StepUp(page, "txtCampo");
        EXPECT_EQ(SpinValue(page, "UpDown1") - shown.first, c.step);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, FilterPage, ::testing::Values(
    FilterCase{"-1999..9999 EKA 40", 1, 0, 0, -1999, 9999, 150, 7, "0..9999 150", "1..32 7", 1},
    FilterCase{"-1999..9999 IXO 9990", 2, 1, 0, -1999, 9999, 150, 7, "0..9999 150", "1..32 7", 1},
    FilterCase{"-1999..9999 EKA 35 9990", 0, 1, 0, -1999, 9999, 150, 7, "0..9990 150", "1..32 7", 10},
    FilterCase{"-1999..9999 EKA 35 1999", 0, 0, 0, -1999, 9999, 150, 7, "0..1999 150", "1..32 7", 1},
    FilterCase{"0..500 EKA 35 9990", 0, 1, 0, 0, 500, 150, 7, "0..500 150", "1..32 7", 10},
    FilterCase{"0..500 EKA 40", 1, 1, 0, 0, 500, 150, 7, "0..500 150", "1..32 7", 1},
    FilterCase{"inverted 1000..0", 1, 0, 0, 1000, 0, 150, 7, "0..1000 150", "1..32 7", 1},
    FilterCase{"dp 2", 1, 0, 2, -1999, 9999, 150, 7, "0..9999 1.50", "1..32 7", 1},
    // Values outside their limits are shown and written back pulled in, on Back too.
    FilterCase{"class defaults", 0, 0, 0, 0, 0, 0, 0, "0..0 0", "1..32 1", 0, IWizardPage::brBack},
    FilterCase{"range above the scale width", 1, 0, 0, 0, 500, 800, 40, "0..500 500", "1..32 32", 0, IWizardPage::brBack},
    // A decimal point no table has shows whole counts and stays stored as it was.
    FilterCase{"dp 4", 1, 0, 4, -1999, 9999, 150, 7, "0..9999 150", "1..32 7", 1},
    FilterCase{"width beyond 16 bits", 0, 1, 1, -20000, 20000, 150, 7, "0..9990 15.0", "1..32 7", 10}));
// clang-format on

// Both members shown and left as they came, then the user's steps taken along by End.
TEST_F(FilterPage, RoundTripOfBothMembers)
{
    filtro.SetModelloStrumento(2);
    filtro.SetMeasureDigitalPoint(1);
    filtro.SetMaxMeasureScale(8000);
    filtro.SetCampo(1234);
    filtro.SetCoeff(17);
    page.SetLastTab(true);
    page.SetData(filtro);
    page.show();
    EXPECT_EQ(Spin(page, "txtCampo", "UpDown1"), "0..8000 123.4");
    Press(page, IWizardPage::brEnd);
    page.GetData(filtro);
    EXPECT_EQ((std::pair(filtro.Campo(), filtro.Coeff())), (std::pair<qint16, qint16>(1234, 17)));
    page.show();
    StepUp(page, "txtCampo");
    StepUp(page, "txtCoeff");
    Press(page, IWizardPage::brEnd);
    page.GetData(filtro);
    EXPECT_EQ((std::pair(filtro.Campo(), filtro.Coeff())), (std::pair<qint16, qint16>(1235, 18)));
}

} // namespace
