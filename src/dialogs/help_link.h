// HelpLink: a blue underlined label that opens one fixed address through the desktop shell.
#pragma once

#include <QLabel>
#include <QUrl>

class HelpLink : public QLabel
{
    Q_OBJECT
public:
    // The caption is the label's text, so the language loader can relabel it like any label.
    HelpLink(const QString &caption, const QUrl &address, QWidget *parent = nullptr);

    QUrl address() const { return m_address; }

protected:
    // Opens on the press, as a web link label does, not on the release.
    void mousePressEvent(QMouseEvent *event) override;

private:
    QUrl m_address;
};
