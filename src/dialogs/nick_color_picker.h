// NickColorPicker: a button with a colour swatch that asks for a new colour in a colour dialog.
#pragma once

#include <QColor>
#include <QPushButton>

#include <functional>
#include <optional>

class NickColorPicker : public QPushButton
{
    Q_OBJECT
public:
    // Asks the user for a colour, starting at the current one; nothing when cancelled.
    using Chooser = std::function<std::optional<QColor>(const QColor &current, QWidget *parent)>;

    explicit NickColorPicker(const QString &caption, QWidget *parent = nullptr);

    // The colour as a Windows colour value (0x00BBGGRR, negative for a system colour).
    qint32 color() const { return m_color; }
    // Shows the colour without reporting a change: only the user's confirmation reports one.
    void setColor(qint32 value);

    // Replaces the toolkit's colour dialog (tests); an empty chooser restores it.
    void setChooser(Chooser chooser);

    // Opens the colour dialog, as a press of the button does.
    void choose();

signals:
    // The user confirmed the colour dialog, even with the colour unchanged.
    void changed();

private:
    void updateSwatch();

    qint32 m_color = 0;
    Chooser m_chooser;
};
