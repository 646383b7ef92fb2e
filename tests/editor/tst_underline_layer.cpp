// The underline layer: marks follow edits, are replaced per block range, are found by position
// and drawn as a wave of their kind's colour under the text without hiding it.
#include "editor/highlighting_memo.h"
#include "editor/underline_layer.h"

#include <QHelpEvent>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>

using Mark = UnderlineLayer::Mark;
Q_DECLARE_METATYPE(UnderlineLayer::Mark)

class UnderlineLayerTest : public QObject
{
    Q_OBJECT
private slots:
    void followsEdits_data();
    void followsEdits();
    void highlightingKeepsMarks();
    void replacesMarksPerBlockRange();
    void findsMarksByPosition();
    void drawsWaveInKindColourAndShowsTooltip();
};

void UnderlineLayerTest::followsEdits_data()
{
    QTest::addColumn<int>("at");
    QTest::addColumn<int>("removed");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QList<int>>("starts"); // where the two marks at 4 and 12 end up; -1 gone

    // "abc ^bad^ x ^worse^" with marks on "^bad^" (4, 5) and "^worse^" (12, 7)
    QTest::newRow("typing before both") << 0 << 0 << "xy" << QList<int>{6, 14};
    QTest::newRow("typing right before a mark") << 4 << 0 << "z" << QList<int>{5, 13};
    QTest::newRow("typing inside the first") << 6 << 0 << "z" << QList<int>{-1, 13};
    QTest::newRow("typing right after the first") << 9 << 0 << "z" << QList<int>{4, 13};
    QTest::newRow("deleting across the first") << 3 << 3 << "" << QList<int>{-1, 9};
    QTest::newRow("deleting between them") << 10 << 1 << "" << QList<int>{4, 11};
    QTest::newRow("replacing the second") << 12 << 7 << "ok" << QList<int>{4, -1};
    QTest::newRow("typing after both") << 19 << 0 << "!" << QList<int>{4, 12};
}

void UnderlineLayerTest::followsEdits()
{
    QFETCH(int, at);
    QFETCH(int, removed);
    QFETCH(QString, inserted);
    QFETCH(QList<int>, starts);

    TMemo memo;
    memo.setPlainText(QStringLiteral("abc ^bad^ x ^worse^"));
    UnderlineLayer layer(&memo);
    layer.setMarks(UnderlineLayer::Problem, 0, -1,
                   {Mark{4, 5, QStringLiteral("one")}, Mark{12, 7, QStringLiteral("two")}});
    QTextCursor cursor(memo.document());
    cursor.setPosition(at);
    cursor.setPosition(at + removed, QTextCursor::KeepAnchor);
    cursor.insertText(inserted);

    QList<int> left;
    for (const Mark &mark : layer.marks(UnderlineLayer::Problem))
        left.append(mark.message == QLatin1String("one") ? mark.start : -mark.start);
    QList<int> expected;
    if (starts[0] >= 0)
        expected.append(starts[0]);
    if (starts[1] >= 0)
        expected.append(-starts[1]);
    QCOMPARE(left, expected);
}

void UnderlineLayerTest::highlightingKeepsMarks()
{
    // Re-colouring the whole text (a new keyword list) is no edit and drops nothing.
    TMemo memo;
    memo.setPlainText(QStringLiteral("^bold^ ^oops^\nline two"));
    UnderlineLayer layer(&memo);
    layer.setMarks(UnderlineLayer::Problem, 0, -1, {Mark{7, 6, QStringLiteral("m")}});
    memo.setKeywords({QStringLiteral("oops")});
    QCOMPARE(layer.count(UnderlineLayer::Problem), 1);
}

void UnderlineLayerTest::replacesMarksPerBlockRange()
{
    TMemo memo;
    memo.setPlainText(QStringLiteral("aaaa\nbbbb\ncccc")); // blocks at 0, 5, 10
    UnderlineLayer layer(&memo);
    QSignalSpy changed(&layer, &UnderlineLayer::marksChanged);
    layer.setMarks(UnderlineLayer::Problem, 0, -1,
                   {Mark{10, 1, QStringLiteral("c")}, Mark{0, 1, QStringLiteral("a")},
                    Mark{5, 1, QStringLiteral("b")}});
    layer.setMarks(UnderlineLayer::Spelling, 0, -1, {Mark{6, 2, QStringLiteral("s")}});
    layer.setMarks(UnderlineLayer::Problem, 1, 1,
                   {Mark{7, 1, QStringLiteral("b2")}, Mark{8, 1, QStringLiteral("b3")}});
    QStringList messages;
    for (const Mark &mark : layer.marks(UnderlineLayer::Problem))
        messages.append(mark.message);
    QCOMPARE(messages, QStringList({"a", "b2", "b3", "c"}));
    QCOMPARE(layer.count(UnderlineLayer::Spelling), 1); // other kinds are untouched
    QCOMPARE(changed.count(), 3);
    layer.clear(UnderlineLayer::Problem);
    QCOMPARE(layer.count(UnderlineLayer::Problem), 0);
}

void UnderlineLayerTest::findsMarksByPosition()
{
    TMemo memo;
    memo.setPlainText(QStringLiteral("0123456789abcdefghij"));
    UnderlineLayer layer(&memo);
    layer.setMarks(UnderlineLayer::Problem, 0, -1,
                   {Mark{2, 3, QStringLiteral("p1")}, Mark{12, 2, QStringLiteral("p2")}});
    layer.setMarks(UnderlineLayer::Spelling, 0, -1, {Mark{3, 6, QStringLiteral("s1")}});

    QCOMPARE(layer.marksAt(1).size(), 0);
    QCOMPARE(layer.marksAt(2).size(), 1);
    QCOMPARE(layer.marksAt(4).size(), 2);
    QCOMPARE(layer.marksAt(5).value(0).message, QStringLiteral("s1"));
    QCOMPARE(layer.marksAt(14).size(), 0);

    QCOMPARE(layer.nextMark(2)->message, QStringLiteral("s1"));
    QCOMPARE(layer.nextMark(2, UnderlineLayer::Problem)->message, QStringLiteral("p2"));
    QCOMPARE(layer.nextMark(12)->message, QStringLiteral("p1")); // goes round
    QVERIFY(!layer.nextMark(12, -1, false));
    QCOMPARE(layer.previousMark(12)->message, QStringLiteral("s1"));
    QCOMPARE(layer.previousMark(2)->message, QStringLiteral("p2")); // goes round
    QVERIFY(!layer.previousMark(2, UnderlineLayer::Problem, false));
}

void UnderlineLayerTest::drawsWaveInKindColourAndShowsTooltip()
{
    TMemo memo;
    memo.resize(400, 200);
    memo.setPlainText(QStringLiteral("plain ^zzz^ text\nsecond line"));
    UnderlineLayer layer(&memo);
    layer.setColor(UnderlineLayer::Problem, QColor(0, 200, 200));
    layer.setMarks(UnderlineLayer::Problem, 0, -1, {Mark{6, 5, QStringLiteral("unknown tag")}});
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));

    const QList<QRect> rects = layer.markRects(layer.marks(UnderlineLayer::Problem).first());
    QCOMPARE(rects.size(), 1);
    const QImage image = memo.viewport()->grab().toImage();
    if (qEnvironmentVariableIsSet("RR_SAVE_GRABS"))
        image.save(QStringLiteral("underline.png"));
    auto wavePixels = [&](const QRect &rect) {
        int found = 0;
        for (int y = rect.top(); y <= rect.bottom() + 1; ++y)
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                found += c.green() - c.red() > 40 && c.blue() - c.red() > 40;
            }
        return found;
    };
    QVERIFY(wavePixels(rects.first()) > rects.first().width() / 2);
    // Nothing under the line below, and the text itself is still painted (red carets).
    QCOMPARE(wavePixels(rects.first().translated(0, rects.first().height())), 0);
    bool caretRed = false;
    for (int x = rects.first().left(); x < rects.first().right() && !caretRed; ++x)
        for (int y = rects.first().top(); y < rects.first().bottom(); ++y)
            caretRed = caretRed ||
                       (image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 90 &&
                        image.pixelColor(x, y).blue() < 90);
    QVERIFY(caretRed);

    const QPoint over = rects.first().center();
    QHelpEvent help(QEvent::ToolTip, over, memo.viewport()->mapToGlobal(over));
    QCoreApplication::sendEvent(memo.viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("unknown tag"));
}

QTEST_MAIN(UnderlineLayerTest)
#include "tst_underline_layer.moc"
