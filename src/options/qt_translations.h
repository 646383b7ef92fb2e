// Qt's own texts (file and colour dialogs, edit-field menus) in the language of the interface.
#pragma once

#include <QLocale>
#include <QString>

namespace qttranslations {

// The language a language file is for, told by its file name ("Russian.lng", "english.lng"):
// the language whose English name is the base name, compared without case. AnyLanguage when
// the name is no language Qt knows.
QLocale::Language languageOfFile(const QString &languageFile);

// Replaces the translation of Qt's own texts by the one for the language of this language
// file. Without a matching translation Qt's built-in English texts are used. Returns whether
// a translation is now in use.
bool follow(const QString &languageFile);

} // namespace qttranslations
