#include "App_fixture.h"
#include "programming/memmap/ProgramFile.h"
#include "support/MemMapArchive_fixture.h"

#include <QDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using MemMap::EFamily;

namespace {

// The main window, the documents folder named as the desktop names it in the config folder.
class ImportExport : public AppTest, public ::testing::WithParamInterface<EFamily>
{
protected:
    void SetUp() override
    {
        QDir().mkpath(m_Documents);
        QDir().mkpath(m_Dirs.Path() + "/config");
        WriteFile(m_Dirs.Path() + "/config/user-dirs.dirs",
                  "XDG_DOCUMENTS_DIR=\"" + m_Documents.toUtf8() + "\"\n");
        Open();
    }
    // Runs a File-menu command, its file dialog answered with fileName; what the dialog showed
    // past its title.
    QStringList Run(const char *item, const QString &fileName = {})
    {
        FileDialogUser user(fileName);
        Trigger(item);
        return user.Shown.mid(1);
    }

    QString m_Documents = m_Dirs.Path() + "/Documenti";
    QTemporaryDir m_Files;
};

// Each family goes out and comes back: the dialogs, the name proposed, the new configuration
// listed and current with the file's name and settings; a cancelled dialog writes nothing. Then
// files the program does not take, refused on their header or by the manager after the new id
// was taken: message 802 with the full path; an error of the archive after the id was taken:
// that error. Each leaves the archive with its id counter, the list and the current one as they were.
TEST_P(ImportExport, ExportImportAndWhatEachRefuses)
{
    CConfiguration configuration;
    FillDistinct(configuration, GetParam());
    configuration.ModInstr().SetNomeProgramma("Linea 3/B – “forno”");
    const qint32 id = g_Connection->NewID();
    configuration.Add(id);
    const QStringList carried = CarriedValues(id, GetParam());
    Requery();
    const QStringList proposed = {m_Documents, "Linea 3_B – “forno”.IXO", "File IXO (*.IXO *.ixo)"};
    EXPECT_EQ(Run("mnuExport"), proposed);
    EXPECT_EQ(QDir(m_Documents).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    EXPECT_EQ(Run("mnuExport", m_Files.filePath("copia")), proposed);
    g_Connection->DeleteProgramma(id);
    Requery();
    QStringList before = Dump();
    EXPECT_EQ(Run("mnuImport"), QStringList({m_Files.path(), "", proposed[2]}));
    EXPECT_EQ(Dump(), before);
    Run("mnuImport", m_Files.filePath("copia.IXO"));
    EXPECT_EQ(Listed(), QStringList({"Linea 3/B – “forno”"}));
    EXPECT_EQ(CarriedValues(window->IDProgramma(), GetParam()), carried);
    EXPECT_EQ(m_Messages.Shown().size(), 0);

    const QByteArray file = ReadFile(m_Files.filePath("copia.IXO"));
    const int header = MemMap::kProgramFileHeaderSize;
    ASSERT_EQ(mkfifo(m_Files.filePath("tubo.IXO").toLocal8Bit().constData(), 0600), 0);
    before = Dump();
    const qint32 current = window->IDProgramma();
    const std::pair<const char *, QByteArray> refused[] = {
        {"altro.IXO", QByteArray(file).replace(0, 7, "EkaSoft")},
        {"corto.IXO", file.left(header - 1)},
        {"troncato.IXO", file.left(file.size() - 2)},
        {"fuori.IXO", QByteArray(file).replace(header + 2, 2, QByteArray("\x06\x00", 2))},
        {"tubo.IXO", {}},
        {"pieno.IXO", file}, // the archive refuses a row
    };
    for (const auto &[name, bytes] : refused) {
        const QString path = m_Files.filePath(name);
        if (!bytes.isNull())
            WriteFile(path, bytes);
        if (bytes == file)
            g_Connection->Run(g_Connection->Statement("CREATE TRIGGER pieno BEFORE INSERT ON CAlarm4 BEGIN "
                                                      "SELECT RAISE(ABORT, 'disco pieno'); END"));
        const qsizetype earlier = m_Messages.Shown().size();
        Run("mnuImport", path);
        QStringList shown;
        for (const CMessage &m : m_Messages.Shown().mid(earlier))
            shown << QString::number(m.Icon) + ' ' +
                         (m.Text.contains("disco pieno") ? "disco pieno" : m.Title + ' ' + m.Text);
        EXPECT_EQ(shown, QStringList{bytes == file
                                         ? "3 disco pieno"
                                         : "2 " + LoadResString(301) + ' ' + LoadResStringArgs(802, {path})})
            << name;
        EXPECT_EQ(Dump(), before) << name;
        EXPECT_EQ(std::pair(Listed().size(), window->IDProgramma()), std::pair(qsizetype(1), current))
            << name;
    }

    // A file that cannot be written, in a folder that is none or on a disk that fills up (a
    // file-size limit): the error with the system's reason, a file already there as it was.
    WriteFile(m_Files.filePath("cartella"), "non una cartella");
    const QString inFile = m_Files.filePath("cartella/x.IXO"), existing = m_Files.filePath("vecchio.IXO");
    WriteFile(existing, "versione precedente");
    const qsizetype shownBefore = m_Messages.Shown().size();
    const QStringList present = QDir(m_Files.path()).entryList(QDir::Files);
    Run("mnuExport", inFile);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{100, old.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    Run("mnuExport", existing);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);

    QStringList shown;
    for (const CMessage &m : m_Messages.Shown().mid(shownBefore))
        shown << QString::number(m.Icon) + ' ' + m.Text;
    EXPECT_EQ(shown, QStringList({"3 " + LoadResStringArgs(803, {inFile, "Not a directory"}),
                                  "3 " + LoadResStringArgs(803, {existing, "File too large"})}));
    EXPECT_EQ(ReadFile(existing), "versione precedente");
    EXPECT_EQ(QDir(m_Files.path()).entryList(QDir::Files), present);
}

INSTANTIATE_TEST_SUITE_P(Families, ImportExport, ::testing::Values(EFamily::VABZOB, EFamily::QEM),
                         [](const auto &info) { return info.param == EFamily::QEM ? "QEM" : "VABZOB"; });

} // namespace
