#include "markup/nick.h"

using namespace Qt::StringLiterals;

namespace markup {

QString NickSiteText(const Nick &nick)
{
    QString out;
    for (const NickPiece &p : nick)
        out += p.Text + u':' + p.TextColor + u':' + p.BgColor + u';';
    return out;
}

QString NickHtml(const Nick &nick)
{
    QString out;
    for (const NickPiece &p : nick) {
        out += u"<span style=\" color:"_s + p.TextColor + u";background-color:"_s + p.BgColor +
               u";\">"_s + p.Text + u"</span>"_s;
    }
    return out;
}

QString NickPlainText(const Nick &nick)
{
    QString out;
    for (const NickPiece &p : nick)
        out += p.Text;
    return out;
}

qsizetype NickLength(const Nick &nick)
{
    return NickSiteText(nick).size();
}

QStringList NickPreviewPage(const Nick &nick, const QString &browserBackground)
{
    const QString body = browserBackground.isEmpty()
                             ? u"<body>"_s
                             : u"<body bgcolor=\""_s + browserBackground + u"\">"_s;
    return {u"<html>"_s,  u"<head>"_s, u"<title>Nick</title>"_s, u"</head>"_s, body, NickHtml(nick),
            u"</body>"_s, u"</html>"_s};
}

} // namespace markup
