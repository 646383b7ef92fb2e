#include "dialogs/tag_help_window.h"

#include "editor/highlighting_memo.h"
#include "markup/site.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <limits>

namespace taghelp {

namespace {

const QString PictureName = QStringLiteral("109.bmp");
constexpr int EntryHeight = 16; // pixels per entry, more only when the font needs it
constexpr int TextPadding = 3;
constexpr int BlinkInterval = 500; // milliseconds

// A space becomes a fixed space outside the tags: the list keeps runs of spaces and never
// wraps an entry.
QString keepSpaces(const QString &html)
{
    QString out;
    out.reserve(html.size() * 2);
    bool inTag = false;
    for (const QChar c : html) {
        if (c == u'<')
            inTag = true;
        else if (c == u'>')
            inTag = false;
        if (c == u' ' && !inTag)
            out += QStringLiteral("&nbsp;");
        else
            out += c;
    }
    return out;
}

} // namespace

const QStringList &entries()
{
    static const QStringList table = [] {
        const QString title = QStringLiteral("Mirvale Rivi Razare");
        const QString home = site::homeAddress();
        const QString member = home + QStringLiteral("/~veltaris");
        const QString memberLink = QStringLiteral("<a href=\"%1\">%2</a>");
        return QStringList{
            QStringLiteral("^bolder^ - <b>%1</b>").arg(title),
            QStringLiteral("^italic^ - <i>%1</i>").arg(title),
            QStringLiteral("^underline^ - <u>%1</u>").arg(title),
            QStringLiteral("^line-throught^ - <s>%1</s>").arg(title),
            QStringLiteral("^bold^ - <b>%1</b>").arg(title),
            QStringLiteral("^normal^ - %1").arg(title),
            QStringLiteral("^lighter^ - %1").arg(title),
            QString(21, u' ') + QStringLiteral("<u>__________________</u>"),
            QStringLiteral("^overline^ - %1").arg(title),
            QStringLiteral("^blink^ - <blink>%1</blink>").arg(title),
            QString(),
            QStringLiteral("^url^%1^Mirvale^ - ").arg(home) +
                memberLink.arg(home, QStringLiteral("Mirvale")),
            QStringLiteral("^u:197178^ - ") +
                memberLink.arg(member, QStringLiteral("<b><font color=\"clnavy\">~Vel</font>"
                                                      "<font color=\"clpurple\">ta</font>"
                                                      "<font color=\"clteal\">ris~</font></b>")) +
                QStringLiteral(" <font color=\"clred\">PRG</font>"),
            QStringLiteral("^r12312^ - Статья ") +
                memberLink.arg(home + QStringLiteral("/?rid=32&amp;text_id=330588"),
                               QStringLiteral("F.A.Q. по редактору")),
            QStringLiteral("^f1234^ - ") +
                memberLink.arg(member, QStringLiteral("Mirvale_Rivi_Razare.zip")),
            QStringLiteral("^r1234^ - ") + memberLink.arg(member, QStringLiteral("MMS Галерея")),
            QStringLiteral("^jpg1234^image^ - <img src=\"%1\">").arg(PictureName),
            QString(),
            QStringLiteral("^left^ - <p align=\"LEFT\">%1</p>").arg(title),
            QStringLiteral("^center^ - <p align=\"center\">%1</p>").arg(title),
            QStringLiteral("^right^ - <p align=\"right\">%1</p>").arg(title),
            QStringLiteral("^justify^ - <p align=\"justify\">%1</p>").arg(title),
            QString(),
            QStringLiteral("^hr^ - <hr>"),
        };
    }();
    return table;
}

QString sampleOf(const QString &entry)
{
    const qsizetype dash = entry.indexOf(QStringLiteral(" -"));
    return dash < 0 ? QString() : entry.left(dash);
}

QString richText(const QString &entry, bool blinkShown)
{
    QString html = entry;
    // The list's colour names carry the toolkit's "cl" prefix: "clred" is red.
    static const QRegularExpression colorName(
        QStringLiteral("(<font\\b[^>]*\\bcolor\\s*=\\s*\"?)cl"),
        QRegularExpression::CaseInsensitiveOption);
    html.replace(colorName, QStringLiteral("\\1"));

    static const QRegularExpression blinkOpen(QStringLiteral("<blink>"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression blinkClose(QStringLiteral("</blink>"),
                                               QRegularExpression::CaseInsensitiveOption);
    html.replace(blinkOpen, blinkShown ? QStringLiteral("<span>")
                                       : QStringLiteral("<span style=\"color:rgba(0,0,0,0)\">"));
    html.replace(blinkClose, QStringLiteral("</span>"));
    html = keepSpaces(html);

    // A paragraph or a rule would start a line of its own; the list shows one line per entry,
    // so the block goes into a cell that fills the rest of the entry's line.
    static const QRegularExpression block(QStringLiteral("<(p|hr)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    const qsizetype start = html.indexOf(block);
    if (start < 0)
        return html;
    const QString before = html.left(start);
    const QString rest = html.mid(start);
    static const QRegularExpression paragraph(
        QStringLiteral("^<p\\b[^>]*\\balign\\s*=\\s*\"?(\\w+)\"?[^>]*>(.*?)(</p>)?$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = paragraph.match(rest);
    const QString cell =
        m.hasMatch() ? QStringLiteral("<td width=\"100%\" align=\"%1\">%2</td>")
                           .arg(m.captured(1).toLower(), m.captured(2))
                     : QStringLiteral("<td width=\"100%\" valign=\"middle\">%1</td>").arg(rest);
    return QStringLiteral(
               "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\" "
               "border=\"0\"><tr><td style=\"white-space:nowrap\">%1</td>%2</tr></table>")
        .arg(before, cell);
}

bool opensThroughShell(const QString &href)
{
    return href.contains(QStringLiteral("://")) || href.contains(QStringLiteral("mailto:"));
}

QPixmap picture()
{
    // A tiny landscape in a frame: what the image sample stands for.
    QPixmap pixmap(16, 12);
    pixmap.fill(QColor(0x9C, 0xCF, 0xF4));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xD2, 0x3C));
    p.drawEllipse(QRectF(10, 1.5, 4, 4));
    p.setBrush(QColor(0x3C, 0x9A, 0x3C));
    const QPointF hills[] = {{0, 11}, {0, 8}, {4, 5}, {8, 8.5}, {11, 6.5}, {16, 10}, {16, 11}};
    p.drawPolygon(hills, 7);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawRect(0, 0, 15, 11);
    return pixmap;
}

} // namespace taghelp

namespace {

// Paints each entry as its rendered HTML over the usual item background and selection.
class EntryDelegate : public QStyledItemDelegate
{
public:
    explicit EntryDelegate(TagHelpList *list) : QStyledItemDelegate(list), List(list) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.text.clear();
        const QWidget *widget = opt.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

        const bool selected = opt.state & QStyle::State_Selected;
        QTextDocument document;
        List->prepareDocument(document, index.row(), opt.rect, selected);
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette = opt.palette;
        context.palette.setColor(
            QPalette::Text,
            opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->save();
        painter->setClipRect(opt.rect);
        painter->translate(List->documentOrigin(document, opt.rect));
        document.documentLayout()->draw(painter, context);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QTextDocument document;
        List->prepareDocument(document, index.row(), QRect(0, 0, 0, List->rowHeight()));
        Q_UNUSED(option);
        return QSize(int(document.idealWidth()) + 2 * taghelp::TextPadding, List->rowHeight());
    }

private:
    TagHelpList *List;
};

} // namespace

TagHelpList::TagHelpList(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new EntryDelegate(this));
    setUniformItemSizes(true);
    setMouseTracking(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TagHelpList::setEntries(const QStringList &entries)
{
    clear();
    for (const QString &entry : entries) {
        auto *item = new QListWidgetItem(this);
        item->setData(Qt::UserRole, entry);
        // The plain text serves accessibility and keyboard search; the delegate paints.
        QTextDocument document;
        document.setHtml(taghelp::richText(entry, true));
        item->setText(document.toPlainText().replace(QChar::Nbsp, u' ').trimmed());
    }
}

void TagHelpList::setBlinkShown(bool shown)
{
    BlinkShown = shown;
    for (int row = 0; row < count(); ++row) {
        if (item(row)
                ->data(Qt::UserRole)
                .toString()
                .contains(QStringLiteral("<blink>"), Qt::CaseInsensitive))
            viewport()->update(visualItemRect(item(row)));
    }
}

int TagHelpList::rowHeight() const
{
    return qMax(taghelp::EntryHeight, fontMetrics().height() + 2);
}

void TagHelpList::prepareDocument(QTextDocument &document, int row, const QRect &rowRect,
                                  bool selected) const
{
    document.setDocumentMargin(0);
    document.setDefaultFont(font());
    document.addResource(QTextDocument::ImageResource, QUrl(taghelp::PictureName),
                         taghelp::picture());
    // Links stay readable on the selection's colour.
    if (selected)
        document.setDefaultStyleSheet(QStringLiteral("a { color: %1; }")
                                          .arg(palette().color(QPalette::HighlightedText).name()));
    if (rowRect.width() > 0)
        document.setTextWidth(rowRect.width() - 2 * taghelp::TextPadding);
    const QListWidgetItem *entry = item(row);
    document.setHtml(
        taghelp::richText(entry ? entry->data(Qt::UserRole).toString() : QString(), BlinkShown));
}

QPoint TagHelpList::documentOrigin(const QTextDocument &document, const QRect &rowRect) const
{
    const int height = int(document.size().height());
    return QPoint(rowRect.left() + taghelp::TextPadding,
                  rowRect.top() + (rowRect.height() - height) / 2);
}

QString TagHelpList::anchorAt(const QPoint &viewportPos) const
{
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid())
        return {};
    const QRect rect = visualRect(index);
    QTextDocument document;
    prepareDocument(document, index.row(), rect);
    return document.documentLayout()->anchorAt(viewportPos - documentOrigin(document, rect));
}

void TagHelpList::mousePressEvent(QMouseEvent *event)
{
    QListWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QString href = anchorAt(event->position().toPoint());
    if (taghelp::opensThroughShell(href))
        QDesktopServices::openUrl(QUrl(href));
}

void TagHelpList::mouseMoveEvent(QMouseEvent *event)
{
    QListWidget::mouseMoveEvent(event);
    if (anchorAt(event->position().toPoint()).isEmpty())
        viewport()->unsetCursor();
    else
        viewport()->setCursor(Qt::PointingHandCursor);
}

// ---------------------------------------------------------------------------------------------

namespace {

QString hintOfCopyButton()
{
    const QString name = QStringLiteral("ToolButton13");
    for (QWidget *top : QApplication::topLevelWidgets()) {
        auto *button = top->objectName() == name ? qobject_cast<QToolButton *>(top)
                                                 : top->findChild<QToolButton *>(name);
        if (button)
            return button->toolTip();
    }
    return {};
}

QIcon copyIcon()
{
    // Two overlapping sheets, drawn here so that every desktop theme shows the same picture.
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    p.drawRect(1, 1, 9, 10);
    p.drawRect(5, 4, 9, 10);
    p.setPen(QColor(0x70, 0x70, 0xA0));
    for (int y = 7; y <= 11; y += 2)
        p.drawLine(7, y, 12, y);
    return QIcon(pixmap);
}

} // namespace

THelpTagF::THelpTagF(insertion::ActiveMemo activeMemo, QWidget *parent, HintSource hintSource)
    : QDialog(parent)
    , ActiveMemo(std::move(activeMemo))
    , Hint(hintSource ? std::move(hintSource) : HintSource(hintOfCopyButton))
{
    setObjectName(QStringLiteral("THelpTagF"));
    setWindowTitle(QStringLiteral("Mirvale Tags"));
    setModal(false);

    HTMListBox1 = new TagHelpList(this);
    HTMListBox1->setObjectName(QStringLiteral("HTMListBox1"));
    HTMListBox1->setEntries(taghelp::entries());
    int widest = 0;
    for (int row = 0; row < HTMListBox1->count(); ++row) {
        const QModelIndex index = HTMListBox1->model()->index(row, 0);
        widest = qMax(widest,
                      HTMListBox1->itemDelegate()->sizeHint(QStyleOptionViewItem(), index).width());
    }
    const int frame = 2 * HTMListBox1->frameWidth();
    HTMListBox1->setFixedSize(qMax(widest + 80, 340) + frame,
                              HTMListBox1->count() * HTMListBox1->rowHeight() + frame);
    HTMListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto *sLabel1 = new QLabel(QStringLiteral("Текущий тег:"), this);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    sEdit1 = new QLineEdit(this);
    sEdit1->setObjectName(QStringLiteral("sEdit1"));
    sEdit1->setMaxLength(std::numeric_limits<int>::max()); // a pasted tag is inserted whole
    sSpeedButton1 = new QToolButton(this);
    sSpeedButton1->setObjectName(QStringLiteral("sSpeedButton1"));
    sSpeedButton1->setIcon(copyIcon());
    sSpeedButton1->setAutoRaise(true);

    sButton1 = new QPushButton(QStringLiteral("OK"), this);
    sButton1->setObjectName(QStringLiteral("sButton1"));
    sButton1->setDefault(true);

    BlinkTimer = new QTimer(this);
    BlinkTimer->setObjectName(QStringLiteral("BlinkTimer"));
    BlinkTimer->setInterval(taghelp::BlinkInterval);

    auto *current = new QHBoxLayout;
    current->addWidget(sLabel1);
    current->addWidget(sEdit1, 1);
    current->addWidget(sSpeedButton1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(HTMListBox1);
    layout->addLayout(current);
    layout->addWidget(sButton1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Selection, not the current row: the list makes its first row current by itself when it
    // takes the focus, and that is no choice of the user's.
    connect(HTMListBox1, &QListWidget::itemSelectionChanged, this, &THelpTagF::HTMListBox1Click);
    connect(HTMListBox1, &QListWidget::itemClicked, this, &THelpTagF::HTMListBox1Click);
    connect(HTMListBox1, &QListWidget::itemDoubleClicked, this, &THelpTagF::HTMListBox1DblClick);
    connect(sSpeedButton1, &QToolButton::clicked, this, &THelpTagF::sSpeedButton1Click);
    connect(sButton1, &QPushButton::clicked, this, &THelpTagF::sButton1Click);
    connect(BlinkTimer, &QTimer::timeout, this,
            [this] { HTMListBox1->setBlinkShown(!HTMListBox1->blinkShown()); });
}

void THelpTagF::MirvaleTags1Click()
{
    show();
    raise();
    activateWindow();
}

void THelpTagF::HTMListBox1Click()
{
    const QList<QListWidgetItem *> selected = HTMListBox1->selectedItems();
    const QListWidgetItem *item = selected.isEmpty() ? nullptr : selected.first();
    sEdit1->setText(item ? taghelp::sampleOf(item->data(Qt::UserRole).toString()) : QString());
}

void THelpTagF::HTMListBox1DblClick()
{
    HTMListBox1Click();
    if (TMemo *memo = ActiveMemo ? ActiveMemo() : nullptr)
        insertion::caretRule(memo, sEdit1->text());
}

void THelpTagF::sSpeedButton1Click()
{
    sEdit1->selectAll();
    QGuiApplication::clipboard()->setText(sEdit1->text());
}

void THelpTagF::sButton1Click()
{
    close();
}

void THelpTagF::FormShow()
{
    const QString hint = Hint();
    if (!hint.isNull())
        sSpeedButton1->setToolTip(hint);
}

void THelpTagF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
        const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    // Blinking costs a repaint every half second, so it runs only while the window is shown.
    HTMListBox1->setBlinkShown(true);
    BlinkTimer->start();
}

void THelpTagF::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    BlinkTimer->stop();
}

void connectTagHelp(QWidget *mainWindow, THelpTagF *window)
{
    if (!mainWindow || !window)
        return;
    auto *action = mainWindow->findChild<QAction *>(QStringLiteral("MirvaleTags1"));
    if (action)
        QObject::connect(action, &QAction::triggered, window, &THelpTagF::MirvaleTags1Click);
}
