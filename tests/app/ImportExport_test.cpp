#include "App_fixture.h"
#include "programming/memmap/ProgramFile.h"
#include "support/MemMapArchive_fixture.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QSqlDatabase>
#include <QTableView>
#include <QTimer>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using MemMap::EFamily;

namespace {

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Runs sql on a connection of its own to the archive file; the values it gives, as text.
QString OnFile(const QString &sql)
{
    QString text;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "file");
        db.setDatabaseName(CArchive::DefaultFilePath());
        QSqlQuery query(db);
        EXPECT_TRUE(db.open() && query.exec(sql)) << sql.toStdString();
        while (query.next())
            for (int i = 0; i < query.record().count(); ++i)
                text += query.value(i).toString() + '|';
    }
    QSqlDatabase::removeDatabase("file");
    return text;
}

// Every row of the archive file, the id counter included.
QString ArchiveRows()
{
    QString text;
    for (const QString &table : OnFile("SELECT name FROM sqlite_master WHERE type = 'table'").split('|'))
        if (!table.isEmpty())
            text += table + ':' + OnFile("SELECT * FROM " + table + " ORDER BY 1") + '\n';
    return text;
}

class ImportExportTest : public AppTest
{
protected:
    void SetUp() override
    {
        // The documents folder, as the desktop names it in the user's config folder.
        QDir().mkpath(m_Documents);
        QDir().mkpath(m_Dirs.Path() + "/config");
        Write(m_Dirs.Path() + "/config/user-dirs.dirs",
              "XDG_DOCUMENTS_DIR=\"" + m_Documents.toUtf8() + "\"\n");
        m_Window.Load();
        m_Window.show();
    }

    // Runs a File-menu command and answers its file dialog as a user does: types fileName
    // and accepts, Yes when asked to replace a file; cancels for no name. What the dialog
    // showed: its folder, the name proposed and the filter.
    QStringList Run(const char *item, const QString &fileName = {})
    {
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            ASSERT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
            QLineEdit *name = dialog->findChild<QLineEdit *>("fileNameEdit");
            seen << dialog->directory().absolutePath() << name->text() << dialog->nameFilters();
            if (fileName.isEmpty())
                return dialog->reject();
            name->setText(fileName);
            QTimer::singleShot(0, [] {
                if (auto *replace = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                    replace->button(QMessageBox::Yes)->click();
            });
            static_cast<QDialog *>(dialog)->accept();
        });
        m_Window.findChild<QAction *>(item)->trigger();
        return seen;
    }

    void Requery()
    {
        m_Window.RequeryProgrammi();
        m_Window.UpdateToolBarButtons();
    }
    QStringList Listed() const
    {
        const QAbstractItemModel *model = m_Window.findChild<QTableView *>("dgProgrammi")->model();
        QStringList names;
        for (int row = 0; row < model->rowCount(); ++row)
            names.append(model->index(row, 0).data().toString());
        return names;
    }
    // Export and Import as the File menu shows them when it opens.
    std::pair<bool, bool> FileMenu()
    {
        Q_EMIT m_Window.findChild<QMenu *>("mnuFile")->aboutToShow();
        return {m_Window.findChild<QAction *>("mnuExport")->isEnabled(),
                m_Window.findChild<QAction *>("mnuImport")->isEnabled()};
    }

    // A program file of the family, written by Export, its configuration gone again.
    QString ExportedFile(EFamily family)
    {
        const qint32 id = AddDistinct(family);
        Requery();
        const QString path = m_Files.filePath("esportato.IXO");
        Run("mnuExport", path);
        g_Connection->DeleteProgramma(id);
        Requery();
        return path;
    }

    QString m_Documents = m_Dirs.Path() + "/Documenti";
    QTemporaryDir m_Files;
    FMain m_Window;
};

class RoundTripTest : public ImportExportTest, public ::testing::WithParamInterface<EFamily>
{};

// Each family goes out and comes back: the dialogs, the name proposed, the new configuration
// listed and current with the file's name and settings. Export waits for a configuration,
// Import never does; a cancelled dialog writes nothing.
TEST_P(RoundTripTest, ExportThenImport)
{
    EXPECT_EQ(FileMenu(), std::pair(false, true));
    CConfiguration configuration;
    FillDistinct(configuration, GetParam());
    configuration.ModInstr().SetNomeProgramma("Linea 3/B – “forno”");
    const qint32 id = g_Connection->NewID();
    configuration.Add(id);
    const QStringList carried = CarriedValues(id, GetParam());
    Requery();
    EXPECT_EQ(FileMenu(), std::pair(true, true));

    const QStringList proposed = {m_Documents, "Linea 3_B – “forno”.IXO", "File IXO (*.IXO *.ixo)"};
    EXPECT_EQ(Run("mnuExport"), proposed);
    EXPECT_EQ(QDir(m_Documents).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    EXPECT_EQ(Run("mnuExport", m_Files.filePath("copia")), proposed);
    const QString file = m_Files.filePath("copia.IXO");
    ASSERT_TRUE(QFile::exists(file));

    g_Connection->DeleteProgramma(id);
    Requery();
    EXPECT_EQ(FileMenu(), std::pair(false, true));
    const QString before = ArchiveRows();
    EXPECT_EQ(Run("mnuImport"), QStringList({m_Files.path(), "", proposed[2]}));
    EXPECT_EQ(ArchiveRows(), before);

    Run("mnuImport", file);
    EXPECT_EQ(Listed(), QStringList({"Linea 3/B – “forno”"}));
    EXPECT_EQ(CarriedValues(m_Window.IDProgramma(), GetParam()), carried);
    EXPECT_EQ(FileMenu(), std::pair(true, true));
    EXPECT_EQ(m_Messages.Shown().size(), 0);
}

INSTANTIATE_TEST_SUITE_P(Families, RoundTripTest, ::testing::Values(EFamily::VABZOB, EFamily::QEM),
                         [](const auto &info) { return info.param == EFamily::QEM ? "QEM" : "VABZOB"; });

// A file the program does not take, refused on its header or by its manager after the new id
// was taken: message 802 with its full path; the archive with its id counter and the current
// configuration as they were.
TEST_F(ImportExportTest, RefusedFileShowsMessage802AndChangesNothing)
{
    const QByteArray qem = Bytes(ExportedFile(EFamily::QEM));
    ASSERT_EQ(mkfifo(m_Files.filePath("tubo.IXO").toLocal8Bit().constData(), 0600), 0);
    AddProgrammi({"Caldaia", "Forno"});
    Requery();
    m_Window.findChild<QTableView *>("dgProgrammi")->selectRow(1);
    const qint32 current = m_Window.IDProgramma();
    const QString before = ArchiveRows();

    const std::pair<const char *, QByteArray> refused[] = {
        {"altro.IXO", QByteArray(qem).replace(0, 7, "EkaSoft")},
        {"corto.IXO", qem.left(MemMap::kProgramFileHeaderSize - 1)},
        {"troncato.IXO", qem.left(qem.size() - 2)},
        {"fuori.IXO",
         QByteArray(qem).replace(MemMap::kProgramFileHeaderSize + 2, 2, QByteArray("\x06\x00", 2))},
        {"tubo.IXO", {}},
    };
    qsizetype shown = 0;
    for (const auto &[name, bytes] : refused) {
        const QString path = m_Files.filePath(name);
        if (!bytes.isNull())
            Write(path, bytes);
        Run("mnuImport", path);
        ASSERT_EQ(m_Messages.Shown().size(), ++shown) << name;
        const CMessage &message = m_Messages.Shown().last();
        EXPECT_EQ(std::tuple(message.Icon, message.Title, message.Text),
                  std::tuple(QMessageBox::Warning, LoadResString(301), LoadResStringArgs(802, {path})))
            << name;
        EXPECT_EQ(ArchiveRows(), before) << name;
        EXPECT_EQ(m_Window.IDProgramma(), current) << name;
        EXPECT_EQ(Listed(), QStringList({"Caldaia", "Forno"})) << name;
    }
}

// An error after the new id was taken (the archive refuses the last row): the error shown,
// the archive and the current configuration as they were, the next import on the same id.
TEST_F(ImportExportTest, FailureAfterTheIdWasTakenUndoesTheImport)
{
    const QString file = ExportedFile(EFamily::VABZOB);
    AddProgrammi({"Caldaia"});
    Requery();
    const qint32 current = m_Window.IDProgramma();
    OnFile("CREATE TRIGGER pieno BEFORE INSERT ON CAlarm4 BEGIN SELECT RAISE(ABORT, 'disco pieno'); END");
    const QString before = ArchiveRows();

    Run("mnuImport", file);
    ASSERT_EQ(m_Messages.Shown().size(), 1);
    EXPECT_EQ(m_Messages.Shown()[0].Icon, QMessageBox::Critical);
    EXPECT_TRUE(m_Messages.Shown()[0].Text.contains("disco pieno"));
    EXPECT_EQ(ArchiveRows(), before);
    EXPECT_EQ(m_Window.IDProgramma(), current);

    OnFile("DROP TRIGGER pieno");
    Run("mnuImport", file);
    EXPECT_EQ(m_Window.IDProgramma(), current + 1);
}

// A file that cannot be written, in a folder that is none or on a disk that fills up (a
// file-size limit): the error with the system's reason, a file already there as it was.
TEST_F(ImportExportTest, UnwritableTargetShowsTheSystemsReason)
{
    AddProgrammi({"Caldaia"});
    Requery();
    Write(m_Files.filePath("cartella"), "non una cartella");
    const QString inFile = m_Files.filePath("cartella/Caldaia.IXO"),
                  existing = m_Files.filePath("Caldaia.IXO");
    Write(existing, "versione precedente");
    Run("mnuExport", inFile);

    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{100, old.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    Run("mnuExport", existing);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);

    ASSERT_EQ(m_Messages.Shown().size(), 2);
    EXPECT_EQ(m_Messages.Shown()[0].Icon, QMessageBox::Critical);
    EXPECT_EQ(m_Messages.Shown()[0].Text, LoadResStringArgs(803, {inFile, "Not a directory"}));
    EXPECT_EQ(m_Messages.Shown()[1].Text, LoadResStringArgs(803, {existing, "File too large"}));
    EXPECT_EQ(Bytes(existing), "versione precedente");
    EXPECT_EQ(QDir(m_Files.path()).entryList(QDir::Files).size(), 2);
}

} // namespace
