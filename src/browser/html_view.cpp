#include "browser/html_view.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// Reports every navigation, including links followed inside the page, before it happens.
class ReportingPage : public QWebEnginePage
{
public:
    ReportingPage(QWebEngineProfile *profile, HtmlView *owner)
        : QWebEnginePage(profile, owner), m_owner(owner)
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        if (isMainFrame)
            emit m_owner->OnBeforeNavigate2(url.toString());
        return true;
    }

private:
    HtmlView *m_owner;
};

bool isBlank(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > u' ')
            return false;
    }
    return true;
}

} // namespace

HtmlView::HtmlView(QWidget *parent, QWebEngineProfile *profile) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new QWebEngineView(this);
    auto *page = new ReportingPage(profile ? profile : QWebEngineProfile::defaultProfile(), this);
    m_view->setPage(page);
    layout->addWidget(m_view);
    connect(m_view, &QWebEngineView::loadProgress, this,
            [this](int percent) { emit OnProgressChange(percent, 100); });
}

HtmlView::~HtmlView() = default;

QWebEngineProfile *HtmlView::mainWindowProfile()
{
    static QWebEngineProfile *profile = [] {
        auto *p = new QWebEngineProfile(QStringLiteral("MainWindow"));
        p->setHttpUserAgent(QStringLiteral("Scribel Browser"));
        return p;
    }();
    return profile;
}

void HtmlView::Navigate(const QString &address)
{
    if (isBlank(address))
        return;
    QUrl url;
    if (QFileInfo(address).isAbsolute() && !address.contains(QLatin1String("://")))
        url = QUrl::fromLocalFile(address);
    else
        url = QUrl::fromUserInput(address);
    if (!url.isValid())
        throw NavigateError("The address is not valid: " + address.toStdString());
    m_view->setUrl(url);
}

void HtmlView::GoBack()
{
    if (!m_view->history()->canGoBack())
        throw NavigateError("There is no page to go back to");
    m_view->back();
}

void HtmlView::GoForward()
{
    if (!m_view->history()->canGoForward())
        throw NavigateError("There is no page to go forward to");
    m_view->forward();
}

void HtmlView::Refresh() { m_view->reload(); }
void HtmlView::Stop() { m_view->stop(); }

void HtmlView::setLoadImages(bool on)
{
    m_view->page()->settings()->setAttribute(QWebEngineSettings::AutoLoadImages, on);
}

bool HtmlView::loadImages() const
{
    return m_view->page()->settings()->testAttribute(QWebEngineSettings::AutoLoadImages);
}

void HtmlView::setJavaScriptEnabled(bool on)
{
    m_view->page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, on);
}

void HtmlView::setDefaultTextEncoding(const QString &encoding)
{
    m_view->page()->settings()->setDefaultTextEncoding(encoding);
}
