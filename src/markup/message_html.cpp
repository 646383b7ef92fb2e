#include "markup/message_html.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace markup {

QString ReplaceAll(const QString &text, const QString &pattern, const QString &replacement)
{
    // One left-to-right pass that resumes after each replacement. For the message table this
    // gives the same text as restarting at the start after every replacement: a pattern is
    // framed by carets with none inside, and a replacement holds no caret and a character that
    // no pattern holds ("<"), so no later occurrence can overlap a replaced piece.
    if (pattern.isEmpty())
        return text;
    qsizetype from = text.indexOf(pattern);
    if (from < 0)
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype done = 0;
    while (from >= 0) {
        result.append(QStringView(text).mid(done, from - done));
        result.append(replacement);
        done = from + pattern.size();
        from = text.indexOf(pattern, done);
    }
    result.append(QStringView(text).mid(done));
    return result;
}

const QList<Replacement> &MessageReplacements()
{
    static const QList<Replacement> rows = {
        {u"^br^"_s, u"<br>"_s},
        {u"^hr^"_s, u"<hr>"_s},
        {u"^bolder^"_s, u"<b>"_s},
        {u"^italic^"_s, u"<i>"_s},
        {u"^underline^"_s, u"<u>"_s},
        {u"^blink^"_s, u"<blink>"_s},
        {u"^line-throught^"_s, u"<s>"_s},
        {u"^left^"_s, u"<p align=\"left\">"_s},
        {u"^right^"_s, u"<p align=\"right\">"_s},
        {u"^center^"_s, u"<p align=\"center\">"_s},
        {u"^justify^"_s, u"<p align=\"justify\">"_s},
    };
    return rows;
}

QString PageText(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size() + 2;
    QString out;
    out.reserve(size);
    for (const QString &l : lines) {
        out.append(l);
        out.append(u"\r\n"_s);
    }
    return out;
}

namespace {

// The words of the tag texts ("^" + word + "^"), looked up by length first.
class TagWords
{
public:
    TagWords()
    {
        const QList<Replacement> &rows = MessageReplacements();
        for (int r = 0; r < rows.size(); ++r) {
            const QStringView word = QStringView(rows[r].tag).mid(1, rows[r].tag.size() - 2);
            if (word.size() < MaxLength)
                m_byLength[word.size()].append({word, r});
        }
    }
    // The row of the word, or -1.
    int rowOf(QStringView word) const
    {
        if (word.size() >= MaxLength)
            return -1;
        for (const auto &[tagWord, row] : m_byLength[word.size()]) {
            if (std::equal(word.begin(), word.end(), tagWord.begin()))
                return row;
        }
        return -1;
    }

private:
    static constexpr qsizetype MaxLength = 32;
    std::array<QVarLengthArray<std::pair<QStringView, int>, 4>, MaxLength> m_byLength;
};

// Collects page lines from pieces of text: CR LF, a lone CR or a lone LF ends a line, and a
// final break adds no empty line. A piece of the message ends at a caret or at the end, so a
// CR LF pair never straddles two pieces.
class LineCollector
{
public:
    explicit LineCollector(QStringList &lines) : m_lines(lines) {}

    void append(QStringView text)
    {
        qsizetype start = 0;
        const qsizetype n = text.size();
        for (qsizetype i = start; i < n; ++i) {
            const QChar c = text[i];
            if (c != u'\r' && c != u'\n')
                continue;
            endLine(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
        if (start < n)
            m_line.append(text.mid(start));
    }
    // Text known to hold no line break (the HTML of a row).
    void appendWithinLine(QStringView text) { m_line.append(text); }
    void finish()
    {
        if (!m_line.isEmpty())
            m_lines.append(QStringView(m_line).toString());
    }

private:
    void endLine(QStringView rest)
    {
        if (m_line.isEmpty()) {
            m_lines.append(rest.toString());
        } else {
            // The line buffer keeps its capacity; each line gets one allocation of its size.
            m_line.append(rest);
            m_lines.append(QStringView(m_line).toString());
            m_line.resize(0);
        }
    }

    QStringList &m_lines;
    QString m_line;
};

// Two neighbouring carets with a tag word between them.
struct CaretPair
{
    qsizetype open;
    qsizetype close;
    int row;
};

} // namespace

QStringList SplitLines(const QString &text)
{
    QStringList lines;
    LineCollector collector(lines);
    collector.append(text);
    collector.finish();
    return lines;
}

// The rows applied one after another, each by the restart-from-the-start rule, in one pass.
// Every tag text is a word framed by two carets with none inside, so an occurrence is always
// the word between two neighbouring carets of the text. A replacement takes both carets away
// and holds no caret, no line break and no character of any tag word, so the text around it
// can never again be part of an occurrence. Hence a word between two carets is replaced
// exactly when no neighbour sharing one of its carets was replaced first: by an earlier row,
// or by the same row further left. Only a chain of tag words linked by shared carets can
// interact, so each chain is decided on its own, row by row, and the text is copied once
// into its lines: the same page as the eleven whole-text replacements, in linear time.
// No tag holds a line break either, so the breaks need no joining and splitting beforehand.
QStringList MessageToHtml(const QString &message)
{
    QStringList page = MessagePageHead();
    AppendMessageLines(message, page);
    page += MessagePageTail();
    return page;
}

const QStringList &MessagePageHead()
{
    static const QStringList head = {u"<html>"_s, u"<head><title>Message</title></head>"_s,
                                     u"<body>"_s};
    return head;
}

const QStringList &MessagePageTail()
{
    static const QStringList tail = {u"</body>"_s, u"</html>"_s};
    return tail;
}

void AppendMessageLines(QStringView text, QStringList &page)
{
    static const TagWords tagWords;
    const QList<Replacement> &rows = MessageReplacements();

    LineCollector lines(page);
    qsizetype done = 0;

    QVarLengthArray<CaretPair, 64> chain;
    QVarLengthArray<bool, 65> caretTaken;
    const auto decideChain = [&] {
        if (chain.isEmpty())
            return;
        if (chain.size() == 1) { // the common case: a tag that shares no caret
            lines.append(text.mid(done, chain[0].open - done));
            lines.appendWithinLine(rows[chain[0].row].html);
            done = chain[0].close + 1;
            chain.clear();
            return;
        }
        // Pair i of the chain has carets i and i + 1; a pair whose caret is taken stays.
        caretTaken.resize(chain.size() + 1);
        std::fill(caretTaken.begin(), caretTaken.end(), false);
        for (int row = 0; row < rows.size(); ++row) {
            for (qsizetype i = 0; i < chain.size(); ++i) {
                if (chain[i].row != row || caretTaken[i] || caretTaken[i + 1])
                    continue;
                caretTaken[i] = caretTaken[i + 1] = true;
                chain[i].row = -1 - row; // replaced by this row
            }
        }
        for (const CaretPair &pair : chain) {
            if (pair.row >= 0)
                continue;
            lines.append(text.mid(done, pair.open - done));
            lines.appendWithinLine(rows[-1 - pair.row].html);
            done = pair.close + 1;
        }
        chain.clear();
    };

    // Carets are dense in tagged text: a plain loop beats a library search call per caret.
    const char16_t *const begin = text.utf16();
    const char16_t *const end = begin + text.size();
    const char16_t *previous = std::find(begin, end, u'^');
    while (previous != end) {
        const char16_t *const next = std::find(previous + 1, end, u'^');
        if (next == end)
            break;
        const int row = tagWords.rowOf(QStringView(previous + 1, next));
        if (row >= 0)
            chain.append({previous - begin, next - begin, row});
        else
            decideChain();
        previous = next;
    }
    decideChain();
    lines.append(text.mid(done));
    lines.finish();
}

} // namespace markup
