// Stands in for the desktop shell while it lives: records every address the program hands to
// it for the given schemes, instead of starting a browser or a mail program.
#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

class ShellCatcher : public QObject
{
    Q_OBJECT
public:
    explicit ShellCatcher(const QStringList &schemes = {QStringLiteral("http")})
        : m_schemes(schemes)
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~ShellCatcher() override
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }

private:
    QStringList m_schemes;
};
