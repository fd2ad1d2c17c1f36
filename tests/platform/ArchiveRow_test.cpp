#include "common/LoadSaveADORS.h"
#include "platform/ArchiveRow.h"

#include <gtest/gtest.h>

template <class T> T Loaded(CLoadSaveADORS &fields, const char *name, T value)
{
    fields.LoadVariable(name, value);
    return value;
}

// The field storage of the archive-backed classes over one row.
TEST(ArchiveRow, FieldsRoundTripEveryTypeAndEmptyText)
{
    Platform::CArchiveRow row;
    CLoadSaveADORS fields;
    fields.SetRecordset(&row);
    const QDateTime when(QDate(2024, 2, 29), QTime(13, 5, 9));
    fields.SaveVariable("i16", qint16(-32768));
    fields.SaveVariable("i32", qint32(70000));
    fields.SaveVariable("f", 2.5f);
    fields.SaveVariable("d", when);
    fields.SaveVariable("s", QString());
    fields.SaveVariable("b", true);
    fields.SaveVariable("i16", qint16(-7)); // the same field again replaces its value
    EXPECT_EQ(row.Columns(), QStringList({"i16", "i32", "f", "d", "s", "b"}));

    EXPECT_EQ(Loaded(fields, "i16", qint16(0)), -7);
    EXPECT_EQ(Loaded(fields, "i32", qint32(0)), 70000);
    EXPECT_EQ(Loaded(fields, "f", 0.0f), 2.5f);
    EXPECT_EQ(Loaded(fields, "d", QDateTime()), when);
    EXPECT_EQ(Loaded(fields, "s", QString("old")), QString(""));
    EXPECT_TRUE(Loaded(fields, "b", false));
}

TEST(ArchiveRow, NullMissingOrUnfitFieldsKeepTheMember)
{
    Platform::CArchiveRow row({"null"});
    row.SetValue("big", 40000);
    row.SetValue("text", "x");
    CLoadSaveADORS fields;
    qint16 value = 5;
    fields.LoadVariable("big", value); // no recordset yet
    fields.SetRecordset(&row);
    for (const char *name : {"null", "missing", "big", "text"})
        fields.LoadVariable(name, value);
    EXPECT_EQ(value, 5);
}
