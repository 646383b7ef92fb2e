// The work behind one change of the message: its HTML page written to the preview file.
#pragma once

#include <QByteArray>
#include <QString>

namespace messagepreview {

// The preview file's bytes for a message: the text form of the converted page in code page 1251.
QByteArray pageBytes(const QString &message);

// Converts the message and replaces the file with its page. On failure the old file stays as
// it was, *error says why ("Cannot create file ..."), and false is returned.
bool write(const QString &message, const QString &path, QString *error);

} // namespace messagepreview
