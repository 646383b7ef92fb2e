// Colour buttons of the tag dialogs: a drop-down palette button and a colour picker button.
#pragma once

#include <QColor>
#include <QFrame>
#include <QPushButton>
#include <QToolButton>

#include <functional>
#include <optional>

class QAbstractButton;

namespace colorbutton {

// Asks the user for any colour, starting at `initial`; nothing when the user cancels.
// Injectable so that tests can answer for the modal colour dialog.
using ColorChooser = std::function<std::optional<QColor>(const QColor &initial, QWidget *parent)>;
// The full colour dialog (QColorDialog).
ColorChooser dialogChooser();

// The toolkit's marker for "no particular colour". Colour texts convert it by its bytes, so
// its HTML colour text is "000000".
inline constexpr qint32 AutomaticColor = 0x20000000;

// A colour value (0x00BBGGRR, or a negative system colour) drawn as a framed swatch.
QPixmap swatch(qint32 value, const QSize &size);

// One choice of the palette: a colour value and the name shown as its hint.
struct PaletteEntry
{
    qint32 value;
    QString name;
};
// The standard colours (8 per row) and the system colours of the palette, in display order.
const QList<PaletteEntry> &standardColors();
const QList<PaletteEntry> &systemColors();

} // namespace colorbutton

// The drop-down palette of ColorDropDownButton: "Автоматически", the standard colours, the
// system colours and "Другие цвета...". It closes itself when a choice is made.
class ColorPalettePopup : public QFrame
{
    Q_OBJECT
public:
    explicit ColorPalettePopup(QWidget *parent = nullptr);

    // The button of a palette choice, found by its colour value (tests press it).
    QAbstractButton *buttonFor(qint32 value) const;
    QAbstractButton *automaticButton() const { return Automatic; }
    QAbstractButton *otherColorsButton() const { return OtherColors; }

signals:
    void colorPicked(qint32 value);
    void otherColorsRequested();

private:
    QAbstractButton *addChoice(const colorbutton::PaletteEntry &entry, QWidget *parent);

    QAbstractButton *Automatic = nullptr;
    QAbstractButton *OtherColors = nullptr;
    QList<QAbstractButton *> Choices;
};

// A button that shows its colour and drops down a palette of colours.
class ColorDropDownButton : public QToolButton
{
    Q_OBJECT
public:
    explicit ColorDropDownButton(qint32 value, QWidget *parent = nullptr);

    qint32 colorValue() const { return Value; }
    // Sets the colour and reports it through colorChanged.
    void setColorValue(qint32 value);
    void setColorChooser(colorbutton::ColorChooser chooser) { Chooser = std::move(chooser); }

    ColorPalettePopup *palettePopup() const { return Popup; }
    void showPalette();

signals:
    void colorChanged(qint32 value);

private:
    void chooseOtherColor();
    void updateSwatch();

    qint32 Value;
    ColorPalettePopup *Popup;
    colorbutton::ColorChooser Chooser;
};

// A button with a caption and a swatch; pressing it opens the colour dialog at its colour.
// OK there sets the colour and reports it, also when it is the same; Cancel changes nothing.
class ColorPickerButton : public QPushButton
{
    Q_OBJECT
public:
    ColorPickerButton(const QString &caption, qint32 value, QWidget *parent = nullptr);

    qint32 colorValue() const { return Value; }
    void setColorChooser(colorbutton::ColorChooser chooser) { Chooser = std::move(chooser); }
    // Opens the colour dialog (what a press does).
    void pickColor();

signals:
    void colorChanged(qint32 value);

private:
    void updateSwatch();

    qint32 Value;
    colorbutton::ColorChooser Chooser;
};
