// The message preview: a message in caret tags turned into the lines of a small HTML page.
#pragma once

#include <QString>
#include <QStringList>

namespace markup {

// Replaces every occurrence of pattern, left to right. The result equals the rule of
// restarting every search at the start of the text when the pattern starts and ends with a
// caret and holds none inside, and the replacement is not empty, holds no caret and holds a
// character that the pattern does not (true of every row of the table).
QString ReplaceAll(const QString &text, const QString &pattern, const QString &replacement);

// The eleven rows of tag text and HTML text, in the order they are applied.
struct Replacement
{
    QString tag;
    QString html;
};
const QList<Replacement> &MessageReplacements();

// Split lines (CR LF, lone CR or lone LF; no empty line after a final break), the rows of
// the table applied in order, wrapped in the page's three head and two tail lines.
QStringList MessageToHtml(const QString &message);

// The page's head and tail lines, and the converted lines of a message between them. A tag
// never holds a line break, so a message cut after line feeds converts piece by piece into
// the same lines as a whole: that keeps the memory of a huge message small.
const QStringList &MessagePageHead();
const QStringList &MessagePageTail();
void AppendMessageLines(QStringView message, QStringList &lines);

// The text form of page lines: every line followed by CR LF.
QString PageText(const QStringList &lines);

// Lines of a text as a text area shows them: CR LF, CR or LF end a line; a final break adds
// no empty line; an empty text has no lines.
QStringList SplitLines(const QString &text);

} // namespace markup
