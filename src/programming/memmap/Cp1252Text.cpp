#include "programming/memmap/Cp1252Text.h"

#include <QList>

namespace MemMap {
namespace {

// Bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char EncodeCodePoint(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c)
            return char(0x80 + i);
    return '?';
}

} // namespace

QByteArray ToCp1252Bytes(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (char32_t c : text.toUcs4())
        bytes.append(EncodeCodePoint(c));
    return bytes;
}

QString FromCp1252Bytes(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = quint8(b);
        text.append(u >= 0x80 && u < 0xA0 ? QChar(kHighControls[u - 0x80]) : QChar(u));
    }
    return text;
}

} // namespace MemMap
