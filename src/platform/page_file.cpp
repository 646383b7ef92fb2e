#include "platform/page_file.h"

#include "platform/codepage.h"
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
    return QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason);
}

bool read(const QString &path, QByteArray *bytes, QString *error)
{
    if (QFileInfo(path).isDir()) {
        *error = openError(path, QStringLiteral("Is a directory"));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = openError(path, file.errorString());
        return false;
    }
    const QByteArray raw = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = openError(path, file.errorString());
        return false;
    }
    *bytes = normalizeLineBreaks(raw);
    return true;
}

bool write(const QString &path, const QByteArray &bytes, QString *error)
{
    QString reason;
    if (!savefile::replace(path, bytes, &reason)) {
        *error = QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason);
        return false;
    }
    return true;
}

QByteArray fromText(const QString &text)
{
    QString t = text;
    // A text area keeps its lines apart with "\n" (QPlainTextEdit's paragraph separator is
    // turned into "\n" by toPlainText); files keep CR LF.
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return cp1251::encode(t);
}

QString toText(const QByteArray &bytes)
{
    QString t = cp1251::decode(normalizeLineBreaks(bytes));
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

} // namespace pagefile
