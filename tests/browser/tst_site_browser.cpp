// The Browser tab: the progress rule, the personal page address, the address box and header,
// history moves without history, and the Help menu's addresses.
#include "browser/html_view.h"
#include "browser/site_browser_tab.h"
#include "markup/site.h"
#include "platform/error_display.h"
#include "platform/interface_texts.h"
#include "shell_catcher.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWebEngineView>

#include <climits>

namespace {

constexpr int LoadTimeout = 30000;

QStringList g_errors;
void recordError(const QString &text)
{
    g_errors << text;
}

QString writePage(const QTemporaryDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("<html><body>" + name.toLatin1() + "</body></html>");
    return path;
}

} // namespace

class TestSiteBrowser : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { g_errors.clear(); }

    void progressPosition_data();
    void progressPosition();
    void progressSetsBarAndStatusText_data();
    void progressSetsBarAndStatusText();
    void personalPageAddress_data();
    void personalPageAddress();
    void personalPageUsesCurrentCredentials();
    void addressBoxHoldsSixFixedEntries();
    void beforeNavigateShowsAddress();
    void historyMovesWithoutHistoryShowError();
    void enterOpensTypedAddressOnce();
    void typedPrefixOfAnEntryIsNotCompleted();
    void aLoadStoppedAtOnceStillShowsItsAddress();
    void choosingAnEntryOpensIt();
    void leavingTheBoxOpensNothing();
    void goCopiesAddressIntoHeaderHint();
    void helpMenuOpensAddressesInShell();

private:
    QTemporaryDir m_dir;
};

void TestSiteBrowser::initTestCase()
{
    QVERIFY(m_dir.isValid());
    errordisplay::setHandler(recordError);
}

void TestSiteBrowser::progressPosition_data()
{
    QTest::addColumn<qint32>("progress");
    QTest::addColumn<qint32>("total");
    QTest::addColumn<qint64>("position");
    QTest::newRow("nothing read") << 0 << 1024 << qint64(1);
    QTest::newRow("below zero") << -1 << 1024 << qint64(1);
    QTest::newRow("most negative") << INT_MIN << 1024 << qint64(1);
    QTest::newRow("total 0") << 512 << 0 << qint64(1);
    QTest::newRow("total 1") << 512 << 1 << qint64(1);
    QTest::newRow("negative total") << 512 << INT_MIN << qint64(1);
    QTest::newRow("half") << 512 << 1024 << qint64(50);
    QTest::newRow("truncated") << 1023 << 1024 << qint64(99);
    QTest::newRow("all") << 1024 << 1024 << qint64(100);
    QTest::newRow("near 2^31, all") << INT_MAX << INT_MAX << qint64(100);
    QTest::newRow("near 2^31, almost") << INT_MAX - 1 << INT_MAX << qint64(99);
    QTest::newRow("near 2^31, half") << INT_MAX / 2 << INT_MAX - 1 << qint64(50);
    QTest::newRow("more than announced") << INT_MAX << 2 << qint64(107374182350LL);
}

void TestSiteBrowser::progressPosition()
{
    QFETCH(qint32, progress);
    QFETCH(qint32, total);
    QFETCH(qint64, position);
    QCOMPARE(sitebrowser::progressPosition(progress, total), position);
}

void TestSiteBrowser::progressSetsBarAndStatusText_data()
{
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("bar");
    QTest::addColumn<QString>("text"); // none when no text is handed on
    QTest::newRow("done report") << -1 << 100 << 1 << QString();
    QTest::newRow("nothing yet") << 0 << 100 << 1 << QString();
    QTest::newRow("kilobytes") << 3 * 1024 + 100 << 10 * 1024 + 1023 << 28
                               << QStringLiteral("Прочитано 3 Kбайт из 10");
    QTest::newRow("more than announced: full bar")
        << 5000 << 2048 << 100 << QStringLiteral("Прочитано 4 Kбайт из 2");
    QTest::newRow("percent") << 40 << 100 << 40 << QStringLiteral("Прочитано 0 Kбайт из 0");
}

void TestSiteBrowser::progressSetsBarAndStatusText()
{
    QFETCH(int, progress);
    QFETCH(int, total);
    QFETCH(int, bar);
    QFETCH(QString, text);
    SiteBrowserTab tab;
    auto *progressBar = tab.findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));
    QVERIFY(progressBar);
    progressBar->setValue(77);
    QSignalSpy status(&tab, &SiteBrowserTab::statusText);
    tab.WebBrowser1ProgressChange(progress, total);
    QCOMPARE(progressBar->value(), bar);
    if (text.isNull()) {
        QCOMPARE(status.count(), 0);
    } else {
        QCOMPARE(status.count(), 1);
        QCOMPARE(status.at(0).at(0).toString(), text);
    }
}

void TestSiteBrowser::personalPageAddress_data()
{
    const QString home = site::homeAddress();
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("address");
    QTest::newRow("empty") << QString() << QString() << home + "/-";
    QTest::newRow("plain") << "vasya"
                           << "secret" << home + "/vasya-secret";
    QTest::newRow("hash and slash") << "va#sya"
                                    << "se/cr#et" << home + "/va%23sya-se%2Fcr%23et";
    QTest::newRow("query and percent") << "a?b"
                                       << "100%" << home + "/a%3Fb-100%25";
    QTest::newRow("blanks and controls") << " a b"
                                         << "x\ty" << home + "/%20a%20b-x%09y";
    QTest::newRow("backslash") << "a\\b"
                               << "" << home + "/a%5Cb-";
    // Everything else goes as typed, the hyphen too.
    QTest::newRow("cyrillic and hyphen") << "Вася-1"
                                         << "пароль" << home + "/Вася-1-пароль";
}

void TestSiteBrowser::personalPageAddress()
{
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(QString, address);
    const QString built = sitebrowser::personalPageAddress(login, password);
    QCOMPARE(built, address);
    // The view opens it with login and password intact in the path.
    const QUrl url = HtmlView::addressOf(built);
    QCOMPARE(url.path(QUrl::FullyDecoded), "/" + login + "-" + password);
    QVERIFY(!url.hasQuery());
    QVERIFY(!url.hasFragment());
}

void TestSiteBrowser::personalPageUsesCurrentCredentials()
{
    SiteBrowserTab tab;
    QCOMPARE(tab.personalPageAddress(), site::homeAddress() + "/-");
    QString login = QStringLiteral("first");
    tab.setCredentials([&login] { return std::pair{login, QStringLiteral("pw")}; });
    QCOMPARE(tab.personalPageAddress(), site::homeAddress() + "/first-pw");
    login = QStringLiteral("second");
    QCOMPARE(tab.personalPageAddress(), site::homeAddress() + "/second-pw");
}

void TestSiteBrowser::addressBoxHoldsSixFixedEntries()
{
    SiteBrowserTab tab;
    auto *box = tab.findChild<QComboBox *>(QStringLiteral("IEAddress1"));
    QVERIFY(box);
    const QString home = site::homeAddress();
    const QStringList expected{home,
                               home + "/rub?rid=4",
                               home + "/rub?rid=50",
                               home + "/rub?rid=8522",
                               home + "/rub?rid=4040",
                               home + "/rub?rid=42"};
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries << box->itemText(i);
    QCOMPARE(entries, expected);
    QCOMPARE(box->currentText(), home);

    // Opening a typed address does not add it to the list.
    box->setEditText(writePage(m_dir, QStringLiteral("typed.html")));
    tab.IEAddress1Select();
    QCOMPARE(box->count(), 6);
}

void TestSiteBrowser::beforeNavigateShowsAddress()
{
    SiteBrowserTab tab;
    tab.WebBrowser1BeforeNavigate2(QStringLiteral("file:///tmp/Temp.html"));
    QCOMPARE(tab.findChild<QComboBox *>(QStringLiteral("IEAddress1"))->currentText(),
             QStringLiteral("file:///tmp/Temp.html"));
    QCOMPARE(tab.addressText(), QStringLiteral("file:///tmp/Temp.html"));
    auto *header = tab.findChild<QHeaderView *>(QStringLiteral("StatusBar2"));
    QVERIFY(header);
    QCOMPARE(header->sectionSize(0), 255);
    QCOMPARE(header->sectionSize(1), 470);
    QVERIFY(header->model()->headerData(0, Qt::Horizontal).toString().isEmpty());
}

void TestSiteBrowser::historyMovesWithoutHistoryShowError()
{
    SiteBrowserTab tab;
    auto *box = tab.findChild<QComboBox *>(QStringLiteral("IEAddress1"));
    QSignalSpy before(tab.view(), &HtmlView::OnBeforeNavigate2);
    tab.findChild<QToolButton *>(QStringLiteral("ToolButton19"))->click();
    tab.findChild<QToolButton *>(QStringLiteral("ToolButton21"))->click();
    QCOMPARE(g_errors.size(), 2);
    // In the interface's words, whole, not cut at the first non-ASCII byte.
    QCOMPARE(g_errors.at(0), interfacetexts::text(interfacetexts::NoPageBack) + u'.');
    QTest::qWait(200);
    QCOMPARE(before.count(), 0);
    QCOMPARE(box->currentText(), site::homeAddress());
    QVERIFY(tab.addressText().isEmpty());
}

void TestSiteBrowser::enterOpensTypedAddressOnce()
{
    const QString page = writePage(m_dir, QStringLiteral("enter.html"));
    SiteBrowserTab tab;
    tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tab));
    auto *box = tab.findChild<QComboBox *>(QStringLiteral("IEAddress1"));
    QSignalSpy before(tab.view(), &HtmlView::OnBeforeNavigate2);
    QSignalSpy finished(tab.view()->createWebView(), &QWebEngineView::loadFinished);
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), page);
    QCOMPARE(before.count(), 0); // typing changes only the box
    // The box has the keyboard focus (its line edit's focus proxy) and hands keys on.
    QTest::keyClick(box, Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, LoadTimeout);
    QTest::qWait(300);
    QCOMPARE(before.count(), 1);
    QCOMPARE(tab.addressText(), QUrl::fromLocalFile(page).toString());
    QCOMPARE(box->currentText(), QUrl::fromLocalFile(page).toString());
}

void TestSiteBrowser::typedPrefixOfAnEntryIsNotCompleted()
{
    SiteBrowserTab tab;
    tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tab));
    auto *box = tab.findChild<QComboBox *>(QStringLiteral("IEAddress1"));
    // "…/rub?rid=5" starts the listed "…/rub?rid=50"; Enter must open what was typed.
    const QString typed = box->itemText(0) + QStringLiteral("/rub?rid=5");
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), typed);
    QCOMPARE(box->currentText(), typed);
}

void TestSiteBrowser::aLoadStoppedAtOnceStillShowsItsAddress()
{
    // As at start-up: sent home, stopped before the engine asks for the page.
    SiteBrowserTab tab;
    QSignalSpy before(tab.view(), &HtmlView::OnBeforeNavigate2);
    tab.openHomeAddress();
    tab.view()->Stop();
    auto *header = tab.findChild<QHeaderView *>(QStringLiteral("StatusBar2"));
    QCOMPARE(header->model()->headerData(1, Qt::Horizontal).toString(),
             QUrl(site::homeAddress()).toString());
    QTest::qWait(300);
    QCOMPARE(before.count(), 1);
}

void TestSiteBrowser::choosingAnEntryOpensIt()
{
    SiteBrowserTab tab;
    tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tab));
    auto *box = tab.findChild<QComboBox *>(QStringLiteral("IEAddress1"));
    QSignalSpy before(tab.view(), &HtmlView::OnBeforeNavigate2);
    box->showPopup();
    QTRY_VERIFY(box->view()->isVisible());
    QTest::keyClick(box->view(), Qt::Key_Down);
    QTest::keyClick(box->view(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(before.count(), 1, LoadTimeout);
    QCOMPARE(QUrl(before.at(0).at(0).toString()), QUrl(site::homeAddress() + "/rub?rid=4"));
    QTest::qWait(300);
    QCOMPARE(before.count(), 1);
}

void TestSiteBrowser::leavingTheBoxOpensNothing()
{
    SiteBrowserTab tab;
    tab.show();
    QVERIFY(QTest::qWaitForWindowActive(&tab));
    auto *box = tab.findChild<QComboBox *>(QStringLiteral("IEAddress1"));
    QSignalSpy before(tab.view(), &HtmlView::OnBeforeNavigate2);
    box->lineEdit()->setFocus();
    box->lineEdit()->clear();
    // The text of another entry, typed and then left behind.
    QTest::keyClicks(box->lineEdit(), site::homeAddress() + "/rub?rid=50");
    tab.findChild<QToolButton *>(QStringLiteral("ToolButton1"))->setFocus();
    QTest::qWait(300);
    QCOMPARE(before.count(), 0);

    // Enter on that text opens it, once.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(before.count(), 1, LoadTimeout);
    QTest::qWait(300);
    QCOMPARE(before.count(), 1);
}

void TestSiteBrowser::goCopiesAddressIntoHeaderHint()
{
    const QString page = writePage(m_dir, QStringLiteral("go.html"));
    SiteBrowserTab tab;
    auto *box = tab.findChild<QComboBox *>(QStringLiteral("IEAddress1"));
    auto *header = tab.findChild<QHeaderView *>(QStringLiteral("StatusBar2"));
    QSignalSpy finished(tab.view()->createWebView(), &QWebEngineView::loadFinished);
    box->setEditText(page);
    tab.findChild<QToolButton *>(QStringLiteral("ToolButton1"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, LoadTimeout);
    QCOMPARE(header->toolTip(), QUrl::fromLocalFile(page).toString());

    // A page opened by Enter leaves the hint as it was.
    box->setEditText(writePage(m_dir, QStringLiteral("enter2.html")));
    tab.IEAddress1Select();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, LoadTimeout);
    QCOMPARE(header->toolTip(), QUrl::fromLocalFile(page).toString());
}

void TestSiteBrowser::helpMenuOpensAddressesInShell()
{
    QWidget mainWindow;
    const char *names[] = {"CorvelSoftWare1", "homepage1", "Mirvale1", "personalpage1"};
    for (const char *name : names) {
        auto *action = new QAction(&mainWindow);
        action->setObjectName(QLatin1String(name));
    }
    SiteBrowserTab tab;
    tab.setCredentials([] { return std::pair{QStringLiteral("me"), QStringLiteral("p#w")}; });
    tab.connectHelpMenu(&mainWindow);
    QWidget other; // a window without the items: nothing to connect, nothing breaks
    tab.connectHelpMenu(&other);

    ShellCatcher catcher({QStringLiteral("http")});
    for (const char *name : names)
        mainWindow.findChild<QAction *>(QLatin1String(name))->trigger();

    const QList<QUrl> expected{QUrl(site::makerSite()), QUrl(site::programHomePage()),
                               QUrl(site::homeAddress()), QUrl(site::homeAddress() + "/me-p%23w")};
    QCOMPARE(catcher.opened, expected);
    QCOMPARE(catcher.opened.last().toString(), site::homeAddress() + "/me-p%23w");
    QVERIFY(g_errors.isEmpty());
}

int main(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); // wanted by the web engine
    QApplication app(argc, argv);
    TestSiteBrowser test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_site_browser.moc"
