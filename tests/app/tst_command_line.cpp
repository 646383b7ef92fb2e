// The command-line face: the built program run on files, its output compared byte for byte.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void toLine_data();
    void toLine();
    void messageHtml_data();
    void messageHtml();
    void cyrillicFileName();
    void check_data();
    void check();
    void checkUnreadableFile();
    void pageHtml();
    void unreadableFile_data();
    void unreadableFile();
    void help();
    void wrongArguments_data();
    void wrongArguments();

private:
    struct Result
    {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };
    Result run(const QStringList &arguments);
    QString fileWith(const QByteArray &bytes, const QString &name = QString());

    QTemporaryDir m_dir;
    int m_files = 0;
};

TestCommandLine::Result TestCommandLine::run(const QStringList &arguments)
{
    QProcess process;
    process.setProgram(QStringLiteral(RR_PROGRAM));
    process.setArguments(arguments);
    // No display: the command-line face must not need one.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"DISPLAY"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.remove(u"QT_QPA_PLATFORM"_s);
    process.setProcessEnvironment(env);
    process.start();
    Result r;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return r;
    }
    r.exitCode = process.exitCode();
    r.out = process.readAllStandardOutput();
    r.err = process.readAllStandardError();
    return r;
}

QString TestCommandLine::fileWith(const QByteArray &bytes, const QString &name)
{
    const QString path = m_dir.filePath(name.isEmpty() ? u"in%1.mv"_s.arg(++m_files) : name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestCommandLine::initTestCase()
{
    QVERIFY2(QFileInfo(QStringLiteral(RR_PROGRAM)).isExecutable(), RR_PROGRAM);
    QVERIFY(m_dir.isValid());
}

void TestCommandLine::toLine_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("lines joined") << QByteArray("a b\r\nc") << QByteArray("a bc");
    QTest::newRow("final break ignored") << QByteArray("a b\r\nc\r\n") << QByteArray("a bc");
    QTest::newRow("LF only") << QByteArray("^center^\n^bolder^Hi\n")
                             << QByteArray("^center^^bolder^Hi");
    QTest::newRow("CR only") << QByteArray("one\rtwo\r") << QByteArray("onetwo");
    QTest::newRow("mixed and blank lines")
        << QByteArray("a\r\n\r\nb\n\rc\rd") << QByteArray("abcd");
    QTest::newRow("code page 1251 kept")
        << QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2,\r\n\xEC\xE8\xF0 \xA8\xB8\x98")
        << QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2,\xEC\xE8\xF0 \xA8\xB8\x98");
    QByteArray every;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            every.append(char(b));
    }
    QTest::newRow("every byte but breaks") << every + "\r\n" + every << every + every;
    QTest::newRow("long line not cut") << QByteArray(10000, 'x') + "\r\n" + QByteArray(5000, 'y')
                                       << QByteArray(10000, 'x') + QByteArray(5000, 'y');
    QTest::newRow("blanks kept") << QByteArray("  a  \r\n  b  ") << QByteArray("  a    b  ");
}

void TestCommandLine::toLine()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, line);
    const Result r = run({u"--to-line"_s, fileWith(page)});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, line);
    QCOMPARE(r.err, QByteArray());
}

static QByteArray pageOf(const QByteArray &body)
{
    return "<html>\r\n<head><title>Message</title></head>\r\n<body>\r\n" + body +
           "</body>\r\n</html>\r\n";
}

void TestCommandLine::messageHtml_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("page");

    QTest::newRow("empty") << QByteArray() << pageOf({});
    QTest::newRow("one line") << QByteArray("abc") << pageOf("abc\r\n");
    QTest::newRow("final break adds no line") << QByteArray("abc\r\n") << pageOf("abc\r\n");
    QTest::newRow("two breaks") << QByteArray("\r\n\r\n") << pageOf("\r\n\r\n");
    QTest::newRow("tags")
        << QByteArray("^bolder^Hi^br^\r\n^center^^hr^br^\r\n^Bolder^ ^url^a^b^")
        << pageOf("<b>Hi<br>\r\n<p align=\"center\">^hr<br>\r\n^Bolder^ ^url^a^b^\r\n");
    QTest::newRow("lone LF and CR become CR LF")
        << QByteArray("a\nb\rc") << pageOf("a\r\nb\r\nc\r\n");
    QTest::newRow("code page 1251 kept")
        << QByteArray("^italic^\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8\x98\x88")
        << pageOf("<i>\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8\x98\x88\r\n");
    QTest::newRow("nothing escaped")
        << QByteArray("<script>&\"'</script>") << pageOf("<script>&\"'</script>\r\n");
    QTest::newRow("tag over two lines") << QByteArray("^bol\r\nder^") << pageOf("^bol\r\nder^\r\n");
}

void TestCommandLine::messageHtml()
{
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, page);
    const Result r = run({u"--message-html"_s, fileWith(message)});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, page);
    QCOMPARE(r.err, QByteArray());
}

void TestCommandLine::cyrillicFileName()
{
    const QString path = fileWith("\xCF\xF0\xE8\r\n\xE2\xE5\xF2", u"Страница.mv"_s);
    const Result r = run({u"--to-line"_s, path});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2"));
}

void TestCommandLine::check_data()
{
    QTest::addColumn<QList<QByteArray>>("pages");
    QTest::addColumn<QByteArray>("report"); // %1, %2: the files' paths
    QTest::addColumn<int>("exitCode");

    QTest::newRow("clean page") << QList<QByteArray>{"^center^^bolder^Hi ^url^x^y^\r\n^u:Me^"}
                                << QByteArray() << 0;
    QTest::newRow("problems, 1-based")
        << QList<QByteArray>{"ok\r\n  ^bolde^ and ^url^http://x^\n^jpgl23^c^\r^u:^"}
        << QByteArray("%1:2:3: unknown tag ^bolde^\n"
                      "%1:2:15: wrong number of parts: expected ^url^ADDRESS^TEXT^\n"
                      "%1:3:5: not a number: \"l23\"\n"
                      "%1:4:1: empty reference: expected ^u:LOGIN^\n")
        << 1;
    QTest::newRow("second file has the problem")
        << QList<QByteArray>{"fine", "^bol\r\nder^"}
        << QByteArray("%2:1:1: caret left open: no closing ^ on this line\n"
                      "%2:2:4: caret left open: no closing ^ on this line\n")
        << 1;
    QTest::newRow("cyrillic detail in UTF-8")
        << QList<QByteArray>{"^\xE6\xE8\xF0^"}
        << QByteArray("%1:1:1: unknown tag ^\xD0\xB6\xD0\xB8\xD1\x80^\n") << 1;
}

void TestCommandLine::check()
{
    QFETCH(QList<QByteArray>, pages);
    QFETCH(QByteArray, report);
    QFETCH(int, exitCode);
    QStringList arguments{u"--check"_s};
    for (const QByteArray &page : pages)
        arguments.append(fileWith(page));
    const Result r = run(arguments);
    QCOMPARE(r.exitCode, exitCode);
    report.replace("%1", arguments.value(1).toUtf8()).replace("%2", arguments.value(2).toUtf8());
    QCOMPARE(r.out, report);
    QCOMPARE(r.err, QByteArray());
}

void TestCommandLine::checkUnreadableFile()
{
    // The readable files are still checked; the unreadable one decides the exit code.
    const QString broken = fileWith("^u:^");
    const Result r = run({u"--check"_s, m_dir.filePath(u"missing.mv"_s), broken});
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.out.startsWith(broken.toUtf8() + ":1:1: "));
    QVERIFY2(r.err.contains("missing.mv"), r.err.constData());
    QCOMPARE(run({u"--check"_s}).exitCode, 2);
}

void TestCommandLine::pageHtml()
{
    const Result r =
        run({u"--page-html"_s, fileWith("^bolder^\xCF\xF0\xE8\xE2\xE5\xF2 <script>x</script>")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.startsWith("<!DOCTYPE html>"));
    QVERIFY(r.out.contains("<span class=\"t-bolder\">\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2"
                           "\xD0\xB5\xD1\x82 &lt;script&gt;x&lt;/script&gt;"));
    QCOMPARE(r.err, QByteArray());
}

void TestCommandLine::unreadableFile_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("path");

    for (const QString &option : {u"--to-line"_s, u"--message-html"_s, u"--page-html"_s}) {
        QTest::addRow("%s missing", qPrintable(option))
            << option << m_dir.filePath(u"missing.mv"_s);
        QTest::addRow("%s folder", qPrintable(option)) << option << m_dir.path();
        QTest::addRow("%s cyrillic name", qPrintable(option))
            << option << m_dir.filePath(u"Нет такого.mv"_s);
    }
}

void TestCommandLine::unreadableFile()
{
    QFETCH(QString, option);
    QFETCH(QString, path);
    const Result r = run({option, path});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QByteArray());
    QVERIFY2(r.err.endsWith('\n') && r.err.count('\n') == 1, r.err.constData());
    QVERIFY2(r.err.contains(path.toUtf8()), r.err.constData());
}

void TestCommandLine::help()
{
    const Result r = run({u"--help"_s});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains("--to-line"));
    QVERIFY(r.out.contains("--message-html"));
    QVERIFY(r.out.contains("--page-html"));
    QVERIFY(r.out.contains("--check"));
    QVERIFY(r.out.contains("--help"));
    QCOMPARE(r.err, QByteArray());
}

void TestCommandLine::wrongArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknown option") << QStringList{u"--no-such-option"_s};
    QTest::newRow("file missing") << QStringList{u"--to-line"_s};
    QTest::newRow("two files") << QStringList{u"--message-html"_s, u"a"_s, u"b"_s};
}

void TestCommandLine::wrongArguments()
{
    QFETCH(QStringList, arguments);
    const Result r = run(arguments);
    QVERIFY(r.exitCode > 0);
    QCOMPARE(r.out, QByteArray());
    QVERIFY(!r.err.isEmpty());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
