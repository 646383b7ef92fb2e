// The grammar of caret tags as the builders write them: one table of tag words, and the reader
// that splits a line into text and tags and finds the tags the site cannot read.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace markup {

// How a word of the grammar is used.
enum class TagShape {
    Style,        // ^word^, governs the text after it until ^n^
    Alignment,    // ^word^ paragraph alignment; also the first field of a line format
    Cancel,       // ^n^
    Standalone,   // ^br^, ^hr^
    Link,         // ^url^ADDRESS^TEXT^; TEXT may be a picture (the image link)
    MemberRef,    // ^u:LOGIN^
    NumberRef,    // ^rN^, ^fN^, ^textN^
    Image,        // ^jpgN^CAPTION^, ^jpgN:WIDTH^CAPTION^; the "o" words give natural size
    RunningLine,  // ^run:TYPE:BG:DIRECTION:DURATION:COLOUR^TEXT^
    RunType,      // a word of a running line's type field
    RunDirection, // a word of a running line's direction field
};

struct TagRule
{
    QStringView word;
    TagShape shape;
    QStringView form; // the written form, for messages: "^url^ADDRESS^TEXT^"
    QStringView css;  // Style: the CSS declaration; Alignment: the text-align value
};

// Every word of the keyword list with its use, in the keyword list's order (the words that
// serve twice, "left" and "right", stand twice).
const QList<TagRule> &TagGrammar();
// The colour names a colour field may hold besides six hexadecimal digits.
const QList<QStringView> &ColorNames();
// Six hexadecimal digits or a colour name (either case).
bool IsColor(QStringView text);

// One problem of a line, at a character range of it (0-based).
struct TagProblem
{
    enum Kind {
        UnknownTag,     // detail: the word
        OpenCaret,      // a caret with no closing caret on its line
        WrongParts,     // detail: the expected form
        NotANumber,     // detail: the text
        BadColor,       // detail: the text
        BadAlignment,   // detail: the word
        EmptyReference, // detail: the expected form
        BadRunValue,    // detail: the text; expected: the allowed words
    };
    static constexpr int KindCount = BadRunValue + 1;
    Kind kind;
    qsizetype column;
    qsizetype length;
    QString detail;   // the faulty text as typed
    QString expected; // the form or the words that would be right
};

// The message of a problem: templates[kind] with %1 the detail and %2 the expected text, or,
// without templates, the English messages the command line prints.
QString ProblemMessage(const TagProblem &problem, const QStringList &templates = {});
// The English templates, in the order of TagProblem::Kind.
const QStringList &EnglishProblemTemplates();

// A picture as a tag names it.
struct ImageRef
{
    const TagRule *format = nullptr; // null: no picture
    QStringView number;
    QStringView width; // the sized form's width, when hasWidth
    bool hasWidth = false;
    QStringView caption;
    bool natural() const { return format && format->word.endsWith(u'o'); }
};

// One piece of a line: plain text (faulty tags included, as typed) or a tag that reads well.
struct TagToken
{
    enum Kind { Text, Tag, LineFormat };
    Kind kind = Text;
    qsizetype start = 0;
    qsizetype length = 0;
    const TagRule *rule = nullptr; // Tag: the word's rule; LineFormat: the alignment
    // Link: address, text; MemberRef: login; NumberRef: number; RunningLine: type, background,
    // direction, duration, colour, text; LineFormat: background, text colour (without "#").
    QStringView args[6];
    ImageRef image; // Image, and a Link whose text is a picture
};

// Splits one line (no line breaks in it) into tokens and problems; both lists are cleared
// first. Every character belongs to exactly one token. A line format's text is the tokens
// after it. Linear in the line's length.
void ReadLine(QStringView line, QList<TagToken> *tokens, QList<TagProblem> *problems);

// Every problem of a text, one line each: "NAME:LINE:COLUMN: message" (1-based, English), as
// the command line prints them; empty for a text without problems.
QString CheckReport(QStringView text, const QString &name);

// Splits a text into lines at CR LF, CR or LF and calls f(lineIndex, line) for each; a line
// break at the very end adds no line.
template <typename F> void ForEachLine(QStringView text, F &&f)
{
    qsizetype start = 0;
    int index = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r')
            continue;
        f(index++, text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        f(index, text.mid(start));
}

} // namespace markup
