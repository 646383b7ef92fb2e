// The tag checker in a text area: whatever edits come before the pause ends, the marks after
// it are those of a fresh check of the whole text.
#include "editor/highlighting_memo.h"
#include "editor/tag_checker.h"
#include "markup/tag_grammar.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>

namespace {

// "line:column" of every problem of the text, checked from scratch.
QStringList freshProblems(const QString &text)
{
    QStringList found;
    QList<markup::TagToken> tokens;
    QList<markup::TagProblem> problems;
    markup::ForEachLine(text, [&](int index, QStringView line) {
        markup::ReadLine(line, &tokens, &problems);
        for (const markup::TagProblem &problem : problems)
            found.append(QStringLiteral("%1:%2").arg(index + 1).arg(problem.column + 1));
    });
    return found;
}

QStringList checkerProblems(const TagChecker &checker)
{
    QStringList found;
    for (const TagChecker::Problem &problem : checker.problems())
        found.append(QStringLiteral("%1:%2").arg(problem.line).arg(problem.column));
    return found;
}

} // namespace

class TagCheckerTest : public QObject
{
    Q_OBJECT
private slots:
    void editsBeforeThePause_data();
    void editsBeforeThePause();
    void bigPageInSlices_data();
    void bigPageInSlices();
};

void TagCheckerTest::editsBeforeThePause_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 12; ++seed)
        QTest::addRow("edits %u", seed) << seed;
}

void TagCheckerTest::editsBeforeThePause()
{
    // Random runs of typing, new lines, joined lines and pasted blocks, above, inside and
    // below the blocks that wait to be read.
    QFETCH(quint32, seed);
    static const QStringList pieces = {"^bolde^", "^u:^",  "\n",     "^url^x^",  "ok ",
                                       "^br^",    "^r1x^", "\n\n^b", "^center^", "^jpg12^c^"};
    QRandomGenerator random(seed);
    TMemo memo;
    memo.setPlainText(QStringLiteral("^bolde^ one\ntwo ^u:^\nthree\n^url^x^\nfive"));
    TagChecker checker(&memo);
    checker.checkNow();
    for (int round = 0; round < 6; ++round) {
        for (int edit = 0; edit < 8; ++edit) {
            QTextCursor cursor(memo.document());
            const int size = memo.document()->characterCount() - 1;
            cursor.setPosition(random.bounded(size + 1));
            if (random.bounded(3) == 0) {
                cursor.setPosition(qMin(size, cursor.position() + int(random.bounded(12))),
                                   QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            } else {
                cursor.insertText(pieces.at(random.bounded(pieces.size())));
            }
        }
        QVERIFY(checker.isPending());
        checker.checkNow();
        QCOMPARE(checkerProblems(checker), freshProblems(memo.toPlainText()));
    }
}

void TagCheckerTest::bigPageInSlices_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("arriving");
    QTest::newRow("checked after it was set") << 20000 << false;
    QTest::newRow("arriving in pieces") << 100000 << true;
}

void TagCheckerTest::bigPageInSlices()
{
    // A long page is read in slices after the pause; the result is the whole page's, also
    // when the page was still arriving in pieces as the checks began.
    QFETCH(int, lines);
    QFETCH(bool, arriving);
    QString text;
    for (int i = 0; i < lines; ++i)
        text += i % 7 == 0 ? QStringLiteral("^bolde^ line\n") : QStringLiteral("^bolder^ line\n");
    TMemo memo;
    std::unique_ptr<TagChecker> checker;
    if (arriving) {
        checker = std::make_unique<TagChecker>(&memo);
        memo.setText(text);
        QVERIFY(memo.isLoading());
    } else {
        memo.setPlainText(text);
        checker = std::make_unique<TagChecker>(&memo);
    }
    QTRY_VERIFY_WITH_TIMEOUT(!memo.isLoading() && !checker->isPending(), 20000);
    QCOMPARE(checker->count(), freshProblems(text).size());
}

QTEST_MAIN(TagCheckerTest)
#include "tst_tag_checker.moc"
