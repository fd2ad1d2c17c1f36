#include "App_fixture.h"
#include "app/ProgramFont.h"
#include "app/WindowPlacement.h"
#include "common/Error.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/PrintTable.h"
#include "support/ReadOnlyPath.h"
#include "support/TraceCapture.h"

#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyledItemDelegate>

namespace {

// The names the system has, the font chosen and the lines traced after the first.
TEST_F(AppTest, ProgramFontIsTheFirstNameTheSystemCanShowElseTheDesktopFont)
{
    const QString no = "Impossibile caricare il font ",
                  kept = " Viene mantenuto il font di default dei controlli";
    const std::tuple<QStringList, QString, QStringList> cases[] = {
        {{"Arial", "MS Sans Serif"}, "Arial", {}},
        {{"Curier New"}, "Curier New", {no + "Arial", no + "MS Sans Serif"}},
        {{}, "", {no + "Arial", no + "MS Sans Serif", no + "Curier New" + kept}},
    };
    for (const auto &[installed, chosen, lines] : cases) {
        TraceCapture trace;
        g_Font = {"Desktop", 12, false};
        SetProgramFont([&](const QString &name) { return installed.contains(name); });
        EXPECT_EQ(QStringList{g_Font.Name + QString::number(g_Font.Size)} + trace.Lines().mid(1),
                  QStringList{chosen + "8"} + lines);
    }
    // fonts-liberation gives "Arial" its metric twin; a misspelt name reaches only the desktop face.
    EXPECT_TRUE(FontFamilyAvailable("Liberation Sans") && FontFamilyAvailable("Arial") &&
                !FontFamilyAvailable("Curier New"));
}

QStringList LogLines()
{
    return QString::fromUtf8(ReadFile(g_Trace->BugFileName())).split("\r\n");
}

// Start-up over a fresh archive: the steps in their order, of the components those missing in
// the table's order. An archive start-up cannot use ends it with one message naming the file and
// why in the user's words (what the archive refuses is tested with it), never the engine's text;
// the file is left as it was, no window stays up and the pointer is back.
TEST_F(AppTest, StartUpShowsTheMainWindowElseEndsWithTheArchivesError)
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

    window.reset();
    g_Connection->Close();
    const QString path = CArchive::DefaultFilePath();
    const QByteArray lacking = [&] {
        g_Connection->Open();
        g_Connection->Run("ALTER TABLE CDisplay DROP COLUMN m_Password");
        g_Connection->Close();
        return ReadFile(path);
    }();
    const std::pair<QByteArray, QString> refused[] = {
        {QByteArray(4096, 'Z'), LoadResString(840)},
        {lacking, LoadResStringArgs(839, {"CDisplay", "m_Password"})},
    };
    for (const auto &[file, why] : refused) {
        WriteFile(path, file);
        const qsizetype earlier = m_Messages.Shown().size();
        EXPECT_EQ(Main(0), 1);
        EXPECT_EQ(m_Messages.Lines(false, earlier), QStringList{"3 " + LoadResStringArgs(310, {path, why})});
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        for (const QWidget *widget : QApplication::topLevelWidgets())
            EXPECT_FALSE(widget->isVisible()) << widget->metaObject()->className();
        EXPECT_EQ(ReadFile(path), file);
    }
    EXPECT_TRUE(LogLines().contains("Avvio interrotto: archivio " + path + " non utilizzabile"));
    // What this machine is built with is all there.
    EXPECT_EQ(LogLines().mid(LogLines().lastIndexOf("Inizio programma")).filter("Non trovata"),
              QStringList());
}

// A journal left by a crash in a folder that cannot be written: the start ends saying what it is,
// and the archive and its journal stay byte for byte as they were.
TEST_F(AppTest, StartUpLeavesAnInterruptedWriteItCannotFinishAsItWas)
{
    AddProgrammi({"Caldaia"});
    g_Connection->Close();
    const QString path = CArchive::DefaultFilePath(), folder = QFileInfo(path).absolutePath();
    const QByteArray archive = ReadFile(path),
                     journal = QByteArray::fromHex("d9d505f920a163d7") + QByteArray(504, 1);
    ASSERT_TRUE(WriteFile(path + "-journal", journal));
    const ReadOnlyPath readOnly(folder);
    if (!readOnly.Made())
        GTEST_SKIP() << "no read-only folder here";
    EXPECT_EQ(StartUp(0), nullptr);
    EXPECT_EQ(m_Messages.Lines(),
              QStringList{"3 " + LoadResStringArgs(310, {path, LoadResStringArgs(316, {folder})})});
    EXPECT_EQ(std::pair(ReadFile(path), ReadFile(path + "-journal")), std::pair(archive, journal));
}

// Ids past 2^31 - 1 reach the list and the current configuration whole.
TEST_F(AppTest, TheListShowsIdsPastThirtyTwoBitsWhole)
{
    g_Connection->Open();
    g_Connection->Run("UPDATE sqlite_sequence SET seq = 2147483647");
    AddProgrammi({"Grande"});
    Open();
    const QModelIndex id = List()->model()->index(0, 1);
    const auto *delegate = static_cast<QStyledItemDelegate *>(List()->itemDelegate());
    EXPECT_EQ(delegate->displayText(id.data(), QLocale::c()), "2147483648");
    EXPECT_EQ(window->IDProgramma(), 2147483648);
}

// Commands on a configuration wait for one, a command not plugged is disabled; the list holds
// the current configuration across a requery, else the first one.
TEST_F(AppTest, ListsTheArchiveAndEnablesItsCommands)
{
    const auto disabled = [this] {
        QSet<QString> names;
        for (const QAction *action : window->findChildren<QAction *>())
            if (!action->isEnabled() && !action->objectName().isEmpty())
                names << action->objectName();
        return names;
    };
    Platform::WriteSetting("COption", "m_bPrintPageNumber", "1");
    Open();
    EXPECT_EQ(disabled(), QSet<QString>({"DelProg", "EditProg", "SendProg", "mnuDelProgramma",
                                         "mnuEditProgramma", "mnuExport", "mnuPrint", "mnuSendProgramma"}));
    EXPECT_TRUE(window->Option().PrintPageNumber());
    const QList<qint64> ids = AddProgrammi({"Caldaia", "Forno", "Serbatoio"});
    Requery();
    const QAbstractItemModel *model = List()->model();
    EXPECT_EQ(QStringList({model->headerData(0, Qt::Horizontal).toString(),
                           model->headerData(1, Qt::Horizontal).toString(), window->NomeProgramma()}),
              QStringList({LoadResString(796), "IDProgramma", "Caldaia"}));
    window->Plug(mcAddProgramma, {});
    window->Plug(mcAbout, {});
    EXPECT_EQ(disabled(), QSet<QString>({"NewProg", "mnuAbout", "mnuAddProgramma"}));

    // A click on the empty part of the list, or Ctrl with a click on the row, leaves the row
    // the commands act on highlighted.
    List()->setCurrentIndex(model->index(1, 0));
    QList<int> highlighted;
    for (const auto &[modifier, at] :
         {std::pair(Qt::NoModifier, QPoint(5, List()->viewport()->height() - 3)),
          std::pair(Qt::ControlModifier, List()->visualRect(model->index(1, 0)).center())}) {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifier, at);
        for (const QModelIndex &index : List()->selectionModel()->selectedRows())
            highlighted << index.row();
    }
    EXPECT_EQ(std::pair(highlighted, window->IDProgramma()), std::pair(QList<int>{1, 1}, ids[1]));
    AddProgrammi({"Alfa"});
    window->RequeryProgrammi();
    EXPECT_EQ(Listed(), QStringList({"Alfa", "Caldaia", "Forno", "Serbatoio"}));
    EXPECT_EQ(std::pair(List()->currentIndex().row(), window->IDProgramma()), std::pair(2, ids[1]));
    g_Connection->DeleteProgramma(ids[1]);
    window->RequeryProgrammi();
    EXPECT_EQ(std::pair(List()->currentIndex().row(), window->NomeProgramma()),
              std::pair(0, QString("Alfa")));
    for (qint64 id : {ids[0], ids[2], ids[2] + 1})
        g_Connection->DeleteProgramma(id);
    Requery();
    EXPECT_EQ(window->IDProgramma(), -1);
}

const QStringList kPlacementKeys = {"MainLeft", "MainTop", "MainWidth", "MainHeight", "WindowState"};

// The first run on the default place (the height raised to the least the window takes), stored
// as it was read when nothing changed; a place and size changed stored in twips on closing and
// taken back; maximised, the state only. A window started maximised comes back to its stored
// place when restored: the fit of a window just framed is for one shown normal.
TEST_F(AppTest, PlacementFirstRunRoundTripAndMaximised)
{
    const auto stored = [] {
        QStringList values;
        for (const QString &key : kPlacementKeys)
            values << Platform::ReadSetting("Settings", key, "-");
        return values;
    };
    const qreal x = Open().screen()->logicalDotsPerInchX() / 1440,
                y = window->screen()->logicalDotsPerInchY() / 1440;
    EXPECT_EQ(QRect(window->pos(), window->size()),
              QRect(qRound(100 * x), qRound(100 * y), qRound(6800 * x), qRound(4000 * y)));
    Trigger("mnuExit");
    EXPECT_EQ(stored(), QStringList({"100", "100", "6800", "3750", "0"}));
    Open().move(80, 60);
    window->resize(600, 400);
    Trigger("mnuExit");
    EXPECT_FALSE(window->isVisible());
    const QStringList saved = stored();
    EXPECT_EQ(QRect(Open().pos(), window->size()), QRect(80, 60, 600, 400));
    window->showMaximized();
    QCoreApplication::processEvents();
    window->close();
    EXPECT_EQ(QStringList{saved.last()} + stored(), QStringList{"0"} + saved.mid(0, 4) << "2");
    // Restoring, the window manager passes through the normal place at the maximised size.
    EXPECT_TRUE(Open().isMaximized());
    window->showNormal();
    window->resize(window->screen()->availableGeometry().size());
    window->resize(600, 400);
    EXPECT_EQ(QRect(window->pos(), window->size()), QRect(80, 60, 600, 400));
    window->close();
    EXPECT_EQ(stored(), saved);
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
            Platform::WriteSetting("Settings", kPlacementKeys[i],
                                   key == kPlacementKeys[i] ? stored : good[i]);
        TraceCapture trace;
        const CWindowPlacement placement = LoadWindowSettings({144, 144}, {QRect(0, 0, 1920, 1080)});
        EXPECT_EQ(std::tuple(placement.Geometry, placement.WindowState, trace.Lines().size()),
                  std::tuple(QRect(twips.topLeft() / 10, twips.size() / 10), state, qsizetype(1)))
            << key << stored;
    }
}

// A stored place whose frame does not fit the available area of the screen it mostly lies on is
// moved, then shrunk, until the whole frame is on it (at 96 dpi, 15 twips to the pixel).
TEST(WindowPlacement, APlaceOffTheAreaIsMovedThenShrunkOntoIt)
{
    const QRect left(0, 0, 800, 500), right(800, 0, 1000, 700);
    const QMargins frame(1, 20, 1, 1);
    const std::tuple<QRect, QRect> cases[] = {
        {{100, 50, 600, 400}, {100, 50, 600, 400}},     // fits
        {{202, 440, 700, 500}, {98, 0, 700, 479}},      // the scaled screen: moved and shrunk
        {{700, 300, 300, 300}, {800, 300, 300, 300}},   // mostly on the right screen
        {{1700, 600, 200, 100}, {1598, 579, 200, 100}}, // off the right and bottom edges
        {{50, 0, 2000, 2000}, {800, 0, 998, 679}},      // larger than any area
    };
    for (const auto &[stored, fitted] : cases) {
        TempUserDirs dirs;
        const QStringList twips = {QString::number(stored.x() * 15), QString::number(stored.y() * 15),
                                   QString::number(stored.width() * 15),
                                   QString::number(stored.height() * 15)};
        for (int i = 0; i < 4; ++i)
            Platform::WriteSetting("Settings", kPlacementKeys[i], twips[i]);
        TraceCapture trace;
        EXPECT_EQ(LoadWindowSettings({96, 96}, {left, right}, frame).Geometry, fitted) << stored.x();
        EXPECT_EQ(trace.Lines().size(), stored == fitted ? 0 : 1) << stored.x();
    }
}

// A command that changes the archive ends the print preview, which covers the list, before it
// runs: PrintEnd once, and the list is back when the delete question comes.
TEST_F(AppTest, ACommandThatChangesTheArchiveEndsThePreviewFirst)
{
    AddProgrammi({"Caldaia"});
    Platform::CPrintTable &table = Open().PrintTable();
    table.SetContent([](QPagedPaintDevice &, const QString &) {});
    table.SetPreviewPrinterSource([] { return std::make_unique<QPrinter>(); });
    table.StartPrint();
    window->ShowPrintPreview(true);
    ASSERT_TRUE(table.isVisible() && !List()->isVisible());
    QSignalSpy ended(&table, &Platform::CPrintTable::PrintEnd);
    bool listShown = false;
    SetMessageBox([&](QWidget *, const CMessage &) {
        listShown = List()->isVisible() && !table.isVisible();
        return QMessageBox::No;
    });
    Trigger("DelProg");
    EXPECT_TRUE(listShown && ended.count() == 1 && !table.Busy());
}

// The layout's trace line comes with every size change of a shown window that is not
// minimised, never while the window loads.
TEST_F(AppTest, ResizingTracesTheLayoutOutsideLoading)
{
    TraceCapture trace;
    Open();
    const QString line = "Calcolo e dimensionamento dell'altezza di FMain";
    const QStringList loading = trace.Lines().mid(0, trace.Lines().indexOf("Fine FMain_Load"));
    const qsizetype shown = trace.Lines().count(line);
    window->resize(window->size() + QSize(30, 20));
    window->showMinimized();
    window->resize(window->size() + QSize(30, 20));
    EXPECT_EQ(std::pair(loading.count(line), trace.Lines().count(line) - shown),
              std::pair(qsizetype(0), qsizetype(1)));
}

// Export of a configuration that another running program deleted: what failed, on which
// configuration and why, titled with the program's name, and the list without it.
TEST_F(AppTest, ACommandOnAConfigurationGoneSaysSoAndTheListDropsIt)
{
    const QList<qint64> ids = AddProgrammi({"Caldaia", "Forno"});
    Open();
    g_Connection->DeleteProgramma(ids[0]);
    QTemporaryDir files;
    FileDialogUser user(files.filePath("Caldaia"));
    Trigger("mnuExport");
    EXPECT_EQ(
        m_Messages.Lines(true),
        QStringList("3 IxoSoft " + LoadResStringArgs(820, {"Export file", "Caldaia", LoadResString(822)})));
    EXPECT_EQ(std::pair(Listed(), window->IDProgramma()), std::pair(QStringList("Forno"), ids[1]));
    EXPECT_FALSE(QFile::exists(files.filePath("Caldaia.IXO")));
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

// A failing command ends with one message titled with the program's name, from the menu and
// from the toolbar: the command and the error's reason; the window goes on, the pointer as it was.
TEST_F(AppTest, ACommandThatFailsFromMenuOrToolbarShowsItsErrorOnce)
{
    Open().Plug(mcAddProgramma, [&] {
        window->setCursor(Qt::WaitCursor);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        throw CError(MakeUserError(13999), "IxoSoft.Prova", "Archivio occupato");
    });
    TraceCapture trace;
    const Qt::CursorShape shape = window->cursor().shape();
    Trigger("mnuAddProgramma");
    Trigger("NewProg");
    EXPECT_EQ(m_Messages.Lines(true),
              QStringList(2, "3 IxoSoft " + LoadResStringArgs(821, {"New file", "Archivio occupato"})));
    EXPECT_TRUE(window->isVisible() && window->cursor().shape() == shape && !QApplication::overrideCursor());
    EXPECT_TRUE(trace.Lines().contains("ButtonKey=NewProg"));
}

} // namespace
