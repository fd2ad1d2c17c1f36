#pragma once

#include "programming/widgets/LinkWindow.h"

#include <memory>

class CCommConfig;
class CConfiguration;
class CModInstr;
class CNetworkAddMsgSetup;
class QLabel;
namespace Ui {
class CTransferWindow;
}

// A link window that moves one configuration between the archive and an instrument: a read
// (Action 0) into archive record IDProgramma or a write (Action 1) of that record, or of the
// configuration the caller holds for it (SetConfiguration). It shows two status lines, the
// progress bar and a Cancel button under the caption "Communicating...".
class CTransferWindow : public CLinkWindow
{
    Q_OBJECT

public:
    static constexpr qint32 kActionRead = 0;
    static constexpr qint32 kActionWrite = 1;
    static constexpr qint64 kIDProgrammaUnset = -1;

    explicit CTransferWindow(QWidget *parent = nullptr);
    ~CTransferWindow() override;

    qint32 Action() const { return m_Action; }
    void SetAction(qint32 action) { m_Action = action; }
    qint64 IDProgramma() const { return m_IDProgramma; }
    void SetIDProgramma(qint64 id) { m_IDProgramma = id; }
    // The configuration a write sends instead of reading record IDProgramma, which it stands
    // for (IDProgramma stays required): the one just edited, so that another program holding
    // the archive cannot keep it from the instrument. The caller keeps it alive for the
    // window's life; null (the default) reads the record. A read does not use it.
    void SetConfiguration(const CConfiguration *configuration) { m_pConfiguration = configuration; }

    // Keeps the three objects themselves, not copies: a search stores the address it finds
    // in networkAdd. A read may pass the modules the user declared; a write passes none and
    // takes those of what it sends (the record, or SetConfiguration's). Always true.
    bool Create(CCommConfig &commConfig, CModInstr *modInstr, CNetworkAddMsgSetup &networkAdd);

protected:
    // The first status line, of the search and the address; the second tells the operation.
    QLabel *Label1() const;
    // Fatal assertions on the caller's faults: no record given; a CModInstr given for a write,
    // none for a read that needs the declared modules.
    void AssertArguments(bool modulesDeclared) const;
    CLinkReport Report() override;

    CCommConfig *m_pCommConfig = nullptr;
    CModInstr *m_pModInstr = nullptr;
    CNetworkAddMsgSetup *m_pNetworkAdd = nullptr;
    const CConfiguration *m_pConfiguration = nullptr;

private:
    std::unique_ptr<Ui::CTransferWindow> m_Ui;
    qint32 m_Action = kActionWrite;
    qint64 m_IDProgramma = kIDProgrammaUnset;
};
