// The program's folders: the settings tree created parent first, preview files in the cache.
#include "platform/app_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAppPaths : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void foldersInOrder();
    void createdAndCreatedAgain();
    void previewFilesInCache();
};

void TestAppPaths::initTestCase()
{
    // The test-mode locations are below ~/.qttest; start each run from nothing.
    const QString root = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QVERIFY(root.contains(u"qttest"_s));
    QDir(root + u"/Corvel SoftWare"_s).removeRecursively();
}

void TestAppPaths::foldersInOrder()
{
    const QString root = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString program = root + u"/Corvel SoftWare/Programs/Mirvale Rivi Razare"_s;
    const QStringList expected = {root + u"/Corvel SoftWare"_s,
                                  root + u"/Corvel SoftWare/Programs"_s, program,
                                  program + u"/Settings"_s, program + u"/Temp"_s};
    QCOMPARE(apppaths::programFolders(), expected);
    QCOMPARE(apppaths::settingsFolder(), program + u"/Settings"_s);
    QCOMPARE(apppaths::settingsFile(), program + u"/Settings/Settings.ini"_s);
}

void TestAppPaths::createdAndCreatedAgain()
{
    apppaths::createProgramFolders();
    for (const QString &folder : apppaths::programFolders())
        QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
    // A second start finds everything present and changes nothing.
    apppaths::createProgramFolders();
    for (const QString &folder : apppaths::programFolders())
        QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(QDir(apppaths::programFolders().at(4)).isEmpty());
}

void TestAppPaths::previewFilesInCache()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QCOMPARE(apppaths::messagePreviewFile(), cache + u"/Temp.html"_s);
    QCOMPARE(apppaths::nickPreviewFile(), cache + u"/mvnick.tmp"_s);
    QVERIFY(QFileInfo(cache).isDir());
    QVERIFY(!apppaths::messagePreviewFile().startsWith(u"/tmp/"_s));
}

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    TestAppPaths test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_app_paths.moc"
