// Spell checking of a text area: the words of the blocks that changed are checked after a short
// pause, a few milliseconds at a time, and misspelled ones get the spelling underline.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTextCursor>
#include <QTimer>

#include <memory>

class QAction;
class QMenu;
class SpellDictionary;
class TMemo;
class UnderlineLayer;

class SpellChecker : public QObject
{
    Q_OBJECT
public:
    struct Word
    {
        int start;
        int length;
        bool operator==(const Word &) const = default;
    };
    // The words of one line that are checked: never tag names or anything between a tag's
    // carets, addresses, or words with digits.
    static QList<Word> checkableWords(QStringView line);

    // The dictionary is shared by the text areas; the checker starts switched off.
    SpellChecker(TMemo *memo, std::shared_ptr<SpellDictionary> dictionary,
                 QObject *parent = nullptr);

    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }
    UnderlineLayer *layer() const { return m_layer; }

    // Checks every block still waiting, at once (tests, benchmarks).
    void checkPendingNow();
    bool hasPending() const { return !m_dirty.isEmpty() || !m_sweep.isNull(); }

    // The context menu gets, at its top, up to five suggestions for the misspelled word under
    // the place it was opened at, and "Add to dictionary".
    void attachMenu(QMenu *menu);
    // Where the next context menu was opened, as a text position (tests; a right click sets it).
    void setMenuPosition(int position);
    // The misspelled word at `position`, or an empty text.
    QString misspelledAt(int position, int *start = nullptr) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void contentsChange(int from, int removed, int added);
    void checkSome();
    void sweepAll();
    bool sweepOne();       // checks the sweep's next block; false when there is no sweep
    bool checkOneEdited(); // checks one edited block; false when none waits
    void checkBlock(int blockNumber);
    bool isCorrect(const QString &word);
    void fillMenu(QMenu *menu);
    void replaceWord(int start, int length, const QString &with);

    QPointer<TMemo> m_memo;
    std::shared_ptr<SpellDictionary> m_dictionary;
    UnderlineLayer *m_layer = nullptr;
    bool m_enabled = false;
    QSet<int> m_dirty; // edited blocks waiting to be checked, by number
    int m_blockCount = 0;
    QTextCursor m_sweep; // the next block of a check of the whole text, or null
    int m_viewTop = -1;  // the first block shown, and the text's revision, when last checked
    int m_viewRevision = -1;
    QTimer m_pause; // starts after typing pauses
    QTimer m_slice; // continues in idle slices
    QHash<QString, bool> m_known;
    int m_menuPosition = -1;
    QList<QAction *> m_menuActions;
};
