#pragma once

#include <QHash>
#include <QString>
#include <QVariantList>

// The string table: every visible text of the program by number, from resources/strings.tsv
// ("id<TAB>text", UTF-8; "\n", "\r", "\t" and "\\" stand for line feed, carriage return, tab
// and backslash). A text may hold the placeholders "|1", "|2", ...
//   LoadResString(383)                 -> "Without name"
//   LoadResStringArgs(222, {5})        -> "Network address 5"
//   ReplaceArgs("|1 of |2 (|3)", {1, 2}) -> "1 of 2 (|3)"

// The text of id; a number the table does not hold raises CError (resource not found).
QString LoadResString(int id);
bool HasResString(int id);
const QHash<int, QString> &StringTable();

QString LoadResStringArgs(int id, const QVariantList &args = {});

// Fills "|k" with args[k-1] in one left-to-right pass, so inserted text is never scanned
// again. A placeholder without an argument stays as it is. With ten or more arguments a
// two-digit placeholder ("|10") wins over its one-digit beginning.
QString ReplaceArgs(const QString &text, const QVariantList &args);

// How an argument reads inside a text: numbers in the user's locale, as the screen shows them.
QString ArgumentText(const QVariant &value);

// Waits the given time on a local event loop, so windows repaint and buttons answer.
void Pause(float seconds);

// The program-wide font; start-up sets it from the string table before any window loads.
struct CProgramFont
{
    QString Name;
    int Size = 8;
    bool Bold = false;
};
extern CProgramFont g_Font;
