// The main window: active text area, keyboard routing, context menus, ticks, toolbar, closing.
#include "app_test_main.h"

#include "app/main_window.h"
#include "browser/site_browser_tab.h"
#include "editor/find_replace_dialog.h"
#include "editor/highlighting_memo.h"
#include "editor/page_commands.h"
#include "platform/eliding_label.h"
#include "platform/error_display.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

Q_DECLARE_METATYPE(PageCommands::Answer)

namespace {

void select(TMemo *memo, int from, int to)
{
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
}

// Replaces the text as typing does, so that it counts as changed.
void type(TMemo *memo, const QString &text)
{
    memo->selectAll();
    memo->insertPlainText(text);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TstMainWindow : public QObject
{
    Q_OBJECT

private:
    TForm1 *m_form = nullptr;
    QLineEdit *m_otherControl = nullptr; // stands for the browser's address box
    QTemporaryDir m_dir;
    QStringList m_chosenFiles;
    QStringList m_questions;
    QList<PageCommands::Answer> m_answers;

    void showActive()
    {
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
    }

private slots:
    void init()
    {
        m_form = new TForm1;
        m_otherControl = new QLineEdit(m_form->statusBar1());
        m_otherControl->setObjectName(QStringLiteral("OtherControl"));
        m_chosenFiles.clear();
        m_questions.clear();
        m_answers.clear();
        PageCommands *commands = m_form->pageCommands();
        commands->chooseFile = [this](PageCommands::FileChoice, const QString &) {
            return m_chosenFiles.isEmpty() ? QString() : m_chosenFiles.takeFirst();
        };
        commands->askSaveChanges = [this](const QString &question) {
            m_questions << question;
            return m_answers.isEmpty() ? PageCommands::Answer::Cancel : m_answers.takeFirst();
        };
    }

    void cleanup()
    {
        delete m_form;
        m_form = nullptr;
    }

    void activeTextAreaFollowsThePages_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("message");
        QTest::newRow("browser") << 2 << false;
        QTest::newRow("message") << 3 << true;
        QTest::newRow("editor") << 1 << false;
    }

    void activeTextAreaFollowsThePages()
    {
        QFETCH(int, page);
        QFETCH(bool, message);
        m_form->pageControl()->setCurrentIndex(page);
        QCOMPARE(m_form->activeMemo(), message ? m_form->memo2() : m_form->memoGen());
    }

    void typingLandsInTheTextOfThePageShown()
    {
        // At once after the window first shows, with no click into the text.
        showActive();
        QTRY_COMPARE(QApplication::focusWidget(), m_form->memoGen());
        for (auto [page, memo] : {std::pair{m_form->messagePage(), m_form->memo2()},
                                  std::pair{m_form->editorPage(), m_form->memoGen()}}) {
            m_form->pageControl()->setCurrentWidget(page);
            QTRY_COMPARE(QApplication::focusWidget(), memo);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("typed"));
            QCOMPARE(memo->toPlainText(), QStringLiteral("typed"));
        }
    }

    void menuKeysOnTheMessagePageActOnTheMessage()
    {
        showActive();
        m_form->memoGen()->setText(QStringLiteral("page"));
        m_form->pageControl()->setCurrentWidget(m_form->messagePage());
        m_form->memo2()->setText(QStringLiteral("message"));
        m_form->memo2()->setFocus();
        QTest::keyClick(m_form->memo2(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(m_form->memo2()->selectedText(), QStringLiteral("message"));
        m_chosenFiles << m_dir.filePath(QStringLiteral("message.mv"));
        QTest::keyClick(m_form->memo2(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(readFile(m_dir.filePath(QStringLiteral("message.mv"))), QByteArray("message"));
        QCOMPARE(m_form->windowTitle(), QStringLiteral("message.mv - Mirvale Rivi Razare"));
        QCOMPARE(m_form->statusPanel(0)->text(), m_dir.filePath(QStringLiteral("message.mv")));
    }

    void menuKeysOnTheBrowserPageActOnThePage()
    {
        showActive();
        m_form->memoGen()->setText(QStringLiteral("page text"));
        m_form->pageControl()->setCurrentWidget(m_form->browserPage());
        m_otherControl->setFocus();
        QTest::keyClick(m_otherControl, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(m_form->memoGen()->selectedText(), QStringLiteral("page text"));
        QVERIFY(!m_otherControl->hasSelectedText());
    }

    void copyAndPasteWithTheFocusInAnotherControl()
    {
        showActive();
        m_form->memoGen()->setText(QStringLiteral("page text"));
        select(m_form->memoGen(), 0, 4);
        m_otherControl->setText(QStringLiteral("address"));
        m_otherControl->setFocus();
        m_otherControl->selectAll();
        QVERIFY(m_otherControl->hasFocus());

        QTest::keyClick(m_otherControl, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("page"));

        QApplication::clipboard()->setText(QStringLiteral("clip"));
        QTest::keyClick(m_otherControl, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_otherControl->text(), QStringLiteral("address"));
        QCOMPARE(m_form->memoGen()->text(), QStringLiteral("page text"));

        // The paste button, too, pastes only into the focused text area.
        m_form->findChild<QToolButton *>(QStringLiteral("ToolButton14"))->click();
        QCOMPARE(m_form->memoGen()->text(), QStringLiteral("page text"));
        m_form->memoGen()->setFocus();
        QTest::keyClick(m_form->memoGen(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_form->memoGen()->text(), QStringLiteral("clip text"));
    }

    void altFRunsFindNeverFont()
    {
        showActive();
        int fontDialogs = 0;
        m_form->pageCommands()->chooseFont = [&](const QFont &) -> std::optional<QFont> {
            ++fontDialogs;
            return std::nullopt;
        };
        m_form->memoGen()->setFocus();
        QTest::keyClick(m_form->memoGen(), Qt::Key_F, Qt::AltModifier);
        QVERIFY(m_form->pageCommands()->findDialog()->isVisible());
        QCOMPARE(fontDialogs, 0);
        QCOMPARE(m_form->action(QStringLiteral("font1"))->shortcut(), QKeySequence("Alt+F"));
        m_form->pageCommands()->findDialog()->hide();
    }

    void rightClickMenuIsChosenWhenTheButtonGoesDown_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::newRow("selection") << true;
        QTest::newRow("no selection") << false;
    }

    void rightClickMenuIsChosenWhenTheButtonGoesDown()
    {
        QFETCH(bool, selected);
        showActive();
        m_form->memoGen()->setText(QStringLiteral("some words"));
        select(m_form->memoGen(), 0, selected ? 4 : 0);
        QTest::mousePress(m_form->memoGen()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(m_form->memoGenPopupMenu(),
                 selected ? m_form->popupMenuSel() : m_form->popupMenuUnSel());
        QTest::mouseRelease(m_form->memoGen()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(m_form->popupMenuUnSel()->defaultAction()->objectName(), QStringLiteral("paste3"));
    }

    void browserItemHidesAndShowsTheTabRow()
    {
        showActive();
        m_form->pageControl()->setCurrentWidget(m_form->browserPage());
        QAction *browser = m_form->action(QStringLiteral("browser1"));
        browser->trigger();
        QVERIFY(!browser->isChecked());
        QVERIFY(!m_form->pageControl()->tabBar()->isVisible());
        QCOMPARE(m_form->pageControl()->currentWidget(), m_form->editorPage());
        QCOMPARE(m_form->activeMemo(), m_form->memoGen());
        browser->trigger();
        QVERIFY(m_form->pageControl()->tabBar()->isVisible());
        QCOMPARE(m_form->pageControl()->currentWidget(), m_form->editorPage());
    }

    void ctrlTabReachesOnlyTheShownPages_data()
    {
        QTest::addColumn<bool>("tabRow");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("row shown, backwards") << true << (Qt::ControlModifier | Qt::ShiftModifier);
        QTest::newRow("row hidden, forwards")
            << false << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("row hidden, backwards")
            << false << (Qt::ControlModifier | Qt::ShiftModifier);
    }

    void ctrlTabReachesOnlyTheShownPages()
    {
        QFETCH(bool, tabRow);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        showActive();
        QAction *browser = m_form->action(QStringLiteral("browser1"));
        if (browser->isChecked() != tabRow)
            browser->trigger();
        m_form->memoGen()->setFocus();
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(m_form->memoGen()->hasFocus()
                                ? static_cast<QWidget *>(m_form->memoGen())
                                : m_form->pageControl(),
                            Qt::Key_Tab, modifiers);
            QWidget *page = m_form->pageControl()->currentWidget();
            QVERIFY(page != m_form->pageControl()->widget(0)); // the hidden keyword page
            if (!tabRow)
                QCOMPARE(page, m_form->editorPage());
        }
    }

    void statusBarItemHidesTheBarAtOnce()
    {
        showActive();
        m_form->action(QStringLiteral("visstbar1"))->trigger();
        QVERIFY(!m_form->statusBar1()->isVisible());
        m_form->action(QStringLiteral("visstbar1"))->trigger();
        QVERIFY(m_form->statusBar1()->isVisible());
    }

    void caretPositionStaysInSightInANarrowWindow_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("first-start size") << 535;
        QTest::newRow("narrow") << 300;
        QTest::newRow("wide") << 1200;
    }

    void caretPositionStaysInSightInANarrowWindow()
    {
        QFETCH(int, width);
        showActive();
        m_form->resize(width, 368);
        QCoreApplication::processEvents();
        for (int i : {1, 2}) {
            QLabel *panel = m_form->statusPanel(i);
            const QRect place(panel->mapTo(m_form, QPoint()), panel->size());
            QVERIFY2(m_form->rect().contains(place), qPrintable(QString::number(i)));
            QCOMPARE(panel->width(), 30);
        }
        QVERIFY(m_form->statusPanel(0)->width() <= 450);
    }

    void aSixDigitLineNumberIsShownWhole()
    {
        showActive();
        m_form->resize(535, 368);
        TMemo *memo = m_form->memoGen();
        memo->setText(QString(123456, QLatin1Char('\n')));
        memo->finishLoading();
        memo->moveCursor(QTextCursor::End);
        memo->UpdatePosition();
        QCoreApplication::processEvents();
        QLabel *line = m_form->statusPanel(1);
        QCOMPARE(line->text(), QStringLiteral("123457"));
        QVERIFY(line->width() >= line->sizeHint().width());
        const QRect place(line->mapTo(m_form, QPoint()), line->size());
        QVERIFY(m_form->rect().contains(place));
        memo->clear();
        QCoreApplication::processEvents();
        QCOMPARE(line->width(), 30);
    }

    void aLongPathLosesItsMiddleNotItsFileName()
    {
        showActive();
        m_form->resize(535, 368);
        const QString folder = m_dir.filePath(QString(200, QLatin1Char('d')));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/страница.mv");
        m_chosenFiles << path;
        m_form->memoGen()->setFocus();
        QTest::keyClick(m_form->memoGen(), Qt::Key_S, Qt::ControlModifier);
        QCoreApplication::processEvents();
        auto *panel = qobject_cast<ElidingLabel *>(m_form->statusPanel(0));
        QVERIFY(panel);
        QCOMPARE(panel->text(), path);
        QVERIFY(panel->shownText().contains(QChar(0x2026)));
        QVERIFY(panel->shownText().endsWith(QStringLiteral("страница.mv")));
        m_form->action(QStringLiteral("new1"))->trigger();
        QCOMPARE(panel->shownText(), PageCommands::untitledName());
    }

    void wordWrapTickFollowsTheActiveArea()
    {
        QAction *wrap = m_form->action(QStringLiteral("WordWrap1"));
        wrap->trigger();
        QVERIFY(!wrap->isChecked());
        QVERIFY(!PageCommands::wordWrap(m_form->memoGen()));
        // On the message page the tick shows the message area's new state.
        m_form->pageControl()->setCurrentWidget(m_form->messagePage());
        const bool messageWraps = PageCommands::wordWrap(m_form->memo2());
        wrap->trigger();
        QCOMPARE(wrap->isChecked(), !messageWraps);
        QCOMPARE(PageCommands::wordWrap(m_form->memo2()), !messageWraps);
    }

    void readOnlyItemSwitchesTheActiveArea()
    {
        m_form->action(QStringLiteral("readonly1"))->trigger();
        QVERIFY(m_form->memoGen()->isReadOnly());
        m_form->action(QStringLiteral("readonly1"))->trigger();
        QVERIFY(!m_form->memoGen()->isReadOnly());
    }

    void toolbarButtonsRunTheirMenuCommands()
    {
        m_form->memoGen()->setText(QStringLiteral("весь текст"));
        auto *copyAll = m_form->findChild<QToolButton *>(QStringLiteral("ToolButton18"));
        QCOMPARE(copyAll->toolTip(), QStringLiteral("Копировать весь текст в буфер"));
        copyAll->click();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("весь текст"));
        m_form->findChild<QToolButton *>(QStringLiteral("ToolButton8"))->click();
        QCOMPARE(m_form->memoGen()->text(), QString());
    }

    void contextMenuItemsRunTheirMenuCommands()
    {
        m_form->memoGen()->setText(QStringLiteral("abc"));
        m_form->action(QStringLiteral("selectall2"))->trigger();
        QCOMPARE(m_form->memoGen()->selectedText(), QStringLiteral("abc"));
        m_form->action(QStringLiteral("cut2"))->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("abc"));
        m_form->action(QStringLiteral("undo2"))->trigger();
        QCOMPARE(m_form->memoGen()->text(), QStringLiteral("abc"));
    }

    void leavingAsksAboutThePage_data()
    {
        QTest::addColumn<PageCommands::Answer>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("written");
        QTest::newRow("save") << PageCommands::Answer::Save << true << true;
        QTest::newRow("discard") << PageCommands::Answer::Discard << true << false;
        QTest::newRow("cancel") << PageCommands::Answer::Cancel << false << false;
    }

    void leavingAsksAboutThePage()
    {
        QFETCH(PageCommands::Answer, answer);
        QFETCH(bool, closes);
        QFETCH(bool, written);
        showActive();
        const QString target = m_dir.filePath(QStringLiteral("exit.mv"));
        QFile::remove(target);
        type(m_form->memoGen(), QStringLiteral("unsaved page"));
        // The Message page is shown, but leaving would lose the page text.
        m_form->pageControl()->setCurrentWidget(m_form->messagePage());
        m_answers << answer;
        m_chosenFiles << target;
        QCOMPARE(m_form->close(), closes);
        QCOMPARE(m_questions.size(), 1);
        QCOMPARE(m_form->isVisible(), !closes);
        QCOMPARE(readFile(target), written ? QByteArray("unsaved page") : QByteArray());
    }

    void savingTheMessageOverThePageStillAsksAboutThePage()
    {
        showActive();
        const QString path = m_dir.filePath(QStringLiteral("shared.mv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("the page");
        file.close();
        m_chosenFiles << path;
        m_form->action(QStringLiteral("open1"))->trigger();
        QCOMPARE(m_form->memoGen()->text(), QStringLiteral("the page"));
        m_form->pageControl()->setCurrentWidget(m_form->messagePage());
        m_form->memo2()->setText(QStringLiteral("a message"));
        m_form->action(QStringLiteral("save1"))->trigger();
        QCOMPARE(readFile(path), QByteArray("a message"));
        // The page's text now lives only in the window: leaving asks about it.
        m_answers << PageCommands::Answer::Cancel;
        QVERIFY(!m_form->close());
        QCOMPARE(m_questions.size(), 1);
    }

    void leavingWithASavedPageAsksNothing()
    {
        showActive();
        type(m_form->memo2(), QStringLiteral("message only"));
        m_form->action(QStringLiteral("close1"))->trigger();
        QVERIFY(m_questions.isEmpty());
        QVERIFY(!m_form->isVisible());
    }
};

RR_APP_TEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"
