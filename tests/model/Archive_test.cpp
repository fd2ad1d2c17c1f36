#include "common/Error.h"
#include "common/ResString.h"
#include "model/Configuration.h"
#include "support/Files.h"
#include "support/Model_fixture.h"
#include "support/QStringPrinter.h"
#include "support/ReadOnlyPath.h"

#include <QDir>
#include <QRegularExpression>

#include <limits>

// The rows of `id` in every configuration table, as ArchiveRows gives them without the id.
static QStringList RowsOf(qint64 id)
{
    const QRegularExpression key(QStringLiteral("^(\\w+) %1( |$)").arg(id));
    return ArchiveRows().filter(key).replaceInStrings(key, QStringLiteral("\\1\\2"));
}

// The code of the CError an action raises, 0 when it raises none; `description` gets its text.
static qint32 ErrorCode(const std::function<void()> &action, QString *description = nullptr)
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

// Record 2 holds the class defaults (the rows of a new configuration but for its name). Distinct
// values in every column of record 2 show a column read into the wrong member or one a class
// does not store.
TEST_F(ArchiveTest, RecordTwoHoldsTheDefaultsAndAWholeConfigurationRoundTripsEveryColumn)
{
    EXPECT_TRUE(QFile::exists(CArchive::DefaultFilePath()));
    const qint64 id = g_Connection->NewID();
    CConfiguration().Add(id);
    EXPECT_EQ(RowsOf(2).replaceInStrings(LoadResString(617), "name"),
              RowsOf(id).replaceInStrings(LoadResString(383), "name"));

    int distinct = -300;
    for (const QString &table : CArchive::ConfigurationTables()) {
        QStringList columns;
        g_Connection->Run("PRAGMA table_info(" + table + ")", {},
                          [&columns](const auto &row) { columns << row.Text(1); });
        for (const QString &column : columns.mid(1))
            Exec("UPDATE " + table + " SET " + column + " = " +
                 (column == "m_NomeProgramma" ? "'Prova ;''x'" : QString::number(distinct += 7)) +
                 " WHERE IDProgramma = 2");
    }
    CConfiguration loaded;
    loaded.Load(2);
    const qint64 copy = g_Connection->NewID();
    loaded.Add(copy);
    EXPECT_EQ(RowsOf(copy), RowsOf(2));
    loaded.Alarm(4).SetAlarmColor(-32768);
    loaded.Update(copy);
    loaded.Load(copy);
    EXPECT_EQ(loaded.Alarm(4).AlarmColor(), -32768);
    loaded.Update(CArchive::kActualSettingID); // the read-back of an instrument
    EXPECT_EQ(RowsOf(2), RowsOf(copy));
}

TEST_F(ArchiveTest, AFailedSaveOrLoadLeavesTheArchiveAsItWas)
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
    EXPECT_EQ(ErrorCode([&] { configuration.Load(9); }), aeRecordNotFound);
}

// Ids are never given twice, delete takes every table, record 2 can be neither deleted nor
// listed, and the list goes by name (letter case aside), then by id.
TEST_F(ArchiveTest, IdsDeleteAndTheList)
{
    const qint64 first = g_Connection->NewID(), second = g_Connection->NewID();
    EXPECT_EQ(std::pair(first, second), (std::pair<qint64, qint64>(3, 4)));
    g_Connection->GiveBackID(second);
    EXPECT_EQ(g_Connection->NewID(), 5);

    CConfiguration().Add(first);
    g_Connection->DeleteProgramma(first);
    EXPECT_EQ(RowsOf(first), QStringList());
    EXPECT_EQ(Value("SELECT count(*) FROM CounterProgrammi WHERE IDProgramma = 3").toInt(), 0);
    EXPECT_EQ(ErrorCode([] { g_Connection->DeleteProgramma(2); }), aeFixedRecord);
    EXPECT_EQ(ErrorCode([] { g_Connection->GiveBackID(2); }), aeFixedRecord);
    EXPECT_EQ(RowsOf(2).size(), 13);

    for (const char *name : {"b", "A", "a", "A"}) {
        CConfiguration configuration;
        configuration.ModInstr().SetNomeProgramma(name);
        configuration.Add(g_Connection->NewID());
    }
    QStringList listed;
    for (const CProgrammaItem &item : g_Connection->Programmi())
        listed << item.NomeProgramma + QString::number(item.IDProgramma);
    EXPECT_EQ(listed, QStringList({"A7", "a8", "A9", "b6"}));
}

// Only the thirteen class tables are opened. An archive of another version (here a negative
// one), one that is no database, or one lacking a table or a column that a class stores is
// refused with a description naming the file and what is wrong, and is left as it was.
TEST_F(ArchiveTest, RefusesForeignTablesVersionsAndFilesLackingWhatTheClassesStore)
{
    CDisplay display;
    display.SetClassName("CDisplay; DROP TABLE CModInstr");
    EXPECT_EQ(ErrorCode([] { CAlarm().SaveDataInADORS(3); }), aeUnknownTable);
    EXPECT_EQ(ErrorCode([&] { display.SaveDataInADORS(IDCriterion(2)); }), aeUnknownTable);
    EXPECT_EQ(RowsOf(2).size(), 13);

    Exec("PRAGMA user_version = -2");
    g_Connection->Close();
    EXPECT_EQ(ErrorCode([] { g_Connection->NewID(); }), aeNotOpen);
    const QString path = CArchive::DefaultFilePath();
    QString description;
    EXPECT_EQ(ErrorCode([] { g_Connection->Open(); }, &description), aeWrongVersion);
    EXPECT_EQ(description, "Versione -2 dell'archivio " + path + " non prevista (attesa 2)");

    const std::tuple<const char *, QString, QString> lacking[] = {
        {"ALTER TABLE CDisplay DROP COLUMN m_Password", "tabella CDisplay senza la colonna m_Password",
         LoadResStringArgs(839, {"CDisplay", "m_Password"})},
        {"DROP TABLE CAlarm3", "senza la tabella CAlarm3", LoadResStringArgs(838, {"CAlarm3"})},
    };
    for (const auto &[change, what, reason] : lacking) {
        QFile::remove(path);
        g_Connection->Open();
        Exec(change);
        g_Connection->Close();
        const QByteArray before = ReadFile(path);
        try {
            g_Connection->Open();
            ADD_FAILURE() << change;
        } catch (const CError &error) {
            EXPECT_EQ(std::tuple(error.Number() & 0xFFFF, error.Reason()), std::tuple(aeMissingPart, reason));
            EXPECT_TRUE(error.Description().contains(path) && error.Description().endsWith(what))
                << error.Description().toStdString();
        }
        EXPECT_EQ(ReadFile(path), before);
    }
    ASSERT_TRUE(WriteFile(path, QByteArray(4096, 'x')));
    EXPECT_EQ(ErrorCode([] { g_Connection->Open(); }, &description), aeDamaged);
    EXPECT_TRUE(description.startsWith("Archivio " + path + " danneggiato")) << description.toStdString();
    EXPECT_FALSE(g_Connection->IsOpen());
}

// The counter goes on past 2^31 - 1 with whole 64-bit ids; once it has given its last one, a new
// id ends with aeNoIDLeft and the archive stays as it was.
TEST_F(ArchiveTest, IdsPastThirtyTwoBitsUntilTheCounterEnds)
{
    constexpr qint64 last = std::numeric_limits<qint64>::max();
    const QStringList counter = {"CounterProgrammi", "sqlite_sequence"};
    for (const auto &[given, next] :
         {std::pair<qint64, qint64>(2147483647, 2147483648), {last - 1, last}, {last, 0}}) {
        Exec(QString("UPDATE sqlite_sequence SET seq = %1 WHERE name = 'CounterProgrammi'").arg(given));
        const QStringList before = ArchiveRows(CArchive::ConfigurationTables() + counter);
        CConfiguration configuration;
        configuration.ModInstr().SetNomeProgramma(QString::number(given));
        if (next == 0) {
            EXPECT_EQ(ErrorCode([] { g_Connection->NewID(); }), aeNoIDLeft);
            EXPECT_EQ(ArchiveRows(CArchive::ConfigurationTables() + counter), before);
            continue;
        }
        const qint64 id = g_Connection->NewID();
        EXPECT_EQ(id, next);
        configuration.Add(id);
        CConfiguration loaded;
        loaded.Load(id);
        EXPECT_EQ(loaded.ModInstr().NomeProgramma(), QString::number(given));
        const QList<CProgrammaItem> listed = g_Connection->Programmi();
        EXPECT_TRUE(std::any_of(listed.begin(), listed.end(),
                                [id](const CProgrammaItem &item) { return item.IDProgramma == id; }));
    }
}

// An archive of version 1 gets the index of the list's order once its check has passed, and the
// listing then reads the index instead of sorting; one that cannot be written opens as it is and
// still lists.
TEST_F(ArchiveTest, AnOlderArchiveGetsTheListIndexOrWorksWithout)
{
    for (const char *name : {"b", "A", "a"}) {
        CConfiguration configuration;
        configuration.ModInstr().SetNomeProgramma(name);
        configuration.Add(g_Connection->NewID());
    }
    Exec("DROP INDEX CModInstr_Programmi");
    Exec("PRAGMA user_version = 1");
    g_Connection->Close();
    const QString path = CArchive::DefaultFilePath();
    const QByteArray old = ReadFile(path);
    for (const bool writable : {false, true}) {
        std::optional<ReadOnlyPath> readOnly;
        if (!writable && !readOnly.emplace(path).Made())
            continue;
        g_Connection->Open();
        g_Connection->WaitForCheck();
        QStringList listed;
        for (const CProgrammaItem &item : g_Connection->Programmi())
            listed << item.NomeProgramma + QString::number(item.IDProgramma);
        EXPECT_EQ(listed, QStringList({"A4", "a5", "b3"}));
        QStringList steps;
        g_Connection->Run("EXPLAIN QUERY PLAN SELECT IDProgramma, m_NomeProgramma FROM Programmi ORDER BY "
                          "m_NomeProgramma COLLATE NOCASE, IDProgramma",
                          {}, [&steps](const auto &row) { steps << row.Text(3); });
        EXPECT_EQ(std::pair(Value("PRAGMA user_version").toInt(), steps.join('|').contains("TEMP B-TREE")),
                  std::pair(writable ? 2 : 1, !writable));
        g_Connection->Close();
        EXPECT_EQ(ReadFile(path) == old, !writable);
    }
    g_Connection->Open();
}

// A part damaged where only the check sees it (one page of a table, the size right): a change
// asked for before the check has ended waits for it and is refused as aeDamaged, so nothing
// reaches the file; the parts damaged are named.
TEST_F(ArchiveTest, AChangeBeforeTheCheckWaitsForItAndADamagedArchiveRefusesIt)
{
    const qint64 id = g_Connection->NewID();
    CConfiguration().Add(id);
    g_Connection->Close();
    const QString path = CArchive::DefaultFilePath();
    const QByteArray whole = ReadFile(path);
    for (const char *table : {"CDisplay", "CLinearize", "CModInstr"}) {
        ASSERT_TRUE(WriteFile(path, whole) && DamageTable(path, table));
        const QByteArray damaged = ReadFile(path);
        g_Connection->Open();
        ASSERT_TRUE(g_Connection->CheckPending());
        CConfiguration configuration;
        EXPECT_EQ(ErrorCode([&] { configuration.Add(g_Connection->NewID()); }), aeDamaged) << table;
        EXPECT_EQ(ErrorCode([id] { g_Connection->DeleteProgramma(id); }), aeDamaged) << table;
        EXPECT_EQ(g_Connection->DamagedParts(), QStringList{table});
        g_Connection->Close();
        EXPECT_EQ(ReadFile(path), damaged) << table;
        // The file put back whole: its own check again, the next opening's answer.
        for (const QString &marker : QDir(QFileInfo(path).path()).entryList({"*-open*"}))
            QFile::remove(QFileInfo(path).dir().filePath(marker));
    }
}
