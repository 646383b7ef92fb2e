// TMemo: the text area of pages and messages, with caret-tag highlighting and caret reports.
#pragma once

#include <QFont>
#include <QPlainTextEdit>
#include <QTextBlock>

class QLabel;
class QTimer;
class CaretTagHighlighter;
class ChunkedLoad;

class TMemo : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TMemo(QWidget *parent = nullptr);

    // The label that shows "(line,column)"; none by default. Only a text area with a label
    // reports its caret position.
    void setPositionLabel(QLabel *label) { PositionLabel = label; }
    QLabel *positionLabel() const { return PositionLabel; }

    // The words painted as keywords; markup::KeywordList() unless the owner gives its own.
    void setKeywords(const QStringList &keywords);
    QStringList keywords() const;
    CaretTagHighlighter *highlighter() const { return m_highlighter; }

    // Displayed lines: with word wrap on, a wrapped paragraph counts as several lines.
    int FirstVisibleLine() const;
    // Outer height / (font height in pixels + 2), as the painting budget of one screen.
    int VisibleLineCount() const;
    int CaretLine() const;   // line of the selection start, from 0
    int CaretColumn() const; // selection start minus the start of its line
    // Sets the label to "(line,column)" and raises positionReported. On a huge wrapped page
    // whose upper part is not laid out yet, the line may be short for a moment: the report
    // does a few milliseconds of layout and an idle catch-up reports again when exact.
    void UpdatePosition();
    // A full repaint of the text (F4 and the context menu's refresh).
    void Repaint();

    // The whole text with line breaks as "\n" and every character the document holds. A text
    // still being loaded is loaded to the end first.
    QString text() const;
    // text() of what has arrived so far of a text still being loaded.
    QString textSoFar() const;
    // text() from the document's raw text; touches no widget, so another thread may run it.
    static QString textFromRaw(QString raw);
    // CR LF and LF both end a line. A big text shows its first screen at once and arrives
    // whole in idle steps. Its arrival is no change: it leaves the modified mark as it was
    // and is no step of Undo, which takes back only what was typed since the last piece.
    void setText(const QString &text);
    bool isLoading() const;
    // Puts the rest of a text still being loaded into the document now.
    void finishLoading();
    // As QPlainTextEdit's, with the whole text.
    void selectAll();
    // As QPlainTextEdit's, but the keyboard still moves the caret and selects while read-only.
    void setReadOnly(bool readOnly);

    // The lines the area displays and operations on them (the prefix and convert rules).
    // A line break at the very end adds no line; an empty text has none. lineText and
    // replaceLine also accept that last empty line, where the caret may stand. Counting them
    // lays out the whole text; the lines joined equal text() without its line breaks.
    int lineCount() const;
    QString lineText(int line) const;
    void replaceLine(int line, const QString &text);

    // The displayed line holding the selection start, as lineText(CaretLine()) and
    // replaceLine(CaretLine(), ...) give it, without counting the lines above it (which on a
    // huge wrapped page may need seconds of layout).
    QString caretLineText() const;
    void replaceCaretLine(const QString &text);

    QString selectedText() const;
    void replaceSelection(const QString &text);

signals:
    // Raised by UpdatePosition when a position label is set: line from 1, column from 0.
    void positionReported(int line, int column);
    // A text set by setText is now whole in the document.
    void loadingFinished();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // What a block's wrapped layout depends on; when it changes, every layout is redone.
    struct LayoutKey
    {
        int width = -1;
        int lineWrap = -1;
        int wordWrap = -1;
        qreal tabStop = -1;
        QFont font;
        bool operator==(const LayoutKey &) const = default;
    };
    LayoutKey currentLayoutKey() const;
    // Lays out every block up to and including blockNumber, so that firstLineNumber() of
    // those blocks counts displayed lines exactly; with a budget, stops after that many
    // milliseconds and returns false.
    bool layOutThrough(int blockNumber, int budgetMs = -1) const;
    // Column (x) and displayed line (y) of a position, with the blocks laid out so far.
    QPoint positionInLines(int position) const;
    void catchUpLayout();
    // The block holding displayed line `line`, laid out; invalid past the end.
    QTextBlock blockOfLine(int line) const;
    // Index of the displayed line of a laid-out block that holds positionInBlock.
    static int lineInBlock(const QTextBlock &block, int positionInBlock);
    int caretStart() const;
    // Document position and length of the displayed line that holds the selection start.
    QPair<int, int> caretLineRange() const;
    void replaceRange(int start, int length, const QString &text);
    void paintLongLineColours(const QTextBlock &first, const QTextBlock &last);

    QLabel *PositionLabel = nullptr;
    CaretTagHighlighter *m_highlighter = nullptr;
    ChunkedLoad *m_load = nullptr;
    // Finishes, in idle slices, the layout that a report left undone.
    QTimer *m_catchUp = nullptr;
    static constexpr int reportBudgetMs = 4;

    // Every block before m_laidOutBefore holds a layout made under m_layoutKey. Blocks the
    // document layout has not reached count as one line there, so counting displayed lines
    // exactly needs them laid out first; this mark makes that a one-off cost per relayout,
    // not a walk of the whole document per keystroke.
    mutable int m_laidOutBefore = 0;
    mutable LayoutKey m_layoutKey;
};
