#include "platform/recent_pages.h"

#include "platform/line_file.h"

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
    QStringList list;
    for (const QString &line : linefile::read(file)) {
        if (!list.contains(line) && list.size() < Limit)
            list.append(line);
    }
    return list;
}

bool save(const QString &file, const QStringList &list, QString *error)
{
    return linefile::write(file, list, error);
}

} // namespace recentpages
