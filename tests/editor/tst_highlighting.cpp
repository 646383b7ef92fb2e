// The colours of caret-tag markup, read from the formats the highlighter gives each block.
#include "editor/caret_tag_highlighter.h"
#include "editor/chunked_load.h"
#include "editor/highlighting_memo.h"

#include <QImage>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {

// One coloured run: its text and its class, S separator, K keyword, N number, W word.
using Runs = QList<QPair<QString, QChar>>;

QColor colorOf(QChar kind)
{
    switch (kind.toLatin1()) {
    case 'S':
        return CaretTagHighlighter::separatorColor();
    case 'K':
        return CaretTagHighlighter::keywordColor();
    case 'N':
        return CaretTagHighlighter::numberColor();
    default:
        return CaretTagHighlighter::wordColor();
    }
}

// The runs of a block as the layout will draw them, classified back from their formats.
Runs runsOf(const QTextBlock &block)
{
    Runs runs;
    const QString text = block.text();
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        const QColor color = range.format.foreground().color();
        QChar kind = QLatin1Char('?');
        for (QChar k : {u'S', u'K', u'N', u'W'}) {
            if (colorOf(k) == color)
                kind = k;
        }
        const bool dotted = range.format.underlineStyle() == QTextCharFormat::DotLine &&
                            range.format.underlineColor() == QColor(255, 128, 0);
        const bool underlined = range.format.underlineStyle() != QTextCharFormat::NoUnderline ||
                                range.format.fontUnderline();
        // A keyword without its dotted orange line, or anything else with a line, is a fault.
        if ((kind == u'K') != dotted || (kind != u'K' && underlined))
            kind = QLatin1Char('!');
        runs.append({text.mid(range.start, range.length), kind});
    }
    return runs;
}

Runs parse(const QString &written)
{
    // "S:^|K:bold|S:^"
    Runs runs;
    for (const QString &part : written.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        runs.append({part.mid(2), part.at(0)});
    return runs;
}

} // namespace

class TestHighlighting : public QObject
{
    Q_OBJECT
private slots:
    void colours_data();
    void colours();
    void messageAreaIsColouredAlike();
    void everyLineIsColoured();
    void typedTextIsColoured();
    void drawingFontIsRegular();
    void fontChangeRecolours();
    void ownKeywordList();
    void bigPageColouredLaterAsAtOnce_data();
    void bigPageColouredLaterAsAtOnce();
    void longLinePaintedInItsColours_data();
    void longLinePaintedInItsColours();
};

void TestHighlighting::colours_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("runs");
    QTest::newRow("tag") << "^bold^"
                         << "S:^|K:bold|S:^";
    QTest::newRow("upper-case keyword") << "BOLD"
                                        << "K:BOLD";
    QTest::newRow("hyphen splits line-throught") << "^line-throught^"
                                                 << "S:^|W:line|S:-|W:throught|S:^";
    QTest::newRow("number") << "123"
                            << "N:123";
    QTest::newRow("letters and digits") << "jpg123"
                                        << "W:jpg123";
    QTest::newRow("decimal") << "12.5"
                             << "N:12|S:.|N:5";
    QTest::newRow("capital Ё separates") << "Ёлка"
                                         << "S:Ё|W:лка";
    QTest::newRow("small ё is a letter") << "ёлка"
                                         << "W:ёлка";
    QTest::newRow("hash colour") << "#FF0000"
                                 << "W:#FF0000";
    QTest::newRow("separators only") << "^^^"
                                     << "S:^^^";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("link") << "^url^http://x.example^сайт^"
                          << "S:^|K:url|S:^|W:http|S:://|W:x|S:.|W:example|S:^|W:сайт|S:^";
    QTest::newRow("tab belongs to words") << "a\tb"
                                          << "W:a\tb";
}

void TestHighlighting::colours()
{
    QFETCH(QString, text);
    QFETCH(QString, runs);
    TMemo memo;
    memo.setText(text);
    QCOMPARE(runsOf(memo.document()->firstBlock()), parse(runs));
}

void TestHighlighting::messageAreaIsColouredAlike()
{
    TMemo page;
    TMemo message;
    message.setObjectName(QStringLiteral("Memo2"));
    const QString text = QStringLiteral("^bolder^Привет 123 ^url^http://x.example^сайт^");
    page.setText(text);
    message.setText(text);
    QVERIFY(!runsOf(message.document()->firstBlock()).isEmpty());
    QCOMPARE(runsOf(message.document()->firstBlock()), runsOf(page.document()->firstBlock()));
}

void TestHighlighting::everyLineIsColoured()
{
    TMemo memo;
    memo.setText(QStringLiteral("^center^\n\n12 ^hr^\n"));
    const QTextDocument *doc = memo.document();
    QCOMPARE(runsOf(doc->findBlockByNumber(0)), parse(QStringLiteral("S:^|K:center|S:^")));
    QCOMPARE(runsOf(doc->findBlockByNumber(1)), Runs{});
    QCOMPARE(runsOf(doc->findBlockByNumber(2)), parse(QStringLiteral("N:12|S: ^|K:hr|S:^")));
}

void TestHighlighting::typedTextIsColoured()
{
    TMemo memo;
    memo.show();
    memo.setFocus();
    QTest::keyClicks(&memo, QStringLiteral("^url^"));
    QCOMPARE(runsOf(memo.document()->firstBlock()), parse(QStringLiteral("S:^|K:url|S:^")));
    // Typing on turns the keyword into an ordinary word.
    QTest::keyClick(&memo, Qt::Key_Left);
    QTest::keyClicks(&memo, QStringLiteral("x"));
    QCOMPARE(runsOf(memo.document()->firstBlock()), parse(QStringLiteral("S:^|W:urlx|S:^")));
}

void TestHighlighting::drawingFontIsRegular()
{
    TMemo memo;
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(17);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    memo.setFont(font);
    memo.setText(QStringLiteral("^bold^ plain"));
    for (const QTextLayout::FormatRange &range :
         memo.document()->firstBlock().layout()->formats()) {
        const QFont drawn = range.format.font();
        QCOMPARE(drawn.family(), font.family());
        QCOMPARE(drawn.pixelSize(), 17);
        QCOMPARE(drawn.weight(), QFont::Normal);
        QVERIFY(!drawn.italic());
        if (range.format.foreground().color() != CaretTagHighlighter::keywordColor())
            QCOMPARE(range.format.underlineStyle(), QTextCharFormat::NoUnderline);
    }
}

void TestHighlighting::fontChangeRecolours()
{
    TMemo memo;
    memo.setText(QStringLiteral("^bold^"));
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(14);
    memo.setFont(font);
    const auto formats = memo.document()->firstBlock().layout()->formats();
    QVERIFY(!formats.isEmpty());
    for (const QTextLayout::FormatRange &range : formats) {
        QCOMPARE(range.format.font().family(), font.family());
        QCOMPARE(range.format.font().pointSize(), 14);
    }
}

void TestHighlighting::ownKeywordList()
{
    TMemo memo;
    memo.setText(QStringLiteral("foo bold"));
    memo.setKeywords({QStringLiteral("foo")});
    QCOMPARE(runsOf(memo.document()->firstBlock()), parse(QStringLiteral("K:foo|S: |W:bold")));
}

// A tagged page well over the size that is coloured at once.
QString bigPage(qsizetype size = 3 * CaretTagHighlighter::ImmediateLimit)
{
    QStringList lines;
    for (int i = 0; lines.size() * 40 < size; ++i)
        lines << QStringLiteral("^center^^bolder^Строка %1 ^url^http://x.example^сайт^").arg(i)
              << QStringLiteral("обычный текст 42") << QString();
    return lines.join(QLatin1Char('\n'));
}

// Whether every block from `first` on, up to and including `last`, holds the colours the
// reference area gives the same block.
bool sameColours(const QTextDocument *doc, const QTextDocument *reference, int first, int last)
{
    for (int i = first; i <= last; ++i) {
        if (doc->findBlockByNumber(i).layout()->formats() !=
            reference->findBlockByNumber(i).layout()->formats())
            return false;
    }
    return true;
}

void TestHighlighting::bigPageColouredLaterAsAtOnce_data()
{
    QTest::addColumn<QString>("edit"); // made while colours are still on their way
    QTest::addColumn<int>("size");
    const int some = 3 * CaretTagHighlighter::ImmediateLimit;
    QTest::newRow("no edit") << QString() << some;
    QTest::newRow("typed at the end") << QStringLiteral("end") << some;
    QTest::newRow("typed at the start") << QStringLiteral("start") << some;
    QTest::newRow("new keyword list") << QStringLiteral("keywords") << some;
    // So big that the text itself arrives in pieces while the colours are on their way.
    QTest::newRow("arriving in pieces, typed at the start")
        << QStringLiteral("start") << int(2 * (ChunkedLoad::AtOnce + ChunkedLoad::Piece));
}

void TestHighlighting::bigPageColouredLaterAsAtOnce()
{
    QFETCH(QString, edit);
    QFETCH(int, size);
    const QString text = bigPage(size);
    TMemo memo;
    memo.resize(400, 300);
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));
    memo.setText(text);
    QVERIFY(memo.highlighter()->isPending());
    QCOMPARE(memo.isLoading(), text.size() > ChunkedLoad::AtOnce);

    // What is drawn is coloured before it is drawn, however little is done yet.
    memo.viewport()->repaint();
    TMemo reference;
    reference.setText(text);
    reference.finishLoading();
    reference.highlighter()->finish();
    const int lastInView =
        memo.cursorForPosition(QPoint(0, memo.viewport()->height() - 1)).block().blockNumber();
    QVERIFY(lastInView > 3);
    QVERIFY(sameColours(memo.document(), reference.document(), 0, lastInView));
    QVERIFY(memo.highlighter()->isPending());

    QTextCursor c(memo.document());
    if (edit == QLatin1String("end")) {
        c.movePosition(QTextCursor::End);
        c.insertText(QStringLiteral(" ^hr^"));
    } else if (edit == QLatin1String("start")) {
        c.insertText(QStringLiteral("^br^\n12 "));
    } else if (edit == QLatin1String("keywords")) {
        memo.setKeywords({QStringLiteral("center"), QStringLiteral("url")});
        reference.setKeywords(memo.keywords());
        reference.highlighter()->finish();
    }

    QTRY_VERIFY_WITH_TIMEOUT(!memo.isLoading() && !memo.highlighter()->isPending(), 20000);
    if (edit == QLatin1String("end") || edit == QLatin1String("start")) {
        reference.setText(memo.text());
        reference.finishLoading();
        reference.highlighter()->finish();
    }
    QCOMPARE(memo.document()->blockCount(), reference.document()->blockCount());
    QVERIFY(
        sameColours(memo.document(), reference.document(), 0, memo.document()->blockCount() - 1));
}

void TestHighlighting::longLinePaintedInItsColours_data()
{
    QTest::addColumn<int>("length"); // of the line
    QTest::newRow("short line, colours in the layout") << 200;
    QTest::newRow("long line, colours painted over") << CaretTagHighlighter::LongLine + 1000;
}

// The colours the glyphs of a stretch of the first displayed line are drawn in.
QSet<QRgb> inkOf(TMemo &memo, int from, int to)
{
    const QImage image = memo.viewport()->grab().toImage();
    QTextCursor at(memo.document());
    at.setPosition(from);
    const QRect start = memo.cursorRect(at);
    at.setPosition(to);
    const int end = memo.cursorRect(at).left();
    QSet<QRgb> ink;
    const qreal ratio = image.devicePixelRatio();
    for (int x = start.left() + 1; x < end; ++x) {
        for (int y = start.top(); y <= start.bottom(); ++y) {
            const QRgb pixel = image.pixel(int(x * ratio), int(y * ratio)) & 0xFFFFFF;
            if (pixel != 0xFFFFFF)
                ink.insert(pixel);
        }
    }
    return ink;
}

// Whether some pixel of the ink is of the colour's hue (anti-aliasing blends the edges with
// the white ground, so exact values are rare).
bool hasHue(const QSet<QRgb> &ink, const QColor &colour)
{
    for (const QRgb pixel : ink) {
        const QColor c(pixel);
        if (colour == Qt::black ? c.value() < 70
                                : c.saturation() > 100 && qAbs(c.hue() - colour.hue()) < 20)
            return true;
    }
    return false;
}

void TestHighlighting::longLinePaintedInItsColours()
{
    QFETCH(int, length);
    QString text = QStringLiteral("^bolder^ 123 plain ");
    while (text.size() < length)
        text += QStringLiteral("слово ^br^ 42 ");
    TMemo memo;
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(20);
    memo.setFont(font);
    memo.resize(500, 200);
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));
    memo.setText(text);
    QTextCursor selection(memo.document());
    selection.setPosition(13);
    selection.setPosition(18, QTextCursor::KeepAnchor); // "plain"
    memo.setTextCursor(selection);
    memo.viewport()->repaint();

    const QColor black = Qt::black;
    const QSet<QRgb> caret = inkOf(memo, 0, 1);
    QVERIFY(hasHue(caret, CaretTagHighlighter::separatorColor()));
    QVERIFY(!hasHue(caret, black));
    const QSet<QRgb> keyword = inkOf(memo, 1, 7);
    QVERIFY(hasHue(keyword, CaretTagHighlighter::keywordColor()));
    QVERIFY(!hasHue(keyword, black) && !hasHue(keyword, CaretTagHighlighter::separatorColor()));
    const QSet<QRgb> number = inkOf(memo, 9, 12);
    QVERIFY(hasHue(number, CaretTagHighlighter::numberColor()));
    QVERIFY(!hasHue(number, black));
    // Selected text is drawn on the selection's ground, in none of the highlighting colours.
    const QSet<QRgb> plain = inkOf(memo, 13, 18);
    QVERIFY(plain.contains(memo.palette().color(QPalette::Highlight).rgb() & 0xFFFFFF));
    for (const QColor &colour :
         {CaretTagHighlighter::separatorColor(), CaretTagHighlighter::numberColor()})
        QVERIFY(!hasHue(plain, colour));
}

QTEST_MAIN(TestHighlighting)
#include "tst_highlighting.moc"
