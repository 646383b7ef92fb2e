#include "dialogs/nick_builder.h"

#include "browser/html_view.h"
#include "dialogs/dialog_parts.h"
#include "dialogs/help_link.h"
#include "dialogs/nick_color_picker.h"
#include "markup/site.h"
#include "platform/app_paths.h"
#include "platform/codepage.h"
#include "platform/error_display.h"
#include "platform/page_file.h"

#include <QAction>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QUrl>
#include <QVBoxLayout>

#include <functional>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// The client area the window is designed for; it grows only when its captions need more room.
constexpr QSize DesignSize(321, 336);
constexpr QSize PreviewSize(303, 59);

// Colours of a new piece.
const QString NewTextColor = u"000000"_s;
const QString NewBgColor = u"FFFFFF"_s;

QPlainTextEdit *hiddenLines(const QString &name, QWidget *parent)
{
    auto *memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->hide();
    return memo;
}

QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TNickF::TNickF(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"TNickF"_s);
    setWindowTitle(u"Создание ника"_s);
    // Fixed dialog border: no resizing, no context help button.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    buildControls();
    FormCreate();
}

void TNickF::buildControls()
{
    Edit1 = new QLineEdit(u"User"_s, this);
    Edit1->setObjectName(u"Edit1"_s);

    Memo1 = new QListWidget(this);
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setSelectionMode(QAbstractItemView::SingleSelection);
    MemoText = hiddenLines(u"MemoText"_s, this);
    MemoBg = hiddenLines(u"MemoBg"_s, this);
    MemoTemp = hiddenLines(u"MemoTemp"_s, this);

    Button5 = button(u"Button5"_s, u"Добавить"_s, this);
    Button4 = button(u"Button4"_s, u"Удалить"_s, this);
    Button3 = button(u"Button3"_s, u"Вверх"_s, this);
    Button6 = button(u"Button6"_s, u"Вниз"_s, this);

    ColorText = new NickColorPicker(u"Текст"_s, this);
    ColorText->setObjectName(u"ColorText"_s);
    ColorText->setColor(TextToHTMLColor.RGBColor);
    ColorBg = new NickColorPicker(u"Фон"_s, this);
    ColorBg->setObjectName(u"ColorBg"_s);
    ColorBg->setColor(BGToHTMLColor.RGBColor);
    ColorWB = new NickColorPicker(u"Фон браузера"_s, this);
    ColorWB->setObjectName(u"ColorWB"_s);
    ColorWB->setColor(WBToHTMLColor.RGBColor);

    Label1 = new QLabel(u"Просмотр:"_s, this);
    Label1->setObjectName(u"Label1"_s);
    LabelPreview = new QLabel(this);
    LabelPreview->setObjectName(u"LabelPreview"_s);
    LabelPreview->setTextFormat(Qt::PlainText);
    // A long nick must not widen the fixed window; the coloured view and the tags show it all.
    LabelPreview->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto *frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    WebBrowser1 = new HtmlView(frame);
    WebBrowser1->setObjectName(u"WebBrowser1"_s);
    WebBrowser1->setFixedSize(PreviewSize);
    WebBrowser1->setLoadImages(false);
    WebBrowser1->setJavaScriptEnabled(false);
    WebBrowser1->setOwnPages(true);
    frameLayout->addWidget(WebBrowser1);

    Label2 = new QLabel(u"Таги:"_s, this);
    Label2->setObjectName(u"Label2"_s);
    EditPreview = new QLineEdit(this);
    EditPreview->setObjectName(u"EditPreview"_s);
    EditPreview->setReadOnly(true);
    // The whole site text is copied, however long the nick grows.
    EditPreview->setMaxLength(std::numeric_limits<int>::max());
    LabelCount = new QLabel(this);
    LabelCount->setObjectName(u"LabelCount"_s);
    LabelCount->setToolTip(u"Длина ника"_s);
    LabelCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelCount->setMinimumWidth(LabelCount->fontMetrics().horizontalAdvance(u"00000"_s));

    sWebLabel1 =
        new HelpLink(u"Помощь"_s, QUrl(site::homeAddress() + u"/mv?rid=32&id=60907"_s), this);
    sWebLabel1->setObjectName(u"sWebLabel1"_s);
    Button2 = button(u"Button2"_s, u"Скопировать"_s, this);
    Button2->setDefault(true);
    Button1 = button(u"Button1"_s, u"Закрыть"_s, this);

    // Top to bottom: the piece, the list and its buttons, colours, previews, commands.
    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 8);
    main->setSpacing(6);
    main->addWidget(Edit1);

    auto *listRow = new QHBoxLayout;
    listRow->addWidget(Memo1, 1);
    auto *moveButtons = new QVBoxLayout;
    for (QPushButton *b : {Button5, Button4, Button3, Button6})
        moveButtons->addWidget(b);
    moveButtons->addStretch();
    listRow->addLayout(moveButtons);
    main->addLayout(listRow, 1);

    auto *pickers = new QHBoxLayout;
    pickers->addWidget(ColorText);
    pickers->addWidget(ColorBg);
    pickers->addWidget(ColorWB);
    main->addLayout(pickers);

    auto *previewRow = new QHBoxLayout;
    previewRow->addWidget(Label1);
    previewRow->addWidget(LabelPreview, 1);
    main->addLayout(previewRow);
    main->addWidget(frame, 0, Qt::AlignHCenter);

    auto *tagsRow = new QHBoxLayout;
    tagsRow->addWidget(Label2);
    tagsRow->addWidget(EditPreview, 1);
    tagsRow->addWidget(LabelCount);
    main->addLayout(tagsRow);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(sWebLabel1);
    bottom->addStretch();
    bottom->addWidget(Button2);
    bottom->addWidget(Button1);
    main->addLayout(bottom);

    connect(Edit1, &QLineEdit::textChanged, this, &TNickF::Edit1Change);
    connect(EditPreview, &QLineEdit::textChanged, this, &TNickF::EditPreviewChange);
    // A row chosen by mouse or keyboard; rows selected by the program block these signals.
    connect(Memo1, &QListWidget::itemSelectionChanged, this, &TNickF::Memo1Click);
    connect(Memo1, &QListWidget::itemClicked, this, &TNickF::Memo1Click);
    connect(Button5, &QPushButton::clicked, this, &TNickF::Button5Click);
    connect(Button4, &QPushButton::clicked, this, &TNickF::Button4Click);
    connect(Button3, &QPushButton::clicked, this, &TNickF::Button3Click);
    connect(Button6, &QPushButton::clicked, this, &TNickF::Button6Click);
    connect(Button2, &QPushButton::clicked, this, &TNickF::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &TNickF::Button1Click);
    connect(ColorText, &NickColorPicker::changed, this, &TNickF::ColorTextChange);
    connect(ColorBg, &NickColorPicker::changed, this, &TNickF::ColorBgChange);
    connect(ColorWB, &NickColorPicker::changed, this, &TNickF::ColorWBChange);

    for (const markup::NickPiece &piece : m_nick)
        Memo1->addItem(piece.Text);
    m_page = markup::NickPreviewPage(m_nick, m_browserBackground);
    showLists();
    EditPreview->setText(markup::NickSiteText(m_nick));
    LabelPreview->setText(markup::NickPlainText(m_nick));
    EditPreviewChange();
    fitSize();
}

void TNickF::fitSize()
{
    // The list takes whatever room the design size leaves; every other control gets its full size.
    setFixedSize(layout()->minimumSize().expandedTo(DesignSize));
}

bool TNickF::event(QEvent *event)
{
    // A language file may give longer captions: the window grows to keep them readable.
    if (event->type() == QEvent::LayoutRequest && layout()) {
        // Qt activates the layout of a visible window only; the language file relabels this
        // one while it is hidden, and stale nested sizes would cut the new captions short.
        layout()->activate();
        fitSize();
    }
    return QDialog::event(event);
}

QString TNickF::previewFile() const
{
    return m_previewFile.isEmpty() ? apppaths::nickPreviewFile() : m_previewFile;
}

int TNickF::selectedPiece() const
{
    const QList<QListWidgetItem *> items = Memo1->selectedItems();
    return items.isEmpty() ? -1 : Memo1->row(items.first());
}

void TNickF::selectPiece(int index)
{
    const QSignalBlocker blocker(Memo1);
    if (index < 0) {
        Memo1->clearSelection();
        Memo1->setCurrentRow(-1);
    } else {
        Memo1->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    }
}

void TNickF::showLists()
{
    QStringList texts, textColors, bgColors;
    for (const markup::NickPiece &piece : m_nick) {
        texts << piece.Text;
        textColors << piece.TextColor;
        bgColors << piece.BgColor;
    }
    for (int i = 0; i < Memo1->count() && i < texts.size(); ++i) {
        if (Memo1->item(i)->text() != texts.at(i))
            Memo1->item(i)->setText(texts.at(i));
    }
    MemoText->setPlainText(textColors.join(u'\n'));
    MemoBg->setPlainText(bgColors.join(u'\n'));
    MemoTemp->setPlainText(m_page.join(u'\n'));
}

void TNickF::refreshNick()
{
    m_page = markup::NickPreviewPage(m_nick, m_browserBackground);
    showLists();
    EditPreview->setText(markup::NickSiteText(m_nick));
    LabelPreview->setText(markup::NickPlainText(m_nick));

    const QString path = previewFile();
    const QByteArray bytes = cp1251::encode(m_page.join(u"\r\n"_s) + u"\r\n"_s);
    QString error;
    if (!pagefile::write(path, bytes, &error, savefile::Links::Replace)) {
        errordisplay::show(error, this);
        return;
    }
    // The view reads the file just written as an HTML page in code page 1251, although the
    // engine would take a file named ".tmp" for plain text.
    try {
        WebBrowser1->Navigate(path);
    } catch (const NavigateError &) {
        // A preview only: the nick and its site text are up to date all the same.
    }
}

void TNickF::EditPreviewChange()
{
    // The site counts 8-bit characters.
    LabelCount->setNum(int(cp1251::encode(EditPreview->text()).size()));
}

void TNickF::Memo1Click()
{
    const int index = selectedPiece();
    if (index < 0)
        return;
    const markup::NickPiece piece = m_nick.at(index);
    Edit1->setText(piece.Text);
    // Colour names such as "Black" leave the converters, and so the pickers, as they were.
    markup::HtmlToColor(TextToHTMLColor, piece.TextColor);
    ColorText->setColor(TextToHTMLColor.RGBColor);
    markup::HtmlToColor(BGToHTMLColor, piece.BgColor);
    ColorBg->setColor(BGToHTMLColor.RGBColor);
}

void TNickF::Edit1Change()
{
    const int index = selectedPiece();
    if (index < 0 || m_nick.at(index).Text == Edit1->text())
        return;
    m_nick[index].Text = Edit1->text();
    refreshNick();
}

void TNickF::ColorTextChange()
{
    markup::ColorToHtml(TextToHTMLColor, ColorText->color());
    const int index = selectedPiece();
    if (index < 0)
        return;
    m_nick[index].TextColor = TextToHTMLColor.HTMLColor;
    refreshNick();
}

void TNickF::ColorBgChange()
{
    markup::ColorToHtml(BGToHTMLColor, ColorBg->color());
    const int index = selectedPiece();
    if (index < 0)
        return;
    m_nick[index].BgColor = BGToHTMLColor.HTMLColor;
    refreshNick();
}

void TNickF::ColorWBChange()
{
    markup::ColorToHtml(WBToHTMLColor, ColorWB->color());
    m_browserBackground = WBToHTMLColor.HTMLColor;
    refreshNick();
}

void TNickF::Button5Click()
{
    const int at = selectedPiece() + 1; // at the top when none is selected
    m_nick.insert(at, {QString(), NewTextColor, NewBgColor});
    {
        const QSignalBlocker blocker(Memo1);
        Memo1->insertItem(at, QString());
    }
    refreshNick();
    selectPiece(at);
    Edit1->clear();
    Edit1->setFocus();
}

void TNickF::Button4Click()
{
    const int index = selectedPiece();
    if (index < 0)
        return;
    m_nick.removeAt(index);
    {
        const QSignalBlocker blocker(Memo1);
        delete Memo1->takeItem(index);
    }
    selectPiece(-1);
    refreshNick();
}

void TNickF::moveText(int from, int to)
{
    if (from < 0 || to < 0 || to >= m_nick.size())
        return; // nothing selected, or already at the end it moves towards
    // Only the texts change places; each position keeps its colours.
    std::swap(m_nick[from].Text, m_nick[to].Text);
    refreshNick();
    selectPiece(to);
}

void TNickF::Button3Click()
{
    const int index = selectedPiece();
    moveText(index, index - 1);
}

void TNickF::Button6Click()
{
    const int index = selectedPiece();
    moveText(index, index < 0 ? -1 : index + 1);
}

void TNickF::Button2Click()
{
    EditPreview->selectAll();
    QGuiApplication::clipboard()->setText(EditPreview->text());
}

void TNickF::Button1Click()
{
    hide();
}

void TNickF::FormCreate()
{
    WebBrowser1->Stop();
}

void TNickF::FormShow()
{
    if (!m_nick.isEmpty()) {
        selectPiece(0);
        // The field and the colour buttons show the selected piece, so typing changes the
        // piece the user sees chosen rather than renaming it after the last one edited.
        Memo1Click();
    }
    refreshNick();
}

void TNickF::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        if (!m_placed) {
            // Centred on the screen the first time; later the user's place is kept.
            dialogparts::centreOnScreen(this);
            m_placed = true;
        }
        FormShow();
    }
    QDialog::showEvent(event);
}

void connectNickBuilder(QWidget *mainWindow, TNickF *window)
{
    if (!mainWindow || !window)
        return;
    auto *action = mainWindow->findChild<QAction *>(u"Nick1"_s);
    if (!action)
        return;
    QObject::connect(action, &QAction::triggered, window, [window] {
        window->show();
        window->raise();
        window->activateWindow();
    });
}
