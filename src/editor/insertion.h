// The rules by which commands and dialogs put tags into the active text area.
#pragma once

#include <QString>

#include <functional>

class TMemo;

namespace insertion {

// How a dialog or command finds the text area it acts on (the main window's active one).
using ActiveMemo = std::function<TMemo *()>;

// The tag goes before the selection, or at the start of the displayed caret line.
void prefixRule(TMemo *memo, const QString &tag);
// Replaces the selection, or inserts at the caret.
void caretRule(TMemo *memo, const QString &text);
// "^br^" by the caret rule, only while the text area has the keyboard focus.
void lineBreakRule(TMemo *memo);

} // namespace insertion
