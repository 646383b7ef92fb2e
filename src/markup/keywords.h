// The keyword list of the highlighting and the word routines that split a line for it.
#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace markup {

// The 37 tag words in their order, duplicates included.
const QStringList &KeywordList();

// Separators are 30 characters of code page 1251 (codes 32..47 partly, ":;=?[\]^`{}" and
// five Cyrillic signs); everything else, the tab and control characters included, is a word.
bool IsSeparator(QChar c);
// Not empty and, compared without case, an entry of the keyword list.
bool IsKeyword(QStringView word);
bool IsKeyword(QStringView word, const QStringList &keywords);
// Every character a decimal digit; true for the empty word.
bool IsNumber(QStringView word);

struct SplitWord
{
    QString separators;
    QString word;
};
// Takes the leading separator run and the following word off the line.
SplitWord SplitNextWord(QString &line);

// One run of a line, as an index range; what the highlighting paints.
struct WordSpan
{
    enum Kind { Separator, Keyword, Number, Word };
    Kind kind;
    qsizetype start;
    qsizetype length;
};
// The whole line as alternating separator runs and words, classified; the same split as
// repeated SplitNextWord, without copying.
QList<WordSpan> SplitLine(QStringView line, const QStringList &keywords = KeywordList());

} // namespace markup
