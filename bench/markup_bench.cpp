// Speed of the markup core on large texts: the message preview conversion and the word split
// that the highlighting paints with. Figures are bytes of input per second.
#include "markup/keywords.h"
#include "markup/message_html.h"
#include "markup/site_view.h"
#include "markup/tag_grammar.h"
#include "platform/codepage.h"

#include <QRandomGenerator>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype MB = 1024 * 1024;

const QStringList &words()
{
    static const QStringList w = {u"Привет"_s,  u"мир"_s,    u"text"_s,  u"page"_s, u"12"_s,
                                  u"ёлка"_s,    u"Ёж"_s,     u"site,"_s, u"wap."_s, u"a-b"_s,
                                  u"#FF0000"_s, u"jpg123"_s, u"bold"_s,  u"(x)"_s,  u"я"_s};
    return w;
}

// A message of about `size` characters, one tag every ten or so: the eleven converted tags,
// some that stay as they are, and tags sharing carets.
QString taggedMessage(qsizetype size, qsizetype *tags = nullptr)
{
    static const QStringList tagPieces = {
        u"^br^"_s,        u"^hr^"_s,     u"^bolder^"_s,        u"^italic^"_s,
        u"^underline^"_s, u"^blink^"_s,  u"^line-throught^"_s, u"^left^"_s,
        u"^right^"_s,     u"^center^"_s, u"^justify^"_s,       u"^n^"_s,
        u"^bold^"_s,      u"^br^hr^"_s,  u"^u:me^"_s};
    QRandomGenerator random(1251);
    QString text;
    text.reserve(size + 64);
    qsizetype count = 0, lineStart = 0;
    while (text.size() < size) {
        text += tagPieces.at(random.bounded(tagPieces.size()));
        ++count;
        if (random.bounded(2) == 0)
            text += words().at(random.bounded(words().size()));
        if (text.size() - lineStart > 70) {
            text += u"\r\n"_s;
            lineStart = text.size();
        }
    }
    text.truncate(size);
    if (tags)
        *tags = count;
    return text;
}

// Ordinary text without a single caret.
QString plainText(qsizetype size)
{
    QRandomGenerator random(866);
    QString text;
    text.reserve(size + 64);
    qsizetype lineStart = 0;
    while (text.size() < size) {
        text += words().at(random.bounded(words().size()));
        text += u' ';
        if (text.size() - lineStart > 70) {
            text += u"\r\n"_s;
            lineStart = text.size();
        }
    }
    text.truncate(size);
    return text;
}

void MessageToHtml_Tagged(benchmark::State &state)
{
    qsizetype tags = 0;
    const QString message = taggedMessage(state.range(0) * MB, &tags);
    for (auto _ : state) {
        QStringList page = markup::MessageToHtml(message);
        benchmark::DoNotOptimize(page);
    }
    state.SetBytesProcessed(state.iterations() * message.size());
    state.counters["tags"] = double(tags);
}
BENCHMARK(MessageToHtml_Tagged)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

void MessageToHtml_Plain(benchmark::State &state)
{
    const QString message = plainText(state.range(0) * MB);
    for (auto _ : state) {
        QStringList page = markup::MessageToHtml(message);
        benchmark::DoNotOptimize(page);
    }
    state.SetBytesProcessed(state.iterations() * message.size());
}
BENCHMARK(MessageToHtml_Plain)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

// The whole preview file path: message bytes in code page 1251 to page bytes.
void PreviewFileBytes_Tagged(benchmark::State &state)
{
    const QByteArray message = cp1251::encode(taggedMessage(state.range(0) * MB));
    for (auto _ : state) {
        QByteArray page =
            cp1251::encode(markup::PageText(markup::MessageToHtml(cp1251::decode(message))));
        benchmark::DoNotOptimize(page);
    }
    state.SetBytesProcessed(state.iterations() * message.size());
}
BENCHMARK(PreviewFileBytes_Tagged)->Arg(1)->Unit(benchmark::kMillisecond);

// The highlighting's split of every line of a page into separator runs and words.
void SplitLine_Page(benchmark::State &state)
{
    const QString page =
        taggedMessage(state.range(0) * MB / 2) + plainText(state.range(0) * MB / 2);
    const QStringList lines = markup::SplitLines(page);
    qsizetype spans = 0;
    for (auto _ : state) {
        spans = 0;
        for (const QString &line : lines) {
            const QList<markup::WordSpan> s = markup::SplitLine(line);
            spans += s.size();
        }
        benchmark::DoNotOptimize(spans);
    }
    state.SetBytesProcessed(state.iterations() * page.size());
    state.counters["lines"] = double(lines.size());
    state.counters["spans"] = double(spans);
}
BENCHMARK(SplitLine_Page)->Arg(1)->Unit(benchmark::kMillisecond);

// A page of every tag form, one in ten of them broken, in code page 1251: `wordsPerTag` words
// of text after each tag (1 gives a page that is mostly tags, 4 a richly tagged page).
QByteArray pageBytes(qsizetype size, int wordsPerTag)
{
    static const QStringList pieces = {u"^center^"_s,
                                       u"^bolder^"_s,
                                       u"^italic^"_s,
                                       u"^n^"_s,
                                       u"^br^"_s,
                                       u"^hr^"_s,
                                       u"^url^http://x.example/a^сайт^"_s,
                                       u"^u:Ник^"_s,
                                       u"^r12^"_s,
                                       u"^f7^"_s,
                                       u"^text311655^"_s,
                                       u"^jpg1234^картинка^"_s,
                                       u"^gifo77:64^^"_s,
                                       u"^url^http://x^png55^кот^"_s,
                                       u"^run:Scroll:FFFFFF:left:100:000000^Бегущая^"_s,
                                       u"^left:#white:#black^"_s,
                                       u"^bolde^"_s,
                                       u"^jpgl23^x^"_s};
    QRandomGenerator random(15);
    QString text;
    text.reserve(size + 128);
    qsizetype lineStart = 0;
    while (text.size() < size) {
        // The broken ones are the last two pieces: one piece in ten.
        const qsizetype i = random.bounded(10) == 0 ? pieces.size() - 1 - random.bounded(2)
                                                    : random.bounded(pieces.size() - 2);
        text += pieces.at(i);
        for (int w = 0; w < wordsPerTag; ++w) {
            text += words().at(random.bounded(words().size()));
            text += u' ';
        }
        if (text.size() - lineStart > 70) {
            text += u"\r\n"_s;
            lineStart = text.size();
        }
    }
    return cp1251::encode(text);
}

// What --check does with a file's bytes: decode, read every line, write the report.
void CheckPage(benchmark::State &state)
{
    const QByteArray page = pageBytes(state.range(0) * MB, int(state.range(1)));
    qsizetype reportSize = 0;
    for (auto _ : state) {
        const QByteArray report = markup::CheckReport(cp1251::decode(page), u"page.mv"_s).toUtf8();
        reportSize = report.size();
        benchmark::DoNotOptimize(report);
    }
    state.SetBytesProcessed(state.iterations() * page.size());
    state.counters["report_bytes"] = double(reportSize);
}
BENCHMARK(CheckPage)
    ->ArgsProduct({{1, 4, 16}, {1, 4}})
    ->ArgNames({"MB", "words_per_tag"})
    ->Unit(benchmark::kMillisecond);

// What --page-html does with a file's bytes: decode, render, encode as UTF-8.
void PageHtml(benchmark::State &state)
{
    const QByteArray page = pageBytes(state.range(0) * MB, int(state.range(1)));
    qsizetype htmlSize = 0;
    for (auto _ : state) {
        const QByteArray html = markup::PageToSiteHtmlUtf8(cp1251::decode(page));
        htmlSize = html.size();
        benchmark::DoNotOptimize(html);
    }
    state.SetBytesProcessed(state.iterations() * page.size());
    state.counters["html_bytes"] = double(htmlSize);
}
BENCHMARK(PageHtml)
    ->ArgsProduct({{1, 4, 16}, {1, 4}})
    ->ArgNames({"MB", "words_per_tag"})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
