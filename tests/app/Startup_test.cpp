#include "App_fixture.h"
#include "app/ProgramFont.h"
#include "support/TraceCapture.h"

#include <QDir>
#include <QFile>

namespace {

// The names the system has, the font chosen and the lines traced after the first.
TEST(ProgramFont, TakesTheFirstNameTheSystemCanShowElseKeepsTheDesktopFont)
{
    const QString refused = QStringLiteral("Impossibile caricare il font ");
    const struct
    {
        QStringList installed;
        QString chosen;
        QStringList lines;
    } cases[] = {
        {{"Arial", "MS Sans Serif"}, "Arial", {}},
        {{"Curier New"}, "Curier New", {refused + "Arial", refused + "MS Sans Serif"}},
        {{},
         "",
         {refused + "Arial", refused + "MS Sans Serif",
          refused + "Curier New Viene mantenuto il font di default dei controlli"}},
    };
    const CProgramFont kept = g_Font;
    for (const auto &c : cases) {
        TraceCapture trace;
        g_Font = {QStringLiteral("Desktop"), 12, false};
        SetProgramFont([&](const QString &name) { return c.installed.contains(name); });
        EXPECT_EQ(g_Font.Name, c.chosen);
        EXPECT_EQ(g_Font.Size, 8);
        EXPECT_EQ(trace.Lines().mid(1), c.lines) << qPrintable(c.chosen);
    }
    g_Font = kept;
    // fonts-liberation gives "Arial" its metric twin; a misspelt name reaches only the desktop face.
    EXPECT_TRUE(FontFamilyAvailable(QStringLiteral("Liberation Sans")));
    EXPECT_TRUE(FontFamilyAvailable(QStringLiteral("Arial")));
    EXPECT_FALSE(FontFamilyAvailable(QStringLiteral("Curier New")));
}

TEST(ComponentCheck, TracesEachMissingComponentInTableOrderOnly)
{
    TraceCapture trace;
    CheckComponentRegistration({{"a.so (A).", [] { return false; }},
                                {"b.so (B).", [] { return true; }},
                                {"c.so (C).", [] { return false; }}});
    // What this machine is built with is all there.
    CheckComponentRegistration();
    EXPECT_EQ(trace.Lines(), (QStringList{"Non trovata la registrazione del componente a.so (A).",
                                          "Non trovata la registrazione del componente c.so (C)."}));
}

QStringList LogLines()
{
    QFile log(g_Trace->BugFileName());
    EXPECT_TRUE(log.open(QIODevice::ReadOnly));
    return QString::fromUtf8(log.readAll()).split(QStringLiteral("\r\n"));
}

TEST_F(AppTest, StartUpShowsTheMainWindowOverAFreshArchiveInTheOrderOfItsSteps)
{
    std::unique_ptr<FMain> window = StartUp(0, {{"x.so (X).", [] { return false; }}});
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "IxoSoft");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(QFile::exists(CArchive::DefaultFilePath()));
    EXPECT_TRUE(m_Messages.Shown().isEmpty());

    const QStringList steps = {"Inizio programma",
                               "Mostra splash window",
                               "Crea oggetto connection.",
                               "Crea form",
                               "Non trovata la registrazione del componente x.so (X).",
                               "Inizio pausa 0 sec.",
                               "Visualizza form main",
                               "Fine FMain_Load",
                               "Sub Main() step 1",
                               "End Sub Main()"};
    QStringList seen = LogLines();
    seen.removeIf([&](const QString &line) { return !steps.contains(line); });
    EXPECT_EQ(seen, steps);
}

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<directory>");
}

// An archive start-up cannot use ends it with one message naming the file and the error; the
// file is left as it was.
TEST_F(AppTest, AnArchiveThatCannotBeOpenedEndsStartUp)
{
    const QString path = CArchive::DefaultFilePath();
    const std::pair<const char *, std::function<void()>> archives[] = {
        {"a directory", [&] { QDir().mkpath(path); }},
        {"not a database",
         [&] {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write(QByteArray(4096, '\x5a'));
         }},
        {"a newer schema",
         [&] {
             g_Connection->Open(path);
             g_Connection->Database().Exec(QStringLiteral("PRAGMA user_version = 9"));
             g_Connection->Close();
         }},
    };
    // The file, then the archive's own error.
    const QStringList around =
        LoadResStringArgs(310, {path, QStringLiteral("|2")}).split(QStringLiteral("|2"));
    for (const auto &[what, make] : archives) {
        QDir(QFileInfo(path).path()).removeRecursively();
        QDir().mkpath(QFileInfo(path).path());
        make();
        const QByteArray before = Contents(path);
        const qsizetype shown = m_Messages.Shown().size();

        EXPECT_EQ(Main(0), 1) << what;
        ASSERT_EQ(m_Messages.Shown().size(), shown + 1) << what;
        const CMessage &message = m_Messages.Shown().last();
        EXPECT_EQ(message.Icon, QMessageBox::Critical);
        EXPECT_TRUE(message.Text.startsWith(around[0]) && message.Text.endsWith(around[1])) << what;
        EXPECT_GT(message.Text.size(), around[0].size() + around[1].size() + 10) << what;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << what;
        for (const QWidget *widget : QApplication::topLevelWidgets())
            EXPECT_FALSE(widget->isVisible()) << what << " " << widget->metaObject()->className();
        EXPECT_TRUE(LogLines().contains("Avvio interrotto: archivio " + path + " non utilizzabile")) << what;
        EXPECT_EQ(Contents(path), before) << what;
    }
}

} // namespace
