#include "app/page_extras.h"

#include "app/main_window.h"
#include "browser/site_view_panel.h"
#include "editor/highlighting_memo.h"
#include "editor/page_commands.h"
#include "editor/tag_checker.h"
#include "editor/underline_layer.h"
#include "markup/site_view.h"
#include "platform/error_display.h"
#include "platform/interface_texts.h"
#include "platform/save_file.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {

QLabel *statusLabel(const char *name, QStatusBar *bar)
{
    auto *label = new QLabel(bar);
    label->setObjectName(QLatin1String(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(3);
    bar->addPermanentWidget(label);
    return label;
}

// A status text is never cut short: the label grows to it.
void setStatusText(QLabel *label, const QString &text)
{
    label->setText(text);
    label->setMinimumWidth(label->sizeHint().width());
}

} // namespace

PageExtras::PageExtras(TForm1 *window) : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("PageExtras"));
    TMemo *page = window->memoGen();
    m_pageChecker = new TagChecker(page);
    m_listTimer = new QTimer(this);
    m_listTimer->setSingleShot(true);
    m_listTimer->setInterval(50);
    connect(m_listTimer, &QTimer::timeout, this, &PageExtras::fillList);
    m_messageChecker = new TagChecker(window->memo2());

    // After the four standard panels: the problem count of the active text area, and the
    // length of the page's one-line form.
    m_count = statusLabel("TagProblemCount", window->statusBar1());
    m_length = statusLabel("OneLineLength", window->statusBar1());
    for (TagChecker *checker : {m_pageChecker, m_messageChecker})
        connect(checker, &TagChecker::problemsChanged, this, [this] {
            showCount();
            // A big page is checked in many slices: the list is filled once they are done.
            m_listTimer->start();
        });
    connect(page, &QPlainTextEdit::textChanged, this, &PageExtras::showLength);
    connect(window->pageControl(), &QTabWidget::currentChanged, this, [this] {
        showCount();
        fillList();
    });

    // The problem list, docked under the tabs; a click takes the caret to the problem.
    m_dock = new QDockWidget(window);
    m_dock->setObjectName(QStringLiteral("TagProblemsDock"));
    m_list = new QTreeWidget(m_dock);
    m_list->setObjectName(QStringLiteral("TagProblemsList"));
    m_list->setColumnCount(3);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->header()->setStretchLastSection(true);
    m_dock->setWidget(m_list);
    window->addDockWidget(Qt::BottomDockWidgetArea, m_dock);
    m_dock->hide();
    QAction *listItem = window->action(QStringLiteral("TagProblems1"));
    connect(listItem, &QAction::toggled, m_dock, &QDockWidget::setVisible);
    connect(m_dock, &QDockWidget::visibilityChanged, this, [this, listItem](bool visible) {
        // Hidden with the window minimised is not closed by the user.
        if (!m_window->isMinimized())
            listItem->setChecked(m_dock->isVisible() || visible);
        fillList();
    });
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        goTo(m_window->activeMemo(), item->data(0, Qt::UserRole).toInt(),
             item->data(1, Qt::UserRole).toInt());
    });
    connect(m_list, &QTreeWidget::itemClicked, m_list, &QTreeWidget::itemActivated);

    connect(window->action(QStringLiteral("NextProblem1")), &QAction::triggered, this,
            &PageExtras::nextProblem);
    connect(window->action(QStringLiteral("PreviousProblem1")), &QAction::triggered, this,
            &PageExtras::previousProblem);

    // The site view, beside the page text area on the Editor tab.
    m_siteView = new SiteViewPanel;
    if (QLayout *layout = page->parentWidget()->layout()) {
        m_splitter = new QSplitter(Qt::Horizontal);
        m_splitter->setObjectName(QStringLiteral("SiteViewSplitter"));
        m_splitter->setChildrenCollapsible(false);
        delete layout->replaceWidget(page, m_splitter);
        m_splitter->addWidget(page);
        m_splitter->addWidget(m_siteView);
        m_splitter->setStretchFactor(0, 1);
        m_splitter->setStretchFactor(1, 1);
    }
    m_siteView->hide();
    m_siteView->attach(page);
    QAction *viewItem = window->action(QStringLiteral("SiteView1"));
    connect(viewItem, &QAction::toggled, this, [this](bool on) {
        m_siteView->setVisible(on);
        if (on) {
            m_window->pageControl()->setCurrentWidget(m_window->editorPage());
            // Half of the tab each, the first time and after the user hid it.
            if (m_splitter) {
                const int width = m_splitter->width();
                m_splitter->setSizes({width - width / 2, width / 2});
            }
        }
    });

    connect(window->action(QStringLiteral("ExportHtml1")), &QAction::triggered, this,
            &PageExtras::ExportHtml1Click);

    window->installEventFilter(this);
    retranslate(); // also shows the count and the length
}

TagChecker *PageExtras::checkerOf(TMemo *memo) const
{
    if (memo == m_window->memoGen())
        return m_pageChecker;
    return memo == m_window->memo2() ? m_messageChecker : nullptr;
}

int PageExtras::oneLineLength(const TMemo *memo)
{
    // Every block but the last ends in a line break, which the one-line form drops; the
    // document counts one more character than it holds.
    const QTextDocument *document = memo->document();
    return document->characterCount() - document->blockCount();
}

void PageExtras::showCount()
{
    const TagChecker *checker = checkerOf(m_window->activeMemo());
    const int count = checker ? checker->count() : 0;
    setStatusText(m_count, interfacetexts::text(interfacetexts::ProblemCount).arg(count));
    // A count above zero stands out; no problems reads as plain text.
    m_count->setStyleSheet(count ? QStringLiteral("color:#A000A0;font-weight:bold") : QString());
}

void PageExtras::showLength()
{
    setStatusText(m_length, interfacetexts::text(interfacetexts::OneLineLength)
                                .arg(oneLineLength(m_window->memoGen())));
}

void PageExtras::fillList()
{
    if (!m_dock->isVisible())
        return;
    const TagChecker *checker = checkerOf(m_window->activeMemo());
    m_list->clear();
    if (!checker)
        return;
    QList<QTreeWidgetItem *> items;
    for (const TagChecker::Problem &problem : checker->problems()) {
        auto *item = new QTreeWidgetItem(
            {QString::number(problem.line), QString::number(problem.column), problem.message});
        item->setData(0, Qt::UserRole, problem.position);
        item->setData(1, Qt::UserRole, problem.length);
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    m_list->addTopLevelItems(items);
}

void PageExtras::goTo(TMemo *memo, int position, int length)
{
    if (!memo)
        return;
    QTextCursor cursor(memo->document());
    cursor.setPosition(qMin(position, memo->document()->characterCount() - 1));
    cursor.setPosition(qMin(position + length, memo->document()->characterCount() - 1),
                       QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    memo->ensureCursorVisible();
    memo->setFocus();
}

void PageExtras::nextProblem()
{
    goToProblem(true);
}

void PageExtras::previousProblem()
{
    goToProblem(false);
}

void PageExtras::goToProblem(bool forward)
{
    TMemo *memo = m_window->activeMemo();
    TagChecker *checker = checkerOf(memo);
    if (!checker)
        return;
    checker->checkNow();
    const QTextCursor cursor = memo->textCursor();
    const UnderlineLayer *layer = checker->layer();
    // A problem right at the caret is the next one, unless it is the one selected already.
    const auto mark =
        forward ? layer->nextMark(cursor.selectionStart() - (cursor.hasSelection() ? 0 : 1),
                                  UnderlineLayer::Problem)
                : layer->previousMark(cursor.selectionStart(), UnderlineLayer::Problem);
    if (mark)
        goTo(memo, mark->start, mark->length);
    else
        QApplication::beep();
}

bool PageExtras::exportHtml(const QString &path, QString *error) const
{
    const QByteArray html = markup::PageToSiteHtmlUtf8(
        m_window->memoGen()->text(), SiteViewPanel::viewOptions(m_siteView->imagesEnabled()));
    return savefile::replace(path, html, error);
}

void PageExtras::ExportHtml1Click()
{
    const QString pageName = m_window->pageCommands()->pageFileName();
    const QFileInfo page(pageName);
    const QString suggested =
        (page.isAbsolute() ? page.absolutePath() + QLatin1Char('/') : QString()) +
        page.completeBaseName() + QStringLiteral(".html");
    // The file dialog asks before replacing a file.
    const QString path = QFileDialog::getSaveFileName(
        m_window, interfacetexts::text(interfacetexts::ExportHtmlTitle), suggested,
        interfacetexts::text(interfacetexts::HtmlFiles));
    if (path.isEmpty())
        return;
    QString error;
    if (!exportHtml(path, &error))
        errordisplay::show(error, m_window);
}

void PageExtras::setImagesEnabled(bool on)
{
    m_siteView->setImagesEnabled(on);
}

void PageExtras::retranslate()
{
    using namespace interfacetexts;
    m_pageChecker->recheckAll();
    m_messageChecker->recheckAll();
    QString title = m_window->action(QStringLiteral("TagProblems1"))->text();
    m_dock->setWindowTitle(title.remove(QLatin1Char('&')));
    m_list->setHeaderLabels({text(ProblemLine), text(ProblemColumn), text(ProblemMessage)});
    m_list->header()->resizeSection(0, m_list->fontMetrics().horizontalAdvance(text(ProblemLine)) +
                                           24);
    m_list->header()->resizeSection(
        1, m_list->fontMetrics().horizontalAdvance(text(ProblemColumn)) + 24);
    showCount();
    showLength();
}

bool PageExtras::eventFilter(QObject *watched, QEvent *event)
{
    // A new language file: the texts set here follow it; the checkers' messages too.
    if (watched == m_window && event->type() == QEvent::LanguageChange)
        QMetaObject::invokeMethod(this, &PageExtras::retranslate, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}
