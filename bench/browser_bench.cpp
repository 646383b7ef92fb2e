// The work one keystroke in the message text area does before the preview view is asked to
// load: the conversion of the whole message and the write of the preview file; and the first
// showing of the preview, which starts the web engine.
// Run as root with QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox (the engine's sandbox refuses root).
#include "bench_main.h"
#include "browser/html_view.h"
#include "browser/message_preview.h"
#include "browser/message_tab.h"
#include "editor/highlighting_memo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A message of about the given size in characters: Cyrillic text, line breaks and the tags
// the preview converts, as a long message would hold them.
QString message(qsizetype size)
{
    const QString piece = QStringLiteral("^bolder^Привет^br^ это ^italic^сообщение^br^ "
                                         "^center^с тегами ^url^http://x^ссылка^ и текстом\n");
    QString text;
    text.reserve(size + piece.size());
    while (text.size() < size)
        text += piece;
    return text;
}

void BM_PageBytes(benchmark::State &state)
{
    const QString text = message(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(messagepreview::pageBytes(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_PageBytes)->Arg(1 << 10)->Arg(100 << 10)->Unit(benchmark::kMillisecond);

void BM_KeystrokeConvertAndWrite(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Temp.html"));
    const QString text = message(state.range(0));
    QString error;
    for (auto _ : state) {
        if (!messagepreview::write(text, path, &error)) {
            state.SkipWithError(qPrintable(error));
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_KeystrokeConvertAndWrite)->Arg(1 << 10)->Arg(100 << 10)->Unit(benchmark::kMillisecond);

// From the first showing of the Message tab, with a message typed while it was hidden, until
// its preview shows that message. The web engine starts here, once per process.
void BM_FirstShowingOfPreview(benchmark::State &state)
{
    QTemporaryDir dir;
    for (auto _ : state) {
        MessageTab tab;
        tab.setPreviewFile(dir.filePath(QStringLiteral("Temp.html")));
        tab.resize(700, 500);
        tab.memo()->setPlainText(QStringLiteral("^bolder^Привет^br^мир"));
        QElapsedTimer clock;
        clock.start();
        tab.show();
        // The page's answers may come after this iteration; they write to a shared string.
        auto shown = std::make_shared<QString>();
        qint64 longest = 0; // the longest the window had to wait for an answer
        while (!shown->contains(QStringLiteral("Привет")) && clock.elapsed() < 30000) {
            QElapsedTimer away;
            away.start();
            QApplication::processEvents(QEventLoop::AllEvents, 10);
            longest = qMax(longest, away.nsecsElapsed());
            if (QWebEngineView *view = tab.preview()->webView())
                view->page()->toPlainText([shown](const QString &text) { *shown = text; });
        }
        if (!shown->contains(QStringLiteral("Привет")))
            state.SkipWithError("the preview never showed the message");
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        state.counters["longest_pause_ms"] = double(longest) / 1e6;
    }
}
BENCHMARK(BM_FirstShowingOfPreview)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return runBenchmarks(argc, argv);
}
