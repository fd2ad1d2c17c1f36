#include "common/Error.h"
#include "model/Alarm.h"
#include "model/CommConfig.h"
#include "model/Display.h"
#include "model/Linearize.h"
#include "model/ModInstr.h"
#include "model/NetworkAddMsgSetup.h"

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
