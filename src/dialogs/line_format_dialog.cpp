#include "dialogs/line_format_dialog.h"

#include "dialogs/dialog_parts.h"
#include "editor/highlighting_memo.h"
#include "markup/tags.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

#include <limits>

namespace {
// The alignment words by the position of the list's entries; the captions may be relabelled,
// the words go into the tag.
constexpr std::array<const char *, 4> AlignmentWords = {"left", "center", "right", "justify"};
} // namespace

TFormatF::TFormatF(insertion::ActiveMemo activeMemo, QWidget *parent)
    : QDialog(parent), ActiveMemo(std::move(activeMemo))
{
    setObjectName(QStringLiteral("TFormatF"));
    setWindowTitle(QStringLiteral("Формат строки..."));

    auto *sLabel1 = new QLabel(QStringLiteral("Текст:"), this);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    sEdit1 = new QLineEdit(this);
    sEdit1->setObjectName(QStringLiteral("sEdit1"));
    sEdit1->setMaxLength(std::numeric_limits<int>::max()); // the whole of a long selection
    sEdit1->setMinimumWidth(240);

    auto *sLabel2 = new QLabel(QStringLiteral("Выравнивание:"), this);
    sLabel2->setObjectName(QStringLiteral("sLabel2"));
    sComboBox1 = new QComboBox(this);
    sComboBox1->setObjectName(QStringLiteral("sComboBox1"));
    sComboBox1->addItems({QStringLiteral("По левому краю"), QStringLiteral("По центру"),
                          QStringLiteral("По правому краю"), QStringLiteral("По ширине")});
    sComboBox1->setCurrentIndex(-1);

    sColorSelect1 = new ColorPickerButton(QStringLiteral("Цвет фона"),
                                          markup::ColorConverter::white().RGBColor, this);
    sColorSelect1->setObjectName(QStringLiteral("sColorSelect1"));
    sColorSelect2 = new ColorPickerButton(QStringLiteral("Цвет текста"), 0, this);
    sColorSelect2->setObjectName(QStringLiteral("sColorSelect2"));

    const dialogparts::CommandRow commands = dialogparts::commandRow(
        this, QStringLiteral("/mv?rid=32&id=146822"), "sButton2", "sButton1");
    sButton2 = commands.accept;
    sButton1 = commands.reject;

    auto *form = new QFormLayout;
    form->addRow(sLabel1, sEdit1);
    form->addRow(sLabel2, sComboBox1);

    auto *colors = new QHBoxLayout;
    colors->addWidget(sColorSelect1);
    colors->addWidget(sColorSelect2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(colors);
    layout->addSpacing(6);
    layout->addLayout(commands.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(sComboBox1, &QComboBox::currentIndexChanged, this, &TFormatF::sComboBox1Change);
    connect(sColorSelect1, &ColorPickerButton::colorChanged, this, &TFormatF::sColorSelect1Change);
    connect(sColorSelect2, &ColorPickerButton::colorChanged, this, &TFormatF::sColorSelect2Change);
    connect(sButton2, &QPushButton::clicked, this, &TFormatF::sButton2Click);
    connect(sButton1, &QPushButton::clicked, this, &TFormatF::sButton1Click);
}

void TFormatF::setColorChooser(const colorbutton::ColorChooser &chooser)
{
    sColorSelect1->setColorChooser(chooser);
    sColorSelect2->setColorChooser(chooser);
}

QString TFormatF::tag() const
{
    return markup::LineFormatTag(FormatAlign, FormatBgColor, FormatTextColor, sEdit1->text());
}

void TFormatF::sComboBox1Change(int index)
{
    if (index >= 0 && index < int(AlignmentWords.size()))
        FormatAlign = QLatin1String(AlignmentWords[index]);
}

void TFormatF::sColorSelect1Change(qint32 value)
{
    markup::ColorToHtml(JvRGBToHTML1, value);
    FormatBgColor = JvRGBToHTML1.HTMLColor;
}

void TFormatF::sColorSelect2Change(qint32 value)
{
    markup::ColorToHtml(JvRGBToHTML2, value);
    FormatTextColor = JvRGBToHTML2.HTMLColor;
}

void TFormatF::sButton2Click()
{
    if (TMemo *memo = ActiveMemo ? ActiveMemo() : nullptr)
        insertion::caretRule(memo, tag());
    accept();
}

void TFormatF::sButton1Click()
{
    reject();
}

void TFormatF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    dialogparts::centreOnScreen(this);
}
