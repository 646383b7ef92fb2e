#include "app/recent_pages_menu.h"

#include "platform/recent_pages.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

RecentPagesMenu::RecentPagesMenu(QMenu *menu, const QString &file, QObject *parent)
    : QObject(parent), m_menu(menu), m_file(file)
{
    m_clear = new QAction(QStringLiteral("Очистить список"), menu->parentWidget());
    m_clear->setObjectName(QStringLiteral("ClearRecent1"));
    connect(m_clear, &QAction::triggered, this, &RecentPagesMenu::clear);
    // Read at every opening, not at start-up: another instance may have added to the list.
    connect(menu, &QMenu::aboutToShow, this, &RecentPagesMenu::rebuild);
}

QMenu *RecentPagesMenu::menu() const
{
    return m_menu;
}

QStringList RecentPagesMenu::pages() const
{
    return recentpages::load(m_file);
}

void RecentPagesMenu::add(const QString &path)
{
    // Every save of a page comes here: a list already in order is not written again.
    const QStringList before = pages();
    const QStringList after = recentpages::added(before, QFileInfo(path).absoluteFilePath());
    if (after != before)
        store(after);
}

void RecentPagesMenu::remove(const QString &path)
{
    QStringList list = pages();
    if (list.removeAll(path) > 0)
        store(list);
}

void RecentPagesMenu::clear()
{
    store({});
}

void RecentPagesMenu::store(const QStringList &pages)
{
    QString error;
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    // The list is a convenience: when it cannot be written the program carries on without it.
    if (!recentpages::save(m_file, pages, &error))
        qWarning("%s", qPrintable(error));
    // The items are made again when the menu next opens, never while one of them runs.
}

void RecentPagesMenu::rebuild()
{
    if (!m_menu)
        return;
    const QStringList list = pages();
    m_menu->clear();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString path = list.at(i);
        // The number is the item's key; an "&" in a path is shown, not taken as a key.
        QString caption =
            QStringLiteral("&%1 %2")
                .arg((i + 1) % 10)
                .arg(QDir::toNativeSeparators(path).replace(QLatin1Char('&'), QLatin1String("&&")));
        QAction *item = m_menu->addAction(caption);
        item->setObjectName(QStringLiteral("RecentPage%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, path] { emit openRequested(path); });
    }
    if (!list.isEmpty())
        m_menu->addSeparator();
    m_menu->addAction(m_clear);
    m_clear->setEnabled(!list.isEmpty());
}
