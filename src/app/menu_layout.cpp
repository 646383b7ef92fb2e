#include "app/menu_layout.h"

#include "app/icons.h"
#include "platform/fonts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace menulayout {

namespace {

using K = Kind;
using T = Tick;

// Main-menu shortcuts are looked up in this order, so the first item of two with the same key
// wins: Alt+F runs Найти..., never Шрифт....
const Row MainMenuRows[] = {
    {K::Menu, "file1", "Файл"},
    {K::Item, "new1", "Создать страницу", "Ctrl+N", T::None, "new"},
    {K::Item, "Nick1", "Создать ник..."},
    {K::Item, "open1", "Открыть", "Ctrl+O", T::None, "open"},
    {K::Item, "save1", "Сохранить", "Ctrl+S", T::None, "save"},
    {K::Item, "saveas1", "Сохранить как..."},
    {K::Separator},
    {K::Item, "Convert1", "Преобразовать...", "F2"},
    {K::Separator},
    {K::Item, "close1", "Выход", "Alt+F4"},
    {K::Separator},
    {K::Item, "ExportHtml1", "Экспорт в HTML..."},

    {K::Menu, "edit1", "Правка"},
    {K::Item, "undo1", "Отменить", "Ctrl+Z"},
    {K::Separator},
    {K::Item, "cut1", "Вырезать", "Ctrl+X", T::None, "cut"},
    {K::Item, "copy1", "Копировать", "Ctrl+C", T::None, "copy"},
    {K::Item, "paste1", "Вставить", "Ctrl+V", T::None, "paste"},
    {K::Item, "delete1", "Удалить", "Ctrl+D"},
    {K::Separator},
    {K::Item, "find1", "Найти...", "Alt+F", T::None, "find"},
    {K::Item, "findnext1", "Найти далее", "F3"},
    {K::Item, "replace1", "Заменить...", "Alt+R"},
    {K::Separator},
    {K::Item, "CopyAll1", "Копировать весь текст в буфер", nullptr, T::None, "copyall"},
    {K::Item, "clear1", "Очистить"},
    {K::Item, "selectall1", "Выделить все", "Ctrl+A"},
    {K::Separator},
    {K::Item, "refresh1", "Обновить", "F4", T::None, "refresh"},
    {K::Separator},
    {K::Item, "NextProblem1", "Следующая ошибка в тегах", "F8"},
    {K::Item, "PreviousProblem1", "Предыдущая ошибка в тегах", "Shift+F8"},

    {K::Menu, "insert1", "Вставка", nullptr, T::None, nullptr, nullptr, "Вставка тега"},
    {K::Item, "Link1", "Ссылка...", "Ctrl+L"},
    {K::Item, "LinkUser1", "Ссылка на пользователя...", "Ctrl+U"},
    {K::Item, "LinkPath1", "Ссылка на рубрику...", "Ctrl+R"},
    {K::Item, "LinkFile1", "Ссылка на файл...", "Ctrl+F"},
    {K::Item, "Linktext1", "Ссылка на статью...", "Ctrl+T"},
    {K::Separator},
    {K::Item, "Image1", "Рисунок...", "Ctrl+I"},
    {K::Item, "ImageSize1", "Рисунок с размерами...", "Ctrl+Alt+I"},
    {K::Item, "Imagelink1", "Рисунок-ссылка...", "Ctrl+Alt+L"},
    {K::Separator},
    {K::Item, "runline1", "Бегущая строка..."},
    {K::Item, "br1", "Обрыв строки", "Ctrl+Enter"},
    {K::Item, "hr1", "Горизонтальный разделитель"},
    {K::Item, "color1", "Цвет..."},

    {K::Menu, "Format1", "Формат"},
    {K::Item, "left1", "По левому краю", nullptr, T::None, "left"},
    {K::Item, "center1", "По центру", nullptr, T::None, "center"},
    {K::Item, "right1", "По правому краю", nullptr, T::None, "right"},
    {K::Item, "justify1", "По ширине", nullptr, T::None, "justify"},
    {K::Separator},
    {K::Item, "FormatLine1", "Формат строки..."},
    {K::Separator},
    {K::Item, "bold1", "Жирный", nullptr, T::None, "bold"},
    {K::Item, "itallic1", "Курсив", nullptr, T::None, "italic"},
    {K::Item, "underline1", "Подчеркнутый", nullptr, T::None, "underline"},
    {K::Item, "strikeout1", "Зачеркнутый", nullptr, T::None, "strikeout"},
    {K::Separator},
    {K::Item, "normal1", "Нормальный"},
    {K::Item, "light1", "Светлый"},
    {K::Item, "polybold1", "Полужирный"},
    {K::Item, "lineontext1", "Линия над текстом"},
    {K::Item, "blink1", "Мигающий"},
    {K::Separator},
    {K::Item, "undoformat1", "Отмена оформления"},

    {K::Menu, "settings1", "Установки"},
    {K::Item, "font1", "Шрифт...", "Alt+F", T::None, "font"},
    {K::Item, "WordWrap1", "Перенос по словам", nullptr, T::Ticked},
    {K::Item, "readonly1", "Только чтение", nullptr, T::Unticked},
    {K::Separator},
    {K::Item, "browser1", "Браузер", nullptr, T::Ticked},
    {K::Item, "panelPreView2", "Панель предпросмотра", nullptr, T::Ticked},
    {K::Item, "visstbar1", "Строка состояния", nullptr, T::Ticked},
    {K::Separator},
    {K::Item, "options1", "Настройки...", "F5"},
    {K::Separator},
    {K::Item, "SiteView1", "Вид на сайте", "F6", T::Unticked},
    {K::Item, "TagProblems1", "Список ошибок в тегах", nullptr, T::Unticked},

    {K::Menu, "help1", "Помощь"},
    {K::Item, "CorvelSoftWare1", "Corvel SoftWare"},
    {K::Item, "homepage1", "Домашняя страница"},
    {K::Separator},
    {K::Item, "Mirvale1", "Mirvale"},
    {K::Item, "MirvaleTags1", "Mirvale Tags", nullptr, T::None, "tags"},
    {K::Item, "personalpage1", "Персональная страница"},
    {K::Separator},
    {K::Item, "about1", "О программе", "F1", T::None, "about"},
};

const Row ContextMenuRows[] = {
    {K::Menu, "PopupMenuSel", ""},
    {K::Item, "cut2", "Вырезать", nullptr, T::None, "cut", "cut1"},
    {K::Item, "copy2", "Копировать", nullptr, T::None, "copy", "copy1"},
    {K::Item, "paste2", "Вставить", nullptr, T::None, "paste", "paste1"},
    {K::Item, "delete2", "Удалить", nullptr, T::None, nullptr, "delete1"},
    {K::Separator},
    {K::Item, "find2", "Найти...", nullptr, T::None, "find", "find1"},
    {K::Separator},
    {K::Item, "link2", "Ссылка...", nullptr, T::None, nullptr, "Link1"},
    {K::Item, "runline2", "Текст бегущей строки...", nullptr, T::None, nullptr, "runline1"},

    {K::Menu, "PopupMenuUnSel", ""},
    {K::Item, "paste3", "Вставить", nullptr, T::None, "paste", "paste1"},
    {K::Separator},
    {K::Item, "addlink1", "Добавить ссылку...", nullptr, T::None, nullptr, "Link1"},
    {K::Item, "addimage1", "Добавить изображение...", nullptr, T::None, nullptr, "Image1"},
    {K::Separator},
    {K::Item, "br2", "Обрыв строки", nullptr, T::None, nullptr, "br1"},
    {K::Separator},
    {K::Item, "selectall2", "Выделить все", nullptr, T::None, nullptr, "selectall1"},
    {K::Item, "refresh2", "Обновить", nullptr, T::None, "refresh"},
    {K::Separator},
    {K::Item, "undo2", "Отменить", nullptr, T::None, nullptr, "undo1"},
};

const ToolButtonRow ToolBarRows[] = {
    {"ToolButton8", "Создать", "new1", "new"},
    {"ToolButton9", "Открыть", "open1", "open"},
    {"ToolButton10", "Сохранить", "save1", "save"},
    {},
    {"ToolButton12", "Вырезать", "cut1", "cut"},
    {"ToolButton13", "Копировать", "copy1", "copy"},
    {"ToolButton14", "Вставить", "paste1", "paste"},
    {},
    {"ToolButton16", "Обновить", "refresh1", "refresh"},
    {"ToolButton18", "Копировать весь текст в буфер", "CopyAll1", "copyall"},
    {},
    {"ToolButton28", "Жирный", "bold1", "bold"},
    {"ToolButton29", "Курсив", "itallic1", "italic"},
    {"ToolButton30", "Подчеркнутый", "underline1", "underline"},
    {"ToolButton31", "Зачеркнутый", "strikeout1", "strikeout"},
    {},
    {"ToolButton23", "По левому краю", "left1", "left"},
    {"ToolButton24", "По центру", "center1", "center"},
    {"ToolButton25", "По правому краю", "right1", "right"},
    {"ToolButton26", "По ширине", "justify1", "justify"},
    {},
    {"ToolButton34", "Mirvale Tags", "MirvaleTags1", "tags"},
};

QFont menuFont()
{
    return fonts::makePixels(QStringLiteral("Tahoma"), 12);
}

} // namespace

std::span<const Row> mainMenu()
{
    return MainMenuRows;
}
std::span<const Row> contextMenus()
{
    return ContextMenuRows;
}
std::span<const ToolButtonRow> pageToolBar()
{
    return ToolBarRows;
}

QList<QMenu *> build(std::span<const Row> rows, QWidget *owner, QMenuBar *bar)
{
    QList<QMenu *> menus;
    QMenu *menu = nullptr;
    for (const Row &row : rows) {
        switch (row.kind) {
        case Kind::Menu: {
            menu = bar ? new QMenu(QString::fromUtf8(row.caption), bar)
                       : new QMenu(QString::fromUtf8(row.caption), owner);
            menu->setObjectName(QString::fromLatin1(row.name));
            menu->menuAction()->setObjectName(QString::fromLatin1(row.name));
            menu->setFont(menuFont());
            if (row.hint) {
                menu->setToolTip(QString::fromUtf8(row.hint));
                menu->menuAction()->setToolTip(QString::fromUtf8(row.hint));
                menu->menuAction()->setStatusTip(QString::fromUtf8(row.hint));
            }
            if (bar)
                bar->addMenu(menu);
            menus.append(menu);
            break;
        }
        case Kind::Separator:
            if (menu)
                menu->addSeparator();
            break;
        case Kind::Item: {
            auto *action = new QAction(QString::fromUtf8(row.caption), owner);
            action->setObjectName(QString::fromLatin1(row.name));
            if (row.shortcut)
                action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
            if (row.tick != Tick::None) {
                action->setCheckable(true);
                action->setChecked(row.tick == Tick::Ticked);
            }
            if (row.icon)
                action->setIcon(icons::make(QString::fromLatin1(row.icon)));
            if (menu)
                menu->addAction(action);
            break;
        }
        }
    }
    return menus;
}

void buildToolBar(QToolBar *bar, QWidget *owner)
{
    for (const ToolButtonRow &row : pageToolBar()) {
        if (!row.name) {
            bar->addSeparator();
            continue;
        }
        auto *button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(row.name));
        button->setToolTip(QString::fromUtf8(row.hint));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        if (row.icon)
            button->setIcon(icons::make(QString::fromLatin1(row.icon)));
        if (row.action) {
            const QString actionName = QString::fromLatin1(row.action);
            QObject::connect(button, &QToolButton::clicked, owner, [owner, actionName] {
                if (auto *action = owner->findChild<QAction *>(actionName))
                    action->trigger();
            });
        }
        bar->addWidget(button);
    }
}

} // namespace menulayout
