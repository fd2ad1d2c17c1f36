#include "common/Error.h"
#include "model/CommConfig.h"
#include "model/Configuration.h"
#include "model/NetworkAddMsgSetup.h"
#include "support/Model_fixture.h"

#include <gmock/gmock.h>

TEST(CopyRules, ConfigurationClassesMatchByContainedNameLetterCaseAside)
{
    const std::tuple<const char *, const char *, bool> cases[] = {
        {"CAlarm", "CAlarm2", true},    {"CAlarm3", "CAlarm", true},     {"CAlarm1", "CAlarm2", false},
        {"CDisplay", "cdisplay", true}, {"calarm", "CALARM4", true},     {"CALARM1", "calarm2", false},
        {"", "CDisplay", true},         {"CDisplay", "CModInstr", false}};
    for (const auto &[nameA, nameB, same] : cases) {
        CAlarm a, b;
        a.SetClassName(nameA);
        b.SetClassName(nameB);
        EXPECT_EQ(a.VerifySameClass(a, b), same) << nameA << " " << nameB;
    }
}

TEST(CopyRules, CopiesBetweenMatchingClassesOnlyAndSixteenPoints)
{
    CAlarm third, fresh, first, second;
    third.SetClassName("CAlarm3");
    third.SetAlarmSetPoint(1234);
    fresh.SetData(third);
    EXPECT_EQ(std::pair(fresh.ClassName(), fresh.AlarmSetPoint()),
              std::pair(QString("CAlarm3"), qint16(1234)));
    first.SetClassName("CAlarm1");
    second.SetClassName("CAlarm2");
    second.SetIsteresi(5);
    first.SetData(second);
    EXPECT_EQ(first.Isteresi(), 0);

    CLinearize points, copy;
    points.SetCoordinateOut(15, -7);
    points.GetData(copy);
    EXPECT_EQ(copy.CoordinateOut(15), -7);
    for (int outside : {16, -1})
        EXPECT_THAT(
            [&] { points.SetCoordinateIn(outside, 1); },
            ::testing::Throws<CError>(::testing::Property(&CError::Number, 9))); // subscript out of range

    // An empty name matches every name, yet a display never copies into a module object.
    CDisplay unnamed;
    unnamed.SetClassName("");
    CModInstr modInstr;
    unnamed.GetData(modInstr);
    EXPECT_EQ(modInstr.ModelloStrumento(), 1);

    CCommConfig comm, other;
    CNetworkAddMsgSetup network;
    comm.SetComPort(3);
    network.SetInterfaceType(4);
    comm.GetData(other);
    network.GetData(comm);
    EXPECT_EQ(std::pair(other.ComPort(), comm.InterfaceType()), std::pair(qint16(3), qint16(0)));
}

TEST(Configuration, ApplyContextCopiesWhatPagesAndReportsRead)
{
    CConfiguration configuration;
    configuration.ModInstr().SetModelloStrumento(2);
    configuration.ModInstr().SetSlotA(3);
    configuration.RangeQEM().SetProbeSelect(1);
    configuration.RangeQEM().SetRange(4);
    configuration.RangeVABZOB().SetMeasureType(1);
    configuration.Display().SetDisplayDigit(1);
    CInOutScale &scale = configuration.InOutScale();
    scale.SetMeasureDigitalPoint(2);
    scale.SetMinMeasureScale(100);
    scale.SetMaxMeasureScale(-100);
    scale.SetMaxElectricScale(1500);
    configuration.ApplyContext();
    const CLinearize &linearize = configuration.Linearize();
    EXPECT_EQ(std::tuple(scale.GetScaleRange(), scale.MeasureType(), configuration.RangeVABZOB().SlotA(),
                         linearize.MaxElectricScale(), linearize.ScalaInvertita()),
              std::tuple(FindScaleRange(2, 3, 1, 4), 1, 3, 1500, true));
    for (const CMeasureContext *object : std::initializer_list<const CMeasureContext *>{
             &configuration.FiltroDigitale(), &configuration.Alarm(4), &linearize})
        EXPECT_EQ(std::tuple(object->MeasureDigitalPoint(), object->MinMeasureScale(),
                             object->ModelloStrumento(), object->DisplayDigit()),
                  std::tuple(2, 100, 2, 1));
}
