#include "platform/page_file.h"

#include "platform/codepage.h"
#include "platform/interface_texts.h"
#include "platform/save_file.h"

#include <QFile>
#include <QFileInfo>

namespace pagefile {

QByteArray normalizeLineBreaks(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 16);
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c == '\r') {
            out.append("\r\n", 2);
            if (i + 1 < n && bytes[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out.append("\r\n", 2);
        } else {
            out.append(c);
        }
    }
    return out;
}

static QString openError(const QString &path, const QString &reason)
{
    return interfacetexts::text(interfacetexts::CannotOpenFile).arg(path, reason);
}

bool read(const QString &path, QByteArray *bytes, QString *error)
{
    if (!readRaw(path, bytes, error))
        return false;
    *bytes = normalizeLineBreaks(*bytes);
    return true;
}

bool readRaw(const QString &path, QByteArray *bytes, QString *error)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        *error = openError(path, QStringLiteral("Is a directory"));
        return false;
    }
    // Opening a FIFO blocks until someone writes to it, and a device may never end.
    if (info.exists() && !info.isFile()) {
        *error = openError(path, QStringLiteral("Not a regular file"));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = openError(path, file.errorString());
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = openError(path, file.errorString());
        return false;
    }
    return true;
}

bool write(const QString &path, const QByteArray &bytes, QString *error, savefile::Links links)
{
    QString reason;
    if (!savefile::replace(path, bytes, &reason, links)) {
        *error = interfacetexts::text(interfacetexts::CannotCreateFile).arg(path, reason);
        return false;
    }
    return true;
}

// Line breaks are converted in one pass: QString::replace moves the whole rest of the text once
// per thousand matches, which on a page of a million lines costs seconds.

QByteArray fromText(const QString &text)
{
    // A text area keeps its lines apart with "\n" (QPlainTextEdit's paragraph separator is
    // turned into "\n" by toPlainText); files keep CR LF. A CR LF, a lone CR and a lone LF each
    // become one CR LF.
    QString lines;
    lines.reserve(text.size() + text.size() / 32 + 16);
    const QChar *c = text.constData();
    const QChar *const end = c + text.size();
    while (c != end) {
        const QChar *run = c;
        while (c != end && *c != u'\r' && *c != u'\n')
            ++c;
        lines.append(run, c - run);
        if (c == end)
            break;
        if (*c == u'\r' && c + 1 != end && c[1] == u'\n')
            ++c;
        ++c;
        lines.append(QLatin1String("\r\n"));
    }
    return cp1251::encode(lines);
}

QString toText(const QByteArray &bytes)
{
    // Every line break, CR LF, lone CR or lone LF, becomes one "\n"; the code page keeps both
    // control bytes as they are.
    QByteArray lines(bytes.size(), Qt::Uninitialized);
    char *out = lines.data();
    const char *in = bytes.constData();
    const char *const end = in + bytes.size();
    while (in != end) {
        const char c = *in++;
        if (c == '\r') {
            *out++ = '\n';
            if (in != end && *in == '\n')
                ++in;
        } else {
            *out++ = c;
        }
    }
    lines.truncate(out - lines.constData());
    return cp1251::decode(lines);
}

} // namespace pagefile
