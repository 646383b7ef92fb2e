// The Options dialog: stored options read at creation and written at exit, the language list,
// the relabelling of its own texts.
#include "options/options_dialog.h"
#include "options/qt_translations.h"
#include "options/stored_options.h"
#include "platform/error_display.h"
#include "shell_catcher.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

QStringList g_errors;
void recordError(const QString &text)
{
    g_errors << text;
}

QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QLatin1String(storedoptions::Organization),
                     QLatin1String(storedoptions::Application));
}

QString shippedFile(const QString &name)
{
    return QStringLiteral(RR_SOURCE_DIR "/lang/") + name;
}

// The one folder that holds the settings store for the whole test run.
QString g_storeFolder;

} // namespace

class TstOptionsDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstStartShowsTheRussianFile();
    void firstStartWithoutRussianFileLeavesTheBoxEmpty();
    void storedEmptyLanguageIsKept();
    void imagesOption_data();
    void imagesOption();
    void refreshBrowserOption_data();
    void refreshBrowserOption();
    void typedLanguageNameSurvivesARestart();
    void listsLanguageFilesOnly();
    void missingFolderKeepsBuiltInTexts();
    void choosingAFileRelabelsAtOnce();
    void cancelKeepsTheChangedLogin();
    void focusGoesToLoginAtEveryShow();
    void valuesAreWrittenAtExit();
    void storeIsReadableByItsOwnerOnly();
    void failedWriteNamesTheValue();
    void emailLabelOpensMail();
    void textsFitTheWindow_data();
    void textsFitTheWindow();
    void languageOfFile_data();
    void languageOfFile();
    void qtTextsFollowTheLanguage();

private:
    std::unique_ptr<TOptionsF> create();
    void addFile(const QString &name, const QByteArray &content = "[Options]\r\n");

    std::unique_ptr<QTemporaryDir> m_folder;
    QList<bool> m_switched;
};

void TstOptionsDialog::init()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, g_storeFolder);
    QFile::remove(storedoptions::fileName());
    m_folder = std::make_unique<QTemporaryDir>();
    m_switched.clear();
    g_errors.clear();
    errordisplay::setHandler(recordError);
}

void TstOptionsDialog::cleanup()
{
    errordisplay::setHandler(nullptr);
    m_folder.reset();
}

std::unique_ptr<TOptionsF> TstOptionsDialog::create()
{
    return std::make_unique<TOptionsF>([this](bool on) { m_switched << on; }, m_folder->path());
}

void TstOptionsDialog::addFile(const QString &name, const QByteArray &content)
{
    QFile file(m_folder->filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TstOptionsDialog::firstStartShowsTheRussianFile()
{
    QVERIFY(QFile::copy(shippedFile("Russian.lng"), m_folder->filePath("Russian.lng")));
    QVERIFY(QFile::copy(shippedFile("English.lng"), m_folder->filePath("English.lng")));
    auto dialog = create();
    QCOMPARE(dialog->login(), QString());
    QCOMPARE(dialog->password(), QString());
    QVERIFY(dialog->loadImages());
    QVERIFY(!dialog->refreshBrowserAtStart());
    QCOMPARE(m_switched, QList<bool>{true});
    QCOMPARE(dialog->languageName(), QStringLiteral("Russian.lng"));
    QCOMPARE(dialog->findChild<QLabel *>("LabelAutor")->text(), QStringLiteral("Corvel SoftWare"));
    QCOMPARE(dialog->findChild<QCheckBox *>("CheckBox1")->toolTip(),
             QStringLiteral("Загружать изображения"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Настройки"));
    QVERIFY(g_errors.isEmpty());
}

void TstOptionsDialog::firstStartWithoutRussianFileLeavesTheBoxEmpty()
{
    QVERIFY(QFile::copy(shippedFile("English.lng"), m_folder->filePath("English.lng")));
    auto dialog = create();
    QCOMPARE(dialog->languageName(), QString());
    // Nothing applied but defaults: the author labels say so.
    QCOMPARE(dialog->findChild<QLabel *>("LabelAutor")->text(), QStringLiteral("n/a"));
    QCOMPARE(dialog->findChild<QGroupBox *>("GroupBox1")->title(),
             QStringLiteral("Персональня страница"));
    QCOMPARE(dialog->findChild<QComboBox *>("ComboBox1")->count(), 1);
}

void TstOptionsDialog::storedEmptyLanguageIsKept()
{
    addFile("Russian.lng");
    {
        QSettings settings = store();
        settings.setValue("Language/Current", QString());
    }
    auto dialog = create();
    QCOMPARE(dialog->languageName(), QString());
}

void TstOptionsDialog::imagesOption_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("on");
    QTest::newRow("0") << QVariant("0") << false;
    QTest::newRow("1") << QVariant("1") << true;
    QTest::newRow("2") << QVariant("2") << true;
    QTest::newRow("abc") << QVariant("abc") << true;
    QTest::newRow("empty") << QVariant("") << true;
    QTest::newRow("absent") << QVariant() << true;
}

void TstOptionsDialog::imagesOption()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, on);
    if (stored.isValid()) {
        QSettings settings = store();
        settings.setValue("Program/Images", stored);
    }
    auto dialog = create();
    QCOMPARE(dialog->loadImages(), on);
    QCOMPARE(m_switched, QList<bool>{on}); // the site browser follows the stored option

    // A click switches the browser at once.
    dialog->findChild<QCheckBox *>("CheckBox1")->click();
    QCOMPARE(m_switched, (QList<bool>{on, !on}));
}

void TstOptionsDialog::refreshBrowserOption_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("on");
    QTest::newRow("1") << QVariant("1") << true;
    QTest::newRow("0") << QVariant("0") << false;
    QTest::newRow("-1") << QVariant("-1") << true;
    QTest::newRow("absent") << QVariant() << false;
    QTest::newRow("x") << QVariant("x") << false;
}

void TstOptionsDialog::refreshBrowserOption()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, on);
    if (stored.isValid()) {
        QSettings settings = store();
        settings.setValue("Program/RefreshBrowser", stored);
    }
    auto dialog = create();
    QCOMPARE(dialog->refreshBrowserAtStart(), on);
    QCOMPARE(m_switched, QList<bool>{true}); // the other switch stays alone
}

void TstOptionsDialog::typedLanguageNameSurvivesARestart()
{
    addFile("Russian.lng");
    auto dialog = create();
    auto *box = dialog->findChild<QComboBox *>("ComboBox1");
    box->clearEditText();
    QTest::keyClicks(box->lineEdit(), "Klingon");
    QCOMPARE(dialog->languageName(), QStringLiteral("Klingon")); // never completed to a file
    dialog.reset();
    QCOMPARE(store().value("Language/Current").toString(), QStringLiteral("Klingon"));

    dialog = create();
    QCOMPARE(dialog->languageName(), QStringLiteral("Klingon"));
    box = dialog->findChild<QComboBox *>("ComboBox1");
    QCOMPARE(box->count(), 1);
    QCOMPARE(box->itemText(0), QStringLiteral("Russian.lng"));
}

void TstOptionsDialog::listsLanguageFilesOnly()
{
    for (const char *name : {"c.Lng", "a.lng", "d.txt", "B.LNG", ".h.lng", "e.lngx"})
        addFile(QLatin1String(name));
    QVERIFY(QDir(m_folder->path()).mkdir("x.lng"));
    auto dialog = create();
    auto *box = dialog->findChild<QComboBox *>("ComboBox1");
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    QCOMPARE(items, QStringList({"a.lng", "B.LNG", "c.Lng"}));
    QCOMPARE(dialog->languageName(), QString());
}

void TstOptionsDialog::missingFolderKeepsBuiltInTexts()
{
    const QString missing = m_folder->filePath("Language");
    auto dialog = std::make_unique<TOptionsF>(TOptionsF::ImageSwitch(), missing);
    QCOMPARE(g_errors.size(), 1);
    QVERIFY2(g_errors.first().contains(missing), qPrintable(g_errors.first()));
    auto *box = dialog->findChild<QComboBox *>("ComboBox1");
    QCOMPARE(box->count(), 1);
    QCOMPARE(box->itemText(0), QStringLiteral("Русский"));
    QCOMPARE(dialog->languageName(), QString());
    // No file was applied: no default texts either.
    QCOMPARE(dialog->findChild<QLabel *>("LabelAutor")->text(), QString());
    QCOMPARE(dialog->findChild<QCheckBox *>("CheckBox1")->toolTip(), QString());
}

void TstOptionsDialog::choosingAFileRelabelsAtOnce()
{
    QVERIFY(QFile::copy(shippedFile("Russian.lng"), m_folder->filePath("Russian.lng")));
    QVERIFY(QFile::copy(shippedFile("English.lng"), m_folder->filePath("English.lng")));
    auto dialog = create();
    auto *box = dialog->findChild<QComboBox *>("ComboBox1");
    box->setCurrentIndex(box->findText("English.lng"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Options"));
    QCOMPARE(dialog->findChild<QPushButton *>("Button1")->text(), QStringLiteral("Cancel"));
    QCOMPARE(dialog->findChild<QCheckBox *>("CheckBox2")->toolTip(),
             QStringLiteral("Refresh the browser at start-up"));

    // Typing, letter by letter: a name that matches no file gives the defaults.
    box->clearEditText();
    QTest::keyClicks(box->lineEdit(), "Russ");
    QCOMPARE(dialog->findChild<QLabel *>("LabelAutor")->text(), QStringLiteral("n/a"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Настройки"));
    QTest::keyClicks(box->lineEdit(), "ian.lng");
    QCOMPARE(dialog->findChild<QLabel *>("LabelAutor")->text(), QStringLiteral("Corvel SoftWare"));
}

void TstOptionsDialog::cancelKeepsTheChangedLogin()
{
    auto dialog = create();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QTest::keyClicks(dialog->findChild<QLineEdit *>("Edit1"), "member");
    dialog->findChild<QPushButton *>("Button1")->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(dialog->login(), QStringLiteral("member"));
    dialog->writeStoredOptions();
    QCOMPARE(store().value("Program/L").toString(), QStringLiteral("member"));
}

void TstOptionsDialog::focusGoesToLoginAtEveryShow()
{
    auto dialog = create();
    auto *login = dialog->findChild<QLineEdit *>("Edit1");
    auto *password = dialog->findChild<QLineEdit *>("Edit2");
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    QCOMPARE(QApplication::focusWidget(), login);
    password->setFocus();
    QCOMPARE(QApplication::focusWidget(), password);
    dialog->findChild<QPushButton *>("Button2")->click();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    QCOMPARE(QApplication::focusWidget(), login);
    QCOMPARE(dialog->size(), QSize(456, 199).expandedTo(dialog->minimumSizeHint()));
}

void TstOptionsDialog::valuesAreWrittenAtExit()
{
    addFile("Russian.lng");
    auto dialog = create();
    dialog->findChild<QLineEdit *>("Edit1")->setText("Логин, с запятой");
    dialog->findChild<QLineEdit *>("Edit2")->setText(" пароль ");
    dialog->findChild<QCheckBox *>("CheckBox1")->setChecked(false);
    dialog->findChild<QCheckBox *>("CheckBox2")->setChecked(true);
    dialog->findChild<QComboBox *>("ComboBox1")->setEditText("English.lng");
    QVERIFY(!QFileInfo::exists(storedoptions::fileName())); // nothing before the exit
    dialog.reset();

    QSettings settings = store();
    QCOMPARE(settings.value("Program/L").toString(), QStringLiteral("Логин, с запятой"));
    QCOMPARE(settings.value("Program/P").toString(), QStringLiteral(" пароль "));
    QCOMPARE(settings.value("Program/Images").toString(), QStringLiteral("0"));
    QCOMPARE(settings.value("Program/RefreshBrowser").toString(), QStringLiteral("1"));
    QCOMPARE(settings.value("Language/Current").toString(), QStringLiteral("English.lng"));

    dialog = create();
    QCOMPARE(dialog->login(), QStringLiteral("Логин, с запятой"));
    QCOMPARE(dialog->password(), QStringLiteral(" пароль "));
    QVERIFY(!dialog->loadImages());
    QVERIFY(dialog->refreshBrowserAtStart());
    QCOMPARE(dialog->languageName(), QStringLiteral("English.lng"));
    QVERIFY(g_errors.isEmpty());
}

void TstOptionsDialog::storeIsReadableByItsOwnerOnly()
{
    // A store left readable by others (an older run) is closed up too.
    QDir().mkpath(QFileInfo(storedoptions::fileName()).absolutePath());
    QFile old(storedoptions::fileName());
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.close();
    QVERIFY(old.setPermissions(old.permissions() | QFile::ReadOther | QFile::ReadGroup));

    const auto ownerOnly = [] {
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        const QFile::Permissions permissions = QFileInfo(storedoptions::fileName()).permissions();
        return (permissions & others) == QFile::Permissions() && (permissions & QFile::ReadOwner) &&
               (permissions & QFile::WriteOwner);
    };
    // Closed up as soon as the store is read, for the whole run, not only at the write.
    auto dialog = create();
    QVERIFY(ownerOnly());
    dialog->findChild<QLineEdit *>("Edit2")->setText("secret");
    dialog->writeStoredOptions();
    QVERIFY(ownerOnly());
}

void TstOptionsDialog::failedWriteNamesTheValue()
{
    auto dialog = create();
    // A store whose folder cannot be made: its place is taken by a plain file.
    QFile blocker(m_folder->filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker.fileName());
    dialog.reset();
    QCOMPARE(g_errors.size(), 1);
    QVERIFY2(g_errors.first().contains(u"Program/L"), qPrintable(g_errors.first()));
    QVERIFY(g_errors.first().endsWith(u'.'));
}

void TstOptionsDialog::emailLabelOpensMail()
{
    QVERIFY(QFile::copy(shippedFile("English.lng"), m_folder->filePath("English.lng")));
    {
        QSettings settings = store();
        settings.setValue("Language/Current", "English.lng");
    }
    ShellCatcher catcher({QStringLiteral("mailto")});
    auto dialog = create();
    dialog->show();
    auto *label = dialog->findChild<QLabel *>("LabelEmail");
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(2, label->height() / 2));
    QCOMPARE(catcher.opened.size(), 1);
    QCOMPARE(catcher.opened.first().toString(),
             QStringLiteral("mailto:support@corvel-software.example"));
}

void TstOptionsDialog::textsFitTheWindow_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("Russian") << "Russian.lng";
    QTest::newRow("English") << "English.lng";
}

void TstOptionsDialog::textsFitTheWindow()
{
    QFETCH(QString, file);
    QVERIFY(QFile::copy(shippedFile(file), m_folder->filePath(file)));
    {
        QSettings settings = store();
        settings.setValue("Language/Current", file);
    }
    auto dialog = create();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QVERIFY(dialog->width() >= 456 && dialog->height() >= 199);
    for (const char *name : {"CheckBox1", "CheckBox2", "Button1", "Button2"}) {
        auto *button = dialog->findChild<QAbstractButton *>(name);
        QVERIFY2(button->width() >= button->sizeHint().width(), name);
    }
    for (const char *name : {"Label1", "Label2", "LabelAutor2", "LabelEmail2"}) {
        auto *label = dialog->findChild<QLabel *>(name);
        QVERIFY2(label->width() >= label->sizeHint().width(), name);
    }
    if (const QByteArray folder = qgetenv("RR_SCREENSHOT_DIR"); !folder.isEmpty())
        dialog->grab().save(QString::fromLocal8Bit(folder) + "/options_" + file + ".png");
}

void TstOptionsDialog::languageOfFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QLocale::Language>("language");
    QTest::newRow("Russian") << "/x/Russian.lng" << QLocale::Russian;
    QTest::newRow("lower case") << "/x/english.lng" << QLocale::English;
    QTest::newRow("Ukrainian") << "Ukrainian.lng" << QLocale::Ukrainian;
    QTest::newRow("no language") << "/x/Klingonish.lng" << QLocale::AnyLanguage;
    QTest::newRow("empty box") << "/x/" << QLocale::AnyLanguage;
    QTest::newRow("dots in the name") << "/x/Russian.old.lng" << QLocale::AnyLanguage;
}

void TstOptionsDialog::languageOfFile()
{
    QFETCH(QString, file);
    QFETCH(QLocale::Language, language);
    QCOMPARE(qttranslations::languageOfFile(file), language);
}

void TstOptionsDialog::qtTextsFollowTheLanguage()
{
    const auto lookIn = [] { return QCoreApplication::translate("QFileDialog", "Look in:"); };
    QVERIFY(QFile::copy(shippedFile("Russian.lng"), m_folder->filePath("Russian.lng")));
    QVERIFY(QFile::copy(shippedFile("English.lng"), m_folder->filePath("English.lng")));
    auto dialog = create();
    if (lookIn() == QStringLiteral("Look in:"))
        QSKIP("Qt's Russian translation is not installed");
    auto *box = dialog->findChild<QComboBox *>("ComboBox1");
    box->setCurrentIndex(box->findText("English.lng"));
    QCOMPARE(lookIn(), QStringLiteral("Look in:"));
    // The language file's own texts stay after Qt's widgets have handled the change.
    QCoreApplication::processEvents();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Options"));
    box->setCurrentIndex(box->findText("Russian.lng"));
    QVERIFY(lookIn() != QStringLiteral("Look in:"));
    box->setCurrentIndex(box->findText("English.lng"));
    QCOMPARE(lookIn(), QStringLiteral("Look in:"));
}

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    // The settings store of the tests lives in a folder of their own, never the user's.
    QTemporaryDir storeFolder;
    g_storeFolder = storeFolder.path();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, g_storeFolder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, g_storeFolder);
    QApplication app(argc, argv);
    TstOptionsDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_options_dialog.moc"
