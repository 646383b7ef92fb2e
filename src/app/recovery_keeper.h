// Keeps a recovery copy of the unsaved page and message texts, written a few seconds after
// typing pauses, and gives back the copy an instance that died left behind.
#pragma once

#include "platform/recovery_store.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

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

    // Writes the copy now (or removes it when nothing is unsaved).
    void flush();
    // The clean end: the copy goes.
    void close();
    QString copyPath() const { return m_store.copyPath(); }
    bool isPending() const { return m_timer.isActive(); }

    // Takes over a copy that a dead instance left, if any.
    std::optional<recovery::Snapshot> adoptOrphan() { return m_store.adoptOrphan(); }

private:
    recovery::Snapshot snapshot() const;
    bool hasUnsaved() const;
    void watch(TMemo *memo);

    QPointer<TMemo> m_page;
    QPointer<TMemo> m_message;
    std::function<QString()> m_pageFileName;
    recovery::Store m_store;
    bool m_open = false;
    bool m_reported = false;
    bool m_checkQueued = false;
    QTimer m_timer;
};
