// The additions for pages in the main window: broken tags underlined and counted in both text
// areas, the problem list and F8, the one-line length, the site view and its export, and the
// specified menus unchanged before the new items.
#include "app_test_main.h"

#include "app/main_window.h"
#include "app/menu_layout.h"
#include "app/page_extras.h"
#include "browser/message_preview.h"
#include "browser/message_tab.h"
#include "browser/site_view_panel.h"
#include "editor/finish_window.h"
#include "editor/highlighting_memo.h"
#include "editor/tag_checker.h"
#include "editor/underline_layer.h"
#include "markup/site_view.h"

#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

void type(TMemo *memo, const QString &text)
{
    memo->selectAll();
    memo->insertPlainText(text);
}

QString saveGrab(QWidget *widget, const QString &name)
{
    const QString path = QDir::current().filePath(name);
    if (qEnvironmentVariableIsSet("RR_SAVE_GRABS"))
        widget->grab().save(path);
    return path;
}

} // namespace

class TstPageExtras : public QObject
{
    Q_OBJECT

private:
    TForm1 *m_form = nullptr;
    PageExtras *extras() const { return m_form->pageExtras(); }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void specifiedMenusComeFirst();
    void problemsInBothTextAreas_data();
    void problemsInBothTextAreas();
    void messagePreviewBytesUnchanged();
    void problemsFollowEditsAfterPause();
    void listAndF8MoveTheCaret();
    void oneLineLength_data();
    void oneLineLength();
    void siteViewFollowsThePage();
    void exportWritesTheSiteView();
    void documentationPictures();
};

void TstPageExtras::initTestCase()
{
    m_form = new TForm1;
    m_form->resize(900, 600);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    QVERIFY(extras());
}

void TstPageExtras::cleanupTestCase()
{
    delete m_form;
    QVERIFY2(apptest::unexpectedErrors().isEmpty(),
             qPrintable(apptest::unexpectedErrors().join(u'\n')));
}

void TstPageExtras::specifiedMenusComeFirst()
{
    // Each menu starts with exactly its specified items; the new ones follow them.
    const QHash<QString, QStringList> added = {
        {u"file1"_s, {u"ExportHtml1"_s}},
        {u"edit1"_s, {u"NextProblem1"_s, u"PreviousProblem1"_s}},
        {u"settings1"_s, {u"SiteView1"_s, u"TagProblems1"_s}},
    };
    QString menu;
    QHash<QString, QStringList> items;
    for (const menulayout::Row &row : menulayout::mainMenu()) {
        if (row.kind == menulayout::Kind::Menu)
            menu = QString::fromLatin1(row.name);
        else if (row.kind == menulayout::Kind::Item)
            items[menu].append(QString::fromLatin1(row.name));
    }
    for (auto it = added.begin(); it != added.end(); ++it) {
        const QStringList &names = items.value(it.key());
        QCOMPARE(names.mid(names.size() - it.value().size()), it.value());
    }
    QCOMPARE(items.value(u"file1"_s).value(items.value(u"file1"_s).size() - 2), u"close1"_s);
    QCOMPARE(items.value(u"edit1"_s).value(items.value(u"edit1"_s).size() - 3), u"refresh1"_s);
    QCOMPARE(items.value(u"settings1"_s).value(items.value(u"settings1"_s).size() - 3),
             u"options1"_s);
    QCOMPARE(m_form->action(u"NextProblem1"_s)->shortcut(), QKeySequence(Qt::Key_F8));
    QCOMPARE(m_form->action(u"SiteView1"_s)->isChecked(), false);
}

void TstPageExtras::problemsInBothTextAreas_data()
{
    QTest::addColumn<bool>("message");
    QTest::newRow("page") << false;
    QTest::newRow("message") << true;
}

void TstPageExtras::problemsInBothTextAreas()
{
    QFETCH(bool, message);
    m_form->pageControl()->setCurrentWidget(message ? m_form->messagePage() : m_form->editorPage());
    TMemo *memo = m_form->activeMemo();
    type(memo, u"^bolder^ok ^bolde^\n^url^http://x^\n^u:^ ^r1x^"_s);
    TagChecker *checker = extras()->checkerOf(memo);
    QVERIFY(checker);
    QTRY_COMPARE(checker->count(), 4);
    const QList<TagChecker::Problem> problems = checker->problems();
    QCOMPARE(problems.first().line, 1);
    QCOMPARE(problems.first().column, 12);
    QCOMPARE(problems.first().message, u"неизвестный тег ^bolde^"_s);
    QCOMPARE(problems.last().line, 3);
    QCOMPARE(problems.last().column, 8);
    QCOMPARE(extras()->problemCountLabel()->text(), u"Ошибок в тегах: 4"_s);
    // The specified highlighting colours are left alone: the underline is a layer over them.
    QCOMPARE(checker->layer(), UnderlineLayer::of(memo));
    saveGrab(m_form, message ? u"problems-message.png"_s : u"problems-page.png"_s);
    type(memo, QString());
    QTRY_COMPARE(checker->count(), 0);
    QCOMPARE(extras()->problemCountLabel()->text(), u"Ошибок в тегах: 0"_s);
    m_form->pageControl()->setCurrentWidget(m_form->editorPage());
}

void TstPageExtras::messagePreviewBytesUnchanged()
{
    // The checker underlines the message; the preview file is still exactly the conversion's.
    m_form->pageControl()->setCurrentWidget(m_form->messagePage());
    const QString message = u"^bolder^Привет ^bolde^ ^url^x^\n^center^^u:^"_s;
    type(m_form->memo2(), message);
    extras()->checkerOf(m_form->memo2())->checkNow();
    QCOMPARE(extras()->checkerOf(m_form->memo2())->count(), 3);
    QFile preview(m_form->messageTab()->previewFile());
    QVERIFY(preview.open(QIODevice::ReadOnly));
    QCOMPARE(preview.readAll(), messagepreview::pageBytes(message));
    m_form->pageControl()->setCurrentWidget(m_form->editorPage());
}

void TstPageExtras::problemsFollowEditsAfterPause()
{
    TMemo *memo = m_form->memoGen();
    TagChecker *checker = extras()->checkerOf(memo);
    type(memo, u"line one\n^bolde^ here\nlast ^u:^"_s);
    checker->checkNow();
    QCOMPARE(checker->count(), 2);
    // Typing above moves the marks; fixing a tag drops its mark after the pause.
    QTextCursor cursor(memo->document());
    cursor.insertText(u"new first line\n"_s);
    QCOMPARE(checker->problems().first().line, 3);
    cursor.setPosition(memo->document()->findBlockByNumber(2).position() + 6);
    cursor.insertText(u"r"_s); // ^bolder^
    QVERIFY(checker->isPending());
    QTRY_COMPARE(checker->count(), 1);
    QCOMPARE(checker->problems().first().line, 4);
}

void TstPageExtras::listAndF8MoveTheCaret()
{
    TMemo *memo = m_form->memoGen();
    type(memo, u"^a^ text ^b^\n^c^"_s);
    extras()->checkerOf(memo)->checkNow();
    m_form->action(u"TagProblems1"_s)->trigger();
    QTRY_VERIFY(extras()->problemsDock()->isVisible());
    QTreeWidget *list = extras()->problemsList();
    QTRY_COMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(list->topLevelItem(2)->text(0), u"2"_s);
    QCOMPARE(list->topLevelItem(2)->text(1), u"1"_s);
    emit list->itemClicked(list->topLevelItem(1), 0);
    QCOMPARE(memo->textCursor().selectedText(), u"^b^"_s);

    QTextCursor start(memo->document());
    memo->setTextCursor(start);
    QCOMPARE(memo->textCursor().position(), 0);
    QCOMPARE(m_form->activeMemo(), memo);
    m_form->action(u"NextProblem1"_s)->trigger(); // one right at the caret counts
    QCOMPARE(memo->textCursor().selectedText(), u"^a^"_s);
    m_form->action(u"NextProblem1"_s)->trigger();
    QCOMPARE(memo->textCursor().selectedText(), u"^b^"_s);
    m_form->action(u"NextProblem1"_s)->trigger();
    QCOMPARE(memo->textCursor().selectedText(), u"^c^"_s);
    m_form->action(u"NextProblem1"_s)->trigger(); // round to the first
    QCOMPARE(memo->textCursor().selectedText(), u"^a^"_s);
    m_form->action(u"PreviousProblem1"_s)->trigger(); // round to the last
    QCOMPARE(memo->textCursor().selectedText(), u"^c^"_s);
    m_form->action(u"PreviousProblem1"_s)->trigger();
    QCOMPARE(memo->textCursor().selectedText(), u"^b^"_s);
    saveGrab(m_form, u"problems-list.png"_s);
    m_form->action(u"TagProblems1"_s)->trigger();
    QTRY_VERIFY(!extras()->problemsDock()->isVisible());
}

void TstPageExtras::oneLineLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("one line") << "abc" << 3;
    QTest::newRow("breaks do not count") << "ab\ncd\n" << 4;
    QTest::newRow("empty lines") << "\n\n\n" << 0;
    QTest::newRow("cyrillic") << "Привет\nмир" << 9;
}

void TstPageExtras::oneLineLength()
{
    QFETCH(QString, text);
    QFETCH(int, length);
    TMemo *memo = m_form->memoGen();
    type(memo, text);
    QCOMPARE(PageExtras::oneLineLength(memo), length);
    QCOMPARE(extras()->lengthLabel()->text(), u"Длина: %1"_s.arg(length));
    // The Convert window shows the length of what it gives.
    auto *finish = m_form->findChild<TFinishF *>();
    if (!finish)
        finish = new TFinishF(m_form);
    QString joined = memo->text();
    finish->setResult(joined.remove(u'\n'));
    QCOMPARE(finish->lengthLabel()->text(), u"Длина: %1"_s.arg(length));
    // The length stays clear of the OK button and readable.
    QVERIFY(!finish->lengthLabel()->geometry().intersects(
        finish->findChild<QWidget *>(u"Button1"_s)->geometry()));
    QVERIFY(finish->lengthLabel()->width() >= finish->lengthLabel()->sizeHint().width());
    saveGrab(finish, u"convert.png"_s);
}

void TstPageExtras::siteViewFollowsThePage()
{
    TMemo *memo = m_form->memoGen();
    SiteViewPanel *panel = extras()->siteView();
    QVERIFY(!panel->isVisible());
    m_form->action(u"SiteView1"_s)->trigger();
    QVERIFY(panel->isVisible());
    QCOMPARE(m_form->pageControl()->currentWidget(), m_form->editorPage());
    type(memo, u"^center^^bolder^Привет ^url^http://x.example^сайт^ <b>"_s);
    QTRY_VERIFY(panel->shownHtml().contains(u"<a href=\"http://x.example\">сайт</a> &lt;b&gt;"_s));
    QCOMPARE(QFile(panel->pageFile()).size(), panel->shownHtml().toUtf8().size());
    // Pictures follow the option: off, their captions show in frames.
    type(memo, u"^jpg1234^кот^"_s);
    extras()->setImagesEnabled(false);
    QTRY_VERIFY(panel->shownHtml().contains(u"<span class=\"pic-off\">кот</span>"_s));
    extras()->setImagesEnabled(true);
    QTRY_VERIFY(panel->shownHtml().contains(u"<img class=\"pic\""_s));
    saveGrab(m_form, u"site-view.png"_s);
    m_form->action(u"SiteView1"_s)->trigger();
    QVERIFY(!panel->isVisible());
}

void TstPageExtras::exportWritesTheSiteView()
{
    type(m_form->memoGen(), u"^italic^Привет <script>"_s);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"page.html"_s);
    QString error;
    QVERIFY(extras()->exportHtml(path, &error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(
        QString::fromUtf8(file.readAll()),
        markup::PageToSiteHtml(u"^italic^Привет <script>"_s, SiteViewPanel::viewOptions(true)));
    // A folder that cannot be written: an error, and nothing claimed.
    QVERIFY(!extras()->exportHtml(dir.filePath(u"no/such/folder/page.html"_s), &error));
    QVERIFY(!error.isEmpty());
}

void TstPageExtras::documentationPictures()
{
    // Run by scripts/doc-pictures.sh under a private X server: the screen holds what the web
    // engine draws, which a widget grab does not.
    const QString folder = qEnvironmentVariable("RR_DOC_PICTURES");
    if (folder.isEmpty() || QGuiApplication::platformName() != u"xcb"_s)
        QSKIP("documentation pictures are made by scripts/doc-pictures.sh");
    m_form->hide();
    m_form->setGeometry(0, 0, 1000, 560); // all of it on the screen
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    const auto shoot = [this](const QString &path) {
        QTest::qWait(1500);
        QVERIFY(m_form->screen()
                    ->grabWindow(m_form->winId(), 0, 0, m_form->width(), m_form->height())
                    .save(path));
    };
    m_form->pageControl()->setCurrentWidget(m_form->editorPage());
    type(m_form->memoGen(),
         u"^center^^bolder^Добро пожаловать!^n^^br^\n"
         "^left:#FFFFCC:#800000^Страница ^u:Scribel^ о котах.\n"
         "^italic^Смотрите ^url^http://wap.mirvale.example^сайт^ и ^r12^.^n^^hr^\n"
         "^run:Scroll:000080:left:80:FFFF00^Бегущая строка^\n"
         "^justify^Кот на рисунке: ^jpg1234^Мой кот^^br^\n"
         "^underline^Подчёркнуто^n^, ^line-throught^зачёркнуто^n^, ^overline^линия над^n^."_s);
    m_form->action(u"SiteView1"_s)->setChecked(true);
    QTRY_VERIFY_WITH_TIMEOUT(!extras()->siteView()->shownHtml().isEmpty(), 10000);
    shoot(folder + u"/site-view.png"_s);
    m_form->action(u"SiteView1"_s)->setChecked(false);

    type(m_form->memoGen(), u"^center^^bolder^Мои ссылки\n"
                            "^url^http://wap.mirvale.example^\n"
                            "^jpgl23^Кот^ и ^u:^\n"
                            "^middle:#white:#black^Текст\n"
                            "^run:Scroll:FFFFFF:left:100:00000G^Привет^\n"
                            "^bolde^Жирный ^r1x^ ^bol"_s);
    extras()->checkerOf(m_form->memoGen())->checkNow();
    m_form->action(u"TagProblems1"_s)->setChecked(true);
    m_form->memoGen()->setFocus();
    shoot(folder + u"/tag-problems.png"_s);
    m_form->action(u"TagProblems1"_s)->setChecked(false);
}

RR_APP_TEST_MAIN(TstPageExtras)
#include "tst_page_extras.moc"
