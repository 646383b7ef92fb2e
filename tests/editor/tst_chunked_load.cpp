// A big text set in a text area arrives in pieces: what the user ends up with is what setting
// it at once gives, whatever is done while it arrives.
#include "editor/chunked_load.h"
#include "editor/highlighting_memo.h"
#include "editor/page_commands.h"
#include "platform/page_file.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Over the at-once limit, in lines of tagged text; CR LF when asked.
QString bigText(const QString &lineBreak = QStringLiteral("\n"))
{
    QString text;
    for (int i = 0; text.size() <= ChunkedLoad::AtOnce + ChunkedLoad::Piece; ++i)
        text += QStringLiteral("^bolder^Строка %1 ^url^http://x.example^сайт^").arg(i) + lineBreak;
    return text;
}

void waitUntilLoaded(TMemo &memo)
{
    QTRY_VERIFY_WITH_TIMEOUT(!memo.isLoading(), 20000);
}

} // namespace

class TestChunkedLoad : public QObject
{
    Q_OBJECT
private slots:
    void pieceEnd_data();
    void pieceEnd();
    void endsAsIfSetAtOnce_data();
    void endsAsIfSetAtOnce();
    void openedPageSavesWhole();
};

void TestChunkedLoad::pieceEnd_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("end");
    QTest::newRow("shorter than a piece") << u"ab\ncd"_qs << 0 << 10 << 9 << 5;
    QTest::newRow("cut before the next line break") << u"abc\nde\nf"_qs << 0 << 2 << 9 << 3;
    QTest::newRow("a line break right at the size") << u"ab\ncd\nef"_qs << 0 << 2 << 9 << 2;
    QTest::newRow("from a line break") << u"ab\ncd\nef"_qs << 2 << 1 << 9 << 5;
    QTest::newRow("a long last line comes whole") << u"a\nbcdefgh"_qs << 0 << 2 << 9 << 9;
    QTest::newRow("empty lines: cut by their count") << u"\n\n\n\n\n"_qs << 0 << 10 << 2 << 2;
    QTest::newRow("empty lines, from a line break") << u"\n\n\n\n\n"_qs << 2 << 10 << 2 << 4;
}

void TestChunkedLoad::pieceEnd()
{
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, size);
    QFETCH(int, lines);
    QFETCH(int, end);
    QCOMPARE(ChunkedLoad::pieceEnd(text, from, size, lines), qsizetype(end));
}

void TestChunkedLoad::endsAsIfSetAtOnce_data()
{
    QTest::addColumn<QString>("during"); // what is done while the pieces arrive
    QTest::addColumn<bool>("modified");
    QTest::newRow("nothing") << QString() << false;
    QTest::newRow("CR LF line breaks") << u"crlf"_qs << false;
    QTest::newRow("only line breaks") << u"empty"_qs << false;
    QTest::newRow("lone CRs before CR LF") << u"cr"_qs << false;
    QTest::newRow("typed at the start") << u"start"_qs << true;
    QTest::newRow("typed at the end of what is there") << u"tail"_qs << true;
    QTest::newRow("the whole text asked for") << u"text"_qs << false;
    QTest::newRow("select all") << u"selectAll"_qs << false;
    QTest::newRow("a new text set") << u"new"_qs << false;
}

void TestChunkedLoad::endsAsIfSetAtOnce()
{
    QFETCH(QString, during);
    QFETCH(bool, modified);
    const QString text = during == u"empty" ? QString(ChunkedLoad::AtOnceLines * 3, u'\n')
                                             : bigText(during == u"crlf" ? u"\r\n"_qs
                                                       : during == u"cr"   ? u"\r\r\n"_qs
                                                                           : u"\n"_qs);
    TMemo memo;
    memo.resize(400, 300);
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));
    QSignalSpy finished(&memo, &TMemo::loadingFinished);
    memo.setText(text);
    memo.document()->setModified(false);
    QVERIFY(memo.isLoading());

    // A lone CR ends a line too.
    QString expected = QString(text).replace(u"\r\n"_qs, u"\n"_qs).replace(u'\r', u'\n');
    int caret = -1;
    if (during == u"start") {
        QTest::keyClick(&memo, Qt::Key_X);
        expected.prepend(u'x');
        caret = 1;
    } else if (during == u"tail") {
        memo.moveCursor(QTextCursor::End);
        caret = memo.textCursor().position();
        QTest::keyClick(&memo, Qt::Key_X);
        expected.insert(caret++, u'x');
        memo.verticalScrollBar()->setValue(0); // the view stays where the user scrolled it
    } else if (during == u"text") {
        QCOMPARE(memo.text(), expected);
        QVERIFY(!memo.isLoading());
    } else if (during == u"selectAll") {
        QTest::keyClick(&memo, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(memo.selectedText().size(), expected.size());
    } else if (during == u"new") {
        memo.setText(u"short"_qs);
        expected = u"short"_qs;
    }
    QSignalSpy marks(memo.document(), &QTextDocument::modificationChanged);
    waitUntilLoaded(memo);
    QCOMPARE(memo.text(), expected);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(memo.document()->isModified(), modified);
    // Whoever follows the mark (the recovery copy) never hears a changed page called saved.
    for (const QList<QVariant> &mark : std::as_const(marks))
        QVERIFY(!modified || mark.at(0).toBool());
    if (!marks.isEmpty())
        QCOMPARE(marks.last().at(0).toBool(), modified);
    if (caret >= 0)
        QCOMPARE(memo.textCursor().position(), caret);
    if (during == u"tail")
        QCOMPARE(memo.verticalScrollBar()->value(), 0);
    // The arrival is no step of Undo; what is typed after it is.
    QVERIFY(!memo.document()->isUndoAvailable());
    QTest::keyClick(&memo, Qt::Key_Y);
    QVERIFY(memo.document()->isUndoAvailable());
    memo.undo();
    QCOMPARE(memo.text(), expected);
}

// Opened from a file and saved back straight away, the page is the file's bytes.
void TestChunkedLoad::openedPageSavesWhole()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"big.mv"_qs);
    const QByteArray bytes = pagefile::fromText(bigText());
    QString error;
    QVERIFY(pagefile::write(path, bytes, &error));
    TMemo memo;
    PageCommands commands([&memo] { return &memo; }, nullptr);
    QVERIFY(commands.openFile(path));
    QVERIFY(memo.isLoading());
    QVERIFY(!memo.document()->isModified());
    QVERIFY(commands.writePage(&memo, path));
    QByteArray saved;
    QVERIFY(pagefile::read(path, &saved, &error));
    QCOMPARE(saved, bytes);
}

QTEST_MAIN(TestChunkedLoad)
#include "tst_chunked_load.moc"
