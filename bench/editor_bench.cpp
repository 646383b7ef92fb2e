// Typing into and opening large pages in the highlighting text area.
#include "bench_main.h"
#include "browser/html_view.h"
#include "browser/site_view_panel.h"
#include "editor/caret_tag_highlighter.h"
#include "editor/highlighting_memo.h"
#include "editor/insertion.h"
#include "editor/spell_checker.h"
#include "editor/tag_checker.h"
#include "editor/underline_layer.h"
#include "platform/fonts.h"
#include "platform/page_file.h"
#include "platform/spell_dictionary.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>

#include <benchmark/benchmark.h>

#include <memory>

#include <time.h>

namespace {

const QStringList &pageLines()
{
    static const QStringList lines = {
        QStringLiteral("^center^^bolder^Привет, мир! 123 ^url^http://x.example^сайт^"),
        QStringLiteral("Обычный текст страницы, без тегов, но с числами 42 и 2024."),
        QStringLiteral("^italic^Курсив ^br^ ^u:Ник^ ^jpg1234^картинка^ ^hr^"),
        QStringLiteral("^run:Scroll:FFFFFF:left:100:000000^Бегущая строка^"),
        QString(),
    };
    return lines;
}

// Tagged page text of about `bytes` characters (one code-page byte each). It ends with the
// first, most tagged line, and every fifth line from the first is that line.
QString page(qsizetype bytes)
{
    QString text;
    text.reserve(bytes + 128);
    for (qsizetype i = 0; text.size() < bytes || i % pageLines().size() != 1; ++i) {
        if (i > 0)
            text += QLatin1Char('\n');
        text += pageLines().at(i % pageLines().size());
    }
    return text;
}

// One text area as the main window shows it: wrapped, Lucida Console 13 px, reporting.
struct Area
{
    QLabel label;
    TMemo memo;
    explicit Area(const QString &text)
    {
        memo.setFont(fonts::makePixels(QStringLiteral("Lucida Console"), 13));
        memo.setPositionLabel(&label);
        memo.resize(680, 440);
        memo.show();
        memo.setText(text);
        // The steady state: a big page whole and coloured to its end.
        memo.finishLoading();
        memo.highlighter()->finish();
        QApplication::processEvents();
    }
};

void key(QWidget &area, Qt::Key code, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(&area, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(&area, &release);
}

enum Where { AtEnd, InMiddle };

// The tag checker and the site view, both shown, on a text area: what they add to a keystroke.
struct Extras
{
    TagChecker *checker;
    SiteViewPanel panel;
    explicit Extras(TMemo &memo) : checker(new TagChecker(&memo))
    {
        checker->checkNow();
        panel.setPageFile(QDir::temp().filePath(QStringLiteral("rr-bench-site-view.html")));
        panel.attach(&memo);
        panel.resize(400, 440);
        if (!qEnvironmentVariableIsSet("RR_NO_PANEL"))
            panel.show();
        // The engine takes seconds to lay out a page this long once; that first load is not
        // what a keystroke costs, so the loop starts when the view has settled.
        bool loaded = false;
        QObject::connect(panel.view(), &HtmlView::OnProgressChange, &panel,
                         [&loaded](int progress, int) { loaded = loaded || progress < 0; });
        QElapsedTimer clock;
        clock.start();
        while (!loaded && clock.elapsed() < 20000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        const qint64 settled = clock.elapsed() + 3000;
        while (loaded && clock.elapsed() < settled)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
};

// One character typed: key down, the edit, the highlighter's pass and every position report,
// up to key up. Each typed character is taken back outside the timing, so the page stays the
// same; the paint that the edit requested runs there too.
void typing(benchmark::State &state, qsizetype bytes, Where where, bool withPaint,
            bool withExtras = false)
{
    Area area(page(bytes));
    std::unique_ptr<Extras> extras;
    if (withExtras)
        extras = std::make_unique<Extras>(area.memo);
    QTextCursor c(area.memo.document());
    if (where == AtEnd) {
        c.movePosition(QTextCursor::End);
    } else {
        c = QTextCursor(
            area.memo.document()->findBlockByNumber(area.memo.document()->blockCount() / 2));
        c.movePosition(QTextCursor::EndOfWord);
    }
    area.memo.setTextCursor(c);
    area.memo.ensureCursorVisible();
    QApplication::processEvents();
    // Lays out the blocks above the caret, as the idle catch-up after opening does (measured
    // on its own below), so that the loop sees the steady state.
    area.memo.CaretLine();
    for (auto _ : state) {
        key(area.memo, Qt::Key_X, QStringLiteral("x"));
        if (withPaint)
            QApplication::processEvents();
        state.PauseTiming();
        key(area.memo, Qt::Key_Backspace, QString());
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["blocks"] = area.memo.document()->blockCount();
    state.counters["MB"] = double(area.memo.document()->characterCount()) / 1e6;
}

// One line of tagged page text of about `bytes` characters: a page pasted back from the
// site's one-line form.
QString oneLinePage(qsizetype bytes)
{
    QString text = page(bytes);
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

enum Editor { Highlighting, Bare };

// One character typed in the middle of a one-line page, in the text area or, as the
// baseline, in a bare QPlainTextEdit of the same size, font and wrapping. The typed
// character is taken back outside the timing.
void longLine(benchmark::State &state, qsizetype bytes, Editor editor)
{
    QLabel label;
    std::unique_ptr<QPlainTextEdit> area;
    if (editor == Highlighting) {
        auto memo = std::make_unique<TMemo>();
        memo->setPositionLabel(&label);
        area = std::move(memo);
    } else {
        area = std::make_unique<QPlainTextEdit>();
    }
    area->setFont(fonts::makePixels(QStringLiteral("Lucida Console"), 13));
    area->resize(680, 440);
    area->show();
    area->setPlainText(oneLinePage(bytes));
    if (auto *memo = qobject_cast<TMemo *>(area.get()))
        memo->highlighter()->finish();
    QTextCursor c(area->document());
    c.setPosition(int(bytes / 2));
    area->setTextCursor(c);
    area->ensureCursorVisible();
    QApplication::processEvents();
    for (auto _ : state) {
        key(*area, Qt::Key_X, QStringLiteral("x"));
        QApplication::processEvents();
        state.PauseTiming();
        key(*area, Qt::Key_Backspace, QString());
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// Opening a one-line page of 2 MB: the text set and its first screen drawn.
void BM_OpenOneLine2MB(benchmark::State &state)
{
    const QString text = oneLinePage(2'000'000);
    Area area{QString()};
    for (auto _ : state) {
        area.memo.setText(text);
        area.memo.viewport()->repaint();
        state.PauseTiming();
        area.memo.setText(QString());
        area.memo.highlighter()->finish();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// One character typed into the middle of a 1 MB page with spell checking on or off: the
// keystroke only notes the block for the check after the pause, which runs (with the typed
// character's removal) outside the timing.
void spelledTyping(benchmark::State &state, bool spelling)
{
    Area area(page(1'000'000));
    auto dictionary = std::make_shared<SpellDictionary>(
        QStringList{QStringLiteral("ru_RU"), QStringLiteral("en_US")}, QString());
    if (!dictionary->isUsable()) {
        state.SkipWithError("no Hunspell dictionaries");
        return;
    }
    SpellChecker checker(&area.memo, dictionary);
    checker.setEnabled(spelling);
    checker.checkPendingNow();
    QTextCursor c(area.memo.document()->findBlockByNumber(area.memo.document()->blockCount() / 2));
    // Misspelled words in the caret's line, so that its check has marks to make.
    c.insertText(QStringLiteral("ошибкаа wrold "));
    c.movePosition(QTextCursor::EndOfWord);
    area.memo.setTextCursor(c);
    area.memo.ensureCursorVisible();
    checker.checkPendingNow();
    QApplication::processEvents();
    area.memo.CaretLine();
    for (auto _ : state) {
        key(area.memo, Qt::Key_X, QStringLiteral("x"));
        state.PauseTiming();
        key(area.memo, Qt::Key_Backspace, QString());
        checker.checkPendingNow();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["marks"] =
        checker.layer() ? checker.layer()->count(UnderlineLayer::Spelling) : 0;
}

// What the checker does after the pause that follows a keystroke: the changed block read
// again and its marks replaced.
void BM_CheckAfterKeystroke1MB(benchmark::State &state)
{
    Area area(page(1'000'000));
    TagChecker *checker = new TagChecker(&area.memo);
    checker->checkNow();
    QTextCursor c(area.memo.document()->findBlockByNumber(area.memo.document()->blockCount() / 2));
    for (auto _ : state) {
        state.PauseTiming();
        c.insertText(QStringLiteral("^bolde^"));
        state.ResumeTiming();
        checker->checkNow();
        state.PauseTiming();
        c.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 7);
        c.removeSelectedText();
        checker->checkNow();
        state.ResumeTiming();
    }
    state.counters["problems"] = checker->count();
}

// What the site view does after the pause: the whole page rendered and written for the view.
void BM_SiteViewAfterPause1MB(benchmark::State &state)
{
    const QString text = page(1'000'000);
    for (auto _ : state) {
        const QString html = markup::PageToSiteHtml(text, SiteViewPanel::viewOptions(true));
        benchmark::DoNotOptimize(html);
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}

// Opening: the whole text set and every block coloured, none of it left to idle time.
void BM_Open5MB(benchmark::State &state)
{
    const QString text = page(5'000'000);
    auto area = std::make_unique<Area>(QString());
    for (auto _ : state) {
        area->memo.setText(text);
        area->memo.finishLoading();
        area->memo.highlighter()->finish();
        state.PauseTiming();
        // The page ends with its most tagged line.
        if (area->memo.document()->lastBlock().layout()->formats().size() < 10) {
            state.SkipWithError("the last line was not coloured");
            break;
        }
        area->memo.setText(QString());
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// Just after opening, with the caret at the end: one report, which does a few milliseconds
// of layout and leaves the rest to the idle catch-up.
void BM_ReportAtEndAfterOpen5MB(benchmark::State &state)
{
    const QString text = page(5'000'000);
    Area area{QString()};
    for (auto _ : state) {
        state.PauseTiming();
        area.memo.setText(text);
        area.memo.finishLoading();
        area.memo.moveCursor(QTextCursor::End);
        state.ResumeTiming();
        area.memo.UpdatePosition();
    }
}

// The same, then a style command: the prefix rule needs the caret's own line only.
void BM_PrefixRuleAtEndAfterOpen5MB(benchmark::State &state)
{
    const QString text = page(5'000'000);
    Area area{QString()};
    for (auto _ : state) {
        state.PauseTiming();
        area.memo.setText(text);
        area.memo.finishLoading();
        area.memo.moveCursor(QTextCursor::End);
        area.memo.moveCursor(QTextCursor::PreviousBlock);
        state.ResumeTiming();
        insertion::prefixRule(&area.memo, QStringLiteral("^center^"));
    }
}

// The whole of the catch-up's work: every block above the caret laid out, exact line count.
void BM_ExactCaretLineAtEndAfterOpen5MB(benchmark::State &state)
{
    const QString text = page(5'000'000);
    Area area{QString()};
    for (auto _ : state) {
        state.PauseTiming();
        area.memo.setText(text);
        area.memo.finishLoading();
        area.memo.moveCursor(QTextCursor::End);
        state.ResumeTiming();
        benchmark::DoNotOptimize(area.memo.CaretLine());
    }
}

qint64 threadCpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// A 50 MB page file as the Open command reads it.
const QString &bigPageFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(QStringLiteral("big.mv"));
        QString error;
        pagefile::write(file, pagefile::fromText(page(50'000'000)), &error);
        return file;
    }();
    return path;
}

// Opening a 50 MB page as the Open command does (read, decode, set), until its first screen
// has been drawn, and so coloured.
void BM_Open50MB_FirstScreen(benchmark::State &state)
{
    const QString path = bigPageFile();
    Area area{QString()};
    for (auto _ : state) {
        QByteArray bytes;
        QString error;
        pagefile::read(path, &bytes, &error);
        area.memo.setText(pagefile::toText(bytes));
        area.memo.viewport()->repaint();
        state.PauseTiming();
        if (area.memo.document()->firstBlock().layout()->formats().size() < 10) {
            state.SkipWithError("the first line was not coloured");
            break;
        }
        area.memo.setText(QString());
        area.memo.highlighter()->finish();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// The toolkit's own floor for the same page: a bare QPlainTextEdit given the text.
void BM_Open50MB_FirstScreen_BarePlainTextEdit(benchmark::State &state)
{
    const QString path = bigPageFile();
    QPlainTextEdit bare;
    bare.setFont(fonts::makePixels(QStringLiteral("Lucida Console"), 13));
    bare.resize(680, 440);
    bare.show();
    for (auto _ : state) {
        QByteArray bytes;
        QString error;
        pagefile::read(path, &bytes, &error);
        bare.setPlainText(pagefile::toText(bytes));
        bare.viewport()->repaint();
        state.PauseTiming();
        bare.setPlainText(QString());
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// After opening a 50 MB page: the rest is coloured in idle slices. Reports the longest time
// the event loop was away (the window's worst answer time) and the time until all is done.
void BM_Open50MB_ColouringInIdleTime(benchmark::State &state)
{
    const QString path = bigPageFile();
    Area area{QString()};
    for (auto _ : state) {
        QByteArray bytes;
        QString error;
        pagefile::read(path, &bytes, &error);
        area.memo.setText(pagefile::toText(bytes));
        area.memo.viewport()->repaint();
        QElapsedTimer total;
        total.start();
        // Wall time counts the moments the busy machine gave the CPU to someone else too;
        // the thread's CPU time is the work the event loop did in one pass.
        qint64 longest = 0;
        qint64 longestCpu = 0;
        int over100ms = 0;
        qint64 loaded = 0;
        while (area.memo.isLoading() || area.memo.highlighter()->isPending()) {
            if (!loaded && !area.memo.isLoading())
                loaded = total.nsecsElapsed();
            QElapsedTimer away;
            away.start();
            const qint64 cpu = threadCpuNs();
            QApplication::processEvents();
            longest = qMax(longest, away.nsecsElapsed());
            longestCpu = qMax(longestCpu, threadCpuNs() - cpu);
            over100ms += away.nsecsElapsed() > 100'000'000;
        }
        state.counters["longest_pause_ms"] = double(longest) / 1e6;
        state.counters["longest_pause_cpu_ms"] = double(longestCpu) / 1e6;
        state.counters["pauses_over_100ms"] = over100ms;
        state.counters["until_whole_s"] = double(loaded) / 1e9;
        state.counters["until_done_s"] = double(total.nsecsElapsed()) / 1e9;
    }
}

} // namespace

BENCHMARK_CAPTURE(typing, Keystroke5MB_End, 5'000'000, AtEnd, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(typing, Keystroke5MB_Middle, 5'000'000, InMiddle, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(typing, Keystroke5KB_End, 5'000, AtEnd, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(typing, Keystroke5KB_Middle, 5'000, InMiddle, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(typing, KeystrokeAndPaint5MB_Middle, 5'000'000, InMiddle, true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(typing, KeystrokeAndPaint5KB_Middle, 5'000, InMiddle, true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(typing, Keystroke50MB_Middle, 50'000'000, InMiddle, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(longLine, OneLine100KB_Keystroke, 100'000, Highlighting)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(longLine, OneLine100KB_Keystroke_BarePlainTextEdit, 100'000, Bare)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(longLine, OneLine1MB_Keystroke, 1'000'000, Highlighting)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(longLine, OneLine1MB_Keystroke_BarePlainTextEdit, 1'000'000, Bare)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenOneLine2MB)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Open50MB_FirstScreen)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Open50MB_FirstScreen_BarePlainTextEdit)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Open50MB_ColouringInIdleTime)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(spelledTyping, Keystroke1MB_SpellingOff, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(spelledTyping, Keystroke1MB_SpellingOn, true)->Unit(benchmark::kMicrosecond);
// With the tag checker and the site view shown, against the same without them.
BENCHMARK_CAPTURE(typing, KeystrokeAndPaint1MB_Middle, 1'000'000, InMiddle, true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(typing, KeystrokeAndPaint1MB_Middle_CheckerAndSiteView, 1'000'000, InMiddle, true,
                  true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckAfterKeystroke1MB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SiteViewAfterPause1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Open5MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReportAtEndAfterOpen5MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PrefixRuleAtEndAfterOpen5MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExactCaretLineAtEndAfterOpen5MB)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The site view's web engine, as the program starts it.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return runBenchmarks(argc, argv);
}
