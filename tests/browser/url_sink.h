// Stands in for the user's own web browser and mail program: while it lives, the addresses the
// program hands to the desktop for the given schemes are recorded here instead of opened.
#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>

class UrlSink : public QObject
{
    Q_OBJECT
public:
    explicit UrlSink(const QStringList &schemes) : m_schemes(schemes)
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlSink() override
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }

private:
    QStringList m_schemes;
};
