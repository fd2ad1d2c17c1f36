#include "app/widgets/print/PrintOutput.h"

#include "app/print/PrintJob.h"
#include "common/ResString.h"

#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {

// Unbuffered, so a write that stops short (a full disk) is seen as the file's error rather than
// taken for success when the file is closed.
constexpr QIODevice::OpenMode kWriteMode = QIODevice::WriteOnly | QIODevice::Unbuffered;

void SetUpWriter(QPdfWriter &writer, const QPageLayout &layout, const QString &title, const QString &creator)
{
    writer.setPageLayout(layout);
    writer.setTitle(title);
    writer.setCreator(creator);
}

class CFileOutput final : public Platform::CPrintOutput
{
public:
    CFileOutput(const QString &path, const QPageLayout &layout, const QString &title, const QString &creator)
        : m_File(path), m_Writer(&m_File)
    {
        if (!m_File.open(kWriteMode))
            RaisePrintError(path, m_File.errorString());
        SetUpWriter(m_Writer, layout, title, creator);
    }

    QPagedPaintDevice &Device() override { return m_Writer; }
    QString Target() const override { return m_File.fileName(); }
    void Close() override
    {
        if (!m_File.commit())
            RaisePrintError(m_File.fileName(), m_File.errorString());
    }

private:
    QSaveFile m_File;
    QPdfWriter m_Writer;
};

class CQueueOutput final : public Platform::CPrintOutput
{
public:
    CQueueOutput(const Platform::CPrinterEntry &queue, const QPageLayout &layout, const QString &title,
                 const QString &creator)
        : m_File(m_Folder.filePath(QStringLiteral("print.pdf"))), m_Writer(&m_File)
    {
        m_Job.Printer = queue.Name;
        m_Job.Options = queue.Options;
        m_Job.File = m_File.fileName();
        m_Job.Title = title;
        m_Job.PageSize = layout.pageSize();
        m_Job.Orientation = layout.orientation();
        if (!m_Folder.isValid() || !m_File.open(kWriteMode))
            RaisePrintError(queue.Name, m_Folder.isValid() ? m_File.errorString() : m_Folder.errorString());
        SetUpWriter(m_Writer, layout, title, creator);
    }

    QPagedPaintDevice &Device() override { return m_Writer; }
    QString Target() const override { return m_Job.Printer; }
    void Close() override
    {
        m_File.close();
        if (m_File.error() != QFileDevice::NoError)
            RaisePrintError(m_Job.Printer, m_File.errorString());
        if (const Platform::CPrintSystemAnswer answer = Platform::SubmitJob(m_Job); answer.Failed())
            RaisePrintError(m_Job.Printer, PrintSystemReason(answer));
    }

private:
    QTemporaryDir m_Folder;
    QFile m_File;
    QPdfWriter m_Writer;
    Platform::CQueueJob m_Job;
};

} // namespace

std::unique_ptr<Platform::CPrintOutput> NewFileOutput(const QString &path, const QPageLayout &layout,
                                                      const QString &title, const QString &creator)
{
    return std::make_unique<CFileOutput>(path, layout, title, creator);
}

std::unique_ptr<Platform::CPrintOutput> NewQueueOutput(const Platform::CPrinterEntry &queue,
                                                       const QPageLayout &layout, const QString &title,
                                                       const QString &creator)
{
    return std::make_unique<CQueueOutput>(queue, layout, title, creator);
}

QString PrintSystemReason(const Platform::CPrintSystemAnswer &answer)
{
    switch (answer.Outcome) {
    case Platform::CPrintSystemAnswer::Silent:
        return LoadResStringArgs(
            850, {answer.Server, std::chrono::duration<double>(Platform::PrintSystemAnswerTime()).count()});
    case Platform::CPrintSystemAnswer::Unreachable:
        // The library's own reason stands when the print system's library itself is missing.
        return answer.Refusal.isEmpty() ? LoadResStringArgs(851, {answer.Server}) : answer.Refusal;
    case Platform::CPrintSystemAnswer::Answered:
        break;
    }
    return answer.Refusal;
}
