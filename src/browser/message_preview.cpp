#include "browser/message_preview.h"

#include "markup/message_html.h"
#include "platform/codepage.h"
#include "platform/page_file.h"

namespace messagepreview {

QByteArray pageBytes(const QString &message)
{
    return cp1251::encode(markup::PageText(markup::MessageToHtml(message)));
}

void writePageBytes(QByteArrayView message, const std::function<void(const QByteArray &)> &out,
                    qsizetype pieceSize)
{
    // A line longer than a piece goes whole: the cut is always after a line feed.
    pieceSize = qMax<qsizetype>(1, pieceSize);
    out(cp1251::encode(markup::PageText(markup::MessagePageHead())));
    qsizetype from = 0;
    while (from < message.size()) {
        qsizetype to = from + pieceSize;
        if (to >= message.size()) {
            to = message.size();
        } else {
            const qsizetype lastBreak = message.sliced(from, to - from).lastIndexOf('\n');
            if (lastBreak >= 0) {
                to = from + lastBreak + 1;
            } else {
                const qsizetype nextBreak = message.indexOf('\n', to);
                to = nextBreak < 0 ? message.size() : nextBreak + 1;
            }
        }
        QStringList lines;
        markup::AppendMessageLines(cp1251::decode(message.sliced(from, to - from).toByteArray()),
                                   lines);
        out(cp1251::encode(markup::PageText(lines)));
        from = to;
    }
    out(cp1251::encode(markup::PageText(markup::MessagePageTail())));
}

bool write(const QString &message, const QString &path, QString *error)
{
    // The program's own file: a link planted in its place is replaced, never written through.
    return pagefile::write(path, pageBytes(message), error, savefile::Links::Replace);
}

} // namespace messagepreview
