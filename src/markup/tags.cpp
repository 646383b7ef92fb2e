#include "markup/tags.h"

namespace markup {

namespace {
QString caret()
{
    return QStringLiteral("^");
}
} // namespace

QString StyleTag(const QString &word)
{
    return caret() + word + caret();
}

QString LinkTag(const QString &address, const QString &text)
{
    return QStringLiteral("^url^") + address + caret() + text + caret();
}

QString UserLinkTag(const QString &login)
{
    return QStringLiteral("^u:") + login + caret();
}
QString SectionLinkTag(const QString &number)
{
    return QStringLiteral("^r") + number + caret();
}
QString FileLinkTag(const QString &number)
{
    return QStringLiteral("^f") + number + caret();
}
QString ArticleLinkTag(const QString &number)
{
    return QStringLiteral("^text") + number + caret();
}

static QString imageHead(const QString &format, bool naturalSize, const QString &number)
{
    return format + (naturalSize ? QStringLiteral("o") : QString()) + number;
}

QString ImageTag(const QString &format, bool naturalSize, const QString &number,
                 const QString &caption)
{
    return caret() + imageHead(format, naturalSize, number) + caret() + caption + caret();
}

QString SizedImageTag(const QString &format, bool naturalSize, const QString &number,
                      const QString &width, const QString &caption)
{
    return caret() + imageHead(format, naturalSize, number) + QLatin1Char(':') + width + caret() +
           caption + caret();
}

QString ImageLinkTag(const QString &address, const QString &format, bool naturalSize,
                     const QString &number, const QString &caption)
{
    return QStringLiteral("^url^") + address + caret() + imageHead(format, naturalSize, number) +
           caret() + caption + caret();
}

QString RunningLineTag(const QString &type, const QString &background, const QString &direction,
                       const QString &duration, const QString &textColor, const QString &text)
{
    const QChar colon(QLatin1Char(':'));
    return QStringLiteral("^run:") + type + colon + background + colon + direction + colon +
           duration + colon + textColor + caret() + text + caret();
}

QString LineFormatTag(const QString &alignment, const QString &background, const QString &textColor,
                      const QString &text)
{
    return caret() + alignment + QStringLiteral(":#") + background + QStringLiteral(":#") +
           textColor + caret() + text;
}

} // namespace markup
