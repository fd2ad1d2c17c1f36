#pragma once

#include <QString>

// A file type of the string table, "description (patterns)|pattern;pattern" as string 801
// holds it, as a filter of Qt's file dialog. Names keep their letter case here, so every
// pattern also comes in lower and in upper case:
//   801 "File IXO (*.IXO)|*.IXO"                     -> "File IXO (*.IXO *.ixo)"
//   706 "Images (*.bmp;*.jpg;*.*)|*.bmp;*.jpg;*.*"   -> "Images (*.bmp *.BMP *.jpg *.JPG *.*)"
// A text with several types ("a|*.a|b|*.b") gives one filter per type, ";;" between them.
QString FileDialogFilter(int textId);

// The extension of the text's first pattern, which a name typed without one gets: "IXO".
QString FileDialogExtension(int textId);

// The file a dialog proposes for name: each character no file name may hold ("/", NUL) as "_",
// every other one as it is, and the extension of the text's first pattern.
//   "Forno 3/B", 801 -> "Forno 3_B.IXO"    "Forno 3/B", 769 -> "Forno 3_B.pdf"
QString ProposedFileName(const QString &name, int textId);
