#include "app/widgets/FileDialog.h"

#include "common/widgets/MessageBox.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardPaths>
#include <QTreeView>

#include <map>

namespace {

FileDialogShow g_FileDialogShow;

QString &LastFolder(EFileRole role)
{
    static std::map<EFileRole, QString> folders;
    return folders[role];
}

QString OwnPlace(EFileRole role)
{
    if (role != EFileRole::HeaderPicture)
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures
                                       : QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
}

// Where the dialog starts, and the name it proposes there.
std::pair<QString, QString> StartOf(const CFileRequest &request)
{
    const QString &last = LastFolder(request.Role);
    const QString roleFolder = QFileInfo(last).isDir() ? last : OwnPlace(request.Role);
    if (!request.Proposed.contains(QLatin1Char('/')))
        return {roleFolder, request.Proposed};
    // A path: its own folder, or nothing of it when that folder is gone.
    const QFileInfo proposed(request.Proposed);
    if (!proposed.absoluteDir().exists())
        return {roleFolder, QString()};
    return {proposed.absolutePath(), proposed.fileName()};
}

} // namespace

void PrepareFileDialog(QFileDialog &dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (auto *details = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        QHeaderView *header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    auto *places = dialog.findChild<QListView *>(QStringLiteral("sidebar"));
    auto *splitter = dialog.findChild<QSplitter *>(QStringLiteral("splitter"));
    if (places != nullptr && splitter != nullptr && splitter->count() == 2) {
        const int needed = places->sizeHintForColumn(0) + 2 * places->frameWidth() +
                           places->verticalScrollBar()->sizeHint().width();
        splitter->setSizes({needed, qMax(1, dialog.sizeHint().width() - needed)});
    }
}

QString CSingleFileDialog::ChosenFile() const
{
    if (result() != Accepted)
        return QString();
    return m_WholeName.isEmpty() ? selectedFiles().value(0) : m_WholeName;
}

void CSingleFileDialog::accept()
{
    m_WholeName.clear();
    const auto *nameBox = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    const QString typed = nameBox != nullptr ? nameBox->text() : QString();
    if (!typed.contains(QLatin1Char('"'))) {
        QFileDialog::accept();
        return;
    }
    QString path = directory().absoluteFilePath(typed);
    if (!QFileInfo(path).isDir() && QFileInfo(path).suffix().isEmpty() && !defaultSuffix().isEmpty())
        path += QLatin1Char('.') + defaultSuffix();
    if (!Accepts(path))
        return;
    m_WholeName = path;
    QDialog::accept();
}

void CSingleFileDialog::showEvent(QShowEvent *event)
{
    QFileDialog::showEvent(event);
    auto *nameBox = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    auto *buttons = findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    if (m_WatchingName || nameBox == nullptr || buttons == nullptr)
        return;
    m_WatchingName = true;
    // Qt's own check of the name box, made before this one, looks for the quoted names of a
    // list and greys Open when they are not there; accept() checks the whole name instead.
    connect(nameBox, &QLineEdit::textChanged, this, [this, buttons](const QString &text) {
        if (!text.contains(QLatin1Char('"')))
            return;
        const auto which = acceptMode() == AcceptOpen ? QDialogButtonBox::Open : QDialogButtonBox::Save;
        if (QPushButton *button = buttons->button(which))
            button->setEnabled(true);
    });
}

bool CSingleFileDialog::Accepts(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        setDirectory(path);
        findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->clear();
        return false;
    }
    if (fileMode() == ExistingFile && !info.exists()) {
        ShowMessage(
            this,
            {QMessageBox::Warning, windowTitle(),
             tr("%1\nFile not found.\nPlease verify the correct file name was given.").arg(info.fileName()),
             QMessageBox::Ok});
        return false;
    }
    if (acceptMode() == AcceptSave && info.exists() && !testOption(DontConfirmOverwrite))
        return ShowMessage(this, {QMessageBox::Warning, windowTitle(),
                                  tr("%1 already exists.\nDo you want to replace it?").arg(info.fileName()),
                                  QMessageBox::Yes | QMessageBox::No}) == QMessageBox::Yes;
    return true;
}

QString ChooseFile(QWidget *parent, const CFileRequest &request)
{
    CSingleFileDialog dialog(parent);
    PrepareFileDialog(dialog);
    if (!request.Title.isEmpty())
        dialog.setWindowTitle(request.Title);
    dialog.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.Save || request.AnyName ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(request.Filter);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    const auto [folder, name] = StartOf(request);
    dialog.setDirectory(folder);
    if (!name.isEmpty())
        dialog.selectFile(name);
    const int result = g_FileDialogShow ? g_FileDialogShow(dialog) : dialog.exec();
    const QString chosen = result == QDialog::Accepted ? dialog.ChosenFile() : QString();
    if (!chosen.isEmpty())
        LastFolder(request.Role) = QFileInfo(chosen).absolutePath();
    return chosen;
}

void SetFileDialogShow(FileDialogShow show)
{
    g_FileDialogShow = std::move(show);
}
