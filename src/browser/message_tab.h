// The Message tab: the message text area above its live HTML preview.
#pragma once

#include <QWidget>

class TMemo;
class HtmlView;

class MessageTab : public QWidget
{
    Q_OBJECT
public:
    explicit MessageTab(QWidget *parent = nullptr);

    TMemo *memo() const { return m_memo; } // Memo2
    HtmlView *preview() const { return m_preview; } // EmbeddedWB1, may be null until built

    bool isPreviewVisible() const;
    void setPreviewVisible(bool visible);

signals:
    // The close button hid the preview panel.
    void previewClosed();

private:
    TMemo *m_memo = nullptr;
    QWidget *m_panel = nullptr; // PanelPreView
    HtmlView *m_preview = nullptr;
};
