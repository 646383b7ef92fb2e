#include "app/outside_changes.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray hashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// Empty when the file cannot be read.
QByteArray hashOfFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

} // namespace

OutsideChanges::OutsideChanges(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(300);
    connect(&m_settle, &QTimer::timeout, this, &OutsideChanges::check);
    const auto settle = [this] { m_settle.start(); };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, settle);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, settle);
}

void OutsideChanges::follow(const QString &path, const QByteArray &bytes)
{
    if (path != m_path)
        stop();
    m_path = path;
    m_hash = hashOf(bytes);
    const QFileInfo info(path);
    m_size = info.size();
    m_modified = info.lastModified();
    m_seenHash.clear();
    m_state = Kind::None;
    watchAgain();
}

void OutsideChanges::stop()
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_settle.stop();
    m_path.clear();
    m_state = Kind::None;
}

void OutsideChanges::watchAgain()
{
    if (m_path.isEmpty())
        return;
    // A file replaced by renaming another over it is a new file: the watch goes with the old
    // one. The folder is watched too, so that a file deleted and made again is noticed.
    if (QFileInfo::exists(m_path) && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!m_watcher.directories().contains(folder))
        m_watcher.addPath(folder);
}

bool OutsideChanges::differsOnDisk() const
{
    if (m_path.isEmpty() || !QFileInfo::exists(m_path))
        return false;
    return hashOfFile(m_path) != m_hash;
}

void OutsideChanges::check()
{
    if (m_path.isEmpty())
        return;
    watchAgain();
    const QFileInfo info(m_path);
    if (!info.exists()) {
        if (m_state != Kind::Deleted) {
            m_state = Kind::Deleted;
            m_seenHash.clear();
            emit changedOutside(m_state);
        }
        return;
    }
    // Another file of the folder changed, or the program's own save: nothing new here.
    if (m_state == Kind::None && info.size() == m_size && info.lastModified() == m_modified)
        return;
    const QByteArray hash = hashOfFile(m_path);
    if (hash == m_hash) {
        m_size = info.size();
        m_modified = info.lastModified();
        if (m_state != Kind::None) {
            m_state = Kind::None; // put back as it was: nothing left to decide
            emit changedOutside(m_state);
        }
        return;
    }
    if (m_state == Kind::Changed && hash == m_seenHash)
        return;
    m_seenHash = hash;
    m_state = Kind::Changed;
    emit changedOutside(m_state);
}
