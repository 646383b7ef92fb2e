// Start-up: the splash window, the creation of every window in order, the event loop.
#pragma once

#include <QStringList>

#include <span>

class QApplication;
class TAboutF;
class TForm1;
class THelpTagF;
class TLinkF;
class TImageF;
class TImageWidthF;
class TImageLinkF;
class TRunLineF;
class TFormatF;
class TNickF;
class TOptionsF;
class TSplashF;

namespace startup {

// The windows created at start; each lives for the whole run and is owned by the main window.
// A window built later gets a field here and a creation step below.
struct Windows
{
    TForm1 *mainWindow = nullptr;
    THelpTagF *tagHelp = nullptr;
    TLinkF *link = nullptr;
    TImageF *image = nullptr;
    TImageWidthF *imageWidth = nullptr;
    TImageLinkF *imageLink = nullptr;
    TRunLineF *runLine = nullptr;
    TAboutF *about = nullptr;
    TFormatF *lineFormat = nullptr;
    TNickF *nick = nullptr;
    TOptionsF *options = nullptr;
};

// One step of the start-up: create something (or nothing), then set the splash status (when
// given), then its progress (when not NoProgress).
struct Step
{
    static constexpr int NoProgress = -1;
    const char *name;
    void (*create)(Windows &windows);
    int progress;
    const char *status = nullptr;
};

// The steps in order.
std::span<const Step> steps();

// Runs every step with the splash window showing each state; returns the windows created.
Windows createWindows(TSplashF &splash);

// Opens the page named on the command line (the program's arguments, the program first), if
// any. A page that cannot be opened gets the same message as Open gives; the page stays
// untitled. After recovered text it opens through the unsaved-text question, once the window is
// shown.
void openCommandLinePage(TForm1 *mainWindow, const QStringList &arguments,
                         bool afterRecovery = false);

// The whole program: splash, windows, event loop. Returns the exit status.
int run(QApplication &app);

} // namespace startup
