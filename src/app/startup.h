// Start-up: the splash window, the creation of every window in order, the event loop.
#pragma once

class QApplication;

namespace startup {

int run(QApplication &app);

} // namespace startup
