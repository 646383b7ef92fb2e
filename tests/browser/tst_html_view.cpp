// The HTML view: what Navigate accepts and refuses, the before-navigate and progress events,
// the main window's profile, and the scroll position kept across reloads in place.
#include "browser/html_view.h"

#include "page_probe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <functional>

namespace {

constexpr int LoadTimeout = 30000;

// What a caller asks of a view, in order.
using Requests = std::function<void(HtmlView &)>;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

Q_DECLARE_METATYPE(Requests)

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
    void noEngineUntilFirstShown();
    void lateViewShowsWhatEarlyViewShows_data();
    void lateViewShowsWhatEarlyViewShows();

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
    QSignalSpy started(view.createWebView(), &QWebEngineView::loadStarted);
    view.Navigate(text);
    QTest::qWait(300);
    QCOMPARE(before.count(), 0);
    QCOMPARE(started.count(), 0);
    QVERIFY(view.url().isEmpty());
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
    QSignalSpy finished(view.createWebView(), &QWebEngineView::loadFinished);
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
    QSignalSpy finished(view.createWebView(), &QWebEngineView::loadFinished);
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
    HtmlView site(nullptr, HtmlView::Profile::MainWindow);
    HtmlView preview(nullptr, HtmlView::Profile::MainWindow);
    HtmlView dialog;
    QCOMPARE(site.userAgent(), QStringLiteral("Scribel Browser")); // known before the engine
    QCOMPARE(preview.createWebView()->page()->profile(), site.createWebView()->page()->profile());
    QCOMPARE(site.userAgent(), QStringLiteral("Scribel Browser"));
    QVERIFY(dialog.userAgent() != QStringLiteral("Scribel Browser"));
    // Nothing of the site browser's session is written to disk.
    QVERIFY(HtmlView::mainWindowProfile()->isOffTheRecord());
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
    QSignalSpy finished(view.createWebView(), &QWebEngineView::loadFinished);
    view.Navigate(page);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, LoadTimeout);

    QWebEnginePage *p = view.webView()->page();
    p->runJavaScript(QStringLiteral("window.scrollTo(0, 1500);"),
                     QWebEngineScript::ApplicationWorld);
    QTRY_COMPARE_WITH_TIMEOUT(pageprobe::scrolledTo(p), 1500.0, LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(p->scrollPosition().y(), 1500.0, LoadTimeout);

    view.Navigate(page);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(pageprobe::scrolledTo(p), 1500.0, LoadTimeout);
}

void TestHtmlView::noEngineUntilFirstShown()
{
    const QString page = m_dir.filePath(QStringLiteral("shown.html"));
    writeFile(page, "<html><body>shown</body></html>");
    QWidget window;
    auto *view = new HtmlView(&window, HtmlView::Profile::MainWindow);
    QSignalSpy before(view, &HtmlView::OnBeforeNavigate2);
    view->setLoadImages(false);
    view->Navigate(page);
    // Reported at once, as a view with an engine reports it.
    QCOMPARE(before.count(), 1);
    QCOMPARE(view->url(), QUrl::fromLocalFile(page));
    QVERIFY(!view->loadImages());
    QTest::qWait(100);
    QVERIFY(!view->webView());

    view->hide();
    window.show();
    QTest::qWait(100);
    QVERIFY(!view->webView()); // a hidden view shows nothing

    view->show();
    QTRY_VERIFY(view->webView());
    QTRY_COMPARE_WITH_TIMEOUT(view->webView()->url(), QUrl::fromLocalFile(page), LoadTimeout);
    QVERIFY(!view->loadImages());
    // The engine's own request for the replayed address is not reported a second time.
    QTest::qWait(300);
    QCOMPARE(before.count(), 1);
}

void TestHtmlView::lateViewShowsWhatEarlyViewShows_data()
{
    const QString page = m_dir.filePath(QStringLiteral("late.html"));
    // Code page 1251 without a declared character set: "Привет".
    writeFile(page, "<html><body>\xcf\xf0\xe8\xe2\xe5\xf2</body></html>");
    const QString other = m_dir.filePath(QStringLiteral("other.html"));
    writeFile(other, "<html><body>other</body></html>");

    QTest::addColumn<Requests>("requests");
    QTest::addColumn<QString>("shownText");
    const auto ownPage = [](HtmlView &view) {
        view.setJavaScriptEnabled(false);
        view.setDefaultTextEncoding(QStringLiteral("windows-1251"));
    };
    QTest::newRow("own page in code page 1251") << Requests([=](HtmlView &view) {
        ownPage(view);
        view.Navigate(page);
    }) << QStringLiteral("Привет");
    QTest::newRow("latest address wins") << Requests([=](HtmlView &view) {
        ownPage(view);
        view.Navigate(other);
        view.Navigate(page);
    }) << QStringLiteral("Привет");
    QTest::newRow("content given as bytes") << Requests([=](HtmlView &view) {
        view.setLoadImages(false);
        view.setContent("<html><body>bytes</body></html>", QStringLiteral("text/html"),
                        QUrl::fromLocalFile(other));
    }) << QStringLiteral("bytes");
    // The site browser at start: sent home, then stopped before anything loaded.
    QTest::newRow("stopped at once") << Requests([=](HtmlView &view) {
        view.Navigate(page);
        view.Stop();
    }) << QString();
}

void TestHtmlView::lateViewShowsWhatEarlyViewShows()
{
    QFETCH(Requests, requests);
    QFETCH(QString, shownText);
    HtmlView early;
    QWebEngineView *earlyEngine = early.createWebView();
    HtmlView late;
    QSignalSpy earlyReports(&early, &HtmlView::OnBeforeNavigate2);
    QSignalSpy lateReports(&late, &HtmlView::OnBeforeNavigate2);
    requests(early);
    requests(late);
    QVERIFY(!late.webView());
    QWebEngineView *lateEngine = late.createWebView();

    if (!shownText.isEmpty()) {
        QTRY_COMPARE_WITH_TIMEOUT(pageprobe::shownText(earlyEngine->page()).trimmed(), shownText,
                                  LoadTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(pageprobe::shownText(lateEngine->page()).trimmed(), shownText,
                                  LoadTimeout);
        QCOMPARE(late.url(), early.url());
    } else {
        QTest::qWait(500);
        QCOMPARE(pageprobe::shownText(lateEngine->page()).trimmed(),
                 pageprobe::shownText(earlyEngine->page()).trimmed());
    }
    QCOMPARE(lateReports.count(), earlyReports.count());
    QWebEngineSettings *a = earlyEngine->page()->settings();
    QWebEngineSettings *b = lateEngine->page()->settings();
    for (const auto attribute :
         {QWebEngineSettings::AutoLoadImages, QWebEngineSettings::JavascriptEnabled})
        QCOMPARE(b->testAttribute(attribute), a->testAttribute(attribute));
    QCOMPARE(b->defaultTextEncoding(), a->defaultTextEncoding());
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
