#include "App_fixture.h"
#include "app/WindowPlacement.h"
#include "common/Error.h"
#include "platform/SettingsStore.h"
#include "support/TraceCapture.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

namespace {

class MainWindowTest : public AppTest
{
protected:
    // The window as start-up leaves it, over the archive as the test made it.
    std::unique_ptr<FMain> Open()
    {
        auto window = std::make_unique<FMain>();
        window->Load();
        window->show();
        return window;
    }
    static QAction *Item(const FMain &window, const char *name) { return window.findChild<QAction *>(name); }
    static QString Status(const FMain &window) { return window.statusBar()->findChild<QLabel *>()->text(); }
    static QTableView *List(const FMain &window) { return window.findChild<QTableView *>("dgProgrammi"); }
    // The mouse over a menu's item, as the user moves it there (disabled items included).
    static void Hover(QMenu *menu, QAction *item)
    {
        const QPoint centre = menu->actionGeometry(item).center();
        QMouseEvent move(QEvent::MouseMove, centre, menu->mapToGlobal(centre), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(menu, &move);
    }
};

// The names of the window's disabled menu items and toolbar buttons.
QStringList Disabled(const FMain &window)
{
    QStringList names;
    for (const QAction *action : window.findChildren<QAction *>())
        if (!action->isEnabled() && !action->objectName().isEmpty())
            names.append(action->objectName());
    names.sort();
    return names;
}

// Commands of later work stand in the menus and toolbar, disabled; plugged, they follow the
// list and the print control.
TEST_F(MainWindowTest, EnablesCommandsByTheListAndWhatIsBuilt)
{
    std::unique_ptr<FMain> window = Open();
    EXPECT_EQ(Disabled(*window).size(), 8);
    EXPECT_FALSE(Disabled(*window).contains("mnuExit") || Disabled(*window).contains("mnuAbout"));
    for (int command = 0; command < mcCount; ++command)
        window->Plug(MainCommand(command), [] {});
    EXPECT_EQ(window->IDProgramma(), -1);
    EXPECT_EQ(Disabled(*window),
              QStringList({"DelProg", "EditProg", "SendProg", "mnuDelProgramma", "mnuEditProgramma",
                           "mnuExport", "mnuPrint", "mnuSendProgramma"}));

    const QList<qint32> ids = AddProgrammi({"Caldaia"});
    window->RequeryProgrammi();
    window->UpdateToolBarButtons();
    EXPECT_EQ(window->IDProgramma(), ids[0]);
    EXPECT_EQ(Disabled(*window), QStringList());
}

TEST_F(MainWindowTest, ListsTheArchiveAndKeepsTheCurrentConfigurationAcrossARequery)
{
    Platform::WriteSetting("COption", "m_bPrintPageNumber", "1");
    const QList<qint32> ids = AddProgrammi({"Caldaia", "Forno", "Serbatoio"});
    std::unique_ptr<FMain> window = Open();
    QTableView *list = List(*window);
    EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), LoadResString(796));
    EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), "IDProgramma");
    EXPECT_EQ(window->IDProgramma(), ids[0]);
    EXPECT_TRUE(window->Option().PrintPageNumber());

    list->setCurrentIndex(list->model()->index(1, 0));
    EXPECT_EQ(window->IDProgramma(), ids[1]);
    AddProgrammi({"Alfa"});
    window->RequeryProgrammi();
    EXPECT_EQ(list->model()->rowCount(), 4);
    EXPECT_EQ(list->currentIndex().row(), 2);
    EXPECT_EQ(window->IDProgramma(), ids[1]);

    g_Connection->DeleteProgramma(ids[1]);
    window->RequeryProgrammi();
    EXPECT_EQ(list->currentIndex().row(), 0);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), "Alfa");
    EXPECT_NE(window->IDProgramma(), ids[1]);

    for (qint32 id : {ids[0], ids[2], ids[2] + 1})
        g_Connection->DeleteProgramma(id);
    window->RequeryProgrammi();
    window->UpdateToolBarButtons();
    EXPECT_EQ(window->IDProgramma(), -1);
}

CScreenDpi Dpi(const QWidget &window)
{
    return {window.screen()->logicalDotsPerInchX(), window.screen()->logicalDotsPerInchY()};
}

QStringList StoredPlacement()
{
    QStringList values;
    for (const char *key : {"MainLeft", "MainTop", "MainWidth", "MainHeight", "WindowState"})
        values.append(Platform::ReadSetting("Settings", key, "-"));
    return values;
}

TEST_F(MainWindowTest, PlacementFirstRunRoundTripAndMaximised)
{
    std::unique_ptr<FMain> window = Open();
    const CScreenDpi dpi = Dpi(*window);
    EXPECT_EQ(window->pos(), QPoint(qRound(100 * dpi.X / 1440), qRound(100 * dpi.Y / 1440)));
    EXPECT_EQ(window->width(), qRound(6800 * dpi.X / 1440));
    // 3750 twips is below the smallest height the window takes.
    EXPECT_EQ(window->height(), qRound(4000 * dpi.Y / 1440));
    window->close();

    window = Open();
    window->move(80, 60);
    window->resize(600, 400);
    Item(*window, "mnuExit")->trigger();
    EXPECT_FALSE(window->isVisible());
    const QStringList saved = StoredPlacement();
    EXPECT_EQ(saved.last(), "0");
    window = Open();
    EXPECT_EQ(window->size(), QSize(600, 400));
    EXPECT_EQ(window->pos(), QPoint(80, 60));

    window->showMaximized();
    window->close();
    EXPECT_EQ(StoredPlacement(), saved.mid(0, 4) << "2");
    window = Open();
    EXPECT_TRUE(window->isMaximized());
    window->showNormal();
    EXPECT_EQ(window->size(), QSize(600, 400));
}

// Stored values that cannot be used give their default, or the default place, and a line.
TEST(WindowPlacement, BadStoredValuesGiveTheDefaultsWithATraceLine)
{
    const struct
    {
        const char *key, *stored;
        QRect twips;
        qint16 state;
    } cases[] = {
        {"MainLeft", "sinistra", {100, 720, 7200, 4320}, 2}, {"MainWidth", "-50", {1440, 720, 6800, 4320}, 2},
        {"MainTop", "1e9", {100, 100, 6800, 3750}, 2},       {"WindowState", "1", {1440, 720, 7200, 4320}, 0},
        {"WindowState", "max", {1440, 720, 7200, 4320}, 0},
    };
    for (const auto &c : cases) {
        TempUserDirs dirs;
        const char *keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight", "WindowState"};
        const char *good[] = {"1440", "720", "7200", "4320", "2"};
        for (int i = 0; i < 5; ++i)
            Platform::WriteSetting("Settings", keys[i], good[i]);
        Platform::WriteSetting("Settings", c.key, c.stored);
        TraceCapture trace;
        const CWindowPlacement placement = LoadWindowSettings({144, 144}, {QRect(0, 0, 1920, 1080)});
        EXPECT_EQ(placement.Geometry, QRect(c.twips.topLeft() / 10, c.twips.size() / 10))
            << c.key << c.stored;
        EXPECT_EQ(placement.WindowState, c.state) << c.key << c.stored;
        EXPECT_EQ(trace.Lines().size(), 1) << c.key << c.stored;
    }
}

// Over an item its help line, over a separator or a menu of the bar nothing, "Ready" once the
// menus close.
TEST_F(MainWindowTest, MenuHelpOnTheStatusBar)
{
    std::unique_ptr<FMain> window = Open();
    QMenu *files = window->findChild<QMenu *>("mnuGestioneProgrammi");
    QMenu *file = window->findChild<QMenu *>("mnuFile");
    files->popup(QPoint(0, 0));
    EXPECT_EQ(Status(*window), QString());
    Hover(files, Item(*window, "mnuAddProgramma"));
    EXPECT_EQ(Status(*window), LoadResString(1211));
    files->hide();
    file->popup(QPoint(0, 0));
    EXPECT_EQ(Status(*window), QString());
    Hover(file, Item(*window, "mnuExit"));
    EXPECT_EQ(Status(*window), LoadResString(1202));
    Hover(file, file->actions().at(1));
    EXPECT_EQ(Status(*window), QString());
    file->hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(Status(*window), LoadResString(240));
}

// A failing command ends with one message titled with its source; the window goes on, the
// pointer as it was.
TEST_F(MainWindowTest, ACommandThatFailsFromMenuOrToolbarShowsItsErrorOnce)
{
    std::unique_ptr<FMain> window = Open();
    int runs = 0;
    window->Plug(mcAddProgramma, [&] {
        ++runs;
        window->setCursor(Qt::WaitCursor);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        throw CError(MakeUserError(13999), "IxoSoft.Prova", "Archivio occupato");
    });
    TraceCapture trace;
    const Qt::CursorShape shape = window->cursor().shape();
    for (const char *entry : {"mnuAddProgramma", "NewProg"}) {
        const qsizetype before = m_Messages.Shown().size();
        Item(*window, entry)->trigger();
        ASSERT_EQ(m_Messages.Shown().size(), before + 1) << entry;
        const CMessage &shown = m_Messages.Shown().last();
        EXPECT_EQ(shown.Icon, QMessageBox::Critical);
        EXPECT_EQ(shown.Title, "IxoSoft.Prova");
        EXPECT_EQ(shown.Text, "Archivio occupato");
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->cursor().shape(), shape) << entry;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << entry;
    }
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(trace.Lines().contains("ButtonKey=NewProg"));
}

TEST_F(MainWindowTest, AboutShowsItsWindowModalOverTheMainWindow)
{
    std::unique_ptr<FMain> window = Open();
    QString title;
    QWidget *owner = nullptr;
    QTimer::singleShot(0, [&] {
        QWidget *about = QApplication::activeModalWidget();
        ASSERT_NE(about, nullptr);
        title = about->windowTitle();
        owner = about->parentWidget();
        about->findChild<QPushButton *>("cmdOK")->click();
    });
    Item(*window, "mnuAbout")->trigger();
    EXPECT_EQ(title, LoadResString(300));
    EXPECT_EQ(owner, window.get());
}

} // namespace
