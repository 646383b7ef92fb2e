#include "markup/tag_grammar.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace markup {

using namespace Qt::Literals::StringLiterals;

const QList<TagRule> &TagGrammar()
{
    // The keyword list, word by word, with what the builders make of each word.
    static const QList<TagRule> rules = {
        {u"br", TagShape::Standalone, u"^br^", {}},
        {u"u", TagShape::MemberRef, u"^u:LOGIN^", {}},
        {u"r", TagShape::NumberRef, u"^rNUMBER^", {}},
        {u"f", TagShape::NumberRef, u"^fNUMBER^", {}},
        {u"url", TagShape::Link, u"^url^ADDRESS^TEXT^", {}},
        {u"run",
         TagShape::RunningLine,
         u"^run:TYPE:BACKGROUND:DIRECTION:DURATION:COLOUR^TEXT^",
         {}},
        {u"scroll", TagShape::RunType, u"^run:TYPE:BACKGROUND:DIRECTION:DURATION:COLOUR^TEXT^", {}},
        {u"slide", TagShape::RunType, u"^run:TYPE:BACKGROUND:DIRECTION:DURATION:COLOUR^TEXT^", {}},
        {u"alternate",
         TagShape::RunType,
         u"^run:TYPE:BACKGROUND:DIRECTION:DURATION:COLOUR^TEXT^",
         {}},
        {u"left",
         TagShape::RunDirection,
         u"^run:TYPE:BACKGROUND:DIRECTION:DURATION:COLOUR^TEXT^",
         {}},
        {u"right",
         TagShape::RunDirection,
         u"^run:TYPE:BACKGROUND:DIRECTION:DURATION:COLOUR^TEXT^",
         {}},
        {u"jpg", TagShape::Image, u"^jpgNUMBER^CAPTION^", {}},
        {u"jpeg", TagShape::Image, u"^jpegNUMBER^CAPTION^", {}},
        {u"gif", TagShape::Image, u"^gifNUMBER^CAPTION^", {}},
        {u"png", TagShape::Image, u"^pngNUMBER^CAPTION^", {}},
        {u"jpgo", TagShape::Image, u"^jpgoNUMBER^CAPTION^", {}},
        {u"jpego", TagShape::Image, u"^jpegoNUMBER^CAPTION^", {}},
        {u"gifo", TagShape::Image, u"^gifoNUMBER^CAPTION^", {}},
        {u"pngo", TagShape::Image, u"^pngoNUMBER^CAPTION^", {}},
        {u"hr", TagShape::Standalone, u"^hr^", {}},
        {u"left", TagShape::Alignment, u"^left^", u"left"},
        {u"right", TagShape::Alignment, u"^right^", u"right"},
        {u"center", TagShape::Alignment, u"^center^", u"center"},
        {u"justify", TagShape::Alignment, u"^justify^", u"justify"},
        {u"n", TagShape::Cancel, u"^n^", {}},
        {u"bold", TagShape::Style, u"^bold^", u"font-weight:600"},
        {u"italic", TagShape::Style, u"^italic^", u"font-style:italic"},
        {u"underline", TagShape::Style, u"^underline^", u"text-decoration:underline"},
        {u"serif", TagShape::Style, u"^serif^", u"font-family:serif"},
        {u"arial", TagShape::Style, u"^arial^", u"font-family:Arial,sans-serif"},
        {u"text", TagShape::NumberRef, u"^textNUMBER^", {}},
        {u"bolder", TagShape::Style, u"^bolder^", u"font-weight:bold"},
        {u"lighter", TagShape::Style, u"^lighter^", u"font-weight:300"},
        {u"normal", TagShape::Style, u"^normal^", u"font-weight:normal"},
        {u"line-throught", TagShape::Style, u"^line-throught^", u"text-decoration:line-through"},
        {u"blink", TagShape::Style, u"^blink^", u"animation:rr-blink 1s step-end infinite"},
        {u"overline", TagShape::Style, u"^overline^", u"text-decoration:overline"},
    };
    return rules;
}

namespace {

// The rule of a tag word with one of the shapes, or null.
const TagRule *FindRule(QStringView word, std::initializer_list<TagShape> shapes)
{
    // Looked up for every tag of a page. The words are short and few of each length, so the
    // rules are kept by length, in the keyword list's order, and compared first by their
    // first letter: cheaper than hashing the word.
    static const auto byLength = [] {
        QList<QVarLengthArray<const TagRule *, 8>> table;
        for (const TagRule &rule : TagGrammar()) {
            if (rule.word.size() >= table.size())
                table.resize(rule.word.size() + 1);
            table[rule.word.size()].append(&rule);
        }
        return table;
    }();
    if (word.isEmpty() || word.size() >= byLength.size())
        return nullptr;
    for (const TagRule *rule : byLength[word.size()]) {
        if (rule->word.front() == word.front() &&
            std::memcmp(rule->word.utf16(), word.utf16(), word.size() * sizeof(char16_t)) == 0 &&
            std::find(shapes.begin(), shapes.end(), rule->shape) != shapes.end())
            return rule;
    }
    return nullptr;
}

} // namespace

const QList<QStringView> &ColorNames()
{
    // The sixteen colour names every browser knows.
    static const QList<QStringView> names = {
        u"aqua", u"black", u"blue",   u"fuchsia", u"gray",   u"green", u"lime",  u"maroon",
        u"navy", u"olive", u"purple", u"red",     u"silver", u"teal",  u"white", u"yellow",
    };
    return names;
}

namespace {

bool isDigits(QStringView text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool hasDigit(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isHex(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// A word of one of the shapes, compared without case (the running-line dialog writes "Scroll").
const TagRule *findWordAnyCase(QStringView word, TagShape shape)
{
    for (const TagRule &rule : TagGrammar()) {
        if (rule.shape == shape && rule.word.compare(word, Qt::CaseInsensitive) == 0)
            return &rule;
    }
    return nullptr;
}

QString wordsOf(TagShape shape)
{
    QStringList words;
    for (const TagRule &rule : TagGrammar()) {
        if (rule.shape == shape)
            words.append(rule.word.toString());
    }
    return words.join(u", "_s);
}

// The rules of a shape, longest word first, so that "jpego12" is read as "jpego" + "12".
QList<const TagRule *> longestFirst(TagShape shape)
{
    QList<const TagRule *> found;
    for (const TagRule &rule : TagGrammar()) {
        if (rule.shape == shape)
            found.append(&rule);
    }
    std::stable_sort(found.begin(), found.end(), [](const TagRule *a, const TagRule *b) {
        return a->word.size() > b->word.size();
    });
    return found;
}

// A word followed by a number, as the picture and number-reference tags write it.
struct Numbered
{
    enum Result { None, Ok, Empty, BadNumber };
    Result result = None;
    const TagRule *rule = nullptr;
    QStringView number;
};

Numbered readNumbered(QStringView head, TagShape shape)
{
    // The common case first: a word of the shape followed by digits, or the word alone.
    qsizetype digitsFrom = head.size();
    while (digitsFrom > 0 && head[digitsFrom - 1] >= u'0' && head[digitsFrom - 1] <= u'9')
        --digitsFrom;
    if (const TagRule *rule = FindRule(head.left(digitsFrom), {shape}))
        return {digitsFrom == head.size() ? Numbered::Empty : Numbered::Ok, rule,
                head.mid(digitsFrom)};
    // "jpgl23", "r1x": meant as a number, but not one.
    static const QList<const TagRule *> images = longestFirst(TagShape::Image);
    static const QList<const TagRule *> references = longestFirst(TagShape::NumberRef);
    for (const TagRule *rule : shape == TagShape::Image ? images : references) {
        const QStringView rest = head.mid(rule->word.size());
        if (head.startsWith(rule->word) && hasDigit(rest))
            return {Numbered::BadNumber, rule, rest};
    }
    return {};
}

class LineReader
{
public:
    LineReader(QStringView line, QList<TagToken> *tokens, QList<TagProblem> *problems)
        : m_line(line), m_tokens(tokens), m_problems(problems)
    {}

    void read()
    {
        const qsizetype size = m_line.size();
        qsizetype textStart = 0;
        qsizetype pos = 0;
        while (pos < size) {
            const qsizetype open = nextCaret(pos);
            if (open < 0)
                break;
            const qsizetype close = nextCaret(open + 1);
            if (close < 0) {
                problem(TagProblem::OpenCaret, open, size - open, {});
                break;
            }
            // Tokens are built in place (they are large): the text before the tag and the
            // tag go in first, and come out again when the tag shows as typed text.
            const qsizetype problemsBefore = m_problems->size();
            const qsizetype tokensBefore = m_tokens->size();
            if (open > textStart)
                appendText(textStart, open);
            TagToken &token = m_tokens->emplaceBack();
            token.start = open;
            const qsizetype end = readTag(token, open, close);
            if (m_problems->size() == problemsBefore) {
                token.length = end - open;
                textStart = end;
            } else {
                m_tokens->resize(tokensBefore);
            }
            pos = end;
        }
        if (size > textStart)
            appendText(textStart, size);
    }

private:
    void appendText(qsizetype from, qsizetype to)
    {
        TagToken &token = m_tokens->emplaceBack();
        token.start = from;
        token.length = to - from;
    }

    qsizetype at(QStringView part) const { return part.data() - m_line.data(); }

    // The next caret at or after `from`, or -1. Tags are short, so the few characters up to
    // the next caret are looked at in place; a long run of text goes to the library's
    // vectorised search.
    qsizetype nextCaret(qsizetype from) const
    {
        const qsizetype stop = std::min(m_line.size(), from + 16);
        for (qsizetype i = from; i < stop; ++i) {
            if (m_line[i] == u'^')
                return i;
        }
        return stop == m_line.size() ? -1 : m_line.indexOf(u'^', stop);
    }

    void problem(TagProblem::Kind kind, qsizetype column, qsizetype length, QStringView detail,
                 QStringView expected = {})
    {
        m_problems->append(
            {kind, column, qMax<qsizetype>(1, length), detail.toString(), expected.toString()});
    }
    void problemAt(TagProblem::Kind kind, QStringView part, QStringView expected = {})
    {
        problem(kind, at(part), part.size(), part, expected);
    }

    // Reads the parts that follow a tag's head; the position after the last one, or the end
    // of the line (with a problem) when the line holds too few carets.
    qsizetype readParts(QStringView *parts, int count, qsizetype from, qsizetype open,
                        QStringView form, bool *complete = nullptr)
    {
        if (complete)
            *complete = true;
        for (int i = 0; i < count; ++i) {
            const qsizetype close = nextCaret(from);
            if (close < 0) {
                problem(TagProblem::WrongParts, open, m_line.size() - open, {}, form);
                if (complete)
                    *complete = false;
                return m_line.size();
            }
            parts[i] = m_line.mid(from, close - from);
            from = close + 1;
        }
        return from;
    }

    void checkColor(QStringView color)
    {
        if (!IsColor(color))
            problemAt(TagProblem::BadColor, color);
    }

    qsizetype readTag(TagToken &token, qsizetype open, qsizetype close)
    {
        const QStringView head = m_line.mid(open + 1, close - open - 1);
        const qsizetype after = close + 1;
        const qsizetype length = after - open;
        if (head.isEmpty()) {
            problem(TagProblem::UnknownTag, open, length, head);
            return after;
        }
        if (std::find(head.begin(), head.end(), u':') != head.end())
            return readFields(token, head, open, after);

        if (const TagRule *rule = FindRule(head, {TagShape::Style, TagShape::Alignment,
                                                  TagShape::Cancel, TagShape::Standalone})) {
            token.kind = TagToken::Tag;
            token.rule = rule;
            return after;
        }
        if (const TagRule *rule = FindRule(head, {TagShape::Link})) {
            token.kind = TagToken::Tag;
            token.rule = rule;
            bool complete = true;
            qsizetype end = readParts(token.args, 2, after, open, rule->form, &complete);
            if (!complete)
                return end;
            if (token.args[0].isEmpty())
                problem(TagProblem::EmptyReference, open, end - open, {}, rule->form);
            const Numbered picture = readNumbered(token.args[1], TagShape::Image);
            if (picture.result == Numbered::Ok) {
                token.image.format = picture.rule;
                token.image.number = picture.number;
                end = readParts(&token.image.caption, 1, end, open,
                                u"^url^ADDRESS^FORMATNUMBER^CAPTION^");
            }
            return end;
        }
        if (const TagRule *rule = FindRule(head, {TagShape::MemberRef, TagShape::RunningLine,
                                                  TagShape::RunType, TagShape::RunDirection})) {
            problem(TagProblem::WrongParts, open, length, {}, rule->form);
            return after;
        }
        const Numbered picture = readNumbered(head, TagShape::Image);
        if (picture.result != Numbered::None) {
            token.kind = TagToken::Tag;
            token.rule = picture.rule;
            token.image.format = picture.rule;
            token.image.number = picture.number;
            numberProblem(picture, open, length);
            return readParts(&token.image.caption, 1, after, open, picture.rule->form);
        }
        const Numbered reference = readNumbered(head, TagShape::NumberRef);
        if (reference.result != Numbered::None) {
            token.kind = TagToken::Tag;
            token.rule = reference.rule;
            token.args[0] = reference.number;
            numberProblem(reference, open, length);
            return after;
        }
        problem(TagProblem::UnknownTag, open, length, head);
        return after;
    }

    void numberProblem(const Numbered &numbered, qsizetype open, qsizetype length)
    {
        if (numbered.result == Numbered::Empty)
            problem(TagProblem::EmptyReference, open, length, {}, numbered.rule->form);
        else if (numbered.result == Numbered::BadNumber)
            problemAt(TagProblem::NotANumber, numbered.number);
    }

    // Heads with fields: the running line, the member reference, the sized picture and the
    // line format.
    qsizetype readFields(TagToken &token, QStringView head, qsizetype open, qsizetype after)
    {
        const qsizetype length = after - open;
        constexpr int kept = 6; // the most fields a tag has
        QStringView fields[kept];
        int count = 0;
        for (qsizetype from = 0;; ++count) {
            const qsizetype colon = head.indexOf(u':', from);
            if (count < kept)
                fields[count] = head.mid(from, colon < 0 ? head.size() - from : colon - from);
            if (colon < 0)
                break;
            from = colon + 1;
        }
        ++count;
        token.kind = TagToken::Tag;

        if (fields[0] == u"u") {
            token.rule = FindRule(u"u", {TagShape::MemberRef});
            token.args[0] = head.mid(2);
            if (token.args[0].isEmpty())
                problem(TagProblem::EmptyReference, open, length, {}, token.rule->form);
            return after;
        }
        if (fields[0] == u"run") {
            token.rule = FindRule(u"run", {TagShape::RunningLine});
            bool complete = true;
            const qsizetype end =
                readParts(&token.args[5], 1, after, open, token.rule->form, &complete);
            if (!complete)
                return end;
            if (count != 6) {
                problem(TagProblem::WrongParts, open, end - open, {}, token.rule->form);
                return end;
            }
            for (int i = 0; i < 5; ++i)
                token.args[i] = fields[i + 1];
            if (!findWordAnyCase(token.args[0], TagShape::RunType))
                problemAt(TagProblem::BadRunValue, token.args[0], wordsOf(TagShape::RunType));
            checkColor(token.args[1]);
            if (!findWordAnyCase(token.args[2], TagShape::RunDirection))
                problemAt(TagProblem::BadRunValue, token.args[2], wordsOf(TagShape::RunDirection));
            if (!isDigits(token.args[3]))
                problemAt(TagProblem::NotANumber, token.args[3]);
            checkColor(token.args[4]);
            return end;
        }
        const Numbered picture = readNumbered(fields[0], TagShape::Image);
        if (picture.result != Numbered::None) {
            static constexpr QStringView sizedForm = u"^FORMATNUMBER:WIDTH^CAPTION^";
            token.rule = picture.rule;
            token.image.format = picture.rule;
            token.image.number = picture.number;
            token.image.hasWidth = true;
            bool complete = true;
            const qsizetype end =
                readParts(&token.image.caption, 1, after, open, sizedForm, &complete);
            if (!complete)
                return end;
            if (count != 2) {
                problem(TagProblem::WrongParts, open, end - open, {}, sizedForm);
                return end;
            }
            token.image.width = fields[1];
            numberProblem(picture, open, length);
            if (!isDigits(fields[1]))
                problemAt(TagProblem::NotANumber, fields[1]);
            return end;
        }
        const TagRule *alignment = FindRule(fields[0], {TagShape::Alignment});
        if (alignment || (count > 1 && fields[1].startsWith(u'#'))) {
            static constexpr QStringView lineForm = u"^ALIGNMENT:#BACKGROUND:#COLOUR^TEXT";
            if (count != 3) {
                problem(TagProblem::WrongParts, open, length, {}, lineForm);
                return after;
            }
            token.kind = TagToken::LineFormat;
            token.rule = alignment;
            if (!alignment)
                problemAt(TagProblem::BadAlignment, fields[0], wordsOf(TagShape::Alignment));
            for (int i = 1; i < 3; ++i) {
                if (fields[i].startsWith(u'#')) {
                    token.args[i - 1] = fields[i].mid(1);
                    checkColor(token.args[i - 1]);
                } else {
                    problemAt(TagProblem::BadColor, fields[i]);
                }
            }
            return after;
        }
        problem(TagProblem::UnknownTag, open, length, fields[0]);
        return after;
    }

    QStringView m_line;
    QList<TagToken> *m_tokens;
    QList<TagProblem> *m_problems;
};

} // namespace

bool IsColor(QStringView text)
{
    if (text.size() == 6 && std::all_of(text.begin(), text.end(), isHex))
        return true;
    return std::any_of(ColorNames().begin(), ColorNames().end(), [text](QStringView name) {
        return name.size() == text.size() && name.compare(text, Qt::CaseInsensitive) == 0;
    });
}

const QStringList &EnglishProblemTemplates()
{
    static const QStringList templates = {
        u"unknown tag ^%1^"_s,
        u"caret left open: no closing ^ on this line"_s,
        u"wrong number of parts: expected %2"_s,
        u"not a number: \"%1\""_s,
        u"not a colour: \"%1\" is neither a colour name nor six hex digits"_s,
        u"alignment \"%1\" is not one of %2"_s,
        u"empty reference: expected %2"_s,
        u"\"%1\" is not one of %2"_s,
    };
    return templates;
}

QString ProblemMessage(const TagProblem &problem, const QStringList &templates)
{
    const QStringList &chosen =
        templates.size() == TagProblem::KindCount ? templates : EnglishProblemTemplates();
    QString message = chosen.at(problem.kind);
    // Replaced by hand: the typed text may itself hold "%1".
    message.replace(u"%1"_s, QStringLiteral("\x01"));
    message.replace(u"%2"_s, problem.expected);
    message.replace(QStringLiteral("\x01"), problem.detail);
    return message;
}

QString CheckReport(QStringView text, const QString &name)
{
    QString report;
    QList<TagToken> tokens;
    QList<TagProblem> problems;
    ForEachLine(text, [&](int index, QStringView line) {
        ReadLine(line, &tokens, &problems);
        for (const TagProblem &problem : problems) {
            report += name + u':' + QString::number(index + 1) + u':' +
                      QString::number(problem.column + 1) + u": "_s + ProblemMessage(problem) +
                      u'\n';
        }
    });
    return report;
}

void ReadLine(QStringView line, QList<TagToken> *tokens, QList<TagProblem> *problems)
{
    tokens->clear();
    problems->clear();
    LineReader(line, tokens, problems).read();
}

} // namespace markup
