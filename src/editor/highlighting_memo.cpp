#include "editor/highlighting_memo.h"

#include <QLabel>
#include <QTextBlock>
#include <QTextLayout>

TMemo::TMemo(QWidget *parent) : QPlainTextEdit(parent) {}

int TMemo::FirstVisibleLine() const
{
    // Provisional: paragraphs, not wrapped lines.
    return firstVisibleBlock().blockNumber();
}

int TMemo::VisibleLineCount() const
{
    const int fontHeight = qAbs(QFontMetrics(font()).height());
    return height() / (fontHeight + 2);
}

int TMemo::CaretLine() const
{
    QTextCursor c = textCursor();
    c.setPosition(c.selectionStart());
    return c.blockNumber();
}

int TMemo::CaretColumn() const
{
    QTextCursor c = textCursor();
    c.setPosition(c.selectionStart());
    return c.positionInBlock();
}

void TMemo::UpdatePosition()
{
    if (!PositionLabel)
        return;
    const int line = CaretLine() + 1;
    const int column = CaretColumn();
    PositionLabel->setText(QStringLiteral("(%1,%2)").arg(line).arg(column));
    emit positionReported(line, column);
}

QString TMemo::text() const
{
    QString t = document()->toRawText();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return t;
}

void TMemo::setText(const QString &text) { setPlainText(text); }

int TMemo::lineCount() const { return text().isEmpty() ? 0 : document()->blockCount(); }

QString TMemo::lineText(int line) const
{
    QString t = document()->findBlockByNumber(line).text();
    return t;
}

void TMemo::replaceLine(int line, const QString &text)
{
    const QTextBlock block = document()->findBlockByNumber(line);
    QTextCursor c(block);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    c.insertText(text);
    setTextCursor(c);
}

QString TMemo::selectedText() const
{
    QString t = textCursor().selectedText();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return t;
}

void TMemo::replaceSelection(const QString &text) { insertPlainText(text); }
