#include "platform/interface_texts.h"

#include "platform/ini_file.h"

#include <array>

namespace interfacetexts {
namespace {

struct Entry
{
    const char *key;
    const char *builtIn; // UTF-8
};

const std::array<Entry, TextCount> Entries = {{
    {"SaveChanges", "Текст изменён. Сохранить изменения в «%1»?"},
    {"Save", "Сохранить"},
    {"DontSave", "Не сохранять"},
    {"Cancel", "Отмена"},
    {"LossySave", "Знак %1 в строке %2 нельзя записать в кодировке Windows-1251, как и другие "
                  "такие знаки после него.\\n\\nЗаписать текст со знаком «?» вместо каждого из "
                  "них?"},
    {"Write", "Записать"},
    {"Preview", "Предпросмотр"},
    {"AddressRefused", "Адрес «%1» открыть нельзя"},
    {"NoPageBack", "Нет страницы, на которую можно вернуться"},
    {"NoPageForward", "Нет страницы, на которую можно перейти вперёд"},
    {"CannotOpenInBrowser", "Не удалось открыть «%1» в браузере"},
    {"Recovered", "Восстановлен текст, не сохранённый при прошлом завершении программы."},
    {"DiscardRecovered", "Отбросить"},
    {"Keep", "Оставить"},
    {"RecentMissing", "Файл «%1» не найден. Он убран из списка последних страниц."},
    {"ChangedOutside", "Файл «%1» изменён другой программой."},
    {"DeletedOutside", "Файл «%1» удалён другой программой."},
    {"Reload", "Загрузить заново"},
    {"ReloadQuestion", "Текст изменён. Отбросить изменения и загрузить «%1» заново?"},
    {"OverwriteQuestion",
     "Файл «%1» изменён другой программой. Заменить его текстом из редактора?"},
    {"Overwrite", "Заменить"},
    {"AddWord", "Добавить в словарь"},
    {"NoDictionary", "Словарь языка «%1» не найден. Проверка орфографии на этом языке "
                     "выключена."},
    {"ProblemUnknownTag", "неизвестный тег ^%1^"},
    {"ProblemOpenCaret", "тег не закрыт: в этой строке нет закрывающего ^"},
    {"ProblemWrongParts", "неверное число частей тега: нужно %2"},
    {"ProblemNotANumber", "не число: «%1»"},
    {"ProblemBadColor", "не цвет: «%1» — не название цвета и не шесть шестнадцатеричных цифр"},
    {"ProblemBadAlignment", "выравнивание «%1» не из списка: %2"},
    {"ProblemEmptyReference", "пустая ссылка: нужно %2"},
    {"ProblemBadRunValue", "«%1» не из списка: %2"},
    {"ProblemCount", "Ошибок в тегах: %1"},
    {"OneLineLength", "Длина: %1"},
    {"SiteViewCaption", "Вид на сайте"},
    {"SectionLinkText", "Рубрика %1"},
    {"FileLinkText", "Файл %1"},
    {"ArticleLinkText", "Статья %1"},
    {"PictureCaption", "Рисунок %1"},
    {"ExportHtmlTitle", "Экспорт в HTML"},
    {"HtmlFiles", "Страницы HTML (*.html *.htm)"},
    {"ProblemLine", "Строка"},
    {"ProblemColumn", "Столбец"},
    {"ProblemMessage", "Ошибка"},
    {"Untitled", "Без имени.mv"},
    {"PageFiles", "Текстовый файл Mirvale (*.mv)"},
    {"AllFiles", "Все файлы (*)"},
    {"UserLinkTitle", "Ссылка на пользователя"},
    {"UserLinkPrompt", "Login пользователя:"},
    {"SectionLinkTitle", "Ссылка на рубрику"},
    {"SectionLinkPrompt", "ID рубрики:"},
    {"FileLinkTitle", "Ссылка на файл"},
    {"FileLinkPrompt", "ID файла:"},
    {"ArticleLinkTitle", "Ссылка на статью"},
    {"ArticleLinkPrompt", "ID статьи:"},
    {"CannotOpenFile", "Cannot open file \"%1\". %2"},
    {"CannotCreateFile", "Cannot create file \"%1\". %2"},
    {"SearchNotFound", "Search string '%1' not found"},
    {"ReplacedCount", "%1 occurence(s) of '%2' were replaced"},
    {"FindCaption", "Find"},
    {"ReplaceCaption", "Replace"},
}};

// Language files hold one line per text: "\n" in a text stands for a line break.
QString unescaped(QString text)
{
    return text.replace(QLatin1String("\\n"), QLatin1String("\n"));
}

std::array<QString, TextCount> &current()
{
    static std::array<QString, TextCount> texts = [] {
        std::array<QString, TextCount> all;
        for (int i = 0; i < TextCount; ++i)
            all[i] = builtIn(Text(i));
        return all;
    }();
    return texts;
}

} // namespace

QString text(Text which)
{
    return current()[which];
}

QString keyOf(Text which)
{
    return QString::fromLatin1(Entries[which].key);
}

QString builtIn(Text which)
{
    return unescaped(QString::fromUtf8(Entries[which].builtIn));
}

void load(const IniFile &languageFile)
{
    const QString section = QStringLiteral("Messages");
    for (int i = 0; i < TextCount; ++i) {
        const QString value = languageFile.readString(section, QLatin1String(Entries[i].key));
        // A missing or blank text would leave a question or a button without words.
        current()[i] = value.trimmed().isEmpty() ? builtIn(Text(i)) : unescaped(value);
    }
}

} // namespace interfacetexts
