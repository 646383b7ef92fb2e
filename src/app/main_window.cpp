#include "app/main_window.h"

#include "app/document_life.h"
#include "app/icons.h"
#include "app/menu_layout.h"
#include "app/spelling_control.h"
#include "app/page_extras.h"
#include "browser/html_view.h"
#include "browser/message_tab.h"
#include "browser/site_browser_tab.h"
#include "editor/highlighting_memo.h"
#include "editor/page_commands.h"
#include "editor/tag_commands.h"
#include "markup/keywords.h"
#include "markup/site.h"
#include "platform/app_paths.h"
#include "platform/eliding_label.h"
#include "platform/error_display.h"
#include "platform/fonts.h"
#include "platform/ini_file.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

// The settings file's keys, their defaults and the window's design place.
namespace key {
const QString Position = QStringLiteral("Position");
const QString Settings = QStringLiteral("Settings");
} // namespace key
constexpr QRect DefaultPlace(371, 328, 535, 368);

// The four status panels: width and alignment.
struct PanelLayout
{
    int width;
    Qt::Alignment alignment;
};
constexpr PanelLayout Panels[4] = {{450, Qt::AlignLeft | Qt::AlignVCenter},
                                   {30, Qt::AlignCenter},
                                   {30, Qt::AlignCenter},
                                   {50, Qt::AlignRight | Qt::AlignVCenter}};
constexpr int StatusBarHeight = 19;

// A key as the main menu compares it: Enter and Return are one key, and the keypad makes no
// difference.
QKeyCombination normalized(Qt::KeyboardModifiers modifiers, int key)
{
    if (key == Qt::Key_Return)
        key = Qt::Key_Enter;
    modifiers &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return QKeyCombination(modifiers, Qt::Key(key));
}

bool isModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr || key == Qt::Key_unknown;
}

// How much of the window must stay on a screen for the user to reach it.
constexpr int MinVisibleWidth = 100;
constexpr int MinVisibleHeight = 50;

// Pixels the stored place (left, top, width, height) shares with the rectangle. In 64 bits:
// stored numbers may be anything an int holds, and int arithmetic on them would overflow.
qint64 overlap(const std::array<qint64, 4> &place, const QRect &screen)
{
    const qint64 w = std::min(place[0] + place[2], qint64(screen.x()) + screen.width()) -
                     std::max(place[0], qint64(screen.x()));
    const qint64 h = std::min(place[1] + place[3], qint64(screen.y()) + screen.height()) -
                     std::max(place[1], qint64(screen.y()));
    return w > 0 && h > 0 ? w * h : 0;
}

// The stored place made reachable: on the screen it mostly lies on (a place on no screen, one
// that is no longer there, gives the default place), no larger than that screen's available
// area, with at least MinVisibleWidth by MinVisibleHeight pixels and its title bar on it.
QRect reachablePlace(qint64 left, qint64 top, qint64 width, qint64 height)
{
    if (width <= 0)
        width = DefaultPlace.width();
    if (height <= 0)
        height = DefaultPlace.height();
    const QScreen *best = nullptr;
    qint64 bestOverlap = 0;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const qint64 shared = overlap({left, top, width, height}, screen->geometry());
        if (shared > bestOverlap) {
            best = screen;
            bestOverlap = shared;
        }
    }
    if (!best) {
        best = QGuiApplication::primaryScreen();
        left = DefaultPlace.x();
        top = DefaultPlace.y();
        width = DefaultPlace.width();
        height = DefaultPlace.height();
    }
    if (!best)
        return DefaultPlace;
    const QRect area = best->availableGeometry();
    width = std::min<qint64>(width, area.width());
    height = std::min<qint64>(height, area.height());
    left = std::clamp<qint64>(left, area.x() - std::max<qint64>(0, width - MinVisibleWidth),
                              area.x() + std::max(0, area.width() - MinVisibleWidth));
    top =
        std::clamp<qint64>(top, area.y(), area.y() + std::max(0, area.height() - MinVisibleHeight));
    return QRect(int(left), int(top), int(width), int(height));
}

} // namespace

// Places the status panels side by side at their design widths.
class PanelStrip : public QWidget
{
public:
    explicit PanelStrip(QWidget *parent) : QWidget(parent) { setMinimumWidth(0); }
    void addPanel(QLabel *panel, int width)
    {
        panel->setParent(this);
        m_panels.append({panel, width});
    }
    QSize sizeHint() const override { return {0, StatusBarHeight}; }
    QSize minimumSizeHint() const override { return {0, StatusBarHeight}; }

    // The panels keep their widths, but a number too wide for its panel widens it (a page
    // of 100 000 lines), and the first panel gives way in a narrow window so that the caret
    // position stays in sight.
    void relayout()
    {
        QList<int> widths;
        int others = 0;
        for (const Panel &panel : std::as_const(m_panels)) {
            const int needed = panel.label->fontMetrics().horizontalAdvance(panel.label->text()) +
                               2 * (panel.label->frameWidth() + panel.label->indent()) + 2;
            widths << qMax(panel.width, needed);
            if (widths.size() > 1)
                others += widths.last();
        }
        if (!widths.isEmpty())
            widths[0] = qBound(0, width() - others, m_panels[0].width);
        int x = 0;
        for (qsizetype i = 0; i < m_panels.size(); ++i) {
            m_panels[i].label->setGeometry(x, 0, widths[i], height());
            x += widths[i];
        }
    }

protected:
    void resizeEvent(QResizeEvent *) override { relayout(); }

private:
    struct Panel
    {
        QLabel *label;
        int width;
    };
    QList<Panel> m_panels;
};

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TForm1"));
    setFont(fonts::makePixels(QStringLiteral("Tahoma"), 11));
    setWindowIcon(QIcon(icons::emblem(32)));
    resize(694, 544);

    buildPages();
    buildStatusBar();
    m_commands = new PageCommands([this] { return ActiveMemo; }, this);
    // Made now, like every other window, so that the language file relabels them too.
    m_commands->findDialog();
    m_commands->replaceDialog();
    buildMenus();
    connectCommands();
    // The bars of the page's life stand between the page toolbar and the text.
    m_life = new DocumentLife(this, static_cast<QVBoxLayout *>(TabSheet2->layout()), 1);
    m_spelling = new SpellingControl(this);

    // FormCreate, in its order.
    ActiveMemo = MemoGen;
    apppaths::createProgramFolders();
    showPageFileName(m_commands->pageFileName());
    // The find and replace dialogs ask the window for the active text area at every search.
    PageControl1->setCurrentWidget(TabSheet2);
    MemoGen->setPositionLabel(Label1);
    connect(MemoGen, &TMemo::positionReported, this, [this](int line, int column) {
        m_panels[1]->setText(QString::number(line));
        m_panels[2]->setText(QString::number(column));
        m_panelStrip->relayout();
    });
    MemoGen->UpdatePosition();
    m_browserTab->openHomeAddress();
    readSettings();
    m_extras = new PageExtras(this);

    // Main-menu keys are taken before the focused control sees them.
    qApp->installEventFilter(this);
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    m_browserTab->view()->Stop();
    writeSettings();
}

TMemo *TForm1::memo2() const
{
    return m_messageTab->memo();
}

QLabel *TForm1::statusPanel(int index) const
{
    return index >= 0 && index < 4 ? m_panels[index] : nullptr;
}

QAction *TForm1::action(const QString &name) const
{
    return findChild<QAction *>(name);
}

QString TForm1::pageFileName() const
{
    return m_commands->pageFileName();
}

// --- Building ---------------------------------------------------------------------------------

void TForm1::buildPages()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setDocumentMode(true);
    PageControl1->tabBar()->setExpanding(false);
    setCentralWidget(PageControl1);

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    KeywordList = new QListWidget(TabSheet1);
    KeywordList->setObjectName(QStringLiteral("KeywordList"));
    KeywordList->addItems(markup::KeywordList());
    KeywordList->hide();

    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto *editorLayout = new QVBoxLayout(TabSheet2);
    editorLayout->setContentsMargins(0, 0, 0, 0);
    editorLayout->setSpacing(0);
    sToolBar1 = new QToolBar(TabSheet2);
    sToolBar1->setObjectName(QStringLiteral("sToolBar1"));
    sToolBar1->setIconSize(QSize(16, 16));
    sToolBar1->setFixedHeight(26);
    editorLayout->addWidget(sToolBar1);
    MemoGen = new TMemo(TabSheet2);
    MemoGen->setObjectName(QStringLiteral("MemoGen"));
    MemoGen->setFont(PageCommands::designFont());
    MemoGen->setFrameShape(QFrame::NoFrame);
    PageCommands::setWordWrap(MemoGen, true);
    editorLayout->addWidget(MemoGen);

    TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    auto *browserLayout = new QVBoxLayout(TabSheet3);
    browserLayout->setContentsMargins(0, 0, 0, 0);
    m_browserTab = new SiteBrowserTab(TabSheet3);
    browserLayout->addWidget(m_browserTab);

    TabSheet4 = new QWidget;
    TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    auto *messageLayout = new QVBoxLayout(TabSheet4);
    messageLayout->setContentsMargins(0, 0, 0, 0);
    m_messageTab = new MessageTab(TabSheet4);
    messageLayout->addWidget(m_messageTab);

    PageControl1->addTab(TabSheet1, QStringLiteral("Синтаксис"));
    PageControl1->addTab(TabSheet2, icons::make(QStringLiteral("editor")),
                         QStringLiteral(" Редактор "));
    PageControl1->addTab(TabSheet3, icons::make(QStringLiteral("browser")),
                         QStringLiteral(" Браузер "));
    PageControl1->addTab(TabSheet4, icons::make(QStringLiteral("message")),
                         QStringLiteral("Сообщение"));
    PageControl1->setTabVisible(0, false);
    // Ctrl+Tab walks every enabled page, shown or not.
    PageControl1->setTabEnabled(0, false);

    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        const QWidget *page = PageControl1->widget(index);
        if (page == TabSheet2)
            TabSheet2Show();
        else if (page == TabSheet3)
            TabSheet3Show();
        else if (page == TabSheet4)
            TabSheet4Show();
    });
}

void TForm1::buildStatusBar()
{
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    StatusBar1->setFixedHeight(StatusBarHeight + 2);
    setStatusBar(StatusBar1);

    auto *strip = new PanelStrip(StatusBar1);
    m_panelStrip = strip;
    strip->setObjectName(QStringLiteral("StatusPanels"));
    for (int i = 0; i < 4; ++i) {
        // A long page path loses its middle rather than its file name.
        QLabel *panel = i == 0 ? new ElidingLabel(Qt::ElideMiddle) : new QLabel;
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setAlignment(Panels[i].alignment);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(3);
        strip->addPanel(panel, Panels[i].width);
        m_panels[i] = panel;
    }
    StatusBar1->addPermanentWidget(strip, 1);

    // The caret position label is kept hidden: the panels show the position.
    Label1 = new QLabel(StatusBar1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(fonts::makePixels(QStringLiteral("Segoe UI"), 12));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->move(456, 2);
    Label1->hide();
}

void TForm1::buildMenus()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    menuBar()->setFont(fonts::makePixels(QStringLiteral("Tahoma"), 12));
    menulayout::build(menulayout::mainMenu(), this, menuBar());
    for (const menulayout::Row &row : menulayout::mainMenu()) {
        if (row.kind == menulayout::Kind::Item)
            m_mainMenuActions.append(action(QString::fromLatin1(row.name)));
    }

    const QList<QMenu *> popups = menulayout::build(menulayout::contextMenus(), this);
    PopupMenuSel = popups.value(0);
    PopupMenuUnSel = popups.value(1);
    PopupMenuUnSel->setDefaultAction(action(QStringLiteral("paste3")));
    for (const menulayout::Row &row : menulayout::contextMenus()) {
        if (row.kind != menulayout::Kind::Item || !row.sameAs)
            continue;
        QAction *item = action(QString::fromLatin1(row.name));
        QAction *command = action(QString::fromLatin1(row.sameAs));
        connect(item, &QAction::triggered, command, [command] { command->trigger(); });
    }
    connect(action(QStringLiteral("refresh2")), &QAction::triggered, this, &TForm1::refresh2Click);
    // The menu item and the toolbar button of the same name do what their context-menu
    // namesake does, rather than nothing.
    connect(action(QStringLiteral("refresh1")), &QAction::triggered, this, &TForm1::refresh2Click);

    menulayout::buildToolBar(sToolBar1, this);

    m_memoGenPopup = PopupMenuSel;
    MemoGen->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MemoGen, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        m_memoGenPopup->popup(MemoGen->viewport()->mapToGlobal(at));
    });
}

void TForm1::connectCommands()
{
    const auto on = [this](const char *name, void (PageCommands::*slot)()) {
        connect(action(QString::fromLatin1(name)), &QAction::triggered, m_commands, slot);
    };
    on("new1", &PageCommands::new1Click);
    on("open1", &PageCommands::open1Click);
    on("save1", &PageCommands::save1Click);
    on("saveas1", &PageCommands::saveas1Click);
    on("Convert1", &PageCommands::Convert1Click);
    on("undo1", &PageCommands::undo1Click);
    on("cut1", &PageCommands::cut1Click);
    on("copy1", &PageCommands::copy1Click);
    on("paste1", &PageCommands::paste1Click);
    on("delete1", &PageCommands::delete1Click);
    on("find1", &PageCommands::find1Click);
    on("findnext1", &PageCommands::findnext1Click);
    on("replace1", &PageCommands::replace1Click);
    on("CopyAll1", &PageCommands::CopyAll1Click);
    on("clear1", &PageCommands::clear1Click);
    on("selectall1", &PageCommands::selectall1Click);
    on("font1", &PageCommands::font1Click);
    on("WordWrap1", &PageCommands::WordWrap1Click);
    connect(action(QStringLiteral("readonly1")), &QAction::triggered, m_commands,
            &PageCommands::readonly1Click);
    connect(m_commands, &PageCommands::wordWrapChanged, action(QStringLiteral("WordWrap1")),
            &QAction::setChecked);
    connect(m_commands, &PageCommands::pageFileNameChanged, this, &TForm1::showPageFileName);
    // Both text areas save to the one page file. Once the message has been written there, the
    // page text is no longer what the file holds: leaving must ask about it, not lose it.
    connect(m_commands, &PageCommands::pageWritten, this, [this](TMemo *from, const QString &text) {
        if (from != MemoGen && !MemoGen->document()->isEmpty() && MemoGen->text() != text)
            MemoGen->document()->setModified(true);
    });

    connect(action(QStringLiteral("close1")), &QAction::triggered, this, &TForm1::close1Click);
    connect(action(QStringLiteral("browser1")), &QAction::triggered, this, &TForm1::browser1Click);
    connect(action(QStringLiteral("visstbar1")), &QAction::triggered, this,
            &TForm1::visstbar1Click);

    connectPageParts();
}

void TForm1::connectPageParts()
{
    // Both text areas recognise the words of the hidden keyword list.
    MemoGen->setKeywords(markup::KeywordList());
    memo2()->setKeywords(markup::KeywordList());

    // The Format and Insert commands, with Ctrl+Enter on either key of the keyboard.
    m_tagCommands = connectTagCommands(
        this, [this] { return ActiveMemo; }, memo2());
    action(QStringLiteral("br1"))
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});

    // Both views report to the Browser tab's address box, header and progress bar.
    m_browserTab->attachMessagePreview(m_messageTab);
    m_browserTab->connectHelpMenu(this);
    connect(m_browserTab, &SiteBrowserTab::statusText, StatusBar1,
            [this](const QString &text) { StatusBar1->showMessage(text, 2000); });
    m_messageTab->bindPreviewAction(action(QStringLiteral("panelPreView2")));
}

// --- Settings file ----------------------------------------------------------------------------

void TForm1::readSettings()
{
    const IniFile ini(apppaths::settingsFile());
    const auto readPlace = [&ini](const char *name, int defaultValue) -> qint64 {
        return ini.readInteger(key::Position, QString::fromLatin1(name), defaultValue);
    };
    // A stored place may be anything a hand or a broken program wrote: the window still opens
    // where the user can reach it, and that place is what the exit writes back.
    const QRect place = reachablePlace(
        readPlace("Left", DefaultPlace.left()), readPlace("Top", DefaultPlace.top()),
        readPlace("Width", DefaultPlace.width()), readPlace("Height", DefaultPlace.height()));
    move(place.topLeft());
    resize(place.size());

    const auto readSwitch = [&ini](const char *name, int defaultValue) {
        return ini.readInteger(key::Settings, QString::fromLatin1(name), defaultValue) != 0;
    };
    const bool readOnly = readSwitch("Read_Only", 0);
    const bool statusBar = readSwitch("StatusBar", 1);
    const bool wordWrap = readSwitch("WordWrap", 1);
    const bool browser = readSwitch("Browser", 1);

    action(QStringLiteral("readonly1"))->setChecked(readOnly);
    MemoGen->setReadOnly(readOnly);
    action(QStringLiteral("visstbar1"))->setChecked(statusBar);
    StatusBar1->setVisible(statusBar);
    action(QStringLiteral("WordWrap1"))->setChecked(wordWrap);
    PageCommands::setWordWrap(MemoGen, wordWrap);
    action(QStringLiteral("browser1"))->setChecked(browser);
    applyBrowserTick(browser);

    QFont font = MemoGen->font();
    const QString family =
        ini.readString(key::Settings, QStringLiteral("Font"), QStringLiteral("Lucida Console"));
    if (!family.isEmpty())
        font = fonts::make(family, font.pointSizeF());
    const int size = ini.readInteger(key::Settings, QStringLiteral("Size"), 10);
    if (size > 0)
        font.setPointSize(size);
    MemoGen->setFont(font);
}

void TForm1::writeSettings()
{
    const QFont font = ActiveMemo->font();
    const int pointSize = font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
    const auto tick = [this](const char *name) {
        return action(QString::fromLatin1(name))->isChecked() ? QStringLiteral("1")
                                                              : QStringLiteral("0");
    };
    const struct
    {
        const QString &section;
        const char *key;
        QString value;
    } values[] = {
        {key::Position, "Left", QString::number(x())},
        {key::Position, "Width", QString::number(width())},
        {key::Position, "Top", QString::number(y())},
        {key::Position, "Height", QString::number(height())},
        {key::Settings, "Read_Only", tick("readonly1")},
        {key::Settings, "StatusBar", tick("visstbar1")},
        {key::Settings, "WordWrap", tick("WordWrap1")},
        {key::Settings, "Browser", tick("browser1")},
        {key::Settings, "Font", font.family()},
        {key::Settings, "Size", QString::number(pointSize)},
    };
    IniFile ini(apppaths::settingsFile());
    for (const auto &value : values) {
        if (!ini.writeString(value.section, QString::fromLatin1(value.key), value.value)) {
            errordisplay::show(QStringLiteral("Unable to write to %1").arg(ini.path()), this);
            return;
        }
    }
}

// --- Window events ----------------------------------------------------------------------------

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // What the user types at once goes into the text of the page shown.
    ActiveMemo->setFocus();
    if (!refreshBrowserAtStart || !refreshBrowserAtStart())
        m_browserTab->view()->Stop();
    else // the home page loads now, though the Browser tab is not shown yet
        m_browserTab->view()->createWebView();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // The page is the text that leaving the program would lose.
    if (m_commands->confirmDiscard(MemoGen))
        event->accept();
    else
        event->ignore();
}

QAction *TForm1::mainMenuActionFor(const QKeyEvent *event) const
{
    if (isModifierKey(event->key()))
        return nullptr;
    const QKeyCombination pressed = normalized(event->modifiers(), event->key());
    for (QAction *item : m_mainMenuActions) {
        if (!item->isEnabled() || item->shortcut().isEmpty())
            continue;
        const QKeyCombination combination = item->shortcut()[0];
        if (normalized(combination.keyboardModifiers(), combination.key()) == pressed)
            return item;
    }
    return nullptr;
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // The focused control would take Ctrl+C, Ctrl+V and the like for itself; a main-menu
        // key belongs to the menu, which acts on the active text area. The command runs when
        // the key press arrives, outside the shortcut lookup.
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != this)
            break;
        auto *key = static_cast<QKeyEvent *>(event);
        if (QAction *item = mainMenuActionFor(key)) {
            key->accept();
            m_pendingShortcut = item;
            m_pendingKey = key->keyCombination();
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (!m_pendingShortcut || !widget || widget->window() != this)
            break;
        const auto *key = static_cast<QKeyEvent *>(event);
        QPointer<QAction> item = m_pendingShortcut;
        m_pendingShortcut = nullptr;
        if (key->keyCombination() == m_pendingKey) {
            item->trigger();
            return true;
        }
        break;
    }
    case QEvent::KeyRelease:
        // MemoGenKeyUp: F4 repaints the active text area.
        if (watched == MemoGen && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F4)
            ActiveMemo->Repaint();
        break;
    case QEvent::MouseButtonPress:
        // MemoGenMouseDown: the context menu that the next right click shows.
        if (watched == MemoGen->viewport())
            m_memoGenPopup =
                ActiveMemo->textCursor().hasSelection() ? PopupMenuSel : PopupMenuUnSel;
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- Commands of the window itself ------------------------------------------------------------

void TForm1::TabSheet2Show()
{
    ActiveMemo = MemoGen;
    MemoGen->setFocus(); // typing goes on where the page shows
}
void TForm1::TabSheet3Show()
{
    ActiveMemo = MemoGen;
}
void TForm1::TabSheet4Show()
{
    ActiveMemo = m_messageTab->memo();
    ActiveMemo->setFocus();
}

void TForm1::applyBrowserTick(bool ticked)
{
    PageControl1->tabBar()->setVisible(ticked);
    PageControl1->setCurrentWidget(TabSheet2);
    // Without the tab row the other pages are out of reach, Ctrl+Tab included.
    for (QWidget *page : {TabSheet3, TabSheet4})
        PageControl1->setTabEnabled(PageControl1->indexOf(page), ticked);
}

void TForm1::browser1Click(bool ticked)
{
    applyBrowserTick(ticked);
}

void TForm1::visstbar1Click(bool ticked)
{
    StatusBar1->setVisible(ticked);
}

void TForm1::refresh2Click()
{
    ActiveMemo->Repaint();
}

void TForm1::close1Click()
{
    close();
}

void TForm1::showPageFileName(const QString &pageFileName)
{
    setWindowTitle(m_commands->caption());
    m_panels[0]->setText(pageFileName);
}
