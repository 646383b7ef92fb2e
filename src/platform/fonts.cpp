#include "platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace fonts {

namespace {
void applyFallback(QFont &font, const QString &family)
{
    const QString f = family.toLower();
    if (f == QLatin1String("lucida console") || f == QLatin1String("courier new")) {
        font.setStyleHint(QFont::Monospace);
        font.setFamilies(QStringList{family, QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    } else if (f == QLatin1String("tahoma") || f == QLatin1String("segoe ui")) {
        font.setStyleHint(QFont::SansSerif);
        font.setFamilies(QStringList{family, QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()});
    }
}
} // namespace

QFont make(const QString &family, qreal pointSize, bool bold)
{
    QFont font(family);
    applyFallback(font, family);
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont makePixels(const QString &family, int pixelSize, bool bold)
{
    QFont font = make(family, -1, bold);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace fonts
