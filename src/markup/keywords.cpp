#include "markup/keywords.h"

#include "markup/tag_grammar.h"

namespace markup {

const QStringList &KeywordList()
{
    // The tag grammar holds the list word by word, each with its use; "left" and "right" stand
    // twice there: once as running-line directions, once as alignments.
    static const QStringList words = [] {
        QStringList list;
        for (const TagRule &rule : TagGrammar())
            list.append(rule.word.toString());
        return list;
    }();
    return words;
}

bool IsSeparator(QChar c)
{
    // The separator set is defined on code page 1251 codes; the five Cyrillic signs are given by
    // the characters those codes stand for (Ў 161, Ё 168, Є 170, · 183, є 186, ї 191).
    switch (c.unicode()) {
    case ' ':
    case '!':
    case '"':
    case '%':
    case '\'':
    case '(':
    case ')':
    case '*':
    case '+':
    case ',':
    case '-':
    case '.':
    case '/':
    case ':':
    case ';':
    case '=':
    case '?':
    case '[':
    case '\\':
    case ']':
    case '^':
    case '`':
    case '{':
    case '}':
    case 0x040E: // Ў
    case 0x0401: // Ё
    case 0x0404: // Є
    case 0x00B7: // ·
    case 0x0454: // є
    case 0x0457: // ї
        return true;
    default:
        return false;
    }
}

bool IsKeyword(QStringView word, const QStringList &keywords)
{
    if (word.isEmpty())
        return false;
    for (const QString &k : keywords) {
        // The length test first: most words of a page differ in length from every keyword.
        if (k.size() == word.size() && word.compare(k, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool IsKeyword(QStringView word)
{
    return IsKeyword(word, KeywordList());
}

bool IsNumber(QStringView word)
{
    for (QChar c : word) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

SplitWord SplitNextWord(QString &line)
{
    SplitWord result;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n && IsSeparator(line.at(i)))
        ++i;
    const qsizetype wordStart = i;
    while (i < n && !IsSeparator(line.at(i)))
        ++i;
    result.separators = line.left(wordStart);
    result.word = line.mid(wordStart, i - wordStart);
    line.remove(0, i);
    return result;
}

QList<WordSpan> SplitLine(QStringView line, const QStringList &keywords)
{
    QList<WordSpan> spans;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype start = i;
        const bool separator = IsSeparator(line.at(i));
        while (i < n && IsSeparator(line.at(i)) == separator)
            ++i;
        WordSpan::Kind kind = WordSpan::Separator;
        if (!separator) {
            const QStringView word = line.mid(start, i - start);
            if (IsKeyword(word, keywords))
                kind = WordSpan::Keyword;
            else if (IsNumber(word))
                kind = WordSpan::Number;
            else
                kind = WordSpan::Word;
        }
        spans.append({kind, start, i - start});
    }
    return spans;
}

} // namespace markup
