// The Browser tab: the site browser with its toolbar, address box and address header.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <utility>

class HtmlView;
class QComboBox;
class QHeaderView;
class QProgressBar;
class QStandardItemModel;
class QToolBar;
class QToolButton;
class MessageTab;

namespace sitebrowser {

// The progress bar's position for a progress report: 1 when there is nothing to show
// (progress below 1 or a total below 2), else progress * 100 / total truncated. Exact for any
// 32-bit counts; the value may exceed 100 when more arrived than announced.
qint64 progressPosition(qint32 progress, qint32 progressMax);

// "Прочитано %d Kбайт из %d" with both counts in whole kilobytes.
QString progressText(qint32 progress, qint32 progressMax);

// The six fixed entries of the address box.
QStringList addressList();

// Site home + "/" + login + "-" + password. The characters that would end or change the
// address ("#", "?", "%", "/", "\", blanks and control characters) are percent-encoded, so
// login and password reach the site as typed.
QString personalPageAddress(const QString &login, const QString &password);

} // namespace sitebrowser

class SiteBrowserTab : public QWidget
{
    Q_OBJECT
public:
    explicit SiteBrowserTab(QWidget *parent = nullptr);

    HtmlView *view() const { return m_view; } // WebBrowser1

    // Login and password of the stored options, read at the moment they are needed.
    using Credentials = std::function<std::pair<QString, QString>()>;
    void setCredentials(Credentials credentials) { m_credentials = std::move(credentials); }
    QString personalPageAddress() const;

    // Binds a view's before-navigate and progress events to this tab's two handlers; the tab's
    // own view is bound already. The main window binds the message preview this way.
    void attachView(HtmlView *view);
    void attachMessagePreview(MessageTab *tab);

    // Connects the Help menu items found by objectName under the main window
    // (CorvelSoftWare1, homepage1, Mirvale1, personalpage1): each opens its address in the
    // user's own web browser. Items that are missing are passed over.
    void connectHelpMenu(QObject *mainWindow);

    // Sends the site browser to the site home address (the main window does so on creation).
    void openHomeAddress();

    QString addressText() const; // the second section of StatusBar2

signals:
    // A progress text for the main window's status bar, shown there as a passing message.
    void statusText(const QString &text);

public slots:
    void WebBrowser1BeforeNavigate2(const QString &url);
    void WebBrowser1ProgressChange(int progress, int progressMax);

    void ToolButton19Click(); // back
    void ToolButton21Click(); // forward
    void ToolButton4Click();  // refresh
    void ToolButton5Click();  // stop
    void ToolButton6Click();  // personal page
    void ToolButton1Click();  // go
    void IEAddress1Select();  // an entry of the list chosen
    void IEAddress1KeyDown(); // Enter pressed in the box

private:
    // Go and the personal page copy the header's address into its hint once the view has
    // reported the navigation they started.
    void copyAddressIntoHint();
    QToolButton *addButton(QToolBar *bar, const char *name, const QString &hint, int standardIcon,
                           void (SiteBrowserTab::*slot)());
    // Runs a request of the view; a refusal is shown, and false returned.
    bool showingRefusal(const std::function<void()> &request);
    bool navigate(const QString &address);

    HtmlView *m_view = nullptr;
    QComboBox *m_address = nullptr;     // IEAddress1
    QProgressBar *m_progress = nullptr; // ProgressBar1
    QHeaderView *m_header = nullptr;    // StatusBar2
    QStandardItemModel *m_headerModel = nullptr;
    Credentials m_credentials;
};
