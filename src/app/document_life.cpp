#include "app/document_life.h"

#include "app/main_window.h"
#include "app/notice_bar.h"
#include "app/recent_pages_menu.h"
#include "app/recovery_keeper.h"
#include "editor/highlighting_memo.h"
#include "editor/page_commands.h"
#include "platform/app_paths.h"
#include "platform/error_display.h"
#include "platform/interface_texts.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QMimeDatabase>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A page file, or at least a text: a picture or a program dropped by mistake would open as
// garbage, and the next Save would write that garbage over it.
bool isPageFile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    if (path.endsWith(QLatin1String(".mv"), Qt::CaseInsensitive))
        return true;
    return QMimeDatabase().mimeTypeForFile(path).inherits(QStringLiteral("text/plain"));
}

} // namespace

DocumentLife::DocumentLife(TForm1 *window, QVBoxLayout *barLayout, int barIndex)
    : QObject(window), m_window(window), m_commands(window->pageCommands())
{
    confirm = [window](const QString &question, const QString &yes) {
        return PageCommands::confirmWithMessageBox(window, question, yes);
    };

    // --- Recovery copies
    m_recovery = new RecoveryKeeper(
        window->memoGen(), window->memo2(),
        [this] { return m_commands->isUntitled() ? QString() : m_commands->pageFileName(); },
        QString(), this);
    m_recoveryBar = new NoticeBar;
    m_recoveryBar->setObjectName(QStringLiteral("RecoveryBar"));
    connect(m_recoveryBar->addButton(QStringLiteral("DiscardRecovered")), &QPushButton::clicked,
            this, &DocumentLife::discardRecovered);
    m_recoveryBar->addButton(QStringLiteral("KeepRecovered"));

    // --- Changes from outside
    m_outside = new OutsideChanges(this);
    m_outsideBar = new NoticeBar;
    m_outsideBar->setObjectName(QStringLiteral("OutsideChangeBar"));
    connect(m_outsideBar->addButton(QStringLiteral("ReloadPage")), &QPushButton::clicked, this,
            &DocumentLife::reload);
    m_outsideBar->addButton(QStringLiteral("KeepPage"));
    connect(m_outside, &OutsideChanges::changedOutside, this, &DocumentLife::showOutsideChange);
    connect(m_commands, &PageCommands::pageFileSynced, m_outside, &OutsideChanges::follow);
    connect(m_commands, &PageCommands::pageFileNameChanged, this, [this] {
        if (m_commands->isUntitled()) {
            m_outside->stop();
            m_outsideBar->hide();
        }
    });
    m_commands->mayOverwrite = [this](const QString &path) { return mayOverwrite(path); };

    barLayout->insertWidget(barIndex, m_outsideBar);
    barLayout->insertWidget(barIndex, m_recoveryBar);

    // --- Recent pages: after the standard items of the File menu
    auto *file = window->findChild<QMenu *>(QStringLiteral("file1"));
    file->addSeparator();
    QMenu *recent = file->addMenu(QStringLiteral("Последние страницы"));
    recent->setObjectName(QStringLiteral("RecentPages1"));
    recent->menuAction()->setObjectName(QStringLiteral("RecentPages1"));
    recent->setFont(file->font());
    m_recent = new RecentPagesMenu(recent, apppaths::recentPagesFile(), this);
    connect(m_recent, &RecentPagesMenu::openRequested, this, [this](const QString &path) {
        if (!QFileInfo(path).isFile()) {
            m_recent->remove(path);
            errordisplay::show(interfacetexts::text(interfacetexts::RecentPageMissing).arg(path),
                               m_window);
            return;
        }
        openPage(path);
    });
    const auto remember = [this] {
        if (!m_commands->isUntitled())
            m_recent->add(m_commands->pageFileName());
    };
    connect(m_commands, &PageCommands::pageFileNameChanged, this, remember);
    connect(m_commands, &PageCommands::pageWritten, this, remember);

    // --- Page files dropped on the window or on a text area
    m_window->setAcceptDrops(true);
    for (TMemo *memo : {window->memoGen(), window->memo2()})
        memo->viewport()->installEventFilter(this);
    m_window->installEventFilter(this);
}

DocumentLife::~DocumentLife()
{
    // Only a clean end comes here: a crash or a kill leaves the copy for the next start.
    m_recovery->close();
}

QString DocumentLife::pageName() const
{
    return QFileInfo(m_commands->pageFileName()).fileName();
}

// --- Recovery ---------------------------------------------------------------------------------

bool DocumentLife::recoverUnsavedText()
{
    const std::optional<recovery::Snapshot> copy = m_recovery->adoptOrphan();
    if (!copy)
        return false;
    // Putting the texts back passes through unmodified states, which would remove the copy.
    m_recovery->setHeld(true);
    if (copy->hasPage) {
        TMemo *page = m_window->memoGen();
        page->setText(copy->pageText);
        page->document()->setModified(true);
        m_commands->restorePageFileName(copy->pageFileName);
        if (!copy->pageFileName.isEmpty() && QFileInfo(copy->pageFileName).isFile()) {
            QFile file(copy->pageFileName);
            if (file.open(QIODevice::ReadOnly))
                m_outside->follow(copy->pageFileName, file.readAll());
        }
    }
    if (copy->hasMessage) {
        TMemo *message = m_window->memo2();
        message->setText(copy->messageText);
        message->document()->setModified(true);
    }
    m_recovery->setHeld(false);
    m_recovery->flush();
    m_recoveryBar->present(interfacetexts::text(interfacetexts::RecoveredText),
                           {interfacetexts::text(interfacetexts::DiscardRecoveredButton),
                            interfacetexts::text(interfacetexts::KeepButton)});
    return true;
}

void DocumentLife::discardRecovered()
{
    // Back to what the files hold: the page as last saved (or an empty untitled page), and an
    // empty message.
    TMemo *page = m_window->memoGen();
    if (page->document()->isModified()) {
        const QString path = m_commands->pageFileName();
        if (m_commands->isUntitled() || !QFileInfo(path).isFile() ||
            !m_commands->openFileInto(page, path)) {
            page->setText(QString());
            page->document()->setModified(false);
            m_commands->restorePageFileName(QString());
        }
    }
    TMemo *message = m_window->memo2();
    if (message->document()->isModified()) {
        message->setText(QString());
        message->document()->setModified(false);
    }
    m_recovery->flush();
}

// --- Changes from outside ---------------------------------------------------------------------

void DocumentLife::showOutsideChange(OutsideChanges::Kind kind)
{
    switch (kind) {
    case OutsideChanges::Kind::None:
        m_outsideBar->hide();
        break;
    case OutsideChanges::Kind::Changed:
        m_outsideBar->present(interfacetexts::text(interfacetexts::ChangedOutside).arg(pageName()),
                              {interfacetexts::text(interfacetexts::ReloadButton),
                               interfacetexts::text(interfacetexts::KeepButton)});
        break;
    case OutsideChanges::Kind::Deleted:
        // Nothing to load: the text stays, and saving writes the file again.
        m_outsideBar->present(interfacetexts::text(interfacetexts::DeletedOutside).arg(pageName()),
                              {QString(), interfacetexts::text(interfacetexts::KeepButton)});
        break;
    }
}

void DocumentLife::reload()
{
    TMemo *page = m_window->memoGen();
    const QString path = m_outside->path();
    if (path.isEmpty())
        return;
    if (page->document()->isModified() &&
        !confirm(interfacetexts::text(interfacetexts::ReloadQuestion).arg(pageName()),
                 interfacetexts::text(interfacetexts::ReloadButton))) {
        m_outsideBar->show();
        return;
    }
    if (!m_commands->openFileInto(page, path))
        m_outsideBar->show();
}

bool DocumentLife::mayOverwrite(const QString &path)
{
    if (path != m_outside->path() || m_outside->pending() != OutsideChanges::Kind::Changed ||
        !m_outside->differsOnDisk())
        return true;
    return confirm(
        interfacetexts::text(interfacetexts::OverwriteQuestion).arg(QFileInfo(path).fileName()),
        interfacetexts::text(interfacetexts::OverwriteButton));
}

// --- Drag and drop ----------------------------------------------------------------------------

QString DocumentLife::droppedPage(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile() && isPageFile(url.toLocalFile()))
            return url.toLocalFile();
    }
    return {};
}

bool DocumentLife::openPage(const QString &path)
{
    TMemo *memo = m_window->activeMemo();
    if (!memo || !m_commands->confirmDiscard(memo))
        return false;
    return m_commands->openFile(QFileInfo(path).absoluteFilePath());
}

bool DocumentLife::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
        // Looked at once per drag: moves come at mouse rate, and telling a page file from
        // other files reads the disk.
        m_dragPage = droppedPage(static_cast<QDragEnterEvent *>(event)->mimeData());
        [[fallthrough]];
    case QEvent::DragMove: {
        if (m_dragPage.isEmpty())
            break; // text and the like: the text area inserts it as always
        static_cast<QDragMoveEvent *>(event)->acceptProposedAction();
        return true;
    }
    case QEvent::DragLeave:
        m_dragPage.clear();
        break;
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = std::exchange(m_dragPage, QString());
        if (path.isEmpty())
            break;
        drop->acceptProposedAction();
        // After the drop has finished: the question box must not run inside the drag.
        QMetaObject::invokeMethod(
            this, [this, path] { openPage(path); }, Qt::QueuedConnection);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
