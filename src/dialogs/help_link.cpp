#include "dialogs/help_link.h"

#include <QDesktopServices>
#include <QMouseEvent>

HelpLink::HelpLink(const QString &caption, const QUrl &address, QWidget *parent)
    : QLabel(caption, parent), m_address(address)
{
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
    setToolTip(address.toString());
}

void HelpLink::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        QDesktopServices::openUrl(m_address);
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}
