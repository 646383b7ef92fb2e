// The Browser tab: the site browser with its toolbar, address box and address header.
#pragma once

#include <QWidget>

class HtmlView;

class SiteBrowserTab : public QWidget
{
    Q_OBJECT
public:
    explicit SiteBrowserTab(QWidget *parent = nullptr);

    HtmlView *view() const { return m_view; } // WebBrowser1

private:
    HtmlView *m_view = nullptr;
};
