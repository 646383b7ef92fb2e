#include "dialogs/nick_color_picker.h"

#include "platform/system_colors.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace {

std::optional<QColor> askToolkit(const QColor &current, QWidget *parent)
{
    const QColor chosen = QColorDialog::getColor(current, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

} // namespace

NickColorPicker::NickColorPicker(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    setAutoDefault(false); // Enter belongs to the window's default button
    connect(this, &QPushButton::clicked, this, &NickColorPicker::choose);
    updateSwatch();
}

void NickColorPicker::setColor(qint32 value)
{
    m_color = value;
    updateSwatch();
}

void NickColorPicker::setChooser(Chooser chooser)
{
    m_chooser = std::move(chooser);
}

void NickColorPicker::choose()
{
    const QColor current = systemcolors::toQColor(m_color);
    const std::optional<QColor> chosen =
        m_chooser ? m_chooser(current, window()) : askToolkit(current, window());
    if (!chosen || !chosen->isValid())
        return;
    setColor(systemcolors::fromQColor(*chosen));
    emit changed();
}

void NickColorPicker::updateSwatch()
{
    const int side = fontMetrics().height() - 2;
    QPixmap swatch(side, side);
    swatch.fill(systemcolors::toQColor(m_color));
    QPainter painter(&swatch);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(0, 0, side - 1, side - 1);
    painter.end();
    setIcon(QIcon(swatch));
    setIconSize(swatch.size());
}
