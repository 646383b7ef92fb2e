// Notices when another program changes, replaces or deletes the open page file. The program's
// own reads and writes are told to it, so they never count as changes from outside.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class OutsideChanges : public QObject
{
    Q_OBJECT
public:
    enum class Kind { None, Changed, Deleted };

    explicit OutsideChanges(QObject *parent = nullptr);

    // The file at `path` now holds `bytes`, as the program itself read or wrote them.
    void follow(const QString &path, const QByteArray &bytes);
    void stop();
    QString path() const { return m_path; }

    // The change from outside not yet resolved by a read or write of the program.
    Kind pending() const { return m_state; }
    // Whether the file now holds something else than the program last read or wrote there.
    bool differsOnDisk() const;
    // Looks at the file now rather than after the watcher's next report.
    void check();

signals:
    void changedOutside(OutsideChanges::Kind kind);

private:
    void watchAgain();

    QFileSystemWatcher m_watcher;
    QTimer m_settle; // a program that writes in steps is looked at once it is done
    QString m_path;
    QByteArray m_hash;
    qint64 m_size = -1;
    QDateTime m_modified;
    QByteArray m_seenHash; // the outside version already reported
    Kind m_state = Kind::None;
};
