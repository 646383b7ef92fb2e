#include "app/recovery_keeper.h"

#include "editor/highlighting_memo.h"
#include "platform/error_display.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// How long one piece of taking a large page's text may hold the window.
constexpr int SliceMs = 8;

} // namespace

RecoveryKeeper::RecoveryKeeper(TMemo *page, TMemo *message, std::function<QString()> pageFileName,
                               const QString &folder, QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_message(message)
    , m_pageFileName(std::move(pageFileName))
    , m_store(folder)
{
    // Told when there is first something to protect, not while the window is being made.
    m_open = m_store.open(&m_openError);
    m_writer.setMaxThreadCount(1);
    m_timer.setSingleShot(true);
    m_timer.setInterval(PauseMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::collect);
    m_slice.setSingleShot(true);
    m_slice.setInterval(0);
    connect(&m_slice, &QTimer::timeout, this, &RecoveryKeeper::collectSome);
    watch(m_page);
    watch(m_message);
}

RecoveryKeeper::~RecoveryKeeper()
{
    // A copy still on its way is finished: the next start may need it.
    m_writer.waitForDone();
}

void RecoveryKeeper::watch(TMemo *memo)
{
    if (!memo)
        return;
    // A keystroke only restarts the timer; the copy is written once typing pauses. A text
    // replaced by an unmodified one (New, Open after "don't save") removes the copy at once.
    const auto changed = [this, memo] {
        cancelCollecting(); // the text taken so far is out of date
        // Pieces of a big page still arriving are not typing; its end starts the pause. The
        // check below still runs: the copy of a text given up for this page goes at once.
        if (!memo->isLoading())
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
    };
    connect(memo->document(), &QTextDocument::contentsChanged, this, changed);
    connect(memo, &TMemo::loadingFinished, this, changed);
    // Saved, or given up with "don't save": the copy follows at once. (A piece of a big page
    // arriving marks the page modified for a moment, which is not a save.)
    connect(memo->document(), &QTextDocument::modificationChanged, this,
            [this, memo](bool modified) {
                if (!modified && !memo->isLoading())
                    flush();
            });
}

bool RecoveryKeeper::hasUnsaved() const
{
    return (m_page && m_page->document()->isModified()) ||
           (m_message && m_message->document()->isModified());
}

recovery::Snapshot RecoveryKeeper::snapshot(bool withPageText) const
{
    recovery::Snapshot snapshot;
    if (m_page && m_page->document()->isModified()) {
        snapshot.hasPage = true;
        // Only the raw text is taken here; the rest of the work is done on the writer thread.
        if (withPageText) {
            m_page->finishLoading(); // a copy of half a page would lose the other half
            snapshot.pageText = m_page->document()->toRawText();
        }
        snapshot.pageFileName = m_pageFileName ? m_pageFileName() : QString();
    }
    if (m_message && m_message->document()->isModified()) {
        snapshot.hasMessage = true;
        m_message->finishLoading();
        snapshot.messageText = m_message->document()->toRawText();
    }
    return snapshot;
}

void RecoveryKeeper::flush()
{
    m_timer.stop();
    cancelCollecting();
    if (!ready())
        return;
    send(snapshot());
}

bool RecoveryKeeper::ready()
{
    if (m_open)
        return !m_held;
    if (!m_openError.isEmpty() && !m_reported && hasUnsaved()) {
        m_reported = true;
        errordisplay::show(m_openError, m_page ? m_page->window() : nullptr);
    }
    return false;
}

void RecoveryKeeper::send(recovery::Snapshot snapshot)
{
    if (m_writing)
        m_next = std::move(snapshot); // the copy being written is replaced when it is done
    else
        start(std::move(snapshot));
}

void RecoveryKeeper::collect()
{
    cancelCollecting();
    if (!ready())
        return;
    if (m_page && m_page->isLoading())
        return; // taken when the whole page is in
    if (!m_page || !m_page->document()->isModified()) {
        flush(); // only the message, or nothing: small enough to take at once
        return;
    }
    // The page is taken a block at a time in short pieces, so that a page of many megabytes
    // never holds the window; typing meanwhile starts the pause again.
    m_collecting = true;
    m_collected.clear();
    m_collected.reserve(m_page->document()->characterCount());
    m_nextBlock = 0;
    collectSome();
}

void RecoveryKeeper::collectSome()
{
    if (!m_collecting || !m_page)
        return cancelCollecting();
    QElapsedTimer clock;
    clock.start();
    QTextBlock block = m_page->document()->findBlockByNumber(m_nextBlock);
    while (block.isValid() && clock.elapsed() < SliceMs) {
        if (m_nextBlock++ > 0)
            m_collected += QChar::ParagraphSeparator;
        m_collected += block.text();
        block = block.next();
    }
    if (block.isValid()) {
        m_slice.start();
        return;
    }
    m_collecting = false;
    recovery::Snapshot whole = snapshot(false);
    whole.pageText = std::move(m_collected);
    m_collected = QString();
    send(std::move(whole));
}

void RecoveryKeeper::cancelCollecting()
{
    m_collecting = false;
    m_slice.stop();
    m_collected = QString();
}

void RecoveryKeeper::start(recovery::Snapshot snapshot)
{
    if (snapshot.isEmpty()) {
        m_store.remove();
        return;
    }
    m_writing = true;
    recovery::Store *store = &m_store;
    // Encoding and writing a large page takes seconds; the window answers meanwhile.
    m_writer.start([this, store, snapshot = std::move(snapshot)]() mutable {
        snapshot.pageText = TMemo::textFromRaw(std::move(snapshot.pageText));
        snapshot.messageText = TMemo::textFromRaw(std::move(snapshot.messageText));
        QString error;
        if (store->write(snapshot, &error))
            error.clear();
        QMetaObject::invokeMethod(
            this, [this, error] { written(error); }, Qt::QueuedConnection);
    });
}

void RecoveryKeeper::written(const QString &error)
{
    if (!m_writing)
        return; // already handled by waitForWrite
    m_writing = false;
    if (!error.isEmpty() && !m_reported) {
        // The user must know the text is not protected; said once, as a full disk would
        // otherwise repeat it after every pause in typing.
        m_reported = true;
        errordisplay::show(error, m_page ? m_page->window() : nullptr);
    }
    if (m_next && m_open) {
        recovery::Snapshot next = std::move(*m_next);
        m_next.reset();
        start(std::move(next));
    }
}

void RecoveryKeeper::waitForWrite()
{
    while (m_writing) {
        m_writer.waitForDone();
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    }
}

void RecoveryKeeper::close()
{
    m_timer.stop();
    cancelCollecting();
    m_next.reset();
    // The copy written last must not come back after the removal.
    m_writer.waitForDone();
    m_writing = false;
    if (m_open)
        m_store.close();
    m_open = false;
}
