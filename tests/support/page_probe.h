// Reads what a web page shows (its text, its scroll position) for tests, waiting for the
// engine's asynchronous answer.
#pragma once

#include <QElapsedTimer>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace pageprobe {

// Waits until `done` is set by the engine's callback or the time is up.
inline void waitFor(const bool &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done && timer.elapsed() < timeoutMs)
        QTest::qWait(10);
}

// The page's text as the engine renders it; empty when it does not answer in time.
inline QString shownText(QWebEnginePage *page, int timeoutMs = 30000)
{
    QString text;
    bool done = false;
    page->toPlainText([&](const QString &result) {
        text = result;
        done = true;
    });
    waitFor(done, timeoutMs);
    return text;
}

// Where the page is scrolled to, as the page itself sees it; -1 when it does not answer.
inline qreal scrolledTo(QWebEnginePage *page, int timeoutMs = 30000)
{
    qreal y = -1;
    bool done = false;
    page->runJavaScript(QStringLiteral("window.scrollY"), QWebEngineScript::ApplicationWorld,
                        [&](const QVariant &value) {
                            y = value.toReal();
                            done = true;
                        });
    waitFor(done, timeoutMs);
    return y;
}

} // namespace pageprobe
