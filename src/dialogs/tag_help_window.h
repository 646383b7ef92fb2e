// THelpTagF: the modeless window that lists sample tags with their rendered effect.
#pragma once

#include "editor/insertion.h"

#include <QDialog>
#include <QListWidget>
#include <QPixmap>
#include <QStringList>

#include <functional>

class QLineEdit;
class QPushButton;
class QTextDocument;
class QTimer;
class QToolButton;

namespace taghelp {

// The 24 entries of the list: a tag sample, " - " and a display part in the list's HTML subset
// (b, i, u, s, blink, a href, font color="clNAME", p align, hr, img src="109.bmp").
const QStringList &entries();
// The entry's tag: its text before the first " -", or nothing when it has none.
QString sampleOf(const QString &entry);
// The display part translated into Qt rich text; blinking text is hidden when !blinkShown.
QString richText(const QString &entry, bool blinkShown);
// Link addresses the shell opens: web and mail addresses only.
bool opensThroughShell(const QString &href);
// The picture "109.bmp" of the image sample, 16 by 12 pixels.
QPixmap picture();

} // namespace taghelp

// The list of tag samples, each rendered from its HTML subset; links open on a press.
class TagHelpList : public QListWidget
{
    Q_OBJECT
public:
    explicit TagHelpList(QWidget *parent = nullptr);

    void setEntries(const QStringList &entries);
    // Shows or hides every blinking text of the list.
    void setBlinkShown(bool shown);
    bool blinkShown() const { return BlinkShown; }
    int rowHeight() const;
    // The link address under a point of the viewport, or nothing.
    QString anchorAt(const QPoint &viewportPos) const;
    // The rendered entry of a row, laid out at the row's width; the origin of its drawing.
    void prepareDocument(QTextDocument &document, int row, const QRect &rowRect,
                         bool selected = false) const;
    QPoint documentOrigin(const QTextDocument &document, const QRect &rowRect) const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    bool BlinkShown = true;
};

class THelpTagF : public QDialog
{
    Q_OBJECT
public:
    // The hint of the copy button, read at every show; by default the hint of the tool button
    // named "ToolButton13" among the top-level windows.
    using HintSource = std::function<QString()>;

    explicit THelpTagF(insertion::ActiveMemo activeMemo, QWidget *parent = nullptr,
                       HintSource hintSource = {});

    // Shows the window without making it modal, or brings it to the front when it is shown.
    void MirvaleTags1Click();

    void HTMListBox1Click();
    void HTMListBox1DblClick();
    void sSpeedButton1Click();
    void sButton1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void FormShow();

    insertion::ActiveMemo ActiveMemo;
    HintSource Hint;
    TagHelpList *HTMListBox1;
    QLineEdit *sEdit1;
    QToolButton *sSpeedButton1;
    QPushButton *sButton1;
    QTimer *BlinkTimer;
};

// Connects the main window's "Mirvale Tags" action `MirvaleTags1` (which its toolbar button
// triggers) to the window; it may be missing.
void connectTagHelp(QWidget *mainWindow, THelpTagF *window);
