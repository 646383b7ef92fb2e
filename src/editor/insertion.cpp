#include "editor/insertion.h"

#include "editor/highlighting_memo.h"

namespace insertion {

void prefixRule(TMemo *memo, const QString &tag)
{
    const QString selected = memo->selectedText();
    if (!selected.isEmpty()) {
        memo->replaceSelection(tag + selected);
        return;
    }
    const int line = memo->CaretLine();
    memo->replaceLine(line, tag + memo->lineText(line));
}

void caretRule(TMemo *memo, const QString &text) { memo->replaceSelection(text); }

void lineBreakRule(TMemo *memo)
{
    if (memo->hasFocus())
        caretRule(memo, QStringLiteral("^br^"));
}

} // namespace insertion
