#include "app/splash_window.h"

#include "platform/fonts.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>

namespace {

// A label drawn twice: a coloured effect copy one pixel off, the text over it, and an
// optional grey shadow below both.
class EffectLabel : public QWidget
{
public:
    EffectLabel(const QString &text, const QFont &font, const QColor &effect, bool shadow,
                QWidget *parent)
        : QWidget(parent), m_text(text), m_effect(effect), m_shadow(shadow)
    {
        setFont(font);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::TextAntialiasing);
        const QRect r = rect();
        const int flags = Qt::AlignHCenter | Qt::AlignVCenter;
        if (m_shadow) {
            p.setPen(QColor(128, 128, 128, 160));
            p.drawText(r.translated(3, 3), flags, m_text);
        }
        p.setPen(m_effect);
        p.drawText(r.translated(1, 1), flags, m_text);
        p.setPen(QColor(65, 65, 65));
        p.drawText(r, flags, m_text);
    }

private:
    QString m_text;
    QColor m_effect;
    bool m_shadow;
};

QLabel *plainLabel(const QString &text, const QString &name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(fonts::makePixels(QStringLiteral("Tahoma"), 11));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

} // namespace

TSplashF::TSplashF(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TSplashF"));
    setWindowTitle(QStringLiteral("Загрузка..."));
    setFixedSize(278, 168);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(92, 135, 205));
    setPalette(palette);

    auto *maker = new EffectLabel(QStringLiteral("Corvel SoftWare"),
                                  fonts::makePixels(QStringLiteral("Tahoma"), 19, true), Qt::red,
                                  false, this);
    maker->setGeometry(44, 6, 190, 29);

    Label1 = plainLabel(QStringLiteral("представляет"), QStringLiteral("Label1"), this);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(24, 38, 233, 16);
    Label2 = plainLabel(QStringLiteral("специально для Mirvale"), QStringLiteral("Label2"), this);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(24, 54, 233, 16);

    auto *product = new EffectLabel(QStringLiteral("Mirvale RiviRazare"),
                                    fonts::makePixels(QStringLiteral("Tahoma"), 21, true), Qt::blue,
                                    true, this);
    product->setGeometry(12, 76, 254, 34);

    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->setTextVisible(false);
    Gauge1->setGeometry(24, 120, 233, 17);

    Label3 = plainLabel(QStringLiteral("Инициализация..."), QStringLiteral("Label3"), this);
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setGeometry(24, 142, 233, 16);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TSplashF::setStatus(const QString &status)
{
    if (Label3->text() == status)
        return;
    Label3->setText(status);
    showState();
}

void TSplashF::setProgress(int progress)
{
    Gauge1->setValue(progress);
    showState();
}

int TSplashF::progress() const
{
    return Gauge1->value();
}
QString TSplashF::status() const
{
    return Label3->text();
}

void TSplashF::showState()
{
    m_history.append({progress(), status()});
    if (isVisible()) {
        repaint();
        // The window system shows the new state only once it has had a chance to; user input
        // waits for the main window.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    emit stateShown(progress(), status());
}
