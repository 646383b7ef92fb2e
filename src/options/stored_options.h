// The options kept from one run to the next in the user's settings store.
#pragma once

#include <QString>

#include <optional>

// The values of the store, with the defaults of a store that holds nothing.
struct StoredOptions
{
    QString login;
    QString password;
    bool loadImages = true;
    bool refreshBrowser = false;
    std::optional<QString> language; // nothing stored, as opposed to a stored empty name
};

namespace storedoptions {

inline constexpr const char *Organization = "MV RiviRazare";
inline constexpr const char *Application = "Options";

// A switch is stored as "1" or "0". Text that is no whole number gives the default; any number
// other than 0 is on.
bool parseSwitch(const QString &text, bool defaultValue);

// Missing values, and a store that cannot be read, give the defaults.
StoredOptions read();

// Writes L, P, Images, RefreshBrowser and Current in this order; the store is readable by its
// owner only, since it holds the password. Stops at the first value that cannot be written
// and returns its name ("Program/P"); nothing when all were written.
std::optional<QString> write(const StoredOptions &options);

// The file that holds the store.
QString fileName();

} // namespace storedoptions
