// Keeping a window within the screen whatever length its captions are given.
#pragma once

class QWidget;

namespace windowfit {

// A language file may give any caption up to 2047 characters, and a window grows to show its
// captions whole. When the window's layout would then need more than the screen's available
// width, the captions too long for a quarter of that width are cut to it (their whole text
// becomes their tool tip), so that every control, its buttons included, stays within reach.
// When the captions fit again (another language), the cuts are undone.
void keepWithinScreen(QWidget *window);

} // namespace windowfit
