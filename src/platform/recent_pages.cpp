#include "platform/recent_pages.h"

#include "platform/page_file.h"

#include <QFile>
#include <QFileInfo>

namespace recentpages {

QStringList added(QStringList list, const QString &path, int limit)
{
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > limit)
        list.removeLast();
    return list;
}

QStringList load(const QString &file)
{
    // Only a regular file: a FIFO or device planted in the settings folder must not hang start-up.
    QFile in(file);
    if (!QFileInfo(file).isFile() || !in.open(QIODevice::ReadOnly))
        return {};
    QStringList list;
    const QStringList lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.isEmpty() && !list.contains(line) && list.size() < Limit)
            list.append(line);
    }
    return list;
}

bool save(const QString &file, const QStringList &list, QString *error)
{
    QByteArray bytes;
    for (const QString &path : list)
        bytes += path.toUtf8() + '\n';
    QString reason;
    const bool written = pagefile::write(file, bytes, &reason, savefile::Links::Replace);
    if (!written && error)
        *error = reason;
    return written;
}

} // namespace recentpages
