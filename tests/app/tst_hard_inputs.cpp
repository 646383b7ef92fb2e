// Hard inputs: a huge page, a binary file, broken settings, stored options and language files,
// and folders that cannot be written. The program keeps every byte, starts with its defaults
// and goes on.
#include "app_test_main.h"

#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/startup.h"
#include "browser/message_tab.h"
#include "editor/highlighting_memo.h"
#include "editor/page_commands.h"
#include "options/options_dialog.h"
#include "options/stored_options.h"
#include "platform/app_paths.h"
#include "platform/codepage.h"
#include "platform/error_display.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>

#include <memory>

#include <sys/stat.h>

namespace {

QStringList g_errors;
void recordError(const QString &text)
{
    g_errors << text;
}

// Replaces the error box for one test and puts the shared recorder back afterwards.
struct ErrorCapture
{
    ErrorCapture()
    {
        g_errors.clear();
        errordisplay::setHandler(&recordError);
    }
    ~ErrorCapture() { errordisplay::setHandler(&apptest::recordUnexpectedError); }
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The same bytes on every run, so that a failure can be repeated.
QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes)
        b = char(generator.bounded(256));
    return bytes;
}

// About a million lines of tagged text in code page 1251, CR LF after each line: a 50 MB page.
QByteArray hugePage()
{
    const QByteArray head = cp1251::encode(QStringLiteral("^bolder^Строка "));
    const QByteArray tail =
        cp1251::encode(QStringLiteral("^br^^url^http://mv.example^ссылка^\r\n"));
    QByteArray page;
    page.reserve(51'000'000);
    for (int i = 0; page.size() < 50'000'000; ++i)
        page += head + QByteArray::number(i) + tail;
    return page;
}

// Every byte value except CR and LF, which stand only as the CR LF pair: lone ones are
// normalised on opening by rule.
QByteArray everyByte(bool reversed)
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i) {
        const int b = reversed ? 255 - i : i;
        if (b != '\r' && b != '\n')
            bytes.append(char(b));
    }
    return bytes;
}

// The language folder as the program sees it, and a name in it that leads to `path`: the
// shipped folder is shared with other tests, so what a test plants there has a name of this
// run's own and is gone when the test ends.
struct PlantedLanguage
{
    QString name;
    explicit PlantedLanguage(const QString &kind)
        : name(kind + QString::number(QCoreApplication::applicationPid()) + QStringLiteral(".lng"))
    {}
    QString path() const { return apppaths::languageFolder() + QLatin1Char('/') + name; }
    ~PlantedLanguage()
    {
        if (QFileInfo(path()).isDir())
            QDir().rmdir(path());
        else
            QFile::remove(path());
    }
};

void writeStoredLanguage(const QString &name)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope,
                    QLatin1String(storedoptions::Organization),
                    QLatin1String(storedoptions::Application));
    store.setValue(QStringLiteral("Language/Current"), name);
}

QString programRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Corvel SoftWare");
}

// Forgets everything an earlier start left behind: settings, stored options, previews.
void freshUser()
{
    QDir(programRoot()).removeRecursively();
    QFile::remove(storedoptions::fileName());
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (QFileInfo(cache).isDir())
        QDir(cache).removeRecursively();
    else
        QFile::remove(cache);
}

// How long `action` keeps the window from answering: the action, the repaint it causes and
// the events it leaves behind.
template <typename Action> qint64 blockingTime(TMemo *memo, Action action)
{
    QElapsedTimer clock;
    clock.start();
    action();
    memo->viewport()->repaint();
    QCoreApplication::processEvents();
    return clock.elapsed();
}

} // namespace

class TstHardInputs : public QObject
{
    Q_OBJECT

private slots:
    void init() { freshUser(); }

    void cleanup()
    {
        QVERIFY2(apptest::unexpectedErrors().isEmpty(),
                 qPrintable(apptest::unexpectedErrors().join(QLatin1Char('\n'))));
    }

    // --- Pages ---------------------------------------------------------------------------------

    void hugePageOpensScrollsAndSavesWithoutAFreeze()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("huge.mv"));
        const QByteArray original = hugePage();
        QVERIFY(writeFile(path, original));

        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TMemo *memo = form.memoGen();
        QVERIFY(PageCommands::wordWrap(memo)); // the harder case: displayed lines are counted
        PageCommands *commands = form.pageCommands();

        // The first screen comes at once and the rest arrives in idle steps; the steps below
        // may take no longer than the whole arrival.
        bool opened = false;
        QElapsedTimer arrival;
        arrival.start();
        const qint64 firstScreenMs =
            blockingTime(memo, [&] { opened = commands->openFile(path); });
        QVERIFY(opened);
        QCOMPARE(form.pageFileName(), path);
        QTRY_VERIFY_WITH_TIMEOUT(!memo->isLoading(), 60000);
        const qint64 openMs = arrival.elapsed();
        qInfo("open: first screen %lld ms, whole %lld ms", firstScreenMs, openMs);
        QVERIFY(!memo->document()->isModified());

        QScrollBar *bar = memo->verticalScrollBar();
        const std::pair<const char *, std::function<void()>> steps[] = {
            {"caret to the end", [&] { QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier); }},
            {"page up", [&] { QTest::keyClick(memo, Qt::Key_PageUp); }},
            {"type at the end", [&] { QTest::keyClick(memo, Qt::Key_X); }},
            {"undo", [&] { QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier); }},
            {"caret to the start",
             [&] { QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier); }},
            {"page down", [&] { QTest::keyClick(memo, Qt::Key_PageDown); }},
            {"scroll bar to the end", [&] { bar->setValue(bar->maximum()); }},
            {"scroll bar to the middle", [&] { bar->setValue(bar->maximum() / 2); }},
            {"scroll bar to the start", [&] { bar->setValue(bar->minimum()); }},
            {"a page down with the bar",
             [&] { bar->triggerAction(QAbstractSlider::SliderPageStepAdd); }},
            {"narrower window", [&] { form.resize(form.width() - 100, form.height()); }},
            {"save", [&] { commands->save1Click(); }},
        };
        for (const auto &[name, action] : steps) {
            const qint64 ms = blockingTime(memo, action);
            qInfo("%s: %lld ms", name, ms);
            QVERIFY2(ms <= openMs, qPrintable(QStringLiteral("%1 blocked for %2 ms, the open %3 ms")
                                                  .arg(QLatin1String(name))
                                                  .arg(ms)
                                                  .arg(openMs)));
        }
        QVERIFY(readFile(path) == original);

        // The exact caret line is found in idle slices; none of them holds the window long.
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        qint64 longest = 0;
        QElapsedTimer idle;
        idle.start();
        while (idle.elapsed() < 2000)
            longest = qMax(longest, blockingTime(memo, [] {}));
        qInfo("longest idle slice: %lld ms; report %s", longest,
              qPrintable(form.statusPanel(1)->text()));
        QVERIFY(longest <= openMs);
    }

    void binaryFileSavesBackByteIdentical_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray all = everyByte(false);
        QTest::newRow("every byte value") << all;
        QTest::newRow("every byte value, lines") << all + "\r\n" + everyByte(true) + "\r\n" + all;
        QTest::newRow("NUL bytes only") << QByteArray(4096, '\0');
        QTest::newRow("NUL lines") << QByteArray("\0\r\n\0\0\r\n\r\n\0", 10);
        QTest::newRow("closing line break") << all + "\r\n";
        QTest::newRow("empty lines around") << "\r\n\r\n" + all + "\r\n\r\n";
        QByteArray mixed;
        for (int i = 0; i < 64; ++i)
            mixed += randomBytes(300, quint32(i)).replace('\r', '\0').replace('\n', '\0') + "\r\n";
        QTest::newRow("random lines") << mixed;
    }

    void binaryFileSavesBackByteIdentical()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("binary.mv"));
        const QString copy = folder.filePath(QStringLiteral("copy.mv"));
        QVERIFY(writeFile(path, bytes));

        TForm1 form;
        PageCommands *commands = form.pageCommands();
        QVERIFY(commands->openFile(path));
        commands->save1Click();
        QCOMPARE(readFile(path), bytes);
        // Save as goes through the same text: the copy holds the same bytes.
        commands->chooseFile = [&](PageCommands::FileChoice, const QString &) { return copy; };
        commands->saveas1Click();
        QCOMPARE(readFile(copy), bytes);
        QCOMPARE(form.pageFileName(), copy);
    }

    // --- Broken files at start -----------------------------------------------------------------

    void brokenSettingsFileStartsWithDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<bool>("wordWrap");
        const QPoint home(371, 328);
        QTest::newRow("random bytes") << randomBytes(4096, 1) << home << true;
        QTest::newRow("random bytes with sections")
            << QByteArray("[Position]\r\n") + randomBytes(2000, 2) + "\r\n[Settings]\r\n" +
                   randomBytes(2000, 3)
            << home << true;
        QTest::newRow("NUL bytes") << QByteArray(1000, '\0') << home << true;
        QTest::newRow("cut in a section name") << QByteArray("[Posi") << home << true;
        QTest::newRow("cut in a key")
            << QByteArray("[Position]\r\nLeft=40\r\nTop=50\r\n[Settings]\r\nWordWr")
            << QPoint(40, 50) << true;
        QTest::newRow("cut after the equals sign")
            << QByteArray("[Settings]\r\nWordWrap=0\r\nFont=") << home << false;
        QTest::newRow("cut in a Cyrillic font name")
            << QByteArray("[Settings]\r\nFont=\xc0\xe1") << home << true;
    }

    void brokenSettingsFileStartsWithDefaults()
    {
        QFETCH(QByteArray, content);
        QFETCH(QPoint, place);
        QFETCH(bool, wordWrap);
        QVERIFY(writeFile(apppaths::settingsFile(), content));

        TSplashF splash;
        const startup::Windows windows = startup::createWindows(splash);
        TForm1 *form = windows.mainWindow;
        QVERIFY(form);
        form->show();
        QCOMPARE(form->pos(), place);
        QCOMPARE(form->size(), QSize(535, 368));
        QCOMPARE(PageCommands::wordWrap(form->memoGen()), wordWrap);
        QVERIFY(!form->memoGen()->isReadOnly());
        QVERIFY(form->statusBar1()->isVisible());
        QVERIFY(form->memoGen()->font().pointSize() > 0);
        QCOMPARE(form->windowTitle(), QStringLiteral("Без имени.mv - Mirvale Rivi Razare"));
        QTest::keyClicks(form->memoGen(), QStringLiteral("^bolder^"));
        QCOMPARE(form->memoGen()->text(), QStringLiteral("^bolder^"));
        delete form;
        // The exit writes a sound file in place of the broken one.
        const QByteArray written = readFile(apppaths::settingsFile());
        QVERIFY2(written.contains("[Position]") && written.contains("WordWrap="), written);
    }

    void brokenStoredOptionsStartWithDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("login");
        QTest::newRow("random bytes") << randomBytes(4096, 4) << QString();
        QTest::newRow("NUL bytes") << QByteArray(512, '\0') << QString();
        QTest::newRow("cut in a group name") << QByteArray("[Prog") << QString();
        QTest::newRow("cut in a key")
            << QByteArray("[Program]\nL=member\nP=secret\nImag") << QStringLiteral("member");
        QTest::newRow("cut in a quoted value")
            << QByteArray("[Program]\nL=\"mem") << QStringLiteral("mem");
    }

    void brokenStoredOptionsStartWithDefaults()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, login);
        QVERIFY(writeFile(storedoptions::fileName(), content));

        ErrorCapture errors;
        TSplashF splash;
        const startup::Windows windows = startup::createWindows(splash);
        QVERIFY(windows.mainWindow && windows.options);
        TOptionsF *options = windows.options;
        QCOMPARE(options->findChild<QLineEdit *>(QStringLiteral("Edit1"))->text(), login);
        QVERIFY(options->findChild<QCheckBox *>(QStringLiteral("CheckBox1"))->isChecked());
        QVERIFY(!options->findChild<QCheckBox *>(QStringLiteral("CheckBox2"))->isChecked());
        QCOMPARE(options->findChild<QComboBox *>(QStringLiteral("ComboBox1"))->currentText(),
                 QStringLiteral("Russian.lng"));
        QCOMPARE(windows.mainWindow->action(QStringLiteral("new1"))->text(),
                 QStringLiteral("Создать страницу"));
        delete windows.mainWindow;
        QVERIFY2(g_errors.isEmpty(), qPrintable(g_errors.join(QLatin1Char('\n'))));
        // The exit leaves a store the next start reads.
        const StoredOptions stored = storedoptions::read();
        QCOMPARE(stored.login, login);
        QCOMPARE(stored.language, std::optional<QString>(QStringLiteral("Russian.lng")));
    }

    void brokenLanguageFileStartsTheProgram_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("newPage"); // the text of Файл > Создать страницу
        const QByteArray english = readFile(apppaths::languageFolder() + "/English.lng");
        QVERIFY(!english.isEmpty());
        QTest::newRow("random bytes") << randomBytes(8192, 5) << QString();
        QTest::newRow("NUL bytes") << QByteArray(8192, '\0') << QString();
        const qsizetype cut = english.indexOf("Nick=");
        QVERIFY(cut > 0);
        QTest::newRow("cut mid-line") << english.left(cut + 3) << QStringLiteral("New page");
        QTest::newRow("cut in a section name")
            << english.left(english.indexOf("[General]") + 4) << QString();
    }

    void brokenLanguageFileStartsTheProgram()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, newPage);
        const PlantedLanguage broken(QStringLiteral("Broken"));
        QVERIFY(writeFile(broken.path(), content));
        writeStoredLanguage(broken.name);

        TSplashF splash;
        const startup::Windows windows = startup::createWindows(splash);
        TForm1 *form = windows.mainWindow;
        QVERIFY(form);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        // A key the file does not give leaves no text or a built-in one; never garbage.
        QCOMPARE(form->action(QStringLiteral("new1"))->text(), newPage);
        QCOMPARE(form->windowTitle(), QStringLiteral("Без имени.mv - Mirvale Rivi Razare"));
        QTest::keyClicks(form->memoGen(), QStringLiteral("text"));
        QCOMPARE(form->memoGen()->text(), QStringLiteral("text"));
        delete form;
    }

    void hostileLanguageNameStartsWithBuiltInTexts_data()
    {
        QTest::addColumn<QString>("name"); // %1: a name planted in the language folder
        QTest::addColumn<QString>("plant");
        QTest::newRow("a path out of the folder")
            << QStringLiteral("../../../../../../../../../../dev/zero") << QString();
        QTest::newRow("an absolute path") << QStringLiteral("/dev/zero") << QString();
        QTest::newRow("a FIFO") << QStringLiteral("%1") << QStringLiteral("fifo");
        QTest::newRow("a file of 17 MB") << QStringLiteral("%1") << QStringLiteral("huge");
        QTest::newRow("a folder") << QStringLiteral("%1") << QStringLiteral("folder");
    }

    void hostileLanguageNameStartsWithBuiltInTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, plant);
        const PlantedLanguage planted(plant.isEmpty() ? QStringLiteral("none") : plant);
        if (plant == QLatin1String("fifo")) {
            QCOMPARE(mkfifo(QFile::encodeName(planted.path()).constData(), 0600), 0);
        } else if (plant == QLatin1String("huge")) {
            QFile huge(planted.path());
            QVERIFY(huge.open(QIODevice::WriteOnly));
            QVERIFY(huge.write("[General]\r\nNew=Huge\r\n") > 0);
            QVERIFY(huge.resize(17 * 1024 * 1024));
        } else if (plant == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(planted.path()));
        }
        writeStoredLanguage(QString(name).replace(QStringLiteral("%1"), planted.name));

        ErrorCapture errors;
        TSplashF splash;
        const startup::Windows windows = startup::createWindows(splash);
        std::unique_ptr<TForm1> form(windows.mainWindow);
        QVERIFY(form);
        // As with a missing language file: no message, the built-in texts.
        QVERIFY2(g_errors.isEmpty(), qPrintable(g_errors.join(QLatin1Char('\n'))));
        QCOMPARE(form->action(QStringLiteral("new1"))->text(), QString());
        QCOMPARE(form->windowTitle(), QStringLiteral("Без имени.mv - Mirvale Rivi Razare"));
    }

    // --- Folders that cannot be written --------------------------------------------------------

    void settingsFolderThatIsAFileIsReportedAtExit()
    {
        // A file stands where the settings folder should be; as root a permission would not stop
        // the writes, a file does.
        QVERIFY(QDir().mkpath(QFileInfo(apppaths::settingsFolder()).absolutePath()));
        QVERIFY(writeFile(apppaths::settingsFolder(), "not a folder"));

        ErrorCapture errors;
        TSplashF splash;
        const startup::Windows windows = startup::createWindows(splash);
        TForm1 *form = windows.mainWindow;
        QVERIFY(form);
        form->show();
        QCOMPARE(form->pos(), QPoint(371, 328));
        QVERIFY(g_errors.isEmpty());
        QTest::keyClicks(form->memoGen(), QStringLiteral("goes on"));
        QCOMPARE(form->memoGen()->text(), QStringLiteral("goes on"));
        form->writeSettings();
        QCOMPARE(
            g_errors,
            QStringList{QStringLiteral("Unable to write to %1.").arg(apppaths::settingsFile())});
        // The program still answers after the message.
        QTest::keyClicks(form->memoGen(), QStringLiteral("!"));
        QCOMPARE(form->memoGen()->text(), QStringLiteral("goes on!"));
        delete form;
        QCOMPARE(readFile(apppaths::settingsFolder()), QByteArray("not a folder"));
    }

    void cacheFolderThatIsAFileIsReportedWhenTyping()
    {
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        QVERIFY(writeFile(cache, "not a folder"));

        ErrorCapture errors;
        TSplashF splash;
        const startup::Windows windows = startup::createWindows(splash);
        TForm1 *form = windows.mainWindow;
        QVERIFY(form);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QVERIFY2(g_errors.isEmpty(), qPrintable(g_errors.join(QLatin1Char('\n'))));

        form->pageControl()->setCurrentWidget(form->messagePage());
        QTest::keyClick(form->memo2(), Qt::Key_A);
        QCOMPARE(g_errors.size(), 1);
        const QString preview = form->messageTab()->previewFile();
        QVERIFY2(
            g_errors.first().startsWith(QStringLiteral("Cannot create file \"%1\"").arg(preview)),
            qPrintable(g_errors.first()));
        QCOMPARE(form->memo2()->text(), QStringLiteral("a"));

        // The program goes on: the page is edited and saved as ever.
        form->pageControl()->setCurrentWidget(form->editorPage());
        QTest::keyClicks(form->memoGen(), QStringLiteral("page"));
        QTemporaryDir folder;
        const QString page = folder.filePath(QStringLiteral("page.mv"));
        form->pageCommands()->chooseFile = [&](PageCommands::FileChoice, const QString &) {
            return page;
        };
        form->pageCommands()->save1Click();
        QCOMPARE(readFile(page), QByteArray("page"));
        QCOMPARE(g_errors.size(), 1);
        delete form;
        QCOMPARE(readFile(cache), QByteArray("not a folder"));
    }
};

RR_APP_TEST_MAIN(TstHardInputs)
#include "tst_hard_inputs.moc"
