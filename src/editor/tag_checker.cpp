#include "editor/tag_checker.h"

#include "editor/underline_layer.h"
#include "markup/tag_grammar.h"
#include "platform/interface_texts.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

namespace {

// The problem messages in the interface language.
QStringList messageTemplates()
{
    QStringList templates;
    for (int i = 0; i < markup::TagProblem::KindCount; ++i)
        templates.append(
            interfacetexts::text(interfacetexts::Text(interfacetexts::ProblemUnknownTag + i)));
    return templates;
}

constexpr int SliceMs = 8;

} // namespace

TagChecker::TagChecker(QPlainTextEdit *memo)
    : QObject(memo), m_memo(memo), m_layer(UnderlineLayer::of(memo)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] { checkSlice(SliceMs); });
    QTextDocument *document = memo->document();
    m_blockCount = document->blockCount();
    m_revision = document->revision();
    connect(document, &QTextDocument::contentsChange, this, &TagChecker::contentsChanged);
    connect(m_layer, &UnderlineLayer::marksChanged, this,
            [this] { emit problemsChanged(count()); });
    // The text the memo already holds.
    recheckAll();
}

int TagChecker::count() const
{
    return m_layer->count(UnderlineLayer::Problem);
}

QList<TagChecker::Problem> TagChecker::problems() const
{
    QList<Problem> found;
    QTextDocument *document = m_memo->document();
    for (const UnderlineLayer::Mark &mark : m_layer->marks(UnderlineLayer::Problem)) {
        const QTextBlock block = document->findBlock(mark.start);
        found.append({mark.start, mark.length, block.blockNumber() + 1,
                      mark.start - block.position() + 1, mark.message});
    }
    return found;
}

bool TagChecker::isPending() const
{
    return m_dirtyFirst >= 0;
}

void TagChecker::checkNow()
{
    m_timer->stop();
    checkSlice(-1);
}

void TagChecker::recheckAll()
{
    m_dirtyFirst = 0;
    m_dirtyLast = m_memo->document()->blockCount() - 1;
    m_timer->start(PauseMs);
}

void TagChecker::contentsChanged(int from, int removed, int added)
{
    QTextDocument *document = m_memo->document();
    // Colour changes of the highlighting come through here too, without an edit.
    if (removed == added && document->revision() == m_revision)
        return;
    m_revision = document->revision();
    const int first = document->findBlock(from).blockNumber();
    const int last = qMax(first, document->findBlock(from + added).blockNumber());
    // Pending block numbers after the edit move with the lines it added or removed.
    const int delta = document->blockCount() - m_blockCount;
    m_blockCount = document->blockCount();
    if (m_dirtyFirst < 0) {
        m_dirtyFirst = first;
        m_dirtyLast = last;
    } else {
        if (m_dirtyLast >= first)
            m_dirtyLast = qMax(first, m_dirtyLast + delta);
        if (m_dirtyFirst > first)
            m_dirtyFirst = qMax(first, m_dirtyFirst + delta);
        m_dirtyFirst = qMin(m_dirtyFirst, first);
        m_dirtyLast = qMax(m_dirtyLast, last);
    }
    m_dirtyLast = qMin(m_dirtyLast, m_blockCount - 1);
    m_timer->start(PauseMs);
}

void TagChecker::checkSlice(int budgetMs)
{
    if (m_dirtyFirst < 0)
        return;
    QElapsedTimer clock;
    clock.start();
    const QStringList templates = messageTemplates();
    QTextDocument *document = m_memo->document();
    QList<markup::TagToken> tokens;
    QList<markup::TagProblem> found;
    QList<UnderlineLayer::Mark> marks;
    QTextBlock block = document->findBlockByNumber(m_dirtyFirst);
    const int first = m_dirtyFirst;
    int last = first - 1;
    for (; block.isValid() && block.blockNumber() <= m_dirtyLast; block = block.next()) {
        last = block.blockNumber();
        markup::ReadLine(block.text(), &tokens, &found);
        for (const markup::TagProblem &problem : found)
            marks.append({block.position() + int(problem.column), int(problem.length),
                          markup::ProblemMessage(problem, templates)});
        if (budgetMs >= 0 && (last & 31) == 0 && clock.elapsed() >= budgetMs)
            break;
    }
    if (last >= first)
        m_layer->setMarks(UnderlineLayer::Problem, first, last, marks);
    if (!block.isValid() || last >= m_dirtyLast) {
        m_dirtyFirst = m_dirtyLast = -1;
        return;
    }
    m_dirtyFirst = last + 1;
    m_timer->start(0);
}
