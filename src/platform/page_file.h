// Reading and writing page files: code page 1251 bytes with CR LF between lines.
#pragma once

#include "platform/save_file.h"

#include <QByteArray>
#include <QString>

namespace pagefile {

// Every lone CR and every lone LF becomes CR LF; CR LF pairs stay.
QByteArray normalizeLineBreaks(const QByteArray &bytes);

// Reads the whole file with its line breaks normalised. On failure returns false and sets
// *error to "Cannot open file "<path>". <reason>".
bool read(const QString &path, QByteArray *bytes, QString *error);
// The same, with the bytes as they are on the disk (toText takes every kind of line break).
bool readRaw(const QString &path, QByteArray *bytes, QString *error);

// Writes the bytes unchanged, atomically: on failure the old file stays as it was and *error is
// "Cannot create file "<path>". <reason>".
bool write(const QString &path, const QByteArray &bytes, QString *error,
           savefile::Links links = savefile::Links::Follow);

// The text of a text area as page-file bytes (line breaks as CR LF) and back.
QByteArray fromText(const QString &text);
QString toText(const QByteArray &bytes);

} // namespace pagefile
