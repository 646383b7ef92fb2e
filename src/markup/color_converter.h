// A colour value and its HTML colour text (six upper-case hex digits, red green blue), in step.
#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

namespace markup {

// Colour values are Windows colours: 0x00BBGGRR; a negative value names a system colour whose
// index is in the low byte.
struct ColorConverter
{
    qint32 RGBColor = 0;
    QString HTMLColor = QStringLiteral("000000");

    static ColorConverter white() { return {0x00FFFFFF, QStringLiteral("FFFFFF")}; }
};

// Turns a system colour index into its current 0x00BBGGRR value. The GUI installs the real one;
// without one, every system colour reads as black.
using SystemColorLookup = std::function<quint32(int index)>;
void setSystemColorLookup(SystemColorLookup lookup);

// The HTML colour text of a colour value.
QString HtmlColorText(qint32 value);

void ColorToHtml(ColorConverter &converter, qint32 value);
// Changes nothing unless the text is exactly six hexadecimal digits (either case).
void HtmlToColor(ColorConverter &converter, const QString &text);

} // namespace markup
