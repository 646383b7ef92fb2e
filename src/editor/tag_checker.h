// Checks the caret tags of a text area while the user types: the blocks that changed are read
// again after a short pause, in slices, and their problems shown as wavy underlines.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QPlainTextEdit;
class QTimer;
class UnderlineLayer;

class TagChecker : public QObject
{
    Q_OBJECT
public:
    // The pause after the last change before the changed blocks are read again.
    static constexpr int PauseMs = 150;

    // Checks `memo`'s text; the checker belongs to the memo and draws on its shared layer.
    explicit TagChecker(QPlainTextEdit *memo);

    struct Problem
    {
        int position = 0; // in the document
        int length = 0;
        int line = 0;   // paragraph, from 1
        int column = 0; // from 1
        QString message;
    };
    int count() const;
    QList<Problem> problems() const; // in document order
    // Whether changed blocks wait to be read.
    bool isPending() const;
    // Reads every changed block now instead of after the pause.
    void checkNow();
    // Reads the whole text again after the pause (the messages' language changed).
    void recheckAll();

    UnderlineLayer *layer() const { return m_layer; }

signals:
    // After problems were found, fixed or dropped by an edit.
    void problemsChanged(int count);

private:
    void contentsChanged(int from, int removed, int added);
    void checkSlice(int budgetMs);

    QPlainTextEdit *m_memo;
    UnderlineLayer *m_layer;
    QTimer *m_timer;
    int m_dirtyFirst = -1; // block numbers still to read; -1: none
    int m_dirtyLast = -1;
    int m_blockCount = 1;
    int m_revision = -1;
};
