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
    return pagefile::write(path, pageBytes(message), error);
}

} // namespace messagepreview
