// Page files: line breaks normalised on reading, bytes written unchanged and atomically, and
// the two error texts.
#include "platform/page_file.h"
#include "write_failure.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace testsupport;

class TestPageFile : public QObject
{
    Q_OBJECT

private slots:
    void normalizeLineBreaks_data();
    void normalizeLineBreaks();
    void readNormalises_data();
    void readNormalises();
    void readFailure_data();
    void readFailure();

    void writeKeepsBytes_data();
    void writeKeepsBytes();
    void writeFailureKeepsOldFile_data();
    void writeFailureKeepsOldFile();
    void writeFailureWhenFileTooLarge_data();
    void writeFailureWhenFileTooLarge();
    void writeFailureInReadOnlyFolder();
    void writeThroughLink_data();
    void writeThroughLink();

    void textConversion_data();
    void textConversion();
    void openAndSaveGivesSameBytes();

private:
    QTemporaryDir m_dir;
};

static QByteArray everyByteBut(std::initializer_list<char> excluded)
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b) {
        if (std::find(excluded.begin(), excluded.end(), char(b)) == excluded.end())
            bytes.append(char(b));
    }
    return bytes;
}

void TestPageFile::normalizeLineBreaks_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");

    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("no breaks") << QByteArray("abc") << QByteArray("abc");
    QTest::newRow("CR LF kept") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone LF") << QByteArray("a\nb") << QByteArray("a\r\nb");
    QTest::newRow("lone CR") << QByteArray("a\rb") << QByteArray("a\r\nb");
    QTest::newRow("LF only file") << QByteArray("a\nb\nc\n") << QByteArray("a\r\nb\r\nc\r\n");
    QTest::newRow("CR only file") << QByteArray("a\rb\rc\r") << QByteArray("a\r\nb\r\nc\r\n");
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QByteArray("a\r\n\r\nb");
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QByteArray("a\r\n\r\nb");
    QTest::newRow("mixed") << QByteArray("1\r\n2\n3\r4\n\n5\r\r6\r\n")
                           << QByteArray("1\r\n2\r\n3\r\n4\r\n\r\n5\r\n\r\n6\r\n");
    QTest::newRow("only breaks") << QByteArray("\n\r") << QByteArray("\r\n\r\n");
    QTest::newRow("final lone CR") << QByteArray("abc\r") << QByteArray("abc\r\n");
    QTest::newRow("NUL and high bytes kept")
        << QByteArray("\0\xff\n\x98", 4) << QByteArray("\0\xff\r\n\x98", 5);
    QTest::newRow("every other byte kept")
        << everyByteBut({'\r', '\n'}) << everyByteBut({'\r', '\n'});
}

void TestPageFile::normalizeLineBreaks()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    QCOMPARE(pagefile::normalizeLineBreaks(input), output);
    QCOMPARE(pagefile::normalizeLineBreaks(output), output);
}

void TestPageFile::readNormalises_data()
{
    normalizeLineBreaks_data();
}

void TestPageFile::readNormalises()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    const QString path = m_dir.filePath(u"read.mv"_s);
    QVERIFY(putFile(path, input));
    QByteArray bytes = "old";
    QString error;
    QVERIFY(pagefile::read(path, &bytes, &error));
    QCOMPARE(bytes, output);
}

void TestPageFile::readFailure_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing file") << m_dir.filePath(u"missing.mv"_s);
    QTest::newRow("missing folder") << m_dir.filePath(u"no folder/page.mv"_s);
    QTest::newRow("folder") << m_dir.path();
    QTest::newRow("cyrillic name") << m_dir.filePath(u"Страница.mv"_s);
}

void TestPageFile::readFailure()
{
    QFETCH(QString, path);
    QByteArray bytes = "unchanged";
    QString error;
    QVERIFY(!pagefile::read(path, &bytes, &error));
    QCOMPARE(bytes, QByteArray("unchanged"));
    const QString head = u"Cannot open file \"%1\". "_s.arg(path);
    QVERIFY2(error.startsWith(head), qPrintable(error));
    QVERIFY2(error.size() > head.size(), "the reason is given");
}

void TestPageFile::writeKeepsBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("lone breaks are not touched") << QByteArray("a\nb\rc\r\n");
    QTest::newRow("every byte") << everyByteBut({});
    QTest::newRow("no final break") << QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2");
}

void TestPageFile::writeKeepsBytes()
{
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath(u"write.mv"_s);
    QVERIFY(putFile(path, QByteArray(5000, 'o'))); // a longer old file is replaced whole
    QString error;
    QVERIFY2(pagefile::write(path, bytes, &error), qPrintable(error));
    QCOMPARE(contents(path), bytes);
}

void TestPageFile::writeFailureKeepsOldFile_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("target is a folder") << m_dir.filePath(u"folder.mv"_s);
    QTest::newRow("parent is a file") << m_dir.filePath(u"plain/page.mv"_s);
}

void TestPageFile::writeFailureKeepsOldFile()
{
    QFETCH(QString, path);
    QDir().mkpath(m_dir.filePath(u"folder.mv/inside"_s));
    QVERIFY(putFile(m_dir.filePath(u"plain"_s), "plain file"));

    QString error;
    QVERIFY(!pagefile::write(path, "new text", &error));
    const QString head = u"Cannot create file \"%1\". "_s.arg(path);
    QVERIFY2(error.startsWith(head), qPrintable(error));
    QVERIFY2(error.size() > head.size(), "the reason is given");
    QCOMPARE(QFileInfo(m_dir.filePath(u"folder.mv"_s)).isDir(), true);
    QVERIFY(QFileInfo::exists(m_dir.filePath(u"folder.mv/inside"_s)));
    QCOMPARE(contents(m_dir.filePath(u"plain"_s)), QByteArray("plain file"));
}

void TestPageFile::writeFailureWhenFileTooLarge_data()
{
    QTest::addColumn<int>("size");
    // A small page goes through the write buffer and fails only when the file is closed.
    QTest::newRow("small page") << 2000;
    QTest::newRow("large page") << 100000;
}

void TestPageFile::writeFailureWhenFileTooLarge()
{
    QFETCH(int, size);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"page.mv"_s);
    const QByteArray old = "old page\r\nsecond line\r\n";
    QVERIFY(putFile(path, old));
    const QStringList before = entries(dir.path());

    QString error;
    {
        FileSizeLimit limit(1024);
        QVERIFY(limit.active());
        QVERIFY(!pagefile::write(path, QByteArray(size, 'x'), &error));
    }
    QVERIFY2(error.startsWith(u"Cannot create file \"%1\". "_s.arg(path)), qPrintable(error));
    QCOMPARE(contents(path), old);
    QCOMPARE(entries(dir.path()), before); // no temporary file left behind

    // Once the disk takes it again, the same write goes through.
    QVERIFY2(pagefile::write(path, QByteArray(size, 'x'), &error), qPrintable(error));
    QCOMPARE(contents(path), QByteArray(size, 'x'));
}

void TestPageFile::writeFailureInReadOnlyFolder()
{
    if (geteuid() == 0)
        QSKIP("permissions do not stop root; the size-limit case covers this");
    QTemporaryDir dir;
    const QString path = dir.filePath(u"page.mv"_s);
    QVERIFY(putFile(path, "old"));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    QString error;
    const bool written = pagefile::write(path, "new", &error);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!written);
    QVERIFY(error.startsWith(u"Cannot create file \""_s));
    QCOMPARE(contents(path), QByteArray("old"));
}

void TestPageFile::writeThroughLink_data()
{
    QTest::addColumn<savefile::Links>("links");
    QTest::addColumn<bool>("targetWritten");
    // A page opened through a link: the link stays and its target is the page.
    QTest::newRow("follow") << savefile::Links::Follow << true;
    // A file of the program's own folders: a planted link is replaced, its target untouched.
    QTest::newRow("replace") << savefile::Links::Replace << false;
}

void TestPageFile::writeThroughLink()
{
    QFETCH(savefile::Links, links);
    QFETCH(bool, targetWritten);
    const QString target = m_dir.filePath(u"target.txt"_s);
    const QString link = m_dir.filePath(u"link.html"_s);
    QFile::remove(target);
    QFile::remove(link);
    QVERIFY(putFile(target, "precious"));
    QVERIFY(QFile::link(target, link));
    QString error;
    QVERIFY2(pagefile::write(link, "new", &error, links), qPrintable(error));
    QCOMPARE(contents(target), targetWritten ? QByteArray("new") : QByteArray("precious"));
    QCOMPARE(QFileInfo(link).isSymLink(), targetWritten);
    QCOMPARE(contents(link), QByteArray("new"));
}

void TestPageFile::textConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("lines") << u"a\nb"_s << QByteArray("a\r\nb");
    QTest::newRow("final break") << u"a\n"_s << QByteArray("a\r\n");
    QTest::newRow("cyrillic") << u"Ёё\nПривет"_s
                              << QByteArray("\xA8\xB8\r\n\xCF\xF0\xE8\xE2\xE5\xF2");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("blank lines") << u"\n\n"_s << QByteArray("\r\n\r\n");
}

void TestPageFile::textConversion()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(pagefile::fromText(text), bytes);
    QCOMPARE(pagefile::toText(bytes), text);
}

void TestPageFile::openAndSaveGivesSameBytes()
{
    const QByteArray page = "^bolder^\xCF\xF0\xE8\xE2\xE5\xF2\r\n\r\n^br^ \x98\xA8\xB8\r\nlast";
    const QString path = m_dir.filePath(u"same.mv"_s);
    QVERIFY(putFile(path, page));
    QByteArray read;
    QString error;
    QVERIFY(pagefile::read(path, &read, &error));
    QVERIFY(pagefile::write(path, pagefile::fromText(pagefile::toText(read)), &error));
    QCOMPARE(contents(path), page);
}

QTEST_GUILESS_MAIN(TestPageFile)
#include "tst_page_file.moc"
