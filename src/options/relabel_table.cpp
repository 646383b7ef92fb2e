#include "options/relabel_table.h"

namespace relabel {

namespace {

constexpr const char *None = nullptr; // the key has no default: missing gives empty text

Place caption(const char *window, const char *control)
{
    return {window, control};
}
Place title(const char *window)
{
    return {window, nullptr, Target::WindowTitle};
}
Place hint(const char *window, const char *control)
{
    return {window, control, Target::Hint};
}
Place tab(const char *window, const char *page)
{
    return {window, page, Target::TabCaption};
}
Place listItem(const char *window, const char *combo, int item)
{
    return {window, combo, Target::ListItem, item};
}

Step read(const char *section, const char *key, const char *defaultText, Place to)
{
    return {section, key, defaultText, {}, to};
}
Step copy(Place from, Place to)
{
    return {nullptr, nullptr, nullptr, from, to};
}

// A menu item of the main window; most have no default.
Step menu(const char *key, const char *item, const char *defaultText = None)
{
    return read("General", key, defaultText, caption("TForm1", item));
}

// The caption of an image-dialog control, copied into the same control of another dialog.
Step imageCopy(const char *window, const char *control)
{
    return copy(caption("TImageF", control), caption(window, control));
}

// A page-toolbar button takes, as its hint, the caption of the menu item with its command.
Step toolHint(const char *button, const char *item)
{
    return copy(caption("TForm1", item), hint("TForm1", button));
}

std::vector<Step> build()
{
    return {
        // [Autor]: the language file's own author, shown in the Options dialog
        read("Autor", "Name", "n/a", caption("TOptionsF", "LabelAutor")),
        read("Autor", "Email", "n/a", caption("TOptionsF", "LabelEmail")),

        // [Options]
        read("Options", "Account", "Персональня страница", caption("TOptionsF", "GroupBox1")),
        read("Options", "Other", "Другое", caption("TOptionsF", "GroupBox2")),
        read("Options", "Language", "Язык", caption("TOptionsF", "GroupBox3")),
        read("Options", "Window", "Настройки", title("TOptionsF")),
        read("Options", "Login", "Логин:", caption("TOptionsF", "Label1")),
        read("Options", "Password", "Пароль:", caption("TOptionsF", "Label2")),
        read("Options", "LoadImages", "Загружать изображения", caption("TOptionsF", "CheckBox1")),
        read("Options", "RefreshBrowser", "Обновлять браузер при запуске",
             caption("TOptionsF", "CheckBox2")),
        read("Options", "Author", "Автор:", caption("TOptionsF", "LabelAutor2")),
        read("Options", "E-mail", "E-mail:", caption("TOptionsF", "LabelEmail2")),
        read("Options", "Cancel", "Отмена", caption("TOptionsF", "Button1")),
        read("Options", "OK", "OK", caption("TOptionsF", "Button2")),

        // [General], first block: the main menu...
        menu("File", "file1"),
        menu("New", "new1"),
        menu("Nick", "Nick1"),
        menu("Open", "open1"),
        menu("Save", "save1"),
        menu("SaveAs", "saveas1"),
        menu("Convert", "Convert1"),
        menu("Close", "close1"),
        menu("Edit", "edit1"),
        menu("Undo", "undo1"),
        menu("Cut", "cut1"),
        menu("Copy", "copy1"),
        menu("Paste", "paste1"),
        menu("Delete", "delete1"),
        menu("Find", "find1"),
        menu("FindNext", "findnext1"),
        menu("Replace", "replace1"),
        menu("CopyAll", "CopyAll1"),
        menu("Clear", "clear1"),
        menu("SelectAll", "selectall1"),
        menu("Refresh", "refresh1"),
        menu("Insert", "insert1"),
        menu("Link", "Link1"),
        menu("LinkUser", "LinkUser1"),
        menu("LinkPath", "LinkPath1"),
        menu("LinkFile", "LinkFile1"),
        menu("LinkText", "Linktext1"),
        menu("Image", "Image1"),
        menu("ImageSize", "ImageSize1"),
        menu("ImageLink", "Imagelink1"),
        menu("RunLine", "runline1"),
        menu("BR", "br1"),
        menu("HR", "hr1"),
        menu("Color", "color1"),
        menu("Format", "Format1"),
        menu("Left", "left1"),
        menu("Center", "center1"),
        menu("Right", "right1"),
        menu("Justify", "justify1"),
        menu("FormatLine", "FormatLine1"),
        menu("Bold", "bold1"),
        menu("Itallic", "itallic1"),
        menu("Underline", "underline1"),
        menu("Strikeout", "strikeout1"),
        menu("Normal", "normal1"),
        menu("Light", "light1"),
        menu("Polybold", "polybold1"),
        menu("LineOnText", "lineontext1"),
        menu("Blink", "blink1"),
        menu("UndoFormat", "undoformat1"),
        // ...then the pop-up menus: page text with a selection (PopupMenuSel)...
        menu("Cut", "cut2"),
        menu("Copy", "copy2"),
        menu("Paste", "paste2"),
        menu("Delete", "delete2"),
        menu("Find", "find2"),
        menu("Link", "link2"),
        menu("RunLine", "runline2"),
        // ...page text without a selection (PopupMenuUnSel)...
        menu("Paste", "paste3"),
        menu("AddLink", "addlink1"),
        menu("AddImage", "addimage1"),
        menu("BR", "br2"),
        menu("SelectAll", "selectall2"),
        menu("Refresh", "refresh2"),
        menu("Undo", "undo2"),
        // ...and the message text (PopupMenu2)
        menu("Cut", "mcut1"),
        menu("Copy", "mcopy1"),
        menu("Paste", "mpaste1"),
        menu("Delete", "mdelete1"),
        menu("BR", "mbr1"),
        menu("SelectAll", "mselectall1"),
        menu("Undo", "mundo1"),

        // [Tab]; the first two defaults carry a blank on either side
        read("Tab", "Editor", " Редактор ", tab("TForm1", "TabSheet2")),
        read("Tab", "Browser", " Браузер ", tab("TForm1", "TabSheet3")),
        read("Tab", "Message", "Сообщение", tab("TForm1", "TabSheet4")),

        // [Browser]: the site browser's toolbar
        read("Browser", "Back", None, hint("TForm1", "ToolButton19")),
        read("Browser", "Forward", None, hint("TForm1", "ToolButton21")),
        read("Browser", "Refresh", None, hint("TForm1", "ToolButton4")),
        read("Browser", "Stop", None, hint("TForm1", "ToolButton5")),
        read("Browser", "Home", None, hint("TForm1", "ToolButton6")),
        read("Browser", "Go", None, hint("TForm1", "ToolButton1")),

        // [General], second block
        menu("WordWrap", "WordWrap1"),
        menu("ReadOnly", "readonly1"),
        menu("Browser", "browser1"),
        menu("VisStBar", "visstbar1"),
        menu("Options", "options1", "Настройки..."),
        menu("Help", "help1"),
        menu("HomePage", "homepage1"),
        menu("PersonalPage", "personalpage1"),
        menu("About", "about1", "О программе..."),
        menu("Settings", "settings1", "Установки"),
        menu("Font", "font1", "Шрифт..."),

        // [DAbout]
        read("DAbout", "Window", "О программе", title("TAboutF")),
        read("DAbout", "Site", "Официальный сайт компании", caption("TAboutF", "Label10")),
        read("DAbout", "Home", "Новые версии и дополнения", caption("TAboutF", "Label11")),
        read("DAbout", "SendError", "Сообщить об ошибке", caption("TAboutF", "Button2")),
        read("DAbout", "Close", "Закрыть", caption("TAboutF", "Button1")),

        // [DFinish]
        read("DFinish", "Window", "Преобразование", title("TFinishF")),
        read("DFinish", "Text", "Готовый текст:", caption("TFinishF", "Label1")),
        read("DFinish", "Help", "Нажмите \"OK\" для копирования текста",
             caption("TFinishF", "Label2")),

        // [DFormat]
        read("DFormat", "Window", "Формат строки...", title("TFormatF")),
        read("DFormat", "Text", "Текст:", caption("TFormatF", "sLabel1")),
        read("DFormat", "Align", "Выравнивание:", caption("TFormatF", "sLabel2")),
        read("DFormat", "ColorBg", "Цвет фона", caption("TFormatF", "sColorSelect1")),
        read("DFormat", "ColorText", "Цвет текста", caption("TFormatF", "sColorSelect2")),
        read("DFormat", "Item0", "По левому краю", listItem("TFormatF", "sComboBox1", 0)),
        read("DFormat", "Item1", "По центру", listItem("TFormatF", "sComboBox1", 1)),
        read("DFormat", "Item2", "По правому краю", listItem("TFormatF", "sComboBox1", 2)),
        read("DFormat", "Item3", "По ширине", listItem("TFormatF", "sComboBox1", 3)),

        // [DImage]
        read("DImage", "Window", "Рисунок", title("TImageF")),
        read("DImage", "Window", "Рисунок", title("TImageWidthF")),
        read("DImage", "Window2", "Рисунок-ссылка", title("TImageLinkF")),
        read("DImage", "ID", "ID картинки:", caption("TImageF", "Label1")),
        read("DImage", "Format", "Формат рисунка:", caption("TImageF", "Label4")),
        read("DImage", "Caption", "Название:", caption("TImageF", "Label7")),
        read("DImage", "OrigSize", "Оригинальный размер", caption("TImageF", "CheckBox2")),
        read("DImage", "Preview", "Просмотр", caption("TImageF", "sGroupBox1")),
        read("DImage", "UsePreview", "Использовать просмотр", caption("TImageF", "CheckBox1")),
        read("DImage", "Link", "Ссылка:", caption("TImageLinkF", "Label2")),
        read("DImage", "Width", "Ширина:", caption("TImageWidthF", "Label2")),

        // The other two image dialogs share four captions with the plain one.
        imageCopy("TImageLinkF", "Label1"),
        imageCopy("TImageLinkF", "Label4"),
        imageCopy("TImageLinkF", "Label7"),
        imageCopy("TImageLinkF", "CheckBox2"),
        imageCopy("TImageWidthF", "Label1"),
        imageCopy("TImageWidthF", "Label4"),
        imageCopy("TImageWidthF", "Label7"),
        imageCopy("TImageWidthF", "CheckBox2"),

        // [DLink]
        read("DLink", "Window", "Ссылка", title("TLinkF")),
        read("DLink", "Text", "Текст ссылки:", caption("TLinkF", "Label1")),
        read("DLink", "Adress", "Адрес:", caption("TLinkF", "Label2")),
        read("DLink", "Preview", "Просмотр:", caption("TLinkF", "Label3")),

        // [DNick]
        read("DNick", "Window", "Создание ника", title("TNickF")),
        read("DNick", "Add", "Добавить", caption("TNickF", "Button5")),
        read("DNick", "Delete", "Удалить", caption("TNickF", "Button4")),
        read("DNick", "Up", "Вверх", caption("TNickF", "Button3")),
        read("DNick", "Down", "Вниз", caption("TNickF", "Button6")),
        read("DNick", "CText", None, caption("TNickF", "ColorText")),
        read("DNick", "CBg", None, caption("TNickF", "ColorBg")),
        read("DNick", "CBrowser", None, caption("TNickF", "ColorWB")),
        read("DNick", "Preview", None, caption("TNickF", "Label1")),
        read("DNick", "Tags", None, caption("TNickF", "Label2")),
        read("DNick", "Copy", None, caption("TNickF", "Button2")),
        read("DNick", "Close", None, caption("TNickF", "Button1")),

        // [DRunLine]
        read("DRunLine", "Window", "Бегущая строка", title("TRunLineF")),
        read("DRunLine", "Text", None, caption("TRunLineF", "Label6")),
        read("DRunLine", "Type", None, caption("TRunLineF", "Label1")),
        read("DRunLine", "CText", None, caption("TRunLineF", "Label2")),
        read("DRunLine", "CBg", None, caption("TRunLineF", "Label3")),
        read("DRunLine", "Position", None, caption("TRunLineF", "Label4")),
        read("DRunLine", "Lenght", None, caption("TRunLineF", "Label5")),

        // [Common]: help labels, OK and Cancel. Five dialogs' Cancel buttons read "Text";
        // only the line-format dialog's reads "Cancel".
        read("Common", "Help", "Помощь", caption("TFormatF", "sWebLabel1")),
        read("Common", "Help", "Помощь", caption("TImageF", "sWebLabel1")),
        read("Common", "Help", "Помощь", caption("TImageLinkF", "sWebLabel1")),
        read("Common", "Help", "Помощь", caption("TImageWidthF", "sWebLabel1")),
        read("Common", "Help", "Помощь", caption("TLinkF", "sWebLabel1")),
        read("Common", "Help", "Помощь", caption("TNickF", "sWebLabel1")),
        read("Common", "Help", "Помощь", caption("TRunLineF", "sWebLabel1")),
        read("Common", "OK", "OK", caption("TFinishF", "Button1")),
        read("Common", "OK", "OK", caption("TFormatF", "sButton2")),
        read("Common", "OK", "OK", caption("TImageF", "Button1")),
        read("Common", "OK", "OK", caption("TImageLinkF", "Button1")),
        read("Common", "OK", "OK", caption("TImageWidthF", "Button1")),
        read("Common", "OK", "OK", caption("TLinkF", "Button1")),
        read("Common", "OK", "OK", caption("TRunLineF", "Button1")),
        read("Common", "Cancel", "Отмена", caption("TFormatF", "sButton1")),
        read("Common", "Text", "Отмена", caption("TImageF", "Button2")),
        read("Common", "Text", "Отмена", caption("TImageLinkF", "Button2")),
        read("Common", "Text", "Отмена", caption("TImageWidthF", "Button2")),
        read("Common", "Text", "Отмена", caption("TLinkF", "Button2")),
        read("Common", "Text", "Отмена", caption("TRunLineF", "Button2")),

        // The page toolbar's hints follow the menu items with the same commands.
        toolHint("ToolButton8", "new1"),
        toolHint("ToolButton9", "open1"),
        toolHint("ToolButton10", "save1"),
        toolHint("ToolButton12", "cut1"),
        toolHint("ToolButton13", "copy1"),
        toolHint("ToolButton14", "paste1"),
        toolHint("ToolButton16", "refresh1"),
        toolHint("ToolButton18", "CopyAll1"),
        toolHint("ToolButton28", "bold1"),
        toolHint("ToolButton29", "itallic1"),
        toolHint("ToolButton30", "underline1"),
        toolHint("ToolButton31", "strikeout1"),
        toolHint("ToolButton23", "left1"),
        toolHint("ToolButton24", "center1"),
        toolHint("ToolButton25", "right1"),
        toolHint("ToolButton26", "justify1"),

        // The Options dialog's switches explain themselves in their hints.
        copy(caption("TOptionsF", "CheckBox1"), hint("TOptionsF", "CheckBox1")),
        copy(caption("TOptionsF", "CheckBox2"), hint("TOptionsF", "CheckBox2")),
    };
}

} // namespace

const std::vector<Step> &table()
{
    static const std::vector<Step> steps = build();
    return steps;
}

const std::vector<Step> &additions()
{
    static const std::vector<Step> steps = {
        read("General", "PreviewPanel", "Панель предпросмотра", caption("TForm1", "panelPreView2")),
        read("General", "ExportHtml", "Экспорт в HTML...", caption("TForm1", "ExportHtml1")),
        read("General", "SiteView", "Вид на сайте", caption("TForm1", "SiteView1")),
        read("General", "TagProblems", "Список ошибок в тегах", caption("TForm1", "TagProblems1")),
        read("General", "NextProblem", "Следующая ошибка в тегах",
             caption("TForm1", "NextProblem1")),
        read("General", "PreviousProblem", "Предыдущая ошибка в тегах",
             caption("TForm1", "PreviousProblem1")),
        read("General", "WorkingTags",
             "Рабочие теги: br, hr, bolder, italic, underline, line-throught, left, right, "
             "center, justify",
             caption("TForm1", "sLabel1")),
        read("General", "RecentPages", "Последние страницы", caption("TForm1", "RecentPages1")),
        read("General", "ClearRecent", "Очистить список", caption("TForm1", "ClearRecent1")),
        read("General", "Spelling", "Проверка орфографии", caption("TForm1", "Spelling1")),
        read("DTagHelp", "CurrentTag", "Текущий тег:", caption("THelpTagF", "sLabel1")),
        read("DAbout", "Developer", "Разработчик: Scribel", caption("TAboutF", "Label3")),
        read("DAbout", "WapSite", "WAP-сайт:", caption("TAboutF", "Label6")),

        read("DFind", "Window", "Найти", title("JvFindReplace1")),
        read("DFind", "What", "Что:", caption("JvFindReplace1", "WhatLabel")),
        read("DFind", "WholeWord", "Только слово целиком", caption("JvFindReplace1", "WholeWord")),
        read("DFind", "MatchCase", "С учетом регистра", caption("JvFindReplace1", "MatchCase")),
        read("DFind", "Direction", "Направление", caption("JvFindReplace1", "Direction")),
        read("DFind", "Up", "Вверх", caption("JvFindReplace1", "DirectionUp")),
        read("DFind", "Down", "Вниз", caption("JvFindReplace1", "DirectionDown")),
        read("DFind", "FindNext", "Найти далее", caption("JvFindReplace1", "FindNextButton")),
        read("DFind", "Cancel", "Отмена", caption("JvFindReplace1", "CancelButton")),

        read("DReplace", "Window", "Заменить", title("JvFindReplace2")),
        read("DReplace", "What", "Что:", caption("JvFindReplace2", "WhatLabel")),
        read("DReplace", "With", "Чем:", caption("JvFindReplace2", "WithLabel")),
        read("DReplace", "WholeWord", "Только слово целиком",
             caption("JvFindReplace2", "WholeWord")),
        read("DReplace", "MatchCase", "С учетом регистра", caption("JvFindReplace2", "MatchCase")),
        read("DReplace", "FindNext", "Найти далее", caption("JvFindReplace2", "FindNextButton")),
        read("DReplace", "Replace", "Заменить", caption("JvFindReplace2", "ReplaceButton")),
        read("DReplace", "ReplaceAll", "Заменить все",
             caption("JvFindReplace2", "ReplaceAllButton")),
        read("DReplace", "Cancel", "Отмена", caption("JvFindReplace2", "CancelButton")),
    };
    return steps;
}

const std::vector<Step> &allSteps()
{
    static const std::vector<Step> steps = [] {
        std::vector<Step> all = table();
        all.insert(all.end(), additions().begin(), additions().end());
        return all;
    }();
    return steps;
}

QString describe(const Place &place)
{
    static const char *const kinds[] = {"caption", "window title", "hint", "tab caption",
                                        "list item"};
    QString text = QString::fromLatin1(place.window);
    if (place.control)
        text += QLatin1Char('/') + QString::fromLatin1(place.control);
    text += QStringLiteral(" (") + QString::fromLatin1(kinds[int(place.target)]);
    if (place.target == Target::ListItem)
        text += QLatin1Char(' ') + QString::number(place.item);
    return text + QLatin1Char(')');
}

} // namespace relabel
