#include "Model_fixture.h"
#include "common/Error.h"
#include "common/ResString.h"
#include "support/TraceCapture.h"
#include "model/Configuration.h"

#include <QFile>
#include <QSqlRecord>

namespace {

// Every column of one row but the key, read with a bare statement; empty when there is none.
QVariantList RawRow(const QString &table, qint32 id)
{
    QSqlQuery &select = g_Connection->Statement("SELECT * FROM " + table + " WHERE IDProgramma = ?");
    select.bindValue(0, id);
    g_Connection->Run(select);
    QVariantList values;
    if (select.next())
        for (int i = 1; i < select.record().count(); ++i)
            values << select.value(i);
    select.finish();
    return values;
}

QStringList ColumnsOf(const QString &table)
{
    QSqlQuery &info = g_Connection->Statement("PRAGMA table_info(" + table + ")");
    g_Connection->Run(info);
    QStringList columns;
    while (info.next())
        columns << info.value(1).toString();
    info.finish();
    return columns.mid(1); // IDProgramma first
}

qint32 ErrorCode(const std::function<void()> &action, QString *description = nullptr)
{
    try {
        action();
    } catch (const CError &error) {
        if (description)
            *description = error.Description();
        return error.Number() & 0xFFFF;
    }
    return 0;
}

} // namespace

TEST_F(ArchiveTest, EveryClassStoresExactlyTheColumnsOfItsTable)
{
    EXPECT_TRUE(QFile::exists(CArchive::DefaultFilePath()));
    CConfiguration configuration;
    const QList<CConfigClass *> objects = configuration.Objects();
    ASSERT_EQ(objects.size(), CArchive::ConfigurationTables().size());
    for (qsizetype i = 0; i < objects.size(); ++i) {
        EXPECT_EQ(objects[i]->ClassName(), CArchive::ConfigurationTables()[i]);
        EXPECT_EQ(objects[i]->StoredColumns(), ColumnsOf(objects[i]->ClassName())) << i;
    }
    EXPECT_EQ(configuration.Linearize().StoredColumns().size(), 33);
}

TEST_F(ArchiveTest, RecordTwoHoldsTheClassDefaultsAndIsNeverListed)
{
    CConfiguration fresh;
    const qint32 id = g_Connection->NewID();
    EXPECT_EQ(id, 3);
    fresh.Add(id);
    for (const QString &table : CArchive::ConfigurationTables()) {
        QVariantList two = RawRow(table, 2), added = RawRow(table, id);
        if (table == "CModInstr") {
            EXPECT_EQ(two.takeFirst(), LoadResString(617));
            EXPECT_EQ(added.takeFirst(), LoadResString(383));
        }
        EXPECT_EQ(two, added) << table.toStdString();
    }
    const QList<CProgrammaItem> list = g_Connection->Programmi();
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].IDProgramma, id);
}

TEST_F(ArchiveTest, AWholeConfigurationRoundTripsEveryColumn)
{
    // Distinct values in every column of record 2, so a column read into the wrong member shows.
    int distinct = -300;
    for (const QString &table : CArchive::ConfigurationTables())
        for (const QString &column : ColumnsOf(table)) {
            QSqlQuery &update =
                g_Connection->Statement("UPDATE " + table + " SET " + column + " = ? WHERE IDProgramma = 2");
            update.bindValue(0,
                             column == "m_NomeProgramma" ? QVariant("Prova ;'x") : QVariant(distinct += 7));
            g_Connection->Run(update);
        }
    CConfiguration loaded;
    loaded.Load(2);
    EXPECT_EQ(loaded.Linearize().CoordinateOut(15), RawRow("CLinearize", 2).last().toInt());
    const qint32 id = g_Connection->NewID();
    loaded.Add(id);
    for (const QString &table : CArchive::ConfigurationTables())
        EXPECT_EQ(RawRow(table, id), RawRow(table, 2)) << table.toStdString();

    loaded.ModInstr().SetNomeProgramma(QString()); // an empty name is stored like any other
    loaded.Alarm(4).SetAlarmColor(-32768);
    loaded.Update(id);
    CConfiguration again;
    again.Load(id);
    EXPECT_EQ(again.ModInstr().NomeProgramma(), QString());
    EXPECT_EQ(again.Alarm(4).AlarmColor(), -32768);
    EXPECT_EQ(again.Alarm(3).AlarmColor(), loaded.Alarm(3).AlarmColor());
    again.Update(CArchive::kActualSettingID); // the read-back of an instrument
    for (const QString &table : CArchive::ConfigurationTables())
        EXPECT_EQ(RawRow(table, 2), RawRow(table, id)) << table.toStdString();
}

TEST_F(ArchiveTest, AFailedSaveLeavesTheArchiveAsItWas)
{
    Exec("INSERT INTO CAlarm4 (IDProgramma) VALUES (50)");
    CConfiguration configuration;
    EXPECT_EQ(ErrorCode([&] { configuration.Add(50); }), aeDatabase);
    EXPECT_EQ(Value("SELECT count(*) FROM CModInstr WHERE IDProgramma = 50").toInt(), 0);

    configuration.Add(51);
    Exec("DELETE FROM CSerialComm WHERE IDProgramma = 51");
    configuration.ModInstr().SetNomeProgramma("Changed");
    QString description;
    EXPECT_EQ(ErrorCode([&] { configuration.Update(51); }, &description), aeRecordNotFound);
    EXPECT_EQ(description, "Record non trovato con il criterio:IDProgramma=51 nella tabella CSerialComm");
    EXPECT_EQ(Value("SELECT m_NomeProgramma FROM CModInstr WHERE IDProgramma = 51"), LoadResString(383));
}

TEST_F(ArchiveTest, AMissingRowEndsOnlyTheCommandWithATracedMessage)
{
    TraceCapture trace;
    CConfiguration configuration;
    QString description;
    EXPECT_EQ(ErrorCode([&] { configuration.Load(9); }, &description), aeRecordNotFound);
    EXPECT_EQ(description, "Record non trovato con il criterio:IDProgramma=9 nella tabella CModInstr");
    const QStringList lines = trace.Lines();
    const qsizetype opened = lines.indexOf("Apertura tabella:CModInstr");
    ASSERT_GE(opened, 0);
    EXPECT_EQ(lines.value(opened + 1), description);
}

TEST_F(ArchiveTest, IdsAreNeverGivenTwiceAndDeleteTakesEveryTable)
{
    const qint32 first = g_Connection->NewID(), second = g_Connection->NewID();
    EXPECT_EQ(first, 3);
    EXPECT_EQ(second, 4);
    g_Connection->GiveBackID(second);
    EXPECT_EQ(g_Connection->NewID(), 5);

    CConfiguration configuration;
    configuration.Add(first);
    g_Connection->DeleteProgramma(first);
    for (const QString &table : CArchive::ConfigurationTables() + QStringList{"CounterProgrammi"})
        EXPECT_EQ(Value("SELECT count(*) FROM " + table + " WHERE IDProgramma = 3").toInt(), 0)
            << table.toStdString();

    EXPECT_EQ(ErrorCode([] { g_Connection->DeleteProgramma(2); }), aeFixedRecord);
    EXPECT_EQ(ErrorCode([] { g_Connection->GiveBackID(2); }), aeFixedRecord);
    for (const QString &table : CArchive::ConfigurationTables())
        EXPECT_FALSE(RawRow(table, 2).isEmpty()) << table.toStdString();
}

TEST_F(ArchiveTest, ListsByNameLetterCaseAsideThenById)
{
    for (const char *name : {"b", "A", "a", "A"}) {
        CConfiguration configuration;
        configuration.ModInstr().SetNomeProgramma(name);
        configuration.Add(g_Connection->NewID());
    }
    QStringList listed;
    for (const CProgrammaItem &item : g_Connection->Programmi())
        listed << item.NomeProgramma + QString::number(item.IDProgramma);
    EXPECT_EQ(listed, QStringList({"A4", "a5", "A6", "b3"}));
}

TEST_F(ArchiveTest, OnlyTheClassesOwnTablesAreOpened)
{
    CAlarm unnamed;
    EXPECT_EQ(ErrorCode([&] { unnamed.SaveDataInADORS(3); }), aeUnknownTable);
    CDisplay display;
    display.SetClassName("CModInstr");
    EXPECT_EQ(ErrorCode([&] { display.LoadDataFromADORS(IDCriterion(2)); }), aeUnknownTable);
    display.SetClassName("CDisplay; DROP TABLE CModInstr");
    EXPECT_EQ(ErrorCode([&] { display.SaveDataInADORS(IDCriterion(2)); }), aeUnknownTable);
    EXPECT_FALSE(RawRow("CModInstr", 2).isEmpty());
}

TEST_F(ArchiveTest, OpensOnlyAnArchiveOfItsOwnVersion)
{
    CConfiguration configuration;
    configuration.Add(g_Connection->NewID());
    g_Connection->Close();
    EXPECT_EQ(ErrorCode([] { g_Connection->NewID(); }), aeNotOpen);
    g_Connection->Open();
    EXPECT_EQ(g_Connection->Programmi().size(), 1);
    Exec("PRAGMA user_version = 7");
    g_Connection->Close();
    QString description;
    EXPECT_EQ(ErrorCode([] { g_Connection->Open(); }, &description), aeWrongVersion);
    EXPECT_TRUE(description.contains("7")) << description.toStdString();
    EXPECT_FALSE(g_Connection->IsOpen());
}

TEST(ArchiveCriteria, ACriterionOfAnotherKindIsAProgrammingError)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CDisplay display;
    EXPECT_DEATH(display.SaveDataInADORS(1.5),
                 "Parametro di SaveDataInADORS\\(\\.\\.\\.\\) nella classe CDisplay non previsto");
    EXPECT_DEATH(display.LoadDataFromADORS(7),
                 "Parametro di LoadVariableFromADORS\\(\\.\\.\\.\\) nella classe CDisplay");
}
