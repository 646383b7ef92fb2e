// HtmlView: the embedded HTML display of the site browser, the previews and the dialogs.
#pragma once

#include <QPointF>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <optional>
#include <stdexcept>

class QWebEngineProfile;
class QWebEngineView;

// Raised by HtmlView::Navigate and the history moves when the view refuses the request.
class NavigateError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The web engine costs hundreds of megabytes and several processes, so the view is a light
// widget until a page must really be shown: it creates its engine view when it is first shown
// (or when createWebView() asks for it) and replays what was asked of it before. Until then
// it keeps the address, the content, the settings and the user agent it was given.
class HtmlView : public QWidget
{
    Q_OBJECT
public:
    // The engine profile a view uses: the default one (the dialogs' views) or the one the main
    // window's two views share.
    enum class Profile { Default, MainWindow };

    explicit HtmlView(QWidget *parent = nullptr, Profile profile = Profile::Default);
    ~HtmlView() override;

    // The profile the main window's two views share; its user agent is "Scribel Browser".
    // It keeps nothing on disk: cookies and cache live for the run only. Asking for it starts
    // the web engine.
    static QWebEngineProfile *mainWindowProfile();

    // Text of nothing but blanks and control characters does nothing. A local path becomes a
    // file address. Throws NavigateError when the request is refused.
    void Navigate(const QString &address);
    void GoBack();    // throws NavigateError with no history to go back to
    void GoForward(); // throws NavigateError with no history to go forward to
    void Refresh();
    void Stop();

    // Shows the bytes as a page of the given type at the given address, without reading it.
    void setContent(const QByteArray &data, const QString &mimeType, const QUrl &baseUrl);
    // The address shown, or the one that will be shown once the engine view exists.
    QUrl url() const;

    void setLoadImages(bool on);
    bool loadImages() const;
    void setJavaScriptEnabled(bool on);
    // 8-bit pages without a declared character set are read in this encoding.
    void setDefaultTextEncoding(const QString &encoding);
    void setUserAgent(const QString &userAgent); // of the view's profile
    QString userAgent() const;

    // A view that shows a page rebuilt on every change: navigating to the address already shown
    // keeps the reader's scroll position instead of going back to the top.
    void setKeepsScrollPosition(bool on) { m_keepScroll = on; }

    // A view of pages the program writes for itself (the previews): a local page is always read
    // as code page 1251, whatever its length; the page never navigates by itself (no meta
    // refresh, link, form or redirect), only Navigate loads it; and while one load is in flight
    // a newer Navigate waits for it, so the latest page wins and the scroll position holds.
    void setOwnPages(bool on);

    // The address Navigate would open for the text; an empty address for blank text.
    static QUrl addressOf(const QString &text);

    // Addresses for which this returns false are refused like invalid ones (lets a caller, or a
    // test, restrict what the view may open). None: every valid address is accepted.
    using AddressCheck = std::function<bool(const QUrl &)>;
    void setAddressCheck(AddressCheck check) { m_check = std::move(check); }

    // The engine view; none until the first showing (or createWebView()).
    QWebEngineView *webView() const { return m_view; }
    // The engine view, made now if it does not exist yet; what was asked before is replayed.
    QWebEngineView *createWebView();

signals:
    // Before every navigation, also links clicked inside a page; the address as text.
    void OnBeforeNavigate2(const QString &url);
    // Loading progress as (percent, 100); (-1, 100) once a load has ended, like the "done"
    // report of a browser control, so that a progress display comes to rest.
    void OnProgressChange(int progress, int progressMax);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void restoreScrollPosition();
    // Loads the address; scrolledTo is where a just-reloaded page was scrolled to.
    void load(const QUrl &url, std::optional<QPointF> scrolledTo);
    void loadEnded();
    // Whether the engine may follow a main-frame navigation of an own-pages view.
    bool takeOwnLoad();
    friend class ReportingPage;
    // Whether the engine's request for this address was already reported by Navigate.
    bool takeAnnounced(const QUrl &url);

    QWebEngineView *m_view = nullptr;
    Profile m_profile;
    bool m_creationQueued = false;
    // What was asked before the engine view existed, replayed when it is made.
    struct Content
    {
        QByteArray data;
        QString mimeType;
        QUrl baseUrl;
    };
    std::optional<QUrl> m_pendingUrl;
    std::optional<Content> m_pendingContent;
    std::optional<bool> m_loadImages;
    std::optional<bool> m_javaScript;
    std::optional<QString> m_encoding;
    std::optional<QString> m_userAgent;
    AddressCheck m_check;
    bool m_keepScroll = false;
    std::optional<QPointF> m_pendingScroll; // to restore when the current load finishes
    std::optional<QUrl> m_announced;        // reported by Navigate, not yet asked for
    bool m_ownPages = false;
    int m_ownLoads = 0;            // loads started by Navigate the engine has not asked for yet
    bool m_loading = false;        // an own page is loading
    std::optional<QUrl> m_waiting; // the own page to load once the current load ends
};
