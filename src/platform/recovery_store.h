// Recovery copies of unsaved text: one file per running instance in the program's data folder,
// guarded by a lock, so that only copies left by an instance that died are taken over.
#pragma once

#include <QString>

#include <memory>
#include <optional>

class QLockFile;

namespace recovery {

// What one instance had not saved.
struct Snapshot
{
    bool hasPage = false;
    QString pageFileName; // the page's path, or empty for an untitled page
    QString pageText;
    bool hasMessage = false;
    QString messageText;

    bool isEmpty() const { return !hasPage && !hasMessage; }
    bool operator==(const Snapshot &) const = default;
};

QByteArray encode(const Snapshot &snapshot);
std::optional<Snapshot> decode(const QByteArray &bytes);

class Store
{
public:
    // `folder` empty: "recovery" under the per-user data folder (AppDataLocation).
    explicit Store(const QString &folder = QString());
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    // Takes this instance's lock; false (and *error) when the folder cannot be used.
    bool open(QString *error = nullptr);

    // Takes over the newest copy whose owner is no longer running, if any: it becomes this
    // instance's copy and is returned. Copies of live instances are never touched.
    std::optional<Snapshot> adoptOrphan();

    // Writes this instance's copy atomically; an empty snapshot removes it.
    bool write(const Snapshot &snapshot, QString *error = nullptr);
    void remove();
    // Removes the copy and gives up the lock: the instance ends cleanly.
    void close();

    QString folder() const { return m_folder; }
    QString copyPath() const; // this instance's copy
    static QString defaultFolder();

private:
    void removeStaleLocks();

    QString m_folder;
    QString m_id;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace recovery
