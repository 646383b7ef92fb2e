// The HTML view: what Navigate accepts and refuses, the before-navigate and progress events,
// the main window's profile, and the scroll position kept across reloads in place.
#include "browser/html_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace {

constexpr int LoadTimeout = 30000;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestHtmlView : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void blankTextDoesNothing_data();
    void blankTextDoesNothing();
    void addressOfText_data();
    void addressOfText();
    void invalidAddressIsRefused_data();
    void invalidAddressIsRefused();
    void addressCheckRefuses();
    void navigateReportsAddressAndProgress();
    void linkClickedInsidePageIsReported();
    void historyMovesWithoutHistoryThrow();
    void mainWindowProfileIdentifiesItself();
    void reloadInPlaceKeepsScrollPosition();

private:
    QTemporaryDir m_dir;
};

void TestHtmlView::blankTextDoesNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks") << QStringLiteral("   ");
    QTest::newRow("controls") << QStringLiteral("\t\r\n\x01");
}

void TestHtmlView::blankTextDoesNothing()
{
    QFETCH(QString, text);
    HtmlView view;
    QSignalSpy before(&view, &HtmlView::OnBeforeNavigate2);
    QSignalSpy started(view.webView(), &QWebEngineView::loadStarted);
    view.Navigate(text);
    QTest::qWait(300);
    QCOMPARE(before.count(), 0);
    QCOMPARE(started.count(), 0);
    QVERIFY(view.webView()->url().isEmpty());
}

void TestHtmlView::addressOfText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QUrl>("address");
    QTest::newRow("web address") << QStringLiteral("http://wap.mirvale.example/rub?rid=4")
                                 << QUrl(QStringLiteral("http://wap.mirvale.example/rub?rid=4"));
    QTest::newRow("host only") << QStringLiteral("wap.mirvale.example")
                               << QUrl(QStringLiteral("http://wap.mirvale.example"));
    QTest::newRow("local path") << QStringLiteral("/tmp/Temp.html")
                                << QUrl(QStringLiteral("file:///tmp/Temp.html"));
    // A local file name holding "#" stays one file name, not an address with a fragment.
    QTest::newRow("path with #") << QStringLiteral("/tmp/a#b.html")
                                 << QUrl::fromLocalFile(QStringLiteral("/tmp/a#b.html"));
    QTest::newRow("file address") << QStringLiteral("file:///tmp/x.html")
                                  << QUrl(QStringLiteral("file:///tmp/x.html"));
}

void TestHtmlView::addressOfText()
{
    QFETCH(QString, text);
    QFETCH(QUrl, address);
    QCOMPARE(HtmlView::addressOf(text), address);
}

void TestHtmlView::invalidAddressIsRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("unclosed host") << QStringLiteral("http://[::1");
    QTest::newRow("no host") << QStringLiteral("http://");
    QTest::newRow("blank in host") << QStringLiteral("http://wap mirvale.example/");
    QTest::newRow("not an address") << QStringLiteral("a b c");
}

void TestHtmlView::invalidAddressIsRefused()
{
    QFETCH(QString, text);
    HtmlView view;
    QSignalSpy before(&view, &HtmlView::OnBeforeNavigate2);
    QVERIFY_THROWS_EXCEPTION(NavigateError, view.Navigate(text));
    QTest::qWait(200);
    QCOMPARE(before.count(), 0);
}

void TestHtmlView::addressCheckRefuses()
{
    HtmlView view;
    view.setAddressCheck([](const QUrl &url) { return url.scheme() != QLatin1String("file"); });
    const QString page = m_dir.filePath(QStringLiteral("refused.html"));
    writeFile(page, "<html><body>x</body></html>");
    QVERIFY_THROWS_EXCEPTION(NavigateError, view.Navigate(page));
}

void TestHtmlView::navigateReportsAddressAndProgress()
{
    const QString page = m_dir.filePath(QStringLiteral("plain.html"));
    writeFile(page, "<html><head><title>Plain</title></head><body>plain</body></html>");
    HtmlView view;
    QSignalSpy before(&view, &HtmlView::OnBeforeNavigate2);
    QSignalSpy progress(&view, &HtmlView::OnProgressChange);
    QSignalSpy finished(view.webView(), &QWebEngineView::loadFinished);
    view.Navigate(page);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, LoadTimeout);
    QVERIFY(finished.at(0).at(0).toBool());
    QCOMPARE(before.count(), 1);
    QCOMPARE(before.at(0).at(0).toString(), QUrl::fromLocalFile(page).toString());
    // Percent of 100 while loading, then the "done" report that lets a progress bar rest.
    QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty() && progress.last().at(0).toInt() == -1,
                             LoadTimeout);
    bool sawFull = false;
    for (const auto &args : progress) {
        QCOMPARE(args.at(1).toInt(), 100);
        sawFull = sawFull || args.at(0).toInt() == 100;
    }
    QVERIFY(sawFull);
}

void TestHtmlView::linkClickedInsidePageIsReported()
{
    const QString target = m_dir.filePath(QStringLiteral("target.html"));
    writeFile(target, "<html><body>target</body></html>");
    const QString start = m_dir.filePath(QStringLiteral("start.html"));
    writeFile(start, "<html><body><a id='go' href='target.html'>go</a></body></html>");
    HtmlView view;
    QSignalSpy before(&view, &HtmlView::OnBeforeNavigate2);
    QSignalSpy finished(view.webView(), &QWebEngineView::loadFinished);
    view.Navigate(start);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, LoadTimeout);
    view.webView()->page()->runJavaScript(QStringLiteral("document.getElementById('go').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, LoadTimeout);
    QCOMPARE(before.count(), 2);
    QCOMPARE(before.at(1).at(0).toString(), QUrl::fromLocalFile(target).toString());
}

void TestHtmlView::historyMovesWithoutHistoryThrow()
{
    HtmlView view;
    QSignalSpy before(&view, &HtmlView::OnBeforeNavigate2);
    QVERIFY_THROWS_EXCEPTION(NavigateError, view.GoBack());
    QVERIFY_THROWS_EXCEPTION(NavigateError, view.GoForward());
    QTest::qWait(200);
    QCOMPARE(before.count(), 0);
}

void TestHtmlView::mainWindowProfileIdentifiesItself()
{
    HtmlView site(nullptr, HtmlView::mainWindowProfile());
    HtmlView preview(nullptr, HtmlView::mainWindowProfile());
    HtmlView dialog;
    QCOMPARE(site.userAgent(), QStringLiteral("Scribel Browser"));
    QCOMPARE(preview.webView()->page()->profile(), site.webView()->page()->profile());
    QVERIFY(dialog.userAgent() != QStringLiteral("Scribel Browser"));
    // Nothing of the site browser's session is written to disk.
    QVERIFY(HtmlView::mainWindowProfile()->isOffTheRecord());
}

// Where the page is scrolled to, as the page itself sees it.
qreal scrolledTo(QWebEnginePage *page)
{
    qreal y = -1;
    bool done = false;
    page->runJavaScript(QStringLiteral("window.scrollY"), QWebEngineScript::ApplicationWorld,
                        [&](const QVariant &value) {
                            y = value.toReal();
                            done = true;
                        });
    QElapsedTimer timer;
    timer.start();
    while (!done && timer.elapsed() < LoadTimeout)
        QTest::qWait(10);
    return y;
}

void TestHtmlView::reloadInPlaceKeepsScrollPosition()
{
    QByteArray tall = "<html><body>";
    for (int i = 0; i < 400; ++i)
        tall += "<p>line " + QByteArray::number(i) + "</p>";
    tall += "</body></html>";
    const QString page = m_dir.filePath(QStringLiteral("tall.html"));
    writeFile(page, tall);

    HtmlView view;
    view.setJavaScriptEnabled(false); // as in the message preview
    view.setKeepsScrollPosition(true);
    view.resize(400, 300);
    view.show();
    QSignalSpy finished(view.webView(), &QWebEngineView::loadFinished);
    view.Navigate(page);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, LoadTimeout);

    QWebEnginePage *p = view.webView()->page();
    p->runJavaScript(QStringLiteral("window.scrollTo(0, 1500);"),
                     QWebEngineScript::ApplicationWorld);
    QTRY_COMPARE_WITH_TIMEOUT(scrolledTo(p), 1500.0, LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(p->scrollPosition().y(), 1500.0, LoadTimeout);

    view.Navigate(page);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(scrolledTo(p), 1500.0, LoadTimeout);
}

int main(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); // wanted by the web engine
    QApplication app(argc, argv);
    TestHtmlView test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_html_view.moc"
