#include "browser/panel_caption.h"

#include <QLabel>

namespace panelcaption {

QLabel *make(const QString &text, QWidget *parent)
{
    auto *caption = new QLabel(text, parent);
    caption->setFixedHeight(Height);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    caption->setAutoFillBackground(true);
    caption->setBackgroundRole(QPalette::Button);
    caption->setForegroundRole(QPalette::ButtonText);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    caption->setMinimumWidth(0);
    caption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    return caption;
}

} // namespace panelcaption
