#include "editor/finish_window.h"

#include "platform/fonts.h"
#include "platform/interface_texts.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

TFinishF::TFinishF(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFinishF"));
    setWindowTitle(QStringLiteral("Преобразование"));
    setFont(fonts::makePixels(QStringLiteral("Tahoma"), 11));
    setFixedSize(351, 112);

    Label1 = new QLabel(QStringLiteral("Готовый текст:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(8, 12);
    Label1->resize(Label1->sizeHint().expandedTo(QSize(200, 0)));

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(16, 30, 321, 22);
    // A page joined into one line is often far longer than a line edit's default limit.
    Edit1->setMaxLength(std::numeric_limits<int>::max());

    Label2 = new QLabel(QStringLiteral("Нажмите \"OK\" для копирования текста"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(16, 55, 321, 18);

    // The length that matters on the site: that of the one line.
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("LengthLabel"));
    Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label3->setGeometry(218, 82, 119, 18);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(138, 78, 75, 25);
    Button1->setDefault(true);
    Button1->setAutoDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TFinishF::Button1Click);

    setTabOrder(Edit1, Button1);
}

void TFinishF::setResult(const QString &text)
{
    Edit1->clear();
    Edit1->setText(text);
    Label3->setText(interfacetexts::text(interfacetexts::OneLineLength).arg(text.size()));
}

void TFinishF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Edit1->setFocus();
    Edit1->selectAll();
}

void TFinishF::Button1Click()
{
    Edit1->selectAll();
    QApplication::clipboard()->setText(Edit1->text());
    accept();
}
