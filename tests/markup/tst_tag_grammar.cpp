// The tag grammar: every word of the keyword list has its use, whatever the builders write
// reads without a problem, and each kind of broken tag is found at the right place.
#include "markup/keywords.h"
#include "markup/tag_grammar.h"
#include "markup/tags.h"

#include <QTest>

using namespace markup;

class TagGrammarTest : public QObject
{
    Q_OBJECT
private slots:
    void grammarIsTheKeywordList();
    void builderOutputReads_data();
    void builderOutputReads();
    void problems_data();
    void problems();
    void messages_data();
    void messages();
    void linesSplitLikeTheMessageConversion();
};

namespace {

// One line as the reader splits it.
struct LineRead
{
    QList<TagToken> tokens;
    QList<TagProblem> problems;
    explicit LineRead(QStringView line) { ReadLine(line, &tokens, &problems); }
};

} // namespace

void TagGrammarTest::grammarIsTheKeywordList()
{
    QStringList words;
    for (const TagRule &rule : TagGrammar())
        words.append(rule.word.toString());
    QCOMPARE(words, KeywordList());
}

void TagGrammarTest::builderOutputReads_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("kinds"); // T text, G tag, L line format

    for (const TagRule &rule : TagGrammar()) {
        if (rule.shape == TagShape::Style || rule.shape == TagShape::Alignment ||
            rule.shape == TagShape::Cancel || rule.shape == TagShape::Standalone)
            QTest::addRow("style %s", qPrintable(rule.word.toString()))
                << StyleTag(rule.word.toString()) + QStringLiteral("текст") << "GT";
    }
    QTest::newRow("link") << LinkTag("http://x.example/a?b=1", "сайт") << "G";
    QTest::newRow("mail link") << "a " + LinkTag("me@x.example", "почта") << "TG";
    QTest::newRow("member") << UserLinkTag("Ник Name") << "G";
    QTest::newRow("section") << SectionLinkTag("12") << "G";
    QTest::newRow("file") << FileLinkTag("7") << "G";
    QTest::newRow("article") << ArticleLinkTag("311655") << "G";
    for (const char *format : {"jpg", "jpeg", "gif", "png"}) {
        for (bool natural : {false, true}) {
            QTest::addRow("image %s %d", format, natural)
                << ImageTag(format, natural, "0042", "кот") << "G";
            QTest::addRow("sized image %s %d", format, natural)
                << SizedImageTag(format, natural, "77", "64", "") << "G";
        }
    }
    QTest::newRow("image link") << ImageLinkTag("http://", "jpg", false, "1234", "image") << "G";
    QTest::newRow("running line") << RunningLineTag("Scroll", "FFFFFF", "left", "100", "000000",
                                                    "Привет")
                                  << "G";
    QTest::newRow("running line, names")
        << RunningLineTag("slide", "white", "right", "5", "Red", "x") << "G";
    QTest::newRow("line format, words")
        << LineFormatTag("center", "white", "black", "Hi ^bolder^x") << "LTGT";
    QTest::newRow("line format, digits") << LineFormatTag("justify", "FFFF00", "0000ff", "") << "L";
    QTest::newRow("several") << "^bolder^a^br^b ^u:x^"
                             << "GTGTG";
}

void TagGrammarTest::builderOutputReads()
{
    QFETCH(QString, line);
    QFETCH(QString, kinds);
    const LineRead split(line);
    QString read;
    qsizetype covered = 0;
    for (const TagToken &token : split.tokens) {
        read += QLatin1Char("TGL"[token.kind]);
        QCOMPARE(token.start, covered);
        covered += token.length;
    }
    QCOMPARE(covered, line.size());
    QVERIFY2(split.problems.isEmpty(), qPrintable(ProblemMessage(split.problems.value(0))));
    QCOMPARE(read, kinds);
}

void TagGrammarTest::problems_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("found"); // kind@column+length, 0-based, comma-separated

    QTest::newRow("unknown word") << "a ^bolde^ b"
                                  << "UnknownTag@2+7";
    QTest::newRow("upper case word") << "^Bolder^"
                                     << "UnknownTag@0+8";
    QTest::newRow("empty tag") << "x^^"
                               << "UnknownTag@1+2";
    QTest::newRow("running-line word alone") << "^scroll^"
                                             << "WrongParts@0+8";
    QTest::newRow("unknown with fields") << "^http://x^"
                                         << "UnknownTag@0+10";
    QTest::newRow("caret left open") << "^bolder^ ^bol"
                                     << "OpenCaret@9+4";
    QTest::newRow("lone caret") << "2^3"
                                << "OpenCaret@1+2";
    QTest::newRow("link without text") << "^url^http://x^"
                                       << "WrongParts@0+14";
    QTest::newRow("link without address") << "^url^^text^"
                                          << "EmptyReference@0+11";
    QTest::newRow("member without colon") << "^u^"
                                          << "WrongParts@0+3";
    QTest::newRow("empty member") << "^u:^"
                                  << "EmptyReference@0+4";
    QTest::newRow("empty section") << "^r^"
                                   << "EmptyReference@0+3";
    QTest::newRow("empty file") << "^f^"
                                << "EmptyReference@0+3";
    QTest::newRow("empty article") << "^text^"
                                   << "EmptyReference@0+6";
    QTest::newRow("section not a number") << "^r1x^"
                                          << "NotANumber@2+2";
    QTest::newRow("article not a number") << "^text1o^"
                                          << "NotANumber@5+2";
    QTest::newRow("image not a number") << "^jpgl23^cap^"
                                        << "NotANumber@4+3";
    QTest::newRow("image without number") << "^png^cap^"
                                          << "EmptyReference@0+5";
    QTest::newRow("image without caption") << "^jpg12^cap"
                                           << "WrongParts@0+10";
    QTest::newRow("width not digits") << "^gif77:6x^^"
                                      << "NotANumber@7+2";
    QTest::newRow("empty width") << "^gif77:^^"
                                 << "NotANumber@7+1";
    QTest::newRow("sized image, extra field") << "^gif77:6:7^^"
                                              << "WrongParts@0+12";
    QTest::newRow("running line, four fields") << "^run:Scroll:FFFFFF:left:000000^x^"
                                               << "WrongParts@0+33";
    QTest::newRow("running line, no text") << "^run:Scroll:FFFFFF:left:100:000000^x"
                                           << "WrongParts@0+36";
    QTest::newRow("running line, bad type") << "^run:Bounce:FFFFFF:left:1:000000^x^"
                                            << "BadRunValue@5+6";
    QTest::newRow("running line, bad direction") << "^run:Slide:FFFFFF:up:1:000000^x^"
                                                 << "BadRunValue@18+2";
    QTest::newRow("running line, bad duration") << "^run:Slide:FFFFFF:left:1s:000000^x^"
                                                << "NotANumber@23+2";
    QTest::newRow("running line, bad colours") << "^run:Slide:FFFFF:left::#000000^x^"
                                               << "BadColor@11+5,NotANumber@22+1,BadColor@23+7";
    QTest::newRow("line format, bad alignment") << "^middle:#white:#black^Hi"
                                                << "BadAlignment@1+6";
    QTest::newRow("line format, bad colour") << "^left:#GG0000:#bluish^Hi"
                                             << "BadColor@7+6,BadColor@15+6";
    QTest::newRow("line format, colour without #") << "^left:white:#000000^Hi"
                                                   << "BadColor@6+5";
    QTest::newRow("line format, missing colour") << "^right:#FFFFFF^Hi"
                                                 << "WrongParts@0+15";
    QTest::newRow("two problems") << "^bolde^ ok ^u:^"
                                  << "UnknownTag@0+7,EmptyReference@11+4";
}

void TagGrammarTest::problems()
{
    QFETCH(QString, line);
    QFETCH(QString, found);
    static const QStringList kinds = {"UnknownTag",     "OpenCaret",  "WrongParts",
                                      "NotANumber",     "BadColor",   "BadAlignment",
                                      "EmptyReference", "BadRunValue"};
    const LineRead split(line);
    QStringList read;
    for (const TagProblem &problem : split.problems)
        read.append(QStringLiteral("%1@%2+%3")
                        .arg(kinds.at(problem.kind))
                        .arg(problem.column)
                        .arg(problem.length));
    QCOMPARE(read.join(QLatin1Char(',')), found);
    // A faulty tag stays text, as typed: the tokens still cover the whole line.
    qsizetype covered = 0;
    for (const TagToken &token : split.tokens)
        covered += token.length;
    QCOMPARE(covered, line.size());
}

void TagGrammarTest::messages_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown") << "^bolde^"
                             << "unknown tag ^bolde^";
    QTest::newRow("open") << "^b"
                          << "caret left open: no closing ^ on this line";
    QTest::newRow("parts") << "^url^x^"
                           << "wrong number of parts: expected ^url^ADDRESS^TEXT^";
    QTest::newRow("number") << "^jpgl23^c^"
                            << "not a number: \"l23\"";
    QTest::newRow("colour")
        << "^left:#red:#12345^x"
        << "not a colour: \"12345\" is neither a colour name nor six hex digits";
    QTest::newRow("alignment") << "^top:#red:#red^x"
                               << "alignment \"top\" is not one of left, right, center, justify";
    QTest::newRow("reference") << "^u:^"
                               << "empty reference: expected ^u:LOGIN^";
    QTest::newRow("run value") << "^run:Go:red:left:1:red^x^"
                               << "\"Go\" is not one of scroll, slide, alternate";
    QTest::newRow("typed %1 stays") << "^%1%2^"
                                    << "unknown tag ^%1%2^";
}

void TagGrammarTest::messages()
{
    QFETCH(QString, line);
    QFETCH(QString, message);
    const LineRead split(line);
    QVERIFY(!split.problems.isEmpty());
    QCOMPARE(ProblemMessage(split.problems.last()), message);
}

void TagGrammarTest::linesSplitLikeTheMessageConversion()
{
    QStringList lines;
    ForEachLine(u"a\r\nb\rc\n\nd\n", [&](int index, QStringView line) {
        QCOMPARE(index, lines.size());
        lines.append(line.toString());
    });
    QCOMPARE(lines, QStringList({"a", "b", "c", "", "d"}));
}

QTEST_APPLESS_MAIN(TagGrammarTest)
#include "tst_tag_grammar.moc"
