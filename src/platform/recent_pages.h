// The list of recent pages: newest first, each path once, at most ten; kept in a UTF-8 file of
// its own beside the settings file, one path a line.
#pragma once

#include <QString>
#include <QStringList>

namespace recentpages {

constexpr int Limit = 10;

// The list with `path` moved (or put) in front, trimmed to `limit`.
QStringList added(QStringList list, const QString &path, int limit = Limit);

QStringList load(const QString &file);
bool save(const QString &file, const QStringList &list, QString *error = nullptr);

} // namespace recentpages
