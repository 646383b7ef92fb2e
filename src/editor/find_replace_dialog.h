// The modeless find and replace dialogs of the main window, and the text search they share.
#pragma once

#include "editor/insertion.h"
#include "platform/interface_texts.h"

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace textsearch {

struct Options
{
    bool down = true;
    bool matchCase = false;
    bool wholeWord = false;
};

// The start of the next occurrence of `what` in `text`, or -1. Down: the first occurrence that
// starts at or after `from`. Up: the last occurrence that ends at or before `from`. A whole
// word has no letter, digit or underscore right before or after it.
qsizetype find(const QString &text, const QString &what, qsizetype from, const Options &options);

// Whether a selected text counts as the find text under the match-case option.
bool sameText(const QString &selected, const QString &what, bool matchCase);

} // namespace textsearch

// What the find and replace dialogs have in common: the find text, the two options, the text
// area they search (the main window's active one, asked afresh on every search) and the
// not-found message.
class FindReplaceBase : public QDialog
{
    Q_OBJECT
public:
    QString findText() const;
    void setFindText(const QString &text);
    bool matchCase() const;
    bool wholeWord() const;
    void setMatchCase(bool on);
    void setWholeWord(bool on);

    // Shows the dialog, or brings it to the front when it is shown already.
    void present();

    // Searches from the selection of the active text area and selects the hit; shows the
    // not-found message and returns false when there is none.
    bool findNext();

    // The information box; tests replace it. Arguments: caption, text.
    std::function<void(const QString &, const QString &)> inform;

protected:
    // The caption of its messages follows the language file.
    FindReplaceBase(insertion::ActiveMemo activeMemo, interfacetexts::Text messageCaption,
                    QWidget *parent);
    virtual bool searchesDown() const = 0;
    // The two options and the direction, as the search takes them.
    textsearch::Options searchOptions() const;
    // The button stays disabled while the find text is empty.
    void needsFindText(QPushButton *button);
    void notFound();
    TMemo *memo() const { return m_activeMemo ? m_activeMemo() : nullptr; }

    QLineEdit *m_findEdit = nullptr;
    QCheckBox *m_wholeWord = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QPushButton *m_findNextButton = nullptr;
    QPushButton *m_cancelButton = nullptr;

private:
    void updateButtons();

    QList<QPushButton *> m_searchButtons;
    insertion::ActiveMemo m_activeMemo;
    interfacetexts::Text m_messageCaption;
};

// The find dialog JvFindReplace1: find text, whole word, match case and a direction that
// starts as "up" and is then kept.
class FindDialog : public FindReplaceBase
{
    Q_OBJECT
public:
    explicit FindDialog(insertion::ActiveMemo activeMemo, QWidget *parent = nullptr);

    bool searchesDown() const override;
    void setSearchesDown(bool down);

private:
    QRadioButton *m_up = nullptr;
    QRadioButton *m_down = nullptr;
};

// The replace dialog JvFindReplace2: always searches down.
class ReplaceDialog : public FindReplaceBase
{
    Q_OBJECT
public:
    explicit ReplaceDialog(insertion::ActiveMemo activeMemo, QWidget *parent = nullptr);

    QString replaceText() const;
    void setReplaceText(const QString &text);

    // Replaces the selection when it is the find text (finding a hit first when nothing is
    // selected), then selects the next hit.
    void replace();
    // Replaces every occurrence from the selection to the end of the text in one undo step
    // and reports the count; returns it.
    int replaceAll();

protected:
    bool searchesDown() const override { return true; }

private:
    QLineEdit *m_replaceEdit = nullptr;
    QPushButton *m_replaceButton = nullptr;
    QPushButton *m_replaceAllButton = nullptr;
};
