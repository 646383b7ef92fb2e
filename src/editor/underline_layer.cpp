#include "editor/underline_layer.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>

UnderlineLayer::UnderlineLayer(QPlainTextEdit *memo) : QObject(memo), m_memo(memo)
{
    // Installed after the text area's own viewport filter, so this one sees each paint first
    // and can let the text area paint before drawing on top.
    memo->viewport()->installEventFilter(this);
    m_revision = memo->document()->revision();
    connect(memo->document(), &QTextDocument::contentsChange, this,
            &UnderlineLayer::documentChanged);
}

UnderlineLayer *UnderlineLayer::of(QPlainTextEdit *memo)
{
    auto *layer = memo->findChild<UnderlineLayer *>(QString(), Qt::FindDirectChildrenOnly);
    return layer ? layer : new UnderlineLayer(memo);
}

QColor UnderlineLayer::defaultColor(int kind)
{
    // Neither the red of separators nor the orange of keyword underlines.
    return kind == Spelling ? QColor(0xE0, 0x1B, 0x24) : QColor(0xC0, 0x00, 0xC0);
}

void UnderlineLayer::setColor(int kind, const QColor &color)
{
    auto it = m_kinds.find(kind);
    if (it == m_kinds.end())
        it = m_kinds.insert(kind, KindMarks{color, {}, 0});
    it->color = color;
    if (m_memo)
        m_memo->viewport()->update();
}

QColor UnderlineLayer::color(int kind) const
{
    const auto it = m_kinds.constFind(kind);
    return it == m_kinds.constEnd() || !it->color.isValid() ? defaultColor(kind) : it->color;
}

void UnderlineLayer::setMarks(int kind, int firstBlock, int lastBlock, QList<Mark> marks)
{
    if (!m_memo)
        return;
    QTextDocument *document = m_memo->document();
    const QTextBlock first = document->findBlockByNumber(qMax(0, firstBlock));
    const QTextBlock last =
        lastBlock < 0 ? document->lastBlock() : document->findBlockByNumber(lastBlock);
    const int from = first.isValid() ? first.position() : 0;
    const int to = last.isValid() ? last.position() + last.length() : document->characterCount();

    KindMarks &target = m_kinds[kind];
    auto &list = target.marks;
    const auto begin = std::lower_bound(list.begin(), list.end(), from,
                                        [](const Mark &m, int p) { return m.start < p; });
    const auto end =
        std::lower_bound(begin, list.end(), to, [](const Mark &m, int p) { return m.start < p; });
    marks.removeIf([](const Mark &m) { return m.length <= 0; });
    // Nothing was there and nothing comes: the common case of a spelling sweep over clean
    // text, which must not repaint nor make the tag problems be counted again per block.
    if (begin == end && marks.isEmpty())
        return;
    for (Mark &mark : marks) {
        mark.kind = kind;
        target.longest = qMax(target.longest, mark.length);
    }
    std::sort(marks.begin(), marks.end(),
              [](const Mark &a, const Mark &b) { return a.start < b.start; });
    const auto at = list.erase(begin, end);
    list.insert(at, marks.begin(), marks.end());
    m_memo->viewport()->update();
    emit marksChanged();
}

void UnderlineLayer::clear(int kind)
{
    auto it = m_kinds.find(kind);
    if (it == m_kinds.end() || it->marks.empty())
        return;
    it->marks.clear();
    it->longest = 0;
    if (m_memo)
        m_memo->viewport()->update();
    emit marksChanged();
}

int UnderlineLayer::count(int kind) const
{
    const auto it = m_kinds.constFind(kind);
    return it == m_kinds.constEnd() ? 0 : int(it->marks.size());
}

QList<UnderlineLayer::Mark> UnderlineLayer::marks(int kind) const
{
    const auto it = m_kinds.constFind(kind);
    if (it == m_kinds.constEnd())
        return {};
    return QList<Mark>(it->marks.begin(), it->marks.end());
}

std::vector<UnderlineLayer::Mark>::const_iterator
UnderlineLayer::firstReaching(const KindMarks &marks, int position)
{
    // A mark that reaches `position` starts at most `longest` characters before it.
    return std::lower_bound(marks.marks.begin(), marks.marks.end(), position - marks.longest,
                            [](const Mark &m, int p) { return m.start < p; });
}

QList<UnderlineLayer::Mark> UnderlineLayer::marksAt(int position) const
{
    QList<Mark> found;
    for (const KindMarks &kind : m_kinds) {
        for (auto it = firstReaching(kind, position);
             it != kind.marks.end() && it->start <= position; ++it) {
            if (position < it->end())
                found.append(*it);
        }
    }
    return found;
}

std::optional<UnderlineLayer::Mark> UnderlineLayer::nextMark(int position, int kind,
                                                             bool wrap) const
{
    std::optional<Mark> best;
    std::optional<Mark> firstOfAll;
    for (auto k = m_kinds.constBegin(); k != m_kinds.constEnd(); ++k) {
        if ((kind >= 0 && k.key() != kind) || k->marks.empty())
            continue;
        const auto it = std::upper_bound(k->marks.begin(), k->marks.end(), position,
                                         [](int p, const Mark &m) { return p < m.start; });
        if (it != k->marks.end() && (!best || it->start < best->start))
            best = *it;
        if (!firstOfAll || k->marks.front().start < firstOfAll->start)
            firstOfAll = k->marks.front();
    }
    return best || !wrap ? best : firstOfAll;
}

std::optional<UnderlineLayer::Mark> UnderlineLayer::previousMark(int position, int kind,
                                                                 bool wrap) const
{
    std::optional<Mark> best;
    std::optional<Mark> lastOfAll;
    for (auto k = m_kinds.constBegin(); k != m_kinds.constEnd(); ++k) {
        if ((kind >= 0 && k.key() != kind) || k->marks.empty())
            continue;
        auto it = std::lower_bound(k->marks.begin(), k->marks.end(), position,
                                   [](const Mark &m, int p) { return m.start < p; });
        if (it != k->marks.begin()) {
            --it;
            if (!best || it->start > best->start)
                best = *it;
        }
        if (!lastOfAll || k->marks.back().start > lastOfAll->start)
            lastOfAll = k->marks.back();
    }
    return best || !wrap ? best : lastOfAll;
}

void UnderlineLayer::documentChanged(int from, int removed, int added)
{
    // The highlighter reports its colour changes through the same signal with equal counts;
    // only a real edit moves the document's revision.
    QTextDocument *document = m_memo ? m_memo->document() : nullptr;
    if (!document)
        return;
    const int revision = document->revision();
    if (removed == added && revision == m_revision)
        return;
    m_revision = revision;
    const int delta = added - removed;
    bool changed = false;
    for (KindMarks &kind : m_kinds) {
        auto &list = kind.marks;
        const auto size = list.size();
        // A mark touched by the edit is stale: its owner issues it again for the changed block.
        std::erase_if(list, [&](const Mark &m) {
            return m.start < from + removed && m.end() > from && !(removed == 0 && m.start == from);
        });
        changed = changed || list.size() != size;
        if (delta == 0)
            continue;
        auto it = std::lower_bound(list.begin(), list.end(), from + removed,
                                   [](const Mark &m, int p) { return m.start < p; });
        for (; it != list.end(); ++it)
            it->start += delta;
    }
    if (changed)
        emit marksChanged();
}

QList<QRect> UnderlineLayer::markRects(const Mark &mark) const
{
    QList<QRect> rects;
    if (!m_memo || mark.length <= 0)
        return rects;
    QTextDocument *document = m_memo->document();
    for (QTextBlock block = document->findBlock(mark.start);
         block.isValid() && block.position() < mark.end(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (!layout || !block.isVisible())
            continue;
        const int from = qMax(0, mark.start - block.position());
        const int to = qMin(block.length() - 1, mark.end() - block.position());
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const int segmentStart = qMax(from, line.textStart());
            const int segmentEnd = qMin(to, line.textStart() + line.textLength());
            if (segmentEnd <= segmentStart)
                continue;
            QTextCursor cursor(document);
            cursor.setPosition(block.position() + segmentStart);
            const QRect caret = m_memo->cursorRect(cursor);
            const int width = qRound(line.cursorToX(segmentEnd) - line.cursorToX(segmentStart));
            rects.append(QRect(caret.left(), caret.top(), qMax(width, 2), caret.height()));
        }
    }
    return rects;
}

void UnderlineLayer::paint(const QRect &area)
{
    QWidget *viewport = m_memo->viewport();
    const int firstPosition = m_memo->cursorForPosition(QPoint(0, 0)).block().position();
    const QTextBlock lastBlock =
        m_memo->cursorForPosition(QPoint(viewport->width(), viewport->height())).block();
    const int lastPosition = lastBlock.position() + lastBlock.length();

    QPainter painter(viewport);
    painter.setRenderHint(QPainter::Antialiasing);
    for (auto k = m_kinds.constBegin(); k != m_kinds.constEnd(); ++k) {
        if (k->marks.empty())
            continue;
        painter.setPen(QPen(color(k.key()), 1));
        for (auto it = firstReaching(*k, firstPosition);
             it != k->marks.end() && it->start < lastPosition; ++it) {
            for (const QRect &rect : markRects(*it)) {
                if (!rect.intersects(area))
                    continue;
                painter.setClipRect(rect.adjusted(0, 0, 1, 1).intersected(area));
                // A wave two pixels high, four pixels long, along the bottom of the line.
                const qreal y = rect.bottom() - 1.5;
                QPainterPath wave(QPointF(rect.left(), y));
                for (qreal x = rect.left(); x < rect.right(); x += 4) {
                    wave.quadTo(x + 1, y - 2, x + 2, y);
                    wave.quadTo(x + 3, y + 2, x + 4, y);
                }
                painter.drawPath(wave);
            }
        }
    }
}

void UnderlineLayer::showToolTip(const QPoint &viewportPos, const QPoint &globalPos)
{
    const int position = m_memo->cursorForPosition(viewportPos).position();
    QStringList messages;
    QRect where;
    for (const int at : {position, position - 1}) {
        for (const Mark &mark : marksAt(at)) {
            for (const QRect &rect : markRects(mark)) {
                if (rect.adjusted(0, 0, 0, 2).contains(viewportPos) &&
                    !messages.contains(mark.message)) {
                    messages.append(mark.message);
                    where = where.united(rect);
                }
            }
        }
    }
    if (messages.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(globalPos, messages.join(QLatin1Char('\n')), m_memo->viewport(), where);
}

bool UnderlineLayer::eventFilter(QObject *watched, QEvent *event)
{
    // Only painting and tool tips matter here. Checked first: the viewport also gets events
    // while its text area is being destroyed, when the text area must not be touched.
    if (event->type() != QEvent::Paint && event->type() != QEvent::ToolTip)
        return false;
    if (!m_memo || watched != m_memo->viewport())
        return false;
    if (event->type() == QEvent::Paint && !m_inPaint) {
        // Let the text area paint its text first, then draw the underlines over it.
        m_inPaint = true;
        QCoreApplication::sendEvent(watched, event);
        m_inPaint = false;
        paint(static_cast<QPaintEvent *>(event)->rect());
        return true;
    }
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        showToolTip(help->pos(), help->globalPos());
        return true;
    }
    return false;
}
