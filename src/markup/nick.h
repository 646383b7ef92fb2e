// The coloured nickname: pieces with text and colours, and its text forms.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace markup {

struct NickPiece
{
    QString Text;
    QString TextColor;
    QString BgColor;
    bool operator==(const NickPiece &) const = default;
};
using Nick = QList<NickPiece>;

QString NickSiteText(const Nick &nick);  // Text:TextColor:BgColor; per piece
QString NickHtml(const Nick &nick);      // one line of coloured spans
QString NickPlainText(const Nick &nick); // the texts joined
qsizetype NickLength(const Nick &nick);  // characters of the site text
// Eight lines; browserBackground empty means no bgcolor attribute.
QStringList NickPreviewPage(const Nick &nick, const QString &browserBackground = QString());

} // namespace markup
