#include "common/Error.h"
#include "common/Utility.h"

#include <gtest/gtest.h>

namespace {

CError Raised(void (*raise)(qint32), qint32 code)
{
    try {
        raise(code);
    } catch (const CError &error) {
        return error;
    }
    ADD_FAILURE() << "nothing raised for " << code;
    return CError(0, QString(), QString());
}

} // namespace

TEST(Utility, UtilityErrorsCarryNumberSourceAndText)
{
    struct Case
    {
        qint32 code;
        qint32 number;
        const char *sourceEnd;
        const char *description;
    };
    const Case cases[] = {
        {13000, qint32(13000 | 0x80040000u), ".Utility", ""},
        {13001, qint32(13001 | 0x80040000u), ".Utility", "HourGlass: Object doesn't have mouse pointer"},
        {13003, qint32(13003 | 0x80040000u), ".Utility",
         "GetOption: Argument is not a control arrayof OptionButtons"},
        {20000, qint32(20000 | 0x80040000u), ".Utility", ""},
        {13, 13, ".VBError", "Type mismatch"},
        {1000, 1000, ".VBError", "Application-defined or object-defined error"},
    };
    for (const Case &c : cases) {
        const CError error = Raised(&RaiseUtilityError, c.code);
        EXPECT_EQ(error.Number(), c.number) << c.code;
        EXPECT_TRUE(error.Source().endsWith(QLatin1String(c.sourceEnd))) << c.code;
        EXPECT_EQ(error.Description(), QLatin1String(c.description)) << c.code;
    }
    EXPECT_EQ(MakeUserError(13001), -2147208503);
}

TEST(Utility, WindowsErrorsCarryTheSystemText)
{
    const CError error = Raised(&RaiseWindowsError, 2);
    EXPECT_EQ(error.Number(), -2147192502);
    EXPECT_TRUE(error.Source().endsWith(QLatin1String(".Windows")));
    EXPECT_FALSE(error.Description().isEmpty());
    EXPECT_EQ(error.Description(), GetWindowsErrorText(2));
    EXPECT_TRUE(GetWindowsErrorText(987654).isEmpty()) << "a code the system does not know";
}

TEST(Utility, HexPadAndTrimNull)
{
    EXPECT_EQ(HexPad(255, 4), "00FF");
    EXPECT_EQ(HexPad(-1, 4), "FFFF");
    EXPECT_EQ(HexPad(-1, 10), "00FFFFFFFF");
    EXPECT_EQ(HexPad(0x12345, 2), "45");
    EXPECT_EQ(HexPad(0xABC, 0), "");
    EXPECT_EQ(TrimNull(QString::fromUtf16(u"AB\0CD", 5)), "AB");
    EXPECT_EQ(TrimNull(QStringLiteral("ABC")), "ABC");
}
