// The site's addresses and the maker's: every address the program opens is built from these.
#pragma once

#include <QString>
#include <QStringView>
#include <QUrl>

namespace site {

// The WAP home address of the site, without a trailing "/".
inline QString homeAddress()
{
    return QStringLiteral("http://wap.mirvale.example");
}
// The image store's host, for the image dialog's preview.
inline QString imageStoreHost()
{
    return QStringLiteral("http://img.mirvale.example");
}

// The store's address of picture `number`: the number filled with leading zeros to ten
// characters is a folder under "/origin/", and the file is always "origin.jpg". Empty for an
// empty number or one longer than ten characters.
constexpr qsizetype imageNumberDigits = 10;
inline bool hasImageAddress(QStringView number)
{
    return !number.isEmpty() && number.size() <= imageNumberDigits;
}
inline QString imageAddress(const QString &number)
{
    if (!hasImageAddress(number))
        return {};
    return imageStoreHost() + QLatin1String("/origin/") +
           QString(imageNumberDigits - number.size(), QLatin1Char('0')) + number +
           QLatin1String("/origin.jpg");
}

// The site's pages that the reference tags name, with the tag's argument as typed
// (percent-encoded where it goes into the query).
inline QString memberPage(const QString &login)
{
    return homeAddress() + QStringLiteral("/info?nick=") +
           QString::fromLatin1(QUrl::toPercentEncoding(login));
}
inline QString sectionPage(const QString &number)
{
    return homeAddress() + QStringLiteral("/mv?rid=") + number;
}
inline QString filePage(const QString &number)
{
    return homeAddress() + QStringLiteral("/file?id=") + number;
}
inline QString articlePage(const QString &number)
{
    return homeAddress() + QStringLiteral("/textdetailed?text_id=") + number;
}
// The maker's web site, the program's home page, the developer's WAP site, the maker's mail.
inline QString makerSite()
{
    return QStringLiteral("http://www.corvel-software.example");
}
inline QString programHomePage()
{
    return QStringLiteral("http://www.corvel-software.example/rivirazare");
}
inline QString developerWapSite()
{
    return QStringLiteral("http://wap.scribel.example");
}
inline QString makerMail()
{
    return QStringLiteral("support@corvel-software.example");
}

} // namespace site
