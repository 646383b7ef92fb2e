// IniFile: the Windows profile reading rules, garbage that reads as missing keys, writes that
// keep the rest of the file, and failed writes that leave the old file untouched.
#include "platform/ini_file.h"
#include "write_failure.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace testsupport;

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void readString_data();
    void readString();
    void readInteger_data();
    void readInteger();
    void garbageReadsAsMissing_data();
    void garbageReadsAsMissing();
    void missingFileAndFolder();

    void writeKeepsOtherLines_data();
    void writeKeepsOtherLines();
    void writeCreatesMissingFile();
    void writeInOrderOfWriting();
    void writeIsReadBack();
    void writeKeepsGarbageBytes();
    void writeFailure_data();
    void writeFailure();
    void writeFailureKeepsOldFile();

private:
    QString fileWith(const QByteArray &bytes);
    QTemporaryDir m_dir;
    int m_files = 0;
};

static const QString Default = u"<default>"_s;

QString TestIniFile::fileWith(const QByteArray &bytes)
{
    const QString path = m_dir.filePath(u"f%1.ini"_s.arg(++m_files));
    if (!putFile(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestIniFile::readString_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const QByteArray settings = "[Position]\r\nLeft=10\r\n\r\n[Settings]\r\nFont=Arial\r\n";
    QTest::newRow("plain") << settings << u"Settings"_s << u"Font"_s << u"Arial"_s;
    QTest::newRow("section without case") << settings << u"SETTINGS"_s << u"Font"_s << u"Arial"_s;
    QTest::newRow("key without case") << settings << u"Settings"_s << u"font"_s << u"Arial"_s;
    QTest::newRow("file names without case")
        << QByteArray("[sEtTiNgS]\r\nfONT=x\r\n") << u"Settings"_s << u"Font"_s << u"x"_s;
    QTest::newRow("cyrillic names without case")
        << QByteArray("[\xD0\xE0\xE7\xE4\xE5\xEB]\r\n\xCA\xEB\xFE\xF7=1\r\n") // [Раздел] Ключ
        << u"РАЗДЕЛ"_s << u"ключ"_s << u"1"_s;
    QTest::newRow("key in other section") << settings << u"Position"_s << u"Font"_s << Default;
    QTest::newRow("missing section") << settings << u"Other"_s << u"Font"_s << Default;
    QTest::newRow("missing key") << settings << u"Settings"_s << u"Size"_s << Default;
    QTest::newRow("key before any section")
        << QByteArray("Font=x\r\n[Settings]\r\n") << u"Settings"_s << u"Font"_s << Default;
    QTest::newRow("empty value is a value")
        << QByteArray("[S]\r\nK=\r\n") << u"S"_s << u"K"_s << QString();
    QTest::newRow("blanks dropped") << QByteArray("[S]\r\n  K \t=   Lucida Console \t \r\n")
                                    << u"S"_s << u"K"_s << u"Lucida Console"_s;
    QTest::newRow("double quotes dropped")
        << QByteArray("[S]\r\nK=\"Arial\"\r\n") << u"S"_s << u"K"_s << u"Arial"_s;
    QTest::newRow("single quotes dropped")
        << QByteArray("[S]\r\nK='Arial'\r\n") << u"S"_s << u"K"_s << u"Arial"_s;
    QTest::newRow("blanks inside quotes kept")
        << QByteArray("[S]\r\nK= \" a b \" \r\n") << u"S"_s << u"K"_s << u" a b "_s;
    QTest::newRow("one pair only")
        << QByteArray("[S]\r\nK=\"\"x\"\"\r\n") << u"S"_s << u"K"_s << u"\"x\""_s;
    QTest::newRow("mixed quotes kept")
        << QByteArray("[S]\r\nK=\"x'\r\n") << u"S"_s << u"K"_s << u"\"x'"_s;
    QTest::newRow("opening quote only")
        << QByteArray("[S]\r\nK=\"x\r\n") << u"S"_s << u"K"_s << u"\"x"_s;
    QTest::newRow("a lone quote") << QByteArray("[S]\r\nK=\"\r\n") << u"S"_s << u"K"_s << u"\""_s;
    QTest::newRow("empty quotes") << QByteArray("[S]\r\nK=''\r\n") << u"S"_s << u"K"_s << QString();
    QTest::newRow("equals in value")
        << QByteArray("[S]\r\nK=a=b\r\n") << u"S"_s << u"K"_s << u"a=b"_s;
    QTest::newRow("first of two keys")
        << QByteArray("[S]\r\nK=1\r\nK=2\r\n") << u"S"_s << u"K"_s << u"1"_s;
    QTest::newRow("no final line break") << QByteArray("[S]\r\nK=v") << u"S"_s << u"K"_s << u"v"_s;
    QTest::newRow("LF line ends") << QByteArray("[S]\nA=1\nK=v\n") << u"S"_s << u"K"_s << u"v"_s;
    QTest::newRow("code page 1251 value")
        << QByteArray("[S]\r\nK=\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8\r\n") << u"S"_s << u"K"_s
        << u"Привет Ёё"_s;
    QTest::newRow("2047 characters") << "[S]\r\nK=" + QByteArray(2047, 'a') + "\r\n"
                                     << u"S"_s << u"K"_s << QString(2047, u'a');
    QTest::newRow("longer value cut to 2047") << "[S]\r\nK=" + QByteArray(3000, 'a') + 'b' + "\r\n"
                                              << u"S"_s << u"K"_s << QString(2047, u'a');
    QTest::newRow("quotes dropped before the cut")
        << "[S]\r\nK=\"" + QByteArray(2047, 'q') + "\"\r\n"
        << u"S"_s << u"K"_s << QString(2047, u'q');
    QTest::newRow("value of 70 000 characters cut to 2047")
        << "[S]\r\nK=" + QByteArray(2047, 'a') + QByteArray(70000, 'b') + "\r\n"
        << u"S"_s << u"K"_s << QString(2047, u'a');
    QTest::newRow("10 MB value cut to 2047")
        << "[S]\r\nK=" + QByteArray(10 * 1024 * 1024, '7') << u"S"_s << u"K"_s << QString(2047, u'7');
    QTest::newRow("quoted value of 70 000 characters")
        << "[S]\r\nK=\"" + QByteArray(70000, 'a') + "\"\r\n"
        << u"S"_s << u"K"_s << QString(2047, u'a');
    QTest::newRow("line after a long line") << "[S]\r\nX=" + QByteArray(100000, 'x') + "\r\nK=v\r\n"
                                            << u"S"_s << u"K"_s << u"v"_s;
}

void TestIniFile::readString()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const IniFile ini(fileWith(file));
    QCOMPARE(ini.readString(section, key, Default), value);
}

void TestIniFile::readInteger_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("decimal") << QByteArray("535") << 535;
    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("negative") << QByteArray("-12") << -12;
    QTest::newRow("leading zeros") << QByteArray("0042") << 42;
    QTest::newRow("blanks dropped") << QByteArray("  42  ") << 42;
    QTest::newRow("quoted") << QByteArray("\"42\"") << 42;
    QTest::newRow("dollar hex") << QByteArray("$1F") << 31;
    QTest::newRow("0x hex") << QByteArray("0x1F") << 31;
    QTest::newRow("0X hex") << QByteArray("0X1f") << 31;
    QTest::newRow("largest") << QByteArray("2147483647") << 2147483647;
    QTest::newRow("smallest") << QByteArray("-2147483648") << int(-2147483647 - 1);
    QTest::newRow("all bits") << QByteArray("$FFFFFFFF") << -1;
    QTest::newRow("minus sign bit") << QByteArray("-$80000000") << int(-2147483647 - 1);
    QTest::newRow("text") << QByteArray("abc") << -7;
    QTest::newRow("empty") << QByteArray("") << -7;
    QTest::newRow("digits then text") << QByteArray("12abc") << -7;
    QTest::newRow("decimal point") << QByteArray("1.5") << -7;
    QTest::newRow("blank inside") << QByteArray("1 2") << -7;
    QTest::newRow("dollar alone") << QByteArray("$") << -7;
    QTest::newRow("0x alone") << QByteArray("0x") << -7;
    QTest::newRow("bad hex digit") << QByteArray("$1G") << -7;
    QTest::newRow("hex letters without prefix") << QByteArray("1F") << -7;
    QTest::newRow("too large") << QByteArray("99999999999") << -7;
    QTest::newRow("minus alone") << QByteArray("-") << -7;
    QTest::newRow("cyrillic") << QByteArray("\xEF\xFF\xF2\xFC") << -7; // пять
}

void TestIniFile::readInteger()
{
    QFETCH(QByteArray, text);
    QFETCH(int, value);
    const IniFile ini(fileWith("[Position]\r\nWidth=" + text + "\r\n"));
    QCOMPARE(ini.readInteger(u"Position"_s, u"Width"_s, -7), value);
    QCOMPARE(ini.readInteger(u"Position"_s, u"Missing"_s, -7), -7);
}

void TestIniFile::garbageReadsAsMissing_data()
{
    QTest::addColumn<QByteArray>("file");

    QRandomGenerator random(1251);
    QByteArray binary(256 * 1024, Qt::Uninitialized);
    for (char &c : binary)
        c = char(random.bounded(256));
    QTest::newRow("binary bytes") << binary;
    QTest::newRow("NULs") << QByteArray(100000, '\0');
    QTest::newRow("NULs in names") << QByteArray("[Pos\0ition]\r\nLeft\0=5\r\n", 22);
    QTest::newRow("10 MB line") << QByteArray(10 * 1024 * 1024, 'x');
    QTest::newRow("a million empty lines") << QByteArray(1024 * 1024, '\n');
    QTest::newRow("10 MB section name") << '[' + QByteArray(10 * 1024 * 1024, 'P') + "]\r\nLeft=1";
    QTest::newRow("no final break") << QByteArray("[Position");
    QTest::newRow("brackets only") << QByteArray("[]\r\n[\r\n]\r\n=\r\n==\r\n[=]");
    QTest::newRow("empty file") << QByteArray();
}

void TestIniFile::garbageReadsAsMissing()
{
    QFETCH(QByteArray, file);
    const IniFile ini(fileWith(file));
    QCOMPARE(ini.readString(u"Position"_s, u"Left"_s, Default), Default);
    QCOMPARE(ini.readInteger(u"Position"_s, u"Left"_s, 371), 371);
    QCOMPARE(ini.readString(u"Settings"_s, u"Font"_s, u"Lucida Console"_s), u"Lucida Console"_s);
}

void TestIniFile::missingFileAndFolder()
{
    const IniFile missing(m_dir.filePath(u"nothing here.ini"_s));
    QCOMPARE(missing.readInteger(u"Position"_s, u"Left"_s, 371), 371);
    const IniFile inMissingFolder(m_dir.filePath(u"no/such/folder.ini"_s));
    QCOMPARE(inMissingFolder.readString(u"S"_s, u"K"_s, Default), Default);
    QDir().mkpath(m_dir.filePath(u"folder.ini"_s));
    const IniFile folder(m_dir.filePath(u"folder.ini"_s));
    QCOMPARE(folder.readString(u"S"_s, u"K"_s, Default), Default);
    // A FIFO would block the reader for ever; a device would never end.
    const QString fifo = m_dir.filePath(u"fifo.ini"_s);
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(IniFile(fifo).readString(u"S"_s, u"K"_s, Default), Default);
    QCOMPARE(IniFile(u"/dev/zero"_s).readString(u"S"_s, u"K"_s, Default), Default);
}

void TestIniFile::writeKeepsOtherLines_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const QByteArray file = "; comment\r\n"
                            "[Position]\r\n"
                            "Left=1\r\n"
                            "odd line\r\n"
                            "Width = 2\r\n"
                            "\r\n"
                            "[Settings]\r\n"
                            "Font=\"Arial\"\r\n";
    QTest::newRow("replace in place")
        << file << u"Position"_s << u"Width"_s << u"535"_s
        << QByteArray("; comment\r\n[Position]\r\nLeft=1\r\nodd line\r\nWidth=535\r\n\r\n"
                      "[Settings]\r\nFont=\"Arial\"\r\n");
    QTest::newRow("replace without case")
        << file << u"SETTINGS"_s << u"FONT"_s << u"Tahoma"_s
        << QByteArray("; comment\r\n[Position]\r\nLeft=1\r\nodd line\r\nWidth = 2\r\n\r\n"
                      "[Settings]\r\nFONT=Tahoma\r\n");
    QTest::newRow("new key at the end of its section")
        << file << u"Position"_s << u"Top"_s << u"328"_s
        << QByteArray("; comment\r\n[Position]\r\nLeft=1\r\nodd line\r\nWidth = 2\r\nTop=328\r\n"
                      "\r\n[Settings]\r\nFont=\"Arial\"\r\n");
    QTest::newRow("new key in last section")
        << file << u"Settings"_s << u"Size"_s << u"10"_s
        << QByteArray("; comment\r\n[Position]\r\nLeft=1\r\nodd line\r\nWidth = 2\r\n\r\n"
                      "[Settings]\r\nFont=\"Arial\"\r\nSize=10\r\n");
    QTest::newRow("new section")
        << file << u"Other"_s << u"K"_s << u"v"_s
        << QByteArray("; comment\r\n[Position]\r\nLeft=1\r\nodd line\r\nWidth = 2\r\n\r\n"
                      "[Settings]\r\nFont=\"Arial\"\r\n\r\n[Other]\r\nK=v\r\n");
    QTest::newRow("cyrillic value in code page 1251")
        << QByteArray("[S]\r\n") << u"S"_s << u"Font"_s << u"Шрифт"_s
        << QByteArray("[S]\r\nFont=\xD8\xF0\xE8\xF4\xF2\r\n");
    QTest::newRow("file without final break")
        << QByteArray("[S]\r\nA=1") << u"S"_s << u"A"_s << u"2"_s << QByteArray("[S]\r\nA=2\r\n");
}

void TestIniFile::writeKeepsOtherLines()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    const QString path = fileWith(before);
    IniFile ini(path);
    QVERIFY2(ini.writeString(section, key, value), qPrintable(ini.errorString()));
    QCOMPARE(contents(path), after);
    QCOMPARE(ini.readString(section, key, Default), value);
    QCOMPARE(IniFile(path).readString(section, key, Default), value);
}

void TestIniFile::writeCreatesMissingFile()
{
    const QString path = m_dir.filePath(u"created.ini"_s);
    QVERIFY(!QFileInfo::exists(path));
    IniFile ini(path);
    QVERIFY2(ini.writeInteger(u"Position"_s, u"Left"_s, 371), qPrintable(ini.errorString()));
    QCOMPARE(contents(path), QByteArray("[Position]\r\nLeft=371\r\n"));
}

// The settings file as the program creates it: sections and keys in the order of writing.
void TestIniFile::writeInOrderOfWriting()
{
    const QString path = m_dir.filePath(u"Settings.ini"_s);
    IniFile ini(path);
    const QList<std::tuple<QString, QString, QString>> values = {
        {u"Position"_s, u"Left"_s, u"371"_s},
        {u"Position"_s, u"Width"_s, u"535"_s},
        {u"Position"_s, u"Top"_s, u"328"_s},
        {u"Position"_s, u"Height"_s, u"368"_s},
        {u"Settings"_s, u"Read_Only"_s, u"0"_s},
        {u"Settings"_s, u"StatusBar"_s, u"1"_s},
        {u"Settings"_s, u"WordWrap"_s, u"1"_s},
        {u"Settings"_s, u"Browser"_s, u"1"_s},
        {u"Settings"_s, u"Font"_s, u"Lucida Console"_s},
        {u"Settings"_s, u"Size"_s, u"10"_s}};
    for (const auto &[section, key, value] : values)
        QVERIFY(ini.writeString(section, key, value));

    QList<QByteArray> lines = contents(path).split('\n');
    lines.removeIf([](const QByteArray &l) { return l.trimmed().isEmpty(); });
    for (QByteArray &l : lines)
        l = l.trimmed();
    const QList<QByteArray> expected = {
        "[Position]", "Left=371",   "Width=535",           "Top=328",
        "Height=368", "[Settings]", "Read_Only=0",         "StatusBar=1",
        "WordWrap=1", "Browser=1",  "Font=Lucida Console", "Size=10"};
    QCOMPARE(lines, expected);

    // A second exit rewrites the values in place: no key stands twice.
    for (const auto &[section, key, value] : values)
        QVERIFY(ini.writeString(section, key, value));
    lines = contents(path).split('\n');
    lines.removeIf([](const QByteArray &l) { return l.trimmed().isEmpty(); });
    QCOMPARE(lines.size(), expected.size());
}

void TestIniFile::writeIsReadBack()
{
    const QString path = m_dir.filePath(u"back.ini"_s);
    IniFile ini(path);
    QVERIFY(ini.writeInteger(u"Position"_s, u"Left"_s, -20));
    QVERIFY(ini.writeString(u"Settings"_s, u"Font"_s, u"Ёлочка"_s));
    const IniFile again(path);
    QCOMPARE(again.readInteger(u"position"_s, u"LEFT"_s, 0), -20);
    QCOMPARE(again.readString(u"Settings"_s, u"Font"_s), u"Ёлочка"_s);
}

void TestIniFile::writeKeepsGarbageBytes()
{
    QByteArray junk;
    for (int b = 0; b < 256; ++b) {
        if (b != '\n' && b != '\r')
            junk.append(char(b));
    }
    const QByteArray before =
        "[S]\r\n" + junk + "\r\n" + QByteArray(3 * 1024 * 1024, 'x') + "\r\nA=1\r\n";
    const QString path = fileWith(before);
    IniFile ini(path);
    QVERIFY(ini.writeString(u"S"_s, u"A"_s, u"2"_s));
    QByteArray expected = before;
    expected.chop(5);
    expected += "A=2\r\n";
    QCOMPARE(contents(path), expected);
}

void TestIniFile::writeFailure_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("target is a folder") << m_dir.filePath(u"target folder.ini"_s);
    QTest::newRow("parent is a file") << m_dir.filePath(u"plain file/Settings.ini"_s);
    QTest::newRow("missing folder") << m_dir.filePath(u"missing/Settings.ini"_s);
}

void TestIniFile::writeFailure()
{
    QFETCH(QString, path);
    QDir().mkpath(m_dir.filePath(u"target folder.ini/inside"_s));
    putFile(m_dir.filePath(u"plain file"_s), "plain");

    IniFile ini(path);
    QVERIFY(!ini.writeInteger(u"Position"_s, u"Left"_s, 1));
    QVERIFY(!ini.errorString().isEmpty());
    QVERIFY(QFileInfo(m_dir.filePath(u"target folder.ini/inside"_s)).isDir());
    QCOMPARE(contents(m_dir.filePath(u"plain file"_s)), QByteArray("plain"));
    // The failed value is not kept as if it had been written.
    QCOMPARE(ini.readInteger(u"Position"_s, u"Left"_s, 371), 371);
}

void TestIniFile::writeFailureKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Settings.ini"_s);
    const QByteArray old = "[Position]\r\nLeft=5\r\n";
    QVERIFY(putFile(path, old));
    const QStringList before = entries(dir.path());

    IniFile ini(path);
    {
        FileSizeLimit limit(1024);
        QVERIFY(limit.active());
        QVERIFY(!ini.writeString(u"Settings"_s, u"Font"_s, QString(2000, u'f')));
    }
    QVERIFY(!ini.errorString().isEmpty());
    QCOMPARE(contents(path), old);
    QCOMPARE(entries(dir.path()), before); // no temporary file left behind

    // The failed value is not held as if written, so the next write does not carry it along.
    QCOMPARE(ini.readString(u"Settings"_s, u"Font"_s, Default), Default);
    QVERIFY2(ini.writeInteger(u"Position"_s, u"Left"_s, 7), qPrintable(ini.errorString()));
    QCOMPARE(contents(path), QByteArray("[Position]\r\nLeft=7\r\n"));
    QVERIFY(ini.errorString().isEmpty());
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_ini_file.moc"
