// The work behind one change of the message: its HTML page written to the preview file.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace messagepreview {

// The preview file's bytes for a message: the text form of the converted page in code page 1251.
QByteArray pageBytes(const QString &message);

// The same bytes as pageBytes(cp1251::decode(message)), handed to `out` piece by piece, so
// that a message of any size needs memory for one piece of it only. A piece is about
// pieceSize bytes of the message, cut after a line feed.
void writePageBytes(QByteArrayView message, const std::function<void(const QByteArray &)> &out,
                    qsizetype pieceSize = 1 << 20);

// Converts the message and replaces the file with its page. On failure the old file stays as
// it was, *error says why ("Cannot create file ..."), and false is returned.
bool write(const QString &message, const QString &path, QString *error);

} // namespace messagepreview
