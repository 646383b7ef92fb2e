// The site view: the page text area's text as the site shows it, rebuilt live while typing
// (after a short pause, while the panel is shown), keeping the reader's scroll position.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "markup/site_view.h"

class HtmlView;
class QLabel;
class QTimer;
class TMemo;

class SiteViewPanel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int PauseMs = 150;

    explicit SiteViewPanel(QWidget *parent = nullptr);

    // The text area whose text the panel shows.
    void attach(TMemo *memo);

    // The "Изображения" option: pictures are loaded, or their captions shown in frames.
    void setImagesEnabled(bool on);
    bool imagesEnabled() const { return m_images; }

    // The site view's options in the interface language.
    static markup::SiteViewOptions viewOptions(bool images);
    // The page as the panel would show it now.
    QString pageHtml() const;
    // The last page written for the view.
    QString shownHtml() const { return QString::fromUtf8(m_shown); }

    QString pageFile() const { return m_pageFile; }
    void setPageFile(const QString &path) { m_pageFile = path; }
    HtmlView *view() const { return m_view; }

    // Rebuilds now instead of after the pause (also while hidden).
    void rebuildNow();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void textChanged();

    QLabel *m_caption = nullptr;
    HtmlView *m_view = nullptr;
    QTimer *m_timer = nullptr;
    QPointer<TMemo> m_memo; // TMemo is complete only in the source
    QString m_pageFile;
    QByteArray m_shown; // the page last written, as in its file
    bool m_images = true;
    bool m_stale = true;
};
