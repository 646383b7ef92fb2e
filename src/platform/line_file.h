// Small UTF-8 files of one entry a line in the program's own folders: the recent pages and
// the personal word list.
#pragma once

#include <QString>
#include <QStringList>

namespace linefile {

// The non-empty lines of a regular file, without their line ends; none when it cannot be
// read. Anything but a regular file counts as missing: a FIFO or device planted in its place
// must not hang the program.
QStringList read(const QString &path);
// Writes the lines, each ended by LF, replacing the file (and a link planted in its place);
// on failure *error is the "Cannot create file" message.
bool write(const QString &path, const QStringList &lines, QString *error = nullptr);

} // namespace linefile
