#include "platform/eliding_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

ElidingLabel::ElidingLabel(Qt::TextElideMode mode, QWidget *parent) : QLabel(parent), m_mode(mode)
{}

ElidingLabel::ElidingLabel(const QString &text, Qt::TextElideMode mode, QWidget *parent)
    : QLabel(text, parent), m_mode(mode)
{}

QSize ElidingLabel::minimumSizeHint() const
{
    const int frame = 2 * (frameWidth() + margin());
    return {frame, fontMetrics().height() + frame};
}

QRect ElidingLabel::textArea() const
{
    QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const int indent = qMax(0, this->indent());
    if (alignment() & Qt::AlignLeft)
        area.setLeft(area.left() + indent);
    else if (alignment() & Qt::AlignRight)
        area.setRight(area.right() - indent);
    return area;
}

QString ElidingLabel::shownText() const
{
    return fontMetrics().elidedText(text(), m_mode, textArea().width());
}

void ElidingLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, textArea(), int(alignment()), palette(), isEnabled(),
                          shownText(), foregroundRole());
}

bool ElidingLabel::event(QEvent *event)
{
    // A tooltip of its own wins; otherwise the whole text, only while it is shortened.
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        if (shownText() != text())
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}
