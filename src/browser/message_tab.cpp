#include "browser/message_tab.h"

#include "browser/html_view.h"
#include "browser/message_preview.h"
#include "browser/panel_caption.h"
#include "editor/highlighting_memo.h"
#include "editor/insertion.h"
#include "platform/app_paths.h"
#include "platform/eliding_label.h"
#include "platform/error_display.h"
#include "platform/fonts.h"
#include "platform/interface_texts.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int PreviewHeight = 207;
constexpr int HeaderHeight = panelcaption::Height;

} // namespace

MessageTab::MessageTab(QWidget *parent)
    : QWidget(parent), m_previewFile(apppaths::messagePreviewFile())
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setHandleWidth(2);
    // Dragging never makes a pane vanish; hiding the preview is the menu's and the button's job.
    splitter->setChildrenCollapsible(false);

    m_memo = new TMemo(splitter);
    m_memo->setObjectName(QStringLiteral("Memo2"));
    m_memo->setFont(fonts::make(QStringLiteral("Lucida Console"), 10));
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->installEventFilter(this);
    connect(m_memo, &QPlainTextEdit::textChanged, this, &MessageTab::Memo2Change);
    // The message starts empty: a repaint of the empty text at start (a new keyword list, a
    // new font) is no change, so nothing is written, and no error shown, before the first one.
    m_lastMessage = m_memo->text();

    m_panel = new QWidget(splitter);
    m_panel->setObjectName(QStringLiteral("PanelPreView"));
    auto *panelLayout = new QVBoxLayout(m_panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);

    m_caption = panelcaption::make(captionOk(), m_panel);
    m_caption->setObjectName(QStringLiteral("sPanel2"));

    auto *headerRow = new QHBoxLayout(m_caption);
    headerRow->setContentsMargins(0, 0, 2, 0);
    headerRow->setSpacing(6);
    // Keeps the right-hand label clear of the caption text.
    headerRow->addSpacing(m_caption->fontMetrics().horizontalAdvance(captionRefused()) + 12);
    headerRow->addStretch(1);
    auto *tags = new ElidingLabel(QStringLiteral("Рабочие теги: br, hr, bolder, italic, underline, "
                                                 "line-throught, left, right, center, justify"),
                                  Qt::ElideRight, m_caption);
    tags->setObjectName(QStringLiteral("sLabel1"));
    QFont regular = tags->font(); // the caption is bold, the list of tags is not
    regular.setBold(false);
    tags->setFont(regular);
    tags->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tags->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    tags->setMinimumWidth(0);
    headerRow->addWidget(tags, 100);
    auto *close = new QToolButton(m_caption);
    close->setObjectName(QStringLiteral("sSpeedButton1"));
    close->setToolTip(QStringLiteral("Закрыть предпросмотр"));
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setIconSize(QSize(12, 12));
    close->setFixedSize(HeaderHeight - 4, HeaderHeight - 4);
    connect(close, &QToolButton::clicked, this, &MessageTab::sSpeedButton1Click);
    headerRow->addWidget(close);
    panelLayout->addWidget(m_caption);

    m_preview = new HtmlView(m_panel, HtmlView::Profile::MainWindow);
    m_preview->setObjectName(QStringLiteral("EmbeddedWB1"));
    // Our own page: typed HTML renders, typed scripts do not run, a typed meta refresh goes
    // nowhere; it declares no character set and is written in code page 1251.
    m_preview->setJavaScriptEnabled(false);
    m_preview->setOwnPages(true);
    m_preview->setKeepsScrollPosition(true);
    panelLayout->addWidget(m_preview, 1);

    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    m_panel->resize(m_panel->width(), PreviewHeight);
    splitter->setSizes({1000, PreviewHeight});
    layout->addWidget(splitter);

    buildContextMenu();
}

void MessageTab::buildContextMenu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu2"));
    TMemo *memo = m_memo;
    auto add = [this](const char *name, const QString &caption, auto handler) {
        QAction *action = m_menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    add("mcut1", QStringLiteral("Вырезать"), [memo] { memo->cut(); });
    add("mcopy1", QStringLiteral("Копировать"), [memo] { memo->copy(); });
    add("mpaste1", QStringLiteral("Вставить"), [memo] { memo->paste(); });
    add("mdelete1", QStringLiteral("Удалить"), [memo] { memo->textCursor().removeSelectedText(); });
    m_menu->addSeparator();
    QAction *lineBreak =
        add("mbr1", QStringLiteral("Обрыв строки"), [memo] { insertion::lineBreakRule(memo); });
    // The key is shown here; while the text area has the focus the main menu's line-break item
    // answers it, so a second live shortcut would only make the key ambiguous.
    lineBreak->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    lineBreak->setShortcutContext(Qt::WidgetShortcut);
    m_menu->addSeparator();
    add("mselectall1", QStringLiteral("Выделить все"), [memo] { memo->selectAll(); });
    add("mundo1", QStringLiteral("Отмена"), [memo] { memo->undo(); });

    m_memo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_memo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_menu->popup(m_memo->mapToGlobal(at)); });
}

bool MessageTab::isPreviewVisible() const
{
    return !m_panel->isHidden();
}
void MessageTab::setPreviewVisible(bool visible)
{
    m_panel->setVisible(visible);
}

void MessageTab::bindPreviewAction(QAction *action)
{
    if (!action)
        return;
    action->setCheckable(true);
    action->setChecked(isPreviewVisible());
    connect(action, &QAction::toggled, this, &MessageTab::setPreviewVisible);
    connect(this, &MessageTab::previewClosed, action, [action] { action->setChecked(false); });
}

QString MessageTab::previewCaption() const
{
    return m_caption->text();
}

void MessageTab::sSpeedButton1Click()
{
    setPreviewVisible(false);
    emit previewClosed();
}

void MessageTab::Memo2Change()
{
    // The highlighter's repainting is reported as a change of the document too; only a
    // change of the text rebuilds the preview (and only that may raise an error box).
    QString message = m_memo->text();
    if (message == m_lastMessage)
        return;
    m_lastMessage = message;

    // Runs whether or not the panel is shown, so the preview is always current.
    m_caption->setText(captionOk());
    QString error;
    if (!messagepreview::write(message, m_previewFile, &error)) {
        // The view keeps its last page; the next change tries again.
        errordisplay::show(error, this);
        return;
    }
    try {
        m_preview->Navigate(m_previewFile);
    } catch (const NavigateError &) {
        m_caption->setText(captionRefused());
    }
}

QString MessageTab::captionOk()
{
    return QStringLiteral("  ") + interfacetexts::text(interfacetexts::PreviewCaption);
}

void MessageTab::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // A new language file: the status keeps its state in the new words.
    if (event->type() == QEvent::LanguageChange) {
        const bool refused = m_caption->text().endsWith(QStringLiteral(" [!]"));
        m_caption->setText(refused ? captionRefused() : captionOk());
    }
}

bool MessageTab::eventFilter(QObject *watched, QEvent *event)
{
    // Memo2KeyUp: F4 draws the text area anew.
    if (watched == m_memo && event->type() == QEvent::KeyRelease &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_F4)
        m_memo->viewport()->update();
    return QWidget::eventFilter(watched, event);
}
