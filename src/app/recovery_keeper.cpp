#include "app/recovery_keeper.h"

#include "editor/highlighting_memo.h"

#include <QTextDocument>

RecoveryKeeper::RecoveryKeeper(TMemo *page, TMemo *message, std::function<QString()> pageFileName,
                               const QString &folder, QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_message(message)
    , m_pageFileName(std::move(pageFileName))
    , m_store(folder)
{
    QString error;
    m_open = m_store.open(&error);
    if (!m_open)
        qWarning("recovery copies are off: %s", qPrintable(error));
    m_timer.setSingleShot(true);
    m_timer.setInterval(PauseMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::flush);
    watch(m_page);
    watch(m_message);
}

RecoveryKeeper::~RecoveryKeeper() = default;

void RecoveryKeeper::watch(TMemo *memo)
{
    if (!memo)
        return;
    // A keystroke only restarts the timer; the copy is written once typing pauses. A text
    // replaced by an unmodified one (New, Open after "don't save") removes the copy at once.
    connect(memo->document(), &QTextDocument::contentsChanged, this, [this] {
        m_timer.start();
        if (!m_checkQueued) {
            m_checkQueued = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_checkQueued = false;
                    if (!hasUnsaved())
                        flush();
                },
                Qt::QueuedConnection);
        }
    });
    // Saved, or given up with "don't save": the copy follows at once.
    connect(memo->document(), &QTextDocument::modificationChanged, this, [this](bool modified) {
        if (!modified)
            flush();
    });
}

bool RecoveryKeeper::hasUnsaved() const
{
    return (m_page && m_page->document()->isModified()) ||
           (m_message && m_message->document()->isModified());
}

recovery::Snapshot RecoveryKeeper::snapshot() const
{
    recovery::Snapshot snapshot;
    if (m_page && m_page->document()->isModified()) {
        snapshot.hasPage = true;
        snapshot.pageText = m_page->text();
        snapshot.pageFileName = m_pageFileName ? m_pageFileName() : QString();
    }
    if (m_message && m_message->document()->isModified()) {
        snapshot.hasMessage = true;
        snapshot.messageText = m_message->text();
    }
    return snapshot;
}

void RecoveryKeeper::flush()
{
    m_timer.stop();
    if (!m_open)
        return;
    QString error;
    if (!m_store.write(snapshot(), &error) && !m_reported) {
        // Said once: a full disk would otherwise repeat it after every pause in typing.
        m_reported = true;
        qWarning("recovery copy not written: %s", qPrintable(error));
    }
}

void RecoveryKeeper::close()
{
    m_timer.stop();
    if (m_open)
        m_store.close();
    m_open = false;
}
