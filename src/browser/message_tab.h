// The Message tab: the message text area above its live HTML preview.
#pragma once

#include <QString>
#include <QWidget>

class HtmlView;
class QAction;
class QLabel;
class QMenu;
class QToolButton;
class TMemo;

class MessageTab : public QWidget
{
    Q_OBJECT
public:
    explicit MessageTab(QWidget *parent = nullptr);

    TMemo *memo() const { return m_memo; }          // Memo2
    HtmlView *preview() const { return m_preview; } // EmbeddedWB1, may be null until built

    bool isPreviewVisible() const;
    void setPreviewVisible(bool visible);

    // Keeps a check item (the main menu's panelPreView2) and the preview panel in step: the
    // item's tick shows or hides the panel, and the close button clears the tick.
    void bindPreviewAction(QAction *action);

    // The preview status shown on the panel's header.
    QString previewCaption() const;
    // The preview status in the header, in the interface language.
    static QString captionOk();
    static QString captionRefused() { return captionOk() + QStringLiteral(" [!]"); }

    // The file the preview is written to; the per-user cache's Temp.html unless set.
    QString previewFile() const { return m_previewFile; }
    void setPreviewFile(const QString &path) { m_previewFile = path; }

    QMenu *contextMenu() const { return m_menu; } // PopupMenu2

signals:
    // The close button hid the preview panel.
    void previewClosed();

public slots:
    void Memo2Change();
    void sSpeedButton1Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildContextMenu();

    TMemo *m_memo = nullptr;
    QWidget *m_panel = nullptr;  // PanelPreView
    QLabel *m_caption = nullptr; // sPanel2
    HtmlView *m_preview = nullptr;
    QMenu *m_menu = nullptr;
    QString m_previewFile;
    QString m_lastMessage; // the text of the latest rebuild
};
