#include "platform/recovery_store.h"

#include "platform/page_file.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QStandardPaths>

#include <atomic>

namespace recovery {

namespace {

const QString CopySuffix = QStringLiteral(".recovery");
const QString LockSuffix = QStringLiteral(".lock");

} // namespace

QByteArray encode(const Snapshot &snapshot)
{
    QJsonObject root;
    if (snapshot.hasPage) {
        root.insert(QStringLiteral("pageFile"), snapshot.pageFileName);
        root.insert(QStringLiteral("page"), snapshot.pageText);
    }
    if (snapshot.hasMessage)
        root.insert(QStringLiteral("message"), snapshot.messageText);
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<Snapshot> decode(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject root = document.object();
    Snapshot snapshot;
    if (root.value(QStringLiteral("page")).isString()) {
        snapshot.hasPage = true;
        snapshot.pageText = root.value(QStringLiteral("page")).toString();
        snapshot.pageFileName = root.value(QStringLiteral("pageFile")).toString();
    }
    if (root.value(QStringLiteral("message")).isString()) {
        snapshot.hasMessage = true;
        snapshot.messageText = root.value(QStringLiteral("message")).toString();
    }
    return snapshot;
}

Store::Store(const QString &folder) : m_folder(folder.isEmpty() ? defaultFolder() : folder)
{
    // The process id names the copy; the time keeps two instances apart that get the same id
    // one after the other (a restart in a fresh container). Within one process the number
    // only grows, so two stores made in the same millisecond do not share a lock.
    static std::atomic<qint64> last{0};
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    qint64 seen = last.load();
    qint64 stamp = 0;
    do
        stamp = qMax(now, seen + 1);
    while (!last.compare_exchange_weak(seen, stamp));
    m_id = QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(stamp);
}

Store::~Store() = default;

QString Store::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

QString Store::copyPath() const
{
    return m_folder + QLatin1Char('/') + m_id + CopySuffix;
}

bool Store::open(QString *error)
{
    if (m_lock)
        return true;
    if (!QDir().mkpath(m_folder)) {
        if (error)
            *error = QStringLiteral("Cannot create folder \"%1\"").arg(m_folder);
        return false;
    }
    auto lock = std::make_unique<QLockFile>(m_folder + QLatin1Char('/') + m_id + LockSuffix);
    // Held for the whole run: only a dead owner makes a lock stale, never its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (error)
            *error = QStringLiteral("Cannot lock \"%1\"").arg(m_folder);
        return false;
    }
    m_lock = std::move(lock);
    return true;
}

std::optional<Snapshot> Store::adoptOrphan()
{
    if (!m_lock)
        return std::nullopt;
    const QFileInfoList copies =
        QDir(m_folder).entryInfoList({QStringLiteral("*") + CopySuffix}, QDir::Files, QDir::Time);
    for (const QFileInfo &copy : copies) {
        const QString id = copy.completeBaseName();
        if (id == m_id)
            continue;
        QLockFile owner(m_folder + QLatin1Char('/') + id + LockSuffix);
        owner.setStaleLockTime(0);
        // A live owner holds its lock; a dead one left a stale lock, which tryLock clears.
        if (!owner.tryLock(0))
            continue;
        QFile file(copy.absoluteFilePath());
        std::optional<Snapshot> snapshot;
        if (file.open(QIODevice::ReadOnly))
            snapshot = decode(file.readAll());
        file.close();
        if (!snapshot || snapshot->isEmpty()) {
            QFile::remove(copy.absoluteFilePath()); // unreadable or empty: nothing to give back
            owner.unlock();
            continue;
        }
        // A rename keeps exactly one copy of the text at every moment.
        QFile::remove(copyPath());
        if (!QFile::rename(copy.absoluteFilePath(), copyPath())) {
            owner.unlock();
            continue;
        }
        owner.unlock();
        return snapshot;
    }
    removeStaleLocks();
    return std::nullopt;
}

void Store::removeStaleLocks()
{
    const QStringList locks =
        QDir(m_folder).entryList({QStringLiteral("*") + LockSuffix}, QDir::Files);
    for (const QString &name : locks) {
        const QString id = name.chopped(LockSuffix.size());
        if (id == m_id || QFileInfo::exists(m_folder + QLatin1Char('/') + id + CopySuffix))
            continue;
        QLockFile owner(m_folder + QLatin1Char('/') + name);
        owner.setStaleLockTime(0);
        if (owner.tryLock(0))
            owner.unlock(); // removes the file a dead instance left without a copy
    }
}

bool Store::write(const Snapshot &snapshot, QString *error)
{
    if (snapshot.isEmpty()) {
        remove();
        return true;
    }
    QString reason;
    const bool written = pagefile::write(copyPath(), encode(snapshot), &reason, savefile::Links::Replace);
    if (!written && error)
        *error = reason;
    return written;
}

void Store::remove()
{
    QFile::remove(copyPath());
}

void Store::close()
{
    remove();
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
}

} // namespace recovery
