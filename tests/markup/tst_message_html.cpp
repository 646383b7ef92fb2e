// The message preview conversion: the eleven replacements, line handling, and the fast
// replacement checked against the literal restart-from-the-start rule.
#include "markup/message_html.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace markup;

namespace {

// The table as the preview rule states it, kept here so that a change in the program's copy
// (a row lost, two rows swapped) shows.
const QList<std::pair<QString, QString>> &literalTable()
{
    static const QList<std::pair<QString, QString>> rows = {
        {u"^br^"_s, u"<br>"_s},
        {u"^hr^"_s, u"<hr>"_s},
        {u"^bolder^"_s, u"<b>"_s},
        {u"^italic^"_s, u"<i>"_s},
        {u"^underline^"_s, u"<u>"_s},
        {u"^blink^"_s, u"<blink>"_s},
        {u"^line-throught^"_s, u"<s>"_s},
        {u"^left^"_s, u"<p align=\"left\">"_s},
        {u"^right^"_s, u"<p align=\"right\">"_s},
        {u"^center^"_s, u"<p align=\"center\">"_s},
        {u"^justify^"_s, u"<p align=\"justify\">"_s},
    };
    return rows;
}

// The replace-all rule word for word: every search starts again at the start of the text.
QString literalReplaceAll(QString text, const QString &pattern, const QString &replacement)
{
    for (;;) {
        const qsizetype at = text.indexOf(pattern);
        if (at < 0)
            return text;
        text.remove(at, pattern.size());
        text.insert(at, replacement);
    }
}

QStringList literalSplitLines(const QString &text)
{
    QStringList lines;
    QString current;
    bool open = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines << current;
            current.clear();
            open = false;
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            current += c;
            open = true;
        }
    }
    if (open)
        lines << current;
    return lines;
}

QStringList literalMessageToHtml(const QString &message)
{
    QString text;
    for (const QString &line : literalSplitLines(message))
        text += line + u"\r\n"_s;
    for (const auto &[tag, html] : literalTable())
        text = literalReplaceAll(text, tag, html);
    QStringList page = {u"<html>"_s, u"<head><title>Message</title></head>"_s, u"<body>"_s};
    page += literalSplitLines(text);
    page << u"</body>"_s << u"</html>"_s;
    return page;
}

// Messages dense with whole tags, broken tags, stray carets and line breaks.
QString generatedMessage(QRandomGenerator &random, int pieces)
{
    static const QStringList extra = {
        u"^"_s,      u"^^"_s,   u"br"_s,    u"hr"_s,        u"^br"_s,      u"br^"_s,
        u"^hr"_s,    u"bol"_s,  u"der^"_s,  u"^bol"_s,      u"^Bolder^"_s, u"^BR^"_s,
        u"^left:"_s, u"left"_s, u"line-"_s, u"throught^"_s, u"^line"_s,    u"\r\n"_s,
        u"\r"_s,     u"\n"_s,   u"a"_s,     u" "_s,         u"<"_s,        u">"_s,
        u"Ё"_s,      u"ё"_s,    u"^url^"_s, u"^n^"_s,       u"^bold^"_s,   u"\""_s};
    QString message;
    for (int i = 0; i < pieces; ++i) {
        if (random.bounded(2) == 0) {
            const auto &row = literalTable().at(random.bounded(literalTable().size()));
            QString tag = row.first;
            // Often drop a caret so that neighbours share one.
            const int cut = random.bounded(4);
            if (cut == 1)
                tag.chop(1);
            else if (cut == 2)
                tag.remove(0, 1);
            message += tag;
        } else {
            message += extra.at(random.bounded(extra.size()));
        }
    }
    return message;
}

} // namespace

class TestMessageHtml : public QObject
{
    Q_OBJECT

private slots:
    void replacementTable();
    void tableAllowsOnePass();

    void replaceAll_data();
    void replaceAll();

    void conversion_data();
    void conversion();
    void emptyMessage();
    void pageText();
    void lineCountKept();

    void agreesWithLiteralRule();
    void replaceAllAgreesWithLiteralRule();

    void splitLines_data();
    void splitLines();
};

void TestMessageHtml::replacementTable()
{
    const QList<Replacement> &rows = MessageReplacements();
    QCOMPARE(rows.size(), literalTable().size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QCOMPARE(rows[i].tag, literalTable()[i].first);
        QCOMPARE(rows[i].html, literalTable()[i].second);
    }
}

// The one-pass conversion relies on these properties of the rows; a new row must keep them.
void TestMessageHtml::tableAllowsOnePass()
{
    for (const Replacement &row : MessageReplacements()) {
        QVERIFY(row.tag.size() > 2);
        QVERIFY(row.tag.startsWith(u'^') && row.tag.endsWith(u'^'));
        QCOMPARE(row.tag.count(u'^'), 2);
        QVERIFY(!row.tag.contains(u'\r') && !row.tag.contains(u'\n'));
        QVERIFY(!row.html.isEmpty());
        QVERIFY(!row.html.contains(u'^'));
        QVERIFY(!row.html.contains(u'\r') && !row.html.contains(u'\n'));
        for (const Replacement &other : MessageReplacements())
            QVERIFY2(!other.tag.contains(u'<'), "every HTML text holds a character no tag holds");
        QVERIFY(row.html.contains(u'<'));
    }
}

void TestMessageHtml::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");

    QTest::newRow("none") << u"abc"_s << u"^br^"_s << u"<br>"_s << u"abc"_s;
    QTest::newRow("empty text") << QString() << u"^br^"_s << u"<br>"_s << QString();
    QTest::newRow("one") << u"a^br^b"_s << u"^br^"_s << u"<br>"_s << u"a<br>b"_s;
    QTest::newRow("whole text") << u"^br^"_s << u"^br^"_s << u"<br>"_s << u"<br>"_s;
    QTest::newRow("adjacent") << u"^br^^br^^br^"_s << u"^br^"_s << u"<br>"_s << u"<br><br><br>"_s;
    QTest::newRow("shared caret") << u"^br^br^"_s << u"^br^"_s << u"<br>"_s << u"<br>br^"_s;
    QTest::newRow("shared caret thrice")
        << u"^br^br^br^"_s << u"^br^"_s << u"<br>"_s << u"<br>br<br>"_s;
    QTest::newRow("case-sensitive") << u"^BR^^Br^"_s << u"^br^"_s << u"<br>"_s << u"^BR^^Br^"_s;
    QTest::newRow("longer replacement")
        << u"x^left^y"_s << u"^left^"_s << u"<p align=\"left\">"_s << u"x<p align=\"left\">y"_s;
    QTest::newRow("empty replacement") << u"a^n^b^n^"_s << u"^n^"_s << QString() << u"ab"_s;
}

void TestMessageHtml::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QCOMPARE(ReplaceAll(text, pattern, replacement), expected);
}

void TestMessageHtml::conversion_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("body");

    for (const auto &[tag, html] : literalTable())
        QTest::addRow("row %s", qPrintable(tag))
            << u"a"_s + tag + u"b"_s << QStringList{u"a"_s + html + u"b"_s};

    QTest::newRow("other case") << u"^Bolder^"_s << QStringList{u"^Bolder^"_s};
    QTest::newRow("upper case") << u"^BR^"_s << QStringList{u"^BR^"_s};
    QTest::newRow("bolder") << u"^bolder^"_s << QStringList{u"<b>"_s};
    QTest::newRow("twice") << u"^bolder^^bolder^"_s << QStringList{u"<b><b>"_s};
    QTest::newRow("br then hr") << u"^br^hr^"_s << QStringList{u"<br>hr^"_s};
    QTest::newRow("hr then br: rows run in order") << u"^hr^br^"_s << QStringList{u"^hr<br>"_s};
    QTest::newRow("br and hr apart") << u"^br^^hr^"_s << QStringList{u"<br><hr>"_s};
    QTest::newRow("extra carets") << u"^^br^^"_s << QStringList{u"^<br>^"_s};
    QTest::newRow("tag over two lines")
        << u"x^bol\r\nder^y"_s << QStringList{u"x^bol"_s, u"der^y"_s};
    QTest::newRow("tag over lone LF") << u"^b\nr^"_s << QStringList{u"^b"_s, u"r^"_s};
    QTest::newRow("line format") << u"^left:#FFFFFF:#000000^Text"_s
                                 << QStringList{u"^left:#FFFFFF:#000000^Text"_s};
    QTest::newRow("link") << u"^url^address^text^"_s << QStringList{u"^url^address^text^"_s};
    for (const QString &kept :
         {u"^bold^"_s, u"^lighter^"_s, u"^normal^"_s, u"^overline^"_s, u"^n^"_s, u"^u:me^"_s,
          u"^r12^"_s, u"^jpg1234^image^"_s, u"^run:Scroll:FFFFFF:left:100:000000^Hi^"_s})
        QTest::addRow("kept %s", qPrintable(kept)) << kept << QStringList{kept};
    QTest::newRow("line-throught") << u"^line-throught^x"_s << QStringList{u"<s>x"_s};
    QTest::newRow("nothing escaped")
        << u"<script>&amp;\"'</script>"_s << QStringList{u"<script>&amp;\"'</script>"_s};
    QTest::newRow("one line break at end") << u"abc\r\n"_s << QStringList{u"abc"_s};
    QTest::newRow("two line breaks") << u"\r\n\r\n"_s << QStringList{QString(), QString()};
    QTest::newRow("lone LF") << u"a\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("lone CR") << u"a\rb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("mixed breaks") << u"a\r\nb\nc\rd\n\re"_s
                                  << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, QString(), u"e"_s};
    QTest::newRow("CR CR LF") << u"\r\r\n"_s << QStringList{QString(), QString()};
    QTest::newRow("only CR") << u"\r"_s << QStringList{QString()};
    QTest::newRow("cyrillic kept") << u"Привет, ^italic^мир"_s << QStringList{u"Привет, <i>мир"_s};
    QTest::newRow("long line not cut")
        << QString(10000, u'x') + u"^br^"_s << QStringList{QString(10000, u'x') + u"<br>"_s};
}

void TestMessageHtml::conversion()
{
    QFETCH(QString, message);
    QFETCH(QStringList, body);
    const QStringList expected =
        QStringList{u"<html>"_s, u"<head><title>Message</title></head>"_s, u"<body>"_s} + body +
        QStringList{u"</body>"_s, u"</html>"_s};
    QCOMPARE(MessageToHtml(message), expected);
}

void TestMessageHtml::emptyMessage()
{
    const QStringList expected = {u"<html>"_s, u"<head><title>Message</title></head>"_s,
                                  u"<body>"_s, u"</body>"_s, u"</html>"_s};
    QCOMPARE(MessageToHtml(QString()), expected);
    QCOMPARE(MessageToHtml(u""_s), expected);
}

void TestMessageHtml::pageText()
{
    QCOMPARE(PageText(MessageToHtml(u"abc\n^hr^"_s)),
             u"<html>\r\n<head><title>Message</title></head>\r\n<body>\r\nabc\r\n<hr>\r\n"
             "</body>\r\n</html>\r\n"_s);
    QCOMPARE(PageText({}), QString());
    QCOMPARE(PageText({QString()}), u"\r\n"_s);
}

void TestMessageHtml::lineCountKept()
{
    QRandomGenerator random(7);
    for (int i = 0; i < 500; ++i) {
        const QString message = generatedMessage(random, random.bounded(1, 40));
        QCOMPARE(MessageToHtml(message).size(), literalSplitLines(message).size() + 5);
    }
}

void TestMessageHtml::agreesWithLiteralRule()
{
    QRandomGenerator random(20240611);
    for (int round = 0; round < 4000; ++round) {
        const QString message = generatedMessage(random, random.bounded(0, 60));
        const QStringList fast = MessageToHtml(message);
        const QStringList literal = literalMessageToHtml(message);
        if (fast != literal) {
            QString shown = message;
            shown.replace(u'\r', u"\\r"_s).replace(u'\n', u"\\n"_s);
            QFAIL(qPrintable(u"message \"%1\":\n  fast    %2\n  literal %3"_s.arg(
                shown, fast.join(u" | "_s), literal.join(u" | "_s))));
        }
    }
}

// Row by row, on texts where earlier rows have not yet removed the competing tags.
void TestMessageHtml::replaceAllAgreesWithLiteralRule()
{
    QRandomGenerator random(99);
    for (int round = 0; round < 3000; ++round) {
        const QString text = generatedMessage(random, random.bounded(0, 40));
        for (const auto &[tag, html] : literalTable())
            QCOMPARE(ReplaceAll(text, tag, html), literalReplaceAll(text, tag, html));
    }
}

void TestMessageHtml::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("one") << u"a"_s << QStringList{u"a"_s};
    QTest::newRow("final break adds no line") << u"a\r\n"_s << QStringList{u"a"_s};
    QTest::newRow("break only") << u"\n"_s << QStringList{QString()};
    QTest::newRow("LF CR is two breaks") << u"a\n\rb"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("blank last line") << u"a\r\n "_s << QStringList{u"a"_s, u" "_s};
}

void TestMessageHtml::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(SplitLines(text), lines);
    QCOMPARE(SplitLines(text), literalSplitLines(text));
}

QTEST_GUILESS_MAIN(TestMessageHtml)
#include "tst_message_html.moc"
