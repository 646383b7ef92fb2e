#include "markup/message_html.h"

using namespace Qt::StringLiterals;

namespace markup {

QString ReplaceAll(const QString &text, const QString &pattern, const QString &replacement)
{
    // One left-to-right pass that resumes after each replacement. For the message table this
    // gives the same text as restarting at the start after every replacement: no replacement
    // holds a caret, so a replaced piece can never be part of a later match, and a pattern
    // framed by carets with none inside cannot match across the text before the resume point.
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

QStringList SplitLines(const QString &text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
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

QStringList MessageToHtml(const QString &message)
{
    QString body = PageText(SplitLines(message));
    for (const Replacement &row : MessageReplacements())
        body = ReplaceAll(body, row.tag, row.html);

    QStringList page = {u"<html>"_s, u"<head><title>Message</title></head>"_s, u"<body>"_s};
    // The body ends with CR LF and the rows add or remove no line break, so SplitLines gives
    // back exactly as many lines as the message had.
    page.append(SplitLines(body));
    page.append(u"</body>"_s);
    page.append(u"</html>"_s);
    return page;
}

} // namespace markup
