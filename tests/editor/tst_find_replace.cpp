// Find and replace: the search rules, the dialogs' first state, messages and replacements.
#include "editor/find_replace_dialog.h"
#include "editor/highlighting_memo.h"
#include "editor/page_commands.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TstFindReplace : public QObject
{
    Q_OBJECT

private:
    QWidget *m_window = nullptr;
    TMemo *m_page = nullptr;
    TMemo *m_message = nullptr;
    TMemo *m_active = nullptr;
    PageCommands *m_commands = nullptr;
    QStringList m_messages; // "caption: text"

    void select(TMemo *memo, int from, int to)
    {
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
    }

    void record(FindReplaceBase *dialog)
    {
        dialog->inform = [this](const QString &caption, const QString &text) {
            m_messages << caption + QStringLiteral(": ") + text;
        };
    }

private slots:
    void init()
    {
        m_window = new QWidget;
        m_page = new TMemo(m_window);
        m_message = new TMemo(m_window);
        m_active = m_page;
        m_commands = new PageCommands([this] { return m_active; }, m_window);
        m_messages.clear();
        record(m_commands->findDialog());
        record(m_commands->replaceDialog());
    }

    void cleanup() { delete m_window; }

    void searchRules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<int>("found");
        QTest::newRow("down from start") << "abc abc"
                                         << "abc" << 0 << true << false << false << 0;
        QTest::newRow("down after hit") << "abc abc"
                                        << "abc" << 3 << true << false << false << 4;
        QTest::newRow("down past last") << "abc abc"
                                        << "abc" << 5 << true << false << false << -1;
        QTest::newRow("up from start") << "abc abc"
                                       << "abc" << 0 << false << false << false << -1;
        QTest::newRow("up from end") << "abc abc"
                                     << "abc" << 7 << false << false << false << 4;
        QTest::newRow("up skips overlap") << "abc abc"
                                          << "abc" << 6 << false << false << false << 0;
        QTest::newRow("case ignored") << "x ABC"
                                      << "abc" << 0 << true << false << false << 2;
        QTest::newRow("case matched") << "x ABC"
                                      << "abc" << 0 << true << true << false << -1;
        QTest::newRow("Cyrillic case") << "Мир мир"
                                       << "МИР" << 1 << true << false << false << 4;
        QTest::newRow("whole word") << "cat concat cat"
                                    << "cat" << 1 << true << false << true << 11;
        QTest::newRow("whole word up") << "cat concat"
                                       << "cat" << 10 << false << false << true << 0;
        QTest::newRow("caret is a separator") << "^bold^"
                                              << "bold" << 0 << true << false << true << 1;
        QTest::newRow("empty find text") << "abc"
                                         << "" << 0 << true << false << false << -1;
    }

    void searchRules()
    {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(int, from);
        QFETCH(bool, down);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWord);
        QFETCH(int, found);
        QCOMPARE(int(textsearch::find(text, what, from, {down, matchCase, wholeWord})), found);
    }

    void firstFindNextFromTheStartSearchesUpAndFindsNothing()
    {
        m_page->setText(QStringLiteral("word and word"));
        select(m_page, 0, 4);
        m_commands->find1Click();
        FindDialog *dialog = m_commands->findDialog();
        QCOMPARE(dialog->findText(), QStringLiteral("word"));
        QVERIFY(!dialog->searchesDown());
        QVERIFY(!dialog->matchCase());
        QVERIFY(!dialog->wholeWord());
        dialog->findChild<QPushButton *>(QStringLiteral("FindNextButton"))->click();
        QCOMPARE(m_messages, QStringList{QStringLiteral("Find: Search string 'word' not found")});
    }

    void findSelectsTheHitAndKeepsItsOptions()
    {
        m_page->setText(QStringLiteral("one two one"));
        m_commands->find1Click();
        FindDialog *dialog = m_commands->findDialog();
        QCOMPARE(dialog->findText(), QString()); // nothing selected
        dialog->setFindText(QStringLiteral("one"));
        dialog->findChild<QRadioButton *>(QStringLiteral("DirectionDown"))->setChecked(true);
        QVERIFY(dialog->findNext());
        QCOMPARE(m_page->selectedText(), QStringLiteral("one"));
        QCOMPARE(m_page->textCursor().selectionStart(), 0);
        QVERIFY(dialog->findNext());
        QCOMPARE(m_page->textCursor().selectionStart(), 8);
        dialog->hide();
        // Find Next shows the box again with the last text, whatever is selected now.
        select(m_page, 4, 7);
        m_commands->findnext1Click();
        QCOMPARE(dialog->findText(), QStringLiteral("one"));
        QVERIFY(dialog->searchesDown());
        QVERIFY(m_messages.isEmpty());
    }

    void findInAPageStillArriving_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("waits"); // for the rest of the page
        QTest::newRow("a hit in what is there") << QStringLiteral("first") << false;
        QTest::newRow("a hit in the rest") << QStringLiteral("last") << true;
    }

    void findInAPageStillArriving()
    {
        QFETCH(QString, what);
        QFETCH(bool, waits);
        const QString line = QStringLiteral("^bolder^ line of a big page\n");
        const QString text = QStringLiteral("first\n") + line.repeated(60000) + QStringLiteral("last");
        m_page->setText(text);
        QVERIFY(m_page->isLoading());
        m_commands->find1Click();
        FindDialog *dialog = m_commands->findDialog();
        dialog->setFindText(what);
        dialog->findChild<QRadioButton *>(QStringLiteral("DirectionDown"))->setChecked(true);
        QVERIFY(dialog->findNext());
        QCOMPARE(m_page->selectedText(), what);
        QCOMPARE(m_page->textCursor().selectionStart(), int(text.indexOf(what)));
        QCOMPARE(m_page->isLoading(), !waits);
    }

    void dialogsSearchTheActiveTextArea()
    {
        m_page->setText(QStringLiteral("page text"));
        m_message->setText(QStringLiteral("message text"));
        m_active = m_message;
        FindDialog *dialog = m_commands->findDialog();
        dialog->setFindText(QStringLiteral("message"));
        dialog->setSearchesDown(true);
        QVERIFY(dialog->findNext());
        QCOMPARE(m_message->selectedText(), QStringLiteral("message"));
        QVERIFY(!m_page->textCursor().hasSelection());
    }

    void tabGoesFromWhatToWith()
    {
        ReplaceDialog *dialog = m_commands->replaceDialog();
        QList<QLineEdit *> fields = dialog->findChildren<QLineEdit *>();
        QCOMPARE(fields.size(), 2);
        QWidget *what = fields.at(0)->objectName() == QLatin1String("ReplaceText") ? fields.at(1)
                                                                                   : fields.at(0);
        QWidget *next = what->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        QCOMPARE(next->objectName(), QStringLiteral("ReplaceText"));
    }

    void replaceFindsReplacesAndSelectsTheNextHit()
    {
        m_page->setText(QStringLiteral("a-b-a-b"));
        ReplaceDialog *dialog = m_commands->replaceDialog();
        QCOMPARE(dialog->findText(), QString());
        dialog->setFindText(QStringLiteral("A"));
        dialog->setReplaceText(QStringLiteral("zz"));
        dialog->replace();
        QCOMPARE(m_page->text(), QStringLiteral("zz-b-a-b"));
        QCOMPARE(m_page->selectedText(), QStringLiteral("a"));
        QCOMPARE(m_page->textCursor().selectionStart(), 5);
        dialog->replace();
        QCOMPARE(m_page->text(), QStringLiteral("zz-b-zz-b"));
        QCOMPARE(m_messages, QStringList{QStringLiteral("Replace: Search string 'A' not found")});
    }

    void replaceAllReportsTheCount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selectFrom");
        QTest::addColumn<int>("selectTo");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("from the caret") << "^br^ ^br^ ^br^" << 2 << 2 << "^br^ ^hr^ ^hr^"
                                        << "Replace: 2 occurence(s) of 'br' were replaced";
        QTest::newRow("selected hit counts") << "br br" << 0 << 2 << "hr hr"
                                             << "Replace: 2 occurence(s) of 'br' were replaced";
        QTest::newRow("none") << "nothing" << 0 << 0 << "nothing"
                              << "Replace: Search string 'br' not found";
    }

    void replaceAllReportsTheCount()
    {
        QFETCH(QString, text);
        QFETCH(int, selectFrom);
        QFETCH(int, selectTo);
        QFETCH(QString, result);
        QFETCH(QString, message);
        m_page->setText(text);
        select(m_page, selectFrom, selectTo);
        ReplaceDialog *dialog = m_commands->replaceDialog();
        dialog->setFindText(QStringLiteral("br"));
        dialog->setReplaceText(QStringLiteral("hr"));
        dialog->findChild<QPushButton *>(QStringLiteral("ReplaceAllButton"))->click();
        QCOMPARE(m_page->text(), result);
        QCOMPARE(m_messages, QStringList{message});
        // One undo step brings the whole text back.
        m_page->undo();
        QCOMPARE(m_page->text(), text);
    }

    void readOnlyTextIsNeverReplaced()
    {
        m_page->setText(QStringLiteral("br br"));
        m_page->setReadOnly(true);
        ReplaceDialog *dialog = m_commands->replaceDialog();
        dialog->setFindText(QStringLiteral("br"));
        dialog->setReplaceText(QStringLiteral("hr"));
        dialog->replace();
        QCOMPARE(dialog->replaceAll(), 0);
        QCOMPARE(m_page->text(), QStringLiteral("br br"));
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TstFindReplace test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_find_replace.moc"
