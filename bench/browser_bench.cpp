// The work one keystroke in the message text area does before the preview view is asked to
// load: the conversion of the whole message and the write of the preview file.
#include "browser/message_preview.h"

#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

} // namespace

BENCHMARK_MAIN();
