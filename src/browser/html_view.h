// HtmlView: the embedded HTML display of the site browser, the previews and the dialogs.
#pragma once

#include <QWidget>

#include <stdexcept>

class QWebEngineProfile;
class QWebEngineView;

// Raised by HtmlView::Navigate and the history moves when the view refuses the request.
class NavigateError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class HtmlView : public QWidget
{
    Q_OBJECT
public:
    // A view on the given profile; none means the default profile (the dialogs' views).
    explicit HtmlView(QWidget *parent = nullptr, QWebEngineProfile *profile = nullptr);
    ~HtmlView() override;

    // The profile the main window's two views share; its user agent is "Scribel Browser".
    static QWebEngineProfile *mainWindowProfile();

    // Text of nothing but blanks and control characters does nothing. A local path becomes a
    // file address. Throws NavigateError when the request is refused.
    void Navigate(const QString &address);
    void GoBack();    // throws NavigateError with no history to go back to
    void GoForward(); // throws NavigateError with no history to go forward to
    void Refresh();
    void Stop();

    void setLoadImages(bool on);
    bool loadImages() const;
    void setJavaScriptEnabled(bool on);
    // 8-bit pages without a declared character set are read in this encoding.
    void setDefaultTextEncoding(const QString &encoding);

    QWebEngineView *webView() const { return m_view; }

signals:
    // Before every navigation, also links clicked inside a page; the address as text.
    void OnBeforeNavigate2(const QString &url);
    // Loading progress as (percent, 100).
    void OnProgressChange(int progress, int progressMax);

private:
    QWebEngineView *m_view = nullptr;
};
