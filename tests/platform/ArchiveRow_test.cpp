#include "common/LoadSaveADORS.h"
#include "platform/ArchiveRow.h"

#include <gtest/gtest.h>

template <class T> T Loaded(CLoadSaveADORS &fields, const char *name, T value)
{
    fields.LoadVariable(name, value);
    return value;
}

// The field storage of the archive-backed classes over one row: every type and an empty text
// round trip; a null, missing or unfit field, or no row at all, keeps the member.
TEST(ArchiveRow, FieldsRoundTripEveryTypeAndFieldsThatDoNotFitKeepTheMember)
{
    Platform::CArchiveRow row({"null"});
    CLoadSaveADORS fields;
    EXPECT_EQ(Loaded(fields, "null", qint16(5)), 5);
    fields.SetRecordset(&row);
    const QDateTime when(QDate(2024, 2, 29), QTime(13, 5, 9));
    fields.SaveVariable("i16", qint16(-32768));
    fields.SaveVariable("i32", qint32(70000));
    fields.SaveVariable("f", 2.5f);
    fields.SaveVariable("d", when);
    fields.SaveVariable("s", QString());
    fields.SaveVariable("b", true);
    fields.SaveVariable("i16", qint16(-7)); // the same field again replaces it
    row.SetValue("big", 40000);
    row.SetValue("text", "x");
    EXPECT_EQ(row.Columns(), QStringList({"null", "i16", "i32", "f", "d", "s", "b", "big", "text"}));
    EXPECT_EQ(std::tuple(Loaded(fields, "i16", qint16(0)), Loaded(fields, "i32", qint32(0)),
                         Loaded(fields, "f", 0.0f), Loaded(fields, "d", QDateTime()),
                         Loaded(fields, "s", QString("old")), Loaded(fields, "b", false)),
              std::tuple(-7, 70000, 2.5f, when, QString(""), true));
    for (const char *name : {"null", "missing", "big", "text"})
        EXPECT_EQ(Loaded(fields, name, qint16(5)), 5) << name;
}
