// Replacing a file atomically: the whole new content or, on any failure, the old file untouched.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace savefile {

// What happens when the path is a symbolic link: a file the user opened through a link keeps
// the link and updates its target; a file in the program's own folders is replaced, link and
// all, so that a link planted there cannot make the program overwrite some other file.
enum class Links { Follow, Replace };

// Writes the bytes to a temporary file beside the path and renames it over the path. On
// failure the old file stays as it was, no temporary file is left, and *reason says why.
bool replace(const QString &path, QByteArrayView bytes, QString *reason,
             Links links = Links::Follow);

} // namespace savefile
