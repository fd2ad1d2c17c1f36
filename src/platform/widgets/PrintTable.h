#pragma once

#include <QMarginsF>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPrinter;

namespace Platform {

// Texts of the preview's buttons, from the program's string table; PageOfPages holds "%1" for
// the page shown and "%2" for the number of pages.
struct CPreviewTexts
{
    QString Print, Close, ZoomIn, ZoomOut, PreviousPage, NextPage, PageOfPages;
};

// Where one printout goes: the device its pages are painted on, then the hand-over of what was
// painted (a file written whole, a job given to its queue).
class CPrintOutput
{
public:
    virtual ~CPrintOutput() = default;
    virtual QPagedPaintDevice &Device() = 0;
    // The file or printer, as a message names it.
    virtual QString Target() const = 0;
    // Hands the painted pages on; throws when they do not arrive.
    virtual void Close() = 0;
};

// The print-table control: it sits on the main window at the list's place and runs one print
// from StartPrint to PrintEnd. What is printed is the program's business: it hands the control a
// content that lays out and paints every page on a device, and a source of the output to print
// on.
//   table.SetContent(paint); table.SetOutputSource(output);
//   table.StartPrint();          // Busy until PrintEnd, raised exactly once
//
// Mode 2 previews first: StartPrint shows the control with the pages laid out on the preview
// printer and returns, the control busy. Its Print button prints on the source's output and
// ends the print (a source that gives no output, the user naming no file, keeps the preview
// open); Close, or Escape, ends it without printing. What the buttons start runs through the
// owner's action runner, so an error there (the output refusing the printout among them) reaches
// the user as a command's error does, the print ended. Any other mode prints at once.
class CPrintTable : public QWidget
{
    Q_OBJECT

public:
    // Paints every page on the device; target names it in a message. Throws on failure.
    using Content = std::function<void(QPagedPaintDevice &device, const QString &target)>;
    // The output of one print, or nullptr when there is none to print on (no file was named).
    using OutputSource = std::function<std::unique_ptr<CPrintOutput>()>;
    // The printer a preview lays its pages out on.
    using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;
    // Runs what the user starts in the preview; may throw, the print then already ended.
    using ActionRunner = std::function<void(const std::function<void()> &action)>;

    static constexpr qint16 kPreviewMode = 2;

    explicit CPrintTable(QWidget *parent = nullptr);
    ~CPrintTable() override;

    // Name and revision of the program, the creator of every printout.
    QString ProgramName() const { return m_ProgramName; }
    void SetProgramName(const QString &name) { m_ProgramName = name; }
    qint16 ProgramRevision() const { return m_ProgramRevision; }
    void SetProgramRevision(qint16 revision) { m_ProgramRevision = revision; }
    // The page margins in millimetres.
    void InitLayout(qint16 top, qint16 left, qint16 bottom, qint16 right);
    QMarginsF MarginsMillimetres() const { return m_Margins; }
    qint16 Mode() const { return m_Mode; }
    void SetMode(qint16 mode) { m_Mode = mode; }

    bool Busy() const { return m_Busy; }

    void SetContent(Content content) { m_Content = std::move(content); }
    void SetOutputSource(OutputSource source) { m_OutputSource = std::move(source); }
    // The printer whose paper the preview shows; nothing to preview when it gives none.
    void SetPreviewPrinterSource(PrinterSource source) { m_PreviewPrinterSource = std::move(source); }
    void SetActionRunner(ActionRunner runner) { m_ActionRunner = std::move(runner); }
    void SetPreviewTexts(const CPreviewTexts &texts) { m_PreviewTexts = texts; }

    // Prints the content on the source's output, or opens the preview in mode 2. Refused
    // (false, no PrintEnd) while a print is running. A print that ends in StartPrint (printed,
    // no file named, nothing to preview, the content's error) leaves the control idle with
    // PrintEnd raised once before StartPrint returns or lets the error go on to the command.
    bool StartPrint();
    // An open preview ends as its Close button ends it: nothing printed, PrintEnd raised once.
    // Nothing happens while no preview is open.
    void EndPreview();

Q_SIGNALS:
    void PrintEnd();

private:
    // Prints the content on the source's output; false when there is none to print on.
    bool PrintOnce();
    bool OpenPreview();
    void PrintPreviewed();
    void RunAction(const std::function<void()> &action);
    void Finish();

    QString m_ProgramName;
    qint16 m_ProgramRevision = 0;
    QMarginsF m_Margins{10, 10, 10, 20};
    qint16 m_Mode = 0;
    bool m_Busy = false;
    Content m_Content;
    OutputSource m_OutputSource;
    PrinterSource m_PreviewPrinterSource;
    ActionRunner m_ActionRunner;
    CPreviewTexts m_PreviewTexts;
    // The open preview; none when not previewing.
    QWidget *m_Preview = nullptr;
};

} // namespace Platform
