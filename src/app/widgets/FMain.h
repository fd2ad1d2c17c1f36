#pragma once

#include "app/MainCommands.h"
#include "app/ProgrammiListModel.h"
#include "common/widgets/StatusBarHelp.h"
#include "model/CommConfig.h"
#include "model/NetworkAddMsgSetup.h"
#include "model/Option.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

namespace Ui {
class FMain;
}
class QAction;
class QLabel;
struct CCommandContext;
namespace Platform {
class CPrintTable;
}

// The program's only top-level window: the list `dgProgrammi` of the archive's configurations,
// every command in the menus and the toolbar, the help line of the highlighted menu item in the
// status bar. It owns, for the whole run, the list and the three settings objects.
//
// Every command runs through RunCommand, from its menu item and from its toolbar button alike.
// A command is built by plugging its handler in the constructor; until then its menu item and
// button are there, disabled:
//   Plug(mcAddProgramma, [this] { NewProgramma(*this); });
// Commands that change the archive end with RequeryProgrammi() and UpdateToolBarButtons().
class FMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit FMain(QWidget *parent = nullptr);
    ~FMain() override;

    // The window's loading: menu help and texts, placement, tooltips, the archive opened and
    // listed, the settings objects read. A CError (an archive that cannot be opened or listed)
    // leaves the window unusable; start-up then ends.
    void Load();

    // The archive id of the current configuration; -1 when none.
    qint64 IDProgramma() const { return m_IDProgramma; }
    // Makes id the current configuration when the list holds it (a command that added it
    // sets it before the requery, which then selects its row).
    void SetIDProgramma(qint64 id) { m_IDProgramma = id; }
    // Reads the list again from the archive and selects the row of the current id, or the
    // first row when the id is gone. Once the window is loaded, a list that another program's
    // lock keeps from being read stays as shown (traced), and a damage the reading meets is told.
    void RequeryProgrammi();
    // The current id from the list's current row (-1 when the list is empty) and the enable
    // state of every menu item and toolbar button.
    void UpdateToolBarButtons();

    // The configuration wizard: mode 0 a new configuration (it becomes the current one), 1 the
    // current configuration, 2 record 2, read from an instrument, with the offer of a copy.
    // True when the user ended it with End and it was stored (mode 2: ended with End, stored or
    // not); false when cancelled, also at the offer to store again while another program holds
    // the archive or at the question whether to store over another program's change, or when the
    // configuration could not be opened (told to the user). A failed save raises CError with the
    // archive and the current id as they were.
    bool EditNewProgramma(qint32 mode);
    // The name of the list's current configuration; empty when none.
    QString NomeProgramma() const;
    // What a command's messages name: the command as its menu item does, and the current
    // configuration when the command works on it. A command's failure is told with it.
    CCommandContext CommandContext(MainCommand command) const;

    // While a configuration the user confirmed is being stored, which another program's lock
    // may hold up: a close of the window asks first (849), and kept, the store goes on.
    void SetStoringConfirmed(bool storing) { m_bStoringConfirmed = storing; }

    // Builds a command: its menu item and toolbar button run handler and enable by its rule.
    void Plug(MainCommand command, std::function<void()> handler);

    CCommConfig &CommConfigSetup() { return *m_CommConfigSetup; }
    CNetworkAddMsgSetup &NetworkAddMsg() { return *m_NetworkAddMsg; }
    COption &Option() { return *m_Option; }
    // The print-table control, hidden in the list's place.
    Platform::CPrintTable &PrintTable() const;
    // The print preview in the list's place, or the list back; the commands enabled by it.
    void ShowPrintPreview(bool shown);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Opens the archive and lists it; another program's lock is waited for (AwaitArchiveFreed),
    // and a start the user ends then raises aeClosing.
    void OpenArchive();
    void LoadWindowSettings();
    void SaveWindowSettings();
    void LoadToolBarToolTip();
    void AddMinimizeMenuItem();
    void SetStatusText(const QString &text);
    void StatusBarHelpID(qint16 &id);
    void CurrentRowChanged(const QModelIndex &current);
    void KeepCurrentRowSelected();
    // Also while the print control is busy, which printing and printer setup wait for.
    void ApplyCommandState();
    void RunMainCommand(MainCommand command);
    // Before a command opens anything: the archive as its rule needs it (waiting for the check
    // where it writes or reads the configurations) and the current configuration still there,
    // whole when the command reads it; else a CError refuses the command.
    void RequireWhatItUses(const CCommandRule &rule);
    QAction *MenuItem(MainCommand command) const;
    QAction *Button(MainCommand command) const;

    void mnuExit_Click();
    void mnuAbout_Click();

    std::unique_ptr<Ui::FMain> ui;
    QLabel *m_StatusText = nullptr;
    qint64 m_IDProgramma = -1;
    // While Load runs: the size changes of the placement lay nothing out.
    bool m_bLoading = false;
    // The window has closed: a command still waiting ends without another word.
    bool m_bClosed = false;
    bool m_bStoringConfirmed = false;
    CProgrammiListModel m_Programmi;
    CStatusBarHelp m_StatusBarHelp;
    CMainCommandState m_CommandState;
    std::array<std::function<void()>, mcCount> m_Commands;
    std::unique_ptr<CCommConfig> m_CommConfigSetup;
    std::unique_ptr<CNetworkAddMsgSetup> m_NetworkAddMsg;
    std::unique_ptr<COption> m_Option;
};
