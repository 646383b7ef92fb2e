// The keyword list and the word routines that split a line for the highlighting.
#include "markup/keywords.h"
#include "platform/codepage.h"

#include <QRandomGenerator>
#include <QTest>

#include <set>

using namespace Qt::StringLiterals;
using namespace markup;

class TestKeywords : public QObject
{
    Q_OBJECT

private slots:
    void keywordListInOrder();
    void separatorsByCodePage();
    void separatorsOutsideCodePage();

    void isKeyword_data();
    void isKeyword();
    void isNumber_data();
    void isNumber();

    void splitNextWord_data();
    void splitNextWord();
    void splitLine_data();
    void splitLine();
    void splitLineAgreesWithSplitNextWord();
};

void TestKeywords::keywordListInOrder()
{
    const QStringList expected = {
        u"br"_s,      u"u"_s,      u"r"_s,         u"f"_s,         u"url"_s,           u"run"_s,
        u"scroll"_s,  u"slide"_s,  u"alternate"_s, u"left"_s,      u"right"_s,         u"jpg"_s,
        u"jpeg"_s,    u"gif"_s,    u"png"_s,       u"jpgo"_s,      u"jpego"_s,         u"gifo"_s,
        u"pngo"_s,    u"hr"_s,     u"left"_s,      u"right"_s,     u"center"_s,        u"justify"_s,
        u"n"_s,       u"bold"_s,   u"italic"_s,    u"underline"_s, u"serif"_s,         u"arial"_s,
        u"text"_s,    u"bolder"_s, u"lighter"_s,   u"normal"_s,    u"line-throught"_s, u"blink"_s,
        u"overline"_s};
    QCOMPARE(expected.size(), 37);
    QCOMPARE(KeywordList(), expected);
    QCOMPARE(KeywordList().count(u"left"_s), 2);
    QCOMPARE(KeywordList().count(u"right"_s), 2);
    for (const QString &w : KeywordList())
        QCOMPARE(w, w.toLower());
}

// The separator set is defined on code page 1251 codes: every byte is checked through the
// character it stands for.
void TestKeywords::separatorsByCodePage()
{
    const std::set<int> separatorCodes = {32, 33, 34,  37,  39,  40,  41,  42,  43,  44,
                                          45, 46, 47,  58,  59,  61,  63,  91,  92,  93,
                                          94, 96, 123, 125, 161, 168, 170, 183, 186, 191};
    QCOMPARE(separatorCodes.size(), size_t(30));
    for (int code = 0; code < 256; ++code) {
        const QString c = cp1251::decode(QByteArray(1, char(code)));
        QCOMPARE(c.size(), 1);
        const bool expected = separatorCodes.count(code) > 0;
        if (IsSeparator(c.at(0)) != expected)
            QFAIL(qPrintable(u"code %1 (U+%2): expected %3"_s.arg(code)
                                 .arg(c.at(0).unicode(), 4, 16, QLatin1Char('0'))
                                 .arg(expected ? u"separator"_s : u"word"_s)));
    }
    // The two letters named in the rule: capital Ё (168) separates, small ё (184) does not.
    QCOMPARE(cp1251::code(u'Ё'), 168);
    QVERIFY(IsSeparator(u'Ё'));
    QCOMPARE(cp1251::code(u'ё'), 184);
    QVERIFY(!IsSeparator(u'ё'));
}

void TestKeywords::separatorsOutsideCodePage()
{
    // Characters that the code page cannot hold belong to words.
    for (char16_t c : {char16_t(u'中'), char16_t(u'é'), char16_t(0x2014), char16_t(0x00A0),
                       char16_t(0xD83D), char16_t(0xDE00), char16_t(0xFFFD)})
        QVERIFY2(!IsSeparator(QChar(c)), qPrintable(QString::number(c, 16)));
}

void TestKeywords::isKeyword_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("keyword");

    for (const QString &w : KeywordList())
        QTest::addRow("%s", qPrintable(w)) << w << true;
    QTest::newRow("BOLD") << u"BOLD"_s << true;
    QTest::newRow("Bolder") << u"Bolder"_s << true;
    QTest::newRow("LeFt") << u"LeFt"_s << true;
    QTest::newRow("Text") << u"Text"_s << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("prefix") << u"bol"_s << false;
    QTest::newRow("longer") << u"boldx"_s << false;
    QTest::newRow("with digits") << u"jpg123"_s << false;
    QTest::newRow("blank inside") << u"bo ld"_s << false;
    QTest::newRow("trailing blank") << u"bold "_s << false;
    QTest::newRow("caret") << u"^bold^"_s << false;
    QTest::newRow("cyrillic") << u"жирный"_s << false;
    QTest::newRow("not a tag word") << u"strong"_s << false;
}

void TestKeywords::isKeyword()
{
    QFETCH(QString, word);
    QFETCH(bool, keyword);
    QCOMPARE(IsKeyword(word), keyword);
}

void TestKeywords::isNumber_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("number");

    QTest::newRow("digits") << u"123"_s << true;
    QTest::newRow("leading zeros") << u"0042"_s << true;
    QTest::newRow("one digit") << u"0"_s << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("letters after") << u"12a"_s << false;
    QTest::newRow("letters before") << u"jpg123"_s << false;
    QTest::newRow("minus") << u"-1"_s << false;
    QTest::newRow("blank") << u" 1"_s << false;
    QTest::newRow("hex") << u"#FF0000"_s << false;
    QTest::newRow("arabic-indic digits") << u"١٢"_s << false;
    QTest::newRow("fullwidth digits") << u"１２"_s << false;
    QTest::newRow("superscript two") << u"²"_s << false;
}

void TestKeywords::isNumber()
{
    QFETCH(QString, word);
    QFETCH(bool, number);
    QCOMPARE(IsNumber(word), number);
}

void TestKeywords::splitNextWord_data()
{
    QTest::addColumn<QString>("line");
    // Each step as "separators|word", until the line is empty.
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("empty") << QString() << QStringList{u"|"_s};
    QTest::newRow("bold tag") << u"^bold^"_s << QStringList{u"^|bold"_s, u"^|"_s};
    QTest::newRow("BOLD") << u"BOLD"_s << QStringList{u"|BOLD"_s};
    QTest::newRow("line-throught")
        << u"^line-throught^"_s << QStringList{u"^|line"_s, u"-|throught"_s, u"^|"_s};
    QTest::newRow("decimal") << u"12.5"_s << QStringList{u"|12"_s, u".|5"_s};
    QTest::newRow("letters and digits") << u"jpg123"_s << QStringList{u"|jpg123"_s};
    QTest::newRow("hash colour") << u"#FF0000"_s << QStringList{u"|#FF0000"_s};
    QTest::newRow("carets only") << u"^^^"_s << QStringList{u"^^^|"_s};
    QTest::newRow("capital IO") << u"Ёлка"_s << QStringList{u"Ё|лка"_s};
    QTest::newRow("capital IO inside") << u"ЕЁЖ"_s << QStringList{u"|Е"_s, u"Ё|Ж"_s};
    QTest::newRow("small io") << u"ёлка"_s << QStringList{u"|ёлка"_s};
    QTest::newRow("tab is a word") << u"a\tb"_s << QStringList{u"|a\tb"_s};
    QTest::newRow("control chars are words") << u"\x01\x7f"_s << QStringList{u"|\x01\x7f"_s};
    QTest::newRow("leading blanks") << u"  x"_s << QStringList{u"  |x"_s};
    QTest::newRow("trailing blanks") << u"x  "_s << QStringList{u"|x"_s, u"  |"_s};
    QTest::newRow("word characters")
        << u"a#b$c&d<e>f_g|h~i@j"_s << QStringList{u"|a#b$c&d<e>f_g|h~i@j"_s};
    QTest::newRow("ascii separators") << u"a !\"%'()*+,-./:;=?[\\]^`{}b"_s
                                      << QStringList{u"|a"_s, u" !\"%'()*+,-./:;=?[\\]^`{}|b"_s};
    QTest::newRow("cyrillic signs")
        << u"aЎbЄc·dєeїf"_s
        << QStringList{u"|a"_s, u"Ў|b"_s, u"Є|c"_s, u"·|d"_s, u"є|e"_s, u"ї|f"_s};
    QTest::newRow("link") << u"^url^http://x.ru^Text^"_s
                          << QStringList{u"^|url"_s, u"^|http"_s, u"://|x"_s,
                                         u".|ru"_s,  u"^|Text"_s, u"^|"_s};
    QTest::newRow("member") << u"^u:Вася^"_s << QStringList{u"^|u"_s, u":|Вася"_s, u"^|"_s};
}

void TestKeywords::splitNextWord()
{
    QFETCH(QString, line);
    QFETCH(QStringList, steps);

    QString rest = line;
    QStringList actual;
    for (int guard = 0; guard < 1000; ++guard) {
        const SplitWord s = SplitNextWord(rest);
        actual << s.separators + u'|' + s.word;
        QVERIFY2(line.endsWith(rest), "only the front of the line is taken");
        if (s.word.isEmpty()) {
            QVERIFY2(rest.isEmpty(), "an empty word comes only with an empty line");
            break;
        }
        if (rest.isEmpty())
            break;
    }
    QCOMPARE(actual, steps);
    // Once empty, the line stays empty and gives empty runs.
    const SplitWord again = SplitNextWord(rest);
    QVERIFY(again.separators.isEmpty() && again.word.isEmpty() && rest.isEmpty());
}

static QString describe(QStringView line, const QList<WordSpan> &spans)
{
    QStringList parts;
    for (const WordSpan &s : spans) {
        const char kind = "SKNW"[s.kind];
        parts << QString(QLatin1Char(kind)) + u':' + line.mid(s.start, s.length).toString();
    }
    return parts.join(u'|');
}

void TestKeywords::splitLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("spans");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("bold tag") << u"^bold^"_s << u"S:^|K:bold|S:^"_s;
    QTest::newRow("BOLD") << u"BOLD"_s << u"K:BOLD"_s;
    QTest::newRow("line-throught never a keyword")
        << u"^line-throught^"_s << u"S:^|W:line|S:-|W:throught|S:^"_s;
    QTest::newRow("number") << u"123"_s << u"N:123"_s;
    QTest::newRow("jpg123") << u"jpg123"_s << u"W:jpg123"_s;
    QTest::newRow("decimal") << u"12.5"_s << u"N:12|S:.|N:5"_s;
    QTest::newRow("hash colour") << u"#FF0000"_s << u"W:#FF0000"_s;
    QTest::newRow("carets only") << u"^^^"_s << u"S:^^^"_s;
    QTest::newRow("capital IO") << u"Ёлка"_s << u"S:Ё|W:лка"_s;
    QTest::newRow("small io") << u"ёлка"_s << u"W:ёлка"_s;
    QTest::newRow("image tag") << u"^jpg1234^image^"_s << u"S:^|W:jpg1234|S:^|W:image|S:^"_s;
    QTest::newRow("image format") << u"^jpgo 1234^"_s << u"S:^|K:jpgo|S: |N:1234|S:^"_s;
    QTest::newRow("member") << u"^u:login^"_s << u"S:^|K:u|S::|W:login|S:^"_s;
    QTest::newRow("link") << u"^url^http://x.ru^Text^"_s
                          << u"S:^|K:url|S:^|W:http|S:://|W:x|S:.|W:ru|S:^|K:Text|S:^"_s;
    QTest::newRow("running line")
        << u"^run:Scroll:FFFFFF:left:100:000000^Hi^"_s
        << u"S:^|K:run|S::|K:Scroll|S::|W:FFFFFF|S::|K:left|S::|N:100|S::|N:000000|S:^|W:Hi|S:^"_s;
    QTest::newRow("line format") << u"^center:#white:#black^Hi"_s
                                 << u"S:^|K:center|S::|W:#white|S::|W:#black|S:^|W:Hi"_s;
}

void TestKeywords::splitLine()
{
    QFETCH(QString, line);
    QFETCH(QString, spans);
    QCOMPARE(describe(line, SplitLine(line)), spans);
}

// The fast split that the highlighting paints with must give the runs of the routine that
// the painting rule is written with.
void TestKeywords::splitLineAgreesWithSplitNextWord()
{
    const QStringList pieces = {
        u"^"_s,   u"^^"_s,  u" "_s,  u"-"_s,  u"."_s,    u":"_s,    u"Ё"_s,    u"ё"_s,
        u"Ў"_s,   u"·"_s,   u"\t"_s, u"#"_s,  u"bold"_s, u"BOLD"_s, u"line"_s, u"url"_s,
        u"jpg"_s, u"123"_s, u"0"_s,  u"x"_s,  u"Вася"_s, u"<b>"_s,  u"&"_s,    u"left"_s,
        u"n"_s,   u"u"_s,   u"中"_s, u"\""_s, u"{"_s,    u"}"_s,    u"text"_s, u"5"_s};
    QRandomGenerator random(20240611);
    for (int round = 0; round < 5000; ++round) {
        QString line;
        const int count = random.bounded(0, 24);
        for (int i = 0; i < count; ++i)
            line += pieces.at(random.bounded(pieces.size()));

        QList<WordSpan> expected;
        QString rest = line;
        qsizetype position = 0;
        for (;;) {
            const SplitWord s = SplitNextWord(rest);
            if (!s.separators.isEmpty()) {
                expected.append({WordSpan::Separator, position, s.separators.size()});
                position += s.separators.size();
            }
            if (s.word.isEmpty())
                break;
            const WordSpan::Kind kind = IsKeyword(s.word)  ? WordSpan::Keyword
                                        : IsNumber(s.word) ? WordSpan::Number
                                                           : WordSpan::Word;
            expected.append({kind, position, s.word.size()});
            position += s.word.size();
        }
        QCOMPARE(position, line.size());

        const QList<WordSpan> actual = SplitLine(line);
        if (describe(line, actual) != describe(line, expected)) {
            QFAIL(qPrintable(u"line \"%1\": got %2, expected %3"_s.arg(line, describe(line, actual),
                                                                       describe(line, expected))));
        }
        for (qsizetype i = 0; i < actual.size(); ++i) {
            QCOMPARE(actual[i].start, expected[i].start);
            QCOMPARE(actual[i].length, expected[i].length);
        }
    }
}

QTEST_GUILESS_MAIN(TestKeywords)
#include "tst_keywords.moc"
