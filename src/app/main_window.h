// TForm1: the main window with its pages, menus, page toolbar, context menus and status bar.
#pragma once

#include <QKeyCombination>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class DocumentLife;
class MessageTab;
class PageCommands;
class PageExtras;
class PanelStrip;
class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QStatusBar;
class QTabWidget;
class QToolBar;
class SiteBrowserTab;
class SpellingControl;
class TMemo;
class TagCommands;

class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    // FormCreate: creates the program's folders, builds the window, starts loading the site's
    // home address and applies the settings file.
    explicit TForm1(QWidget *parent = nullptr);
    // FormDestroy: stops the site browser and writes the settings file.
    ~TForm1() override;

    // The text area that the file, edit, format and insert commands act on: MemoGen while the
    // Editor or Browser page is shown, Memo2 while the Message page is shown.
    TMemo *activeMemo() const { return ActiveMemo; }
    TMemo *memoGen() const { return MemoGen; }
    TMemo *memo2() const;

    QTabWidget *pageControl() const { return PageControl1; }
    QWidget *editorPage() const { return TabSheet2; }
    QWidget *browserPage() const { return TabSheet3; }
    QWidget *messagePage() const { return TabSheet4; }
    SiteBrowserTab *siteBrowserTab() const { return m_browserTab; }
    MessageTab *messageTab() const { return m_messageTab; }

    QStatusBar *statusBar1() const { return StatusBar1; }
    // Status panels 0..3: page name, caret line, caret column, nothing.
    QLabel *statusPanel(int index) const;
    QToolBar *pageToolBar() const { return sToolBar1; }
    QMenu *popupMenuSel() const { return PopupMenuSel; }
    QMenu *popupMenuUnSel() const { return PopupMenuUnSel; }
    // The context menu MemoGen shows now; chosen on every mouse press in it.
    QMenu *memoGenPopupMenu() const { return m_memoGenPopup; }

    // A menu item, context-menu item or any other action of the window, by its name.
    QAction *action(const QString &name) const;

    PageCommands *pageCommands() const { return m_commands; }
    // Recovery copies, recent pages, outside changes and dropped files.
    DocumentLife *documentLife() const { return m_life; }
    SpellingControl *spelling() const { return m_spelling; }
    // Tag checking, the site view and its export, the one-line length.
    PageExtras *pageExtras() const { return m_extras; }
    QString pageFileName() const;

    // Writes the ten values of the settings file; reports the first value it cannot write.
    void writeSettings();

    // Whether the start page keeps loading after the window is first shown. The Options
    // dialog replaces this with its "refresh the browser at start" option.
    std::function<bool()> refreshBrowserAtStart = [] { return false; };

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void TabSheet2Show();
    void TabSheet3Show();
    void TabSheet4Show();
    void browser1Click(bool ticked);
    void visstbar1Click(bool ticked);
    void refresh2Click();
    void close1Click();

private:
    void buildPages();
    void buildStatusBar();
    void buildMenus();
    void connectCommands();
    void connectPageParts();
    void readSettings();
    void applyBrowserTick(bool ticked);
    void showPageFileName(const QString &pageFileName);
    QAction *mainMenuActionFor(const QKeyEvent *event) const;

    TMemo *ActiveMemo = nullptr;
    TMemo *MemoGen = nullptr;
    QTabWidget *PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;
    QWidget *TabSheet3 = nullptr;
    QWidget *TabSheet4 = nullptr;
    QListWidget *KeywordList = nullptr;
    QToolBar *sToolBar1 = nullptr;
    SiteBrowserTab *m_browserTab = nullptr;
    MessageTab *m_messageTab = nullptr;
    TagCommands *m_tagCommands = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *m_panels[4] = {};
    PanelStrip *m_panelStrip = nullptr;
    QLabel *Label1 = nullptr;
    QMenu *PopupMenuSel = nullptr;
    QMenu *PopupMenuUnSel = nullptr;
    QMenu *m_memoGenPopup = nullptr;
    QList<QAction *> m_mainMenuActions; // in menu order
    PageCommands *m_commands = nullptr;
    DocumentLife *m_life = nullptr;
    SpellingControl *m_spelling = nullptr;
    PageExtras *m_extras = nullptr;
    bool m_shown = false;
    // A main-menu key taken from the focused control, run when its key press arrives.
    QPointer<QAction> m_pendingShortcut;
    QKeyCombination m_pendingKey;
};
