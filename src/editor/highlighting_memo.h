// TMemo: the text area of pages and messages, with caret-tag highlighting and caret reports.
#pragma once

#include <QPlainTextEdit>

class QLabel;

class TMemo : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TMemo(QWidget *parent = nullptr);

    // The label that shows "(line,column)"; none by default. Only a text area with a label
    // reports its caret position.
    void setPositionLabel(QLabel *label) { PositionLabel = label; }
    QLabel *positionLabel() const { return PositionLabel; }

    // Displayed lines: with word wrap on, a wrapped paragraph counts as several lines.
    int FirstVisibleLine() const;
    int VisibleLineCount() const;
    int CaretLine() const;   // line of the selection start, from 0
    int CaretColumn() const; // selection start minus the start of its line
    void UpdatePosition();

    // The whole text with CR LF kept as "\n" and every character the document holds.
    QString text() const;
    void setText(const QString &text);

    // The lines the area displays and operations on them (the prefix and convert rules).
    int lineCount() const;
    QString lineText(int line) const;
    void replaceLine(int line, const QString &text);

    QString selectedText() const;
    void replaceSelection(const QString &text);

signals:
    // Raised by UpdatePosition when a position label is set: line from 1, column from 0.
    void positionReported(int line, int column);

private:
    QLabel *PositionLabel = nullptr;
};
