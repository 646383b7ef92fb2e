#include "options/options_dialog.h"

#include "browser/html_view.h"
#include "options/language_loader.h"
#include "options/qt_translations.h"
#include "options/stored_options.h"
#include "platform/error_display.h"
#include "platform/window_fit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr QSize DesignSize(456, 199);

// The language box starts with this file when nothing is stored, so a first start shows the
// complete Russian interface instead of menus without captions.
const QString DefaultLanguageFile = QStringLiteral("Russian.lng");

template <typename T> T *named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

QLabel *plainLabel(const QString &text, const char *name)
{
    auto *label = named(new QLabel(text), name);
    label->setTextFormat(Qt::PlainText); // a language file's text is shown as written
    return label;
}

// Language files are a few hundred kilobytes; anything far larger is not one.
constexpr qint64 MaxLanguageFileSize = 16 * 1024 * 1024;

// The file a language name stands for: a plain file name inside the language folder, naming a
// regular file of a sane size. Anything else (a path, a device, a FIFO, a huge file) gives an
// empty path, which reads as a missing file: every window keeps its built-in texts, and the
// start neither hangs on a FIFO nor reads a device until memory runs out.
QString languageFileFor(const QString &folder, const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QChar(0)))
        return {};
    const QString path = folder + QLatin1Char('/') + name;
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > MaxLanguageFileSize)
        return {};
    return path;
}

} // namespace

TOptionsF::TOptionsF(ImageSwitch imageSwitch, const QString &languageFolder, QWidget *parent)
    : QDialog(parent), m_imageSwitch(std::move(imageSwitch)), m_languageFolder(languageFolder)
{
    setObjectName(QStringLiteral("TOptionsF"));
    setWindowTitle(QStringLiteral("Настройки"));
    setModal(true);
    buildControls();
    FormCreate();
    connect(ComboBox1, &QComboBox::editTextChanged, this, &TOptionsF::ComboBox1Change);
    connect(CheckBox1, &QCheckBox::toggled, this, &TOptionsF::CheckBox1Click);
    connect(Button1, &QPushButton::clicked, this, &TOptionsF::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TOptionsF::Button2Click);
    fitToTexts();
}

TOptionsF::~TOptionsF()
{
    writeStoredOptions();
}

void TOptionsF::buildControls()
{
    GroupBox1 = named(new QGroupBox(QStringLiteral("Персональня страница")), "GroupBox1");
    Label1 = plainLabel(QStringLiteral("Логин:"), "Label1");
    Edit1 = named(new QLineEdit, "Edit1");
    Label2 = plainLabel(QStringLiteral("Пароль:"), "Label2");
    Edit2 = named(new QLineEdit, "Edit2");
    Edit2->setEchoMode(QLineEdit::Password);
    Edit2->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*"
    Label1->setBuddy(Edit1);
    Label2->setBuddy(Edit2);
    auto *account = new QGridLayout(GroupBox1);
    account->addWidget(Label1, 0, 0);
    account->addWidget(Edit1, 0, 1);
    account->addWidget(Label2, 1, 0);
    account->addWidget(Edit2, 1, 1);

    GroupBox2 = named(new QGroupBox(QStringLiteral("Другое")), "GroupBox2");
    CheckBox1 = named(new QCheckBox(QStringLiteral("Загружать изображения")), "CheckBox1");
    CheckBox1->setChecked(true);
    CheckBox2 = named(new QCheckBox(QStringLiteral("Обновлять браузер при запуске")), "CheckBox2");
    auto *other = new QVBoxLayout(GroupBox2);
    other->addWidget(CheckBox1);
    other->addWidget(CheckBox2);

    GroupBox3 = named(new QGroupBox(QStringLiteral("Язык")), "GroupBox3");
    ComboBox1 = named(new QComboBox, "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert); // Enter must not add a typed name
    ComboBox1->addItem(QStringLiteral("Русский"));
    ComboBox1->setMinimumContentsLength(11);
    ComboBox1->setCompleter(nullptr); // every typed letter counts as typed, never completed
    LabelAutor2 = plainLabel(QStringLiteral("Автор:"), "LabelAutor2");
    LabelAutor = plainLabel(QString(), "LabelAutor");
    LabelEmail2 = plainLabel(QStringLiteral("E-mail:"), "LabelEmail2");
    LabelEmail = plainLabel(QString(), "LabelEmail");
    // The author's texts come from the file and may be long: they take the room that is left
    // instead of widening the window.
    for (QLabel *value : {LabelAutor, LabelEmail})
        value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont linkFont = LabelEmail->font();
    linkFont.setUnderline(true);
    LabelEmail->setFont(linkFont);
    LabelEmail->setForegroundRole(QPalette::Link);
    LabelEmail->setCursor(Qt::PointingHandCursor);
    LabelEmail->installEventFilter(this);
    auto *language = new QGridLayout(GroupBox3);
    language->addWidget(ComboBox1, 0, 0, 2, 1, Qt::AlignVCenter);
    language->addWidget(LabelAutor2, 0, 1);
    language->addWidget(LabelAutor, 0, 2);
    language->addWidget(LabelEmail2, 1, 1);
    language->addWidget(LabelEmail, 1, 2);
    language->setColumnStretch(2, 1);

    Button2 = named(new QPushButton(QStringLiteral("OK")), "Button2");
    Button2->setDefault(true);
    Button1 = named(new QPushButton(QStringLiteral("Отмена")), "Button1");

    // Tighter frames than the style's, so the design size holds the design texts.
    for (QLayout *frame : {static_cast<QLayout *>(account), static_cast<QLayout *>(other),
                           static_cast<QLayout *>(language)}) {
        frame->setContentsMargins(9, 4, 9, 4);
        frame->setSpacing(4);
    }
    language->setHorizontalSpacing(10);

    auto *top = new QHBoxLayout;
    top->addWidget(GroupBox1, 1);
    top->addWidget(GroupBox2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button2);
    buttons->addWidget(Button1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(GroupBox3);
    layout->addStretch();
    layout->addLayout(buttons);
}

void TOptionsF::FormCreate()
{
    const StoredOptions stored = storedoptions::read();
    Edit1->setText(stored.login);
    Edit2->setText(stored.password);
    CheckBox1->setChecked(stored.loadImages);
    CheckBox2->setChecked(stored.refreshBrowser);
    // The browser follows the stored option whatever its own default.
    CheckBox1Click();

    const QDir folder(m_languageFolder);
    const bool russianShipped = QFileInfo(folder.filePath(DefaultLanguageFile)).isFile();
    const QString language =
        stored.language.value_or(russianShipped ? DefaultLanguageFile : QString());
    ComboBox1->setEditText(language);

    if (!QFileInfo(m_languageFolder).isDir()) {
        // Without the folder no file is applied: every window keeps its built-in texts.
        errordisplay::show(QStringLiteral("Не найдена папка языковых файлов %1")
                               .arg(QDir::toNativeSeparators(m_languageFolder)));
        return;
    }
    const QStringList names =
        folder.entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    ComboBox1->clear();
    ComboBox1->addItems(names);
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(language); // the box keeps its text, listed or not

    ComboBox1Change();
}

void TOptionsF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    Edit1->setFocus(Qt::OtherFocusReason);
}

bool TOptionsF::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == LabelEmail && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton &&
        LabelEmail->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
        LabelEmailClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TOptionsF::Button1Click()
{
    reject();
}

void TOptionsF::Button2Click()
{
    accept();
}

void TOptionsF::CheckBox1Click()
{
    if (m_imageSwitch)
        m_imageSwitch(CheckBox1->isChecked());
}

void TOptionsF::ComboBox1Change()
{
    const QString file = languageFileFor(m_languageFolder, ComboBox1->currentText());
    // First, so that no retranslation by Qt's widgets comes after the language file's texts.
    qttranslations::follow(file);
    relabel::applyLanguageFile(file);
    // Texts that code writes (a status, say) are told too; a language without a Qt
    // translation would otherwise send no such notice.
    QEvent changed(QEvent::LanguageChange);
    QCoreApplication::sendEvent(qApp, &changed);
    // Shown in full when the window cuts them short.
    LabelAutor->setToolTip(LabelAutor->text());
    LabelEmail->setToolTip(LabelEmail->text());
    // Captions of any length: no window grows past the screen.
    for (QWidget *window : QApplication::topLevelWidgets())
        windowfit::keepWithinScreen(window);
    fitToTexts();
}

void TOptionsF::LabelEmailClick()
{
    QDesktopServices::openUrl(
        QUrl(QStringLiteral("mailto:") + LabelEmail->text(), QUrl::TolerantMode));
}

void TOptionsF::fitToTexts()
{
    setFixedSize(DesignSize.expandedTo(minimumSizeHint()));
}

TOptionsF::ImageSwitch TOptionsF::imageSwitchOf(HtmlView *view)
{
    return [view = QPointer<HtmlView>(view)](bool on) {
        if (view)
            view->setLoadImages(on);
    };
}

void TOptionsF::setImageSwitch(ImageSwitch imageSwitch)
{
    m_imageSwitch = std::move(imageSwitch);
    CheckBox1Click();
}

QString TOptionsF::login() const
{
    return Edit1->text();
}
QString TOptionsF::password() const
{
    return Edit2->text();
}
bool TOptionsF::loadImages() const
{
    return CheckBox1->isChecked();
}
bool TOptionsF::refreshBrowserAtStart() const
{
    return CheckBox2->isChecked();
}
QString TOptionsF::languageName() const
{
    return ComboBox1->currentText();
}

void TOptionsF::writeStoredOptions()
{
    StoredOptions options;
    options.login = Edit1->text();
    options.password = Edit2->text();
    options.loadImages = CheckBox1->isChecked();
    options.refreshBrowser = CheckBox2->isChecked();
    options.language = ComboBox1->currentText();
    if (const std::optional<QString> failed = storedoptions::write(options)) {
        errordisplay::show(QStringLiteral("Не удалось записать значение %1 в %2")
                               .arg(*failed, QDir::toNativeSeparators(storedoptions::fileName())));
    }
}
