// Windows system colours (negative colour values) mapped onto the current palette.
#pragma once

#include <QColor>
#include <QtGlobal>

namespace systemcolors {

// The Windows colour value (0x00BBGGRR) of system colour index 0..30 in the current application
// palette; unknown indexes give black.
quint32 rgbOf(int index);

// A colour value as the program stores it: 0x00BBGGRR for an RGB colour, or a negative value
// 0x80000000 | index for a system colour.
QColor toQColor(qint32 value);
qint32 fromQColor(const QColor &color);

} // namespace systemcolors
