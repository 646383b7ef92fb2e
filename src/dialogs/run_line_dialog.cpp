#include "dialogs/run_line_dialog.h"

#include "dialogs/dialog_parts.h"
#include "editor/highlighting_memo.h"
#include "markup/tags.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

using dialogparts::namedLabel;

TRunLineF::TRunLineF(insertion::ActiveMemo activeMemo, QWidget *parent)
    : QDialog(parent), ActiveMemo(std::move(activeMemo))
{
    setObjectName(QStringLiteral("TRunLineF"));
    setWindowTitle(QStringLiteral("Бегущая строка"));

    EditText = new QLineEdit(this);
    EditText->setObjectName(QStringLiteral("EditText"));
    EditText->setMaxLength(std::numeric_limits<int>::max()); // the whole of a long selection
    EditText->setMinimumWidth(240);

    ComboBoxType = new QComboBox(this);
    ComboBoxType->setObjectName(QStringLiteral("ComboBoxType"));
    ComboBoxType->setEditable(true);
    // A typed word goes into the tag as typed: never completed to an item, never added as one.
    ComboBoxType->setCompleter(nullptr);
    ComboBoxType->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxType->addItems(
        {QStringLiteral("Alternate"), QStringLiteral("Scroll"), QStringLiteral("Slide")});
    ComboBoxType->setCurrentIndex(1);

    ColText = new ColorDropDownButton(colorbutton::AutomaticColor, this);
    ColText->setObjectName(QStringLiteral("ColText"));
    ColBg = new ColorDropDownButton(markup::ColorConverter::white().RGBColor, this);
    ColBg->setObjectName(QStringLiteral("ColBg"));

    ComboBoxPosition = new QComboBox(this);
    ComboBoxPosition->setObjectName(QStringLiteral("ComboBoxPosition"));
    ComboBoxPosition->setEditable(true);
    ComboBoxPosition->setCompleter(nullptr);
    ComboBoxPosition->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxPosition->addItems({QStringLiteral("left"), QStringLiteral("right")});
    ComboBoxPosition->setCurrentIndex(0);

    EditLoop = new QLineEdit(QStringLiteral("100"), this);
    EditLoop->setObjectName(QStringLiteral("EditLoop"));

    const dialogparts::CommandRow commands = dialogparts::commandRow(
        this, QStringLiteral("/textdetailed?rid=32&text_id=311655"), "Button1", "Button2");
    Button1 = commands.accept;
    Button2 = commands.reject;

    auto *form = new QFormLayout;
    form->addRow(namedLabel("Label6", QStringLiteral("Текст:"), this), EditText);
    form->addRow(namedLabel("Label1", QStringLiteral("Тип бегущей строки:"), this), ComboBoxType);
    form->addRow(namedLabel("Label2", QStringLiteral("Цвет текста:"), this), ColText);
    form->addRow(namedLabel("Label3", QStringLiteral("Цвет фона:"), this), ColBg);
    form->addRow(namedLabel("Label4", QStringLiteral("Направление:"), this), ComboBoxPosition);
    form->addRow(namedLabel("Label5", QStringLiteral("Продолжительность:"), this), EditLoop);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addLayout(commands.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The colour texts follow the buttons as they change, so nothing needs to poll them.
    connect(ColText, &ColorDropDownButton::colorChanged, this,
            [this](qint32 value) { markup::ColorToHtml(RGBToHTML1, value); });
    connect(ColBg, &ColorDropDownButton::colorChanged, this,
            [this](qint32 value) { markup::ColorToHtml(RGBToHTML2, value); });
    connect(Button1, &QPushButton::clicked, this, &TRunLineF::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TRunLineF::Button2Click);
    refreshConverters();
}

void TRunLineF::setColorChooser(const colorbutton::ColorChooser &chooser)
{
    ColText->setColorChooser(chooser);
    ColBg->setColorChooser(chooser);
}

void TRunLineF::refreshConverters()
{
    markup::ColorToHtml(RGBToHTML1, ColText->colorValue());
    markup::ColorToHtml(RGBToHTML2, ColBg->colorValue());
}

QString TRunLineF::tag() const
{
    return markup::RunningLineTag(ComboBoxType->currentText(), RGBToHTML2.HTMLColor,
                                  ComboBoxPosition->currentText(), EditLoop->text(),
                                  RGBToHTML1.HTMLColor, EditText->text());
}

void TRunLineF::Button1Click()
{
    // A system colour is written with its digits of this moment, also when the desktop's
    // colours changed after it was chosen.
    refreshConverters();
    if (TMemo *memo = ActiveMemo ? ActiveMemo() : nullptr)
        insertion::caretRule(memo, tag());
    accept();
}

void TRunLineF::Button2Click()
{
    reject();
}

void TRunLineF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    dialogparts::centreOnScreen(this);
}
