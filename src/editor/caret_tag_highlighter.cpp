#include "editor/caret_tag_highlighter.h"

#include "markup/keywords.h"

#include <QElapsedTimer>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

namespace {

// One idle slice of colouring: short enough that the window answers input at once.
constexpr qint64 SliceNs = 8'000'000;

} // namespace

CaretTagHighlighter::CaretTagHighlighter(const QFont &areaFont, const QStringList &keywords,
                                         QTextDocument *document)
    : QSyntaxHighlighter(static_cast<QObject *>(nullptr)), m_keywords(keywords)
{
    buildFormats(areaFont);
    m_slices = new QTimer(this);
    m_slices->setInterval(0);
    connect(m_slices, &QTimer::timeout, this, &CaretTagHighlighter::colourSlice);
    // Attached after the formats exist. The base class would colour every change at once,
    // and the whole text again a moment later; this class decides itself what is coloured
    // when, so it takes over the document's change reports and colours the text it has now
    // (which also settles the base class's own pending pass).
    setDocument(document);
    if (document) {
        disconnect(document, SIGNAL(contentsChange(int, int, int)), this,
                   SLOT(_q_reformatBlocks(int, int, int)));
        connect(document, &QTextDocument::contentsChange, this,
                &CaretTagHighlighter::contentsChanged);
        m_colouring = true;
        rehighlight();
        m_colouring = false;
    }
}

void CaretTagHighlighter::contentsChanged(int from, int, int charsAdded)
{
    if (m_colouring)
        return; // new colours of a block, not new text
    const int end = from + charsAdded;
    if (charsAdded <= ImmediateLimit) {
        colour(from, end);
        return;
    }
    // A range that meets one already waiting joins it. Ranges follow the edits, and one that
    // ends where text is appended (a big page arriving in pieces) grows over the new text:
    // kept apart, every piece would be coloured again by every range before it.
    int start = from;
    int stop = qMin(end, document()->characterCount() - 1);
    for (qsizetype i = m_pending.size() - 1; i >= 0; --i) {
        const QTextCursor &waiting = m_pending.at(i);
        if (waiting.selectionEnd() + 1 >= start && waiting.selectionStart() <= stop + 1) {
            start = qMin(start, waiting.selectionStart());
            stop = qMax(stop, waiting.selectionEnd());
            m_pending.removeAt(i);
        }
    }
    QTextCursor range(document());
    range.setPosition(start);
    range.setPosition(stop, QTextCursor::KeepAnchor);
    m_pending.append(range);
    m_slices->start();
}

int CaretTagHighlighter::colour(int from, int to, qint64 budgetNs)
{
    QTextDocument *doc = document();
    QElapsedTimer clock;
    clock.start();
    QTextBlock block = doc->findBlock(from);
    m_colouring = true;
    // New colours are no new text: whoever follows the text (the message preview, the caret
    // report) must not hear of them. The layout still redraws the block.
    const QSignalBlocker quiet(doc);
    while (block.isValid() && block.position() <= to) {
        if (budgetNs >= 0 && clock.nsecsElapsed() >= budgetNs)
            break;
        if (block.layout() && !block.layout()->preeditAreaText().isEmpty())
            rehighlightBlock(block); // the base class keeps an input method's composed text
        else
            setRanges(block, rangesOf(block));
        block = block.next();
    }
    m_colouring = false;
    return block.isValid() ? block.position() : doc->characterCount();
}

QList<QTextLayout::FormatRange> CaretTagHighlighter::rangesOf(const QTextBlock &block) const
{
    if (block.length() - 1 > LongLine)
        return {{0, block.length() - 1, m_hiddenInk}}; // a long line: see LongLine
    // The spans alternate between separators and words and cover the line, so each is a
    // range of its own, as the base class would merge them.
    QList<QTextLayout::FormatRange> ranges;
    for (const markup::WordSpan &span : markup::SplitLine(block.text(), m_keywords))
        ranges.append({int(span.start), int(span.length), formatOf(span.kind)});
    return ranges;
}

void CaretTagHighlighter::setRanges(const QTextBlock &block,
                                    const QList<QTextLayout::FormatRange> &wanted)
{
    // Straight into the layout. The base class's rehighlightBlock lays the block out first
    // (moving its cursor needs the layout) and throws that away with the new formats: most of
    // the time of colouring a big page. It also builds and compares a format for every
    // character, megabytes of work per keystroke in a long line.
    QTextLayout *layout = block.layout();
    if (layout->formats() == wanted)
        return;
    layout->setFormats(wanted);
    document()->markContentsDirty(block.position(), block.length());
}

void CaretTagHighlighter::highlightNow(int from, int to)
{
    if (m_pending.isEmpty())
        return;
    // The blocks of the wanted stretch, to cut out of every waiting range.
    const QTextBlock first = document()->findBlock(from);
    const QTextBlock last = document()->findBlock(to);
    if (!first.isValid())
        return;
    const int wantedStart = first.position();
    const int wantedEnd =
        last.isValid() ? last.position() + last.length() - 1 : document()->characterCount() - 1;
    QList<QTextCursor> rest;
    for (const QTextCursor &range : std::as_const(m_pending)) {
        const int start = range.selectionStart();
        const int end = range.selectionEnd();
        if (end < wantedStart || start > wantedEnd) {
            rest.append(range);
            continue;
        }
        colour(qMax(start, wantedStart), qMin(end, wantedEnd));
        // What lies before and after the coloured stretch still waits.
        if (start < wantedStart) {
            QTextCursor before(document());
            before.setPosition(start);
            before.setPosition(wantedStart - 1, QTextCursor::KeepAnchor);
            rest.append(before);
        }
        if (end > wantedEnd) {
            QTextCursor after(document());
            after.setPosition(wantedEnd + 1);
            after.setPosition(end, QTextCursor::KeepAnchor);
            rest.append(after);
        }
    }
    m_pending = rest;
    if (m_pending.isEmpty())
        m_slices->stop();
}

void CaretTagHighlighter::colourSlice()
{
    if (m_pending.isEmpty()) {
        m_slices->stop();
        return;
    }
    QTextCursor &range = m_pending.first();
    const int end = range.selectionEnd();
    const int stopped = colour(range.selectionStart(), end, SliceNs);
    if (stopped > end) {
        m_pending.removeFirst();
    } else {
        range.setPosition(stopped);
        range.setPosition(end, QTextCursor::KeepAnchor);
    }
    if (m_pending.isEmpty())
        m_slices->stop();
}

void CaretTagHighlighter::finish()
{
    while (!m_pending.isEmpty()) {
        const QTextCursor range = m_pending.takeFirst();
        colour(range.selectionStart(), range.selectionEnd());
    }
    m_slices->stop();
}

void CaretTagHighlighter::recolourAll()
{
    QTextDocument *doc = document();
    if (!doc)
        return;
    m_pending.clear();
    contentsChanged(0, 0, doc->characterCount());
}

QFont CaretTagHighlighter::drawingFont(const QFont &areaFont)
{
    QFont font;
    if (areaFont.families().isEmpty())
        font.setFamily(areaFont.family());
    else
        font.setFamilies(areaFont.families());
    // The style hint carries the fallback for families that Linux lacks.
    font.setStyleHint(areaFont.styleHint(), areaFont.styleStrategy());
    if (areaFont.pixelSize() > 0)
        font.setPixelSize(areaFont.pixelSize());
    else
        font.setPointSizeF(areaFont.pointSizeF());
    return font;
}

void CaretTagHighlighter::buildFormats(const QFont &areaFont)
{
    QTextCharFormat base;
    // Every property of the font is written, so a bold or italic area font cannot leak
    // into the drawing.
    base.setFont(drawingFont(areaFont), QTextCharFormat::FontPropertiesAll);

    m_separator = base;
    m_separator.setForeground(separatorColor());
    m_keyword = base;
    m_keyword.setForeground(keywordColor());
    m_keyword.setUnderlineStyle(QTextCharFormat::DotLine);
    m_keyword.setUnderlineColor(keywordUnderlineColor());
    m_number = base;
    m_number.setForeground(numberColor());
    m_word = base;
    m_word.setForeground(wordColor());

    // Only the ink: a font in the format would cost the layout of a long line dearly.
    m_hiddenInk = QTextCharFormat();
    m_hiddenInk.setForeground(QColor(Qt::transparent));
}

const QTextCharFormat &CaretTagHighlighter::formatOf(int kind) const
{
    switch (kind) {
    case markup::WordSpan::Separator:
        return m_separator;
    case markup::WordSpan::Keyword:
        return m_keyword;
    case markup::WordSpan::Number:
        return m_number;
    default:
        return m_word;
    }
}

QList<CaretTagHighlighter::Run> CaretTagHighlighter::runsIn(const QString &line, int from,
                                                            int to) const
{
    QList<Run> runs;
    from = qBound(0, from, int(line.size()));
    to = qBound(from, to, int(line.size()));
    if (from == to)
        return runs;
    // Runs change where separators and word characters meet, so the stretch widened to the
    // runs it cuts splits exactly as the whole line does there.
    int start = from;
    while (start > 0 &&
           markup::IsSeparator(line.at(start - 1)) == markup::IsSeparator(line.at(start)))
        --start;
    int end = to;
    while (end < line.size() &&
           markup::IsSeparator(line.at(end)) == markup::IsSeparator(line.at(end - 1)))
        ++end;
    for (const markup::WordSpan &span :
         markup::SplitLine(QStringView(line).mid(start, end - start), m_keywords))
        runs.append({start + int(span.start), int(span.length), formatOf(span.kind)});
    return runs;
}

void CaretTagHighlighter::setAreaFont(const QFont &areaFont)
{
    buildFormats(areaFont);
    recolourAll();
}

void CaretTagHighlighter::setKeywords(const QStringList &keywords)
{
    m_keywords = keywords;
    recolourAll();
}

void CaretTagHighlighter::highlightBlock(const QString &)
{
    // Only for the constructor's first pass and an input method's composed text: colour()
    // sets the same ranges straight into the layout.
    for (const QTextLayout::FormatRange &range : rangesOf(currentBlock()))
        setFormat(range.start, range.length, range.format);
}
