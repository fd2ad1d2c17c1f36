#pragma once

#include <QString>

#include <ostream>

// A QString in GoogleTest's messages as its text.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
