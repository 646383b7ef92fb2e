#include "dialogs/image_dialogs.h"

#include "browser/html_view.h"
#include "dialogs/dialog_parts.h"
#include "editor/highlighting_memo.h"
#include "markup/site.h"
#include "markup/tags.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <limits>

namespace {

constexpr int FieldWidth = 170;
constexpr int ShortestPreviewNumber = 4;

QLineEdit *namedEdit(const char *name, const QString &text, QWidget *parent)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMinimumWidth(FieldWidth);
    // A field holds the whole of a long selection, not the first 32 767 characters.
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

} // namespace

namespace dialogs {

QString ImagePreviewAddress(const QString &number)
{
    // Too long a number has no address either (imageAddress).
    if (number.size() < ShortestPreviewNumber)
        return {};
    return site::imageAddress(number);
}

} // namespace dialogs

ImageDialog::ImageDialog(insertion::ActiveMemo activeMemo, const QString &helpPath, QWidget *parent)
    : QDialog(parent), m_activeMemo(std::move(activeMemo))
{
    auto *Label1 = dialogparts::namedLabel("Label1", QStringLiteral("ID картинки:"), this);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    EditID = namedEdit("EditID", QString(), this);

    auto *Label4 = dialogparts::namedLabel("Label4", QStringLiteral("Формат рисунка:"), this);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(true);
    // A typed format goes into the tag as typed: never completed to an item, never added as one.
    ComboBox2->setInsertPolicy(QComboBox::NoInsert);
    ComboBox2->setCompleter(nullptr);
    ComboBox2->addItems({QStringLiteral("gif"), QStringLiteral("jpeg"), QStringLiteral("jpg"),
                         QStringLiteral("png")});
    ComboBox2->setCurrentText(QStringLiteral("jpg"));

    auto *Label7 = dialogparts::namedLabel("Label7", QStringLiteral("Название:"), this);
    Edit1 = namedEdit("Edit1", QString(), this);

    CheckBox2 = new QCheckBox(QStringLiteral("Оригинальный размер"), this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));

    const dialogparts::CommandRow commands =
        dialogparts::commandRow(this, helpPath, "Button1", "Button2");
    Button1 = commands.accept;
    Button2 = commands.reject;

    m_grid = new QGridLayout;
    m_grid->addWidget(Label1, 0, 0);
    m_grid->addWidget(EditID, 0, 1);
    m_grid->addWidget(Label4, 1, 0);
    m_grid->addWidget(ComboBox2, 1, 1);
    m_grid->addWidget(Label7, 2, 0);
    m_grid->addWidget(Edit1, 2, 1);

    auto *fields = new QVBoxLayout;
    fields->addLayout(m_grid);
    fields->addWidget(CheckBox2);
    fields->addStretch();

    m_beside = new QHBoxLayout;
    m_beside->addLayout(fields);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(m_beside);
    layout->addSpacing(6);
    layout->addLayout(commands.layout);

    connect(Button1, &QPushButton::clicked, this, &ImageDialog::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

QString ImageDialog::format() const
{
    return ComboBox2->currentText();
}
bool ImageDialog::naturalSize() const
{
    return CheckBox2->isChecked();
}
QString ImageDialog::number() const
{
    return EditID->text();
}
QString ImageDialog::caption() const
{
    return Edit1->text();
}

void ImageDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Like the other tag dialogs; the preview's web view otherwise leaves this one at the
    // screen's corner.
    if (!event->spontaneous())
        dialogparts::centreOnScreen(this);
}

void ImageDialog::Button1Click()
{
    if (TMemo *memo = m_activeMemo ? m_activeMemo() : nullptr)
        insertion::caretRule(memo, buildTag());
    accept();
}

TImageF::TImageF(insertion::ActiveMemo activeMemo, QWidget *parent)
    : ImageDialog(std::move(activeMemo), QStringLiteral("/mv?&rid=32&id=60907"), parent)
{
    setObjectName(QStringLiteral("TImageF"));
    setWindowTitle(QStringLiteral("Рисунок"));

    auto *sGroupBox1 = new QGroupBox(QStringLiteral("Просмотр"), this);
    sGroupBox1->setObjectName(QStringLiteral("sGroupBox1"));
    WebBrowser1 = new HtmlView(sGroupBox1);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setFixedSize(240, 180);
    auto *group = new QVBoxLayout(sGroupBox1);
    group->addWidget(WebBrowser1);

    CheckBox1 = new QCheckBox(QStringLiteral("Использовать просмотр"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);

    auto *preview = new QVBoxLayout;
    preview->addWidget(sGroupBox1);
    preview->addWidget(CheckBox1);
    besideFields()->addLayout(preview);

    connect(EditID, &QLineEdit::textChanged, this, &TImageF::EditIDChange);
}

QString TImageF::buildTag() const
{
    return markup::ImageTag(format(), naturalSize(), number(), caption());
}

void TImageF::EditIDChange()
{
    if (!CheckBox1->isChecked())
        return;
    const QString address = dialogs::ImagePreviewAddress(number());
    if (address.isEmpty())
        return; // the view keeps the picture it shows
    m_previewAddress = address;
    try {
        WebBrowser1->Navigate(address);
    } catch (const NavigateError &) {
        // The preview is a convenience: a refused address leaves the view as it was and
        // never stops the user from composing the tag.
    }
}

TImageWidthF::TImageWidthF(insertion::ActiveMemo activeMemo, QWidget *parent)
    : ImageDialog(std::move(activeMemo), QStringLiteral("/mv?rid=32&id=60907"), parent)
{
    setObjectName(QStringLiteral("TImageWidthF"));
    setWindowTitle(QStringLiteral("Рисунок"));

    auto *Label2 = dialogparts::namedLabel("Label2", QStringLiteral("Ширина:"), this);
    EditW = namedEdit("EditW", QStringLiteral("64"), this);
    auto *Label3 = dialogparts::namedLabel("Label3", QStringLiteral("pix"), this);
    auto *width = new QHBoxLayout;
    width->addWidget(EditW, 1);
    width->addWidget(Label3);
    const int row = fieldGrid()->rowCount();
    fieldGrid()->addWidget(Label2, row, 0);
    fieldGrid()->addLayout(width, row, 1);
}

QString TImageWidthF::buildTag() const
{
    return markup::SizedImageTag(format(), naturalSize(), number(), EditW->text(), caption());
}

TImageLinkF::TImageLinkF(insertion::ActiveMemo activeMemo, QWidget *parent)
    : ImageDialog(std::move(activeMemo), QStringLiteral("/mv?rid=32&id=60907"), parent)
{
    setObjectName(QStringLiteral("TImageLinkF"));
    setWindowTitle(QStringLiteral("Рисунок-ссылка"));

    auto *Label2 = dialogparts::namedLabel("Label2", QStringLiteral("Ссылка:"), this);
    Edit2 = namedEdit("Edit2", QStringLiteral("http://"), this);
    const int row = fieldGrid()->rowCount();
    fieldGrid()->addWidget(Label2, row, 0);
    fieldGrid()->addWidget(Edit2, row, 1);
}

QString TImageLinkF::buildTag() const
{
    return markup::ImageLinkTag(Edit2->text(), format(), naturalSize(), number(), caption());
}
