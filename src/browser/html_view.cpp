#include "browser/html_view.h"

#include "platform/interface_texts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

// Reports every navigation, including links followed inside the page, before it happens.
class ReportingPage : public QWebEnginePage
{
public:
    ReportingPage(QWebEngineProfile *profile, HtmlView *owner)
        : QWebEnginePage(profile, owner), m_owner(owner)
    {}

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        // A page of the program's own goes nowhere by itself: a meta refresh, a link, a form or
        // a redirect would reload it endlessly or show some other file in its place.
        if (m_owner->m_ownPages && isMainFrame)
            return type == NavigationTypeTyped && m_owner->takeOwnLoad();
        // Frames inside a page are part of the page: the address shown stays the page's.
        if (isMainFrame && !m_owner->takeAnnounced(url))
            emit m_owner->OnBeforeNavigate2(url.toString());
        return true;
    }

private:
    HtmlView *m_owner;
};

namespace {

// The length of QByteArray::toPercentEncoding's result, without making it: every byte but the
// unreserved ones (letters, digits, "-", ".", "_", "~") takes three.
qsizetype percentEncodedSize(const QByteArray &bytes)
{
    qsizetype size = bytes.size();
    for (const char c : bytes) {
        const bool unreserved = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        size += unreserved ? 0 : 2;
    }
    return size;
}

const QString MainWindowUserAgent = QStringLiteral("Scribel Browser");
// How long after its first showing a view makes its engine view.
constexpr int CreationDelayMs = 10;

const QString ScrollScriptName = QStringLiteral("HtmlViewKeepScroll");

QString scrollScript(QPointF at)
{
    return QStringLiteral("window.scrollTo(%1, %2);").arg(at.x()).arg(at.y());
}

bool isBlank(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > u' ')
            return false;
    }
    return true;
}

} // namespace

HtmlView::HtmlView(QWidget *parent, Profile profile) : QWidget(parent), m_profile(profile)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void HtmlView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_view || m_creationQueued)
        return;
    // Made once the window has painted what it shows now: starting the engine takes a moment,
    // and the tab or dialog should not wait for it.
    m_creationQueued = true;
    QTimer::singleShot(CreationDelayMs, this, [this] {
        m_creationQueued = false;
        if (isVisible())
            createWebView();
    });
}

QWebEngineView *HtmlView::createWebView()
{
    if (m_view)
        return m_view;
    QWebEngineProfile *profile = m_profile == Profile::MainWindow
                                     ? mainWindowProfile()
                                     : QWebEngineProfile::defaultProfile();
    m_view = new QWebEngineView(this);
    auto *page = new ReportingPage(profile, this);
    m_view->setPage(page);
    layout()->addWidget(m_view);
    setFocusProxy(m_view);
    if (hasFocus())
        m_view->setFocus();

    connect(m_view, &QWebEngineView::loadProgress, this,
            [this](int percent) { emit OnProgressChange(percent, 100); });
    connect(m_view, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (m_ownPages)
            loadEnded();
        else if (ok)
            restoreScrollPosition();
        emit OnProgressChange(-1, 100);
    });
    // A crashed page reports no end of its load; a waiting page is loaded all the same.
    connect(page, &QWebEnginePage::renderProcessTerminated, this, [this] {
        if (m_ownPages)
            loadEnded();
    });
    // A link that asks for a new window opens here: the program has one browser window.
    connect(page, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest &request) {
                if (!m_ownPages)
                    m_view->setUrl(request.requestedUrl());
            });

    // Everything asked before, in the order that makes the first load use it.
    QWebEngineSettings *settings = page->settings();
    if (m_loadImages)
        settings->setAttribute(QWebEngineSettings::AutoLoadImages, *m_loadImages);
    if (m_javaScript)
        settings->setAttribute(QWebEngineSettings::JavascriptEnabled, *m_javaScript);
    if (m_encoding)
        settings->setDefaultTextEncoding(*m_encoding);
    if (m_userAgent)
        profile->setHttpUserAgent(*m_userAgent);
    if (m_pendingContent) {
        const Content content = *std::exchange(m_pendingContent, std::nullopt);
        setContent(content.data, content.mimeType, content.baseUrl);
    } else if (m_pendingUrl) {
        const QUrl url = *std::exchange(m_pendingUrl, std::nullopt);
        // Navigate reported this address already.
        m_announced = url;
        load(url, std::nullopt);
    }
    return m_view;
}

void HtmlView::setOwnPages(bool on)
{
    m_ownPages = on;
    // For pages too large to be handed over with their character set (see load()).
    setDefaultTextEncoding(QStringLiteral("windows-1251"));
}

HtmlView::~HtmlView() = default;

QWebEngineProfile *HtmlView::mainWindowProfile()
{
    // Off the record: the site browser keeps cookies and cache for the run only and writes
    // nothing to disk. Owned by the application, so it outlives every view.
    static QWebEngineProfile *profile = [] {
        auto *p = new QWebEngineProfile(qApp);
        p->setObjectName(QStringLiteral("MainWindowProfile"));
        p->setHttpUserAgent(MainWindowUserAgent);
        return p;
    }();
    return profile;
}

QUrl HtmlView::addressOf(const QString &text)
{
    if (isBlank(text))
        return {};
    // A path is taken as a file name even when it holds "#" or "?".
    const bool hasScheme = text.contains(QLatin1String("://"));
    if (QDir::isAbsolutePath(text) && !hasScheme)
        return QUrl::fromLocalFile(text);
    // An address with its scheme is taken as written, so that a malformed one is refused
    // rather than guessed into some other address.
    const QUrl written(text.trimmed(), QUrl::TolerantMode);
    static const QStringList schemesWithoutSlashes = {
        QStringLiteral("about"), QStringLiteral("data"), QStringLiteral("mailto"),
        QStringLiteral("javascript")};
    if (hasScheme || schemesWithoutSlashes.contains(written.scheme(), Qt::CaseInsensitive))
        return written;
    return QUrl::fromUserInput(text);
}

void HtmlView::Navigate(const QString &address)
{
    if (isBlank(address))
        return;
    const QUrl url = addressOf(address);
    const bool needsHost = url.scheme() == QLatin1String("http") ||
                           url.scheme() == QLatin1String("https") ||
                           url.scheme() == QLatin1String("ftp");
    if (!url.isValid() || url.scheme().isEmpty() || (needsHost && url.host().isEmpty()) ||
        (m_check && !m_check(url)))
        throw NavigateError(
            interfacetexts::text(interfacetexts::AddressRefused).arg(address).toStdString());
    // Reported at once, as a browser control does: a load stopped before the engine asks
    // for the address (the site browser at start-up) still shows where it was sent.
    m_announced = url;
    emit OnBeforeNavigate2(url.toString());
    if (!m_view) {
        // Loaded when the engine view is made; a later request replaces this one, as it
        // would replace a load still in progress.
        m_pendingContent.reset();
        m_pendingUrl = url;
        return;
    }
    if (m_ownPages && m_loading) {
        // Two loads in flight race, and the older one may land last or reset the scroll
        // position: the newest request waits for the current load and replaces any other.
        m_waiting = url;
        return;
    }
    load(url, std::nullopt);
}

void HtmlView::load(const QUrl &url, std::optional<QPointF> scrolledTo)
{
    if (m_keepScroll && !m_pendingScroll && url == m_view->url()) {
        m_pendingScroll = scrolledTo ? *scrolledTo : m_view->page()->scrollPosition();
        // Scrolling as soon as the new document is parsed, before it is first shown, keeps
        // the view from jumping to the top and back.
        QWebEngineScript script;
        script.setName(ScrollScriptName);
        script.setInjectionPoint(QWebEngineScript::DocumentReady);
        script.setWorldId(QWebEngineScript::ApplicationWorld);
        script.setRunsOnSubFrames(false);
        script.setSourceCode(scrollScript(*m_pendingScroll));
        m_view->page()->scripts().insert(script);
    }
    if (!m_ownPages) {
        m_view->setUrl(url);
        return;
    }
    m_loading = true;
    ++m_ownLoads;
    // An 8-bit page without a declared character set is guessed at by the engine, and for a
    // short page the guess wins over the default encoding. The bytes of a local page therefore
    // go to the engine with their character set named, at the page's own address. The engine
    // takes such content as an address of at most 2 MiB; a larger page is opened as a file
    // (long enough for the engine to recognise its code page).
    constexpr qsizetype MaxContent = 2 * 1024 * 1024 - 64;
    QFile file(url.toLocalFile());
    // Percent-encoding never makes bytes fewer: a file that long is not read at all.
    if (url.isLocalFile() && file.size() < MaxContent && file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        if (file.error() == QFileDevice::NoError && percentEncodedSize(bytes) < MaxContent) {
            m_view->page()->setContent(bytes, "text/html;charset=windows-1251", url);
            return;
        }
    }
    m_view->setUrl(url);
}

bool HtmlView::takeOwnLoad()
{
    if (m_ownLoads == 0)
        return false;
    --m_ownLoads;
    return true;
}

void HtmlView::loadEnded()
{
    if (!m_loading)
        return; // a refused navigation of the page itself
    m_loading = false;
    m_ownLoads = 0;
    const std::optional<QPointF> scrolledTo = m_pendingScroll;
    restoreScrollPosition();
    if (m_waiting) {
        const QUrl next = *m_waiting;
        m_waiting.reset();
        load(next, scrolledTo);
    }
}

bool HtmlView::takeAnnounced(const QUrl &url)
{
    const bool same = m_announced && m_announced->matches(url, QUrl::StripTrailingSlash |
                                                                   QUrl::NormalizePathSegments);
    m_announced.reset();
    return same;
}

void HtmlView::restoreScrollPosition()
{
    if (!m_pendingScroll)
        return;
    const QPointF at = *m_pendingScroll;
    m_pendingScroll.reset();
    QWebEngineScriptCollection &scripts = m_view->page()->scripts();
    for (const QWebEngineScript &script : scripts.find(ScrollScriptName))
        scripts.remove(script);
    // Once more now that the page is complete, in case it grew after it was parsed. The
    // application's own script world runs even where page scripts are switched off.
    m_view->page()->runJavaScript(scrollScript(at), QWebEngineScript::ApplicationWorld);
}

void HtmlView::GoBack()
{
    if (!m_view || !m_view->history()->canGoBack())
        throw NavigateError(interfacetexts::text(interfacetexts::NoPageBack).toStdString());
    m_view->back();
}

void HtmlView::GoForward()
{
    if (!m_view || !m_view->history()->canGoForward())
        throw NavigateError(interfacetexts::text(interfacetexts::NoPageForward).toStdString());
    m_view->forward();
}

void HtmlView::Refresh()
{
    // Without an engine view nothing has been shown yet that could be reloaded.
    if (m_view)
        m_view->reload();
}

void HtmlView::Stop()
{
    m_announced.reset();
    // A stopped load may never report its end: the next Navigate must not wait for it.
    m_waiting.reset();
    m_loading = false;
    m_ownLoads = 0;
    // A load that has not started yet is stopped by never starting it.
    m_pendingUrl.reset();
    m_pendingContent.reset();
    if (m_view)
        m_view->stop();
}

void HtmlView::setContent(const QByteArray &data, const QString &mimeType, const QUrl &baseUrl)
{
    if (m_view) {
        if (m_ownPages) {
            m_loading = true;
            ++m_ownLoads;
        }
        m_view->setContent(data, mimeType, baseUrl);
        return;
    }
    m_pendingUrl.reset();
    m_pendingContent = Content{data, mimeType, baseUrl};
}

QUrl HtmlView::url() const
{
    if (m_view)
        return m_view->url();
    if (m_pendingContent)
        return m_pendingContent->baseUrl;
    return m_pendingUrl.value_or(QUrl());
}

void HtmlView::setLoadImages(bool on)
{
    m_loadImages = on;
    if (m_view)
        m_view->page()->settings()->setAttribute(QWebEngineSettings::AutoLoadImages, on);
}

bool HtmlView::loadImages() const
{
    if (m_view)
        return m_view->page()->settings()->testAttribute(QWebEngineSettings::AutoLoadImages);
    return m_loadImages.value_or(true); // the engine's default
}

void HtmlView::setJavaScriptEnabled(bool on)
{
    m_javaScript = on;
    if (m_view)
        m_view->page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, on);
}

void HtmlView::setDefaultTextEncoding(const QString &encoding)
{
    m_encoding = encoding;
    if (m_view)
        m_view->page()->settings()->setDefaultTextEncoding(encoding);
}

void HtmlView::setUserAgent(const QString &userAgent)
{
    m_userAgent = userAgent;
    if (m_view)
        m_view->page()->profile()->setHttpUserAgent(userAgent);
}

QString HtmlView::userAgent() const
{
    if (m_view)
        return m_view->page()->profile()->httpUserAgent();
    if (m_userAgent)
        return *m_userAgent;
    // The main window's profile is known without starting the engine; the default one's
    // text comes from the engine itself.
    return m_profile == Profile::MainWindow ? MainWindowUserAgent
                                            : QWebEngineProfile::defaultProfile()->httpUserAgent();
}
