// The page as the site shows it: caret-tag page text to a complete HTML document. Everything
// typed is escaped; the page runs no script and loads nothing but the pictures its tags name.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace markup {

struct SiteViewOptions
{
    bool images = true; // load pictures from the image store; otherwise show their captions
    // Link texts of the references whose titles only the site knows; %1 is the number.
    QString sectionText = QStringLiteral("Рубрика %1");
    QString fileText = QStringLiteral("Файл %1");
    QString articleText = QStringLiteral("Статья %1");
    // The caption shown for a picture whose tag gives none; %1 is the number.
    QString pictureText = QStringLiteral("Рисунок %1");
};

// The UTF-8 HTML document of the page. The lines are joined as the site's form receives them
// (line breaks removed); each tag acts within its own line, a line format on the rest of its
// line, styles until "^n^", an alignment until the next one. Faulty tags show as typed.
QString PageToSiteHtml(QStringView page, const SiteViewOptions &options = {});
// The same document as UTF-8 bytes (what a file or the standard output receives), written
// without the intermediate UTF-16 copy.
QByteArray PageToSiteHtmlUtf8(QStringView page, const SiteViewOptions &options = {});

// A web or mail address a link may open: http, https, ftp and mailto; an address without a
// scheme is taken as http, or mailto when it looks like a mail address. Empty when the address
// may not be opened (a script address, say).
QString SafeLinkAddress(QStringView address);

} // namespace markup
