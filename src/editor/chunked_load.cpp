#include "editor/chunked_load.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

ChunkedLoad::ChunkedLoad(QPlainTextEdit *area) : QObject(area), m_area(area)
{
    m_steps = new QTimer(this);
    m_steps->setInterval(0);
    connect(m_steps, &QTimer::timeout, this,
            [this] { appendUpTo(pieceEnd(m_rest, m_at)); });
}

qsizetype ChunkedLoad::pieceEnd(QStringView text, qsizetype from, qsizetype size,
                                qsizetype lines)
{
    // A piece after the first starts with the line break that ends the text before it.
    qsizetype end = from;
    for (qsizetype counted = 1;; ++counted) {
        end = text.indexOf(u'\n', end + 1);
        if (end < 0)
            return text.size();
        if (end - from >= size || counted >= lines)
            return end;
    }
}

void ChunkedLoad::set(QString text)
{
    const bool wasLoading = isLoading();
    stop();
    const bool atOnce = text.size() <= AtOnce && text.count(u'\n') <= AtOnceLines;
    const qsizetype first = atOnce ? text.size() : pieceEnd(text, 0);
    if (first == text.size()) {
        m_area->setPlainText(text);
    } else {
        // Marked as loading before the first piece goes in, so that whoever watches the
        // text already knows more is coming.
        m_rest = std::move(text);
        m_at = first;
        m_area->setPlainText(m_rest.first(first));
        // Whoever watches the text may have asked for all of it already.
        if (isLoading())
            m_steps->start();
        return;
    }
    if (wasLoading)
        emit finished();
}

void ChunkedLoad::finish()
{
    if (!isLoading())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    appendUpTo(m_rest.size());
    QGuiApplication::restoreOverrideCursor();
}

void ChunkedLoad::appendUpTo(qsizetype end)
{
    QTextDocument *document = m_area->document();
    // An append is not an edit: the page stays as unmodified as the user left it.
    const bool modified = document->isModified();
    // A caret or selection end standing at the very end would be pushed past the new text.
    const int tail = document->characterCount() - 1;
    const int caretAnchor = m_area->textCursor().anchor();
    const int caretPosition = m_area->textCursor().position();
    QScrollBar *bars[] = {m_area->horizontalScrollBar(), m_area->verticalScrollBar()};

    // Moved on before the insert: whoever watches the text may ask for the rest meanwhile.
    const QString piece = m_rest.sliced(m_at, end - m_at);
    m_at = end;
    QTextCursor append(document);
    append.movePosition(QTextCursor::End);
    append.insertText(piece);

    if (caretAnchor == tail || caretPosition == tail) {
        QTextCursor kept(document);
        kept.setPosition(caretAnchor);
        kept.setPosition(caretPosition, QTextCursor::KeepAnchor);
        // Setting the caret scrolls to it; the view stays where the user scrolled it.
        const int scrolled[] = {bars[0]->value(), bars[1]->value()};
        m_area->setTextCursor(kept);
        bars[0]->setValue(scrolled[0]);
        bars[1]->setValue(scrolled[1]);
    }
    // Undo stays on, so that the colouring of what arrived (or anything else that touches
    // the document) does not count as a change; the append itself is dropped from the
    // history at once. The modified mark is then set anew, as the history it refers to is
    // gone: what the user typed before this piece can no longer be undone.
    document->clearUndoRedoStacks();
    if (modified) {
        // Unheard: for a moment the page would count as saved, and the recovery copy of
        // its unsaved text would be dropped.
        const QSignalBlocker quiet(document);
        document->setModified(false);
        document->setModified(true);
    } else {
        document->setModified(false);
    }
    if (!isLoading() && !m_rest.isNull()) {
        stop();
        emit finished();
    }
}

void ChunkedLoad::stop()
{
    m_steps->stop();
    m_rest = QString();
    m_at = 0;
}
