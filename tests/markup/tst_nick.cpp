// The nickname's text forms: site text, HTML, plain text, length and the preview page.
#include "markup/nick.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace markup;

class TestNick : public QObject
{
    Q_OBJECT

private slots:
    void forms_data();
    void forms();
    void previewPage_data();
    void previewPage();
};

namespace {
const NickPiece startPiece{u"User"_s, u"Black"_s, u"White"_s};
const NickPiece newPiece{u"X"_s, u"000000"_s, u"FFFFFF"_s};
} // namespace

void TestNick::forms_data()
{
    QTest::addColumn<Nick>("nick");
    QTest::addColumn<QString>("siteText");
    QTest::addColumn<qsizetype>("length");
    QTest::addColumn<QString>("plainText");
    QTest::addColumn<QString>("html");

    QTest::newRow("at start")
        << Nick{startPiece} << u"User:Black:White;"_s << qsizetype(17) << u"User"_s
        << u"<span style=\" color:Black;background-color:White;\">User</span>"_s;
    QTest::newRow("piece added")
        << Nick{startPiece, newPiece} << u"User:Black:White;X:000000:FFFFFF;"_s << qsizetype(33)
        << u"UserX"_s
        << u"<span style=\" color:Black;background-color:White;\">User</span>"
           "<span style=\" color:000000;background-color:FFFFFF;\">X</span>"_s;
    QTest::newRow("empty text keeps colours")
        << Nick{{QString(), u"000000"_s, u"FFFFFF"_s}} << u":000000:FFFFFF;"_s << qsizetype(15)
        << QString() << u"<span style=\" color:000000;background-color:FFFFFF;\"></span>"_s;
    QTest::newRow("empty nick") << Nick{} << QString() << qsizetype(0) << QString() << QString();
    QTest::newRow("colon and semicolon copied")
        << Nick{{u"a:b;c"_s, u"FF0000"_s, u"00FF00"_s}} << u"a:b;c:FF0000:00FF00;"_s
        << qsizetype(20) << u"a:b;c"_s
        << u"<span style=\" color:FF0000;background-color:00FF00;\">a:b;c</span>"_s;
    QTest::newRow("nothing escaped")
        << Nick{{u"<b>&\""_s, u"0000FF"_s, u"FFFFFF"_s}} << u"<b>&\":0000FF:FFFFFF;"_s
        << qsizetype(20) << u"<b>&\""_s
        << u"<span style=\" color:0000FF;background-color:FFFFFF;\"><b>&\"</span>"_s;
    QTest::newRow("cyrillic counts characters")
        << Nick{{u"Вася"_s, u"000000"_s, u"FFFFFF"_s}} << u"Вася:000000:FFFFFF;"_s << qsizetype(19)
        << u"Вася"_s << u"<span style=\" color:000000;background-color:FFFFFF;\">Вася</span>"_s;
}

void TestNick::forms()
{
    QFETCH(Nick, nick);
    QFETCH(QString, siteText);
    QFETCH(qsizetype, length);
    QFETCH(QString, plainText);
    QFETCH(QString, html);
    QCOMPARE(NickSiteText(nick), siteText);
    QCOMPARE(NickLength(nick), length);
    QCOMPARE(NickPlainText(nick), plainText);
    QCOMPARE(NickHtml(nick), html);
}

void TestNick::previewPage_data()
{
    QTest::addColumn<Nick>("nick");
    QTest::addColumn<QString>("background");
    QTest::addColumn<QString>("bodyLine");

    QTest::newRow("no background") << Nick{startPiece} << QString() << u"<body>"_s;
    QTest::newRow("white") << Nick{startPiece} << u"FFFFFF"_s << u"<body bgcolor=\"FFFFFF\">"_s;
    QTest::newRow("empty nick") << Nick{} << QString() << u"<body>"_s;
    QTest::newRow("empty nick, background")
        << Nick{} << u"00FF00"_s << u"<body bgcolor=\"00FF00\">"_s;
}

void TestNick::previewPage()
{
    QFETCH(Nick, nick);
    QFETCH(QString, background);
    QFETCH(QString, bodyLine);
    const QStringList expected = {u"<html>"_s,  u"<head>"_s, u"<title>Nick</title>"_s,
                                  u"</head>"_s, bodyLine,    NickHtml(nick),
                                  u"</body>"_s, u"</html>"_s};
    const QStringList page = NickPreviewPage(nick, background);
    QCOMPARE(page.size(), 8);
    QCOMPARE(page, expected);
    if (nick.isEmpty())
        QVERIFY(page.at(5).isEmpty());
}

QTEST_GUILESS_MAIN(TestNick)
#include "tst_nick.moc"
