// The main window's commands on the page as a document and as text: files, editing, search,
// font, word wrap, read-only and Convert, all acting on the active text area.
#pragma once

#include "editor/insertion.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class FindDialog;
class QFileDialog;
class QWidget;
class ReplaceDialog;
class TFinishF;
class TMemo;

class PageCommands : public QObject
{
    Q_OBJECT
public:
    // The untitled page name "Без имени.mv".
    static QString untitledName();
    static QString applicationTitle();
    // The font the font dialog offers at its first opening: Lucida Console 10 pt.
    static QFont designFont();
    // A warning box that asks `question` with `yes` and Cancel; Cancel is the default.
    static bool confirmWithMessageBox(QWidget *parent, const QString &question, const QString &yes);

    // Switches word wrap with the scroll bars that go with it: vertical only while wrapping,
    // both while not.
    static void setWordWrap(TMemo *memo, bool on);
    static bool wordWrap(const TMemo *memo);

    // `window` parents the dialogs and message boxes.
    PageCommands(insertion::ActiveMemo activeMemo, QWidget *window);
    ~PageCommands() override;

    QString pageFileName() const { return PageFileName; }
    bool isUntitled() const;
    // The main window's caption: the page name without its folder, " - ", the title.
    QString caption() const;

    FindDialog *findDialog();
    ReplaceDialog *replaceDialog();
    TFinishF *finishWindow();
    // The conversion result window is one of the windows created at start-up; until it is
    // given, Convert makes its own.
    void setFinishWindow(TFinishF *window);
    QFont fontDialogFont() const { return m_fontDialogFont; }

    // --- Choices the user makes in dialogs; tests replace them. ------------------------------
    enum class FileChoice { Open, Save };
    // The path chosen in the open or save dialog, or an empty text for Cancel. `lastName` is
    // the name last chosen in that dialog.
    std::function<QString(FileChoice choice, const QString &lastName)> chooseFile;
    // The font chosen in the font dialog that opens on `initial`, or nothing for Cancel.
    std::function<std::optional<QFont>(const QFont &initial)> chooseFont;
    enum class Answer { Save, Discard, Cancel };
    // Whether to save changed text before it is discarded.
    std::function<Answer(const QString &question)> askSaveChanges;
    // Whether to write a text that code page 1251 cannot hold whole, with "?" in place of
    // what it cannot hold.
    std::function<bool(const QString &question)> confirmLossySave;
    // Whether the page file may be written over; asked before every write. Always yes unless
    // the owner knows better (another program changed the file since it was read).
    std::function<bool(const QString &path)> mayOverwrite;
    // Shows the conversion result window; modal by default.
    std::function<void(TFinishF *window)> showFinishWindow;

    // Before text is discarded: when the text area changed since it was last opened, saved or
    // emptied by New, asks whether to save it. False when the user cancels or the save fails.
    bool confirmDiscard(TMemo *memo);

    // The parts of the file commands, on a given text area.
    bool openFile(const QString &path); // into the active text area
    bool openFileInto(TMemo *memo, const QString &path);
    // The page name a recovered text had; an empty name makes the page untitled.
    void restorePageFileName(const QString &name);
    bool savePage(TMemo *memo); // Save: to PageFileName, or Save as when untitled
    bool savePageAs(TMemo *memo);
    bool writePage(TMemo *memo, const QString &path);

public slots:
    void new1Click();
    void open1Click();
    void save1Click();
    void saveas1Click();
    void undo1Click();
    void cut1Click();
    void copy1Click();
    void paste1Click();
    void delete1Click();
    void clear1Click();
    void selectall1Click();
    void CopyAll1Click();
    void find1Click();
    void findnext1Click();
    void replace1Click();
    void font1Click();
    void WordWrap1Click();
    void readonly1Click(bool ticked);
    void Convert1Click();

signals:
    // PageFileName changed: the caption and status panel 0 follow it.
    void pageFileNameChanged(const QString &pageFileName);
    // The active text area's word wrap after Перенос по словам: the item's tick follows it.
    void wordWrapChanged(bool on);
    // The text of this text area now stands in the page file.
    void pageWritten(TMemo *memo, const QString &text);
    // The file at `path` was just read or written and holds these bytes.
    void pageFileSynced(const QString &path, const QByteArray &bytes);

protected:
    // A new language renames an untitled page.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TMemo *active() const;
    void setPageFileName(const QString &name);
    QString chooseWithDialog(FileChoice choice, const QString &lastName);

    insertion::ActiveMemo m_activeMemo;
    QPointer<QWidget> m_window;
    QString PageFileName;
    bool m_untitled = true; // the untitled name follows the language, so it is no test of this
    QString m_lastOpenName;
    QString m_lastSaveName;
    QFont m_fontDialogFont;
    QPointer<FindDialog> JvFindReplace1;
    QPointer<ReplaceDialog> JvFindReplace2;
    QPointer<TFinishF> m_finishWindow;
    QPointer<QFileDialog> OpenDialog1;
    QPointer<QFileDialog> SaveDialog1;
};
