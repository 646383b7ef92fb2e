#include "dialogs/color_button.h"

#include "platform/system_colors.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace colorbutton {

namespace {

constexpr qint32 fromHtml(const char *digits)
{
    const auto hex = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
    const qint32 red = hex(digits[0]) * 16 + hex(digits[1]);
    const qint32 green = hex(digits[2]) * 16 + hex(digits[3]);
    const qint32 blue = hex(digits[4]) * 16 + hex(digits[5]);
    return red | green << 8 | blue << 16;
}

constexpr qint32 systemColor(int index)
{
    return qint32(0x80000000u | quint32(index));
}

constexpr int PaletteColumns = 8;
const QSize ChoiceSwatch(14, 14);

} // namespace

ColorChooser dialogChooser()
{
    return [](const QColor &initial, QWidget *parent) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, parent);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    };
}

QPixmap swatch(qint32 value, const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(QPoint(0, 0), size), systemcolors::toQColor(value));
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return pixmap;
}

const QList<PaletteEntry> &standardColors()
{
    // Five rows of eight, from dark to light; the hint is the colour's HTML colour text.
    static const QList<PaletteEntry> table = [] {
        static const char *const digits[] = {
            "000000", "993300", "333300", "003300", "003366", "000080", "333399", "333333",
            "800000", "FF6600", "808000", "008000", "008080", "0000FF", "666699", "808080",
            "FF0000", "FF9900", "99CC00", "339966", "33CCCC", "3366FF", "800080", "969696",
            "FF00FF", "FFCC00", "FFFF00", "00FF00", "00FFFF", "00CCFF", "993366", "C0C0C0",
            "FF99CC", "FFCC99", "FFFF99", "CCFFCC", "CCFFFF", "99CCFF", "CC99FF", "FFFFFF",
        };
        QList<PaletteEntry> entries;
        for (const char *d : digits)
            entries.append({fromHtml(d), QString::fromLatin1(d)});
        return entries;
    }();
    return table;
}

const QList<PaletteEntry> &systemColors()
{
    static const QList<PaletteEntry> table = {
        {systemColor(0), QStringLiteral("Полоса прокрутки")},
        {systemColor(1), QStringLiteral("Рабочий стол")},
        {systemColor(2), QStringLiteral("Заголовок активного окна")},
        {systemColor(3), QStringLiteral("Заголовок неактивного окна")},
        {systemColor(4), QStringLiteral("Меню")},
        {systemColor(5), QStringLiteral("Фон окна")},
        {systemColor(6), QStringLiteral("Рамка окна")},
        {systemColor(7), QStringLiteral("Текст меню")},
        {systemColor(8), QStringLiteral("Текст окна")},
        {systemColor(9), QStringLiteral("Текст заголовка")},
        {systemColor(10), QStringLiteral("Граница активного окна")},
        {systemColor(11), QStringLiteral("Граница неактивного окна")},
        {systemColor(12), QStringLiteral("Рабочая область приложения")},
        {systemColor(13), QStringLiteral("Выделение")},
        {systemColor(14), QStringLiteral("Выделенный текст")},
        {systemColor(15), QStringLiteral("Поверхность кнопки")},
        {systemColor(16), QStringLiteral("Тень кнопки")},
        {systemColor(17), QStringLiteral("Недоступный текст")},
        {systemColor(18), QStringLiteral("Текст кнопки")},
        {systemColor(19), QStringLiteral("Текст неактивного заголовка")},
        {systemColor(20), QStringLiteral("Подсветка кнопки")},
        {systemColor(21), QStringLiteral("Тёмная тень")},
        {systemColor(22), QStringLiteral("Светлая граница")},
        {systemColor(23), QStringLiteral("Текст подсказки")},
        {systemColor(24), QStringLiteral("Фон подсказки")},
    };
    return table;
}

} // namespace colorbutton

using namespace colorbutton;

// ---------------------------------------------------------------------------------------------

ColorPalettePopup::ColorPalettePopup(QWidget *parent) : QFrame(parent, Qt::Popup)
{
    setObjectName(QStringLiteral("ColorPalette"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Plain);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto *automatic = new QToolButton(this);
    automatic->setObjectName(QStringLiteral("AutomaticColor"));
    automatic->setText(QStringLiteral("Автоматически"));
    automatic->setIcon(swatch(AutomaticColor, ChoiceSwatch));
    automatic->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    automatic->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    automatic->setAutoRaise(true);
    connect(automatic, &QToolButton::clicked, this, [this] {
        hide();
        emit colorPicked(AutomaticColor);
    });
    Automatic = automatic;
    layout->addWidget(automatic);

    const auto addGrid = [this, layout](const QList<PaletteEntry> &entries) {
        auto *grid = new QGridLayout;
        grid->setSpacing(1);
        for (int i = 0; i < entries.size(); ++i)
            grid->addWidget(addChoice(entries[i], this), i / PaletteColumns, i % PaletteColumns);
        layout->addLayout(grid);
    };
    addGrid(standardColors());
    auto *systemLabel = new QLabel(QStringLiteral("Системные цвета"), this);
    layout->addWidget(systemLabel);
    addGrid(systemColors());

    auto *other = new QToolButton(this);
    other->setObjectName(QStringLiteral("OtherColors"));
    other->setText(QStringLiteral("Другие цвета..."));
    other->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    other->setAutoRaise(true);
    connect(other, &QToolButton::clicked, this, [this] {
        hide();
        emit otherColorsRequested();
    });
    OtherColors = other;
    layout->addWidget(other);
}

QAbstractButton *ColorPalettePopup::addChoice(const PaletteEntry &entry, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setIcon(swatch(entry.value, ChoiceSwatch));
    button->setIconSize(ChoiceSwatch);
    button->setToolTip(entry.name);
    button->setProperty("colorValue", entry.value);
    const qint32 value = entry.value;
    connect(button, &QToolButton::clicked, this, [this, value] {
        hide();
        emit colorPicked(value);
    });
    Choices.append(button);
    return button;
}

QAbstractButton *ColorPalettePopup::buttonFor(qint32 value) const
{
    for (QAbstractButton *button : Choices) {
        if (button->property("colorValue").toInt() == value)
            return button;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------

ColorDropDownButton::ColorDropDownButton(qint32 value, QWidget *parent)
    : QToolButton(parent)
    , Value(value)
    , Popup(new ColorPalettePopup(this))
    , Chooser(dialogChooser())
{
    setIconSize(QSize(48, 16));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QToolButton::clicked, this, &ColorDropDownButton::showPalette);
    connect(Popup, &ColorPalettePopup::colorPicked, this, &ColorDropDownButton::setColorValue);
    connect(Popup, &ColorPalettePopup::otherColorsRequested, this,
            &ColorDropDownButton::chooseOtherColor);
    updateSwatch();
}

void ColorDropDownButton::setColorValue(qint32 value)
{
    Value = value;
    updateSwatch();
    emit colorChanged(Value);
}

void ColorDropDownButton::showPalette()
{
    Popup->adjustSize();
    QPoint place = mapToGlobal(QPoint(0, height()));
    // Keep the palette on the screen when the button sits near its bottom or right edge.
    if (const QScreen *s = screen()) {
        const QRect area = s->availableGeometry();
        if (place.y() + Popup->height() > area.bottom())
            place.setY(mapToGlobal(QPoint(0, 0)).y() - Popup->height());
        place.setX(
            qBound(area.left(), place.x(), qMax(area.left(), area.right() - Popup->width())));
    }
    Popup->move(place);
    Popup->show();
}

void ColorDropDownButton::chooseOtherColor()
{
    if (const std::optional<QColor> chosen = Chooser(systemcolors::toQColor(Value), window()))
        setColorValue(systemcolors::fromQColor(*chosen));
}

void ColorDropDownButton::updateSwatch()
{
    // The swatch and a drop-down arrow, drawn into one icon so every style shows both.
    QPixmap icon(iconSize());
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    const int arrowWidth = 12;
    const QSize swatchSize(icon.width() - arrowWidth - 2, icon.height() - 2);
    painter.drawPixmap(0, 1, swatch(Value, swatchSize));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::ButtonText));
    const int left = icon.width() - arrowWidth + 2;
    const int top = icon.height() / 2 - 2;
    const QPointF arrow[] = {{qreal(left), qreal(top)},
                             {qreal(left + 8), qreal(top)},
                             {qreal(left + 4), qreal(top + 5)}};
    painter.drawPolygon(arrow, 3);
    painter.end();
    setIcon(icon);
    setToolTip(Value == AutomaticColor ? QStringLiteral("Автоматически") : QString());
}

// ---------------------------------------------------------------------------------------------

ColorPickerButton::ColorPickerButton(const QString &caption, qint32 value, QWidget *parent)
    : QPushButton(caption, parent), Value(value), Chooser(dialogChooser())
{
    setIconSize(QSize(16, 16));
    connect(this, &QPushButton::clicked, this, &ColorPickerButton::pickColor);
    updateSwatch();
}

void ColorPickerButton::pickColor()
{
    const std::optional<QColor> chosen = Chooser(systemcolors::toQColor(Value), window());
    if (!chosen)
        return;
    Value = systemcolors::fromQColor(*chosen);
    updateSwatch();
    emit colorChanged(Value);
}

void ColorPickerButton::updateSwatch()
{
    setIcon(swatch(Value, iconSize()));
}
