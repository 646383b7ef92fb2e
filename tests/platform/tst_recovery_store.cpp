// Recovery copies: a copy round-trips, and only a dead instance's copy is ever taken over.
#include "platform/recent_pages.h"
#include "platform/recovery_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using recovery::Snapshot;
using recovery::Store;

class TstRecoveryStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // A copy as an instance with process id `pid` would have left it, with its lock.
    void leaveCopy(qint64 pid, const Snapshot &snapshot)
    {
        const QString base = m_dir.path() + QStringLiteral("/%1-1").arg(pid);
        QFile copy(base + QStringLiteral(".recovery"));
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write(recovery::encode(snapshot));
        QFile lock(base + QStringLiteral(".lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        // The lock file's own layout: process id, program name, host name.
        lock.write(QByteArray::number(pid) + '\n' + QCoreApplication::applicationName().toUtf8() +
                   '\n' + QSysInfo::machineHostName().toUtf8() + '\n');
    }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void copyKeepsEveryText_data()
    {
        QTest::addColumn<Snapshot>("snapshot");
        QTest::newRow("page with name") << Snapshot{true, "/p/a.mv", "a\nб ^br^", false, {}};
        QTest::newRow("untitled page and message") << Snapshot{true, {}, "x", true, "ё\n"};
        QTest::newRow("message only") << Snapshot{false, {}, {}, true, ""};
    }

    void copyKeepsEveryText()
    {
        QFETCH(Snapshot, snapshot);
        QCOMPARE(recovery::decode(recovery::encode(snapshot)), std::optional(snapshot));
    }

    void onlyCopiesOfDeadInstancesAreTakenOver()
    {
        const Snapshot text{true, "/p/a.mv", "unsaved", false, {}};
        Store live(m_dir.path());
        QVERIFY(live.open());
        QVERIFY(live.write(text));

        Store next(m_dir.path());
        QVERIFY(next.open());
        QCOMPARE(next.adoptOrphan(), std::nullopt); // the live instance keeps its copy
        QVERIFY(QFileInfo::exists(live.copyPath()));

        // No process has this id: the instance that left the copy is dead.
        leaveCopy(2147480000, text);
        QCOMPARE(next.adoptOrphan(), std::optional(text));
        QVERIFY(QFileInfo::exists(next.copyPath())); // now this instance's copy
        QCOMPARE(QDir(m_dir.path()).entryList({"2147480000-*"}), QStringList());
        QCOMPARE(next.adoptOrphan(), std::nullopt);

        live.close();
        QVERIFY(!QFileInfo::exists(live.copyPath()));
        QVERIFY(next.write(Snapshot{}));
        QVERIFY(!QFileInfo::exists(next.copyPath()));
    }

    void recentListIsNewestFirstWithoutRepeatsAndTrimmed_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("new in front")
            << QStringList{"/a", "/b"} << "/c" << QStringList{"/c", "/a", "/b"};
        QTest::newRow("again moves to front")
            << QStringList{"/a", "/b", "/c"} << "/c" << QStringList{"/c", "/a", "/b"};
        QStringList ten;
        for (int i = 0; i < 10; ++i)
            ten << QStringLiteral("/%1").arg(i);
        QStringList trimmed = QStringList{"/new"} + ten.mid(0, 9);
        QTest::newRow("eleventh drops the oldest") << ten << "/new" << trimmed;
    }

    void recentListIsNewestFirstWithoutRepeatsAndTrimmed()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, opened);
        QFETCH(QStringList, after);
        QCOMPARE(recentpages::added(before, opened), after);
        const QString file = m_dir.filePath(QStringLiteral("RecentPages.txt"));
        QVERIFY(recentpages::save(file, after));
        QCOMPARE(recentpages::load(file), after);
    }

    // A link planted in the list's place is replaced, never written through; a FIFO there
    // reads as an empty list instead of hanging the start.
    void recentListFileIsNeverFollowed()
    {
        const QString file = m_dir.filePath(QStringLiteral("Recent.txt"));
        const QString target = m_dir.filePath(QStringLiteral("target.txt"));
        QVERIFY(QFile::link(target, file));
        QVERIFY(recentpages::save(file, {QStringLiteral("/a")}));
        QVERIFY(!QFileInfo(file).isSymLink());
        QVERIFY(!QFileInfo::exists(target));

        const QString fifo = m_dir.filePath(QStringLiteral("fifo.txt"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(recentpages::load(fifo).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstRecoveryStore)
#include "tst_recovery_store.moc"
