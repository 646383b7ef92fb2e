#include "markup/color_converter.h"

namespace markup {

namespace {
SystemColorLookup &lookup()
{
    static SystemColorLookup instance;
    return instance;
}
} // namespace

void setSystemColorLookup(SystemColorLookup l)
{
    lookup() = std::move(l);
}

QString HtmlColorText(qint32 value)
{
    quint32 rgb = quint32(value);
    if (value < 0)
        rgb = lookup() ? lookup()(int(rgb & 0xFF)) : 0u;
    const auto hex = [](quint32 byte) {
        return QStringLiteral("%1").arg(byte & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    };
    return hex(rgb) + hex(rgb >> 8) + hex(rgb >> 16);
}

void ColorToHtml(ColorConverter &converter, qint32 value)
{
    converter.RGBColor = value;
    converter.HTMLColor = HtmlColorText(value);
}

void HtmlToColor(ColorConverter &converter, const QString &text)
{
    if (text.size() != 6)
        return;
    const auto hexDigit = [](QChar c) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            return int(u - u'0');
        if (u >= u'a' && u <= u'f')
            return int(u - u'a' + 10);
        if (u >= u'A' && u <= u'F')
            return int(u - u'A' + 10);
        return -1;
    };
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        const int high = hexDigit(text.at(i * 2));
        const int low = hexDigit(text.at(i * 2 + 1));
        if (high < 0 || low < 0)
            return;
        parts[i] = high * 16 + low;
    }
    converter.RGBColor = parts[0] + parts[1] * 256 + parts[2] * 65536;
    converter.HTMLColor = text;
}

} // namespace markup
