// The program's own icons, drawn in code: tabs, menu items, toolbar buttons, the emblem.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace icons {

// The icon of a command or tab by its name ("new", "open", "save", "cut", "copy", "paste",
// "refresh", "copyall", "bold", "italic", "underline", "strikeout", "left", "center", "right",
// "justify", "tags", "find", "font", "about", "editor", "browser", "message"); a null icon for
// any other name.
QIcon make(const QString &name);

// The product's emblem, `size` pixels square.
QPixmap emblem(int size);

} // namespace icons
