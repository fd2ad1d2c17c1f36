#pragma once

#include "wizard/WizardPageProtocol.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QShowEvent;

// The frame every wizard page shares: the title lblTitle across the top, the page's own
// controls in Body(), and at the bottom either the wizard button row pbCommand (separator
// frmSep, cmdCancel, cmdBack, cmdNext, cmdEnd) or the dialog buttons cmdDialogOK and
// cmdDialogCancel, as FormType says.
//
// A page builds and connects its controls once, in its constructor, inside Body() (from a
// Designer form: ui.setupUi(Body())), with the string ids of their texts in property "tag" or
// as numeric tooltips. At every show the page then loads (texts from the string table the
// first time, the title, the button layout of FormType, FormLoad) and activates
// (DataToControls, then the buttons), so a page shown again starts from its data copy.
//
// Leaving: End, OK and Next run ValidateData and stay on the page when it fails; otherwise
// they, and Back without the check, set ButtonRet, copy the controls into the data copy
// (ControlsToData) and hide the page. Cancel, Escape and the close box set ButtonRet 1 and
// copy nothing. Enter presses the default button: Next on a wizard step, OK on a dialog.
//
// Most pages derive from CWizardDataPage<DataClass>, which holds the data copy.
class CWizardPage : public QDialog, public IWizardPage
{
    Q_OBJECT

public:
    explicit CWizardPage(QWidget *parent = nullptr);
    ~CWizardPage() override;

    qint32 FormType() const override { return m_FormType; }
    // Lays the buttons out at once: a dialog shows OK (default button) and Cancel, a wizard
    // step the button row with Next as the default button.
    void SetFormType(qint32 formType) override;
    qint32 ButtonRet() const override { return m_ButtonRet; }
    bool FirstTab() const override { return m_FirstTab; }
    void SetFirstTab(bool firstTab) override { m_FirstTab = firstTab; }
    bool LastTab() const override { return m_LastTab; }
    void SetLastTab(bool lastTab) override { m_LastTab = lastTab; }
    void GetData(ICopyClass &) const override {}
    void SetData(const ICopyClass &) override {}

    void SetCaption(const QString &caption) override;
    // The program's icon ":/icons/<id>.png", when its resources hold one.
    void SetIcon(qint16 iconId) override;
    QRect FrameGeometry() override;
    void MoveFrameTo(const QPoint &topLeft) override;
    void SetMinimumFrameSize(const QSize &size) override;
    // The available area of the screen of the page's parent window, else of the program's
    // main window, else of the primary screen.
    QRect AvailableScreenArea() const override;
    void ShowModal() override;
    void Unload() override;

public Q_SLOTS:
    // Escape and the close box end here: the page's Cancel.
    void reject() override;

protected:
    // The string id of the page's title; 0 for a page without a title row.
    virtual int TitleId() const { return 0; }
    // The page's own load steps, at every show after the common ones.
    virtual void FormLoad() {}
    // Every activation: DataToControls, then UpdateWizardButtons. Pages that enable their own
    // controls around these two steps override it.
    virtual void FormActivate();
    virtual void DataToControls() {}
    virtual void ControlsToData() {}
    // The page's check before End, OK and Next; it tells the user itself what is wrong.
    virtual bool ValidateData() { return true; }

    // Enables the wizard buttons for the page's place in the run: End only on the last page,
    // Back not on the first, Next not on the last. The default button stays as FormType set it.
    void UpdateWizardButtons();
    // The same, moving the default button along: Next, or End on the last page; OK on a
    // dialog, whose buttons it leaves alone.
    void UpdateWizardButtonsSettingDefault();

    QWidget *Body() const { return m_Body; }
    // For a page whose title depends on its data; the next load sets it from TitleId again.
    void SetTitleText(const QString &text);

    void showEvent(QShowEvent *event) override;

private:
    void Leave(qint32 button);
    // The frame around the page's client area, as every show of the run counts it.
    QMargins FrameMargins() const;
    // The parent's window, else the program's main window.
    const QWidget *OwnerWindow() const;
    // Loads and lays the page out for its next show; nothing when that is done already.
    void PrepareShow();
    // Form_Load.
    void LoadForShow();
    void LoadTextsOnce();

    QLabel *m_lblTitle;
    QWidget *m_Body;
    QWidget *m_pbCommand;
    QFrame *m_frmSep;
    QPushButton *m_cmdCancel;
    QPushButton *m_cmdBack;
    QPushButton *m_cmdNext;
    QPushButton *m_cmdEnd;
    QWidget *m_DialogButtons;
    QPushButton *m_cmdDialogOK;
    QPushButton *m_cmdDialogCancel;

    qint32 m_ButtonRet = brCancel;
    bool m_FirstTab = false;
    bool m_LastTab = false;
    qint32 m_FormType = ftWizard;
    QString m_Caption;
    bool m_TextsLoaded = false;
    bool m_Loaded = false;
};

// A page that edits a copy of one object of DataClass (a configuration or settings class):
// GetData and SetData copy through the class's own GetData/SetData, which refuse an object of
// another class.
//   class FWAlarm : public CWizardDataPage<CAlarm> { ... Data().SetIsteresi(...) ... };
template <class DataClass> class CWizardDataPage : public CWizardPage
{
public:
    using CWizardPage::CWizardPage;

    void GetData(ICopyClass &data) const override { m_Data.GetData(data); }
    void SetData(const ICopyClass &data) override { m_Data.SetData(data); }

protected:
    DataClass &Data() { return m_Data; }
    const DataClass &Data() const { return m_Data; }

private:
    DataClass m_Data;
};
