// The bold caption strip at the top of a preview panel (the message preview, the site view).
#pragma once

class QLabel;
class QString;
class QWidget;

namespace panelcaption {

constexpr int Height = 24;

// A caption in the button colours that a language file may make as long as it likes: the strip
// never forces its window wider than the screen.
QLabel *make(const QString &text, QWidget *parent);

} // namespace panelcaption
