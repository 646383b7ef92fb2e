// The recovery copy of a large unsaved page: how long the window is held when typing pauses.
#include "app/recovery_keeper.h"
#include "bench_main.h"
#include "editor/highlighting_memo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

QString page(qsizetype chars)
{
    const QString line =
        QStringLiteral("^center^^bolder^Привет, мир! 123 ^url^http://x.example^сайт^\n");
    QString text;
    text.reserve(chars + line.size());
    while (text.size() < chars)
        text += line;
    return text;
}

// The part of writing the copy that runs on the GUI thread, for a 50 MB unsaved page.
void BM_RecoveryCopy50MB(benchmark::State &state)
{
    QTemporaryDir folder;
    TMemo memo;
    memo.setText(page(50'000'000));
    memo.finishLoading();
    memo.document()->setModified(true);
    RecoveryKeeper keeper(
        &memo, nullptr, [] { return QString(); }, folder.path());
    for (auto _ : state) {
        keeper.flush();
        state.PauseTiming();
        keeper.waitForWrite();
        state.ResumeTiming();
    }
}

// Only the text taken from the text area, which must stay on the GUI thread.
void BM_PageText50MB(benchmark::State &state)
{
    TMemo memo;
    memo.setText(page(50'000'000));
    memo.finishLoading();
    for (auto _ : state)
        benchmark::DoNotOptimize(memo.text());
}

// The longest step the event loop makes between the pause after typing and the copy on the
// disk, for a 50 MB unsaved page: how long the window may fail to answer.
void BM_RecoveryLongestStep50MB(benchmark::State &state)
{
    QTemporaryDir folder;
    TMemo memo;
    memo.setText(page(50'000'000));
    memo.finishLoading();
    RecoveryKeeper keeper(
        &memo, nullptr, [] { return QString(); }, folder.path());
    keeper.setPause(0);
    for (auto _ : state) {
        QTextCursor(memo.document()).insertText(QStringLiteral("x"));
        double longest = 0;
        QElapsedTimer clock;
        while (keeper.isPending()) {
            clock.start();
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            longest = qMax(longest, clock.nsecsElapsed() / 1e9);
        }
        state.SetIterationTime(longest);
    }
}

} // namespace

BENCHMARK(BM_PageText50MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RecoveryCopy50MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RecoveryLongestStep50MB)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv);
}
