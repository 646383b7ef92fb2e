// Start-up: the splash sequence, the windows it creates and the main window's first state.
#include "app_test_main.h"

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/startup.h"
#include "browser/html_view.h"
#include "editor/finish_window.h"
#include "editor/highlighting_memo.h"
#include "editor/page_commands.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTimer>
#include <QWebEngineProfile>

#include <sys/stat.h>

class TstStartup : public QObject
{
    Q_OBJECT

private slots:
    void splashShowsEveryStepThenTheMainWindowStartsOnTheEditor()
    {
        TSplashF splash;
        const startup::Windows windows = startup::createWindows(splash);
        TForm1 *form = windows.mainWindow;
        QVERIFY(form);

        QList<int> progress;
        QStringList statuses;
        for (const TSplashF::State &state : splash.history()) {
            if (!progress.isEmpty() && progress.last() == state.progress)
                continue;
            progress << state.progress;
            statuses << state.status;
        }
        QCOMPARE(progress, (QList<int>{1, 5, 35, 40, 45, 50, 55, 60, 70, 80, 90, 99}));
        QCOMPARE(statuses.first(), QStringLiteral("Инициализация..."));
        for (int i = 1; i < statuses.size() - 1; ++i)
            QCOMPARE(statuses.at(i), QStringLiteral("Загрузка..."));
        QCOMPARE(statuses.last(), QStringLiteral("Запуск..."));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Mirvale Rivi Razare"));

        QCOMPARE(form->windowTitle(), QStringLiteral("Без имени.mv - Mirvale Rivi Razare"));
        QCOMPARE(form->statusPanel(0)->text(), QStringLiteral("Без имени.mv"));
        QCOMPARE(form->statusPanel(1)->text(), QStringLiteral("1"));
        QCOMPARE(form->statusPanel(2)->text(), QStringLiteral("0"));
        QCOMPARE(form->statusPanel(3)->text(), QString());
        QCOMPARE(form->pageControl()->currentWidget(), form->editorPage());
        QCOMPARE(form->activeMemo(), form->memoGen());
        QVERIFY(!form->pageControl()->isTabVisible(0));
        auto *keywords = form->findChild<QListWidget *>(QStringLiteral("KeywordList"));
        QVERIFY(keywords && keywords->isHidden());
        QCOMPARE(keywords->count(), 37);

        // The About window and the conversion result window belong to the main window.
        QVERIFY(windows.about);
        QCOMPARE(windows.about->parent(), form);
        QCOMPARE(form->pageCommands()->finishWindow()->parent(), form);
        bool aboutShown = false;
        QTimer::singleShot(0, windows.about, [&] {
            aboutShown = windows.about->isVisible();
            windows.about->reject();
        });
        form->action(QStringLiteral("about1"))->trigger();
        QVERIFY(aboutShown);
        delete form;
    }

    void commandLinePageThatCannotBeOpenedIsReported_data()
    {
        QTest::addColumn<QString>("name"); // in a fresh folder
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing.mv"
                                 << "none";
        QTest::newRow("folder") << "folder.mv"
                                << "folder";
        QTest::newRow("FIFO") << "fifo.mv"
                              << "fifo";
        QTest::newRow("readable page") << "page.mv"
                                       << "page";
    }

    void commandLinePageThatCannotBeOpenedIsReported()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("page")) {
            QFile page(path);
            QVERIFY(page.open(QIODevice::WriteOnly));
            page.write("^bolder^page");
        }
        static QStringList errors;
        errors.clear();
        errordisplay::setHandler([](const QString &text) { errors << text; });
        TForm1 form;
        startup::openCommandLinePage(&form, {QStringLiteral("rivirazare"), path});
        errordisplay::setHandler(&apptest::recordUnexpectedError);
        if (kind == QLatin1String("page")) {
            QVERIFY(errors.isEmpty());
            QCOMPARE(form.memoGen()->text(), QStringLiteral("^bolder^page"));
            QCOMPARE(form.pageFileName(), path);
            return;
        }
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().startsWith(QStringLiteral("Cannot open file \"%1\".").arg(path)),
                 qPrintable(errors.first()));
        QCOMPARE(form.pageFileName(), QStringLiteral("Без имени.mv"));
        QVERIFY(form.memoGen()->text().isEmpty());
    }

    // With the default options nothing shows a web page at start, so no web engine starts;
    // the Message tab starts its preview's engine when it is first shown.
    void noWebEngineUntilAPageIsShown()
    {
        TSplashF splash;
        const startup::Windows windows = startup::createWindows(splash);
        TForm1 *form = windows.mainWindow;
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QTest::qWait(100);
        const QList<HtmlView *> views = form->findChildren<HtmlView *>();
        QVERIFY(views.size() >= 3); // site browser, message preview, the dialogs' previews
        for (const HtmlView *view : views)
            QVERIFY2(!view->webView(), qPrintable(view->objectName()));
        QVERIFY(qApp->findChildren<QWebEngineProfile *>().isEmpty());

        form->pageControl()->setCurrentWidget(
            form->findChild<QWidget *>(QStringLiteral("TabSheet4")));
        auto *preview = form->findChild<HtmlView *>(QStringLiteral("EmbeddedWB1"));
        QTRY_VERIFY(preview->webView());
        QVERIFY(!form->findChild<HtmlView *>(QStringLiteral("WebBrowser1"))->webView());
        delete form;
    }

    void everyWindowHasAStepWithItsProgress()
    {
        QStringList names;
        for (const startup::Step &step : startup::steps())
            names << QString::fromLatin1(step.name);
        const QStringList windows = {QStringLiteral("TForm1"),       QStringLiteral("THelpTagF"),
                                     QStringLiteral("TLinkF"),       QStringLiteral("TImageF"),
                                     QStringLiteral("TImageWidthF"), QStringLiteral("TImageLinkF"),
                                     QStringLiteral("TRunLineF"),    QStringLiteral("TAboutF"),
                                     QStringLiteral("TFinishF"),     QStringLiteral("TFormatF"),
                                     QStringLiteral("TNickF"),       QStringLiteral("TOptionsF")};
        qsizetype last = -1;
        for (const QString &window : windows) {
            const qsizetype at = names.indexOf(window);
            QVERIFY2(at > last, qPrintable(window));
            last = at;
        }
    }
};

RR_APP_TEST_MAIN(TstStartup)
#include "tst_startup.moc"
