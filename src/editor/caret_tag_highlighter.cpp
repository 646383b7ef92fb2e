#include "editor/caret_tag_highlighter.h"

#include "markup/keywords.h"

CaretTagHighlighter::CaretTagHighlighter(const QFont &areaFont, const QStringList &keywords,
                                         QTextDocument *document)
    : QSyntaxHighlighter(static_cast<QObject *>(nullptr)), m_keywords(keywords)
{
    buildFormats(areaFont);
    // Attached after the formats exist; the base class colours the existing text once.
    setDocument(document);
}

QFont CaretTagHighlighter::drawingFont(const QFont &areaFont)
{
    QFont font;
    if (areaFont.families().isEmpty())
        font.setFamily(areaFont.family());
    else
        font.setFamilies(areaFont.families());
    // The style hint carries the fallback for families that Linux lacks.
    font.setStyleHint(areaFont.styleHint(), areaFont.styleStrategy());
    if (areaFont.pixelSize() > 0)
        font.setPixelSize(areaFont.pixelSize());
    else
        font.setPointSizeF(areaFont.pointSizeF());
    return font;
}

void CaretTagHighlighter::buildFormats(const QFont &areaFont)
{
    QTextCharFormat base;
    // Every property of the font is written, so a bold or italic area font cannot leak
    // into the drawing.
    base.setFont(drawingFont(areaFont), QTextCharFormat::FontPropertiesAll);

    m_separator = base;
    m_separator.setForeground(separatorColor());
    m_keyword = base;
    m_keyword.setForeground(keywordColor());
    m_keyword.setUnderlineStyle(QTextCharFormat::DotLine);
    m_keyword.setUnderlineColor(keywordUnderlineColor());
    m_number = base;
    m_number.setForeground(numberColor());
    m_word = base;
    m_word.setForeground(wordColor());
}

void CaretTagHighlighter::setAreaFont(const QFont &areaFont)
{
    buildFormats(areaFont);
    rehighlight();
}

void CaretTagHighlighter::setKeywords(const QStringList &keywords)
{
    m_keywords = keywords;
    rehighlight();
}

void CaretTagHighlighter::highlightBlock(const QString &text)
{
    for (const markup::WordSpan &span : markup::SplitLine(text, m_keywords)) {
        const QTextCharFormat *format = &m_word;
        switch (span.kind) {
        case markup::WordSpan::Separator:
            format = &m_separator;
            break;
        case markup::WordSpan::Keyword:
            format = &m_keyword;
            break;
        case markup::WordSpan::Number:
            format = &m_number;
            break;
        case markup::WordSpan::Word:
            break;
        }
        setFormat(int(span.start), int(span.length), *format);
    }
}
