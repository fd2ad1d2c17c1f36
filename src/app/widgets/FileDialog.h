#pragma once

#include <QFileDialog>

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
