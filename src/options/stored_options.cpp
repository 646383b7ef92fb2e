#include "options/stored_options.h"

#include "platform/ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace storedoptions {

namespace {

QSettings openStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(Organization),
                     QLatin1String(Application));
}

// The store's keys, read and written under the same names.
namespace key {
const QString Login = QStringLiteral("Program/L");
const QString Password = QStringLiteral("Program/P");
const QString Images = QStringLiteral("Program/Images");
const QString RefreshBrowser = QStringLiteral("Program/RefreshBrowser");
const QString Language = QStringLiteral("Language/Current");
} // namespace key

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Made before anything is written into it, so the password never lies in a file that others
// may read; the settings store keeps the permissions of the file it replaces.
void prepareOwnerOnlyFile(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Append))
            file.close();
    }
    QFile::setPermissions(path, OwnerOnly);
}

QString onOff(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

bool parseSwitch(const QString &text, bool defaultValue)
{
    const std::optional<int> number = IniFile::parseInteger(text);
    return number ? *number != 0 : defaultValue;
}

StoredOptions read()
{
    const QSettings store = openStore();
    // A store left readable by others (by an older version, or by hand) holds the password:
    // it is closed up now, not only at the next write at exit.
    if (QFileInfo(store.fileName()).isFile())
        QFile::setPermissions(store.fileName(), OwnerOnly);
    StoredOptions options;
    options.login = store.value(key::Login).toString();
    options.password = store.value(key::Password).toString();
    options.loadImages = parseSwitch(store.value(key::Images).toString(), options.loadImages);
    options.refreshBrowser =
        parseSwitch(store.value(key::RefreshBrowser).toString(), options.refreshBrowser);
    if (store.contains(key::Language))
        options.language = store.value(key::Language).toString();
    return options;
}

namespace {

// Writes the values one at a time, so a failure names the value that was not written; gives
// that name and the store's status then.
std::pair<std::optional<QString>, QSettings::Status> writeValues(const StoredOptions &options)
{
    QSettings store = openStore();
    prepareOwnerOnlyFile(store.fileName());
    const std::pair<QString, QString> values[] = {
        {key::Login, options.login},
        {key::Password, options.password},
        {key::Images, onOff(options.loadImages)},
        {key::RefreshBrowser, onOff(options.refreshBrowser)},
        {key::Language, options.language.value_or(QString())},
    };
    for (const auto &[name, value] : values) {
        store.setValue(name, value);
        store.sync();
        if (store.status() != QSettings::NoError || !store.isWritable())
            return {name, store.status()};
    }
    QFile::setPermissions(store.fileName(), OwnerOnly);
    return {std::nullopt, QSettings::NoError};
}

} // namespace

std::optional<QString> write(const StoredOptions &options)
{
    auto [failed, status] = writeValues(options);
    if (failed && status == QSettings::FormatError) {
        // The settings store will not write over a file it cannot parse, so a damaged store
        // (random bytes, a cut line) would refuse every write from then on. What it held could
        // not be read at start either: the options now shown replace it.
        QFile::remove(fileName());
        failed = writeValues(options).first;
    }
    return failed;
}

QString fileName()
{
    return openStore().fileName();
}

} // namespace storedoptions
