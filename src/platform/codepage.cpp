#include "platform/codepage.h"

#include <QStringDecoder>

#include <array>

namespace cp1251 {

namespace {

// The code page as two tables, built once from the system's converter. A byte the converter
// leaves undefined (0x98 in code page 1251) maps to the C1 control character of the same
// value, as Windows does, so that every byte survives a round trip.
struct Tables
{
    std::array<char16_t, 256> toUnicode{};
    std::array<qint16, 0x10000> fromUnicode{};

    Tables()
    {
        fromUnicode.fill(-1);
        QStringDecoder decoder("windows-1251", QStringDecoder::Flag::Stateless);
        for (int b = 0; b < 256; ++b) {
            char16_t u = char16_t(b);
            if (b >= 0x80 && decoder.isValid()) {
                const char byte = char(b);
                const QString s = decoder.decode(QByteArrayView(&byte, 1));
                if (s.size() == 1 && s.at(0) != QChar::ReplacementCharacter)
                    u = s.at(0).unicode();
                decoder.resetState();
            }
            toUnicode[b] = u;
            if (fromUnicode[u] < 0)
                fromUnicode[u] = qint16(b);
        }
        // Bytes whose character another byte already claimed keep their C1 fallback.
        for (int b = 0; b < 256; ++b) {
            if (fromUnicode[toUnicode[b]] != b) {
                toUnicode[b] = char16_t(b);
                fromUnicode[b] = qint16(b);
            }
        }
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    const Tables &t = tables();
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = QChar(t.toUnicode[uchar(bytes[i])]);
    return out;
}

QByteArray encode(const QString &text)
{
    const Tables &t = tables();
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const qint16 b = t.fromUnicode[c.unicode()];
        if (b >= 0) {
            out.append(char(b));
        } else {
            out.append('?');
            // A surrogate pair is one character: one "?".
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
        }
    }
    return out;
}

int code(QChar c) { return tables().fromUnicode[c.unicode()]; }

std::optional<Unencodable> firstUnencodable(const QString &text)
{
    const Tables &t = tables();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (t.fromUnicode[c.unicode()] >= 0)
            continue;
        char32_t cp = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            cp = QChar::surrogateToUcs4(c, text.at(i + 1));
        return Unencodable{i, cp};
    }
    return std::nullopt;
}

bool canEncode(const QString &text) { return !firstUnencodable(text).has_value(); }

} // namespace cp1251
