// The language loader: writes the texts of a language file into every window now open.
#pragma once

#include "options/relabel_table.h"

#include <QString>
#include <QStringList>

class QObject;

namespace relabel {

// Runs every step of allSteps() against the language file at path. A file that is missing,
// unreadable or a folder behaves as one in which every key is missing. Places that no open
// window provides are skipped; they are returned (and listed once in debug builds).
QStringList applyLanguageFile(const QString &path);

// The places of allSteps() that no open window provides, changing nothing. Used by tests that
// check the real windows against the table.
QStringList unresolvedPlaces();

// The object a place names: the window itself, or the control inside it; nullptr when absent.
QObject *findPlace(const Place &place);

// Whether the object has the text the place names (the right kind of control, an item in range).
bool fits(const QObject *object, const Place &place);
// Reads or writes the text a place names on an object found by findPlace(); setText returns
// false and textOf gives empty text when the object is null or does not fit.
bool setText(QObject *object, const Place &place, const QString &text);
QString textOf(const QObject *object, const Place &place);

} // namespace relabel
