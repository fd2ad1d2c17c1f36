#include "common/Error.h"
#include "common/Utility.h"

#include <QStringList>

#include <gtest/gtest.h>

TEST(Utility, ErrorsCarryNumberSourceAndText)
{
    const std::tuple<void (*)(qint32), qint32, qint32, QString, QString> cases[] = {
        {&RaiseUtilityError, 13001, -2147208503, ".Utility", "HourGlass: Object doesn't have mouse pointer"},
        {&RaiseUtilityError, 13003, qint32(13003 | 0x80040000u), ".Utility",
         "GetOption: Argument is not a control arrayof OptionButtons"},
        {&RaiseUtilityError, 13, 13, ".VBError", "Type mismatch"},
        {&RaiseUtilityError, 1000, 1000, ".VBError", "Application-defined or object-defined error"},
        {&RaiseWindowsError, 2, -2147192502, ".Windows", GetWindowsErrorText(2)},
    };
    for (const auto &[raise, code, number, sourceEnd, description] : cases) {
        try {
            raise(code);
            ADD_FAILURE() << "nothing raised for " << code;
        } catch (const CError &error) {
            EXPECT_EQ(std::tuple(error.Number(), error.Source().mid(error.Source().lastIndexOf('.')),
                                 error.Description()),
                      std::tuple(number, sourceEnd, description))
                << code;
        }
    }
    EXPECT_NE(GetWindowsErrorText(2), "");
    EXPECT_EQ(GetWindowsErrorText(987654), "") << "a code the system does not know";
    EXPECT_EQ(QStringList({HexPad(-1, 4), HexPad(-1, 10), HexPad(0x12345, 2),
                           TrimNull(QString::fromUtf16(u"AB\0CD", 5))}),
              QStringList({"FFFF", "00FFFFFFFF", "45", "AB"}));
}
