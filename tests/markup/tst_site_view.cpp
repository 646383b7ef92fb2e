// The site view: each tag form's HTML, the escaping of everything typed, pictures only when
// allowed, and only web and mail addresses as links.
#include "markup/site.h"
#include "markup/site_view.h"

#include <QTest>

using namespace markup;
using namespace Qt::StringLiterals;

class SiteViewTest : public QObject
{
    Q_OBJECT
private slots:
    void tagForms_data();
    void tagForms();
    void typedTextIsEscaped_data();
    void typedTextIsEscaped();
    void picturesOnlyWhenAllowed();
    void linkAddresses_data();
    void linkAddresses();
    void documentRunsNoScript();
    void utf8Bytes_data();
    void utf8Bytes();
};

namespace {

// The body of a document, as text or as bytes, without the head and its style sheet.
template <typename Html> Html bodyOf(const Html &html)
{
    const qsizetype from = html.indexOf("<body>") + 6;
    return html.mid(from, html.indexOf("</body>") - from);
}

QString body(const QString &page, const SiteViewOptions &options = {})
{
    return bodyOf(PageToSiteHtml(page, options));
}

// The row's page has the row's body.
void compareBody()
{
    QFETCH(QString, page);
    QFETCH(QString, html);
    QCOMPARE(body(page), html);
}

} // namespace

void SiteViewTest::tagForms_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("html");

    const QString img = u"<img class=\"pic\" src=\""_s;
    QTest::newRow("plain text, lines joined") << "a b\r\nc"
                                              << "a bc";
    QTest::newRow("bolder") << "^bolder^x"
                            << "<span class=\"t-bolder\">x</span>";
    QTest::newRow("bold") << "^bold^x"
                          << "<span class=\"t-bold\">x</span>";
    QTest::newRow("lighter") << "^lighter^x"
                             << "<span class=\"t-lighter\">x</span>";
    QTest::newRow("normal") << "^normal^x"
                            << "<span class=\"t-normal\">x</span>";
    QTest::newRow("italic") << "^italic^x"
                            << "<span class=\"t-italic\">x</span>";
    QTest::newRow("underline") << "^underline^x"
                               << "<span class=\"t-underline\">x</span>";
    QTest::newRow("line-throught") << "^line-throught^x"
                                   << "<span class=\"t-line-throught\">x</span>";
    QTest::newRow("overline") << "^overline^x"
                              << "<span class=\"t-overline\">x</span>";
    QTest::newRow("blink") << "^blink^x"
                           << "<span class=\"t-blink\">x</span>";
    QTest::newRow("serif") << "^serif^x"
                           << "<span class=\"t-serif\">x</span>";
    QTest::newRow("n cancels styles, lasting over lines")
        << "^bolder^a\r\n^italic^b^n^c"
        << "<span class=\"t-bolder\">a<span class=\"t-italic\">b</span></span>c";
    QTest::newRow("a style twice nests once") << "^bolder^a^bolder^b"
                                              << "<span class=\"t-bolder\">ab</span>";
    QTest::newRow("alignment until the next")
        << "^center^a^right^b"
        << "<div style=\"text-align:center\">a</div><div style=\"text-align:right\">b</div>";
    QTest::newRow("alignment keeps styles")
        << "^bolder^a^justify^b"
        << "<span class=\"t-bolder\">a</span><div style=\"text-align:justify\">"
           "<span class=\"t-bolder\">b</span></div>";
    QTest::newRow("br and hr") << "a^br^b^hr^"
                               << "a<br>b<hr>";
    QTest::newRow("web link") << "^url^http://x.example/?a=1&b=2^сайт^"
                              << "<a href=\"http://x.example/?a=1&amp;b=2\">сайт</a>";
    QTest::newRow("link without scheme") << "^url^x.example^x^"
                                         << "<a href=\"http://x.example\">x</a>";
    QTest::newRow("mail link") << "^url^me@x.example^почта^"
                               << "<a href=\"mailto:me@x.example\">почта</a>";
    QTest::newRow("link with empty text shows the address") << "^url^http://x^^"
                                                            << "<a href=\"http://x\">http://x</a>";
    QTest::newRow("member") << "^u:Ник Name^"
                            << "<a href=\"" + site::memberPage(u"Ник Name"_s) + "\">Ник Name</a>";
    QTest::newRow("section") << "^r12^"
                             << "<a href=\"" + site::sectionPage(u"12"_s) + "\">Рубрика 12</a>";
    QTest::newRow("file") << "^f7^"
                          << "<a href=\"" + site::filePage(u"7"_s) + "\">Файл 7</a>";
    QTest::newRow("article") << "^text311655^"
                             << "<a href=\"" + site::articlePage(u"311655"_s) +
                                    "\">Статья 311655</a>";
    QTest::newRow("picture") << "^jpg1234^кот^"
                             << img + site::imageAddress(u"1234"_s) +
                                    "\" alt=\"кот\" style=\"max-width:100%\">";
    QTest::newRow("picture, natural size")
        << "^pngo55^^" << img + site::imageAddress(u"55"_s) + "\" alt=\"Рисунок 55\">";
    QTest::newRow("picture with width")
        << "^gif77:64^c^" << img + site::imageAddress(u"77"_s) + "\" alt=\"c\" width=\"64\">";
    QTest::newRow("picture link") << "^url^http://x^jpg1234^c^"
                                  << "<a href=\"http://x\">" + img + site::imageAddress(u"1234"_s) +
                                         "\" alt=\"c\" style=\"max-width:100%\"></a>";
    QTest::newRow("running line")
        << "^run:Scroll:FFFFFF:left:100:000000^Hi^"
        << "<div class=\"run run-scroll-left\" style=\"background:#FFFFFF\"><span "
           "style=\"color:#000000;animation-duration:10s\">Hi</span></div>";
    QTest::newRow("running line, names, right")
        << "^run:alternate:yellow:right:5:Red^Hi^"
        << "<div class=\"run run-alternate-right\" style=\"background:yellow\"><span "
           "style=\"color:red;animation-duration:0.5s\">Hi</span></div>";
    QTest::newRow("line format, for the rest of its line")
        << "^center:#white:#black^Hi\r\nnext"
        << "<div style=\"text-align:center;background:white;color:black\">Hi</div>next";
    QTest::newRow("line format, digits")
        << "^right:#FFFF00:#0000ff^Hi"
        << "<div style=\"text-align:right;background:#FFFF00;color:#0000FF\">Hi</div>";
    QTest::newRow("broken tags show as typed") << "^bolde^ ^u:^ ^url^x^"
                                               << "^bolde^ ^u:^ ^url^x^";
    QTest::newRow("tag over two lines shows as typed") << "^bol\r\nder^x"
                                                       << "^bolder^x";
}

void SiteViewTest::tagForms()
{
    compareBody();
}

void SiteViewTest::typedTextIsEscaped_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("html");
    QTest::newRow("markup in text") << "<script>alert('x')</script> & \"q\""
                                    << "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; "
                                       "&quot;q&quot;";
    QTest::newRow("in a link's text and address")
        << "^url^http://x/\"><script>^<b>^"
        << "<a href=\"http://x/&quot;&gt;&lt;script&gt;\">&lt;b&gt;</a>";
    QTest::newRow("in a caption") << "^jpgo1^\" onerror=\"x^"
                                  << "<img class=\"pic\" src=\"" + site::imageAddress(u"1"_s) +
                                         "\" alt=\"&quot; onerror=&quot;x\">";
    QTest::newRow("in a member name")
        << "^u:<i>^"
        << "<a href=\"" + site::memberPage(u"<i>"_s) + "\">&lt;i&gt;</a>";
    QTest::newRow("in a running line")
        << "^run:Slide:red:left:1:red^<img src=x>^"
        << "<div class=\"run run-slide-left\" "
           "style=\"background:red\"><span style=\"color:red;"
           "animation-duration:0.1s\">&lt;img src=x&gt;</span></div>";
}

void SiteViewTest::typedTextIsEscaped()
{
    compareBody();
}

void SiteViewTest::picturesOnlyWhenAllowed()
{
    SiteViewOptions off;
    off.images = false;
    QCOMPARE(body(u"^jpg1234^кот^^jpg5^^"_s, off),
             u"<span class=\"pic-off\">кот</span><span class=\"pic-off\">Рисунок 5</span>"_s);
    QVERIFY(PageToSiteHtml(u"x"_s, off).contains(u"img-src 'none'"_s));
    // A number too long for the store has no address: its caption shows instead.
    QCOMPARE(body(u"^jpg12345678901^c^"_s), u"<span class=\"pic-off\">c</span>"_s);
}

void SiteViewTest::linkAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("safe");
    QTest::newRow("http") << "http://x"
                          << "http://x";
    QTest::newRow("https upper case") << "HTTPS://x"
                                      << "HTTPS://x";
    QTest::newRow("ftp") << "ftp://x/f"
                         << "ftp://x/f";
    QTest::newRow("mailto") << "mailto:a@b"
                            << "mailto:a@b";
    QTest::newRow("host and port") << "x.example:8080/a"
                                   << "http://x.example:8080/a";
    QTest::newRow("mail") << "a@b.example"
                          << "mailto:a@b.example";
    QTest::newRow("script") << "javascript:alert(1)"
                            << "";
    QTest::newRow("script, tab inside") << "java\tscript:alert(1)"
                                        << "";
    QTest::newRow("data") << "data:text/html,<script>"
                          << "";
    QTest::newRow("file") << "file:///etc/passwd"
                          << "";
    QTest::newRow("empty") << ""
                           << "";
}

void SiteViewTest::linkAddresses()
{
    QFETCH(QString, address);
    QFETCH(QString, safe);
    QCOMPARE(SafeLinkAddress(address), safe);
    if (safe.isEmpty() && !address.isEmpty())
        QVERIFY(!body(u"^url^"_s + address + u"^t^"_s).contains(u"href"_s));
}

void SiteViewTest::documentRunsNoScript()
{
    const QString html = PageToSiteHtml(u"^bolder^x"_s);
    QVERIFY(html.startsWith(u"<!DOCTYPE html>"_s));
    QVERIFY(html.contains(u"<meta charset=\"utf-8\">"_s));
    QVERIFY(html.contains(u"default-src 'none'"_s));
    QVERIFY(!html.contains(u"<script"_s));
}

// The UTF-8 document is written directly, piece by piece: the bytes must be those of the whole
// text converted at once, where a character's halves meet across pieces or stand alone.
void SiteViewTest::utf8Bytes_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QByteArray>("body");
    const QChar high(0xD83D), low(0xDE00);
    QTest::newRow("pair") << u"a\U0001F600b"_s
                          << QByteArray("a\xF0\x9F\x98\x80"
                                        "b");
    QTest::newRow("pair across a line break") << u"a"_s + high + u"\r\n"_s + low + u"b"_s
                                              << QByteArray("a\xF0\x9F\x98\x80"
                                                            "b");
    QTest::newRow("half before an entity") << u"x"_s + high + u"&y"_s << QByteArray("x?&amp;y");
    QTest::newRow("halves split by a tag")
        << u"^url^http://a^"_s + high + u"^"_s + low << QByteArray("<a href=\"http://a\">?</a>?");
    QTest::newRow("NUL") << u"x"_s + QChar(0) + u"y"_s << QByteArray("x\xEF\xBF\xBDy");
    // "\u017F" (long s) folds to "s", so the checker takes the name; CSS gets it upper-cased.
    QTest::newRow("colour by case folding")
        << u"^left:#\u017Filver:#aBcDeF^\u0442"_s
        << QByteArray("<div style=\"text-align:left;background:#SILVER;color:#ABCDEF\">"
                      "\xD1\x82</div>");
}

void SiteViewTest::utf8Bytes()
{
    QFETCH(QString, page);
    QFETCH(QByteArray, body);
    const QByteArray html = PageToSiteHtmlUtf8(page);
    QCOMPARE(bodyOf(html), body);
    QCOMPARE(html, PageToSiteHtml(page).toUtf8());
}

QTEST_APPLESS_MAIN(SiteViewTest)
#include "tst_site_view.moc"
