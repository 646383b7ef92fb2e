#include "platform/line_file.h"

#include "platform/page_file.h"

#include <QFile>
#include <QFileInfo>

namespace linefile {

QStringList read(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    lines.removeAll(QString());
    return lines;
}

bool write(const QString &path, const QStringList &lines, QString *error)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + '\n';
    QString message;
    if (pagefile::write(path, bytes, &message, savefile::Links::Replace))
        return true;
    if (error)
        *error = message;
    return false;
}

} // namespace linefile
