// The main window with everything a page turns on (colouring, the tag checker, spelling, the
// status counts), opening a 50 MB page file: how soon the first screen shows and how long
// the window may fail to answer while the rest arrives and is coloured and checked.
#include "app/main_window.h"
#include "bench_main.h"
#include "editor/caret_tag_highlighter.h"
#include "editor/highlighting_memo.h"
#include "editor/page_commands.h"
#include "platform/page_file.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// About a million lines of tagged Russian text, as a page file.
QString bigPageFile(const QTemporaryDir &dir)
{
    const QString lines[] = {
        QStringLiteral("^center^^bolder^Привет, мир! 123 ^url^http://x.example^сайт^"),
        QStringLiteral("Обычный текст страницы, без тегов, но с числами 42 и 2024."),
        QStringLiteral("^italic^Курсив ^br^ ^hr^"),
        QString(),
    };
    QString text;
    text.reserve(50'000'100);
    for (int i = 0; text.size() < 50'000'000; ++i)
        text += lines[i % 4] + QLatin1Char('\n');
    const QString path = dir.filePath(QStringLiteral("big.mv"));
    QString error;
    pagefile::write(path, pagefile::fromText(text), &error);
    return path;
}

void runEventsFor(qint64 ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

void BM_Window_Open50MB(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = bigPageFile(dir);
    TForm1 form;
    form.show();
    runEventsFor(3000); // the dictionaries load after the window shows
    TMemo *memo = form.memoGen();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        form.pageCommands()->openFile(path);
        memo->viewport()->repaint();
        const qint64 firstScreen = clock.nsecsElapsed();
        // Then the event loop, pass by pass, until everything is in and coloured, and a few
        // seconds more for the checkers that follow.
        qint64 longest = 0;
        qint64 whole = 0;
        qint64 settled = 0;
        while (!settled || clock.nsecsElapsed() - settled < 3'000'000'000) {
            QElapsedTimer pass;
            pass.start();
            QApplication::processEvents();
            longest = qMax(longest, pass.nsecsElapsed());
            if (!whole && !memo->isLoading())
                whole = clock.nsecsElapsed();
            if (!settled && whole && !memo->highlighter()->isPending())
                settled = clock.nsecsElapsed();
        }
        // Keystrokes in the middle of the page, each drawn, once the caret's line number has
        // been worked out in idle time (with word wrap, that lays out every line above it).
        QTextCursor middle(memo->document());
        middle.setPosition(memo->document()->characterCount() / 2);
        memo->setTextCursor(middle);
        runEventsFor(3000);
        // The first keystroke also marks the page modified, which the title, the recovery
        // copy and the Undo buttons answer once; the next ones are typing as it goes on.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QElapsedTimer key;
        key.start();
        QApplication::sendEvent(memo, &press);
        memo->viewport()->repaint();
        const qint64 firstKeystroke = key.nsecsElapsed();
        QApplication::processEvents();
        constexpr int Keys = 20;
        qint64 keystrokes = 0;
        for (int i = 0; i < Keys; ++i) {
            key.start();
            QApplication::sendEvent(memo, &press);
            memo->viewport()->repaint();
            keystrokes += key.nsecsElapsed();
            QApplication::processEvents();
        }
        state.counters["first_screen_ms"] = double(firstScreen) / 1e6;
        state.counters["whole_s"] = double(whole) / 1e9;
        state.counters["coloured_s"] = double(settled) / 1e9;
        state.counters["longest_pass_ms"] = double(longest) / 1e6;
        state.counters["first_keystroke_ms"] = double(firstKeystroke) / 1e6;
        state.counters["keystroke_ms"] = double(keystrokes) / Keys / 1e6;
        memo->document()->setModified(false);
    }
}

} // namespace

BENCHMARK(BM_Window_Open50MB)->Unit(benchmark::kSecond)->Iterations(1);

int main(int argc, char **argv)
{
    // A home of its own: the window reads and writes its settings there.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/.cache")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toLocal8Bit());
    QApplication::setApplicationName(QStringLiteral("Mirvale Rivi Razare"));
    return runBenchmarks(argc, argv);
}
