#include "platform/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace apppaths {

namespace {
QString configRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}
QString programFolder()
{
    return configRoot() + QStringLiteral("/Corvel SoftWare/Programs/Mirvale Rivi Razare");
}
} // namespace

QStringList programFolders()
{
    const QString root = configRoot();
    return {root + QStringLiteral("/Corvel SoftWare"),
            root + QStringLiteral("/Corvel SoftWare/Programs"), programFolder(),
            programFolder() + QStringLiteral("/Settings"),
            programFolder() + QStringLiteral("/Temp")};
}

void createProgramFolders()
{
    // The configuration root itself is the desktop's; it is made when missing so the tree
    // below can be created one level at a time.
    QDir().mkpath(configRoot());
    for (const QString &folder : programFolders()) {
        if (!QFileInfo(folder).isDir())
            QDir().mkdir(folder); // failure is passed over: the settings then fall to defaults
    }
}

QString settingsFolder() { return programFolder() + QStringLiteral("/Settings"); }
QString settingsFile() { return settingsFolder() + QStringLiteral("/Settings.ini"); }
QString recentPagesFile() { return settingsFolder() + QStringLiteral("/RecentPages.txt"); }
QString additionsFile() { return settingsFolder() + QStringLiteral("/Additions.ini"); }

QString cacheFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(folder);
    return folder;
}

QString messagePreviewFile() { return cacheFolder() + QStringLiteral("/Temp.html"); }
QString nickPreviewFile() { return cacheFolder() + QStringLiteral("/mvnick.tmp"); }

QString languageFolder()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString beside = programDir + QStringLiteral("/Language");
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed =
        QDir::cleanPath(programDir + QStringLiteral("/../share/rivirazare/Language"));
    if (QFileInfo(installed).isDir())
        return installed;
    return beside;
}

} // namespace apppaths
