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

TEST(Utility, ErrorsCarryNumberSourceAndText)
{
    const std::tuple<qint32, qint32, const char *, const char *> cases[] = {
        {13000, qint32(13000 | 0x80040000u), ".Utility", ""},
        {13001, -2147208503, ".Utility", "HourGlass: Object doesn't have mouse pointer"},
        {13003, qint32(13003 | 0x80040000u), ".Utility",
         "GetOption: Argument is not a control arrayof OptionButtons"},
        {13, 13, ".VBError", "Type mismatch"},
        {1000, 1000, ".VBError", "Application-defined or object-defined error"},
    };
    for (const auto &[code, number, sourceEnd, description] : cases) {
        const CError error = Raised(&RaiseUtilityError, code);
        EXPECT_EQ(error.Number(), number) << code;
        EXPECT_TRUE(error.Source().endsWith(QLatin1String(sourceEnd))) << code;
        EXPECT_EQ(error.Description(), QLatin1String(description)) << code;
    }
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
    EXPECT_EQ(TrimNull(QString::fromUtf16(u"AB\0CD", 5)), "AB");
}
