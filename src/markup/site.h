// The site's addresses and the maker's: every address the program opens is built from these.
#pragma once

#include <QString>

namespace site {

// The WAP home address of the site, without a trailing "/".
inline QString homeAddress() { return QStringLiteral("http://wap.mirvale.example"); }
// The image store's host, for the image dialog's preview.
inline QString imageStoreHost() { return QStringLiteral("http://img.mirvale.example"); }
// The maker's web site, the program's home page, the developer's WAP site, the maker's mail.
inline QString makerSite() { return QStringLiteral("http://www.corvel-software.example"); }
inline QString programHomePage()
{
    return QStringLiteral("http://www.corvel-software.example/rivirazare");
}
inline QString developerWapSite() { return QStringLiteral("http://wap.scribel.example"); }
inline QString makerMail() { return QStringLiteral("support@corvel-software.example"); }

} // namespace site
