#include "App_fixture.h"
#include "app/ProgramFont.h"
#include "app/widgets/FSplash.h"
#include "platform/ArchiveDatabase.h"
#include "support/TraceCapture.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

// The names the system has, the font start-up chooses and the lines it traces.
struct FontCase
{
    const char *what;
    QStringList installed;
    QString chosen;
    QStringList lines;
    friend void PrintTo(const FontCase &c, std::ostream *os) { *os << c.what; }
};

class ProgramFont : public ::testing::TestWithParam<FontCase>
{
protected:
    void TearDown() override { g_Font = m_Font; }
    CProgramFont m_Font = g_Font;
};

TEST_P(ProgramFont, TakesTheFirstNameTheSystemCanShow)
{
    TraceCapture trace;
    g_Font = {QStringLiteral("Desktop"), 12, false};
    SetProgramFont([](const QString &name) { return GetParam().installed.contains(name); });
    EXPECT_EQ(g_Font.Name, GetParam().chosen);
    EXPECT_EQ(g_Font.Size, 8);
    QStringList lines = trace.Lines();
    lines.removeFirst();
    EXPECT_EQ(lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ProgramFont,
    ::testing::Values(
        FontCase{"first name present", {"Arial", "MS Sans Serif"}, "Arial", {}},
        FontCase{"only the last fallback",
                 {"Curier New"},
                 "Curier New",
                 {"Impossibile caricare il font Arial", "Impossibile caricare il font MS Sans Serif"}},
        FontCase{
            "none",
            {},
            "",
            {"Impossibile caricare il font Arial", "Impossibile caricare il font MS Sans Serif",
             "Impossibile caricare il font Curier New Viene mantenuto il font di default dei controlli"}}));

// fonts-liberation gives "Arial" its metric twin; a misspelt name reaches only the desktop face.
TEST(FontFamilyAvailable, AcceptsInstalledFamiliesAndMetricTwinsOnly)
{
    EXPECT_TRUE(FontFamilyAvailable(QStringLiteral("Liberation Sans")));
    EXPECT_TRUE(FontFamilyAvailable(QStringLiteral("Arial")));
    EXPECT_FALSE(FontFamilyAvailable(QStringLiteral("Curier New")));
    EXPECT_FALSE(FontFamilyAvailable(QString()));
}

TEST(ComponentCheck, TracesEachMissingComponentInTableOrderOnly)
{
    TraceCapture trace;
    CheckComponentRegistration({{"a.so (A).", [] { return false; }},
                                {"b.so (B).", [] { return true; }},
                                {"c.so (C).", [] { return false; }}});
    EXPECT_EQ(trace.Lines(), (QStringList{"Non trovata la registrazione del componente a.so (A).",
                                          "Non trovata la registrazione del componente c.so (C)."}));
    // What this machine is built with is all there.
    TraceCapture real;
    CheckComponentRegistration();
    EXPECT_EQ(real.Lines(), QStringList());
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
    EXPECT_EQ(window->IDProgramma(), -1);
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
    QStringList seen;
    for (const QString &line : LogLines())
        if (steps.contains(line))
            seen.append(line);
    EXPECT_EQ(seen, steps);
}

// An archive start-up cannot use, and what it must be left as.
struct BrokenArchive
{
    const char *what;
    std::function<void(const QString &path)> make;
    friend void PrintTo(const BrokenArchive &c, std::ostream *os) { *os << c.what; }
};

class BrokenArchiveTest : public AppTest, public ::testing::WithParamInterface<BrokenArchive>
{};

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<directory>");
}

TEST_P(BrokenArchiveTest, EndsStartUpWithAMessageNamingTheFileAndLeavesTheFileAlone)
{
    const QString path = CArchive::DefaultFilePath();
    GetParam().make(path);
    const QByteArray before = Contents(path);

    EXPECT_EQ(Main(0), 1);
    ASSERT_EQ(m_Messages.Shown().size(), 1);
    const CMessage &message = m_Messages.Shown().first();
    EXPECT_EQ(message.Icon, QMessageBox::Critical);
    // The file, then the archive's own error.
    const QStringList around =
        LoadResStringArgs(310, {path, QStringLiteral("|2")}).split(QStringLiteral("|2"));
    EXPECT_TRUE(message.Text.startsWith(around[0])) << qPrintable(message.Text);
    EXPECT_TRUE(message.Text.endsWith(around[1])) << qPrintable(message.Text);
    EXPECT_GT(message.Text.size(), around[0].size() + around[1].size() + 10);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    for (QWidget *widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(widget->isVisible()) << widget->metaObject()->className();
    EXPECT_TRUE(LogLines().contains("Avvio interrotto: archivio " + path + " non utilizzabile"));
    EXPECT_EQ(Contents(path), before);
}

INSTANTIATE_TEST_SUITE_P(Archives, BrokenArchiveTest,
                         ::testing::Values(BrokenArchive{"a directory",
                                                         [](const QString &path) { QDir().mkpath(path); }},
                                           BrokenArchive{"not a database",
                                                         [](const QString &path) {
                                                             QFile file(path);
                                                             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                                                             file.write(QByteArray(4096, '\x5a'));
                                                         }},
                                           BrokenArchive{"a newer schema", [](const QString &path) {
                                                             g_Connection->Open(path);
                                                             g_Connection->Database().Exec(
                                                                 QStringLiteral("PRAGMA user_version = 9"));
                                                             g_Connection->Close();
                                                         }}));

} // namespace
