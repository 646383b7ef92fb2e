// Scratch: screenshots of every window (not committed).
#include "app/about_window.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/startup.h"
#include "editor/find_replace_dialog.h"
#include "editor/finish_window.h"
#include "editor/highlighting_memo.h"
#include "editor/page_commands.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

static void shot(QWidget *w, const QString &name)
{
    w->grab().save("/tmp/shots_shell/" + name + ".png");
}

int main(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("SPLASHTEST")) {
        TSplashF s;
        s.show();
        s.repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        s.setStatus("Загрузка...");
        s.setProgress(40);
        QGuiApplication::primaryScreen()
            ->grabWindow(0)
            .copy(s.geometry().adjusted(-10, -10, 10, 10))
            .save("/tmp/shots_shell/screen_splash.png");
        return 0;
    }
    if (qEnvironmentVariableIsSet("RUNTEST")) {
        QTimer::singleShot(2500, [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == "TForm1") {
                    qWarning() << "closing" << w->windowTitle() << w->geometry();
                    w->close();
                }
        });
        QTimer::singleShot(300, [] {
            QGuiApplication::primaryScreen()->grabWindow(0).save(
                "/tmp/shots_shell/screen_splash.png");
        });
        QTimer::singleShot(2000, [] {
            QGuiApplication::primaryScreen()->grabWindow(0).save("/tmp/shots_shell/screen.png");
        });
        int rc = startup::run(app);
        qWarning() << "run returned" << rc;
        return rc;
    }
    TSplashF splash;
    splash.show();
    splash.setProgress(45);
    QTest::qWait(50);
    shot(&splash, "splash");
    startup::Windows w = startup::createWindows(splash);
    TForm1 *f = w.mainWindow;
    f->show();
    f->memoGen()->setText(
        QStringLiteral("^bolder^Привет^bolder^ мир\n^center^Строка два^center^\nтри"));
    QTest::qWait(200);
    shot(f, "main_editor");
    f->pageControl()->setCurrentIndex(2);
    QTest::qWait(100);
    shot(f, "main_browser");
    f->pageControl()->setCurrentIndex(3);
    QTest::qWait(100);
    shot(f, "main_message");
    f->pageControl()->setCurrentIndex(1);
    int i = 0;
    for (QAction *a : f->menuBar()->actions()) {
        QMenu *m = a->menu();
        m->popup(QPoint(0, 0));
        QTest::qWait(50);
        shot(m, QString("menu%1_%2").arg(i++).arg(m->objectName()));
        m->hide();
    }
    for (QMenu *m : {f->popupMenuSel(), f->popupMenuUnSel()}) {
        m->popup(QPoint(0, 0));
        QTest::qWait(50);
        shot(m, "popup_" + m->objectName());
        m->hide();
    }
    w.about->show();
    QTest::qWait(50);
    shot(w.about, "about");
    TFinishF *fin = f->pageCommands()->finishWindow();
    fin->setResult("^bolder^Привет^bolder^ мир^center^Строка два^center^три");
    fin->show();
    QTest::qWait(50);
    shot(fin, "finish");
    f->pageCommands()->findDialog()->present();
    QTest::qWait(50);
    shot(f->pageCommands()->findDialog(), "find");
    f->pageCommands()->replaceDialog()->present();
    QTest::qWait(50);
    shot(f->pageCommands()->replaceDialog(), "replace");
    f->resize(400, 300);
    QTest::qWait(50);
    shot(f, "main_small");
    f->pageCommands()->askSaveChanges = [](const QString &) {
        return PageCommands::Answer::Discard;
    };
    delete f;
    return 0;
}
// (scratch end)
