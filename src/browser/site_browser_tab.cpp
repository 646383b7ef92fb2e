#include "browser/site_browser_tab.h"

#include "browser/html_view.h"

#include <QVBoxLayout>

SiteBrowserTab::SiteBrowserTab(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new HtmlView(this, HtmlView::mainWindowProfile());
    m_view->setObjectName(QStringLiteral("WebBrowser1"));
    layout->addWidget(m_view);
}
