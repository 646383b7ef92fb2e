#include "dialogs/link_dialog.h"

#include "dialogs/dialog_parts.h"
#include "editor/highlighting_memo.h"
#include "markup/tags.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

#include <limits>

namespace {

// "http://" and "mailto:" are both this long: an available address holds more than the prefix.
constexpr int PrefixLength = 7;
constexpr int PreviewWidth = 280;

// The enabled colour only: a disabled preview keeps the style's greyed text.
void setTextColor(QPalette &palette, const QColor &color)
{
    palette.setColor(QPalette::Active, QPalette::WindowText, color);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, color);
}

} // namespace

TLinkF::TLinkF(insertion::ActiveMemo activeMemo, QWidget *parent)
    : QDialog(parent), m_activeMemo(std::move(activeMemo))
{
    setObjectName(QStringLiteral("TLinkF"));
    setWindowTitle(QStringLiteral("Ссылка"));

    auto *Label1 = dialogparts::namedLabel("Label1", QStringLiteral("Текст ссылки:"), this);
    EditText = new QLineEdit(this);
    EditText->setObjectName(QStringLiteral("EditText"));
    // Both fields hold the whole of a long selection, not the first 32 767 characters.
    EditText->setMaxLength(std::numeric_limits<int>::max());

    RadioButton1 = new QRadioButton(QStringLiteral("URL"), this);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(QStringLiteral("E-mail"), this);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));

    auto *Label2 = dialogparts::namedLabel("Label2", QStringLiteral("Адрес:"), this);
    EditLink = new QLineEdit(QStringLiteral("http://"), this);
    EditLink->setObjectName(QStringLiteral("EditLink"));
    EditLink->setMaxLength(std::numeric_limits<int>::max());

    auto *Label3 = dialogparts::namedLabel("Label3", QStringLiteral("Просмотр:"), this);
    auto *Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    LabelLink = new QLabel(Shape1);
    LabelLink->setObjectName(QStringLiteral("LabelLink"));
    LabelLink->setAlignment(Qt::AlignCenter);
    LabelLink->setTextFormat(Qt::PlainText); // the link text as typed, never as HTML
    LabelLink->setFixedWidth(PreviewWidth);
    LabelLink->installEventFilter(this);

    const dialogparts::CommandRow commands =
        dialogparts::commandRow(this, QStringLiteral("/mv?rid=32&id=60907"), "Button1", "Button2");
    Button1 = commands.accept;
    Button2 = commands.reject;

    auto *radios = new QHBoxLayout;
    radios->addWidget(RadioButton1);
    radios->addWidget(RadioButton2);
    radios->addStretch();

    auto *shapeLayout = new QHBoxLayout(Shape1);
    shapeLayout->setContentsMargins(6, 6, 6, 6);
    shapeLayout->addWidget(LabelLink, 0, Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(Label1);
    layout->addWidget(EditText);
    layout->addLayout(radios);
    layout->addWidget(Label2);
    layout->addWidget(EditLink);
    layout->addWidget(Label3);
    layout->addWidget(Shape1);
    layout->addSpacing(6);
    layout->addLayout(commands.layout);

    connect(EditText, &QLineEdit::textChanged, this, &TLinkF::Check);
    connect(EditLink, &QLineEdit::textChanged, this, &TLinkF::Check);
    // Only a change of the selected button rewrites the address; clicking the selected one
    // again leaves a typed address alone.
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadioButton1Click();
    });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadioButton2Click();
    });
    connect(Button1, &QPushButton::clicked, this, &TLinkF::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    Check();
}

bool TLinkF::linkAvailable(const QString &address, const QString &text)
{
    return address.size() > PrefixLength && !text.isEmpty();
}

void TLinkF::Check()
{
    showPreviewText();
    QFont f = LabelLink->font();
    QPalette p = LabelLink->palette();
    if (linkAvailable(EditLink->text(), EditText->text())) {
        LabelLink->setEnabled(true);
        f.setUnderline(true);
        setTextColor(p, QColor(0, 0, 255));
        LabelLink->setCursor(Qt::PointingHandCursor);
        LabelLink->setToolTip(QStringLiteral("Щелкните для перехода по ссылке"));
    } else {
        LabelLink->setEnabled(false);
        f.setUnderline(false);
        setTextColor(p, QColor(0, 0, 0));
        LabelLink->unsetCursor();
        LabelLink->setToolTip(QStringLiteral("Ссылка недоступна"));
    }
    LabelLink->setFont(f);
    LabelLink->setPalette(p);
}

void TLinkF::showPreviewText()
{
    // A text wider than the preview ends in an ellipsis instead of being cut off at the frame.
    const QString text = EditText->text();
    const QFontMetrics metrics(LabelLink->font());
    LabelLink->setText(metrics.horizontalAdvance(text) <= PreviewWidth
                           ? text
                           : metrics.elidedText(text, Qt::ElideRight, PreviewWidth));
}

void TLinkF::RadioButton1Click()
{
    EditLink->setText(QStringLiteral("http://"));
}

void TLinkF::RadioButton2Click()
{
    EditLink->setText(QStringLiteral("mailto:"));
}

void TLinkF::LabelLinkClick()
{
    // The shell's default action: a web address opens in the browser, "mailto:" in the mailer.
    // Its result is not examined.
    // The address as typed: only what an address cannot hold (blanks, letters outside ASCII) is
    // percent-encoded. Guessing at it instead turned "http://ex ample.com/" into
    // "http://http//ex%20ample.com/". One that no address can hold (a blank in the host name)
    // is not handed over at all; one without a scheme gets the web's.
    const QString typed = EditLink->text().trimmed();
    QByteArray encoded;
    for (const char c : typed.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F || QByteArrayView("\"<>\\^`{|}").contains(c))
            encoded += '%' + QByteArray::number(byte, 16).toUpper().rightJustified(2, '0');
        else
            encoded += c;
    }
    QUrl url = QUrl::fromEncoded(encoded, QUrl::TolerantMode);
    if (url.isValid() && url.scheme().isEmpty())
        url = QUrl::fromUserInput(typed);
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

void TLinkF::Button1Click()
{
    if (TMemo *memo = m_activeMemo ? m_activeMemo() : nullptr)
        insertion::caretRule(memo, markup::LinkTag(EditLink->text(), EditText->text()));
    accept();
}

void TLinkF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        dialogparts::centreOnScreen(this);
}

bool TLinkF::eventFilter(QObject *watched, QEvent *event)
{
    // Only an available link is followed: mouse events still reach the filter of a disabled
    // label.
    if (watched == LabelLink && LabelLink->isEnabled() &&
        event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        LabelLinkClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
