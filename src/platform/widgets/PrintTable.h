#pragma once

#include <QMarginsF>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QPrinter;

namespace Platform {

// Texts of the preview's buttons, from the program's string table; PageOfPages holds "%1" for
// the page shown and "%2" for the number of pages.
struct CPreviewTexts
{
    QString Print, Close, ZoomIn, ZoomOut, PreviousPage, NextPage, PageOfPages;
};

// The print-table control: it sits on the main window at the list's place, holds the options of
// one print (heading page, picture, notes, page numbers) and runs the print from StartPrint to
// PrintEnd. What is printed is the program's business: it hands the control a content that lays
// out and paints every page on the printer, reading the options from the control, and a source
// of the printer to print on.
//   table.SetEnableHeader(true); ...; table.SetContent(paint); table.SetPrinterSource(printer);
//   table.StartPrint();          // Busy until PrintEnd, raised exactly once
//
// Mode 2 previews first: StartPrint shows the control with the pages laid out on the preview
// printer and returns, the control busy. Its Print button prints on the source's printer and
// ends the print (a source that gives no printer, the user naming no file, keeps the preview
// open); Close, or Escape, ends it without printing. What the buttons start runs through the
// owner's action runner, so an error there reaches the user as a command's error does, the
// print ended. Any other mode prints at once.
class CPrintTable : public QWidget
{
    Q_OBJECT

public:
    // Paints every page on the printer; throws on failure.
    using Content = std::function<void(QPrinter &printer, const CPrintTable &table)>;
    // The printer of one print, or nullptr when there is none to print on (no file was named).
    using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;
    // Runs what the user starts in the preview; may throw, the print then already ended.
    using ActionRunner = std::function<void(const std::function<void()> &action)>;

    static constexpr qint16 kPreviewMode = 2;

    explicit CPrintTable(QWidget *parent = nullptr);
    ~CPrintTable() override;

    // Name and revision of the program, given to every print as its document name and creator.
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

    bool EnableHeader() const { return m_EnableHeader; }
    void SetEnableHeader(bool enable) { m_EnableHeader = enable; }
    QString HeaderPicture() const { return m_HeaderPicture; }
    void SetHeaderPicture(const QString &path) { m_HeaderPicture = path; }
    QString Note1() const { return m_Note1; }
    void SetNote1(const QString &note) { m_Note1 = note; }
    QString Note2() const { return m_Note2; }
    void SetNote2(const QString &note) { m_Note2 = note; }
    bool EnableNote() const { return m_EnableNote; }
    void SetEnableNote(bool enable) { m_EnableNote = enable; }
    bool EnablePageNumber() const { return m_EnablePageNumber; }
    void SetEnablePageNumber(bool enable) { m_EnablePageNumber = enable; }

    void SetContent(Content content) { m_Content = std::move(content); }
    void SetPrinterSource(PrinterSource source) { m_PrinterSource = std::move(source); }
    // The printer whose paper the preview shows; nothing to preview when it gives none.
    void SetPreviewPrinterSource(PrinterSource source) { m_PreviewPrinterSource = std::move(source); }
    void SetActionRunner(ActionRunner runner) { m_ActionRunner = std::move(runner); }
    void SetPreviewTexts(const CPreviewTexts &texts) { m_PreviewTexts = texts; }

    // Prints the content on the source's printer, or opens the preview in mode 2. Refused
    // (false, no PrintEnd) while a print is running. A print that ends in StartPrint (printed,
    // no file named, nothing to preview, the content's error) leaves the control idle with
    // PrintEnd raised once before StartPrint returns or lets the error go on to the command.
    bool StartPrint();

Q_SIGNALS:
    void PrintEnd();

private:
    void PrintOnce();
    void PrintOn(QPrinter &printer);
    bool OpenPreview();
    void PrintPreviewed();
    void RunAction(const std::function<void()> &action);
    void Finish();

    QString m_ProgramName;
    qint16 m_ProgramRevision = 0;
    QMarginsF m_Margins{10, 10, 10, 20};
    qint16 m_Mode = 0;
    bool m_Busy = false;
    bool m_EnableHeader = true;
    QString m_HeaderPicture;
    QString m_Note1;
    QString m_Note2;
    bool m_EnableNote = true;
    bool m_EnablePageNumber = true;
    Content m_Content;
    PrinterSource m_PrinterSource;
    PrinterSource m_PreviewPrinterSource;
    ActionRunner m_ActionRunner;
    CPreviewTexts m_PreviewTexts;
    // The open preview; none when not previewing.
    QWidget *m_Preview = nullptr;
};

} // namespace Platform
