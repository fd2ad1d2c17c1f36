#include "App_fixture.h"
#include "app/ProgramFont.h"
#include "app/WindowPlacement.h"
#include "common/Error.h"
#include "platform/SettingsStore.h"
#include "support/TraceCapture.h"

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>

namespace {

// The names the system has, the font chosen and the lines traced after the first.
TEST(ProgramFont, TakesTheFirstNameTheSystemCanShowElseKeepsTheDesktopFont)
{
    const QString no = "Impossibile caricare il font ";
    const std::tuple<QStringList, QString, QStringList> cases[] = {
        {{"Arial", "MS Sans Serif"}, "Arial", {}},
        {{"Curier New"}, "Curier New", {no + "Arial", no + "MS Sans Serif"}},
        {{},
         "",
         {no + "Arial", no + "MS Sans Serif",
          no + "Curier New Viene mantenuto il font di default dei controlli"}},
    };
    const CProgramFont kept = g_Font;
    for (const auto &[installed, chosen, lines] : cases) {
        TraceCapture trace;
        g_Font = {"Desktop", 12, false};
        SetProgramFont([&](const QString &name) { return installed.contains(name); });
        EXPECT_EQ(QStringList({g_Font.Name + QString::number(g_Font.Size)}) + trace.Lines().mid(1),
                  QStringList({chosen + "8"}) + lines);
    }
    g_Font = kept;
    // fonts-liberation gives "Arial" its metric twin; a misspelt name reaches only the desktop face.
    EXPECT_TRUE(FontFamilyAvailable("Liberation Sans") && FontFamilyAvailable("Arial") &&
                !FontFamilyAvailable("Curier New"));
}

QStringList LogLines()
{
    return QString::fromUtf8(ReadFile(g_Trace->BugFileName())).split("\r\n");
}

// The steps in their order; of the components, those missing in the table's order.
TEST_F(AppTest, StartUpShowsTheMainWindowOverAFreshArchiveInTheOrderOfItsSteps)
{
    window = StartUp(0, {{"a.so (A).", [] { return false; }},
                         {"b.so (B).", [] { return true; }},
                         {"c.so (C).", [] { return false; }}});
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible() && window->windowTitle() == "IxoSoft" && m_Messages.Shown().isEmpty());
    EXPECT_TRUE(QApplication::overrideCursor() == nullptr && QFile::exists(CArchive::DefaultFilePath()));
    const QString missing = "Non trovata la registrazione del componente ";
    const QStringList steps = {"Inizio programma",    "Mostra splash window", "Crea oggetto connection.",
                               "Crea form",           missing + "a.so (A).",  missing + "c.so (C).",
                               "Inizio pausa 0 sec.", "Visualizza form main", "Fine FMain_Load",
                               "Sub Main() step 1",   "End Sub Main()"};
    QStringList seen = LogLines();
    seen.removeIf([&](const QString &line) { return !steps.contains(line) && !line.startsWith(missing); });
    EXPECT_EQ(seen, steps);
}

// An archive start-up cannot use ends it with one message naming the file and the error; the
// file is left as it was. (What the archive refuses is tested with it.)
TEST_F(AppTest, AnArchiveThatCannotBeOpenedEndsStartUp)
{
    const QString path = CArchive::DefaultFilePath();
    const std::pair<const char *, std::function<void()>> archives[] = {
        {"a directory", [&] { QDir().mkpath(path); }},
        {"not a database", [&] { WriteFile(path, QByteArray(4096, 'Z')); }},
    };
    // The file, then the archive's own error.
    const QStringList around = LoadResStringArgs(310, {path, "|2"}).split("|2");
    for (const auto &[what, make] : archives) {
        QDir(QFileInfo(path).path()).removeRecursively();
        QDir().mkpath(QFileInfo(path).path());
        make();
        const QByteArray before = ReadFile(path);
        const qsizetype shown = m_Messages.Shown().size();

        EXPECT_EQ(Main(0), 1) << what;
        ASSERT_EQ(m_Messages.Shown().size(), shown + 1) << what;
        const QString text = m_Messages.Shown().last().Text;
        EXPECT_TRUE(m_Messages.Shown().last().Icon == QMessageBox::Critical && text.startsWith(around[0]) &&
                    text.endsWith(around[1]) && text.size() > around[0].size() + around[1].size() + 10)
            << what;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << what;
        for (const QWidget *widget : QApplication::topLevelWidgets())
            EXPECT_FALSE(widget->isVisible()) << what << " " << widget->metaObject()->className();
        EXPECT_TRUE(LogLines().contains("Avvio interrotto: archivio " + path + " non utilizzabile")) << what;
        EXPECT_EQ(ReadFile(path), before) << what;
    }
    // What this machine is built with is all there.
    EXPECT_EQ(LogLines().filter("Non trovata"), QStringList());
}

// Commands on a configuration wait for one; a command not plugged is disabled.
TEST_F(AppTest, EnablesCommandsByTheListAndWhatIsPlugged)
{
    const auto disabled = [this] {
        QStringList names;
        for (const QAction *action : window->findChildren<QAction *>())
            if (!action->isEnabled() && !action->objectName().isEmpty())
                names.append(action->objectName());
        names.sort();
        return names;
    };
    Open();
    EXPECT_EQ(disabled(), QStringList({"DelProg", "EditProg", "SendProg", "mnuDelProgramma",
                                       "mnuEditProgramma", "mnuExport", "mnuPrint", "mnuSendProgramma"}));
    AddProgrammi({"Caldaia"});
    Requery();
    window->Plug(mcAddProgramma, {});
    window->Plug(mcAbout, {});
    EXPECT_EQ(disabled(), QStringList({"NewProg", "mnuAbout", "mnuAddProgramma"}));
}

TEST_F(AppTest, ListsTheArchiveAndKeepsTheCurrentConfigurationAcrossARequery)
{
    Platform::WriteSetting("COption", "m_bPrintPageNumber", "1");
    const QList<qint32> ids = AddProgrammi({"Caldaia", "Forno", "Serbatoio"});
    Open();
    const QAbstractItemModel *model = List()->model();
    EXPECT_EQ(QStringList({model->headerData(0, Qt::Horizontal).toString(),
                           model->headerData(1, Qt::Horizontal).toString(), window->NomeProgramma()}),
              QStringList({LoadResString(796), "IDProgramma", "Caldaia"}));
    EXPECT_TRUE(window->Option().PrintPageNumber());

    List()->setCurrentIndex(model->index(1, 0));
    AddProgrammi({"Alfa"});
    window->RequeryProgrammi();
    EXPECT_EQ(Listed(), QStringList({"Alfa", "Caldaia", "Forno", "Serbatoio"}));
    EXPECT_EQ(std::pair(List()->currentIndex().row(), window->IDProgramma()), std::pair(2, ids[1]));
    g_Connection->DeleteProgramma(ids[1]);
    window->RequeryProgrammi();
    EXPECT_EQ(std::pair(List()->currentIndex().row(), window->NomeProgramma()),
              std::pair(0, QString("Alfa")));
    for (qint32 id : {ids[0], ids[2], ids[2] + 1})
        g_Connection->DeleteProgramma(id);
    Requery();
    EXPECT_EQ(window->IDProgramma(), -1);
}

const char *const kPlacementKeys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight", "WindowState"};

QStringList StoredPlacement()
{
    QStringList values;
    for (const char *key : kPlacementKeys)
        values.append(Platform::ReadSetting("Settings", key, "-"));
    return values;
}

TEST_F(AppTest, PlacementFirstRunRoundTripAndMaximised)
{
    Open();
    const qreal x = window->screen()->logicalDotsPerInchX() / 1440,
                y = window->screen()->logicalDotsPerInchY() / 1440;
    // 3750 twips is below the smallest height the window takes.
    EXPECT_EQ(QRect(window->pos(), window->size()),
              QRect(qRound(100 * x), qRound(100 * y), qRound(6800 * x), qRound(4000 * y)));
    window->close();
    Open().move(80, 60);
    window->resize(600, 400);
    Trigger("mnuExit");
    EXPECT_FALSE(window->isVisible());
    const QStringList saved = StoredPlacement();
    EXPECT_EQ(saved.last(), "0");
    EXPECT_EQ(QRect(Open().pos(), window->size()), QRect(80, 60, 600, 400));
    window->showMaximized();
    window->close();
    EXPECT_EQ(StoredPlacement(), saved.mid(0, 4) << "2");
    EXPECT_TRUE(Open().isMaximized());
    window->showNormal();
    EXPECT_EQ(window->size(), QSize(600, 400));
}

// Stored values that cannot be used give their default, or the default place, and a line.
TEST(WindowPlacement, BadStoredValuesGiveTheDefaultsWithATraceLine)
{
    const std::tuple<const char *, const char *, QRect, qint16> cases[] = {
        {"MainLeft", "sinistra", {100, 720, 7200, 4320}, 2}, {"MainWidth", "-50", {1440, 720, 6800, 4320}, 2},
        {"MainTop", "1e9", {100, 100, 6800, 3750}, 2},       {"WindowState", "1", {1440, 720, 7200, 4320}, 0},
        {"WindowState", "max", {1440, 720, 7200, 4320}, 0},
    };
    for (const auto &[key, stored, twips, state] : cases) {
        TempUserDirs dirs;
        const QStringList good = {"1440", "720", "7200", "4320", "2"};
        for (int i = 0; i < 5; ++i)
            Platform::WriteSetting("Settings", kPlacementKeys[i], good[i]);
        Platform::WriteSetting("Settings", key, stored);
        TraceCapture trace;
        const CWindowPlacement placement = LoadWindowSettings({144, 144}, {QRect(0, 0, 1920, 1080)});
        EXPECT_EQ(std::tuple(placement.Geometry, placement.WindowState, trace.Lines().size()),
                  std::tuple(QRect(twips.topLeft() / 10, twips.size() / 10), state, qsizetype(1)))
            << key << stored;
    }
}

// The help line of the item the mouse is over, none while a menu of the bar opens, "Ready"
// once the menus close.
TEST_F(AppTest, MenuHelpOnTheStatusBar)
{
    Open();
    QStringList seen;
    const auto status = [&] { seen << window->statusBar()->findChild<QLabel *>()->text(); };
    auto *file = window->findChild<QMenu *>("mnuFile");
    file->popup(QPoint(0, 0));
    status();
    file->setActiveAction(Action("mnuExit"));
    status();
    file->hide();
    QCoreApplication::processEvents();
    status();
    EXPECT_EQ(seen, QStringList({"", LoadResString(1202), LoadResString(240)}));
}

// A failing command ends with one message titled with its source; the window goes on, the
// pointer as it was.
TEST_F(AppTest, ACommandThatFailsFromMenuOrToolbarShowsItsErrorOnce)
{
    Open();
    window->Plug(mcAddProgramma, [&] {
        window->setCursor(Qt::WaitCursor);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        throw CError(MakeUserError(13999), "IxoSoft.Prova", "Archivio occupato");
    });
    TraceCapture trace;
    const Qt::CursorShape shape = window->cursor().shape();
    Trigger("mnuAddProgramma");
    Trigger("NewProg");
    QStringList shown;
    for (const CMessage &m : m_Messages.Shown())
        shown << QString("%1 %2 %3").arg(m.Icon).arg(m.Title, m.Text);
    EXPECT_EQ(shown, QStringList(2, "3 IxoSoft.Prova Archivio occupato"));
    EXPECT_TRUE(window->isVisible() && window->cursor().shape() == shape && !QApplication::overrideCursor());
    EXPECT_TRUE(trace.Lines().contains("ButtonKey=NewProg"));
}

TEST_F(AppTest, AboutShowsItsWindowModalOverTheMainWindow)
{
    Open();
    QStringList shown;
    QTimer::singleShot(0, [&] {
        QWidget *about = QApplication::activeModalWidget();
        shown << about->windowTitle() << (about->parentWidget() == window.get() ? "over" : "alone");
        about->close();
    });
    Trigger("mnuAbout");
    EXPECT_EQ(shown, QStringList({LoadResString(300), "over"}));
}

} // namespace
