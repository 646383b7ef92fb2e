// Fonts that the program names but Linux may lack, mapped onto what the system has.
#pragma once

#include <QFont>

namespace fonts {

// "Lucida Console" falls back to the system monospace font, "Tahoma" and "Segoe UI" to the
// system sans font, "Courier New" to monospace; the family name stays as given.
QFont make(const QString &family, qreal pointSize = -1, bool bold = false);
// The same, with the size in pixels as the window designs give it.
QFont makePixels(const QString &family, int pixelSize, bool bold = false);

} // namespace fonts
