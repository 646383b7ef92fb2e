#include "browser/message_preview.h"

#include "markup/message_html.h"
#include "platform/codepage.h"
#include "platform/page_file.h"

namespace messagepreview {

QByteArray pageBytes(const QString &message)
{
    return cp1251::encode(markup::PageText(markup::MessageToHtml(message)));
}

bool write(const QString &message, const QString &path, QString *error)
{
    // The program's own file: a link planted in its place is replaced, never written through.
    return pagefile::write(path, pageBytes(message), error, savefile::Links::Replace);
}

} // namespace messagepreview
