#include "App_fixture.h"
#include "app/ProgramFileCommands.h"
#include "app/widgets/FileDialog.h"
#include "programming/memmap/ProgramFile.h"
#include "support/FileSizeLimit.h"
#include "support/MemMapArchive_fixture.h"
#include "support/TraceCapture.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>

#include <sys/stat.h>

using MemMap::EFamily;

namespace {

using ImportExport = Cases<AppTest, EFamily>;

// Each family goes out and comes back: the dialogs, the name proposed, the new configuration
// listed and current with the file's name (its settings: MemMapManager_test); a cancelled dialog
// writes nothing. Then files the program does not take, refused on their header or by the
// manager after the new id was taken: message 802 with the full path; an error of the archive
// after the id was taken: that error. Each leaves the archive with its id counter, the list and
// the current one as they were.
TEST_P(ImportExport, ExportImportAndWhatEachRefuses)
{
    // The documents folder, as the desktop names it in the config folder.
    const QString documents = m_Dirs.Path() + "/Documenti";
    QDir().mkpath(documents);
    QDir().mkpath(m_Dirs.Path() + "/config");
    WriteFile(m_Dirs.Path() + "/config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"" + documents.toUtf8() + "\"\n");
    Open();
    QTemporaryDir files;
    // Runs a File-menu command, its file dialog answered with fileName; what the dialog showed
    // past its title.
    const auto run = [this](const char *item, const QString &fileName = {}) {
        FileDialogUser user(fileName);
        Trigger(item);
        return user.Shown.mid(1);
    };
    CConfiguration configuration;
    FillDistinct(configuration, GetParam());
    configuration.ModInstr().SetNomeProgramma("Linea 3/B – “forno”");
    const qint64 id = g_Connection->NewID();
    configuration.Add(id);
    Requery();
    const QStringList proposed = {documents, "Linea 3_B – “forno”.IXO", "File IXO (*.IXO *.ixo)"};
    EXPECT_EQ(run("mnuExport"), proposed);
    EXPECT_EQ(QDir(documents).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    EXPECT_EQ(run("mnuExport", files.filePath("copia")), proposed);
    g_Connection->DeleteProgramma(id);
    Requery();
    QStringList before = Dump();
    EXPECT_EQ(run("mnuImport"), QStringList({files.path(), "", proposed[2]}));
    EXPECT_EQ(Dump(), before);
    run("mnuImport", files.filePath("copia.IXO"));
    ASSERT_EQ(Listed(), QStringList({"Linea 3/B – “forno”"}));
    EXPECT_EQ(m_Messages.Shown().size(), 0);

    const QByteArray file = ReadFile(files.filePath("copia.IXO"));
    const int header = MemMap::kProgramFileHeaderSize;
    before = Dump();
    const qint64 current = window->IDProgramma();
    const std::pair<const char *, QByteArray> refused[] = {
        {"altro.IXO", QByteArray(file).replace(0, 7, "EkaSoft")},
        {"fuori.IXO", QByteArray(file).replace(header + 2, 2, QByteArray("\x06\x00", 2))},
        {"pieno.IXO", file}, // the archive refuses a row
    };
    for (const auto &[name, bytes] : refused) {
        const QString path = files.filePath(name);
        WriteFile(path, bytes);
        if (bytes == file)
            g_Connection->Run("CREATE TRIGGER pieno BEFORE INSERT ON CAlarm4 BEGIN "
                              "SELECT RAISE(ABORT, 'disco pieno'); END");
        const qsizetype earlier = m_Messages.Shown().size();
        run("mnuImport", path);
        QStringList shown;
        for (const CMessage &m : m_Messages.Shown().mid(earlier))
            shown << QString::number(m.Icon) + ' ' +
                         (m.Text.contains("disco pieno") ? "disco pieno" : m.Title + ' ' + m.Text);
        EXPECT_EQ(shown, QStringList{bytes == file
                                         ? "3 " + LoadResString(301) + ' ' +
                                               LoadResStringArgs(821, {"Import file", LoadResString(823)})
                                         : "2 " + LoadResString(301) + ' ' + LoadResStringArgs(802, {path})})
            << name;
        EXPECT_EQ(Dump(), before) << name;
        EXPECT_EQ(std::pair(Listed().size(), window->IDProgramma()), std::pair(qsizetype(1), current))
            << name;
    }

    // A file that cannot be written, in a folder that is none or on a disk that fills up (a
    // file-size limit): the error with the system's reason, a file already there as it was.
    WriteFile(files.filePath("cartella"), "non una cartella");
    const QString inFile = files.filePath("cartella/x.IXO"), existing = files.filePath("vecchio.IXO");
    WriteFile(existing, "versione precedente");
    const qsizetype shownBefore = m_Messages.Shown().size();
    const QStringList present = QDir(files.path()).entryList(QDir::Files);
    run("mnuExport", inFile);
    {
        const CFileSizeLimit full(100);
        run("mnuExport", existing);
    }

    const auto failed = [](const QString &file, const char *reason) {
        return "3 " + LoadResStringArgs(820, {"Export file", "Linea 3/B – “forno”",
                                              LoadResStringArgs(803, {file, reason})});
    };
    EXPECT_EQ(m_Messages.Lines(false, shownBefore),
              QStringList({failed(inFile, "Not a directory"), failed(existing, "File too large")}));
    EXPECT_EQ(ReadFile(existing), "versione precedente");
    EXPECT_EQ(QDir(files.path()).entryList(QDir::Files), present);
}

// A file turned away on its header says why in the trace, whatever the reason; no id is taken.
TEST(ImportHeader, EveryRefusalTracesItsReason)
{
    TempUserDirs dirs;
    QTemporaryDir files;
    const QByteArray header = MemMap::EncodeProgramFile(MemMap::CProgramFile{});
    ASSERT_EQ(mkfifo(QFile::encodeName(files.filePath("tubo.IXO")).constData(), 0600), 0);
    const std::pair<const char *, QByteArray> refused[] = {
        {"vuoto.IXO", ""},
        {"corto.IXO", header.left(10)},
        {"tubo.IXO", {}},
    };
    const QStringList reasons = {"file vuoto", "10 byte invece di almeno 108", "non è un file regolare"};
    QStringList traced;
    for (const auto &[name, bytes] : refused) {
        const QString path = files.filePath(name);
        if (!bytes.isNull())
            WriteFile(path, bytes);
        TraceCapture trace;
        qint64 id = 7;
        EXPECT_EQ(ImportProgramma(path, id), EImportResult::Refused) << name;
        EXPECT_EQ(id, 7);
        traced << trace.Lines().filter(" rifiutato: ").join(" / ").remove("File " + path + " rifiutato: ");
    }
    EXPECT_EQ(traced, reasons);
}

// A name holding double quotes, which Qt's dialog would read as a list of names, is one file
// name, proposed and written whole (the dialog that opens it: SingleFileDialog below).
TEST_F(AppTest, ExportWritesTheWholeNameWhateverItHolds)
{
    QTemporaryDir documents;
    QDir().mkpath(m_Dirs.Path() + "/config");
    WriteFile(m_Dirs.Path() + "/config/user-dirs.dirs",
              "XDG_DOCUMENTS_DIR=\"" + documents.path().toUtf8() + "\"\n");
    const QString name = "Q'uote \"dbl\" ; x";
    AddProgrammi({name});
    Open();
    FileDialogUser exporting(name + ".IXO");
    Trigger("mnuExport");
    EXPECT_EQ(exporting.Shown.value(2), name + ".IXO");
    EXPECT_EQ(QDir(documents.path()).entryList(QDir::Files), QStringList(name + ".IXO"));
}

// A name the program file's code page cannot wholly hold is told, with those characters, before
// anything is written: No writes nothing, Yes writes them as "?".
TEST_F(AppTest, ExportTellsWhichCharactersOfTheNameTheFileCannotHold)
{
    const QString name = "Café € ω 文 ω end";
    AddProgrammi({name});
    Open();
    QTemporaryDir files;
    MessageRecorder answers({QMessageBox::No, QMessageBox::Yes});
    QList<bool> written;
    for (int run = 0; run < 2; ++run) {
        FileDialogUser user(files.filePath("x.IXO"));
        Trigger("mnuExport");
        written << QFile::exists(files.filePath("x.IXO"));
    }
    EXPECT_EQ(answers.Lines(), QStringList(2, "2 " + LoadResStringArgs(870, {name, "ω 文"})));
    EXPECT_EQ(written, QList<bool>({false, true}));
    EXPECT_EQ(ReadFile(files.filePath("x.IXO")).mid(MemMap::kNomeProgrammaOffset, 16),
              "Caf\xE9 \x80 ? ? ? end");
}

// Typed whole, a name holding double quotes can be opened: Open stays enabled and takes it as
// one file, with the default suffix.
TEST(SingleFileDialog, OpensAQuotedNameTypedWhole)
{
    QTemporaryDir folder;
    WriteFile(folder.filePath("a \"b\".IXO"), "x");
    MessageRecorder refusals; // a name not taken whole would be told as not found
    CSingleFileDialog dialog;
    PrepareFileDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("IXO");
    dialog.setDirectory(folder.path());
    dialog.show();
    QTest::keyClicks(dialog.findChild<QLineEdit *>("fileNameEdit"), folder.filePath("a \"b\""));
    QPushButton *open = dialog.findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Open);
    ASSERT_TRUE(open->isEnabled());
    open->click();
    EXPECT_EQ(dialog.ChosenFile(), folder.filePath("a \"b\".IXO"));
}

INSTANTIATE_TEST_SUITE_P(Families, ImportExport, ::testing::Values(EFamily::VABZOB, EFamily::QEM),
                         [](const auto &info) { return info.param == EFamily::QEM ? "QEM" : "VABZOB"; });

} // namespace
