// The prefix, caret and line-break rules on a text area.
#include "editor/highlighting_memo.h"
#include "editor/insertion.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

namespace {

QFont areaFont()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(13);
    return font;
}

void setCaret(TMemo &memo, int position, int anchor = -1)
{
    QTextCursor c(memo.document());
    c.setPosition(anchor < 0 ? position : anchor);
    c.setPosition(position, QTextCursor::KeepAnchor);
    memo.setTextCursor(c);
}

} // namespace

class TestInsertion : public QObject
{
    Q_OBJECT
private slots:
    void prefixRule_data();
    void prefixRule();
    void prefixRuleTwice();
    void prefixRuleOnWrappedParagraph();
    void prefixRuleKeepsLongLine();
    void prefixRuleIsOneUndoStep();
    void caretRule_data();
    void caretRule();
    void lineBreakRuleNeedsFocus();
    void readOnlyTextIsLeftAlone();
};

void TestInsertion::prefixRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("result");
    QTest::newRow("selected word") << "a word b" << 2 << 6 << "^bolder^"
                                   << "a ^bolder^word b";
    QTest::newRow("selected right to left") << "a word b" << 6 << 2 << "^bolder^"
                                            << "a ^bolder^word b";
    QTest::newRow("caret mid-line") << "Hello" << 2 << 2 << "^center^"
                                    << "^center^Hello";
    QTest::newRow("caret at line end") << "Hello" << 5 << 5 << "^right^"
                                       << "^right^Hello";
    QTest::newRow("empty area") << "" << 0 << 0 << "^bolder^"
                                << "^bolder^";
    QTest::newRow("second line") << "one\ntwo\nthree" << 6 << 6 << "^left^"
                                 << "one\n^left^two\nthree";
    QTest::newRow("empty line after closing break") << "abc\n"
                                                    << 4 << 4 << "^n^"
                                                    << "abc\n^n^";
    QTest::newRow("selection over lines") << "one\ntwo" << 1 << 6 << "^italic^"
                                          << "o^italic^ne\ntwo";
}

void TestInsertion::prefixRule()
{
    QFETCH(QString, text);
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(QString, tag);
    QFETCH(QString, result);
    TMemo memo;
    memo.setText(text);
    setCaret(memo, position, anchor);
    insertion::prefixRule(&memo, tag);
    QCOMPARE(memo.text(), result);
    QVERIFY(!memo.textCursor().hasSelection());
}

void TestInsertion::prefixRuleTwice()
{
    TMemo memo;
    memo.setText(QStringLiteral("Hello\nWorld"));
    setCaret(memo, 9);
    insertion::prefixRule(&memo, QStringLiteral("^center^"));
    insertion::prefixRule(&memo, QStringLiteral("^center^"));
    QCOMPARE(memo.text(), QStringLiteral("Hello\n^center^^center^World"));
}

void TestInsertion::prefixRuleOnWrappedParagraph()
{
    TMemo memo;
    memo.setFont(areaFont());
    memo.resize(220, 300);
    memo.show();
    QStringList words;
    for (int i = 0; i < 30; ++i)
        words << QStringLiteral("word%1").arg(i);
    const QString text = words.join(QLatin1Char(' '));
    memo.setText(text);
    QVERIFY(memo.lineCount() > 3);
    // The caret in the middle of the third displayed line.
    const int lineStart = memo.lineText(0).size() + memo.lineText(1).size();
    setCaret(memo, lineStart + 3);
    QCOMPARE(memo.CaretLine(), 2);
    insertion::prefixRule(&memo, QStringLiteral("^center^"));
    QCOMPARE(memo.text(), text.left(lineStart) + QStringLiteral("^center^") + text.mid(lineStart));
}

void TestInsertion::prefixRuleKeepsLongLine()
{
    TMemo memo;
    memo.setLineWrapMode(QPlainTextEdit::NoWrap);
    const QString line = QString(9000, QLatin1Char('z'));
    memo.setText(QStringLiteral("top\n") + line + QStringLiteral("\nbottom"));
    setCaret(memo, 4 + 8000);
    insertion::prefixRule(&memo, QStringLiteral("^blink^"));
    QCOMPARE(memo.text(), QStringLiteral("top\n^blink^") + line + QStringLiteral("\nbottom"));
}

void TestInsertion::prefixRuleIsOneUndoStep()
{
    TMemo memo;
    memo.setText(QStringLiteral("Hello"));
    setCaret(memo, 3);
    insertion::prefixRule(&memo, QStringLiteral("^center^"));
    memo.undo();
    QCOMPARE(memo.text(), QStringLiteral("Hello"));
}

void TestInsertion::caretRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caret");
    QTest::newRow("at caret") << "ab" << 1 << 1 << "a^hr^b" << 5;
    QTest::newRow("over selection") << "a word b" << 2 << 6 << "a ^hr^ b" << 6;
    QTest::newRow("empty area") << "" << 0 << 0 << "^hr^" << 4;
}

void TestInsertion::caretRule()
{
    QFETCH(QString, text);
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(QString, result);
    QFETCH(int, caret);
    TMemo memo;
    memo.setText(text);
    setCaret(memo, position, anchor);
    insertion::caretRule(&memo, QStringLiteral("^hr^"));
    QCOMPARE(memo.text(), result);
    QCOMPARE(memo.textCursor().position(), caret);
    QVERIFY(!memo.textCursor().hasSelection());
}

void TestInsertion::lineBreakRuleNeedsFocus()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *memo = new TMemo;
    auto *address = new QLineEdit;
    layout->addWidget(memo);
    layout->addWidget(address);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    address->setFocus();
    insertion::lineBreakRule(memo);
    QCOMPARE(memo->text(), QString());

    memo->setFocus();
    insertion::lineBreakRule(memo);
    QCOMPARE(memo->text(), QStringLiteral("^br^"));
    insertion::lineBreakRule(nullptr); // no target, nothing happens
}

void TestInsertion::readOnlyTextIsLeftAlone()
{
    TMemo memo;
    memo.setText(QStringLiteral("word"));
    memo.selectAll();
    memo.setReadOnly(true);
    insertion::prefixRule(&memo, QStringLiteral("^bolder^"));
    insertion::caretRule(&memo, QStringLiteral("^hr^"));
    QCOMPARE(memo.text(), QStringLiteral("word"));
    memo.setReadOnly(false);
    insertion::prefixRule(&memo, QStringLiteral("^bolder^"));
    QCOMPARE(memo.text(), QStringLiteral("^bolder^word"));
}

QTEST_MAIN(TestInsertion)
#include "tst_insertion.moc"
