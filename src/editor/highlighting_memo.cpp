#include "editor/highlighting_memo.h"

#include "editor/caret_tag_highlighter.h"
#include "editor/chunked_load.h"
#include "markup/keywords.h"

#include <QElapsedTimer>
#include <QGlyphRun>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

TMemo::TMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    m_highlighter = new CaretTagHighlighter(font(), markup::KeywordList(), document());
    m_highlighter->setParent(this);
    m_load = new ChunkedLoad(this);
    connect(m_load, &ChunkedLoad::finished, this, &TMemo::loadingFinished);
    m_catchUp = new QTimer(this);
    m_catchUp->setSingleShot(true);
    m_catchUp->setInterval(0);
    connect(m_catchUp, &QTimer::timeout, this, &TMemo::catchUpLayout);

    // Blocks from an edited one on may have lost their layout.
    connect(document(), &QTextDocument::contentsChange, this, [this](int from, int, int) {
        const int block = document()->findBlock(from).blockNumber();
        if (block >= 0 && block < m_laidOutBefore)
            m_laidOutBefore = block;
    });
    // Connected here, first, so the owner's own text-change handling sees the new position.
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        UpdatePosition();
        Repaint();
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        UpdatePosition();
        Repaint();
    });

    // The highlighting paints fixed dark colours, so the text area keeps a light ground
    // whatever the desktop's colour scheme.
    QPalette colours = palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Base, Qt::white);
        colours.setColor(group, QPalette::Text, Qt::black);
    }
    colours.setColor(QPalette::Disabled, QPalette::Base, QColor(0xF0, 0xF0, 0xF0));
    setPalette(colours);
}

void TMemo::setReadOnly(bool readOnly)
{
    QPlainTextEdit::setReadOnly(readOnly);
    // Read-only still lets the keyboard move the caret and select, so the position panels
    // and Copy keep working.
    if (readOnly)
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TMemo::setKeywords(const QStringList &keywords)
{
    m_highlighter->setKeywords(keywords);
}

QStringList TMemo::keywords() const
{
    return m_highlighter->keywords();
}

TMemo::LayoutKey TMemo::currentLayoutKey() const
{
    LayoutKey key;
    // The document layout wraps at the viewport's width.
    key.width = viewport()->width();
    key.lineWrap = int(lineWrapMode());
    key.wordWrap = int(wordWrapMode());
    key.tabStop = tabStopDistance();
    key.font = document()->defaultFont();
    return key;
}

bool TMemo::layOutThrough(int blockNumber, int budgetMs) const
{
    const LayoutKey key = currentLayoutKey();
    if (!(key == m_layoutKey)) {
        m_layoutKey = key;
        m_laidOutBefore = 0;
    }
    if (blockNumber < m_laidOutBefore)
        return true;
    auto *layout = qobject_cast<QPlainTextDocumentLayout *>(document()->documentLayout());
    if (!layout)
        return true;
    QElapsedTimer clock;
    clock.start();
    QTextBlock block = document()->findBlockByNumber(m_laidOutBefore);
    for (int laid = 0; block.isValid() && m_laidOutBefore <= blockNumber; ++laid) {
        // The clock is read every 64 blocks, so each call makes some progress.
        if (budgetMs >= 0 && laid > 0 && (laid & 63) == 0 && clock.elapsed() >= budgetMs)
            return false;
        layout->ensureBlockLayout(block);
        ++m_laidOutBefore;
        block = block.next();
    }
    return true;
}

QTextBlock TMemo::blockOfLine(int line) const
{
    if (line < 0)
        return {};
    layOutThrough(-1); // only brings the mark up to date
    auto *layout = qobject_cast<QPlainTextDocumentLayout *>(document()->documentLayout());
    if (!layout)
        return {};
    // Lay out until the next block starts past the line; then every count before it is exact.
    QTextBlock next = document()->findBlockByNumber(m_laidOutBefore);
    while (next.isValid() && next.firstLineNumber() <= line) {
        layout->ensureBlockLayout(next);
        ++m_laidOutBefore;
        next = next.next();
    }
    const QTextBlock block = document()->findBlockByLineNumber(line);
    if (!block.isValid())
        return {};
    layout->ensureBlockLayout(block);
    const int first = block.firstLineNumber();
    if (line < first || line >= first + qMax(1, block.layout()->lineCount()))
        return {};
    return block;
}

int TMemo::lineInBlock(const QTextBlock &block, int positionInBlock)
{
    const QTextLayout *layout = block.layout();
    if (!layout)
        return 0;
    for (int i = layout->lineCount() - 1; i > 0; --i) {
        if (layout->lineAt(i).textStart() <= positionInBlock)
            return i;
    }
    return 0;
}

int TMemo::FirstVisibleLine() const
{
    const QTextBlock block = firstVisibleBlock();
    if (!block.isValid())
        return 0;
    layOutThrough(block.blockNumber());
    // The editor scrolls by whole lines, so the top line is the first one whose middle is in
    // the view (its top may sit a pixel or so above it).
    const qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    const QTextLayout *layout = block.layout();
    int line = 0;
    while (line + 1 < layout->lineCount()) {
        const QTextLine l = layout->lineAt(line);
        if (top + l.y() + l.height() / 2 > 0)
            break;
        ++line;
    }
    return block.firstLineNumber() + line;
}

int TMemo::VisibleLineCount() const
{
    const QFont f = font();
    const int fontHeight =
        f.pixelSize() > 0 ? f.pixelSize() : qRound(f.pointSizeF() * logicalDpiY() / 72.0);
    return height() / (qAbs(fontHeight) + 2);
}

int TMemo::caretStart() const
{
    // The scroll bar reports while setText is clearing the document, when the cursor may
    // still point past the new end.
    return qBound(0, textCursor().selectionStart(), document()->characterCount() - 1);
}

QPoint TMemo::positionInLines(int position) const
{
    const QTextBlock block = document()->findBlock(position);
    if (!block.isValid())
        return {};
    if (auto *layout = qobject_cast<QPlainTextDocumentLayout *>(document()->documentLayout()))
        layout->ensureBlockLayout(block);
    const int inBlock = position - block.position();
    const QTextLayout *layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return {inBlock, block.firstLineNumber()};
    const int line = lineInBlock(block, inBlock);
    // Within one displayed line there is no line break, so CR LF counting changes nothing.
    return {inBlock - layout->lineAt(line).textStart(), block.firstLineNumber() + line};
}

int TMemo::CaretLine() const
{
    const int start = caretStart();
    layOutThrough(document()->findBlock(start).blockNumber());
    return positionInLines(start).y();
}

int TMemo::CaretColumn() const
{
    // The column needs only the caret's own block laid out.
    return positionInLines(caretStart()).x();
}

void TMemo::UpdatePosition()
{
    if (!PositionLabel)
        return;
    // On a huge wrapped page the blocks above the caret may never have been laid out (after
    // opening it or changing the width); doing all of that at once would freeze the window
    // for seconds. The report lays out what fits in a few milliseconds and counts the rest
    // as the editor does, one line per block; the idle catch-up then finishes the job and
    // reports again with the exact line.
    const int start = caretStart();
    const QTextBlock block = document()->findBlock(start);
    // While a catch-up is pending, reports (three per keystroke) leave the work to it.
    if (m_catchUp->isActive() || !layOutThrough(block.blockNumber(), reportBudgetMs))
        m_catchUp->start();
    const QPoint position = positionInLines(start);
    const int line = position.y() + 1;
    const int column = position.x();
    PositionLabel->setText(QStringLiteral("(%1,%2)").arg(line).arg(column));
    emit positionReported(line, column);
}

void TMemo::catchUpLayout()
{
    const QTextBlock block = document()->findBlock(caretStart());
    if (!layOutThrough(block.blockNumber(), reportBudgetMs)) {
        m_catchUp->start();
        return;
    }
    UpdatePosition();
}

void TMemo::Repaint()
{
    viewport()->update();
}

QString TMemo::text() const
{
    // The text as the user will have it: pieces still on their way belong to it.
    const_cast<TMemo *>(this)->finishLoading();
    return textSoFar();
}

QString TMemo::textSoFar() const
{
    return textFromRaw(document()->toRawText());
}

QString TMemo::textFromRaw(QString t)
{
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    // A line break within a paragraph (pasted rich text) is a line break of the page too.
    t.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return t;
}

void TMemo::setText(const QString &text)
{
    // CR LF becomes LF, and a lone CR (which ends a block too) LF. The text then holds only
    // one kind of line break, so a big text cut into pieces before an LF never splits a CR
    // LF pair into two line breaks. Done in one pass: QString::replace moves the whole rest
    // of the text once per thousand matches, seconds on a page of a million lines.
    if (!text.contains(u'\r')) {
        m_load->set(text);
        return;
    }
    QString normalised(text.size(), Qt::Uninitialized);
    QChar *out = normalised.data();
    const QChar *in = text.constData();
    const QChar *const end = in + text.size();
    for (; in != end; ++in) {
        if (*in != u'\r')
            *out++ = *in;
        else if (in + 1 == end || in[1] != u'\n')
            *out++ = u'\n';
    }
    normalised.truncate(out - normalised.constData());
    m_load->set(std::move(normalised));
}

bool TMemo::isLoading() const
{
    return m_load->isLoading();
}

void TMemo::finishLoading()
{
    m_load->finish();
}

void TMemo::selectAll()
{
    finishLoading();
    QPlainTextEdit::selectAll();
}

int TMemo::lineCount() const
{
    const_cast<TMemo *>(this)->finishLoading(); // the count is of the whole text
    const QTextDocument *doc = document();
    if (doc->isEmpty())
        return 0;
    layOutThrough(doc->blockCount() - 1);
    int lines = doc->lineCount();
    if (doc->blockCount() > 1 && doc->lastBlock().length() == 1)
        --lines; // the empty line after a closing line break
    return lines;
}

QString TMemo::lineText(int line) const
{
    const QTextBlock block = blockOfLine(line);
    if (!block.isValid())
        return {};
    const QTextLine l = block.layout()->lineAt(line - block.firstLineNumber());
    if (!l.isValid())
        return block.text();
    // textLength() keeps the blanks at which the line wrapped, so joined lines give the text.
    return block.text().mid(l.textStart(), l.textLength());
}

void TMemo::replaceLine(int line, const QString &text)
{
    const QTextBlock block = blockOfLine(line);
    if (!block.isValid())
        return;
    int start = block.position();
    int length = block.length() - 1;
    const QTextLine l = block.layout()->lineAt(line - block.firstLineNumber());
    if (l.isValid()) {
        start = block.position() + l.textStart();
        length = l.textLength();
    }
    replaceRange(start, length, text);
}

QPair<int, int> TMemo::caretLineRange() const
{
    const int start = caretStart();
    const QTextBlock block = document()->findBlock(start);
    if (!block.isValid())
        return {0, 0};
    if (auto *layout = qobject_cast<QPlainTextDocumentLayout *>(document()->documentLayout()))
        layout->ensureBlockLayout(block);
    const QTextLayout *layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return {block.position(), block.length() - 1};
    const QTextLine l = layout->lineAt(lineInBlock(block, start - block.position()));
    return {block.position() + l.textStart(), l.textLength()};
}

QString TMemo::caretLineText() const
{
    const auto [start, length] = caretLineRange();
    const QTextBlock block = document()->findBlock(start);
    return block.text().mid(start - block.position(), length);
}

void TMemo::replaceCaretLine(const QString &text)
{
    const auto [start, length] = caretLineRange();
    replaceRange(start, length, text);
}

void TMemo::replaceRange(int start, int length, const QString &text)
{
    // One edit, so one undo step; the caret ends after the new text, nothing selected.
    QTextCursor c(document());
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    c.insertText(text);
    setTextCursor(c);
}

QString TMemo::selectedText() const
{
    QString t = textCursor().selectedText();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return t;
}

void TMemo::replaceSelection(const QString &text)
{
    insertPlainText(text);
}

void TMemo::keyPressEvent(QKeyEvent *event)
{
    // Reported before the key acts, so it shows where the key was pressed.
    UpdatePosition();
    // Keys that reach for the end of the text reach for the whole text.
    if (event == QKeySequence::SelectAll || event == QKeySequence::MoveToEndOfDocument ||
        event == QKeySequence::SelectEndOfDocument)
        finishLoading();
    // Shift+Enter would put a line separator inside the paragraph: a character the page's
    // code page cannot hold. In a page it is an ordinary line break.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::ShiftModifier) {
        QKeyEvent plain(event->type(), event->key(), Qt::NoModifier, event->text(),
                        event->isAutoRepeat(), ushort(event->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TMemo::keyReleaseEvent(QKeyEvent *event)
{
    QPlainTextEdit::keyReleaseEvent(event);
    UpdatePosition();
}

void TMemo::mousePressEvent(QMouseEvent *event)
{
    QPlainTextEdit::mousePressEvent(event);
    UpdatePosition();
}

void TMemo::mouseReleaseEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    UpdatePosition();
}

void TMemo::paintEvent(QPaintEvent *event)
{
    const QTextBlock first = firstVisibleBlock();
    if (first.isValid()) {
        // The blocks in view: from the first one down to the first below the bottom edge.
        const qreal bottom = viewport()->height();
        QTextBlock last = first;
        qreal top = blockBoundingGeometry(first).translated(contentOffset()).top();
        while (last.next().isValid() && top + blockBoundingRect(last).height() <= bottom) {
            top += blockBoundingRect(last).height();
            last = last.next();
        }
        // Text still waiting for its colours gets them before it is drawn.
        if (m_highlighter->isPending())
            m_highlighter->highlightNow(first.position(), last.position() + last.length() - 1);
        QPlainTextEdit::paintEvent(event);
        paintLongLineColours(first, last);
        return;
    }
    QPlainTextEdit::paintEvent(event);
}

void TMemo::paintLongLineColours(const QTextBlock &first, const QTextBlock &last)
{
    // A long line is laid out with its ink hidden (one format for the whole line, so the
    // layout costs what a plain one does); its colours are drawn here over the stretch in
    // view, glyph run by glyph run, exactly where the layout placed the glyphs. Selected
    // text keeps the selection's own colours, drawn by the editor.
    QPainter painter(viewport());
    const QPointF offset = contentOffset();
    const qreal height = viewport()->height();
    const QTextCursor cursor = textCursor();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (block.length() - 1 > CaretTagHighlighter::LongLine && layout &&
            layout->lineCount() > 0) {
            const QPointF origin = blockBoundingGeometry(block).translated(offset).topLeft();
            const int selectionStart = cursor.selectionStart() - block.position();
            const int selectionEnd = cursor.selectionEnd() - block.position();
            const QString text = block.text();
            for (int i = 0; i < layout->lineCount(); ++i) {
                const QTextLine line = layout->lineAt(i);
                if (origin.y() + line.y() + line.height() < 0)
                    continue;
                if (origin.y() + line.y() > height)
                    break;
                const int lineEnd = line.textStart() + line.textLength();
                for (const CaretTagHighlighter::Run &run :
                     m_highlighter->runsIn(text, line.textStart(), lineEnd)) {
                    const int start = qMax(run.start, line.textStart());
                    const int end = qMin(run.start + run.length, lineEnd);
                    // The parts of the run outside the selection.
                    const std::pair<int, int> parts[2] = {{start, qMin(end, selectionStart)},
                                                          {qMax(start, selectionEnd), end}};
                    for (const auto &[from, to] : parts) {
                        if (from >= to)
                            continue;
                        painter.setPen(run.format.foreground().color());
                        for (const QGlyphRun &glyphs : line.glyphRuns(from, to - from))
                            painter.drawGlyphRun(origin, glyphs);
                        if (run.format.underlineStyle() == QTextCharFormat::DotLine) {
                            const qreal x1 = line.cursorToX(from);
                            const qreal x2 = line.cursorToX(to);
                            const qreal y = origin.y() + line.y() + line.ascent() +
                                            QFontMetricsF(font()).underlinePos();
                            painter.setPen(QPen(run.format.underlineColor(), 1, Qt::DotLine));
                            painter.drawLine(QPointF(origin.x() + x1, y),
                                             QPointF(origin.x() + x2, y));
                        }
                    }
                }
            }
        }
        if (block == last)
            break;
    }
}

void TMemo::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    Repaint();
}

void TMemo::moveEvent(QMoveEvent *event)
{
    QPlainTextEdit::moveEvent(event);
    Repaint();
}

void TMemo::wheelEvent(QWheelEvent *event)
{
    QPlainTextEdit::wheelEvent(event);
    Repaint();
}

void TMemo::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_highlighter)
        m_highlighter->setAreaFont(font());
}
