#include "editor/insertion.h"

#include "editor/highlighting_memo.h"

namespace insertion {

namespace {

// "Только чтение" protects the text from every command, not just from typing.
bool writable(const TMemo *memo)
{
    return memo && !memo->isReadOnly();
}

} // namespace

void prefixRule(TMemo *memo, const QString &tag)
{
    if (!writable(memo))
        return;
    const QString selected = memo->selectedText();
    if (!selected.isEmpty()) {
        memo->replaceSelection(tag + selected);
        return;
    }
    // The displayed line: with word wrap the tag goes where the caret's screen line starts.
    memo->replaceCaretLine(tag + memo->caretLineText());
}

void caretRule(TMemo *memo, const QString &text)
{
    if (writable(memo))
        memo->replaceSelection(text);
}

void lineBreakRule(TMemo *memo)
{
    // Ctrl+Enter pressed elsewhere (an address box, say) must not reach the text.
    if (memo && memo->hasFocus())
        caretRule(memo, QStringLiteral("^br^"));
}

} // namespace insertion
