// The tag help window: picking, inserting and copying sample tags, its links and its blinking.
#include "dialogs/tag_help_window.h"
#include "editor/highlighting_memo.h"
#include "markup/site.h"

#include "shell_catcher.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMainWindow>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

QString entry12Tag()
{
    return QStringLiteral("^url^") + site::homeAddress() + QStringLiteral("^Mirvale^");
}

TagHelpList *list(THelpTagF &window)
{
    return window.findChild<TagHelpList *>("HTMListBox1");
}
QLineEdit *currentTag(THelpTagF &window)
{
    return window.findChild<QLineEdit *>("sEdit1");
}

QPoint entryPoint(THelpTagF &window, int entry, int x = 4)
{
    const QRect rect = list(window)->visualItemRect(list(window)->item(entry - 1));
    return QPoint(rect.left() + x, rect.center().y());
}

// The first point of an entry's line that lies on a link.
QPoint linkPoint(THelpTagF &window, int entry)
{
    TagHelpList *l = list(window);
    const QRect rect = l->visualItemRect(l->item(entry - 1));
    for (int x = rect.left(); x < rect.right(); ++x) {
        if (!l->anchorAt(QPoint(x, rect.center().y())).isEmpty())
            return QPoint(x + 2, rect.center().y());
    }
    return {};
}

void selectWord(TMemo &memo, const QString &text, const QString &word)
{
    memo.setText(text);
    QTextCursor cursor(memo.document());
    cursor.setPosition(int(text.indexOf(word)));
    cursor.setPosition(int(text.indexOf(word) + word.size()), QTextCursor::KeepAnchor);
    memo.setTextCursor(cursor);
}

} // namespace

class TestTagHelpWindow : public QObject
{
    Q_OBJECT
private slots:
    void entriesAndTheirTags_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("tag");
        QTest::newRow("1") << 1 << "^bolder^";
        QTest::newRow("8 spacer") << 8 << "";
        QTest::newRow("11 empty") << 11 << "";
        QTest::newRow("12 link") << 12 << entry12Tag();
        QTest::newRow("13 member") << 13 << "^u:197178^";
        QTest::newRow("17 image") << 17 << "^jpg1234^image^";
        QTest::newRow("24 rule") << 24 << "^hr^";
    }
    void entriesAndTheirTags()
    {
        QFETCH(int, entry);
        QFETCH(QString, tag);
        QCOMPARE(taghelp::entries().size(), 24);
        QCOMPARE(taghelp::sampleOf(taghelp::entries().at(entry - 1)), tag);
    }

    void clickAndDoubleClick_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("messageTab");
        QTest::addColumn<QString>("tag");
        for (bool message : {false, true}) {
            const char *tab = message ? "message" : "editor";
            QTest::addRow("entry 1, %s", tab) << 1 << message << "^bolder^";
            QTest::addRow("entry 8, %s", tab) << 8 << message << "";
            QTest::addRow("entry 11, %s", tab) << 11 << message << "";
            QTest::addRow("entry 12, %s", tab) << 12 << message << entry12Tag();
        }
    }
    void clickAndDoubleClick()
    {
        QFETCH(int, entry);
        QFETCH(bool, messageTab);
        QFETCH(QString, tag);
        TMemo editor, message;
        selectWord(editor, QStringLiteral("одно слово тут"), QStringLiteral("слово"));
        selectWord(message, QStringLiteral("в сообщении слово"), QStringLiteral("слово"));
        TMemo *active = messageTab ? &message : &editor;
        THelpTagF window([&active] { return active; });
        window.show();
        currentTag(window)->setText(QStringLiteral("old"));

        QTest::mouseClick(list(window)->viewport(), Qt::LeftButton, {}, entryPoint(window, entry));
        QCOMPARE(currentTag(window)->text(), tag);
        QCOMPARE(editor.text(), QStringLiteral("одно слово тут"));

        QTest::mouseDClick(list(window)->viewport(), Qt::LeftButton, {}, entryPoint(window, entry));
        QCOMPARE(currentTag(window)->text(), tag);
        TMemo &target = messageTab ? message : editor;
        TMemo &other = messageTab ? editor : message;
        const QString before =
            messageTab ? QStringLiteral("в сообщении слово") : QStringLiteral("одно слово тут");
        QString expected = before;
        expected.replace(QStringLiteral("слово"), tag);
        QCOMPARE(target.text(), expected);
        QVERIFY(other.text().contains(QStringLiteral("слово")));
        QVERIFY(window.isVisible());
    }

    void emptyEntryWithoutSelectionChangesNothing()
    {
        TMemo memo;
        memo.setText(QStringLiteral("text"));
        THelpTagF window([&memo] { return &memo; });
        window.show();
        QTest::mouseDClick(list(window)->viewport(), Qt::LeftButton, {}, entryPoint(window, 11));
        QCOMPARE(memo.text(), QStringLiteral("text"));
    }

    void firstShowingChoosesNothing()
    {
        THelpTagF window({});
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // The list makes a row current when it takes the focus; that is no choice.
        list(window)->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QVERIFY(list(window)->hasFocus());
        QCOMPARE(currentTag(window)->text(), QString());
    }

    void arrowKeysSelectToo()
    {
        THelpTagF window({});
        window.show();
        QTest::mouseClick(list(window)->viewport(), Qt::LeftButton, {}, entryPoint(window, 1));
        QTest::keyClick(list(window), Qt::Key_Down);
        QCOMPARE(currentTag(window)->text(), QStringLiteral("^italic^"));
    }

    void pressOnALinkOpensIt()
    {
        ShellCatcher catcher;
        THelpTagF window({});
        window.show();
        QTest::mouseClick(list(window)->viewport(), Qt::LeftButton, {}, entryPoint(window, 12));
        QCOMPARE(catcher.opened.size(), 0);
        const QPoint link = linkPoint(window, 12);
        QVERIFY(!link.isNull());
        QTest::mouseClick(list(window)->viewport(), Qt::LeftButton, {}, link);
        QCOMPARE(catcher.opened.size(), 1);
        QCOMPARE(catcher.opened.at(0).toString(), site::homeAddress());
        QCOMPARE(currentTag(window)->text(), entry12Tag());
    }

    void everyLinkOfTheListIsOnTheSite()
    {
        THelpTagF window({});
        window.show();
        for (int entry : {12, 13, 14, 15, 16}) {
            const QPoint link = linkPoint(window, entry);
            QVERIFY2(!link.isNull(), qPrintable(QString::number(entry)));
            const QString href = list(window)->anchorAt(link);
            QVERIFY2(href.startsWith(site::homeAddress()), qPrintable(href));
            QVERIFY(taghelp::opensThroughShell(href));
        }
    }

    void onlyWebAndMailAddressesOpen_data()
    {
        QTest::addColumn<QString>("href");
        QTest::addColumn<bool>("opens");
        QTest::newRow("web") << "http://wap.mirvale.example" << true;
        QTest::newRow("secure web") << "https://wap.mirvale.example/x" << true;
        QTest::newRow("mail") << "mailto:someone@mirvale.example" << true;
        QTest::newRow("relative") << "/textdetailed?rid=32" << false;
        QTest::newRow("script") << "javascript:alert(1)" << false;
        QTest::newRow("picture name") << "109.bmp" << false;
        QTest::newRow("nothing") << "" << false;
    }
    void onlyWebAndMailAddressesOpen()
    {
        QFETCH(QString, href);
        QFETCH(bool, opens);
        QCOMPARE(taghelp::opensThroughShell(href), opens);
    }

    void copyButtonCopiesTheEditedField()
    {
        THelpTagF window({});
        window.show();
        QTest::mouseClick(list(window)->viewport(), Qt::LeftButton, {}, entryPoint(window, 1));
        QLineEdit *field = currentTag(window);
        field->setFocus();
        field->end(false);
        field->insert(QStringLiteral("слово")); // typed by the user
        QTest::mouseClick(window.findChild<QToolButton *>("sSpeedButton1"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("^bolder^слово"));
        QCOMPARE(field->selectedText(), QStringLiteral("^bolder^слово"));
    }

    void copyHintFollowsTheMainWindowAtEveryShow()
    {
        QToolButton copy;
        copy.setObjectName(QStringLiteral("ToolButton13"));
        copy.setToolTip(QStringLiteral("Копировать"));
        THelpTagF window({});
        auto *button = window.findChild<QToolButton *>("sSpeedButton1");
        window.show();
        QCOMPARE(button->toolTip(), QStringLiteral("Копировать"));
        window.hide();
        copy.setToolTip(QStringLiteral("Copy"));
        window.show();
        QCOMPARE(button->toolTip(), QStringLiteral("Copy"));
    }

    void blinkingOnlyWhileShown()
    {
        THelpTagF window({});
        auto *timer = window.findChild<QTimer *>("BlinkTimer");
        QVERIFY(timer);
        QVERIFY(!timer->isActive());
        window.show();
        QVERIFY(timer->isActive());
        const bool shown = list(window)->blinkShown();
        QTRY_COMPARE(list(window)->blinkShown(), !shown);
        window.close();
        QVERIFY(!timer->isActive());
    }

    void subsetIsTranslated()
    {
        const QString member = taghelp::richText(taghelp::entries().at(12), true);
        QVERIFY(member.contains(QStringLiteral("color=\"red\"")));
        QVERIFY(!member.contains(QStringLiteral("clred")));
        QTextDocument hidden;
        hidden.setHtml(taghelp::richText(taghelp::entries().at(9), false));
        QTextCursor cursor = hidden.find(QStringLiteral("Razare"));
        QVERIFY(!cursor.isNull());
        QCOMPARE(cursor.charFormat().foreground().color().alpha(), 0);
        QCOMPARE(taghelp::picture().size(), QSize(16, 12));
    }

    void showingAgainKeepsTheChoiceAndComesToTheFront()
    {
        QMainWindow main;
        auto *action = new QAction(QStringLiteral("Mirvale Tags"), &main);
        action->setObjectName(QStringLiteral("MirvaleTags1"));
        THelpTagF window({});
        connectTagHelp(&main, &window);
        action->trigger();
        QVERIFY(window.isVisible());
        QVERIFY(!window.isModal());
        QTest::mouseClick(list(window)->viewport(), Qt::LeftButton, {}, entryPoint(window, 2));
        window.close();
        action->trigger();
        QVERIFY(window.isVisible());
        QCOMPARE(list(window)->currentRow(), 1);
        QCOMPARE(currentTag(window)->text(), QStringLiteral("^italic^"));
        QWidget empty;
        connectTagHelp(&empty, &window); // nothing to connect, nothing breaks
    }
};

QTEST_MAIN(TestTagHelpWindow)
#include "tst_tag_help_window.moc"
