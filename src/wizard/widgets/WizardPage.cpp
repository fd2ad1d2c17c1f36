#include "wizard/widgets/WizardPage.h"

#include "common/ResString.h"
#include "common/widgets/FormResources.h"
#include "common/widgets/WindowFrame.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int kEndId = 2000;
constexpr int kCancelId = 2001;
constexpr int kNextId = 2002;
constexpr int kBackId = 2003;
constexpr int kOKId = 2004;
constexpr int kTitlePointSize = 12;

QPushButton *Button(const char *name, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

// The first control of the page's own part that takes the focus; none on a page without one.
QWidget *FirstFocusIn(QWidget *body)
{
    for (QWidget *w = body->nextInFocusChain(); w != body; w = w->nextInFocusChain()) {
        if (w->focusPolicy() != Qt::NoFocus && w->isEnabled() && w->isVisible() && body->isAncestorOf(w))
            return w;
    }
    return nullptr;
}

bool ShowsFrame(const QWidget *window)
{
    return window != nullptr && window->isVisible() && window->frameGeometry() != window->geometry();
}

// The frame of a window on the screen, the owner window's first; none when no window shows one.
QMargins ShownFrameMargins(const QWidget *owner)
{
    if (ShowsFrame(owner))
        return FrameMarginsOf(*owner);
    for (const QWidget *top : QApplication::topLevelWidgets()) {
        if (ShowsFrame(top))
            return FrameMarginsOf(*top);
    }
    return {};
}

// Lays out the window and every control inside it that has a layout of its own, outer before
// inner. A control's own layout follows its texts only when a resize reaches the control, so
// the part of a page whose size is fixed would otherwise keep the places of its designed texts
// until the event loop runs.
void ActivateLayouts(QWidget *window)
{
    window->layout()->activate();
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (control->layout() != nullptr)
            control->layout()->activate();
    }
}

QWidget *MainWindow()
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow *>(top) && top->isVisible())
            return top;
    }
    return QApplication::activeWindow();
}

} // namespace

CWizardPage::CWizardPage(QWidget *parent)
    : QDialog(parent), m_lblTitle(new QLabel(this)), m_Body(new QWidget(this)),
      m_pbCommand(new QWidget(this)), m_frmSep(new QFrame(m_pbCommand)),
      m_cmdCancel(Button("cmdCancel", m_pbCommand)), m_cmdBack(Button("cmdBack", m_pbCommand)),
      m_cmdNext(Button("cmdNext", m_pbCommand)), m_cmdEnd(Button("cmdEnd", m_pbCommand)),
      m_DialogButtons(new QWidget(this)), m_cmdDialogOK(Button("cmdDialogOK", m_DialogButtons)),
      m_cmdDialogCancel(Button("cmdDialogCancel", m_DialogButtons))
{
    setModal(true);
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    m_Body->setObjectName(QStringLiteral("Body"));
    m_pbCommand->setObjectName(QStringLiteral("pbCommand"));
    m_frmSep->setObjectName(QStringLiteral("frmSep"));
    m_frmSep->setFrameShape(QFrame::HLine);
    m_frmSep->setFrameShadow(QFrame::Sunken);

    auto *wizardRow = new QHBoxLayout;
    wizardRow->addStretch();
    for (QPushButton *button : {m_cmdCancel, m_cmdBack, m_cmdNext, m_cmdEnd})
        wizardRow->addWidget(button);
    auto *command = new QVBoxLayout(m_pbCommand);
    command->setContentsMargins(0, 0, 0, 0);
    command->addWidget(m_frmSep);
    command->addLayout(wizardRow);

    auto *dialogRow = new QHBoxLayout(m_DialogButtons);
    dialogRow->setContentsMargins(0, 0, 0, 0);
    dialogRow->addStretch();
    dialogRow->addWidget(m_cmdDialogOK);
    dialogRow->addWidget(m_cmdDialogCancel);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_lblTitle);
    layout->addWidget(m_Body, 1);
    layout->addWidget(m_pbCommand);
    layout->addWidget(m_DialogButtons);

    connect(m_cmdEnd, &QPushButton::clicked, this, [this] { Leave(brEnd); });
    connect(m_cmdDialogOK, &QPushButton::clicked, this, [this] { Leave(brEnd); });
    connect(m_cmdNext, &QPushButton::clicked, this, [this] { Leave(brNext); });
    connect(m_cmdBack, &QPushButton::clicked, this, [this] { Leave(brBack); });
    connect(m_cmdCancel, &QPushButton::clicked, this, &CWizardPage::reject);
    connect(m_cmdDialogCancel, &QPushButton::clicked, this, &CWizardPage::reject);
    SetFormType(m_FormType);
}

CWizardPage::~CWizardPage() = default;

void CWizardPage::SetFormType(qint32 formType)
{
    m_FormType = formType;
    const bool dialog = formType == ftDialog;
    m_pbCommand->setVisible(!dialog);
    m_DialogButtons->setVisible(dialog);
    if (dialog) {
        m_cmdNext->setDefault(false);
        m_cmdDialogOK->setDefault(true);
    } else {
        m_cmdDialogOK->setDefault(false);
        m_cmdNext->setDefault(true);
    }
}

void CWizardPage::SetCaption(const QString &caption)
{
    m_Caption = caption;
    setWindowTitle(caption);
}

void CWizardPage::SetIcon(qint16 iconId)
{
    const QString resource = QStringLiteral(":/icons/%1.png").arg(iconId);
    if (QFile::exists(resource))
        setWindowIcon(QIcon(resource));
}

QRect CWizardPage::FrameGeometry()
{
    PrepareShow();
    return geometry().marginsAdded(FrameMargins());
}

void CWizardPage::MoveFrameTo(const QPoint &topLeft)
{
    // Placed by its client area, with the frame FrameGeometry counted: Qt's own placement of a
    // frame takes the margins it knows of the window, none before its first show and stale ones
    // after a hide, so a page shown again would land a title bar lower than the first time.
    const QMargins margins = FrameMargins();
    setGeometry(QRect(topLeft + QPoint(margins.left(), margins.top()), size()));
}

QMargins CWizardPage::FrameMargins() const
{
    // The window manager tells a window's frame only once it is on the screen, and forgets it
    // when it is hidden; every show of every page takes the frame of its owner window, which
    // stays on the screen for the whole run, so they all count the same frame.
    return ShownFrameMargins(OwnerWindow());
}

const QWidget *CWizardPage::OwnerWindow() const
{
    return parentWidget() ? parentWidget()->window() : MainWindow();
}

void CWizardPage::SetMinimumFrameSize(const QSize &size)
{
    const QSize grow = (size - FrameGeometry().size()).expandedTo(QSize(0, 0));
    if (grow == QSize(0, 0))
        return;
    m_Body->setMinimumSize(m_Body->minimumSize().expandedTo(m_Body->size() + grow));
    ActivateLayouts(this);
}

QRect CWizardPage::AvailableScreenArea() const
{
    const QWidget *anchor = OwnerWindow();
    QScreen *screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void CWizardPage::ShowModal()
{
    PrepareShow();
    exec();
}

void CWizardPage::Unload()
{
    m_Loaded = false;
    if (isVisible())
        done(m_ButtonRet == brCancel ? Rejected : Accepted);
}

void CWizardPage::reject()
{
    m_ButtonRet = brCancel;
    Unload();
}

void CWizardPage::Leave(qint32 button)
{
    if (button != brBack && !ValidateData())
        return;
    m_ButtonRet = button;
    ControlsToData();
    Unload();
}

void CWizardPage::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        PrepareShow();
        FormActivate();
        // Every show starts on the page's first control, as a page loaded afresh does, else on
        // the default button; a button with the focus takes Enter itself.
        QWidget *first = FirstFocusIn(m_Body);
        for (QPushButton *button : {m_cmdNext, m_cmdEnd, m_cmdDialogOK}) {
            if (!first && button->isDefault() && button->isVisibleTo(this))
                first = button;
        }
        if (first)
            first->setFocus(Qt::ActiveWindowFocusReason);
        // On the screen at once in the size its texts need.
        ActivateLayouts(this);
    }
    QDialog::showEvent(event);
}

void CWizardPage::PrepareShow()
{
    if (m_Loaded)
        return;
    m_Loaded = true;
    LoadForShow();
    // Sized as it will be shown: on its screen, styled, and laid out with the controls that the
    // show will make visible (until then the layouts leave them out).
    create();
    ensurePolished();
    for (QWidget *control : findChildren<QWidget *>()) {
        if (!control->isWindow() && !control->testAttribute(Qt::WA_WState_ExplicitShowHide))
            control->setVisible(true);
    }
    for (QLayout *inner : findChildren<QLayout *>())
        inner->invalidate();
    ActivateLayouts(this);
    // A frame that keeps its size is not resized, so its own layout would wait for the event
    // loop to place the texts just loaded: until then a label keeps the width of its empty
    // design text.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void CWizardPage::LoadForShow()
{
    LoadTextsOnce();
    QFont titleFont = m_lblTitle->font();
    titleFont.setPointSize(kTitlePointSize);
    m_lblTitle->setFont(titleFont);
    const int titleId = TitleId();
    m_lblTitle->setVisible(titleId != 0);
    if (titleId != 0)
        m_lblTitle->setText(LoadResString(titleId));
    SetFormType(m_FormType);
    FormLoad();
}

void CWizardPage::LoadTextsOnce()
{
    // The controls live as long as the page, so their ids are replaced by texts only once: a
    // second pass would read a text that starts with a number as an id.
    if (m_TextsLoaded)
        return;
    m_TextsLoaded = true;
    SetControlsFont(this);
    LoadCaptionResources(this);
    LoadToolTipResources(this);
    if (!m_Caption.isNull())
        setWindowTitle(m_Caption);
    m_cmdEnd->setText(LoadResString(kEndId));
    m_cmdCancel->setText(LoadResString(kCancelId));
    m_cmdNext->setText(LoadResString(kNextId));
    m_cmdBack->setText(LoadResString(kBackId));
    m_cmdDialogOK->setText(LoadResString(kOKId));
    m_cmdDialogCancel->setText(LoadResString(kCancelId));
}

void CWizardPage::FormActivate()
{
    DataToControls();
    UpdateWizardButtons();
}

void CWizardPage::UpdateWizardButtons()
{
    m_cmdEnd->setEnabled(false);
    if (m_FirstTab) {
        m_cmdBack->setEnabled(false);
        m_cmdNext->setEnabled(true);
    } else if (m_LastTab) {
        m_cmdEnd->setEnabled(true);
        m_cmdBack->setEnabled(true);
        m_cmdNext->setEnabled(false);
    } else {
        m_cmdBack->setEnabled(true);
        m_cmdNext->setEnabled(true);
    }
}

void CWizardPage::UpdateWizardButtonsSettingDefault()
{
    if (m_FormType != ftWizard) {
        m_cmdDialogOK->setDefault(true);
        return;
    }
    UpdateWizardButtons();
    if (!m_FirstTab && m_LastTab)
        m_cmdEnd->setDefault(true);
    else
        m_cmdNext->setDefault(true);
}

void CWizardPage::SetTitleText(const QString &text)
{
    m_lblTitle->setText(text);
}
