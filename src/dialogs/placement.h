// Where the tag dialogs open: in the middle of their screen.
#pragma once

class QWidget;

// Places a window in the middle of its screen (the main window's screen when it has none yet).
void centreOnScreen(QWidget *window);
