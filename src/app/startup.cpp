#include "app/startup.h"

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "editor/finish_window.h"
#include "editor/page_commands.h"
#include "markup/color_converter.h"
#include "platform/system_colors.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>

namespace startup {

namespace {

void setApplicationTitle(Windows &)
{
    QApplication::setApplicationName(QStringLiteral("Mirvale Rivi Razare"));
    markup::setSystemColorLookup(&systemcolors::rgbOf);
}

void createMainWindow(Windows &windows)
{
    windows.mainWindow = new TForm1;
}

void createAboutWindow(Windows &windows)
{
    windows.about = new TAboutF(windows.mainWindow);
    TAboutF *about = windows.about;
    QObject::connect(windows.mainWindow->action(QStringLiteral("about1")), &QAction::triggered,
                     about, [about] { about->exec(); });
}

void createFinishWindow(Windows &windows)
{
    PageCommands *commands = windows.mainWindow->pageCommands();
    commands->setFinishWindow(new TFinishF(windows.mainWindow));
}

// Windows that are not part of the program yet: their steps only move the progress bar. Each
// is replaced by a creation function when its window is built.
constexpr auto tagHelpWindowPlaceholder = nullptr;    // THelpTagF
constexpr auto linkDialogPlaceholder = nullptr;       // TLinkF
constexpr auto imageDialogPlaceholder = nullptr;      // TImageF
constexpr auto imageWidthDialogPlaceholder = nullptr; // TImageWidthF
constexpr auto imageLinkDialogPlaceholder = nullptr;  // TImageLinkF
constexpr auto runLineDialogPlaceholder = nullptr;    // TRunLineF
constexpr auto lineFormatDialogPlaceholder = nullptr; // TFormatF
constexpr auto nickBuilderPlaceholder = nullptr;      // TNickF
constexpr auto optionsDialogPlaceholder = nullptr;    // TOptionsF: last, it relabels the others

constexpr int None = Step::NoProgress;

const Step Steps[] = {
    {"initialise", nullptr, 1, "Инициализация..."},
    {"application title", setApplicationTitle, None},
    {"load", nullptr, 5, "Загрузка..."},
    {"TForm1", createMainWindow, None},
    {"THelpTagF", tagHelpWindowPlaceholder, 35},
    {"TLinkF", linkDialogPlaceholder, 40},
    {"TImageF", imageDialogPlaceholder, 45},
    {"TImageWidthF", imageWidthDialogPlaceholder, 50},
    {"TImageLinkF", imageLinkDialogPlaceholder, 55},
    {"TRunLineF", runLineDialogPlaceholder, 60},
    {"TAboutF", createAboutWindow, 70},
    {"TFinishF", createFinishWindow, None},
    {"TFormatF", lineFormatDialogPlaceholder, 80},
    {"TNickF", nickBuilderPlaceholder, 90},
    {"TOptionsF", optionsDialogPlaceholder, None},
    {"start", nullptr, 99, "Запуск..."},
};

} // namespace

std::span<const Step> steps()
{
    return Steps;
}

Windows createWindows(TSplashF &splash)
{
    Windows windows;
    for (const Step &step : steps()) {
        if (step.create)
            step.create(windows);
        if (step.status)
            splash.setStatus(QString::fromUtf8(step.status));
        if (step.progress != Step::NoProgress)
            splash.setProgress(step.progress);
    }
    return windows;
}

int run(QApplication &app)
{
    auto *splash = new TSplashF;
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const Windows windows = createWindows(*splash);
    splash->hide();
    delete splash;

    TForm1 *mainWindow = windows.mainWindow;
    // A page named on the command line opens at once.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 2 && !arguments.at(1).startsWith(QLatin1Char('-')) &&
        QFileInfo(arguments.at(1)).isFile())
        mainWindow->pageCommands()->openFile(QFileInfo(arguments.at(1)).absoluteFilePath());

    mainWindow->show();
    const int status = app.exec();
    // FormDestroy: the settings file is written, and every window goes with the main window.
    delete mainWindow;
    return status;
}

} // namespace startup
