#pragma once

#include <QFileDialog>

#include <functional>

// Readies a file dialog of the program before it is shown: Qt's own dialog, never the
// desktop's, so it is the same on every desktop and a test can fill it in; the detail
// columns follow what they show (Qt's fixed widths cut sizes and dates) and the places on the
// left keep their names whole.
//   QFileDialog dialog(this);
//   PrepareFileDialog(dialog);   // first, then the mode, filter and folder
//   dialog.exec();
void PrepareFileDialog(QFileDialog &dialog);

// A file dialog for one file that takes the name in its name box whole. Qt's own dialog reads
// a name box holding double quotes as a list of quoted names, so a configuration named
// Q'uote "dbl" ; x would be written as "dbl.IXO"; here such a text is one name, in the
// dialog's folder (or a path of its own), with the default suffix when it has none. Every
// other text is Qt's to read.
//   CSingleFileDialog dialog(this);
//   PrepareFileDialog(dialog);  ...  dialog.selectFile(proposed);
//   if (dialog.exec() == QDialog::Accepted) Use(dialog.ChosenFile());
class CSingleFileDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    // The file chosen; empty until the dialog is accepted.
    QString ChosenFile() const;

    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Qt's own checks, for a name Qt does not read: a folder is opened, an open needs the
    // file, a save over a file asks first.
    bool Accepts(const QString &path);

    QString m_WholeName;
    bool m_WatchingName = false;
};

// The program's kinds of file to choose; each remembers, for the run, the folder its last
// file was chosen in.
enum class EFileRole { ProgramFile, PdfFile, HeaderPicture };

// One file to choose: to write (asking before a file is replaced) or to read, which must be
// there unless AnyName (a path the user may also type by hand).
struct CFileRequest
{
    EFileRole Role = EFileRole::ProgramFile;
    bool Save = false;
    bool AnyName = false;
    QString Title;         // empty: the dialog's own
    QString Filter;        // "File IXO (*.IXO *.ixo)"
    QString DefaultSuffix; // given to a name typed without one
    QString Proposed;      // a name, or a path whose folder the dialog starts in when it is there
};

// The file the user chose, modal over parent, or empty on cancel. The dialog starts in the
// proposed path's folder, else in the role's folder of this run while it is there, else in
// the role's own place (documents; pictures, else home).
//   ChooseFile(window, {EFileRole::ProgramFile, true, false, {}, ProgramFileFilter(), "IXO", "Forno.IXO"})
QString ChooseFile(QWidget *parent, const CFileRequest &request);

// The one modal show of the program's file dialogs, QDialog::exec by default. Tests replace it
// to play the user; an empty function puts exec back.
using FileDialogShow = std::function<int(CSingleFileDialog &dialog)>;
void SetFileDialogShow(FileDialogShow show);
