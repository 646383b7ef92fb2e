// Typing into and opening large pages in the highlighting text area.
#include "editor/caret_tag_highlighter.h"
#include "editor/highlighting_memo.h"
#include "editor/insertion.h"
#include "platform/fonts.h"
#include "platform/page_file.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QLabel>
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
        // The steady state: a big page coloured to its end.
        memo.highlighter()->finish();
        QApplication::processEvents();
    }
};

void key(TMemo &memo, Qt::Key code, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(&memo, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(&memo, &release);
}

enum Where { AtEnd, InMiddle };

// One character typed: key down, the edit, the highlighter's pass and every position report,
// up to key up. Each typed character is taken back outside the timing, so the page stays the
// same; the paint that the edit requested runs there too.
void typing(benchmark::State &state, qsizetype bytes, Where where, bool withPaint)
{
    Area area(page(bytes));
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
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(area.get(), &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(area.get(), &release);
        QApplication::processEvents();
        state.PauseTiming();
        QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(area.get(), &back);
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

// Opening: the text set, every block coloured (the highlighter works inside setText).
void BM_Open5MB(benchmark::State &state)
{
    const QString text = page(5'000'000);
    auto area = std::make_unique<Area>(QString());
    for (auto _ : state) {
        area->memo.setText(text);
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
        while (area.memo.highlighter()->isPending()) {
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
BENCHMARK(BM_Open5MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReportAtEndAfterOpen5MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PrefixRuleAtEndAfterOpen5MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExactCaretLineAtEndAfterOpen5MB)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
