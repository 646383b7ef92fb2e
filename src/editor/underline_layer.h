// Wavy underlines drawn after a text area's own painting, one colour per kind of mark (tag
// problems, spelling), with the mark's message as a tooltip; marks follow the edits of the text.
#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>
#include <vector>

class QPlainTextEdit;

class UnderlineLayer : public QObject
{
    Q_OBJECT
public:
    // Kinds used by the program; any other number works the same with its own colour.
    enum Kind { Problem = 0, Spelling = 1 };

    struct Mark
    {
        int start = 0;  // document position
        int length = 0; // at least 1 to be drawn
        QString message;
        int kind = Problem;
        int end() const { return start + length; }
        bool operator==(const Mark &) const = default;
    };

    // Draws on `memo`'s viewport; the layer belongs to the memo.
    explicit UnderlineLayer(QPlainTextEdit *memo);
    // The memo's shared layer (the tag checker's and the spelling's), made on first use.
    static UnderlineLayer *of(QPlainTextEdit *memo);

    static QColor defaultColor(int kind);
    void setColor(int kind, const QColor &color);
    QColor color(int kind) const;

    // Replaces the marks of `kind` that start in the blocks firstBlock..lastBlock (numbers,
    // inclusive; lastBlock -1 means to the end) by `marks`, whose kind is set to `kind`.
    void setMarks(int kind, int firstBlock, int lastBlock, QList<Mark> marks);
    void clear(int kind);

    int count(int kind) const;
    QList<Mark> marks(int kind) const; // in document order
    // Marks of every kind that cover `position` (start <= position < end).
    QList<Mark> marksAt(int position) const;
    // The first mark of `kind` (-1: any) that starts after / before `position`; with wrap,
    // the search goes round the document once.
    std::optional<Mark> nextMark(int position, int kind = -1, bool wrap = true) const;
    std::optional<Mark> previousMark(int position, int kind = -1, bool wrap = true) const;

    // Viewport rectangles (one per displayed line) that a mark's underline covers.
    QList<QRect> markRects(const Mark &mark) const;

signals:
    // After marks were set, cleared or dropped by an edit.
    void marksChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct KindMarks
    {
        QColor color;
        std::vector<Mark> marks; // sorted by start
        int longest = 0;         // the longest length, to bound lookups by position
    };

    void documentChanged(int from, int removed, int added);
    void paint(const QRect &area);
    void showToolTip(const QPoint &viewportPos, const QPoint &globalPos);
    static std::vector<Mark>::const_iterator firstReaching(const KindMarks &marks, int position);

    QPointer<QPlainTextEdit> m_memo;
    bool m_inPaint = false;
    QHash<int, KindMarks> m_kinds;
    int m_revision = -1;
};
