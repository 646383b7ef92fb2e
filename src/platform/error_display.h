// The application's one error display: a critical message box captioned with the title.
#pragma once

#include <QString>

class QWidget;

namespace errordisplay {

inline constexpr const char *ApplicationTitle = "Mirvale Rivi Razare";

// A full stop is added when the text's last character has a code above that of the full stop.
QString withFullStop(const QString &text);

// Shows the text in a critical message box; tests may replace the box with setHandler().
void show(const QString &text, QWidget *parent = nullptr);

using Handler = void (*)(const QString &text);
// Replaces the message box (tests); nullptr restores it. Returns the previous handler.
Handler setHandler(Handler handler);

} // namespace errordisplay
