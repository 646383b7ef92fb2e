#include "platform/ini_file.h"

#include "platform/codepage.h"
#include "platform/save_file.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Reading looks at no more than this of a line: a key is never longer, and a value is cut to
// MaxValueLength anyway. Writing keeps longer lines as they are and never rewrites them.
constexpr qsizetype MaxParsedLine = 64 * 1024;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

QByteArray trimmed(const QByteArray &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

// The name of a "[section]" line, or a null array when the line is none.
QByteArray sectionName(const QByteArray &line)
{
    const QByteArray t = trimmed(line);
    if (t.size() < 2 || t[0] != '[')
        return {};
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return {};
    QByteArray name = trimmed(t.mid(1, close - 1));
    if (name.isNull())
        name = QByteArray("");
    return name;
}

bool sameName(const QByteArray &a, const QString &b)
{
    return cp1251::decode(a).compare(b, Qt::CaseInsensitive) == 0;
}

// Splits "key=value"; false for a line without "=".
bool splitKey(const QByteArray &line, QByteArray *key, QByteArray *value)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return false;
    *key = trimmed(line.left(eq));
    *value = trimmed(line.mid(eq + 1));
    return true;
}

} // namespace

IniFile::IniFile(const QString &path) : m_path(path) { load(); }

void IniFile::load()
{
    m_lines.clear();
    // Only a regular file is read: a FIFO would block the start for ever, a device never end.
    QFile file(m_path);
    if (!QFileInfo(m_path).isFile() || !file.open(QIODevice::ReadOnly))
        return;
    const QByteArray all = file.readAll();
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0)
            end = all.size();
        QByteArray line = all.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        m_lines.append(line);
        start = end + 1;
    }
}

QString IniFile::readString(const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    bool inSection = false;
    for (const QByteArray &whole : m_lines) {
        const bool cut = whole.size() > MaxParsedLine;
        const QByteArray line = cut ? whole.left(MaxParsedLine) : whole;
        const QByteArray name = sectionName(line);
        if (!name.isNull()) {
            if (inSection)
                break; // the first section of that name is the one that counts
            inSection = sameName(name, section);
            continue;
        }
        if (!inSection)
            continue;
        QByteArray k, v;
        if (!splitKey(line, &k, &v) || !sameName(k, key))
            continue;
        if (cut) {
            // The closing quote, if any, lies beyond the part looked at.
            const QByteArray end = trimmed(whole.right(16));
            if (!v.isEmpty() && (v.front() == '"' || v.front() == '\'') && !end.isEmpty() &&
                end.back() == v.front())
                v = v.mid(1);
        } else if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') &&
                   v.back() == v.front()) {
            v = v.mid(1, v.size() - 2);
        }
        return cp1251::decode(v.left(MaxValueLength));
    }
    return defaultValue;
}

std::optional<int> IniFile::parseInteger(const QString &input)
{
    QString text = input.trimmed();
    bool negative = false;
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        negative = text.at(0) == QLatin1Char('-');
        text.remove(0, 1);
    }
    int base = 10;
    if (text.startsWith(QLatin1Char('$'))) {
        base = 16;
        text.remove(0, 1);
    } else if (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X"))) {
        base = 16;
        text.remove(0, 2);
    }
    if (text.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (QChar c : text) {
        const int d = c.isDigit() && c.unicode() < 128 ? c.unicode() - '0'
                      : base == 16 && c.toLower() >= QLatin1Char('a') &&
                              c.toLower() <= QLatin1Char('f')
                          ? c.toLower().unicode() - 'a' + 10
                          : -1;
        if (d < 0)
            return std::nullopt;
        value = value * base + d;
        if (value > 0xFFFFFFFFLL)
            return std::nullopt;
    }
    if (base == 10) {
        if (negative)
            value = -value;
        if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
            return std::nullopt;
        return int(value);
    }
    // Hexadecimal text spells the 32 bits of the value: $FFFFFFFF is -1. The sign negates
    // those bits modulo 2^32, so -$80000000 is the smallest int rather than an overflow.
    const quint32 bits = quint32(value);
    return int(negative ? 0u - bits : bits);
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    return parseInteger(readString(section, key)).value_or(defaultValue);
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QByteArray newLine = cp1251::encode(key) + '=' + cp1251::encode(value);
    qsizetype sectionLine = -1;
    qsizetype insertAt = -1;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QByteArray &line = m_lines.at(i);
        if (line.size() > MaxParsedLine)
            continue;
        const QByteArray name = sectionName(line);
        if (!name.isNull()) {
            if (sectionLine >= 0)
                break;
            if (sameName(name, section)) {
                sectionLine = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionLine < 0)
            continue;
        QByteArray k, v;
        if (splitKey(line, &k, &v) && sameName(k, key)) {
            const QByteArray old = m_lines[i];
            m_lines[i] = newLine;
            if (save())
                return true;
            m_lines[i] = old;
            return false;
        }
        if (!trimmed(line).isEmpty())
            insertAt = i + 1;
    }
    const QList<QByteArray> before = m_lines;
    if (sectionLine < 0) {
        if (!m_lines.isEmpty() && !trimmed(m_lines.last()).isEmpty())
            m_lines.append(QByteArray());
        m_lines.append('[' + cp1251::encode(section) + ']');
        m_lines.append(newLine);
    } else {
        m_lines.insert(insertAt, newLine);
    }
    if (save())
        return true;
    m_lines = before;
    return false;
}

bool IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    return writeString(section, key, QString::number(value));
}

bool IniFile::save()
{
    qsizetype size = 0;
    for (const QByteArray &line : m_lines)
        size += line.size() + 2;
    QByteArray all;
    all.reserve(size);
    for (const QByteArray &line : m_lines) {
        all.append(line);
        all.append("\r\n", 2);
    }
    // The settings file lives in the program's own folder: a link there is replaced.
    if (!savefile::replace(m_path, all, &m_error, savefile::Links::Replace))
        return false;
    m_error.clear();
    return true;
}
