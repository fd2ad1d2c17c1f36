#pragma once

class QFileDialog;

// Readies a file dialog of the program before it is shown: Qt's own dialog, never the
// desktop's, so it is the same on every desktop and a test can fill it in; the detail
// columns follow what they show (Qt's fixed widths cut sizes and dates) and the places on the
// left keep their names whole.
//   QFileDialog dialog(this);
//   PrepareFileDialog(dialog);   // first, then the mode, filter and folder
//   dialog.exec();
void PrepareFileDialog(QFileDialog &dialog);
