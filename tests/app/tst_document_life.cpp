// The page's life beyond the specified commands: recovery copies go when the text is saved or
// given up, the recent list, the bar for changes by other programs, dropped page files.
#include "app_test_main.h"

#include "app/document_life.h"
#include "app/main_window.h"
#include "app/notice_bar.h"
#include "app/recent_pages_menu.h"
#include "app/recovery_keeper.h"
#include "app/spelling_control.h"
#include "editor/highlighting_memo.h"
#include "editor/page_commands.h"
#include "editor/spell_checker.h"
#include "editor/underline_layer.h"
#include "platform/app_paths.h"
#include "platform/recovery_store.h"

#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QWindow>

Q_DECLARE_METATYPE(PageCommands::Answer)

namespace {

void type(TMemo *memo, const QString &text)
{
    memo->moveCursor(QTextCursor::End);
    memo->insertPlainText(text);
}

QStringList &errors()
{
    static QStringList shown;
    return shown;
}
void recordError(const QString &text)
{
    errors() << text;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TstDocumentLife : public QObject
{
    Q_OBJECT

private:
    TForm1 *m_form = nullptr;
    QTemporaryDir m_dir;
    QList<PageCommands::Answer> m_answers;
    QStringList m_questions; // asked by the outside-change bar and the save
    bool m_yes = false;

    DocumentLife *life() const { return m_form->documentLife(); }
    PageCommands *commands() const { return m_form->pageCommands(); }
    QString page(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init()
    {
        m_form = new TForm1;
        m_answers.clear();
        m_questions.clear();
        errors().clear();
        commands()->askSaveChanges = [this](const QString &) {
            return m_answers.isEmpty() ? PageCommands::Answer::Cancel : m_answers.takeFirst();
        };
        life()->confirm = [this](const QString &question, const QString &) {
            m_questions << question;
            return m_yes;
        };
        errordisplay::setHandler(&recordError);
    }

    void cleanup()
    {
        delete m_form;
        errordisplay::setHandler(&apptest::recordUnexpectedError);
    }

    void recoveryCopyGoesWhenTheTextIsSavedOrGivenUp_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("save") << "save";
        QTest::newRow("don't save, then new") << "discard";
        QTest::newRow("clean end") << "end";
        QTest::newRow("don't save, then open a big page") << "discard, big";
    }

    void recoveryCopyGoesWhenTheTextIsSavedOrGivenUp()
    {
        QFETCH(QString, how);
        writeFile(page("a.mv"), "old\r\nline");
        QVERIFY(commands()->openFile(page("a.mv")));
        RecoveryKeeper *keeper = life()->recovery();
        keeper->setPause(0);
        type(m_form->memoGen(), QStringLiteral(" new"));
        const QString copy = keeper->copyPath();
        QVERIFY(!QFileInfo::exists(copy)); // not on the keystroke itself
        // After the pause the text is taken in pieces, then written.
        QTRY_VERIFY(!keeper->isPending());
        const std::optional<recovery::Snapshot> written = recovery::decode(readFile(copy));
        QVERIFY(written);
        QCOMPARE(written->pageText, QStringLiteral("old\nline new"));
        QCoreApplication::processEvents();
        QVERIFY(QFileInfo::exists(copy)); // still unsaved: the copy stays
        // A newer copy still on its way must not outlive the decision below.
        type(m_form->memoGen(), QStringLiteral(" more"));
        keeper->flush();
        if (how == QLatin1String("save")) {
            m_form->action(QStringLiteral("save1"))->trigger();
            QCOMPARE(readFile(page("a.mv")), QByteArray("old\r\nline new more"));
        } else if (how == QLatin1String("discard")) {
            m_answers << PageCommands::Answer::Discard;
            m_form->action(QStringLiteral("new1"))->trigger();
        } else if (how == QLatin1String("discard, big")) {
            // The copy goes at once, not when the new page is whole.
            writeFile(page("big.mv"), QByteArray("^bolder^ line\r\n").repeated(600'000));
            m_answers << PageCommands::Answer::Discard;
            QVERIFY(commands()->openFile(page("big.mv")));
            TMemo *memo = m_form->memoGen();
            while (QFileInfo::exists(copy) && memo->isLoading())
                QCoreApplication::processEvents();
            QVERIFY(memo->isLoading());
        } else {
            delete m_form;
            m_form = new TForm1;
            keeper = life()->recovery();
        }
        keeper->waitForWrite();
        QVERIFY(!QFileInfo::exists(copy));
    }

    void recoveryCopyThatCannotBeWrittenIsToldOnce()
    {
        RecoveryKeeper *keeper = life()->recovery();
        QVERIFY(QDir().mkpath(keeper->copyPath())); // a folder in the copy's place
        type(m_form->memoGen(), QStringLiteral("unsaved"));
        for (int i = 0; i < 2; ++i) {
            keeper->flush();
            keeper->waitForWrite();
        }
        QCOMPARE(errors().size(), 1);
        QVERIFY(errors().first().contains(keeper->copyPath()));
        QDir(keeper->copyPath()).removeRecursively();

        // A data folder that cannot be made: told too, once.
        writeFile(page("not a folder"), "x");
        RecoveryKeeper off(m_form->memoGen(), nullptr, {}, page("not a folder") + "/recovery");
        off.flush();
        off.flush();
        QCOMPARE(errors().size(), 2);
        QVERIFY(errors().last().contains(QStringLiteral("not a folder")));
    }

    void recoveredTextComesBackUnsavedAndDiscardGivesItUp()
    {
        writeFile(page("r.mv"), "as saved");
        // A copy as an instance that died left it: its lock names a process that is gone.
        const QString folder = recovery::Store::defaultFolder();
        QDir().mkpath(folder);
        writeFile(folder + QStringLiteral("/2147480001-1.recovery"),
                  recovery::encode({true, page("r.mv"), "as typed", true, "message text"}));
        writeFile(folder + QStringLiteral("/2147480001-1.lock"),
                  "2147480001\n" + QCoreApplication::applicationName().toUtf8() + "\n" +
                      QSysInfo::machineHostName().toUtf8() + "\n");

        QVERIFY(life()->recoverUnsavedText());
        TMemo *pageText = m_form->memoGen();
        QCOMPARE(pageText->text(), QStringLiteral("as typed"));
        QVERIFY(pageText->document()->isModified());
        QCOMPARE(commands()->pageFileName(), page("r.mv"));
        QCOMPARE(m_form->memo2()->text(), QStringLiteral("message text"));
        QVERIFY(m_form->memo2()->document()->isModified());
        QVERIFY(life()->recoveryBar()->isVisibleTo(m_form));
        QVERIFY(QFileInfo::exists(life()->recovery()->copyPath()));
        QVERIFY(!life()->recoverUnsavedText()); // taken once only

        life()->recoveryBar()->button(QStringLiteral("DiscardRecovered"))->click();
        QCOMPARE(pageText->text(), QStringLiteral("as saved"));
        QVERIFY(!pageText->document()->isModified());
        QCOMPARE(m_form->memo2()->text(), QString());
        QVERIFY(!life()->recoveryBar()->isVisibleTo(m_form));
        life()->recovery()->waitForWrite();
        QVERIFY(!QFileInfo::exists(life()->recovery()->copyPath()));
    }

    void recentPagesNewestFirstAndMissingOnesGoWithAMessage()
    {
        RecentPagesMenu *recent = life()->recentPages();
        recent->clear();
        for (const char *name : {"1.mv", "2.mv", "3.mv"}) {
            writeFile(page(name), "x");
            QVERIFY(commands()->openFile(page(name)));
        }
        QCOMPARE(recent->pages(), (QStringList{page("3.mv"), page("2.mv"), page("1.mv")}));
        emit recent->menu()->aboutToShow();
        QAction *oldest = recent->menu()->findChild<QAction *>(QStringLiteral("RecentPage3"));
        QVERIFY(oldest && oldest->text().endsWith(QStringLiteral("1.mv")));
        oldest->trigger(); // opening moves it in front
        QCOMPARE(commands()->pageFileName(), page("1.mv"));
        QCOMPARE(recent->pages().first(), page("1.mv"));

        QFile::remove(page("2.mv"));
        emit recent->menu()->aboutToShow();
        recent->menu()->findChild<QAction *>(QStringLiteral("RecentPage3"))->trigger();
        QCOMPARE(errors().size(), 1);
        QVERIFY(errors().first().contains(page("2.mv")));
        QCOMPARE(recent->pages(), (QStringList{page("1.mv"), page("3.mv")}));
        QCOMPARE(commands()->pageFileName(), page("1.mv"));
        // Stored beside the settings file, not in it.
        QVERIFY(readFile(apppaths::recentPagesFile()).contains(page("3.mv").toUtf8()));
        QVERIFY(!readFile(apppaths::settingsFile()).contains("3.mv"));
        m_form->action(QStringLiteral("ClearRecent1"))->trigger();
        QCOMPARE(recent->pages(), QStringList());
    }

    void barTellsOfChangesByOtherPrograms_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("reloadOffered");
        QTest::newRow("changed") << "change" << true;
        QTest::newRow("replaced") << "replace" << true;
        QTest::newRow("deleted") << "delete" << false;
    }

    void barTellsOfChangesByOtherPrograms()
    {
        QFETCH(QString, change);
        QFETCH(bool, reloadOffered);
        m_form->show();
        writeFile(page("w.mv"), "first");
        QVERIFY(commands()->openFile(page("w.mv")));
        NoticeBar *bar = life()->outsideBar();
        // The program's own save is not a change from outside.
        type(m_form->memoGen(), QStringLiteral(" mine"));
        QVERIFY(commands()->savePage(m_form->memoGen()));
        // What the watcher's report of that write leads to, without waiting for the report.
        QCoreApplication::processEvents();
        life()->outsideChanges()->check();
        QVERIFY(!bar->isVisible());

        if (change == QLatin1String("change")) {
            writeFile(page("w.mv"), "theirs");
        } else if (change == QLatin1String("replace")) {
            writeFile(page("other"), "theirs");
            QFile::remove(page("w.mv"));
            QVERIFY(QFile::rename(page("other"), page("w.mv")));
        } else {
            QFile::remove(page("w.mv"));
        }
        QTRY_VERIFY(bar->isVisible());
        QVERIFY(bar->text().contains(QStringLiteral("w.mv")));
        QCOMPARE(bar->button(QStringLiteral("ReloadPage"))->isVisibleTo(bar), reloadOffered);
        if (!reloadOffered)
            return;

        // Reload with unsaved text asks first; "no" keeps the text.
        type(m_form->memoGen(), QStringLiteral(" more"));
        m_yes = false;
        bar->button(QStringLiteral("ReloadPage"))->click();
        QCOMPARE(m_questions.size(), 1);
        QCOMPARE(m_form->memoGen()->text(), QStringLiteral("first mine more"));
        // Keep, then save: the save asks before it overwrites their version.
        bar->button(QStringLiteral("KeepPage"))->click();
        QVERIFY(!bar->isVisible());
        QVERIFY(!commands()->savePage(m_form->memoGen()));
        QCOMPARE(m_questions.size(), 2);
        QCOMPARE(readFile(page("w.mv")), QByteArray("theirs"));
        m_yes = true;
        QVERIFY(commands()->savePage(m_form->memoGen()));
        QCOMPARE(readFile(page("w.mv")), QByteArray("first mine more"));
        // Their next change is told again, and reloading takes it.
        writeFile(page("w.mv"), "theirs again");
        QTRY_VERIFY(bar->isVisible());
        bar->button(QStringLiteral("ReloadPage"))->click();
        QCOMPARE(m_form->memoGen()->text(), QStringLiteral("theirs again"));
        QVERIFY(!m_form->memoGen()->document()->isModified());
    }

    void theSameBytesWrittenAgainAreNoChange()
    {
        m_form->show();
        writeFile(page("lf.mv"), "one\ntwo\n"); // LF only: the text area's CR LF differs
        QVERIFY(commands()->openFile(page("lf.mv")));
        writeFile(page("lf.mv"), "one\ntwo\n");
        QFile file(page("lf.mv"));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
        file.close();
        life()->outsideChanges()->check();
        QVERIFY(!life()->outsideBar()->isVisible());
    }

    void spellingSwitchIsKeptBesideTheSettingsAndMissingDictionariesTurnItOff()
    {
        SpellingControl *spelling = m_form->spelling();
        QAction *item = m_form->action(QStringLiteral("Spelling1"));
        // After the specified items of the Установки menu.
        QCOMPARE(m_form->findChild<QMenu *>(QStringLiteral("settings1"))->actions().last(), item);
        item->setChecked(false);
        item->trigger(); // on
        QVERIFY(item->isChecked());
        m_form->memoGen()->setText(QStringLiteral("Превет ^bolder^ world"));
        spelling->pageChecker()->checkPendingNow();
        QCOMPARE(spelling->pageChecker()->layer()->count(UnderlineLayer::Spelling), 1);
        if (qEnvironmentVariableIsSet("RR_SHOT")) {
            m_form->show();
            QTest::qWait(200);
            m_form->grab().save(QStringLiteral("/tmp/i16_spelling.png"));
        }
        item->trigger(); // off
        QCOMPARE(spelling->pageChecker()->layer()->count(UnderlineLayer::Spelling), 0);
        QVERIFY(readFile(apppaths::additionsFile()).contains("On=false"));
        m_form->writeSettings();
        QVERIFY(!readFile(apppaths::settingsFile()).contains("pell"));

        // Without dictionaries the switch cannot be on, and the status bar says why.
        delete m_form;
        m_form = new TForm1;
        const QString saved = SpellingControl::dictionaryFolder();
        SpellingControl::dictionaryFolder() = m_dir.filePath(QStringLiteral("none"));
        m_form->spelling()->setEnabled(true);
        SpellingControl::dictionaryFolder() = saved;
        QVERIFY(!m_form->action(QStringLiteral("Spelling1"))->isChecked());
        QVERIFY(m_form->statusBar1()->currentMessage().contains(QStringLiteral("en_US")));
    }

    void droppedPageFilesOpenAndDroppedTextIsInserted()
    {
        m_form->show();
        writeFile(page("d.mv"), "dropped\r\npage");
        type(m_form->memoGen(), QStringLiteral("unsaved"));
        // As the window system delivers a drop: enter, then drop, at a point of the text area.
        QWindow *window = m_form->windowHandle();
        const QPointF at = m_form->memoGen()->viewport()->mapTo(m_form, QPoint(20, 10));
        const auto drop = [window, at](QMimeData *data) {
            QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton,
                                  Qt::NoModifier);
            QCoreApplication::sendEvent(window, &enter);
            QDropEvent event(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(window, &event);
            QCoreApplication::processEvents();
        };

        QMimeData file;
        file.setUrls({QUrl::fromLocalFile(page("d.mv"))});
        m_answers << PageCommands::Answer::Cancel; // the unsaved-text question stops it
        drop(&file);
        QCOMPARE(m_form->memoGen()->text(), QStringLiteral("unsaved"));
        m_answers << PageCommands::Answer::Discard;
        drop(&file);
        QCOMPARE(m_form->memoGen()->text(), QStringLiteral("dropped\npage"));
        QCOMPARE(commands()->pageFileName(), page("d.mv"));

        // A picture is not a page: it is not opened (a Save would write text over it).
        writeFile(page("p.png"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        QMimeData picture;
        picture.setUrls({QUrl::fromLocalFile(page("p.png"))});
        QVERIFY(DocumentLife::droppedPage(&picture).isEmpty());
        drop(&picture);
        QCOMPARE(commands()->pageFileName(), page("d.mv"));
        QVERIFY(!m_form->memoGen()->text().contains(QStringLiteral("PNG")));

        QMimeData text;
        text.setText(QStringLiteral("plain "));
        m_form->memoGen()->moveCursor(QTextCursor::Start);
        drop(&text);
        QVERIFY(m_form->memoGen()->text().contains(QStringLiteral("plain ")));
    }
};

RR_APP_TEST_MAIN(TstDocumentLife)
#include "tst_document_life.moc"
