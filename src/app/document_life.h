// The page's life beyond the file commands: recovery copies of unsaved text, the list of
// recent pages, changes made to the page file by other programs and page files dropped on the
// window.
#pragma once

#include "app/outside_changes.h"

#include <QObject>
#include <QString>

#include <functional>

class NoticeBar;
class PageCommands;
class QMimeData;
class QVBoxLayout;
class RecentPagesMenu;
class RecoveryKeeper;
class TForm1;
class TMemo;

class DocumentLife : public QObject
{
    Q_OBJECT
public:
    // The bars go into `barLayout` at `barIndex`, above the page text.
    DocumentLife(TForm1 *window, QVBoxLayout *barLayout, int barIndex);
    ~DocumentLife() override;

    RecoveryKeeper *recovery() const { return m_recovery; }
    RecentPagesMenu *recentPages() const { return m_recent; }
    OutsideChanges *outsideChanges() const { return m_outside; }
    NoticeBar *recoveryBar() const { return m_recoveryBar; }
    NoticeBar *outsideBar() const { return m_outsideBar; }

    // Puts back the text an instance that died left unsaved; true when there was some.
    bool recoverUnsavedText();
    // Opens a page (the recent list, a dropped file) after the unsaved-text question.
    bool openPage(const QString &path);
    // The page file among dropped data (a .mv file or another text), or an empty text.
    static QString droppedPage(const QMimeData *data);

    // A yes-or-no question with the caption of its yes button; tests replace it.
    std::function<bool(const QString &question, const QString &yes)> confirm;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void discardRecovered();
    void showOutsideChange(OutsideChanges::Kind kind);
    void reload();
    bool mayOverwrite(const QString &path);
    QString pageName() const;

    TForm1 *m_window;
    PageCommands *m_commands;
    RecoveryKeeper *m_recovery = nullptr;
    RecentPagesMenu *m_recent = nullptr;
    OutsideChanges *m_outside = nullptr;
    NoticeBar *m_recoveryBar = nullptr;
    NoticeBar *m_outsideBar = nullptr;
    QString m_dragPage; // the page file the drag in progress carries, if any
};
