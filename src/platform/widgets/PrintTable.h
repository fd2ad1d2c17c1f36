#pragma once

#include <QMarginsF>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QPrinter;

namespace Platform {

// The print-table control: it sits on the main window at the list's place, holds the options of
// one print (heading page, picture, notes, page numbers) and runs the print from StartPrint to
// PrintEnd. What is printed is the program's business: it hands the control a content that lays
// out and paints every page on the printer, reading the options from the control, and a source
// of the printer to print on.
//   table.SetEnableHeader(true); ...; table.SetContent(paint); table.SetPrinterSource(printer);
//   table.StartPrint();          // Busy until PrintEnd, raised exactly once
class CPrintTable : public QWidget
{
    Q_OBJECT

public:
    // Paints every page on the printer; throws on failure.
    using Content = std::function<void(QPrinter &printer, const CPrintTable &table)>;
    // The printer of one print, or nullptr when there is none to print on (no file was named).
    using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;

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

    // Prints the content on the source's printer. Refused (false, no PrintEnd) while a print is
    // running. Whatever happens, the control is idle again and PrintEnd was raised once before
    // StartPrint returns or lets the content's error go on to the command.
    bool StartPrint();

Q_SIGNALS:
    void PrintEnd();

private:
    void PrintOnce();
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
};

} // namespace Platform
