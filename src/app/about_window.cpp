#include "app/about_window.h"

#include "app/icons.h"
#include "markup/site.h"
#include "platform/fonts.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QColor LinkBlue(0, 0, 255);
const QColor LinkRed(255, 0, 0);

QFont courier(int pixels, bool bold)
{
    return fonts::makePixels(QStringLiteral("Courier New"), pixels, bold);
}

QLabel *textLabel(QWidget *parent, const QString &name, const QString &text, const QFont &font,
                  const QColor &color)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

// The header's product word: a dark text over a light copy one pixel off.
class EffectText : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setFont(font());
        p.setPen(QColor(255, 255, 255, 170));
        p.drawText(rect().translated(1, 1), int(alignment()), text());
        p.setPen(QColor(65, 65, 65));
        p.drawText(rect(), int(alignment()), text());
    }
};

} // namespace

TAboutF::TAboutF(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TAboutF"));
    setWindowTitle(QStringLiteral("О программе"));
    setFont(fonts::makePixels(QStringLiteral("Tahoma"), 11));

    // Header: emblem, product word and name, edition and version.
    auto *sPanel1 = new QFrame(this);
    sPanel1->setObjectName(QStringLiteral("sPanel1"));
    sPanel1->setFixedHeight(49);
    sPanel1->setAutoFillBackground(true);
    QPalette headerPalette = sPanel1->palette();
    QLinearGradient gradient(0, 0, 401, 0);
    gradient.setColorAt(0, QColor(92, 135, 205));
    gradient.setColorAt(1, QColor(170, 195, 235));
    headerPalette.setBrush(QPalette::Window, gradient);
    sPanel1->setPalette(headerPalette);

    auto *Image1 = new QLabel(sPanel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(icons::emblem(32));
    Image1->setFixedSize(32, 32);
    Label1 = new EffectText(QStringLiteral("Mirvale"), sPanel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(courier(24, true));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    Label8 = textLabel(sPanel1, QStringLiteral("Label8"), QStringLiteral("Rivi Razare"),
                       courier(19, false), Qt::white);
    Label8->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    Label7 = textLabel(sPanel1, QStringLiteral("Label7"), QStringLiteral("Scribel Mirvale Edition"),
                       courier(12, true), Qt::black);
    Label2 = textLabel(sPanel1, QStringLiteral("Label2"), QStringLiteral("Version 1.4.1"),
                       courier(12, true), Qt::black);
    Label2->setToolTip(QStringLiteral("Дата сборки - 9 ноября 2008"));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto *titleRow = new QHBoxLayout;
    titleRow->setSpacing(6);
    titleRow->addWidget(Label1, 0, Qt::AlignBottom);
    titleRow->addWidget(Label8, 0, Qt::AlignBottom);
    titleRow->addStretch();
    auto *editionRow = new QHBoxLayout;
    editionRow->addWidget(Label7);
    editionRow->addStretch();
    editionRow->addWidget(Label2);
    auto *headerText = new QVBoxLayout;
    headerText->setSpacing(0);
    headerText->addLayout(titleRow);
    headerText->addLayout(editionRow);
    auto *header = new QHBoxLayout(sPanel1);
    header->setContentsMargins(8, 2, 8, 3);
    header->addWidget(Image1, 0, Qt::AlignVCenter);
    header->addLayout(headerText, 1);

    // Credits.
    auto *Label3 = textLabel(this, QStringLiteral("Label3"), QStringLiteral("Разработчик: Scribel"),
                             courier(12, true), QColor(40, 40, 40));
    auto *Label6 = textLabel(this, QStringLiteral("Label6"), QStringLiteral("WAP-сайт:"),
                             courier(12, true), QColor(40, 40, 40));
    Label9 = linkLabel(QStringLiteral("Label9"), QUrl(site::developerWapSite()).host());
    auto *Label5 =
        textLabel(this, QStringLiteral("Label5"), QStringLiteral("© Corvel SoftWare, 2007-2008"),
                  courier(12, true), QColor(40, 40, 40));

    // A banner of single letters, red, yellow and green on black.
    auto *banner = new QFrame(this);
    banner->setObjectName(QStringLiteral("Banner"));
    banner->setAutoFillBackground(true);
    QPalette bannerPalette = banner->palette();
    bannerPalette.setColor(QPalette::Window, Qt::black);
    banner->setPalette(bannerPalette);
    auto *bannerRow = new QHBoxLayout(banner);
    bannerRow->setContentsMargins(4, 1, 4, 1);
    bannerRow->setSpacing(1);
    const QString bannerText = QStringLiteral("MIRVALE EDITION");
    const QColor bannerColors[] = {QColor(255, 60, 60), QColor(255, 220, 40), QColor(60, 220, 60)};
    for (int i = 0; i < bannerText.size(); ++i) {
        QLabel *letter = textLabel(banner, QStringLiteral("sLabel%1").arg(i + 1),
                                   bannerText.mid(i, 1), courier(12, true), bannerColors[i % 3]);
        letter->setAlignment(Qt::AlignCenter);
        letter->setFixedWidth(10);
        bannerRow->addWidget(letter);
    }

    Label10 = linkLabel(QStringLiteral("Label10"), QStringLiteral("Официальный сайт компании"));
    Label11 = linkLabel(QStringLiteral("Label11"), QStringLiteral("Новые версии и дополнения"));
    Label11->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4 = linkLabel(QStringLiteral("Label4"), site::makerMail());

    auto *LabelMail = textLabel(this, QStringLiteral("LabelMail"), QStringLiteral("E-mail:"),
                                courier(12, true), QColor(40, 40, 40));

    auto *credits = new QGridLayout;
    credits->setContentsMargins(10, 6, 10, 0);
    credits->setHorizontalSpacing(6);
    credits->setVerticalSpacing(2);
    credits->addWidget(Label3, 0, 0, 1, 2);
    auto *wapRow = new QHBoxLayout;
    wapRow->setSpacing(6);
    wapRow->addWidget(Label6);
    wapRow->addWidget(Label9);
    wapRow->addStretch();
    credits->addLayout(wapRow, 1, 0, 1, 2);
    auto *mailRow = new QHBoxLayout;
    mailRow->setSpacing(6);
    mailRow->addWidget(LabelMail);
    mailRow->addWidget(Label4);
    mailRow->addStretch();
    credits->addLayout(mailRow, 2, 0, 1, 2);
    credits->addWidget(Label5, 3, 0);
    credits->addWidget(banner, 3, 1, Qt::AlignRight);
    credits->addWidget(Label10, 4, 0);
    credits->addWidget(Label11, 4, 1);

    auto *Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);

    Button2 = new QPushButton(QStringLiteral("Сообщить об ошибке"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAutoDefault(false);
    Button1 = new QPushButton(QStringLiteral("Закрыть"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TAboutF::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TAboutF::Button2Click);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(10, 0, 10, 8);
    buttons->addWidget(Button2);
    buttons->addStretch();
    buttons->addWidget(Button1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(sPanel1);
    layout->addLayout(credits);
    layout->addStretch();
    layout->addWidget(Bevel1);
    layout->addLayout(buttons);

    setFixedSize(QSize(401, 199).expandedTo(sizeHint()));

    showMessage = [this](const QString &text) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Mirvale Rivi Razare"), text,
                        QMessageBox::Ok, this);
        box.exec();
    };
}

QLabel *TAboutF::linkLabel(const QString &name, const QString &text)
{
    QFont font = fonts::makePixels(QStringLiteral("Tahoma"), 12);
    font.setUnderline(true);
    QLabel *label = textLabel(this, name, text, font, LinkBlue);
    label->setCursor(Qt::PointingHandCursor);
    label->setMouseTracking(true);
    label->installEventFilter(this);
    return label;
}

void TAboutF::setLinkColor(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

bool TAboutF::eventFilter(QObject *watched, QEvent *event)
{
    auto *label = qobject_cast<QLabel *>(watched);
    if (label && (label == Label4 || label == Label9 || label == Label10 || label == Label11)) {
        switch (event->type()) {
        case QEvent::MouseMove:
            setLinkColor(label, LinkRed);
            break;
        case QEvent::Leave:
            setLinkColor(label, LinkBlue);
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton &&
                label->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
                if (label == Label4)
                    Label4Click();
                else if (label == Label9)
                    Label9Click();
                else if (label == Label10)
                    Label10Click();
                else
                    Label11Click();
            }
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Button1->setFocus();
}

// The links ignore whether the shell could open them.
void TAboutF::Label4Click()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + site::makerMail()));
}
void TAboutF::Label9Click()
{
    QDesktopServices::openUrl(QUrl(site::developerWapSite()));
}
void TAboutF::Label10Click()
{
    QDesktopServices::openUrl(QUrl(site::makerSite()));
}
void TAboutF::Label11Click()
{
    QDesktopServices::openUrl(QUrl(site::programHomePage()));
}

void TAboutF::Button1Click()
{
    accept();
}

QString TAboutF::errorReportLink(const QString &version, const QString &edition)
{
    const QString subject =
        QStringLiteral("Ошибка приложения Scribel Mirvale Edition. ") + version + u' ' + edition;
    const QString body = QStringLiteral("Уважаемый автор программы Scribel Mirvale Edition!") +
                         QStringLiteral("%0d") +
                         QStringLiteral("Мною была обнаружена ошибка. Адрес ошибки - ...");
    return QStringLiteral("mailto:") + site::makerMail() + QStringLiteral("?subject=") + subject +
           QStringLiteral("&body=") + body;
}

void TAboutF::Button2Click()
{
    const QUrl link(errorReportLink(Label2->text(), Label7->text()), QUrl::TolerantMode);
    if (!QDesktopServices::openUrl(link))
        showMessage(QStringLiteral("Авто метод потерпел неудачу."));
}
