#include "markup/site_view.h"

#include "markup/site.h"
#include "markup/tag_grammar.h"

namespace markup {

using namespace Qt::Literals::StringLiterals;

namespace {

// Running lines move with CSS animation (scripts stay off): "left" moves the text towards the
// left edge; scroll passes through, slide comes in and stays, alternate goes to and fro.
const char pageStyle[] =
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

QString cssColor(QStringView color)
{
    if (!IsColor(color))
        return {};
    if (color.size() == 6 && !ColorNames().contains(color.toString().toLower()))
        return u"#"_s + color.toString().toUpper();
    return color.toString().toLower();
}

class Writer
{
public:
    explicit Writer(const SiteViewOptions &options) : m_options(options) {}

    QString page(QStringView text)
    {
        // Tags grow several times over as HTML; one allocation instead of a dozen copies.
        m_out.reserve(text.size() * 4 + 4096);
        m_out += u"<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n"
                 "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
                 "style-src 'unsafe-inline'; img-src "_s;
        m_out += m_options.images ? u"http: https:"_s : u"'none'"_s;
        // Links open outside the page, never in place of it (a view embedded in the editor
        // then stays on the page).
        m_out += u"\">\n<base target=\"_blank\">\n<style>"_s + QLatin1String(pageStyle);
        // One class per style word of the grammar: "t-bolder" and so on.
        for (const TagRule &rule : TagGrammar()) {
            if (rule.shape == TagShape::Style)
                put(u".t-", rule.word, u"{", rule.css, u"}");
        }
        m_out += u"</style></head>\n<body>"_s;
        QList<TagToken> tokens;
        QList<TagProblem> problems;
        ForEachLine(text, [&](int, QStringView line) {
            ReadLine(line, &tokens, &problems);
            writeLine(line, tokens);
        });
        closeSpans();
        if (!m_align.isEmpty())
            m_out += u"</div>"_s;
        m_out += u"</body></html>\n"_s;
        return m_out;
    }

private:
    template <typename... Parts> void put(const Parts &...parts)
    {
        (m_out.append(QStringView(parts)), ...);
    }

    void escape(QStringView text)
    {
        // Runs of ordinary characters go in whole.
        qsizetype run = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            QStringView entity;
            switch (text[i].unicode()) {
            case '&':
                entity = u"&amp;";
                break;
            case '<':
                entity = u"&lt;";
                break;
            case '>':
                entity = u"&gt;";
                break;
            case '"':
                entity = u"&quot;";
                break;
            case '\'':
                entity = u"&#39;";
                break;
            case 0:
                entity = u"\uFFFD";
                break;
            default:
                continue;
            }
            m_out.append(text.mid(run, i - run));
            m_out.append(entity);
            run = i + 1;
        }
        m_out.append(text.mid(run));
    }

    // The styles in force as one element (after a block ended them), closed by closeSpans.
    void openSpans()
    {
        if (m_styles.isEmpty())
            return;
        m_out += u"<span class=\""_s;
        for (qsizetype i = 0; i < m_styles.size(); ++i) {
            if (i > 0)
                m_out += u' ';
            put(u"t-", m_styles.at(i));
        }
        m_out += u"\">"_s;
        m_openSpans = 1;
    }
    void closeSpans()
    {
        for (int i = 0; i < m_openSpans; ++i)
            m_out += u"</span>"_s;
        m_openSpans = 0;
    }
    void openAlignment()
    {
        if (!m_align.isEmpty())
            put(u"<div style=\"text-align:", m_align, u"\">");
    }

    void writeLine(QStringView line, const QList<TagToken> &tokens)
    {
        bool inLineFormat = false;
        for (const TagToken &token : tokens) {
            if (token.kind == TagToken::Text) {
                escape(line.mid(token.start, token.length));
            } else if (token.kind == TagToken::LineFormat) {
                closeSpans();
                if (inLineFormat)
                    m_out += u"</div>"_s;
                else if (!m_align.isEmpty())
                    m_out += u"</div>"_s;
                inLineFormat = true;
                put(u"<div style=\"text-align:", token.rule->css);
                if (const QString bg = cssColor(token.args[0]); !bg.isEmpty())
                    m_out += u";background:"_s + bg;
                if (const QString fg = cssColor(token.args[1]); !fg.isEmpty())
                    m_out += u";color:"_s + fg;
                m_out += u"\">"_s;
                openSpans();
            } else {
                writeTag(token, inLineFormat);
            }
        }
        if (inLineFormat) {
            closeSpans();
            m_out += u"</div>"_s;
            openAlignment();
            openSpans();
        }
    }

    void link(const QString &address)
    {
        m_out += u"<a href=\""_s;
        escape(address);
        m_out += u"\">"_s;
    }

    void picture(const ImageRef &image)
    {
        const bool hasAddress = !image.number.isEmpty() && image.number.size() <= 10;
        if (!m_options.images || !hasAddress) {
            m_out += u"<span class=\"pic-off\">"_s;
            caption(image);
            m_out += u"</span>"_s;
            return;
        }
        // The number is digits, so the address needs no escaping.
        const qsizetype zeros = 10 - image.number.size();
        put(u"<img class=\"pic\" src=\"", m_addresses.imageBefore,
            QStringView(u"0000000000").left(zeros), image.number, m_addresses.imageAfter,
            u"\" alt=\"");
        caption(image);
        m_out += u"\""_s;
        if (image.hasWidth)
            put(u" width=\"", image.width, u"\"");
        else if (!image.natural())
            m_out += u" style=\"max-width:100%\""_s;
        m_out += u">"_s;
    }

    void caption(const ImageRef &image)
    {
        if (image.caption.isEmpty())
            escape(m_options.pictureText.arg(image.number));
        else
            escape(image.caption);
    }

    // A link to one of the site's pages, at `address` followed by `addressEnd`; its text is
    // `label` with %1 the tag's argument.
    void reference(const QString &address, QStringView addressEnd, const QString &label,
                   QStringView argument)
    {
        m_out += u"<a href=\""_s;
        escape(address);
        escape(addressEnd);
        m_out += u"\">"_s;
        const qsizetype at = label.indexOf(u"%1"_s);
        if (at < 0) {
            escape(label);
        } else {
            escape(QStringView(label).left(at));
            escape(argument);
            escape(QStringView(label).mid(at + 2));
        }
        m_out += u"</a>"_s;
    }
    void reference(const QString &address, const QString &label, QStringView number)
    {
        reference(address, number, label, number);
    }

    void writeTag(const TagToken &token, bool inLineFormat)
    {
        const TagRule &rule = *token.rule;
        switch (rule.shape) {
        case TagShape::Style:
            // A style already in force adds nothing; this keeps the nesting shallow.
            if (!m_styles.contains(rule.word)) {
                m_styles.append(rule.word);
                put(u"<span class=\"t-", rule.word, u"\">");
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
                m_out += u"</div>"_s;
            m_align = rule.css;
            if (!inLineFormat)
                openAlignment();
            openSpans();
            break;
        case TagShape::Standalone:
            m_out += rule.word == u"br" ? u"<br>"_s : u"<hr>"_s;
            break;
        case TagShape::Link: {
            const QString address = SafeLinkAddress(token.args[0]);
            if (address.isEmpty())
                m_out += u"<span class=\"badlink\">"_s;
            else
                link(address);
            if (token.image.format)
                picture(token.image);
            else
                escape(token.args[1].isEmpty() ? token.args[0] : token.args[1]);
            m_out += address.isEmpty() ? u"</span>"_s : u"</a>"_s;
            break;
        }
        case TagShape::MemberRef:
            reference(site::memberPage(token.args[0].toString()), {}, u"%1"_s, token.args[0]);
            break;
        case TagShape::NumberRef: {
            const QStringView number = token.args[0];
            if (rule.word == u"r")
                reference(m_addresses.section, m_options.sectionText, number);
            else if (rule.word == u"f")
                reference(m_addresses.file, m_options.fileText, number);
            else
                reference(m_addresses.article, m_options.articleText, number);
            break;
        }
        case TagShape::Image:
            picture(token.image);
            break;
        case TagShape::RunningLine: {
            closeSpans();
            m_out += u"<div class=\"run run-"_s + token.args[0].toString().toLower() + u'-' +
                     token.args[2].toString().toLower() + u"\" style=\"background:"_s +
                     cssColor(token.args[1]) + u"\"><span style=\"color:"_s +
                     cssColor(token.args[4]) + u";animation-duration:"_s;
            // The duration is the time of one pass in tenths of a second.
            const qlonglong tenths = qBound(1LL, token.args[3].toLongLong(), 1000000LL);
            m_out += QString::number(double(tenths) / 10.0) + u"s\">"_s;
            openSpans();
            escape(token.args[5]);
            closeSpans();
            m_out += u"</span></div>"_s;
            openSpans();
            break;
        }
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
    QString m_out;
    QList<QStringView> m_styles; // the style words in force, in the order they came
    int m_openSpans = 0;         // span elements open for them
    QStringView m_align;         // the alignment in force; empty: none yet
};

} // namespace

QString SafeLinkAddress(QStringView address)
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
                return address.toString();
        }
        // "host:8080/page" has a port, not a scheme.
        if (!std::all_of(address.begin() + colon + 1, address.begin() + stop,
                         [](QChar c) { return c.isDigit(); }) ||
            colon + 1 == stop)
            return {};
    }
    if (address.contains(u'@') && stop == address.size())
        return u"mailto:"_s + address.toString();
    return u"http://"_s + address.toString();
}

QString PageToSiteHtml(QStringView page, const SiteViewOptions &options)
{
    return Writer(options).page(page);
}

} // namespace markup
