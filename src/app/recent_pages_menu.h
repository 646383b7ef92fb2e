// The File menu's list of recent pages: newest first, kept in its own file beside the settings
// file, so that every instance sees what the others opened or saved.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

class QAction;
class QMenu;

class RecentPagesMenu : public QObject
{
    Q_OBJECT
public:
    // Fills `menu` (its items are the list, then "Clear list") from `file`.
    RecentPagesMenu(QMenu *menu, const QString &file, QObject *parent = nullptr);

    QStringList pages() const;
    void add(const QString &path);
    void remove(const QString &path);
    void clear();
    QMenu *menu() const;

signals:
    void openRequested(const QString &path);

private:
    void store(const QStringList &pages);
    void rebuild();

    QPointer<QMenu> m_menu;
    QString m_file;
    QAction *m_clear = nullptr;
};
