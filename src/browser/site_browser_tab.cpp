#include "browser/site_browser_tab.h"

#include "browser/html_view.h"
#include "browser/message_tab.h"
#include "markup/site.h"
#include "platform/error_display.h"
#include "platform/interface_texts.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QStandardItemModel>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace sitebrowser {

qint64 progressPosition(qint32 progress, qint32 progressMax)
{
    if (progress < 1 || progressMax < 2)
        return 1;
    // 64 bits hold any 32-bit count times 100.
    return qint64(progress) * 100 / progressMax;
}

QString progressText(qint32 progress, qint32 progressMax)
{
    return QStringLiteral("Прочитано %1 Kбайт из %2").arg(progress / 1024).arg(progressMax / 1024);
}

QStringList addressList()
{
    const QString home = site::homeAddress();
    QStringList list{home};
    for (const char *rubric : {"4", "50", "8522", "4040", "42"})
        list << home + QStringLiteral("/rub?rid=") + QLatin1String(rubric);
    return list;
}

namespace {

// Percent-encodes what would cut the address short or move into another part of it.
QString encodeCredential(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        const bool special = u == u'#' || u == u'?' || u == u'%' || u == u'/' || u == u'\\';
        const bool blankOrControl = u <= 0x20 || (u >= 0x7f && u <= 0x9f) || c.isSpace();
        if (!special && !blankOrControl) {
            out.append(c);
            continue;
        }
        for (const char byte : QString(c).toUtf8())
            out += QStringLiteral("%%1").arg(uchar(byte), 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

} // namespace

QString personalPageAddress(const QString &login, const QString &password)
{
    return site::homeAddress() + u'/' + encodeCredential(login) + u'-' + encodeCredential(password);
}

} // namespace sitebrowser

namespace {

// The header's sections: widths at start and the most the user may drag them to.
constexpr int SectionWidth[2] = {255, 470};
constexpr int SectionMaxWidth[2] = {500, 1000};

} // namespace

SiteBrowserTab::SiteBrowserTab(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setIconSize(QSize(20, 20));
    addButton(bar, "ToolButton19", QStringLiteral("Назад"), QStyle::SP_ArrowBack,
              &SiteBrowserTab::ToolButton19Click);
    addButton(bar, "ToolButton21", QStringLiteral("Вперед"), QStyle::SP_ArrowForward,
              &SiteBrowserTab::ToolButton21Click);
    addButton(bar, "ToolButton4", QStringLiteral("Обновить страницу"), QStyle::SP_BrowserReload,
              &SiteBrowserTab::ToolButton4Click);
    addButton(bar, "ToolButton5", QStringLiteral("Остановить"), QStyle::SP_BrowserStop,
              &SiteBrowserTab::ToolButton5Click);
    addButton(bar, "ToolButton6", QStringLiteral("Персональная страница"), QStyle::SP_DirHomeIcon,
              &SiteBrowserTab::ToolButton6Click);

    m_address = new QComboBox(bar);
    m_address->setObjectName(QStringLiteral("IEAddress1"));
    m_address->setEditable(true);
    m_address->setInsertPolicy(QComboBox::NoInsert); // the list never grows
    // Enter opens the address as typed, not a list entry that happens to start with it.
    m_address->setCompleter(nullptr);
    m_address->addItems(sitebrowser::addressList());
    m_address->setCurrentIndex(0);
    m_address->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Narrow enough that the progress bar stays on the toolbar at the first-start window size.
    m_address->setMinimumContentsLength(12);
    // The box would otherwise pick the entry matching a typed text whenever editing ends and
    // report it as chosen, so that merely leaving the box opened a page. Only a choice made
    // in the list opens it; Enter is handled on its own below (the box would also report an
    // entry matching the text as chosen on Enter, opening it twice).
    disconnect(m_address->lineEdit(), &QLineEdit::editingFinished, m_address, nullptr);
    disconnect(m_address->lineEdit(), &QLineEdit::returnPressed, m_address, nullptr);
    connect(m_address, &QComboBox::activated, this, &SiteBrowserTab::IEAddress1Select);
    connect(m_address->lineEdit(), &QLineEdit::returnPressed, this,
            &SiteBrowserTab::IEAddress1KeyDown);
    bar->addWidget(m_address);

    addButton(bar, "ToolButton1", QStringLiteral("Перейти"), QStyle::SP_MediaPlay,
              &SiteBrowserTab::ToolButton1Click);

    m_progress = new QProgressBar(bar);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(1);
    m_progress->setTextVisible(false);
    m_progress->setFixedSize(150, 16);
    bar->addWidget(m_progress);
    layout->addWidget(bar);

    m_view = new HtmlView(this, HtmlView::Profile::MainWindow);
    m_view->setObjectName(QStringLiteral("WebBrowser1"));
    layout->addWidget(m_view, 1);
    attachView(m_view);

    m_headerModel = new QStandardItemModel(0, 2, this);
    m_headerModel->setHorizontalHeaderItem(
        0, new QStandardItem(style()->standardIcon(QStyle::SP_DriveNetIcon), QString()));
    m_headerModel->setHorizontalHeaderItem(
        1, new QStandardItem(style()->standardIcon(QStyle::SP_FileLinkIcon), QString()));
    m_header = new QHeaderView(Qt::Horizontal, this);
    m_header->setObjectName(QStringLiteral("StatusBar2"));
    m_header->setModel(m_headerModel);
    m_header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_header->setSectionsClickable(false);
    m_header->setStretchLastSection(false);
    m_header->setSectionResizeMode(QHeaderView::Interactive);
    for (int i = 0; i < 2; ++i)
        m_header->resizeSection(i, SectionWidth[i]);
    connect(m_header, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (section < 2 && size > SectionMaxWidth[section])
            m_header->resizeSection(section, SectionMaxWidth[section]);
    });
    // A strip along the bottom: as high as its text, never sharing the view's height.
    m_header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_header->setFixedHeight(m_header->sizeHint().height());
    layout->addWidget(m_header);
}

QToolButton *SiteBrowserTab::addButton(QToolBar *bar, const char *name, const QString &hint,
                                       int standardIcon, void (SiteBrowserTab::*slot)())
{
    auto *button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setIcon(style()->standardIcon(QStyle::StandardPixmap(standardIcon)));
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, slot);
    bar->addWidget(button);
    return button;
}

QString SiteBrowserTab::personalPageAddress() const
{
    const auto [login, password] = m_credentials ? m_credentials() : std::pair<QString, QString>();
    return sitebrowser::personalPageAddress(login, password);
}

void SiteBrowserTab::attachView(HtmlView *view)
{
    if (!view)
        return;
    connect(view, &HtmlView::OnBeforeNavigate2, this, &SiteBrowserTab::WebBrowser1BeforeNavigate2,
            Qt::UniqueConnection);
    connect(view, &HtmlView::OnProgressChange, this, &SiteBrowserTab::WebBrowser1ProgressChange,
            Qt::UniqueConnection);
}

void SiteBrowserTab::attachMessagePreview(MessageTab *tab)
{
    if (tab)
        attachView(tab->preview());
}

void SiteBrowserTab::connectHelpMenu(QObject *mainWindow)
{
    const std::pair<const char *, std::function<QString()>> items[] = {
        {"CorvelSoftWare1", [] { return site::makerSite(); }},
        {"homepage1", [] { return site::programHomePage(); }},
        {"Mirvale1", [] { return site::homeAddress(); }},
        {"personalpage1", [this] { return personalPageAddress(); }},
    };
    for (const auto &[name, address] : items) {
        auto *action = mainWindow->findChild<QAction *>(QLatin1String(name));
        if (!action)
            continue;
        connect(action, &QAction::triggered, this, [this, address] {
            const QString text = address();
            if (!QDesktopServices::openUrl(QUrl(text)))
                errordisplay::show(
                    interfacetexts::text(interfacetexts::CannotOpenInBrowser).arg(text), this);
        });
    }
}

void SiteBrowserTab::openHomeAddress()
{
    navigate(site::homeAddress());
}

QString SiteBrowserTab::addressText() const
{
    return m_headerModel->horizontalHeaderItem(1)->text();
}

void SiteBrowserTab::WebBrowser1BeforeNavigate2(const QString &url)
{
    m_address->setEditText(url);
    m_headerModel->horizontalHeaderItem(1)->setText(url);
}

void SiteBrowserTab::copyAddressIntoHint()
{
    // The view reports a navigation as it starts it, so the header already shows its address.
    m_header->setToolTip(addressText());
}

void SiteBrowserTab::WebBrowser1ProgressChange(int progress, int progressMax)
{
    // Values beyond the range would be ignored by the bar; they mean "all of it".
    m_progress->setValue(int(
        qMin<qint64>(sitebrowser::progressPosition(progress, progressMax), m_progress->maximum())));
    if (progress > 0)
        emit statusText(sitebrowser::progressText(progress, progressMax));
}

bool SiteBrowserTab::showingRefusal(const std::function<void()> &request)
{
    try {
        request();
        return true;
    } catch (const NavigateError &e) {
        errordisplay::show(QString::fromStdString(e.what()), this);
        return false;
    }
}

bool SiteBrowserTab::navigate(const QString &address)
{
    return showingRefusal([&] { m_view->Navigate(address); });
}

void SiteBrowserTab::ToolButton19Click()
{
    showingRefusal([this] { m_view->GoBack(); });
}

void SiteBrowserTab::ToolButton21Click()
{
    showingRefusal([this] { m_view->GoForward(); });
}

void SiteBrowserTab::ToolButton4Click()
{
    m_view->Refresh();
}
void SiteBrowserTab::ToolButton5Click()
{
    m_view->Stop();
}

void SiteBrowserTab::ToolButton6Click()
{
    if (navigate(personalPageAddress()))
        copyAddressIntoHint();
}

void SiteBrowserTab::ToolButton1Click()
{
    const QString text = m_address->currentText();
    if (navigate(text) && !text.trimmed().isEmpty())
        copyAddressIntoHint();
}

void SiteBrowserTab::IEAddress1Select()
{
    navigate(m_address->currentText());
}

void SiteBrowserTab::IEAddress1KeyDown()
{
    navigate(m_address->currentText());
}
