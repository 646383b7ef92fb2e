// Conversion between QString and the Windows Cyrillic code page (1251) used by every stored text.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace cp1251 {

// Every byte 0..255 decodes to one character and encodes back to the same byte.
QString decode(const QByteArray &bytes);

// Characters the code page cannot hold become "?".
QByteArray encode(const QString &text);

// The code of a character in the code page, or -1 when the code page cannot hold it.
int code(QChar c);

// Whether every character of the text has a code in the code page.
bool canEncode(const QString &text);

struct Unencodable
{
    qsizetype position = 0; // index in the QString (UTF-16 units)
    char32_t character = 0; // the whole code point, surrogate pairs joined
};

// The first character the code page cannot hold, if any.
std::optional<Unencodable> firstUnencodable(const QString &text);

} // namespace cp1251
