#include "app/startup.h"

#include "app/about_window.h"
#include "app/document_life.h"
#include "app/main_window.h"
#include "app/spelling_control.h"
#include "app/page_extras.h"
#include "app/splash_window.h"
#include "browser/site_browser_tab.h"
#include "dialogs/dialog_openers.h"
#include "dialogs/image_dialogs.h"
#include "dialogs/line_format_dialog.h"
#include "dialogs/link_dialog.h"
#include "dialogs/nick_builder.h"
#include "dialogs/run_line_dialog.h"
#include "dialogs/tag_help_window.h"
#include "editor/finish_window.h"
#include "editor/page_commands.h"
#include "markup/color_converter.h"
#include "options/options_dialog.h"
#include "platform/app_paths.h"
#include "platform/system_colors.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QTimer>

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

// The main-menu item that opens a modal window.
void openOnAction(TForm1 *mainWindow, const QString &actionName, QDialog *window)
{
    QObject::connect(mainWindow->action(actionName), &QAction::triggered, window,
                     [window] { window->exec(); });
}

void createAboutWindow(Windows &windows)
{
    windows.about = new TAboutF(windows.mainWindow);
    openOnAction(windows.mainWindow, QStringLiteral("about1"), windows.about);
}

void createFinishWindow(Windows &windows)
{
    PageCommands *commands = windows.mainWindow->pageCommands();
    commands->setFinishWindow(new TFinishF(windows.mainWindow));
}

insertion::ActiveMemo activeMemoOf(TForm1 *mainWindow)
{
    return [mainWindow] { return mainWindow->activeMemo(); };
}

void createTagHelpWindow(Windows &w)
{
    w.tagHelp = new THelpTagF(activeMemoOf(w.mainWindow), w.mainWindow);
    connectTagHelp(w.mainWindow, w.tagHelp);
}

// A tag dialog: it writes into whichever text area is active when it is used.
template <typename Dialog, Dialog *Windows::*field> void createTagDialog(Windows &w)
{
    w.*field = new Dialog(activeMemoOf(w.mainWindow), w.mainWindow);
}

void createLineFormatDialog(Windows &w)
{
    createTagDialog<TFormatF, &Windows::lineFormat>(w);
    // Every tag dialog exists now: the Insert and Format commands can open them.
    dialogs::connectDialogOpeners(
        w.mainWindow, activeMemoOf(w.mainWindow),
        {w.link, w.image, w.imageWidth, w.imageLink, w.runLine, w.lineFormat});
}

void createNickBuilder(Windows &w)
{
    w.nick = new TNickF(w.mainWindow);
    connectNickBuilder(w.mainWindow, w.nick);
}

// Last: reading the stored options relabels every window created before it.
void createOptionsDialog(Windows &w)
{
    TForm1 *form = w.mainWindow;
    SiteBrowserTab *browser = form->siteBrowserTab();
    // The "Изображения" option governs the site browser and the site view alike.
    const auto browserImages = TOptionsF::imageSwitchOf(browser->view());
    const QPointer<PageExtras> extras = form->pageExtras();
    const auto images = [browserImages, extras](bool on) {
        browserImages(on);
        if (extras)
            extras->setImagesEnabled(on);
    };
    w.options = new TOptionsF(images, apppaths::languageFolder(), form);
    TOptionsF *options = w.options;
    form->refreshBrowserAtStart = [options] { return options->refreshBrowserAtStart(); };
    browser->setCredentials([options] { return std::pair{options->login(), options->password()}; });
    openOnAction(form, QStringLiteral("options1"), options);
}

constexpr int None = Step::NoProgress;

const Step Steps[] = {
    {"initialise", nullptr, 1, "Инициализация..."},
    {"application title", setApplicationTitle, None},
    {"load", nullptr, 5, "Загрузка..."},
    {"TForm1", createMainWindow, None},
    {"THelpTagF", createTagHelpWindow, 35},
    {"TLinkF", createTagDialog<TLinkF, &Windows::link>, 40},
    {"TImageF", createTagDialog<TImageF, &Windows::image>, 45},
    {"TImageWidthF", createTagDialog<TImageWidthF, &Windows::imageWidth>, 50},
    {"TImageLinkF", createTagDialog<TImageLinkF, &Windows::imageLink>, 55},
    {"TRunLineF", createTagDialog<TRunLineF, &Windows::runLine>, 60},
    {"TAboutF", createAboutWindow, 70},
    {"TFinishF", createFinishWindow, None},
    {"TFormatF", createLineFormatDialog, 80},
    {"TNickF", createNickBuilder, 90},
    {"TOptionsF", createOptionsDialog, None},
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

void openCommandLinePage(TForm1 *mainWindow, const QStringList &arguments, bool afterRecovery)
{
    if (arguments.size() != 2 || arguments.at(1).startsWith(QLatin1Char('-')))
        return;
    const QString page = QFileInfo(arguments.at(1)).absoluteFilePath();
    if (afterRecovery)
        QTimer::singleShot(0, mainWindow,
                           [mainWindow, page] { mainWindow->documentLife()->openPage(page); });
    else
        mainWindow->pageCommands()->openFile(page);
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
    // Text that an instance which died had not saved comes back first; a page named on the
    // command line opens after it.
    const bool recovered = mainWindow->documentLife()->recoverUnsavedText();
    openCommandLinePage(mainWindow, QCoreApplication::arguments(), recovered);

    mainWindow->show();
    // Spell checking starts once the window is up: loading the dictionaries takes a moment.
    QTimer::singleShot(0, mainWindow, [mainWindow] {
        SpellingControl *spelling = mainWindow->spelling();
        spelling->setEnabled(spelling->action()->isChecked());
    });
    const int status = app.exec();
    // FormDestroy: the settings file is written, and every window goes with the main window.
    delete mainWindow;
    return status;
}

} // namespace startup
