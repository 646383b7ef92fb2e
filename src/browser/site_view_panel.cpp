#include "browser/site_view_panel.h"

#include "browser/html_view.h"
#include "browser/panel_caption.h"
#include "editor/highlighting_memo.h"
#include "platform/app_paths.h"
#include "platform/interface_texts.h"
#include "platform/save_file.h"

#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString captionText()
{
    return QStringLiteral("  ") + interfacetexts::text(interfacetexts::SiteViewCaption);
}

} // namespace

SiteViewPanel::SiteViewPanel(QWidget *parent)
    : QWidget(parent)
    , m_pageFile(QDir(apppaths::cacheFolder()).filePath(QStringLiteral("SiteView.html")))
{
    setObjectName(QStringLiteral("SiteViewPanel"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_caption = panelcaption::make(captionText(), this);
    m_caption->setObjectName(QStringLiteral("SiteViewCaption"));
    layout->addWidget(m_caption);

    m_view = new HtmlView(this);
    m_view->setObjectName(QStringLiteral("SiteViewBrowser"));
    // The page is ours and runs nothing; it is rewritten on every change.
    m_view->setJavaScriptEnabled(false);
    m_view->setKeepsScrollPosition(true);
    layout->addWidget(m_view, 1);

    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setInterval(PauseMs);
    connect(m_timer, &QTimer::timeout, this, &SiteViewPanel::rebuildNow);
}

void SiteViewPanel::attach(TMemo *memo)
{
    if (m_memo)
        disconnect(m_memo, nullptr, this, nullptr);
    m_memo = memo;
    connect(memo, &QPlainTextEdit::textChanged, this, &SiteViewPanel::textChanged);
    connect(memo, &TMemo::loadingFinished, this, &SiteViewPanel::textChanged);
    textChanged();
}

void SiteViewPanel::setImagesEnabled(bool on)
{
    if (on == m_images)
        return;
    m_images = on;
    m_view->setLoadImages(on);
    textChanged();
}

markup::SiteViewOptions SiteViewPanel::viewOptions(bool images)
{
    using namespace interfacetexts;
    markup::SiteViewOptions options;
    options.images = images;
    options.sectionText = text(SectionLinkText);
    options.fileText = text(FileLinkText);
    options.articleText = text(ArticleLinkText);
    options.pictureText = text(PictureCaption);
    return options;
}

QString SiteViewPanel::pageHtml() const
{
    return markup::PageToSiteHtml(m_memo ? m_memo->text() : QString(), viewOptions(m_images));
}

void SiteViewPanel::textChanged()
{
    m_stale = true;
    // Hidden, the panel costs nothing: it catches up when it is shown again.
    if (isVisible())
        m_timer->start();
}

void SiteViewPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Shown again: catch up at once (the timer keeps its pause for the changes to come).
    if (m_stale)
        QTimer::singleShot(0, this, [this] {
            if (m_stale && isVisible())
                rebuildNow();
        });
}

void SiteViewPanel::rebuildNow()
{
    // A big page still arriving is shown once it is whole (loadingFinished), not waited for.
    if (m_memo && m_memo->isLoading())
        return;
    m_timer->stop();
    m_stale = false;
    // Compared and written as the bytes of the file: a page of megabytes is not converted to
    // text and back on every pause.
    const QByteArray html = markup::PageToSiteHtmlUtf8(m_memo ? m_memo->text() : QString(),
                                                       viewOptions(m_images));
    if (html == m_shown)
        return;
    QString reason;
    // A failed write leaves the view on its last page; the next change tries again.
    if (!savefile::replace(m_pageFile, html, &reason)) {
        m_caption->setText(captionText() + QStringLiteral(" [!] ") + reason);
        m_stale = true;
        return;
    }
    m_shown = html;
    m_caption->setText(captionText());
    try {
        m_view->Navigate(m_pageFile);
    } catch (const NavigateError &) {
        m_caption->setText(m_caption->text() + QStringLiteral(" [!]"));
    }
}

void SiteViewPanel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        m_caption->setText(captionText());
        textChanged(); // the link texts of references are in the interface language
    }
}
