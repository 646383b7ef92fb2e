// The tag builders and the colour converter: exact tag texts, inputs passed through untouched.
#include "markup/color_converter.h"
#include "markup/tags.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace markup;

class TestTags : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void builders_data();
    void builders();

    void colorToHtml_data();
    void colorToHtml();
    void systemColorKeepsItsValue();
    void systemColorWithoutLookupIsBlack();

    void htmlToColor_data();
    void htmlToColor();
    void htmlToColorChangesNothingOnInvalidText_data();
    void htmlToColorChangesNothingOnInvalidText();

    void startingValues();
    void roundTrip_data();
    void roundTrip();
};

// A fixed system colour table, standing in for the desktop's palette.
static quint32 fixedSystemColor(int index)
{
    switch (index) {
    case 5: // window background
        return 0x00F0E0D0;
    case 8: // window text
        return 0x00000000;
    case 15: // button face
        return 0x00C0C0C0;
    case 30:
        return 0x00123456;
    default:
        return 0x00FFFFFF;
    }
}

void TestTags::init()
{
    setSystemColorLookup(fixedSystemColor);
}
void TestTags::cleanup()
{
    setSystemColorLookup({});
}

void TestTags::builders_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");

    const QStringList simpleWords = {
        u"bolder"_s,        u"bold"_s,     u"normal"_s, u"lighter"_s, u"italic"_s, u"underline"_s,
        u"line-throught"_s, u"overline"_s, u"blink"_s,  u"n"_s,       u"left"_s,   u"center"_s,
        u"right"_s,         u"justify"_s,  u"br"_s,     u"hr"_s};
    for (const QString &w : simpleWords)
        QTest::addRow("style %s", qPrintable(w)) << StyleTag(w) << u'^' + w + u'^';

    QTest::newRow("link") << LinkTag(u"http://wap.example"_s, u"Home"_s)
                          << u"^url^http://wap.example^Home^"_s;
    QTest::newRow("link empty") << LinkTag({}, {}) << u"^url^^^"_s;
    QTest::newRow("link keeps blanks")
        << LinkTag(u" http://a "_s, u"  t "_s) << u"^url^ http://a ^  t ^"_s;
    QTest::newRow("link mail") << LinkTag(u"mailto:a@b.example"_s, u"mail"_s)
                               << u"^url^mailto:a@b.example^mail^"_s;

    QTest::newRow("user") << UserLinkTag(u"Vasya"_s) << u"^u:Vasya^"_s;
    QTest::newRow("user empty") << UserLinkTag({}) << u"^u:^"_s;
    QTest::newRow("user keeps blanks") << UserLinkTag(u" Вася "_s) << u"^u: Вася ^"_s;
    QTest::newRow("section") << SectionLinkTag(u"12"_s) << u"^r12^"_s;
    QTest::newRow("section empty") << SectionLinkTag({}) << u"^r^"_s;
    QTest::newRow("file") << FileLinkTag(u"345"_s) << u"^f345^"_s;
    QTest::newRow("file empty") << FileLinkTag({}) << u"^f^"_s;
    QTest::newRow("article") << ArticleLinkTag(u"7"_s) << u"^text7^"_s;
    QTest::newRow("article empty") << ArticleLinkTag({}) << u"^text^"_s;
    QTest::newRow("number not checked") << SectionLinkTag(u"abc"_s) << u"^rabc^"_s;

    QTest::newRow("image") << ImageTag(u"jpg"_s, false, u"1234"_s, u"image"_s)
                           << u"^jpg1234^image^"_s;
    QTest::newRow("image natural size")
        << ImageTag(u"jpg"_s, true, u"1234"_s, u"image"_s) << u"^jpgo1234^image^"_s;
    QTest::newRow("image leading zeros")
        << ImageTag(u"gif"_s, false, u"0042"_s, u"x"_s) << u"^gif0042^x^"_s;
    QTest::newRow("image caret in caption")
        << ImageTag(u"png"_s, false, u"5"_s, u"a^b"_s) << u"^png5^a^b^"_s;
    QTest::newRow("image typed format")
        << ImageTag(u"bmp "_s, false, u" 9"_s, u""_s) << u"^bmp  9^^"_s;
    QTest::newRow("image all empty") << ImageTag({}, false, {}, {}) << u"^^^"_s;
    QTest::newRow("sized image") << SizedImageTag(u"gif"_s, false, u"77"_s, u"64"_s, {})
                                 << u"^gif77:64^^"_s;
    QTest::newRow("sized image natural")
        << SizedImageTag(u"jpeg"_s, true, u"0042"_s, u"100"_s, u"cap"_s)
        << u"^jpego0042:100^cap^"_s;
    QTest::newRow("sized image empty width keeps colon")
        << SizedImageTag(u"png"_s, false, u"3"_s, {}, u"c"_s) << u"^png3:^c^"_s;
    QTest::newRow("image link") << ImageLinkTag(u"http://a.example"_s, u"png"_s, true, u"5"_s,
                                                u"c"_s)
                                << u"^url^http://a.example^pngo5^c^"_s;
    QTest::newRow("image link empty") << ImageLinkTag({}, {}, false, {}, {}) << u"^url^^^^"_s;

    QTest::newRow("running line defaults")
        << RunningLineTag(u"Scroll"_s, u"FFFFFF"_s, u"left"_s, u"100"_s, u"000000"_s, u"Hi"_s)
        << u"^run:Scroll:FFFFFF:left:100:000000^Hi^"_s;
    QTest::newRow("running line typed, order kept")
        << RunningLineTag(u"Alternate"_s, u"00FF00"_s, u"right"_s, u" 5 "_s, u"0000FF"_s,
                          u"a:b^c"_s)
        << u"^run:Alternate:00FF00:right: 5 :0000FF^a:b^c^"_s;
    QTest::newRow("running line empty")
        << RunningLineTag({}, {}, {}, {}, {}, {}) << u"^run:::::^^"_s;

    QTest::newRow("line format defaults")
        << LineFormatTag(u"center"_s, u"white"_s, u"black"_s, u"Hi"_s)
        << u"^center:#white:#black^Hi"_s;
    QTest::newRow("line format colours")
        << LineFormatTag(u"left"_s, u"FFFFFF"_s, u"000000"_s, u"Text"_s)
        << u"^left:#FFFFFF:#000000^Text"_s;
    QTest::newRow("line format empty") << LineFormatTag({}, {}, {}, {}) << u"^:#:#^"_s;
    QTest::newRow("line format keeps blanks")
        << LineFormatTag(u"justify"_s, u" a"_s, u"b "_s, u" t "_s) << u"^justify:# a:#b ^ t "_s;
}

void TestTags::builders()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

void TestTags::colorToHtml_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<QString>("html");

    QTest::newRow("black") << qint32(0) << u"000000"_s;
    QTest::newRow("white") << qint32(0x00FFFFFF) << u"FFFFFF"_s;
    QTest::newRow("pure red") << qint32(0x000000FF) << u"FF0000"_s;
    QTest::newRow("pure green") << qint32(0x0000FF00) << u"00FF00"_s;
    QTest::newRow("pure blue") << qint32(0x00FF0000) << u"0000FF"_s;
    QTest::newRow("upper-case letters") << qint32(0x00ABCDEF) << u"EFCDAB"_s;
    QTest::newRow("two digits each") << qint32(0x00010203) << u"030201"_s;
    QTest::newRow("orange") << qint32(0x000080FF) << u"FF8000"_s;
    QTest::newRow("top byte ignored") << qint32(0x12345678) << u"785634"_s;
    // The toolkit's "default colour" marker converts by its bytes: automatic gives black.
    QTest::newRow("default marker") << qint32(0x20000000) << u"000000"_s;
    QTest::newRow("none marker") << qint32(0x1FFFFFFF) << u"FFFFFF"_s;
    QTest::newRow("system window") << qint32(0x80000005) << u"D0E0F0"_s;
    QTest::newRow("system window text") << qint32(0x80000008) << u"000000"_s;
    QTest::newRow("system button face") << qint32(0x8000000F) << u"C0C0C0"_s;
    QTest::newRow("system index in low byte") << qint32(0xFF00001E) << u"563412"_s;
}

void TestTags::colorToHtml()
{
    QFETCH(qint32, value);
    QFETCH(QString, html);
    ColorConverter c;
    ColorToHtml(c, value);
    QCOMPARE(c.RGBColor, value);
    QCOMPARE(c.HTMLColor, html);
    QCOMPARE(HtmlColorText(value), html);
}

void TestTags::systemColorKeepsItsValue()
{
    ColorConverter c;
    ColorToHtml(c, qint32(0x80000005));
    QVERIFY(c.RGBColor < 0);
    QCOMPARE(quint32(c.RGBColor), 0x80000005u);
    QCOMPARE(c.HTMLColor, u"D0E0F0"_s);

    // The text follows the palette of the moment; the value still names the system colour.
    setSystemColorLookup([](int) { return quint32(0x00000080); });
    ColorToHtml(c, c.RGBColor);
    QCOMPARE(quint32(c.RGBColor), 0x80000005u);
    QCOMPARE(c.HTMLColor, u"800000"_s);
}

void TestTags::systemColorWithoutLookupIsBlack()
{
    setSystemColorLookup({});
    ColorConverter c = ColorConverter::white();
    ColorToHtml(c, qint32(0x80000005));
    QCOMPARE(c.HTMLColor, u"000000"_s);
}

void TestTags::htmlToColor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("value");

    QTest::newRow("black") << u"000000"_s << qint32(0);
    QTest::newRow("white") << u"FFFFFF"_s << qint32(0x00FFFFFF);
    QTest::newRow("red") << u"FF0000"_s << qint32(255);
    QTest::newRow("lower case kept") << u"ff8000"_s << qint32(255 + 128 * 256);
    QTest::newRow("mixed case") << u"aBcDeF"_s << qint32(0xAB + 0xCD * 256 + 0xEF * 65536);
    QTest::newRow("blue") << u"0000ff"_s << qint32(0x00FF0000);
}

void TestTags::htmlToColor()
{
    QFETCH(QString, text);
    QFETCH(qint32, value);
    ColorConverter c;
    c.RGBColor = 0x00123456;
    c.HTMLColor = u"563412"_s;
    HtmlToColor(c, text);
    QCOMPARE(c.RGBColor, value);
    QCOMPARE(c.HTMLColor, text); // not re-cased
}

void TestTags::htmlToColorChangesNothingOnInvalidText_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("four digits") << u"FF80"_s;
    QTest::newRow("not hex") << u"GG0000"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("seven digits") << u"FF00001"_s;
    QTest::newRow("hash prefix") << u"#FF000"_s;
    QTest::newRow("hash and six") << u"#FF0000"_s;
    QTest::newRow("colour name") << u"Black"_s;
    QTest::newRow("six letters name") << u"Silver"_s;
    QTest::newRow("blank inside") << u"FF 000"_s;
    QTest::newRow("leading blank") << u" FF000"_s;
    QTest::newRow("sign") << u"+F0000"_s;
    QTest::newRow("minus") << u"-10000"_s;
    QTest::newRow("hex prefix") << u"0x1234"_s;
    QTest::newRow("last pair bad") << u"FFFFFg"_s;
    QTest::newRow("cyrillic") << u"АБВГДЕ"_s;
    QTest::newRow("fullwidth digits") << u"１２３４５６"_s;
}

void TestTags::htmlToColorChangesNothingOnInvalidText()
{
    QFETCH(QString, text);
    ColorConverter c;
    ColorToHtml(c, qint32(0x80000005));
    HtmlToColor(c, text);
    QCOMPARE(quint32(c.RGBColor), 0x80000005u);
    QCOMPARE(c.HTMLColor, u"D0E0F0"_s);
}

void TestTags::startingValues()
{
    const ColorConverter plain;
    QCOMPARE(plain.RGBColor, 0);
    QCOMPARE(plain.HTMLColor, u"000000"_s);
    const ColorConverter white = ColorConverter::white();
    QCOMPARE(white.RGBColor, 0x00FFFFFF);
    QCOMPARE(white.HTMLColor, u"FFFFFF"_s);
}

void TestTags::roundTrip_data()
{
    QTest::addColumn<qint32>("value");
    for (qint32 v : {0, 1, 0x80, 0xFF, 0x100, 0x8000, 0x10000, 0x7F7F7F, 0xFEDCBA, 0xFFFFFF})
        QTest::addRow("%06X", unsigned(v)) << v;
}

void TestTags::roundTrip()
{
    QFETCH(qint32, value);
    ColorConverter a;
    ColorToHtml(a, value);
    ColorConverter b;
    HtmlToColor(b, a.HTMLColor);
    QCOMPARE(b.RGBColor, value);
    QCOMPARE(b.HTMLColor, a.HTMLColor);
}

QTEST_GUILESS_MAIN(TestTags)
#include "tst_tags.moc"
