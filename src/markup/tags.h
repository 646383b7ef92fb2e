// Builders of every caret-tag form the editor writes; pure, they never trim, escape or check.
#pragma once

#include <QString>

namespace markup {

QString StyleTag(const QString &word);                        // ^word^
QString LinkTag(const QString &address, const QString &text); // ^url^address^text^
QString UserLinkTag(const QString &login);                    // ^u:login^
QString SectionLinkTag(const QString &number);                // ^rN^
QString FileLinkTag(const QString &number);                   // ^fN^
QString ArticleLinkTag(const QString &number);                // ^textN^
QString ImageTag(const QString &format, bool naturalSize, const QString &number,
                 const QString &caption);
QString SizedImageTag(const QString &format, bool naturalSize, const QString &number,
                      const QString &width, const QString &caption);
QString ImageLinkTag(const QString &address, const QString &format, bool naturalSize,
                     const QString &number, const QString &caption);
QString RunningLineTag(const QString &type, const QString &background, const QString &direction,
                       const QString &duration, const QString &textColor, const QString &text);
QString LineFormatTag(const QString &alignment, const QString &background, const QString &textColor,
                      const QString &text);

} // namespace markup
