// Keeps a recovery copy of the unsaved page and message texts, written a few seconds after
// typing pauses on a thread of its own, and gives back the copy an instance that died left
// behind.
#pragma once

#include "platform/recovery_store.h"

#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <optional>

class TMemo;

class RecoveryKeeper : public QObject
{
    Q_OBJECT
public:
    // `pageFileName` gives the page's path, or an empty text while the page is untitled.
    RecoveryKeeper(TMemo *page, TMemo *message, std::function<QString()> pageFileName,
                   const QString &folder = QString(), QObject *parent = nullptr);
    ~RecoveryKeeper() override;

    // How long typing must pause before the copy is written.
    static constexpr int PauseMs = 2000;
    void setPause(int ms) { m_timer.setInterval(ms); }

    // Takes the texts now and writes the copy in the background (or removes it when nothing
    // is unsaved). Copies and removals reach the disk in the order they were asked for.
    void flush();
    // While held, nothing is written or removed: the adopted copy stays whole while its texts
    // are put back into the text areas.
    void setHeld(bool held) { m_held = held; }
    // Waits until every copy asked for is on the disk (tests, benchmarks).
    void waitForWrite();
    // The clean end: the copy goes.
    void close();
    QString copyPath() const { return m_store.copyPath(); }
    // A copy is waiting for the pause, being taken from the text or being written.
    bool isPending() const { return m_timer.isActive() || m_collecting || m_writing; }

    // Takes over a copy that a dead instance left, if any.
    std::optional<recovery::Snapshot> adoptOrphan() { return m_store.adoptOrphan(); }

private:
    // The unsaved texts as the document holds them (paragraph separators between lines).
    recovery::Snapshot snapshot(bool withPageText = true) const;
    bool hasUnsaved() const;
    void watch(TMemo *memo);
    bool ready(); // copies can be written now; tells once when they never can
    void collect();
    void collectSome();
    void cancelCollecting();
    void send(recovery::Snapshot snapshot);
    void start(recovery::Snapshot snapshot);
    void written(const QString &error);

    QPointer<TMemo> m_page;
    QPointer<TMemo> m_message;
    std::function<QString()> m_pageFileName;
    recovery::Store m_store;
    bool m_open = false;
    QString m_openError; // why the folder cannot be used
    bool m_reported = false;
    bool m_checkQueued = false;
    bool m_held = false;
    QTimer m_timer;
    QTimer m_slice; // the next piece of a large page's text
    bool m_collecting = false;
    int m_nextBlock = 0;
    QString m_collected;
    bool m_writing = false;                   // a copy is on its way to the disk
    std::optional<recovery::Snapshot> m_next; // asked for meanwhile; empty: remove the copy
    // One thread, so that copies never overtake each other; it goes before the store.
    QThreadPool m_writer;
};
