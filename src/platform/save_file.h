// Replacing a file atomically: the whole new content or, on any failure, the old file untouched.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace savefile {

// Writes the bytes to a temporary file beside the path and renames it over the path. On
// failure the old file stays as it was, no temporary file is left, and *reason says why.
bool replace(const QString &path, QByteArrayView bytes, QString *reason);

} // namespace savefile
