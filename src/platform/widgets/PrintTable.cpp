#include "platform/widgets/PrintTable.h"

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <exception>
#include <utility>

namespace Platform {

namespace {

// The preview: a row of buttons over the pages, which are laid out on the printer it owns.
class CPreviewArea : public QWidget
{
public:
    CPreviewArea(std::unique_ptr<QPrinter> printer, const CPreviewTexts &texts, QWidget *parent)
        : QWidget(parent), m_Printer(std::move(printer)),
          m_View(new QPrintPreviewWidget(m_Printer.get(), this)), m_PageOfPages(texts.PageOfPages)
    {
        setObjectName(QStringLiteral("PrintPreviewArea"));
        m_View->setObjectName(QStringLiteral("PrintPreview"));
        m_View->setZoomMode(QPrintPreviewWidget::FitToWidth);
        auto *bar = new QToolBar(this);
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        PrintAction = Action(bar, "cmdPrint", texts.Print, "printer");
        if (auto *print = qobject_cast<QToolButton *>(bar->widgetForAction(PrintAction)))
            print->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        CloseAction = Action(bar, "cmdClose", texts.Close, nullptr);
        // Escape anywhere in the preview closes it, as it would close a dialog.
        CloseAction->setShortcut(QKeySequence(Qt::Key_Escape));
        CloseAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(CloseAction);
        bar->addSeparator();
        connect(Action(bar, "cmdZoomIn", texts.ZoomIn, "zoom-in"), &QAction::triggered, this,
                [this] { m_View->zoomIn(); });
        connect(Action(bar, "cmdZoomOut", texts.ZoomOut, "zoom-out"), &QAction::triggered, this,
                [this] { m_View->zoomOut(); });
        bar->addSeparator();
        m_Previous = Action(bar, "cmdPreviousPage", texts.PreviousPage, "go-previous");
        m_Page = new QLabel(bar);
        m_Page->setObjectName(QStringLiteral("lblPage"));
        m_Page->setContentsMargins(6, 0, 6, 0);
        bar->addWidget(m_Page);
        m_Next = Action(bar, "cmdNextPage", texts.NextPage, "go-next");
        connect(m_Previous, &QAction::triggered, this, [this] { GoToPage(m_View->currentPage() - 1); });
        connect(m_Next, &QAction::triggered, this, [this] { GoToPage(m_View->currentPage() + 1); });
        // Scrolling through the pages tells the page shown this way; a jump does not.
        connect(m_View, &QPrintPreviewWidget::previewChanged, this, &CPreviewArea::ShowPage);
        // Qt calls for the pages while it lays them out; an error waits for Render to go on.
        connect(m_View, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *target) {
            try {
                if (Paint)
                    Paint(*target);
            } catch (...) {
                m_Error = std::current_exception();
            }
        });

        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(bar);
        layout->addWidget(m_View, 1);
        setFocusProxy(m_View);
    }
    // The pages refer to the printer to the end.
    ~CPreviewArea() override { delete m_View; }

    // Lays the pages out; the content's error goes on to the caller.
    void Render()
    {
        m_Error = nullptr;
        m_View->updatePreview();
        if (m_Error)
            std::rethrow_exception(std::exchange(m_Error, nullptr));
        ShowPage();
    }

    std::function<void(QPrinter &)> Paint;
    QAction *PrintAction = nullptr;
    QAction *CloseAction = nullptr;

private:
    // A button of the row: the picture Qt's own preview shows for it, the text as its tooltip;
    // the text itself where Qt has no picture.
    static QAction *Action(QToolBar *bar, const char *name, const QString &text, const char *picture)
    {
        QAction *action = bar->addAction(text);
        action->setObjectName(QLatin1String(name));
        if (picture == nullptr)
            return action;
        const QString path = QStringLiteral(":/qt-project.org/dialogs/qprintpreviewdialog/images/%1-24.png")
                                 .arg(QLatin1String(picture));
        if (QFile::exists(path))
            action->setIcon(QIcon(path));
        return action;
    }

    void GoToPage(int page)
    {
        m_View->setCurrentPage(page);
        ShowPage();
    }

    void ShowPage()
    {
        const int page = m_View->currentPage();
        const int pages = m_View->pageCount();
        if (!m_PageOfPages.isEmpty())
            m_Page->setText(m_PageOfPages.arg(page).arg(pages));
        m_Previous->setEnabled(page > 1);
        m_Next->setEnabled(page < pages);
    }

    std::unique_ptr<QPrinter> m_Printer;
    QPrintPreviewWidget *m_View;
    QLabel *m_Page = nullptr;
    QAction *m_Previous = nullptr;
    QAction *m_Next = nullptr;
    QString m_PageOfPages;
    std::exception_ptr m_Error;
};

} // namespace

CPrintTable::CPrintTable(QWidget *parent) : QWidget(parent)
{
    // Shown only while it previews, in the list's place.
    setVisible(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

CPrintTable::~CPrintTable() = default;

void CPrintTable::InitLayout(qint16 top, qint16 left, qint16 bottom, qint16 right)
{
    m_Margins = QMarginsF(left, top, right, bottom);
}

bool CPrintTable::StartPrint()
{
    if (m_Busy)
        return false;
    m_Busy = true;
    bool previewing = false;
    try {
        if (m_Mode == kPreviewMode)
            previewing = OpenPreview();
        else
            PrintOnce();
    } catch (...) {
        Finish();
        throw;
    }
    if (!previewing)
        Finish();
    return true;
}

bool CPrintTable::PrintOnce()
{
    const std::unique_ptr<CPrintOutput> output = m_OutputSource ? m_OutputSource() : nullptr;
    if (!output || !m_Content)
        return false;
    m_Content(output->Device(), output->Target());
    output->Close();
    return true;
}

bool CPrintTable::OpenPreview()
{
    std::unique_ptr<QPrinter> printer = m_PreviewPrinterSource ? m_PreviewPrinterSource() : nullptr;
    if (!printer || !m_Content)
        return false;
    auto *preview = new CPreviewArea(std::move(printer), m_PreviewTexts, this);
    m_Preview = preview;
    layout()->addWidget(preview);
    preview->Paint = [this](QPrinter &target) {
        if (m_Content)
            m_Content(target, QString());
    };
    connect(preview->PrintAction, &QAction::triggered, this, &CPrintTable::PrintPreviewed);
    connect(preview->CloseAction, &QAction::triggered, this, &CPrintTable::Finish);
    preview->Render();
    show();
    preview->setFocus();
    return true;
}

void CPrintTable::EndPreview()
{
    if (m_Preview != nullptr)
        Finish();
}

void CPrintTable::PrintPreviewed()
{
    RunAction([this] {
        bool printed = false;
        try {
            printed = PrintOnce();
        } catch (...) {
            Finish();
            throw;
        }
        // No file named: the user goes on with the preview.
        if (printed)
            Finish();
    });
}

void CPrintTable::RunAction(const std::function<void()> &action)
{
    if (m_ActionRunner) {
        m_ActionRunner(action);
        return;
    }
    // No error may cross the event loop; an owner that shows them sets a runner.
    try {
        action();
    } catch (...) {
        qWarning("CPrintTable: the print failed");
    }
}

void CPrintTable::Finish()
{
    if (!m_Busy)
        return;
    m_Busy = false;
    if (QWidget *preview = std::exchange(m_Preview, nullptr)) {
        preview->hide();
        // Its own button may be what ended the print.
        preview->deleteLater();
    }
    Q_EMIT PrintEnd();
}

} // namespace Platform
