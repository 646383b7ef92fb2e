// Displayed lines of the text area and the caret position it reports.
#include "editor/highlighting_memo.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {

QFont areaFont()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(13);
    return font;
}

// A paragraph that wraps over several lines in a narrow area.
QString paragraph(int words, const QString &word = QStringLiteral("слово"))
{
    QStringList list;
    for (int i = 0; i < words; ++i)
        list << word + QString::number(i);
    return list.join(QLatin1Char(' '));
}

// Displayed lines counted the slow, sure way: every block laid out, its lines added up.
int laidOutLineCount(TMemo &memo, int beforeBlock = -1)
{
    int lines = 0;
    for (QTextBlock b = memo.document()->firstBlock();
         b.isValid() && b.blockNumber() != beforeBlock; b = b.next()) {
        memo.document()->documentLayout()->blockBoundingRect(b);
        lines += b.layout()->lineCount();
    }
    return lines;
}

void showFocused(QWidget &w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    w.setFocus();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
}

QPair<int, int> lastReport(const QSignalSpy &spy)
{
    const QList<QVariant> args = spy.last();
    return {args.at(0).toInt(), args.at(1).toInt()};
}

} // namespace

class TestHighlightingLines : public QObject
{
    Q_OBJECT
private slots:
    void startReportsFirstLine();
    void typingReportsLineAndColumn();
    void keyDownReportsBeforeTheKey();
    void rightToLeftSelectionReportsLeftEnd();
    void mouseClickReportsNewPosition();
    void scrollingReports();
    void areaWithoutLabelReportsNothing();
    void visibleLineCount_data();
    void visibleLineCount();
    void lineCountIgnoresClosingBreak_data();
    void lineCountIgnoresClosingBreak();
    void wrappedParagraphIsSeveralLines();
    void caretLineTextMatchesNumberedLine();
    void caretLineFollowsRelayout();
    void caretLineExactBeforePainting();
    void firstVisibleLine();
    void newTextWhileCaretDeep();
    void hugePageReportCatchesUp();
    void longLineKeptWhole();
    void crLfEndsOneLine();
    void shiftEnterIsALineBreak();
    void readOnlyCaretMovesByKeyboard();
    void darkDesktopKeepsTheTextReadable();
};

void TestHighlightingLines::startReportsFirstLine()
{
    TMemo memo;
    QLabel label;
    memo.setPositionLabel(&label);
    QSignalSpy spy(&memo, &TMemo::positionReported);
    memo.UpdatePosition();
    QCOMPARE(label.text(), QStringLiteral("(1,0)"));
    QCOMPARE(lastReport(spy), qMakePair(1, 0));
    QCOMPARE(memo.CaretLine(), 0);
    QCOMPARE(memo.CaretColumn(), 0);
}

void TestHighlightingLines::typingReportsLineAndColumn()
{
    TMemo memo;
    QLabel label;
    memo.setPositionLabel(&label);
    showFocused(memo);
    QSignalSpy spy(&memo, &TMemo::positionReported);
    QTest::keyClicks(&memo, QStringLiteral("abc"));
    QCOMPARE(label.text(), QStringLiteral("(1,3)"));
    QCOMPARE(lastReport(spy), qMakePair(1, 3));
    QTest::keyClick(&memo, Qt::Key_Return);
    QCOMPARE(label.text(), QStringLiteral("(2,0)"));
    QCOMPARE(lastReport(spy), qMakePair(2, 0));
}

void TestHighlightingLines::keyDownReportsBeforeTheKey()
{
    TMemo memo;
    QLabel label;
    memo.setPositionLabel(&label);
    showFocused(memo);
    QTest::keyClicks(&memo, QStringLiteral("ab"));
    QSignalSpy spy(&memo, &TMemo::positionReported);
    QTest::keyClick(&memo, Qt::Key_C);
    QVERIFY(spy.size() >= 2);
    QCOMPARE(spy.first().at(1).toInt(), 2); // key down: the key has not acted yet
    QCOMPARE(lastReport(spy), qMakePair(1, 3));
}

void TestHighlightingLines::rightToLeftSelectionReportsLeftEnd()
{
    TMemo memo;
    QLabel label;
    memo.setPositionLabel(&label);
    showFocused(memo);
    QTest::keyClicks(&memo, QStringLiteral("hello world"));
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(&memo, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(memo.selectedText(), QStringLiteral("world"));
    QCOMPARE(label.text(), QStringLiteral("(1,6)"));
}

void TestHighlightingLines::mouseClickReportsNewPosition()
{
    TMemo memo;
    memo.setFont(areaFont());
    memo.resize(300, 200);
    QLabel label;
    memo.setPositionLabel(&label);
    memo.setText(QStringLiteral("abc\ndef"));
    showFocused(memo);
    QTextCursor c(memo.document());
    c.setPosition(5);
    const QRect r = memo.cursorRect(c);
    QTest::mouseClick(memo.viewport(), Qt::LeftButton, {}, QPoint(r.left() + 1, r.center().y()));
    QCOMPARE(label.text(), QStringLiteral("(2,1)"));
}

void TestHighlightingLines::scrollingReports()
{
    TMemo memo;
    memo.setFont(areaFont());
    memo.resize(300, 100);
    QLabel label;
    memo.setPositionLabel(&label);
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines << QString::number(i);
    memo.setText(lines.join(QLatin1Char('\n')));
    memo.show();
    QSignalSpy spy(&memo, &TMemo::positionReported);
    memo.verticalScrollBar()->setValue(20);
    QVERIFY(!spy.isEmpty());
    QCOMPARE(lastReport(spy), qMakePair(1, 0)); // scrolling leaves the caret where it was
}

void TestHighlightingLines::areaWithoutLabelReportsNothing()
{
    TMemo memo;
    memo.setObjectName(QStringLiteral("Memo2"));
    showFocused(memo);
    QSignalSpy spy(&memo, &TMemo::positionReported);
    QTest::keyClicks(&memo, QStringLiteral("abc"));
    QTest::keyClick(&memo, Qt::Key_Return);
    memo.UpdatePosition();
    QCOMPARE(spy.size(), 0);
    QCOMPARE(memo.CaretLine(), 1); // it still knows its position when asked
}

void TestHighlightingLines::visibleLineCount_data()
{
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("count");
    QTest::newRow("13 px in 423 px") << 13 << 423 << 28;
    QTest::newRow("13 px in 14 px") << 13 << 14 << 0;
    QTest::newRow("20 px in 200 px") << 20 << 200 << 9;
}

void TestHighlightingLines::visibleLineCount()
{
    QFETCH(int, pixelSize);
    QFETCH(int, height);
    QFETCH(int, count);
    TMemo memo;
    QFont font = areaFont();
    font.setPixelSize(pixelSize);
    memo.setFont(font);
    memo.resize(200, height);
    QCOMPARE(memo.VisibleLineCount(), count);
}

void TestHighlightingLines::lineCountIgnoresClosingBreak_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("one") << "abc" << QStringList{"abc"};
    QTest::newRow("closing break") << "abc\n" << QStringList{"abc"};
    QTest::newRow("break only") << "\n" << QStringList{""};
    QTest::newRow("empty middle line") << "a\n\nb" << QStringList{"a", "", "b"};
    QTest::newRow("two closing breaks") << "a\n\n" << QStringList{"a", ""};
}

void TestHighlightingLines::lineCountIgnoresClosingBreak()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    TMemo memo;
    memo.setText(text);
    QCOMPARE(memo.lineCount(), lines.size());
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(memo.lineText(i), lines.at(i));
}

void TestHighlightingLines::wrappedParagraphIsSeveralLines()
{
    TMemo memo;
    memo.setFont(areaFont());
    memo.resize(220, 300);
    memo.show();
    const QString text = paragraph(40);
    memo.setText(text);
    memo.moveCursor(QTextCursor::End);
    const int lines = memo.lineCount();
    QVERIFY(lines > 5);
    QCOMPARE(lines, laidOutLineCount(memo));
    QString joined;
    for (int i = 0; i < lines; ++i) {
        QVERIFY(!memo.lineText(i).isEmpty());
        joined += memo.lineText(i);
    }
    QCOMPARE(joined, text); // the blanks at the wraps stay with their lines
    QCOMPARE(memo.CaretLine(), lines - 1);
    QCOMPARE(memo.CaretColumn(), memo.lineText(lines - 1).size());
    // The start of the second displayed line is column 0 of line 1.
    QTextCursor c = memo.textCursor();
    c.setPosition(memo.lineText(0).size());
    memo.setTextCursor(c);
    QCOMPARE(memo.CaretLine(), 1);
    QCOMPARE(memo.CaretColumn(), 0);
}

void TestHighlightingLines::caretLineTextMatchesNumberedLine()
{
    TMemo memo;
    memo.setFont(areaFont());
    memo.resize(220, 300);
    memo.show();
    memo.setText(paragraph(20) + QStringLiteral("\n\n") + paragraph(9) + QLatin1Char('\n'));
    const int end = memo.document()->characterCount() - 1;
    for (int position = 0;; position = qMin(position + 7, end)) {
        QTextCursor c(memo.document());
        c.setPosition(position);
        memo.setTextCursor(c);
        QCOMPARE(memo.caretLineText(), memo.lineText(memo.CaretLine()));
        if (position == end)
            break;
    }
}

void TestHighlightingLines::caretLineFollowsRelayout()
{
    TMemo memo;
    memo.setFont(areaFont());
    memo.resize(400, 300);
    memo.show();
    QStringList paragraphs;
    for (int i = 0; i < 30; ++i)
        paragraphs << paragraph(12);
    memo.setText(paragraphs.join(QLatin1Char('\n')));
    memo.moveCursor(QTextCursor::End);
    QCOMPARE(memo.CaretLine(), laidOutLineCount(memo) - 1);
    const int wide = memo.CaretLine();
    memo.resize(200, 300);
    QCOMPARE(memo.CaretLine(), laidOutLineCount(memo) - 1);
    QVERIFY(memo.CaretLine() > wide);
    memo.setLineWrapMode(QPlainTextEdit::NoWrap);
    QCOMPARE(memo.CaretLine(), 29);
    memo.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QFont bigger = areaFont();
    bigger.setPixelSize(20);
    memo.setFont(bigger);
    QCOMPARE(memo.CaretLine(), laidOutLineCount(memo) - 1);
}

void TestHighlightingLines::caretLineExactBeforePainting()
{
    TMemo memo;
    memo.setFont(areaFont());
    memo.resize(200, 300);
    memo.show();
    QStringList paragraphs;
    for (int i = 0; i < 200; ++i)
        paragraphs << paragraph(i % 7 + 1);
    memo.setText(paragraphs.join(QLatin1Char('\n')));
    // Straight to a late paragraph, before any paint has laid the blocks above it out.
    QTextCursor c(memo.document()->findBlockByNumber(150));
    memo.setTextCursor(c);
    const int line = memo.CaretLine();
    QCOMPARE(line, laidOutLineCount(memo, 150));
    // An edit above the caret that wraps over several lines moves it down by as many.
    QTextCursor top(memo.document());
    top.insertText(paragraph(20) + QLatin1Char('\n'));
    c = QTextCursor(memo.document()->findBlockByNumber(151));
    memo.setTextCursor(c);
    const int after = memo.CaretLine();
    QCOMPARE(after, laidOutLineCount(memo, 151));
    QVERIFY(after > line + 3);
}

void TestHighlightingLines::firstVisibleLine()
{
    TMemo memo;
    memo.setFont(areaFont());
    memo.resize(200, 150);
    QStringList paragraphs;
    for (int i = 0; i < 60; ++i)
        paragraphs << paragraph(6);
    memo.setText(paragraphs.join(QLatin1Char('\n')));
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));
    QCOMPARE(memo.FirstVisibleLine(), 0);
    const int perParagraph = memo.document()->firstBlock().layout()->lineCount();
    QVERIFY(perParagraph > 1);
    laidOutLineCount(memo);
    memo.verticalScrollBar()->setValue(2 * perParagraph + 1);
    QCOMPARE(memo.FirstVisibleLine(), 2 * perParagraph + 1);
    memo.setLineWrapMode(QPlainTextEdit::NoWrap);
    memo.verticalScrollBar()->setValue(7);
    QCOMPARE(memo.FirstVisibleLine(), 7);
}

void TestHighlightingLines::newTextWhileCaretDeep()
{
    // Setting a shorter text scrolls while the caret still points into the old one.
    TMemo memo;
    QLabel label;
    memo.setPositionLabel(&label);
    memo.resize(200, 100);
    memo.show();
    QStringList paragraphs;
    for (int i = 0; i < 300; ++i)
        paragraphs << paragraph(5);
    memo.setText(paragraphs.join(QLatin1Char('\n')));
    memo.moveCursor(QTextCursor::End);
    memo.ensureCursorVisible();
    memo.setText(QStringLiteral("x"));
    QCOMPARE(label.text(), QStringLiteral("(1,0)"));
    memo.setText(QString());
    QCOMPARE(memo.CaretLine(), 0);
}

void TestHighlightingLines::hugePageReportCatchesUp()
{
    TMemo memo;
    memo.setFont(areaFont());
    QLabel label;
    memo.setPositionLabel(&label);
    memo.resize(200, 200);
    memo.show();
    QStringList paragraphs;
    for (int i = 0; i < 3000; ++i)
        paragraphs << paragraph(12);
    memo.setText(paragraphs.join(QLatin1Char('\n')));
    memo.moveCursor(QTextCursor::End);
    // Too many unlaid blocks above the caret for one report: it comes back at once, short.
    memo.UpdatePosition();
    const int quick = label.text().mid(1).section(QLatin1Char(','), 0, 0).toInt();
    const int exact = laidOutLineCount(memo);
    QVERIFY(quick < exact);
    const QString column = QString::number(memo.lineText(exact - 1).size());
    QTRY_COMPARE(label.text(), QStringLiteral("(%1,%2)").arg(exact).arg(column));
}

void TestHighlightingLines::longLineKeptWhole()
{
    TMemo memo;
    memo.setLineWrapMode(QPlainTextEdit::NoWrap);
    const QString line = QString(10000, QLatin1Char('x'));
    memo.setText(line + QStringLiteral("\nend"));
    QCOMPARE(memo.lineCount(), 2);
    QCOMPARE(memo.lineText(0), line);
}

void TestHighlightingLines::crLfEndsOneLine()
{
    TMemo memo;
    memo.setText(QStringLiteral("a\r\nb\r\n"));
    QCOMPARE(memo.text(), QStringLiteral("a\nb\n"));
    QCOMPARE(memo.lineCount(), 2);
}

void TestHighlightingLines::shiftEnterIsALineBreak()
{
    TMemo memo;
    showFocused(memo);
    QTest::keyClicks(&memo, QStringLiteral("a"));
    QTest::keyClick(&memo, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&memo, QStringLiteral("b"));
    QCOMPARE(memo.text(), QStringLiteral("a\nb"));
    QCOMPARE(memo.document()->blockCount(), 2);
}

void TestHighlightingLines::readOnlyCaretMovesByKeyboard()
{
    TMemo memo;
    memo.setText(QStringLiteral("abc\ndef"));
    memo.setReadOnly(true);
    showFocused(memo);
    QTest::keyClick(&memo, Qt::Key_Down);
    QTest::keyClick(&memo, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(memo.selectedText(), QStringLiteral("d"));
    QTest::keyClicks(&memo, QStringLiteral("x"));
    QCOMPARE(memo.text(), QStringLiteral("abc\ndef"));
    memo.setReadOnly(false);
    QTest::keyClicks(&memo, QStringLiteral("x"));
    QCOMPARE(memo.text(), QStringLiteral("abc\nxef"));
}

void TestHighlightingLines::darkDesktopKeepsTheTextReadable()
{
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x23, 0x26, 0x29));
    dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Window, QColor(0x31, 0x36, 0x3B));
    const QPalette before = QApplication::palette();
    QApplication::setPalette(dark);
    TMemo memo;
    // Plain words are painted black: the ground under them must stay light.
    QVERIFY(memo.palette().color(QPalette::Base).lightness() > 200);
    QApplication::setPalette(before);
}

QTEST_MAIN(TestHighlightingLines)
#include "tst_highlighting_lines.moc"
