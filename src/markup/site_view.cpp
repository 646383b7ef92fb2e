#include "markup/site_view.h"

#include "markup/site.h"
#include "markup/tag_grammar.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

namespace markup {

using namespace Qt::Literals::StringLiterals;

namespace {

// Running lines move with CSS animation (scripts stay off): "left" moves the text towards the
// left edge; scroll passes through, slide comes in and stays, alternate goes to and fro.
constexpr std::string_view pageStyle =
    "body{font-family:sans-serif;font-size:14px;margin:6px;word-wrap:break-word}"
    "hr{border:0;border-top:1px solid #999}"
    // Only the transform moves, which the engine animates without laying the page out again.
    // Running lines out of sight are neither painted nor animated.
    ".run{overflow:hidden;white-space:nowrap;content-visibility:auto;"
    "contain-intrinsic-size:auto 1.3em}"
    ".run>span{display:inline-block;padding-left:100%;white-space:nowrap;will-change:transform;"
    "animation-name:rr-run;animation-timing-function:linear;animation-iteration-count:infinite}"
    ".run-scroll-right>span{animation-direction:reverse}"
    ".run-slide-left>span{animation-name:rr-slide;animation-iteration-count:1;"
    "animation-fill-mode:forwards}"
    ".run-slide-right>span{animation-name:rr-slide;animation-iteration-count:1;"
    "animation-fill-mode:forwards;animation-direction:reverse}"
    ".run-alternate-left>span{animation-direction:alternate}"
    ".run-alternate-right>span{animation-direction:alternate-reverse}"
    "@keyframes rr-run{from{transform:translateX(0)}to{transform:translateX(-100%)}}"
    "@keyframes rr-slide{from{transform:translateX(0)}to{transform:translateX(-50%)}}"
    "@keyframes rr-blink{50%{visibility:hidden}}"
    // A picture that cannot be loaded shows its caption in a frame instead of a broken icon:
    // the engine draws an image's ::before only when the image has failed.
    "img.pic{position:relative;vertical-align:bottom}"
    "img.pic::before{content:attr(alt);position:absolute;left:0;top:0;right:0;bottom:0;"
    "display:block;min-width:4em;padding:2px 6px;box-sizing:border-box;background:#F4F4F4;"
    "border:1px solid #999;color:#333;font:12px sans-serif;white-space:nowrap}"
    ".pic-off{display:inline-block;padding:2px 6px;background:#F4F4F4;border:1px solid #999;"
    "color:#333;font:12px sans-serif}"
    ".badlink{color:#777;text-decoration:underline dotted}";

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// Case mapping of ASCII letters, without the Unicode tables.
char asciiLower(QChar c)
{
    return char(c >= u'A' && c <= u'Z' ? c.unicode() + 32 : c.unicode());
}
char asciiUpper(QChar c)
{
    return char(c >= u'a' && c <= u'z' ? c.unicode() - 32 : c.unicode());
}

// The HTML as UTF-8, written straight into one growing buffer: a page many times the size of
// its text is never held twice, as UTF-16 and then as UTF-8, and typed text is escaped and
// encoded in the same pass. The bytes are those QString::toUtf8() gives for the same text.
class Utf8Buffer
{
public:
    void reserve(qsizetype size) { m_bytes.resize(size); }

    // Markup that is ASCII by construction.
    void ascii(std::string_view markup)
    {
        settleSurrogate({});
        char *out = room(qsizetype(markup.size()));
        std::memcpy(out, markup.data(), markup.size());
        m_size += qsizetype(markup.size());
    }
    void ascii(char c) { ascii(std::string_view(&c, 1)); }
    // Text as it is (words of the grammar, addresses already made safe).
    void text(QStringView text) { encode<false>(text); }
    // Typed text: the characters that mean something in HTML become entities, and a NUL the
    // replacement character.
    void escaped(QStringView text) { encode<true>(text); }

    QByteArray take()
    {
        settleSurrogate({});
        m_bytes.truncate(m_size);
        m_size = 0;
        return std::exchange(m_bytes, {});
    }

private:
    // Room for `size` more bytes; doubling keeps the growth linear.
    char *room(qsizetype size)
    {
        if (m_size + size > m_bytes.size())
            m_bytes.resize(std::max(m_bytes.size() * 2, m_size + size));
        return m_bytes.data() + m_size;
    }

    static char *put(char *out, std::string_view bytes)
    {
        std::memcpy(out, bytes.data(), bytes.size());
        return out + bytes.size();
    }

    // A high surrogate that ended the previous piece pairs with a low one that starts this
    // piece, as it would in one string; alone, it becomes '?' as toUtf8() makes it.
    QStringView settleSurrogate(QStringView next)
    {
        if (Q_LIKELY(!m_highSurrogate))
            return next;
        return pairSurrogate(next);
    }
    Q_NEVER_INLINE QStringView pairSurrogate(QStringView next)
    {
        char *out = room(4);
        if (!next.isEmpty() && next.front().isLowSurrogate()) {
            out = putCodePoint(out, QChar::surrogateToUcs4(m_highSurrogate, next.front()));
            next = next.mid(1);
        } else {
            *out++ = '?';
        }
        m_size = out - m_bytes.data();
        m_highSurrogate = 0;
        return next;
    }

    // The characters that typed text may not hold as they are.
    static bool isSpecial(char16_t c)
    {
        static constexpr auto special = [] {
            std::array<bool, 0x80> table{};
            for (const char c : {'&', '<', '>', '"', '\'', '\0'})
                table[size_t(c)] = true;
            return table;
        }();
        return special[c];
    }
    static char *putEntity(char *out, char16_t c)
    {
        switch (c) {
        case '&':
            return put(out, "&amp;");
        case '<':
            return put(out, "&lt;");
        case '>':
            return put(out, "&gt;");
        case '"':
            return put(out, "&quot;");
        case '\'':
            return put(out, "&#39;");
        default: // NUL
            return put(out, "\xEF\xBF\xBD");
        }
    }

    static char *putCodePoint(char *out, char32_t c)
    {
        *out++ = char(0xF0 | (c >> 18));
        *out++ = char(0x80 | ((c >> 12) & 0x3F));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
        return out;
    }

    template <bool Escape> void encode(QStringView text)
    {
        text = settleSurrogate(text);
        // At most six bytes a character: "&quot;".
        char *out = room(text.size() * 6);
        const char16_t *p = text.utf16();
        const char16_t *const end = p + text.size();
        while (p < end) {
            const char16_t c = *p++;
            if (c < 0x80) {
                if (Escape && Q_UNLIKELY(isSpecial(c))) {
                    out = putEntity(out, c);
                    continue;
                }
                *out++ = char(c);
            } else if (c < 0x800) {
                *out++ = char(0xC0 | (c >> 6));
                *out++ = char(0x80 | (c & 0x3F));
            } else if (!QChar::isSurrogate(c)) {
                *out++ = char(0xE0 | (c >> 12));
                *out++ = char(0x80 | ((c >> 6) & 0x3F));
                *out++ = char(0x80 | (c & 0x3F));
            } else if (QChar::isHighSurrogate(c) && p == end) {
                m_highSurrogate = c; // the next piece may start with its pair
            } else if (QChar::isHighSurrogate(c) && QChar::isLowSurrogate(*p)) {
                out = putCodePoint(out, QChar::surrogateToUcs4(c, *p++));
            } else {
                *out++ = '?';
            }
        }
        m_size = out - m_bytes.data();
    }

    QByteArray m_bytes; // its size is the room; m_size the bytes written
    qsizetype m_size = 0;
    char16_t m_highSurrogate = 0;
};

// A link address split as SafeLinkAddress builds it: a scheme to put before the address as
// typed, or nothing when the address may not be opened.
struct LinkAddress
{
    bool allowed = false;
    QStringView scheme; // "http://", "mailto:" or empty
    QStringView address;
};

LinkAddress linkAddress(QStringView address)
{
    if (address.isEmpty())
        return {};
    const qsizetype colon = address.indexOf(u':');
    qsizetype stop = address.size();
    for (const QChar c : {u'/', u'?', u'#'}) {
        const qsizetype at = address.indexOf(c);
        if (at >= 0)
            stop = qMin(stop, at);
    }
    if (colon >= 0 && colon < stop) {
        const QStringView scheme = address.left(colon);
        for (const QStringView allowed : {u"http", u"https", u"ftp", u"mailto"}) {
            if (scheme.compare(allowed, Qt::CaseInsensitive) == 0)
                return {true, {}, address};
        }
        // "host:8080/page" has a port, not a scheme.
        if (!std::all_of(address.begin() + colon + 1, address.begin() + stop,
                         [](QChar c) { return c.isDigit(); }) ||
            colon + 1 == stop)
            return {};
    }
    if (address.contains(u'@') && stop == address.size())
        return {true, u"mailto:", address};
    return {true, u"http://", address};
}

class Writer
{
public:
    explicit Writer(const SiteViewOptions &options) : m_options(options) {}

    QByteArray page(QStringView text)
    {
        // A page dense with tags grows about four times as UTF-8 HTML; one allocation
        // instead of a string of copies.
        m_out.reserve(text.size() * 5 + 4096);
        m_out.ascii("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n"
                    "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
                    "style-src 'unsafe-inline'; img-src ");
        m_out.ascii(m_options.images ? "http: https:" : "'none'");
        // Links open outside the page, never in place of it (a view embedded in the editor
        // then stays on the page).
        m_out.ascii("\">\n<base target=\"_blank\">\n<style>");
        m_out.ascii(pageStyle);
        // One class per style word of the grammar: "t-bolder" and so on.
        for (const TagRule &rule : TagGrammar()) {
            if (rule.shape == TagShape::Style) {
                m_out.ascii(".t-");
                m_out.text(rule.word);
                m_out.ascii('{');
                m_out.text(rule.css);
                m_out.ascii('}');
            }
        }
        m_out.ascii("</style></head>\n<body>");
        QList<TagToken> tokens;
        QList<TagProblem> problems;
        ForEachLine(text, [&](int, QStringView line) {
            ReadLine(line, &tokens, &problems);
            writeLine(line, tokens);
        });
        closeSpans();
        if (!m_align.isEmpty())
            m_out.ascii("</div>");
        m_out.ascii("</body></html>\n");
        return m_out.take();
    }

private:
    // A colour as CSS: a name in lower case, six digits as "#RRGGBB"; nothing when it is
    // neither.
    void color(QStringView color)
    {
        if (!IsColor(color))
            return;
        if (!isAscii(color)) {
            // A name matched only by case folding keeps Qt's case mapping.
            const QString lower = color.toString().toLower();
            if (color.size() == 6 && !ColorNames().contains(lower))
                m_out.text(u"#"_s + color.toString().toUpper());
            else
                m_out.text(lower);
            return;
        }
        char bytes[16];
        const qsizetype size = std::min<qsizetype>(color.size(), sizeof bytes);
        for (qsizetype i = 0; i < size; ++i)
            bytes[i] = asciiLower(color[i]);
        const bool name = std::any_of(ColorNames().begin(), ColorNames().end(), [&](QStringView n) {
            return n == QLatin1String(bytes, size);
        });
        if (color.size() == 6 && !name) {
            for (qsizetype i = 0; i < size; ++i)
                bytes[i] = asciiUpper(color[i]);
            m_out.ascii('#');
        }
        m_out.ascii(std::string_view(bytes, size_t(size)));
    }

    // A word of the grammar in lower case, as it names a CSS class.
    void lowerWord(QStringView word)
    {
        if (isAscii(word)) {
            for (const QChar c : word)
                m_out.ascii(asciiLower(c));
        } else {
            m_out.text(word.toString().toLower());
        }
    }

    // The styles in force as one element (after a block ended them), closed by closeSpans.
    void openSpans()
    {
        if (m_styles.isEmpty())
            return;
        m_out.ascii("<span class=\"");
        for (qsizetype i = 0; i < m_styles.size(); ++i) {
            m_out.ascii(i > 0 ? " t-" : "t-");
            m_out.text(m_styles.at(i));
        }
        m_out.ascii("\">");
        m_openSpans = 1;
    }
    void closeSpans()
    {
        for (int i = 0; i < m_openSpans; ++i)
            m_out.ascii("</span>");
        m_openSpans = 0;
    }
    void openAlignment()
    {
        if (!m_align.isEmpty()) {
            m_out.ascii("<div style=\"text-align:");
            m_out.text(m_align);
            m_out.ascii("\">");
        }
    }

    void writeLine(QStringView line, const QList<TagToken> &tokens)
    {
        bool inLineFormat = false;
        for (const TagToken &token : tokens) {
            if (token.kind == TagToken::Text) {
                m_out.escaped(line.mid(token.start, token.length));
            } else if (token.kind == TagToken::LineFormat) {
                closeSpans();
                if (inLineFormat || !m_align.isEmpty())
                    m_out.ascii("</div>");
                inLineFormat = true;
                m_out.ascii("<div style=\"text-align:");
                m_out.text(token.rule->css);
                if (IsColor(token.args[0])) {
                    m_out.ascii(";background:");
                    color(token.args[0]);
                }
                if (IsColor(token.args[1])) {
                    m_out.ascii(";color:");
                    color(token.args[1]);
                }
                m_out.ascii("\">");
                openSpans();
            } else {
                writeTag(token, inLineFormat);
            }
        }
        if (inLineFormat) {
            closeSpans();
            m_out.ascii("</div>");
            openAlignment();
            openSpans();
        }
    }

    void picture(const ImageRef &image)
    {
        if (!m_options.images || !site::hasImageAddress(image.number)) {
            m_out.ascii("<span class=\"pic-off\">");
            caption(image);
            m_out.ascii("</span>");
            return;
        }
        // The number is digits, so the address needs no escaping.
        const qsizetype zeros = site::imageNumberDigits - image.number.size();
        m_out.ascii("<img class=\"pic\" src=\"");
        m_out.text(m_addresses.imageBefore);
        m_out.ascii(std::string_view("0000000000", size_t(zeros)));
        m_out.text(image.number);
        m_out.text(m_addresses.imageAfter);
        m_out.ascii("\" alt=\"");
        caption(image);
        m_out.ascii('"');
        if (image.hasWidth) {
            m_out.ascii(" width=\"");
            m_out.text(image.width);
            m_out.ascii('"');
        } else if (!image.natural()) {
            m_out.ascii(" style=\"max-width:100%\"");
        }
        m_out.ascii('>');
    }

    void caption(const ImageRef &image)
    {
        if (image.caption.isEmpty())
            m_out.escaped(m_options.pictureText.arg(image.number));
        else
            m_out.escaped(image.caption);
    }

    // A link text with the place of the tag's argument ("%1") found once per page.
    struct Label
    {
        QStringView before;
        QStringView after;
        bool hasArgument = false;
        explicit Label(QStringView label)
        {
            const qsizetype at = label.indexOf(u"%1");
            hasArgument = at >= 0;
            before = hasArgument ? label.left(at) : label;
            after = hasArgument ? label.mid(at + 2) : QStringView();
        }
    };

    // A link to one of the site's pages, at `address` followed by `addressEnd`; its text is
    // `label` with the tag's argument in it.
    void reference(QStringView address, QStringView addressEnd, const Label &label,
                   QStringView argument)
    {
        m_out.ascii("<a href=\"");
        m_out.escaped(address);
        m_out.escaped(addressEnd);
        m_out.ascii("\">");
        m_out.escaped(label.before);
        if (label.hasArgument) {
            m_out.escaped(argument);
            m_out.escaped(label.after);
        }
        m_out.ascii("</a>");
    }
    void reference(QStringView address, const Label &label, QStringView number)
    {
        reference(address, number, label, number);
    }

    // The time of one pass, given in tenths of a second, in seconds as "%g" writes it: the
    // whole seconds, and the tenth when there is one.
    void duration(QStringView tenthsText)
    {
        const qlonglong tenths = qBound(1LL, tenthsText.toLongLong(), 1000000LL);
        char digits[24];
        const int size = tenths % 10 ? std::snprintf(digits, sizeof digits, "%lld.%lld",
                                                     tenths / 10, tenths % 10)
                                     : std::snprintf(digits, sizeof digits, "%lld", tenths / 10);
        m_out.ascii(std::string_view(digits, size_t(size)));
    }

    void writeTag(const TagToken &token, bool inLineFormat)
    {
        const TagRule &rule = *token.rule;
        switch (rule.shape) {
        case TagShape::Style:
            // A style already in force adds nothing; this keeps the nesting shallow.
            if (!m_styles.contains(rule.word)) {
                m_styles.append(rule.word);
                m_out.ascii("<span class=\"t-");
                m_out.text(rule.word);
                m_out.ascii("\">");
                ++m_openSpans;
            }
            break;
        case TagShape::Cancel:
            closeSpans();
            m_styles.clear();
            break;
        case TagShape::Alignment:
            closeSpans();
            if (!inLineFormat && !m_align.isEmpty())
                m_out.ascii("</div>");
            m_align = rule.css;
            if (!inLineFormat)
                openAlignment();
            openSpans();
            break;
        case TagShape::Standalone:
            m_out.ascii(rule.word == u"br" ? "<br>" : "<hr>");
            break;
        case TagShape::Link: {
            const LinkAddress address = linkAddress(token.args[0]);
            if (address.allowed) {
                m_out.ascii("<a href=\"");
                m_out.escaped(address.scheme);
                m_out.escaped(address.address);
                m_out.ascii("\">");
            } else {
                m_out.ascii("<span class=\"badlink\">");
            }
            if (token.image.format)
                picture(token.image);
            else
                m_out.escaped(token.args[1].isEmpty() ? token.args[0] : token.args[1]);
            m_out.ascii(address.allowed ? "</a>" : "</span>");
            break;
        }
        case TagShape::MemberRef:
            reference(site::memberPage(token.args[0].toString()), {}, Label(u"%1"), token.args[0]);
            break;
        case TagShape::NumberRef: {
            const QStringView number = token.args[0];
            if (rule.word == u"r")
                reference(m_addresses.section, m_sectionLabel, number);
            else if (rule.word == u"f")
                reference(m_addresses.file, m_fileLabel, number);
            else
                reference(m_addresses.article, m_articleLabel, number);
            break;
        }
        case TagShape::Image:
            picture(token.image);
            break;
        case TagShape::RunningLine:
            closeSpans();
            m_out.ascii("<div class=\"run run-");
            lowerWord(token.args[0]);
            m_out.ascii('-');
            lowerWord(token.args[2]);
            m_out.ascii("\" style=\"background:");
            color(token.args[1]);
            m_out.ascii("\"><span style=\"color:");
            color(token.args[4]);
            m_out.ascii(";animation-duration:");
            duration(token.args[3]);
            m_out.ascii("s\">");
            openSpans();
            m_out.escaped(token.args[5]);
            closeSpans();
            m_out.ascii("</span></div>");
            openSpans();
            break;
        case TagShape::RunType:
        case TagShape::RunDirection:
            break; // never a tag of its own
        }
    }

    // The site's addresses split around the tag's argument, built once per page.
    struct Addresses
    {
        QString section = site::sectionPage({});
        QString file = site::filePage({});
        QString article = site::articlePage({});
        QString imageBefore;
        QString imageAfter;
        Addresses()
        {
            const QString sample = site::imageAddress(u"0123456789"_s);
            const qsizetype at = sample.indexOf(u"0123456789"_s);
            imageBefore = sample.left(at);
            imageAfter = sample.mid(at + 10);
        }
    };

    const SiteViewOptions &m_options;
    const Addresses m_addresses;
    const Label m_sectionLabel{m_options.sectionText};
    const Label m_fileLabel{m_options.fileText};
    const Label m_articleLabel{m_options.articleText};
    Utf8Buffer m_out;
    QList<QStringView> m_styles; // the style words in force, in the order they came
    int m_openSpans = 0;         // span elements open for them
    QStringView m_align;         // the alignment in force; empty: none yet
};

} // namespace

QString SafeLinkAddress(QStringView address)
{
    const LinkAddress link = linkAddress(address);
    return link.allowed ? link.scheme.toString().append(link.address) : QString();
}

QByteArray PageToSiteHtmlUtf8(QStringView page, const SiteViewOptions &options)
{
    return Writer(options).page(page);
}

QString PageToSiteHtml(QStringView page, const SiteViewOptions &options)
{
    return QString::fromUtf8(PageToSiteHtmlUtf8(page, options));
}

} // namespace markup
