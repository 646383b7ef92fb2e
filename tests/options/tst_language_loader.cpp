// The language loader against stand-in windows built from the relabelling table itself.
#include "options/language_loader.h"
#include "options/relabel_table.h"
#include "platform/codepage.h"
#include "platform/ini_file.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

using relabel::Place;
using relabel::Step;
using relabel::Target;

namespace {

const QSet<QString> MainMenus = {"file1", "edit1", "insert1", "Format1", "settings1", "help1"};

// Every window and control the table names, of the kinds the real windows use: actions and
// menus in the main window, tabs, tool buttons, labels, buttons, check boxes and group boxes.
class StandInWindows
{
public:
    StandInWindows()
    {
        for (const Step &step : relabel::allSteps()) {
            if (step.isCopy())
                make(step.from);
            make(step.to);
        }
    }
    ~StandInWindows() { qDeleteAll(m_windows); }

    QWidget *window(const QString &name) { return m_windows.value(name); }

private:
    QWidget *windowFor(const QString &name)
    {
        if (QWidget *existing = m_windows.value(name))
            return existing;
        QWidget *window = name == u"TForm1" ? new QWidget : new QDialog;
        window->setObjectName(name);
        window->setWindowTitle(QStringLiteral("built-in"));
        new QVBoxLayout(window);
        if (name == u"TForm1") {
            auto *tabs = new QTabWidget(window);
            tabs->setObjectName(QStringLiteral("PageControl1"));
            window->layout()->addWidget(tabs);
            m_tabs = tabs;
        }
        m_windows.insert(name, window);
        return window;
    }

    void make(const Place &place)
    {
        QWidget *window = windowFor(QLatin1String(place.window));
        if (!place.control)
            return;
        const QString name = QLatin1String(place.control);
        if (relabel::findPlace(place))
            return;
        QObject *control = nullptr;
        if (place.target == Target::TabCaption) {
            auto *page = new QWidget;
            m_tabs->addTab(page, QStringLiteral("built-in"));
            control = page;
        } else if (place.target == Target::ListItem) {
            auto *combo = new QComboBox(window);
            combo->addItems({"0", "1", "2", "3"});
            control = combo;
        } else if (QLatin1String(place.window) == u"TForm1" && MainMenus.contains(name)) {
            control = new QMenu(QStringLiteral("built-in"), window);
        } else if (QLatin1String(place.window) == u"TForm1" && place.target == Target::Hint) {
            auto *button = new QToolButton(window);
            // A button shown through an action takes its tooltip from the action.
            if (name == u"ToolButton12")
                button->setDefaultAction(new QAction(QStringLiteral("built-in"), button));
            control = button;
        } else if (QLatin1String(place.window) == u"TForm1") {
            control = new QAction(QStringLiteral("built-in"), window);
        } else if (name.contains(u"GroupBox")) {
            control = new QGroupBox(QStringLiteral("built-in"), window);
        } else if (name.startsWith(u"CheckBox")) {
            control = new QCheckBox(QStringLiteral("built-in"), window);
        } else if (name.contains(u"Label") || name.contains(u"Autor") || name.contains(u"Email")) {
            control = new QLabel(QStringLiteral("built-in"), window);
        } else {
            control = new QPushButton(QStringLiteral("built-in"), window);
        }
        control->setObjectName(name);
    }

    QHash<QString, QWidget *> m_windows;
    QTabWidget *m_tabs = nullptr;
};

QString textAt(const Place &place)
{
    return relabel::textOf(relabel::findPlace(place), place);
}

QString textAt(const char *window, const char *control, Target target = Target::Caption)
{
    return textAt(Place{window, control, target});
}

// The text a read step gives for a language file that lacks its key.
QString defaultOf(const Step &step)
{
    return QString::fromUtf8(step.defaultText);
}

} // namespace

class TstLanguageLoader : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readsEveryEntryOfEverySection_data();
    void readsEveryEntryOfEverySection();
    void copiesComeAfterTheTextsTheyCopy();

    void emptyBoxGivesDefaultsOrEmptyText();
    void emptyValueBeatsTheDefault();
    void sectionAndKeyNamesIgnoreCase();
    void commonCancelAndTextRelabelDifferentButtons();
    void cutReachesThreeItemsAndTheToolbarHint();
    void imageWindowKeys();
    void imageDialogsShareFourCaptions();
    void switchingFilesReplacesEveryText();
    void listItemsAreReplacedInPlace();
    void linkLabelKeepsItsLink();
    void ownedDialogIsNotSearched();
    void missingControlsAreSkippedAndListed();

    void shippedFileGivesEveryKey_data();
    void shippedFileGivesEveryKey();

private:
    QString writeFile(const QString &name, const QString &text);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<StandInWindows> m_windows;
};

void TstLanguageLoader::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_windows = std::make_unique<StandInWindows>();
    QVERIFY(relabel::unresolvedPlaces().isEmpty());
}

void TstLanguageLoader::cleanup()
{
    m_windows.reset();
    m_dir.reset();
}

QString TstLanguageLoader::writeFile(const QString &name, const QString &text)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(cp1251::encode(text));
    return path;
}

void TstLanguageLoader::readsEveryEntryOfEverySection_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<int>("entries");
    QTest::newRow("Autor") << "Autor" << 2;
    QTest::newRow("Options") << "Options" << 12;
    QTest::newRow("General") << "General" << 82;
    QTest::newRow("Tab") << "Tab" << 3;
    QTest::newRow("Browser") << "Browser" << 6;
    QTest::newRow("DAbout") << "DAbout" << 5;
    QTest::newRow("DFinish") << "DFinish" << 3;
    QTest::newRow("DFormat") << "DFormat" << 9;
    QTest::newRow("DImage") << "DImage" << 11;
    QTest::newRow("DLink") << "DLink" << 4;
    QTest::newRow("DNick") << "DNick" << 12;
    QTest::newRow("DRunLine") << "DRunLine" << 7;
    QTest::newRow("Common") << "Common" << 20;
}

void TstLanguageLoader::readsEveryEntryOfEverySection()
{
    QFETCH(QString, section);
    QFETCH(int, entries);
    int reads = 0, count = 0;
    QSet<QString> targets;
    for (const Step &step : relabel::table()) {
        if (step.isCopy())
            continue;
        ++reads;
        if (QLatin1String(step.section) == section) {
            ++count;
            targets.insert(relabel::describe(step.to));
        }
    }
    QCOMPARE(reads, 176);
    QCOMPARE(count, entries);
    QCOMPARE(targets.size(), entries); // no control is written twice by one section
}

void TstLanguageLoader::copiesComeAfterTheTextsTheyCopy()
{
    const std::vector<Step> &steps = relabel::table();
    // Every copy reads a text that an earlier read step has written, never a built-in text.
    for (size_t i = 0; i < steps.size(); ++i) {
        if (!steps[i].isCopy())
            continue;
        const QString source = relabel::describe(steps[i].from);
        bool written = false;
        for (size_t j = 0; j < i; ++j)
            written = written || relabel::describe(steps[j].to) == source;
        QVERIFY2(written, qPrintable(source));
    }
    QCOMPARE(std::count_if(steps.begin(), steps.end(), [](const Step &s) { return s.isCopy(); }),
             26);
}

void TstLanguageLoader::emptyBoxGivesDefaultsOrEmptyText()
{
    // The box's empty text names the folder itself.
    const QStringList missing = relabel::applyLanguageFile(m_dir->path() + QLatin1Char('/'));
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u"; ")));
    for (const Step &step : relabel::table()) {
        const QString expected = step.isCopy() ? textAt(step.from) : defaultOf(step);
        QCOMPARE(textAt(step.to), expected);
    }
    QCOMPARE(textAt("TOptionsF", "LabelAutor"), QStringLiteral("n/a"));
    QCOMPARE(textAt("TOptionsF", "LabelEmail"), QStringLiteral("n/a"));
    QCOMPARE(textAt("TForm1", "cut1"), QString());
    QCOMPARE(textAt("TForm1", "file1"), QString());
    QCOMPARE(textAt("TForm1", "options1"), QStringLiteral("Настройки..."));
    QCOMPARE(textAt("TForm1", "about1"), QStringLiteral("О программе..."));
    QCOMPARE(textAt("TForm1", "settings1"), QStringLiteral("Установки"));
    QCOMPARE(textAt("TForm1", "font1"), QStringLiteral("Шрифт..."));
    QCOMPARE(textAt("TForm1", "TabSheet2", Target::TabCaption), QStringLiteral(" Редактор "));
    QCOMPARE(textAt("TForm1", "ToolButton19", Target::Hint), QString());
    QCOMPARE(textAt("TForm1", "ToolButton12", Target::Hint), QString());
    QCOMPARE(textAt("TNickF", "ColorWB"), QString());
    QCOMPARE(textAt("TRunLineF", "Label5"), QString());
    QCOMPARE(textAt("TOptionsF", "CheckBox2", Target::Hint),
             QStringLiteral("Обновлять браузер при запуске"));
    QCOMPARE(textAt(Place{"TFormatF", "sComboBox1", Target::ListItem, 3}),
             QStringLiteral("По ширине"));
}

void TstLanguageLoader::emptyValueBeatsTheDefault()
{
    relabel::applyLanguageFile(writeFile("about.lng", "[General]\r\nAbout=\r\n"));
    QCOMPARE(textAt("TForm1", "about1"), QString());
    QCOMPARE(textAt("TForm1", "options1"), QStringLiteral("Настройки..."));
}

void TstLanguageLoader::sectionAndKeyNamesIgnoreCase()
{
    relabel::applyLanguageFile(
        writeFile("lower.lng", "[general]\r\nfile=Файл\r\n[dimage]\r\norigsize=Размер\r\n"));
    QCOMPARE(textAt("TForm1", "file1"), QStringLiteral("Файл"));
    QCOMPARE(textAt("TImageF", "CheckBox2"), QStringLiteral("Размер"));
    QCOMPARE(textAt("TImageLinkF", "CheckBox2"), QStringLiteral("Размер"));
}

void TstLanguageLoader::commonCancelAndTextRelabelDifferentButtons()
{
    const char *const byText[][2] = {{"TImageF", "Button2"},
                                     {"TImageLinkF", "Button2"},
                                     {"TImageWidthF", "Button2"},
                                     {"TLinkF", "Button2"},
                                     {"TRunLineF", "Button2"}};
    relabel::applyLanguageFile(writeFile("cancel.lng", "[Common]\r\nCancel=Abort\r\n"));
    QCOMPARE(textAt("TFormatF", "sButton1"), QStringLiteral("Abort"));
    for (const auto &button : byText)
        QCOMPARE(textAt(button[0], button[1]), QStringLiteral("Отмена"));

    relabel::applyLanguageFile(writeFile("text.lng", "[Common]\r\nText=Abort\r\n"));
    QCOMPARE(textAt("TFormatF", "sButton1"), QStringLiteral("Отмена"));
    for (const auto &button : byText)
        QCOMPARE(textAt(button[0], button[1]), QStringLiteral("Abort"));
    QCOMPARE(textAt("TOptionsF", "Button1"), QStringLiteral("Отмена")); // [Options] has its own
}

void TstLanguageLoader::cutReachesThreeItemsAndTheToolbarHint()
{
    relabel::applyLanguageFile(writeFile("cut.lng", "[General]\r\nCut=Snip\r\n"));
    for (const char *item : {"cut1", "cut2", "mcut1"})
        QCOMPARE(textAt("TForm1", item), QStringLiteral("Snip"));
    QCOMPARE(textAt("TForm1", "ToolButton12", Target::Hint), QStringLiteral("Snip"));
    // The button's action carries the hint too, or the button would take the old one back.
    auto *button = m_windows->window("TForm1")->findChild<QToolButton *>("ToolButton12");
    QCOMPARE(button->defaultAction()->toolTip(), QStringLiteral("Snip"));
    button->defaultAction()->setText(QStringLiteral("changed"));
    QCOMPARE(button->toolTip(), QStringLiteral("Snip"));
    QCOMPARE(textAt("TForm1", "ToolButton13", Target::Hint), QString());
}

void TstLanguageLoader::imageWindowKeys()
{
    relabel::applyLanguageFile(
        writeFile("image.lng", "[DImage]\r\nWindow=Picture\r\nWindow2=Picture link\r\n"));
    QCOMPARE(m_windows->window("TImageF")->windowTitle(), QStringLiteral("Picture"));
    QCOMPARE(m_windows->window("TImageWidthF")->windowTitle(), QStringLiteral("Picture"));
    QCOMPARE(m_windows->window("TImageLinkF")->windowTitle(), QStringLiteral("Picture link"));
}

void TstLanguageLoader::imageDialogsShareFourCaptions()
{
    relabel::applyLanguageFile(writeFile(
        "share.lng", "[DImage]\r\nID=I\r\nFormat=F\r\nCaption=C\r\nOrigSize=O\r\nWidth=W\r\n"));
    const std::pair<const char *, const char *> shared[] = {
        {"Label1", "I"}, {"Label4", "F"}, {"Label7", "C"}, {"CheckBox2", "O"}};
    for (const char *window : {"TImageF", "TImageLinkF", "TImageWidthF"}) {
        for (const auto &[control, text] : shared)
            QCOMPARE(textAt(window, control), QLatin1String(text));
    }
    QCOMPARE(textAt("TImageWidthF", "Label2"), QStringLiteral("W"));
    QCOMPARE(textAt("TImageLinkF", "Label2"), QStringLiteral("Ссылка:"));
}

void TstLanguageLoader::switchingFilesReplacesEveryText()
{
    // Two files that give every key a text of their own.
    auto fileWithEveryKey = [this](const QString &name, const QString &tag) {
        // One section each: a second section of the same name would be ignored.
        QStringList sections;
        QHash<QString, QString> lines;
        for (const Step &step : relabel::table()) {
            if (step.isCopy())
                continue;
            const QString section = QLatin1String(step.section);
            if (!sections.contains(section))
                sections << section;
            lines[section] += QStringLiteral("%1=%2 %1\r\n").arg(QLatin1String(step.key), tag);
        }
        QString text;
        for (const QString &section : sections)
            text += QStringLiteral("[%1]\r\n").arg(section) + lines.value(section);
        return writeFile(name, text);
    };
    const QString first = fileWithEveryKey("first.lng", "один");
    const QString second = fileWithEveryKey("second.lng", "два");
    const QString partial = writeFile("partial.lng", "[Autor]\r\nName=Someone\r\n");

    relabel::applyLanguageFile(first);
    relabel::applyLanguageFile(second);
    const IniFile file(second);
    for (const Step &step : relabel::table()) {
        const QString expected =
            step.isCopy() ? textAt(step.from)
                          : file.readString(QLatin1String(step.section), QLatin1String(step.key));
        QVERIFY2(expected.startsWith(u"два"), qPrintable(relabel::describe(step.to)));
        QCOMPARE(textAt(step.to), expected);
    }

    // A key the new file lacks falls to its default, never to the previous file's text.
    relabel::applyLanguageFile(partial);
    for (const Step &step : relabel::table()) {
        if (step.isCopy())
            continue;
        const QString expected =
            QLatin1String(step.key) == u"Name" ? QStringLiteral("Someone") : defaultOf(step);
        QCOMPARE(textAt(step.to), expected);
    }
}

void TstLanguageLoader::listItemsAreReplacedInPlace()
{
    auto *combo = m_windows->window("TFormatF")->findChild<QComboBox *>("sComboBox1");
    combo->setCurrentIndex(2);
    relabel::applyLanguageFile(writeFile("items.lng", "[DFormat]\r\nItem2=Right\r\n"));
    QCOMPARE(combo->count(), 4);
    QCOMPARE(combo->currentIndex(), 2);
    QCOMPARE(combo->currentText(), QStringLiteral("Right"));
    QCOMPARE(combo->itemText(0), QStringLiteral("По левому краю"));
}

void TstLanguageLoader::linkLabelKeepsItsLink()
{
    auto *label = m_windows->window("TLinkF")->findChild<QLabel *>("sWebLabel1");
    label->setText(QStringLiteral("<a href=\"http://help.example/link\">Помощь</a>"));
    relabel::applyLanguageFile(writeFile("help.lng", "[Common]\r\nHelp=Help & <more>\r\n"));
    QCOMPARE(label->text(),
             QStringLiteral("<a href=\"http://help.example/link\">Help &amp; &lt;more&gt;</a>"));
    QCOMPARE(textAt("TLinkF", "sWebLabel1"), QStringLiteral("Help & <more>"));
}

void TstLanguageLoader::ownedDialogIsNotSearched()
{
    // A dialog owned by the main window has its own controls; one of them must not stand in
    // for a control the main window lacks.
    QWidget *main = m_windows->window("TForm1");
    delete main->findChild<QToolButton *>("ToolButton19");
    auto *dialog = new QDialog(main);
    dialog->setObjectName(QStringLiteral("SomeOwnedDialog"));
    auto *namesake = new QToolButton(dialog);
    namesake->setObjectName(QStringLiteral("ToolButton19"));
    namesake->setToolTip(QStringLiteral("own"));

    const QStringList missing =
        relabel::applyLanguageFile(writeFile("back.lng", "[Browser]\r\nBack=Back\r\n"));
    QCOMPARE(namesake->toolTip(), QStringLiteral("own"));
    QCOMPARE(missing, QStringList{QStringLiteral("TForm1/ToolButton19 (hint)")});
    QCOMPARE(relabel::unresolvedPlaces(), missing);
}

void TstLanguageLoader::missingControlsAreSkippedAndListed()
{
    delete m_windows->window("TForm1")->findChild<QAction *>("cut1");
    auto *combo = m_windows->window("TFormatF")->findChild<QComboBox *>("sComboBox1");
    combo->removeItem(3);

    const QStringList missing =
        relabel::applyLanguageFile(writeFile("cut.lng", "[General]\r\nCut=Snip\r\n"));
    // The copy from cut1 is skipped too; everything else is still applied.
    QCOMPARE(missing, QStringList({"TForm1/cut1 (caption)", "TFormatF/sComboBox1 (list item 3)",
                                   "TForm1/cut1 (caption)"}));
    QCOMPARE(textAt("TForm1", "cut2"), QStringLiteral("Snip"));
    QCOMPARE(combo->count(), 3);
    QCOMPARE(relabel::unresolvedPlaces(),
             QStringList({"TForm1/cut1 (caption)", "TFormatF/sComboBox1 (list item 3)"}));
}

void TstLanguageLoader::shippedFileGivesEveryKey_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Russian") << "Russian.lng";
    QTest::newRow("English") << "English.lng";
}

void TstLanguageLoader::shippedFileGivesEveryKey()
{
    QFETCH(QString, name);
    const QString path = QStringLiteral(RR_SOURCE_DIR "/lang/") + name;
    QFile raw(path);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    QVERIFY(bytes.contains("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n")); // CR LF line ends only

    const IniFile file(path);
    const QString absent = QStringLiteral("\x01absent");
    for (const Step &step : relabel::table()) {
        if (step.isCopy())
            continue;
        const QString value =
            file.readString(QLatin1String(step.section), QLatin1String(step.key), absent);
        QVERIFY2(value != absent && !value.trimmed().isEmpty(),
                 qPrintable(QStringLiteral("%1/%2").arg(step.section, step.key)));
    }

    // Applied, every place shows the file's own text.
    QVERIFY(relabel::applyLanguageFile(path).isEmpty());
    QCOMPARE(textAt("TForm1", "ToolButton12", Target::Hint), textAt("TForm1", "cut1"));
    for (const Step &step : relabel::table()) {
        if (!step.isCopy())
            QCOMPARE(textAt(step.to),
                     file.readString(QLatin1String(step.section), QLatin1String(step.key)));
    }
    if (name == u"Russian.lng") {
        QCOMPARE(textAt("TForm1", "TabSheet2", Target::TabCaption), QStringLiteral(" Редактор "));
        QCOMPARE(textAt("TFinishF", "Label2"),
                 QStringLiteral("Нажмите \"OK\" для копирования текста"));
        QCOMPARE(textAt("TForm1", "itallic1"), QStringLiteral("Курсив"));
    } else {
        QCOMPARE(textAt("TForm1", "TabSheet3", Target::TabCaption), QStringLiteral(" Browser "));
        QCOMPARE(textAt("TForm1", "cut2"), QStringLiteral("Cut"));
    }
}

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TstLanguageLoader test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_language_loader.moc"
