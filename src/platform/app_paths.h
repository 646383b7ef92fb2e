// Where the program keeps its files: the settings folder tree and the per-user cache.
#pragma once

#include <QString>
#include <QStringList>

namespace apppaths {

// The five folders created at every start, parents first.
QStringList programFolders();
// Creates each folder of programFolders() that is missing, one level at a time; failures are
// passed over silently.
void createProgramFolders();

QString settingsFolder();
QString settingsFile(); // .../Settings/Settings.ini
// Files of the program's additions, beside the settings file: never in Settings.ini.
QString recentPagesFile(); // .../Settings/RecentPages.txt
QString additionsFile();   // .../Settings/Additions.ini (switches of the additions)

// Per-user cache folder for the preview files; created on demand.
QString cacheFolder();
QString messagePreviewFile(); // Temp.html
QString nickPreviewFile();    // mvnick.tmp

// The folder "Language": beside the program file, else ../share/rivirazare/Language.
QString languageFolder();

} // namespace apppaths
