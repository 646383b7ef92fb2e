// The layout of the main menu, the page text area's two context menus and the page toolbar,
// as data, and the small builders that make widgets from it.
#pragma once

#include <QList>

#include <span>

class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace menulayout {

enum class Kind { Menu, Item, Separator };
enum class Tick { None, Unticked, Ticked };

struct Row
{
    Kind kind;
    const char *name = nullptr;    // objectName of the menu or action
    const char *caption = nullptr; // built-in caption
    const char *shortcut = nullptr;
    Tick tick = Tick::None;
    const char *icon = nullptr;   // name for icons::make
    const char *sameAs = nullptr; // context-menu items: the main-menu item whose command runs
    const char *hint = nullptr;
};

struct ToolButtonRow
{
    const char *name = nullptr; // none: a separator
    const char *hint = nullptr;
    const char *action = nullptr; // the main-menu item it triggers; none: no command
    const char *icon = nullptr;
};

std::span<const Row> mainMenu();
std::span<const Row> contextMenus(); // PopupMenuSel, then PopupMenuUnSel
std::span<const ToolButtonRow> pageToolBar();

// Each Menu row starts a QMenu (added to `bar` when one is given); each Item row adds a QAction
// owned by `owner`, named, captioned, with its shortcut, tick and icon. Returns the menus.
QList<QMenu *> build(std::span<const Row> rows, QWidget *owner, QMenuBar *bar = nullptr);

// Adds the buttons of the page toolbar; each button triggers the owner's action of the same
// command (looked up by objectName), so that a hint can differ from the action's caption.
void buildToolBar(QToolBar *bar, QWidget *owner);

} // namespace menulayout
