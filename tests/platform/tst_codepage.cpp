// Code page 1251: every byte round-trips, Cyrillic maps right, unencodable text is found.
#include "platform/codepage.h"

#include <QTest>

#include <set>

using namespace Qt::StringLiterals;

class TestCodepage : public QObject
{
    Q_OBJECT

private slots:
    void everyByteRoundTrips();
    void knownCharacters_data();
    void knownCharacters();
    void encodeReplacesWithQuestionMark_data();
    void encodeReplacesWithQuestionMark();
    void firstUnencodable_data();
    void firstUnencodable();
};

void TestCodepage::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = cp1251::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(cp1251::encode(text), all);
    QVERIFY(cp1251::canEncode(text));

    std::set<char16_t> seen;
    for (int b = 0; b < 256; ++b) {
        const QString one = cp1251::decode(QByteArray(1, char(b)));
        QCOMPARE(one.size(), 1);
        QVERIFY2(seen.insert(one.at(0).unicode()).second, "two bytes share one character");
        QCOMPARE(cp1251::encode(one), QByteArray(1, char(b)));
        QCOMPARE(cp1251::code(one.at(0)), b);
    }
}

void TestCodepage::knownCharacters_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("character");

    QTest::newRow("A") << 0x41 << u"A"_s;
    QTest::newRow("capital A cyrillic") << 0xC0 << u"А"_s;
    QTest::newRow("small ya") << 0xFF << u"я"_s;
    QTest::newRow("capital IO") << 168 << u"Ё"_s;
    QTest::newRow("small io") << 184 << u"ё"_s;
    QTest::newRow("euro") << 0x88 << u"€"_s;
    QTest::newRow("numero") << 0xB9 << u"№"_s;
    QTest::newRow("capital short U") << 161 << u"Ў"_s;
    QTest::newRow("middle dot") << 183 << u"·"_s;
    QTest::newRow("no-break space") << 0xA0 << QString(QChar(0x00A0));
    QTest::newRow("NUL") << 0 << QString(QChar(0));
}

void TestCodepage::knownCharacters()
{
    QFETCH(int, byte);
    QFETCH(QString, character);
    QCOMPARE(cp1251::decode(QByteArray(1, char(byte))), character);
    QCOMPARE(cp1251::encode(character), QByteArray(1, char(byte)));
}

void TestCodepage::encodeReplacesWithQuestionMark_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("emoji is one character") << u"a😀b"_s << QByteArray("a?b");
    QTest::newRow("chinese") << u"世界"_s << QByteArray("??");
    QTest::newRow("latin accent") << u"café"_s << QByteArray("caf?");
    QTest::newRow("lone high surrogate") << u"a"_s + QChar(0xD83D) + u"b"_s << QByteArray("a?b");
    QTest::newRow("cyrillic") << u"Привет"_s << QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2");
}

void TestCodepage::encodeReplacesWithQuestionMark()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(cp1251::encode(text), bytes);
}

void TestCodepage::firstUnencodable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("position"); // -1: none
    QTest::addColumn<uint>("character");

    QTest::newRow("empty") << QString() << qsizetype(-1) << 0u;
    QTest::newRow("cyrillic") << u"Привет, мир! Ёё №1 €"_s << qsizetype(-1) << 0u;
    QTest::newRow("emoji") << u"ab😀c"_s << qsizetype(2) << 0x1F600u;
    QTest::newRow("emoji first") << u"😀"_s << qsizetype(0) << 0x1F600u;
    QTest::newRow("chinese") << u"Привет, 世界"_s << qsizetype(8) << uint(0x4E16);
    QTest::newRow("emoji after chinese") << u"x中😀"_s << qsizetype(1) << uint(0x4E2D);
    QTest::newRow("latin accent") << u"aé"_s << qsizetype(1) << 0xE9u;
    QTest::newRow("lone high surrogate") << u"a"_s + QChar(0xD83D) << qsizetype(1) << 0xD83Du;
    QTest::newRow("lone low surrogate")
        << u"a"_s + QChar(0xDE00) + u"b"_s << qsizetype(1) << 0xDE00u;
}

void TestCodepage::firstUnencodable()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, position);
    QFETCH(uint, character);
    const std::optional<cp1251::Unencodable> found = cp1251::firstUnencodable(text);
    QCOMPARE(cp1251::canEncode(text), position < 0);
    if (position < 0) {
        QVERIFY(!found);
        return;
    }
    QVERIFY(found);
    QCOMPARE(found->position, position);
    QCOMPARE(uint(found->character), character);
}

QTEST_GUILESS_MAIN(TestCodepage)
#include "tst_codepage.moc"
