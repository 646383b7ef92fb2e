// The settings file: folders, defaults, the values that drive the window, and the write at exit.
#include "app_test_main.h"

#include "app/main_window.h"
#include "browser/message_tab.h"
#include "editor/highlighting_memo.h"
#include "editor/page_commands.h"
#include "platform/app_paths.h"
#include "platform/error_display.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

namespace {

QStringList g_errors;
void recordError(const QString &text)
{
    g_errors << text;
}

QString makerRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Corvel SoftWare");
}

void writeSettingsFile(const QByteArray &content)
{
    QDir().mkpath(apppaths::settingsFolder());
    QFile file(apppaths::settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readSettingsFile()
{
    QFile file(apppaths::settingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file and folder below the maker's folder, with its modification time.
QStringList snapshot()
{
    QStringList entries;
    QDirIterator it(makerRoot(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        entries << it.filePath() + QLatin1Char(' ') +
                       it.fileInfo().lastModified().toString(Qt::ISODateWithMs);
    }
    entries.sort();
    return entries;
}

} // namespace

class TstSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QDir(makerRoot()).removeRecursively();
        g_errors.clear();
        errordisplay::setHandler(&recordError);
    }

    void cleanup() { errordisplay::setHandler(&apptest::recordUnexpectedError); }

    void firstStartUsesTheDefaultsAndExitWritesAllTenKeys()
    {
        {
            TForm1 form;
            QCOMPARE(form.pos(), QPoint(371, 328));
            QCOMPARE(form.size(), QSize(535, 368));
            QVERIFY(form.action(QStringLiteral("WordWrap1"))->isChecked());
            QVERIFY(PageCommands::wordWrap(form.memoGen()));
            QVERIFY(form.action(QStringLiteral("visstbar1"))->isChecked());
            QVERIFY(!form.statusBar1()->isHidden());
            QVERIFY(form.action(QStringLiteral("browser1"))->isChecked());
            QVERIFY(!form.pageControl()->tabBar()->isHidden());
            QVERIFY(!form.action(QStringLiteral("readonly1"))->isChecked());
            QVERIFY(!form.memoGen()->isReadOnly());
            QCOMPARE(form.memoGen()->font().family(), QStringLiteral("Lucida Console"));
            QCOMPARE(form.memoGen()->font().pointSize(), 10);
            for (const QString &folder : apppaths::programFolders())
                QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
            QVERIFY(!QFile::exists(apppaths::settingsFile()));
        }
        QStringList lines;
        for (const QByteArray &line : readSettingsFile().split('\n')) {
            const QByteArray trimmed = line.trimmed();
            if (!trimmed.isEmpty())
                lines << QString::fromLatin1(trimmed).remove(QLatin1Char(' '));
        }
        QCOMPARE(lines, (QStringList{"[Position]", "Left=371", "Width=535", "Top=328", "Height=368",
                                     "[Settings]", "Read_Only=0", "StatusBar=1", "WordWrap=1",
                                     "Browser=1", "Font=LucidaConsole", "Size=10"}));
        QVERIFY(g_errors.isEmpty());
    }

    void storedValuesDriveTheWindow_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("statusBar");
        QTest::addColumn<bool>("wordWrap");
        QTest::addColumn<bool>("browser");
        const QPoint home(371, 328);
        const QSize size(535, 368);
        QTest::newRow("status bar off") << QByteArray("[Settings]\nStatusBar=0\n") << home << size
                                        << false << false << true << true;
        QTest::newRow("word wrap off") << QByteArray("[Settings]\nWordWrap=0\n") << home << size
                                       << false << true << false << true;
        QTest::newRow("tab row off") << QByteArray("[settings]\nbrowser=0\n") << home << size
                                     << false << true << true << false;
        QTest::newRow("read-only on") << QByteArray("[Settings]\nRead_Only=1\n") << home << size
                                      << true << true << true << true;
        QTest::newRow("any non-zero switch is on") << QByteArray("[Settings]\nRead_Only=7\n")
                                                   << home << size << true << true << true << true;
        QTest::newRow("width not a number")
            << QByteArray("[Position]\nLeft=10\nTop=20\nWidth=abc\nHeight=400\n") << QPoint(10, 20)
            << QSize(535, 400) << false << true << true << true;
        QTest::newRow("hexadecimal") << QByteArray("[Position]\nLeft=$20\nTop=0x10\n")
                                     << QPoint(32, 16) << size << false << true << true << true;
        QTest::newRow("off every screen")
            << QByteArray("[Position]\nLeft=-9000\nTop=-9000\nWidth=600\nHeight=500\n") << home
            << size << false << true << true << true;
    }

    void storedValuesDriveTheWindow()
    {
        QFETCH(QByteArray, file);
        QFETCH(QPoint, place);
        QFETCH(QSize, size);
        QFETCH(bool, readOnly);
        QFETCH(bool, statusBar);
        QFETCH(bool, wordWrap);
        QFETCH(bool, browser);
        writeSettingsFile(file);
        TForm1 form;
        QCOMPARE(form.pos(), place);
        QCOMPARE(form.size(), size);
        QCOMPARE(form.action(QStringLiteral("readonly1"))->isChecked(), readOnly);
        QCOMPARE(form.memoGen()->isReadOnly(), readOnly);
        QCOMPARE(form.action(QStringLiteral("visstbar1"))->isChecked(), statusBar);
        QCOMPARE(form.statusBar1()->isHidden(), !statusBar);
        QCOMPARE(form.action(QStringLiteral("WordWrap1"))->isChecked(), wordWrap);
        QCOMPARE(PageCommands::wordWrap(form.memoGen()), wordWrap);
        QCOMPARE(form.memoGen()->horizontalScrollBarPolicy(),
                 wordWrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
        QCOMPARE(form.action(QStringLiteral("browser1"))->isChecked(), browser);
        QCOMPARE(form.pageControl()->tabBar()->isHidden(), !browser);
        QCOMPARE(form.pageControl()->currentWidget(), form.editorPage());
    }

    // The test screen is 800 by 800 pixels.
    void hostilePlaceOpensReachableAndIsWrittenBack_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QRect>("place");
        QTest::newRow("larger than the screen")
            << QByteArray("[Position]\nLeft=0\nTop=0\nWidth=100000\nHeight=100000\n")
            << QRect(0, 0, 800, 800);
        QTest::newRow("largest left")
            << QByteArray("[Position]\nLeft=2147483647\nTop=2147483647\nWidth=2147483647\n"
                          "Height=2147483647\n")
            << QRect(371, 328, 535, 368);
        QTest::newRow("smallest left")
            << QByteArray("[Position]\nLeft=-$80000000\nTop=10\nWidth=2147483647\n")
            << QRect(371, 328, 535, 368);
        QTest::newRow("wider than the screen from the far left")
            << QByteArray("[Position]\nLeft=-2147483000\nTop=10\nWidth=2147483647\n")
            << QRect(-700, 10, 800, 368);
        QTest::newRow("a corner on the screen")
            << QByteArray("[Position]\nLeft=795\nTop=795\nWidth=535\nHeight=368\n")
            << QRect(700, 750, 535, 368);
        QTest::newRow("title bar above the screen")
            << QByteArray("[Position]\nLeft=-500\nTop=-300\nWidth=535\nHeight=368\n")
            << QRect(-435, 0, 535, 368);
        QTest::newRow("no size") << QByteArray("[Position]\nLeft=10\nTop=20\nWidth=0\nHeight=-5\n")
                                 << QRect(10, 20, 535, 368);
    }

    void hostilePlaceOpensReachableAndIsWrittenBack()
    {
        QFETCH(QByteArray, file);
        QFETCH(QRect, place);
        writeSettingsFile(file);
        {
            TForm1 form;
            QCOMPARE(QRect(form.pos(), form.size()), place);
        }
        const QByteArray written = readSettingsFile();
        for (const auto &[key, value] : {std::pair{"Left=", place.x()},
                                         {"Top=", place.y()},
                                         {"Width=", place.width()},
                                         {"Height=", place.height()}})
            QVERIFY2(written.contains(key + QByteArray::number(value)), written.constData());
    }

    void statusBarItemShowsTheHiddenBar()
    {
        writeSettingsFile("[Settings]\nStatusBar=0\n");
        TForm1 form;
        form.show();
        QVERIFY(!form.statusBar1()->isVisible());
        form.action(QStringLiteral("visstbar1"))->trigger();
        QVERIFY(form.statusBar1()->isVisible());
        QVERIFY(form.action(QStringLiteral("visstbar1"))->isChecked());
    }

    void fontComesFromTheFile()
    {
        writeSettingsFile("[Settings]\nFont=DejaVu Serif\nSize=14\n");
        TForm1 form;
        QCOMPARE(form.memoGen()->font().family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(form.memoGen()->font().pointSize(), 14);
        QVERIFY(!form.memoGen()->font().bold());
    }

    void exitOnTheMessagePageStoresTheMessageFont()
    {
        {
            TForm1 form;
            form.memo2()->setFont(QFont(QStringLiteral("DejaVu Sans"), 13));
            form.pageControl()->setCurrentWidget(form.messagePage());
        }
        QVERIFY(readSettingsFile().contains("Font=DejaVu Sans"));
        QVERIFY(readSettingsFile().contains("Size=13"));
        TForm1 next;
        QCOMPARE(next.memoGen()->font().family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(next.memoGen()->font().pointSize(), 13);
    }

    void writeFailureIsReported()
    {
        // A file where the settings folder should be: no value can be written below it.
        QDir().mkpath(makerRoot() + QStringLiteral("/Programs/Mirvale Rivi Razare"));
        QFile blocker(apppaths::settingsFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        TForm1 form;
        QVERIFY(g_errors.isEmpty());
        form.writeSettings();
        QCOMPARE(
            g_errors,
            QStringList{QStringLiteral("Unable to write to %1.").arg(apppaths::settingsFile())});
    }

    void secondStartCreatesNothing()
    {
        {
            TForm1 first;
        }
        const QStringList before = snapshot();
        QVERIFY(!before.isEmpty());
        {
            TForm1 second;
            QCOMPARE(snapshot(), before);
        }
        QVERIFY(g_errors.isEmpty());
    }
};

RR_APP_TEST_MAIN(TstSettingsFile)
#include "tst_settings_file.moc"
