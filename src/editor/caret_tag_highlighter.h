// Colours caret-tag markup: separator runs red, keywords blue with a dotted orange underline,
// numbers green, other words black, in the regular style of the text area's font.
//
// A small change is coloured at once. A big one (a huge page opened or pasted, a new font on
// a huge page) is coloured in idle slices, so the window never waits for it; the text area
// asks for the part it is about to draw first (highlightNow), so that no text is ever drawn
// with colours that are not its own.
#pragma once

#include <QFont>
#include <QList>
#include <QStringList>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextLayout>

class QTimer;

class CaretTagHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    static QColor separatorColor() { return QColor(255, 0, 0); }
    static QColor keywordColor() { return QColor(0, 0, 255); }
    static QColor keywordUnderlineColor() { return QColor(255, 128, 0); }
    static QColor numberColor() { return QColor(0, 128, 0); }
    static QColor wordColor() { return QColor(0, 0, 0); }

    CaretTagHighlighter(const QFont &areaFont, const QStringList &keywords,
                        QTextDocument *document);

    // Both re-colour the whole document: they change how every block looks.
    void setAreaFont(const QFont &areaFont);
    void setKeywords(const QStringList &keywords);

    // Colours every block between the two document positions that is still waiting.
    void highlightNow(int from, int to);
    // Whether some text still waits for its colours; finishing colours all of it at once.
    bool isPending() const { return !m_pending.isEmpty(); }
    void finish();

    // Changes of at most this many characters are coloured at once, bigger ones in slices.
    static constexpr int ImmediateLimit = 64 * 1024;

    // A line longer than this (a page pasted back from the site's one-line form) keeps one
    // format with hidden ink in its layout: Qt lays out a line with thousands of format ranges
    // several times slower than a plain one, on every keystroke. The text area paints such a
    // line's colours over the stretch in view instead (runsIn), which looks the same.
    static constexpr int LongLine = 16 * 1024;
    struct Run
    {
        int start; // in the line
        int length;
        QTextCharFormat format; // its colour and underline are painted; the glyphs stay as laid out
    };
    // The coloured runs of a line that meet the stretch [from, to).
    QList<Run> runsIn(const QString &line, int from, int to) const;
    const QStringList &keywords() const { return m_keywords; }

    // The drawing font: the area's family and size, every other attribute the default.
    static QFont drawingFont(const QFont &areaFont);

protected:
    void highlightBlock(const QString &text) override;

private:
    void buildFormats(const QFont &areaFont);
    const QTextCharFormat &formatOf(int kind) const;
    void contentsChanged(int from, int charsRemoved, int charsAdded);
    // Colours the blocks from `from` through `to`, all of them or, with a budget, until it is
    // spent; returns the position where it stopped (past `to` when done).
    int colour(int from, int to, qint64 budgetNs = -1);
    // All the text waits again (a new font or keyword list).
    void recolourAll();
    // The block's colours: one range per span, or for a long line one range over all of it
    // with hidden ink.
    QList<QTextLayout::FormatRange> rangesOf(const QTextBlock &block) const;
    void setRanges(const QTextBlock &block, const QList<QTextLayout::FormatRange> &wanted);
    void colourSlice();

    // Ranges of text still waiting for colours, as cursors that follow the edits.
    QList<QTextCursor> m_pending;
    QTimer *m_slices = nullptr;
    bool m_colouring = false;

    QStringList m_keywords;
    QTextCharFormat m_separator;
    QTextCharFormat m_keyword;
    QTextCharFormat m_number;
    QTextCharFormat m_word;
    QTextCharFormat m_hiddenInk;
};
