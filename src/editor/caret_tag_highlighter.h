// Colours caret-tag markup: separator runs red, keywords blue with a dotted orange underline,
// numbers green, other words black, in the regular style of the text area's font.
#pragma once

#include <QFont>
#include <QStringList>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

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
    const QStringList &keywords() const { return m_keywords; }

    // The drawing font: the area's family and size, every other attribute the default.
    static QFont drawingFont(const QFont &areaFont);

protected:
    void highlightBlock(const QString &text) override;

private:
    void buildFormats(const QFont &areaFont);

    QStringList m_keywords;
    QTextCharFormat m_separator;
    QTextCharFormat m_keyword;
    QTextCharFormat m_number;
    QTextCharFormat m_word;
};
