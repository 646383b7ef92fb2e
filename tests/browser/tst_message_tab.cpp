// The Message tab: the preview file and its view follow every change of the message, the
// preview status, the failure paths, the close button and the line-break item.
#include "browser/html_view.h"
#include "browser/message_preview.h"
#include "browser/message_tab.h"
#include "browser/site_browser_tab.h"
#include "editor/highlighting_memo.h"
#include "platform/app_paths.h"
#include "platform/codepage.h"
#include "platform/error_display.h"

#include "page_probe.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSyntaxHighlighter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace {

using pageprobe::scrolledTo;
using pageprobe::shownText;

constexpr int LoadTimeout = 30000;

QStringList g_errors;
void recordError(const QString &text)
{
    g_errors << text;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether the file could be opened for writing; it then holds the bytes.
bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return true;
}

// Types the text key by key, as the keyboard would (Cyrillic included).
void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// Colours every line, as the text area's highlighting does.
class Colouring : public QSyntaxHighlighter
{
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString &text) override { setFormat(0, int(text.size()), Qt::red); }
};

// Everything the Message tab works with, as the main window puts it together.
struct Fixture
{
    QWidget window;
    MessageTab *tab;
    SiteBrowserTab *browser;
    QLineEdit *elsewhere;

    Fixture()
    {
        auto *layout = new QVBoxLayout(&window);
        elsewhere = new QLineEdit(&window);
        tab = new MessageTab(&window);
        browser = new SiteBrowserTab(&window);
        layout->addWidget(elsewhere);
        layout->addWidget(tab);
        layout->addWidget(browser);
        browser->attachMessagePreview(tab);
        window.resize(800, 900);
    }
    QWebEngineView *view() const { return tab->preview()->createWebView(); }
    QComboBox *addressBox() const
    {
        return browser->findChild<QComboBox *>(QStringLiteral("IEAddress1"));
    }
};

} // namespace

class TestMessageTab : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { g_errors.clear(); }

    void typingWritesPageAndShowsIt();
    void previewFileOfEachMessage_data();
    void previewFileOfEachMessage();
    void hiddenPanelStillFollows();
    void pageWrittenInPiecesIsTheSameBytes_data();
    void pageWrittenInPiecesIsTheSameBytes();
    void refusedNavigateMarksCaptionUntilNextChange();
    void unwritableFileShowsErrorAndKeepsView();
    void scriptInMessageDoesNotRun();
    void closeButtonHidesPanelAndClearsTick();
    void lineBreakOnlyWhileTextAreaHasFocus();
    void deleteItemLeavesClipboardAlone();
    void releasingF4RepaintsTextArea();
    void shortCyrillicShowsInItsCodePage_data();
    void shortCyrillicShowsInItsCodePage();
    void fastTypingKeepsScrollPosition();
    void previewNeverNavigatesByItself_data();
    void previewNeverNavigatesByItself();
    void plantedLinkIsReplacedNotFollowed();

private:
    QTemporaryDir m_dir;
};

void TestMessageTab::initTestCase()
{
    QVERIFY(m_dir.isValid());
    errordisplay::setHandler(recordError);
    // The preview goes to the per-user cache, never a shared folder.
    MessageTab tab;
    QCOMPARE(tab.previewFile(), apppaths::messagePreviewFile());
    QVERIFY(tab.previewFile().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation)));
    QVERIFY(tab.previewFile().endsWith(QStringLiteral("/Temp.html")));
}

void TestMessageTab::typingWritesPageAndShowsIt()
{
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QSignalSpy finished(f.view(), &QWebEngineView::loadFinished);
    QCOMPARE(f.tab->previewCaption(), MessageTab::captionOk());

    typeText(f.tab->memo(), QStringLiteral("^bolder^Жирный^br^^center^Центр"));

    // The file holds the converted page in code page 1251, CR LF after every line.
    const QByteArray expected = "<html>\r\n<head><title>Message</title></head>\r\n<body>\r\n"
                                "<b>\xC6\xE8\xF0\xED\xFB\xE9<br><p align=\"center\">"
                                "\xD6\xE5\xED\xF2\xF0\r\n</body>\r\n</html>\r\n";
    QCOMPARE(fileBytes(f.tab->previewFile()), expected);
    QCOMPARE(f.tab->previewCaption(), MessageTab::captionOk());

    // The view shows it in readable Cyrillic, and the Browser tab shows its address.
    const QString address = QUrl::fromLocalFile(f.tab->previewFile()).toString();
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty() && finished.last().at(0).toBool() &&
                                 f.browser->addressText() == address,
                             LoadTimeout);
    // The line break and the new paragraph show as breaks of the page's text.
    QTRY_COMPARE_WITH_TIMEOUT(shownText(f.view()->page()), QStringLiteral("Жирный\n\n\nЦентр"),
                              LoadTimeout);
    QCOMPARE(f.addressBox()->currentText(), address);
    QCOMPARE(f.view()->title(), QStringLiteral("Message"));
}

void TestMessageTab::previewFileOfEachMessage_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("body"); // between the three head and two tail lines
    QTest::newRow("deleted to nothing") << QString() << QByteArray();
    QTest::newRow("lines") << QStringLiteral("one\ntwo^hr^\n") << QByteArray("one\r\ntwo<hr>\r\n");
    QTest::newRow("unconverted tags stay")
        << QStringLiteral("^url^a^b^ ^Bolder^") << QByteArray("^url^a^b^ ^Bolder^\r\n");
}

void TestMessageTab::previewFileOfEachMessage()
{
    QFETCH(QString, message);
    QFETCH(QByteArray, body);
    MessageTab tab;
    tab.setPreviewFile(m_dir.filePath(QStringLiteral("each.html")));
    tab.memo()->setPlainText(QStringLiteral("something before"));
    tab.memo()->setPlainText(message);
    QCOMPARE(fileBytes(tab.previewFile()),
             "<html>\r\n<head><title>Message</title></head>\r\n<body>\r\n" + body +
                 "</body>\r\n</html>\r\n");
}

void TestMessageTab::hiddenPanelStillFollows()
{
    Fixture f;
    f.tab->setPreviewVisible(false);
    f.window.show();
    QSignalSpy before(f.tab->preview(), &HtmlView::OnBeforeNavigate2);
    f.tab->memo()->setPlainText(QStringLiteral("^italic^hidden"));
    QVERIFY(fileBytes(f.tab->previewFile()).contains("<i>hidden"));
    QCOMPARE(before.count(), 1);
    QCOMPARE(f.browser->addressText(), QUrl::fromLocalFile(f.tab->previewFile()).toString());
    // A hidden preview starts no web engine; shown, it shows what was typed meanwhile.
    QTest::qWait(100);
    QVERIFY(!f.tab->preview()->webView());
    f.tab->setPreviewVisible(true);
    QTRY_VERIFY(f.tab->preview()->webView());
    QTRY_COMPARE_WITH_TIMEOUT(shownText(f.tab->preview()->webView()->page()),
                              QStringLiteral("hidden"), LoadTimeout);
    QCOMPARE(before.count(), 1);
}

void TestMessageTab::pageWrittenInPiecesIsTheSameBytes_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("only line feeds") << QByteArray(37, '\n');
    QTest::newRow("mixed breaks") << QByteArray("a\r\nb\rc\n\r\n\r\rd\n\n");
    QTest::newRow("tags around breaks")
        << QByteArray("^br^\n^hr^^bolder^\r\n^center^x^\n^italic^^\n^left^");
    QTest::newRow("long line, no break")
        << QByteArray("^bolder^\xCF\xF0\xE8\xE2\xE5\xF2 ^br^ ^url^x^y^ ").repeated(9);
    QTest::newRow("final break") << QByteArray("one\n\xC6^hr^\n");
}

void TestMessageTab::pageWrittenInPiecesIsTheSameBytes()
{
    QFETCH(QByteArray, message);
    const QByteArray whole = messagepreview::pageBytes(cp1251::decode(message));
    for (const qsizetype pieceSize : {1, 2, 3, 5, 16, 1 << 20}) {
        QByteArray pieces;
        messagepreview::writePageBytes(
            message, [&](const QByteArray &piece) { pieces += piece; }, pieceSize);
        QCOMPARE(pieces, whole);
    }
}

void TestMessageTab::refusedNavigateMarksCaptionUntilNextChange()
{
    Fixture f;
    f.tab->setPreviewFile(m_dir.filePath(QStringLiteral("refused.html")));
    f.tab->preview()->setAddressCheck([](const QUrl &) { return false; });
    f.tab->memo()->setPlainText(QStringLiteral("first"));
    QCOMPARE(f.tab->previewCaption(), MessageTab::captionRefused());
    // Only the caption tells: no message box, and the file is written all the same.
    QVERIFY(g_errors.isEmpty());
    QVERIFY(fileBytes(f.tab->previewFile()).contains("first"));
    QCOMPARE(f.tab->memo()->toPlainText(), QStringLiteral("first"));

    f.tab->preview()->setAddressCheck({});
    f.tab->memo()->appendPlainText(QStringLiteral("second"));
    QCOMPARE(f.tab->previewCaption(), MessageTab::captionOk());
}

void TestMessageTab::unwritableFileShowsErrorAndKeepsView()
{
    Fixture f;
    f.tab->setPreviewFile(m_dir.filePath(QStringLiteral("good.html")));
    QSignalSpy before(f.tab->preview(), &HtmlView::OnBeforeNavigate2);
    f.tab->memo()->setPlainText(QStringLiteral("kept"));
    QTRY_COMPARE_WITH_TIMEOUT(before.count(), 1, LoadTimeout);

    f.tab->preview()->setAddressCheck([](const QUrl &) { return false; });
    f.tab->memo()->setPlainText(QStringLiteral("refused"));
    QCOMPARE(f.tab->previewCaption(), MessageTab::captionRefused());
    f.tab->preview()->setAddressCheck({});

    // A folder where the file should be: it cannot be created.
    const QString blocked = m_dir.filePath(QStringLiteral("blocked.html"));
    QVERIFY(QDir().mkdir(blocked));
    f.tab->setPreviewFile(blocked);
    f.tab->memo()->setPlainText(QStringLiteral("not written"));

    QCOMPARE(g_errors.size(), 1);
    // Redrawing the highlighting is no change of the text: no second error box.
    Colouring colouring(f.tab->memo()->document());
    colouring.rehighlight();
    QCOMPARE(g_errors.size(), 1);
    QVERIFY2(g_errors.last().startsWith("Cannot create file \"" + blocked + "\"."),
             qPrintable(g_errors.last()));
    QVERIFY(g_errors.last().endsWith(u'.'));
    QCOMPARE(f.tab->previewCaption(), MessageTab::captionOk());
    QCOMPARE(f.tab->memo()->toPlainText(), QStringLiteral("not written"));
    QTest::qWait(300);
    QCOMPARE(before.count(), 1); // the view keeps its last page
    QVERIFY(QFileInfo(blocked).isDir());
}

void TestMessageTab::scriptInMessageDoesNotRun()
{
    Fixture f;
    f.window.show();
    QSignalSpy finished(f.view(), &QWebEngineView::loadFinished);
    f.tab->memo()->setPlainText(QStringLiteral("<script>document.title='X'</script><i>after</i>"));
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(shownText(f.view()->page()), QStringLiteral("after"), LoadTimeout);
    QTest::qWait(300);
    QCOMPARE(f.view()->title(), QStringLiteral("Message"));
}

void TestMessageTab::closeButtonHidesPanelAndClearsTick()
{
    MessageTab tab;
    QAction tick(QStringLiteral("Панель предпросмотра"));
    tab.bindPreviewAction(&tick);
    QVERIFY(tick.isChecked());
    QVERIFY(tab.isPreviewVisible());

    QSignalSpy closed(&tab, &MessageTab::previewClosed);
    auto *close = tab.findChild<QToolButton *>(QStringLiteral("sSpeedButton1"));
    QVERIFY(close);
    QCOMPARE(close->toolTip(), QStringLiteral("Закрыть предпросмотр"));
    close->click();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!tab.isPreviewVisible());
    QVERIFY(!tick.isChecked());

    tick.trigger();
    QVERIFY(tick.isChecked());
    QVERIFY(tab.isPreviewVisible());
    tick.trigger();
    QVERIFY(!tab.isPreviewVisible());
}

void TestMessageTab::lineBreakOnlyWhileTextAreaHasFocus()
{
    Fixture f;
    f.tab->setPreviewFile(m_dir.filePath(QStringLiteral("br.html")));
    f.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    TMemo *memo = f.tab->memo();
    memo->setPlainText(QStringLiteral("ab"));
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(1);
    memo->setTextCursor(cursor);
    auto *lineBreak = f.tab->contextMenu()->findChild<QAction *>(QStringLiteral("mbr1"));
    QVERIFY(lineBreak);

    f.elsewhere->setFocus();
    QTRY_VERIFY(f.elsewhere->hasFocus());
    lineBreak->trigger();
    QTest::keyClick(f.elsewhere, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), QStringLiteral("ab"));
    QVERIFY(f.elsewhere->text().isEmpty());

    memo->setFocus();
    QTRY_VERIFY(memo->hasFocus());
    lineBreak->trigger();
    QCOMPARE(memo->toPlainText(), QStringLiteral("a^br^b"));
}

void TestMessageTab::deleteItemLeavesClipboardAlone()
{
    MessageTab tab;
    tab.setPreviewFile(m_dir.filePath(QStringLiteral("delete.html")));
    QApplication::clipboard()->setText(QStringLiteral("keep"));
    tab.memo()->setPlainText(QStringLiteral("one two"));
    QTextCursor cursor = tab.memo()->textCursor();
    cursor.setPosition(3);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    tab.memo()->setTextCursor(cursor);
    tab.contextMenu()->findChild<QAction *>(QStringLiteral("mdelete1"))->trigger();
    QCOMPARE(tab.memo()->toPlainText(), QStringLiteral("one"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("keep"));
    QVERIFY(fileBytes(tab.previewFile()).contains("\r\none\r\n"));
}

// Counts the paint events of a widget.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

void TestMessageTab::releasingF4RepaintsTextArea()
{
    MessageTab tab;
    tab.setPreviewFile(m_dir.filePath(QStringLiteral("f4.html")));
    tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tab));
    QTest::qWait(100);
    PaintCounter counter;
    tab.memo()->viewport()->installEventFilter(&counter);
    QTest::keyRelease(tab.memo(), Qt::Key_F5);
    QTest::qWait(100);
    QCOMPARE(counter.paints, 0);
    QTest::keyRelease(tab.memo(), Qt::Key_F4);
    QTRY_VERIFY(counter.paints > 0);
}

void TestMessageTab::shortCyrillicShowsInItsCodePage_data()
{
    // Pages this short make the engine guess their code page; the guess must not win.
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Да") << QStringLiteral("Да") << QByteArray("\xC4\xE0");
    QTest::newRow("Я") << QStringLiteral("Я") << QByteArray("\xDF");
    QTest::newRow("П") << QStringLiteral("П") << QByteArray("\xCF");
    QTest::newRow("mixed") << QStringLiteral("Hello, Да!") << QByteArray("Hello, \xC4\xE0!");
}

void TestMessageTab::shortCyrillicShowsInItsCodePage()
{
    QFETCH(QString, message);
    QFETCH(QByteArray, bytes);
    Fixture f;
    f.window.show();
    QSignalSpy finished(f.view(), &QWebEngineView::loadFinished);
    f.tab->memo()->setPlainText(message);
    QCOMPARE(fileBytes(f.tab->previewFile()),
             "<html>\r\n<head><title>Message</title></head>\r\n<body>\r\n" + bytes +
                 "\r\n</body>\r\n</html>\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(shownText(f.view()->page()), message, 3000);
    QCOMPARE(f.browser->addressText(), QUrl::fromLocalFile(f.tab->previewFile()).toString());
}

void TestMessageTab::fastTypingKeepsScrollPosition()
{
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QStringList lines;
    for (int i = 1; i <= 60; ++i)
        lines << QStringLiteral("line %1^br^").arg(i);
    QSignalSpy finished(f.view(), &QWebEngineView::loadFinished);
    f.tab->memo()->setPlainText(lines.join(u'\n'));
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), LoadTimeout);
    QWebEnginePage *page = f.view()->page();
    page->runJavaScript(QStringLiteral("window.scrollTo(0, document.body.scrollHeight * 5 / 6);"),
                        QWebEngineScript::ApplicationWorld);
    QTRY_VERIFY_WITH_TIMEOUT(scrolledTo(page) > 300, LoadTimeout);
    const qreal at = scrolledTo(page);
    QTRY_COMPARE_WITH_TIMEOUT(page->scrollPosition().y(), at, LoadTimeout);

    // Keys at the pace of a fast typist and faster, each one a new page.
    QTextCursor end = f.tab->memo()->textCursor();
    end.movePosition(QTextCursor::End);
    f.tab->memo()->setTextCursor(end);
    QString typed;
    for (int round = 0; round < 4; ++round) {
        for (int pause : {150, 170, 200, 160, 0, 30, 80, 150, 10, 190, 120, 60}) {
            const QString key(QChar(char16_t(u'a' + typed.size() % 26)));
            typeText(f.tab->memo(), key);
            typed += key;
            QTest::qWait(pause);
        }
        // The newest text is shown, at the place the reader left.
        QTRY_VERIFY_WITH_TIMEOUT(shownText(page).endsWith(typed), LoadTimeout);
        QTest::qWait(200);
        QCOMPARE(scrolledTo(page), at);
    }
}

void TestMessageTab::previewNeverNavigatesByItself_data()
{
    QTest::addColumn<QString>("message"); // %1: the address of another local page
    QTest::newRow("refresh in place")
        << QStringLiteral("<meta http-equiv=\"refresh\" content=\"0\">");
    QTest::newRow("refresh elsewhere")
        << QStringLiteral("<meta http-equiv=\"refresh\" content=\"0;url=%1\">");
    QTest::newRow("redirect after a second")
        << QStringLiteral("<meta http-equiv=\"refresh\" content=\"1;url=%1\">");
}

void TestMessageTab::previewNeverNavigatesByItself()
{
    QFETCH(QString, message);
    const QString other = m_dir.filePath(QStringLiteral("elsewhere.html"));
    QVERIFY(writeFile(other, "<html><body>elsewhere</body></html>"));

    Fixture f;
    f.window.show();
    QSignalSpy finished(f.view(), &QWebEngineView::loadFinished);
    QSignalSpy before(f.tab->preview(), &HtmlView::OnBeforeNavigate2);
    f.tab->memo()->setPlainText(
        QString(message).replace(QStringLiteral("%1"), QUrl::fromLocalFile(other).toString()) +
        QStringLiteral("here"));
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), LoadTimeout);
    QTest::qWait(2000);
    // The refused refresh may be reported as a load that ends at once; it never loads anything.
    QVERIFY2(finished.count() <= 2, qPrintable(QString::number(finished.count())));
    QCOMPARE(std::count_if(finished.cbegin(), finished.cend(),
                           [](const QList<QVariant> &args) { return args.at(0).toBool(); }),
             1);
    QCOMPARE(before.count(), 1);
    QCOMPARE(shownText(f.view()->page()), QStringLiteral("here"));
    const QString address = QUrl::fromLocalFile(f.tab->previewFile()).toString();
    QCOMPARE(f.browser->addressText(), address);
    QCOMPARE(f.view()->url().toString(), address);
}

void TestMessageTab::plantedLinkIsReplacedNotFollowed()
{
    const QString victim = m_dir.filePath(QStringLiteral("victim.txt"));
    QVERIFY(writeFile(victim, "precious"));
    MessageTab tab;
    QFile::remove(tab.previewFile());
    QDir().mkpath(QFileInfo(tab.previewFile()).absolutePath());
    QVERIFY(QFile::link(victim, tab.previewFile()));
    typeText(tab.memo(), QStringLiteral("x"));
    QCOMPARE(fileBytes(victim), QByteArray("precious"));
    QVERIFY(!QFileInfo(tab.previewFile()).isSymLink());
    QVERIFY(fileBytes(tab.previewFile()).contains("x\r\n</body>"));
}

int main(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); // wanted by the web engine
    QApplication app(argc, argv);
    TestMessageTab test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_message_tab.moc"
