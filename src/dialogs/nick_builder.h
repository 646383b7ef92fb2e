// TNickF: the nick builder, which composes a coloured nickname piece by piece with a live preview.
#pragma once

#include "markup/color_converter.h"
#include "markup/nick.h"

#include <QDialog>
#include <QStringList>

class HtmlView;
class NickColorPicker;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class TNickF : public QDialog
{
    Q_OBJECT
public:
    explicit TNickF(QWidget *parent = nullptr);

    const markup::Nick &nick() const { return m_nick; }
    // The eight lines of the preview page as last built.
    QStringList pageLines() const { return m_page; }
    // The selected piece, or -1.
    int selectedPiece() const;

    // Where the preview page is written; the per-user cache file unless set (tests).
    QString previewFile() const;
    void setPreviewFile(const QString &path) { m_previewFile = path; }

    // Handlers, named after their controls and events.
    void refreshNick();
    void EditPreviewChange();
    void Memo1Click();
    void Edit1Change();
    void ColorTextChange();
    void ColorBgChange();
    void ColorWBChange();
    void Button5Click(); // add
    void Button4Click(); // delete
    void Button3Click(); // up
    void Button6Click(); // down
    void Button2Click(); // copy
    void Button1Click(); // close

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void buildControls();
    void fitSize();
    // Selects a row without running Memo1Click: only the user's choice of a row does.
    void selectPiece(int index);
    void moveText(int from, int to);
    void showLists();

    markup::Nick m_nick{{QStringLiteral("User"), QStringLiteral("Black"), QStringLiteral("White")}};
    QString m_browserBackground; // empty until the user picks one
    QStringList m_page;
    QString m_previewFile;
    bool m_placed = false;

    markup::ColorConverter TextToHTMLColor;
    markup::ColorConverter BGToHTMLColor = markup::ColorConverter::white();
    markup::ColorConverter WBToHTMLColor = markup::ColorConverter::white();

    QLineEdit *Edit1 = nullptr;
    QListWidget *Memo1 = nullptr;
    QPlainTextEdit *MemoText = nullptr;
    QPlainTextEdit *MemoBg = nullptr;
    QPlainTextEdit *MemoTemp = nullptr;
    QPushButton *Button5 = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button6 = nullptr;
    NickColorPicker *ColorText = nullptr;
    NickColorPicker *ColorBg = nullptr;
    NickColorPicker *ColorWB = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *LabelPreview = nullptr;
    HtmlView *WebBrowser1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *EditPreview = nullptr;
    QLabel *LabelCount = nullptr;
    QLabel *sWebLabel1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button1 = nullptr;
};

// Lets the main window's File menu item Nick1 show the nick builder modelessly.
void connectNickBuilder(QWidget *mainWindow, TNickF *window);
