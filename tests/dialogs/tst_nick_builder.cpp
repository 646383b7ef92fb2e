#include "browser/html_view.h"
#include "dialogs/nick_builder.h"
#include "dialogs/nick_color_picker.h"
#include "markup/site.h"
#include "platform/app_paths.h"
#include "platform/codepage.h"
#include "platform/error_display.h"

#include "shell_catcher.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QStringList g_errors;
void recordError(const QString &text)
{
    g_errors << text;
}

// Windows colour values (0x00BBGGRR).
constexpr qint32 Red = 0x0000FF;
constexpr qint32 Blue = 0xFF0000;
constexpr qint32 Green = 0x00FF00;

QColor toQColor(qint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace

class TestNickBuilder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstOpening();
    void addThenTypeCountsEveryKeystroke();
    void deleteOnlyPieceThenAddAtTop();
    void typingWithoutSelectionChangesNothing();
    void addAfterDeleteGoesToTheTop();
    void pickersFollowOnlyValidPieceColours();
    void pickerReportsOnlyConfirmedColours();
    void upMovesTextNotColours();
    void moves_data();
    void moves();
    void separatorsInTextGoIntoSiteText_data();
    void separatorsInTextGoIntoSiteText();
    void browserBackgroundLine();
    void copyPutsSiteTextOnClipboard();
    void unwritablePreviewShowsErrorAndKeepsLabels();
    void nickSurvivesCloseAndReopen();
    void helpLinkOpensNickHelpPage();
    void nick1ShowsWindowModelessly();
    void windowHasFixedDesignSize();
    void shortCyrillicNickShowsInItsCodePage_data();
    void shortCyrillicNickShowsInItsCodePage();

private:
    template <typename T> T *child(const char *name)
    {
        T *w = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("control %s not found", name);
        return w;
    }
    QListWidget *list() { return child<QListWidget>("Memo1"); }
    QLineEdit *edit() { return child<QLineEdit>("Edit1"); }
    QString siteText() { return child<QLineEdit>("EditPreview")->text(); }
    QString count() { return child<QLabel>("LabelCount")->text(); }
    QStringList listTexts();
    QStringList hiddenLines(const char *name);
    void click(const char *button)
    {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    void clickRow(int row);
    // Confirms the picker's colour dialog with the given colour.
    void pick(const char *picker, qint32 color);
    QByteArray previewBytes();
    // Builds the given pieces through the window's own controls; the last one stays selected.
    void buildPieces(const QStringList &texts, const QList<qint32> &textColors);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TNickF> m_window;
};

void TestNickBuilder::init()
{
    g_errors.clear();
    errordisplay::setHandler(recordError);
    m_dir = std::make_unique<QTemporaryDir>();
    m_window = std::make_unique<TNickF>();
    m_window->setPreviewFile(m_dir->filePath(u"mvnick.tmp"_s));
}

void TestNickBuilder::cleanup()
{
    m_window.reset();
    m_dir.reset();
    errordisplay::setHandler(nullptr);
}

QStringList TestNickBuilder::listTexts()
{
    QStringList texts;
    for (int i = 0; i < list()->count(); ++i)
        texts << list()->item(i)->text();
    return texts;
}

QStringList TestNickBuilder::hiddenLines(const char *name)
{
    const QString text = child<QPlainTextEdit>(name)->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

void TestNickBuilder::clickRow(int row)
{
    const QRect rect = list()->visualItemRect(list()->item(row));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
}

void TestNickBuilder::pick(const char *picker, qint32 color)
{
    auto *p = child<NickColorPicker>(picker);
    p->setChooser([color](const QColor &, QWidget *) { return std::optional(toQColor(color)); });
    QTest::mouseClick(p, Qt::LeftButton);
}

QByteArray TestNickBuilder::previewBytes()
{
    QFile file(m_window->previewFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void TestNickBuilder::buildPieces(const QStringList &texts, const QList<qint32> &textColors)
{
    // The start piece becomes the first one, on white like the pieces added after it.
    edit()->setText(texts.at(0));
    pick("ColorText", textColors.at(0));
    pick("ColorBg", 0xFFFFFF);
    for (int i = 1; i < texts.size(); ++i) {
        click("Button5");
        QTest::keyClicks(edit(), texts.at(i));
        pick("ColorText", textColors.at(i));
    }
}

void TestNickBuilder::firstOpening()
{
    m_window->show();
    QCOMPARE(listTexts(), QStringList{u"User"_s});
    QCOMPARE(m_window->selectedPiece(), 0);
    QCOMPARE(siteText(), u"User:Black:White;"_s);
    QCOMPARE(count(), u"17"_s);
    QCOMPARE(child<QLabel>("LabelCount")->toolTip(), u"Длина ника"_s);
    QCOMPARE(child<QLabel>("LabelPreview")->text(), u"User"_s);
    QCOMPARE(edit()->text(), u"User"_s);
    QCOMPARE(hiddenLines("MemoText"), QStringList{u"Black"_s});
    QCOMPARE(hiddenLines("MemoBg"), QStringList{u"White"_s});
    QCOMPARE(child<NickColorPicker>("ColorText")->color(), 0);
    QCOMPARE(child<NickColorPicker>("ColorBg")->color(), 0xFFFFFF);
    QCOMPARE(child<NickColorPicker>("ColorWB")->color(), 0xFFFFFF);

    const QStringList page{u"<html>"_s,
                           u"<head>"_s,
                           u"<title>Nick</title>"_s,
                           u"</head>"_s,
                           u"<body>"_s,
                           u"<span style=\" color:Black;background-color:White;\">User</span>"_s,
                           u"</body>"_s,
                           u"</html>"_s};
    QCOMPARE(m_window->pageLines(), page);
    QCOMPARE(hiddenLines("MemoTemp"), page);
    QCOMPARE(previewBytes(), (page.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
    QVERIFY(g_errors.isEmpty());

    // The preview view is sent to the file just written.
    auto *view = m_window->findChild<HtmlView *>(u"WebBrowser1"_s);
    QVERIFY(view);
    QTRY_COMPARE(view->url(), QUrl::fromLocalFile(m_window->previewFile()));
    QVERIFY(!view->loadImages());

    // Without a chosen path the page goes to the per-user cache file.
    QCOMPARE(TNickF().previewFile(), apppaths::nickPreviewFile());
}

void TestNickBuilder::addThenTypeCountsEveryKeystroke()
{
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    click("Button5");
    QCOMPARE(listTexts(), (QStringList{u"User"_s, QString()}));
    QCOMPARE(m_window->selectedPiece(), 1);
    QCOMPARE(edit()->text(), QString());
    QTRY_VERIFY(edit()->hasFocus());
    QCOMPARE(siteText(), u"User:Black:White;:000000:FFFFFF;"_s);
    QCOMPARE(count(), u"32"_s);

    QTest::keyClicks(edit(), u"X"_s);
    QCOMPARE(siteText(), u"User:Black:White;X:000000:FFFFFF;"_s);
    QCOMPARE(count(), u"33"_s);
    QTest::keyClicks(edit(), u"Y"_s);
    QCOMPARE(count(), u"34"_s);
    QTest::keyClick(edit(), Qt::Key_Backspace);
    QCOMPARE(count(), u"33"_s);
    QCOMPARE(listTexts(), (QStringList{u"User"_s, u"X"_s}));
    QCOMPARE(hiddenLines("MemoText"), (QStringList{u"Black"_s, u"000000"_s}));
    QCOMPARE(hiddenLines("MemoBg"), (QStringList{u"White"_s, u"FFFFFF"_s}));
    QCOMPARE(child<QLabel>("LabelPreview")->text(), u"UserX"_s);
}

void TestNickBuilder::deleteOnlyPieceThenAddAtTop()
{
    m_window->show();
    click("Button4");
    QCOMPARE(list()->count(), 0);
    QCOMPARE(m_window->selectedPiece(), -1);
    QCOMPARE(siteText(), QString());
    QCOMPARE(count(), u"0"_s);
    QCOMPARE(child<QLabel>("LabelPreview")->text(), QString());
    QCOMPARE(m_window->pageLines().size(), 8);
    QCOMPARE(m_window->pageLines().at(5), QString());
    QCOMPARE(hiddenLines("MemoText"), QStringList());
    QCOMPARE(hiddenLines("MemoBg"), QStringList());
    QCOMPARE(previewBytes(),
             "<html>\r\n<head>\r\n<title>Nick</title>\r\n</head>\r\n<body>\r\n\r\n</body>\r\n"
             "</html>\r\n");
    // The text field keeps what it showed.
    QCOMPARE(edit()->text(), u"User"_s);

    // Delete, Up and Down with nothing selected do nothing.
    click("Button4");
    click("Button3");
    click("Button6");
    QCOMPARE(list()->count(), 0);

    click("Button5");
    QCOMPARE(list()->count(), 1);
    QCOMPARE(m_window->selectedPiece(), 0);
    QCOMPARE(siteText(), u":000000:FFFFFF;"_s);
    QCOMPARE(count(), u"15"_s);
    QVERIFY(g_errors.isEmpty());
}

void TestNickBuilder::typingWithoutSelectionChangesNothing()
{
    m_window->show();
    click("Button5");
    QTest::keyClicks(edit(), u"X"_s);
    clickRow(0);
    click("Button4"); // "User" goes, "X" stays, nothing selected
    QCOMPARE(listTexts(), QStringList{u"X"_s});
    QCOMPARE(m_window->selectedPiece(), -1);
    const QByteArray before = previewBytes();

    QTest::keyClicks(edit(), u"abc"_s);
    QCOMPARE(listTexts(), QStringList{u"X"_s});
    QCOMPARE(siteText(), u"X:000000:FFFFFF;"_s);
    QCOMPARE(count(), u"16"_s);
    QCOMPARE(previewBytes(), before);

    // Choosing a row lets typing change that piece again.
    clickRow(0);
    QCOMPARE(edit()->text(), u"X"_s);
    QTest::keyClicks(edit(), u"Y"_s);
    QCOMPARE(siteText(), u"XY:000000:FFFFFF;"_s);
}

void TestNickBuilder::addAfterDeleteGoesToTheTop()
{
    m_window->show();
    click("Button5");
    QTest::keyClicks(edit(), u"X"_s);
    click("Button4"); // "X" goes; nothing selected
    QCOMPARE(listTexts(), QStringList{u"User"_s});
    click("Button5");
    QTest::keyClicks(edit(), u"Z"_s);
    QCOMPARE(listTexts(), (QStringList{u"Z"_s, u"User"_s}));
    QCOMPARE(siteText(), u"Z:000000:FFFFFF;User:Black:White;"_s);
}

void TestNickBuilder::pickersFollowOnlyValidPieceColours()
{
    m_window->show();
    click("Button5");
    QTest::keyClicks(edit(), u"R"_s);
    pick("ColorText", Red);
    pick("ColorBg", Green);
    click("Button5");
    QTest::keyClicks(edit(), u"B"_s);
    // A new piece takes the default colours while the pickers keep their last ones.
    QCOMPARE(child<NickColorPicker>("ColorText")->color(), Red);
    pick("ColorText", Blue);
    QCOMPARE(siteText(), u"User:Black:White;R:FF0000:00FF00;B:0000FF:FFFFFF;"_s);

    // "Black" and "White" are no colour texts: the pickers stay as they are.
    clickRow(0);
    QCOMPARE(edit()->text(), u"User"_s);
    QCOMPARE(child<NickColorPicker>("ColorText")->color(), Blue);
    QCOMPARE(child<NickColorPicker>("ColorBg")->color(), Green);

    clickRow(1);
    QCOMPARE(edit()->text(), u"R"_s);
    QCOMPARE(child<NickColorPicker>("ColorText")->color(), Red);
    QCOMPARE(child<NickColorPicker>("ColorBg")->color(), Green);

    // Choosing a row by keyboard works the same way.
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Down);
    QCOMPARE(m_window->selectedPiece(), 2);
    QCOMPARE(edit()->text(), u"B"_s);
    QCOMPARE(child<NickColorPicker>("ColorText")->color(), Blue);
    QCOMPARE(child<NickColorPicker>("ColorBg")->color(), 0xFFFFFF);
    // Selecting changes no piece.
    QCOMPARE(siteText(), u"User:Black:White;R:FF0000:00FF00;B:0000FF:FFFFFF;"_s);
}

void TestNickBuilder::pickerReportsOnlyConfirmedColours()
{
    m_window->show();
    auto *picker = child<NickColorPicker>("ColorText");
    QSignalSpy spy(picker, &NickColorPicker::changed);

    picker->setColor(Red);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(siteText(), u"User:Black:White;"_s);

    picker->setChooser([](const QColor &, QWidget *) { return std::optional<QColor>(); });
    QTest::mouseClick(picker, Qt::LeftButton);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(picker->color(), Red);
    QCOMPARE(siteText(), u"User:Black:White;"_s);

    // Confirming the colour the picker already shows still counts as a choice.
    QColor offered;
    picker->setChooser([&offered](const QColor &current, QWidget *) {
        offered = current;
        return std::optional(current);
    });
    QTest::mouseClick(picker, Qt::LeftButton);
    QCOMPARE(offered, QColor(Qt::red));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(siteText(), u"User:FF0000:White;"_s);

    // With nothing selected the converter follows the picker, but no piece changes.
    click("Button4");
    click("Button5");
    clickRow(0);
    click("Button4");
    pick("ColorBg", Green);
    QCOMPARE(siteText(), QString());
    click("Button5");
    clickRow(0);
    QCOMPARE(child<NickColorPicker>("ColorBg")->color(), 0xFFFFFF);
}

void TestNickBuilder::upMovesTextNotColours()
{
    m_window->show();
    buildPieces({u"A"_s, u"B"_s}, {Red, Blue});
    QCOMPARE(m_window->selectedPiece(), 1);
    QCOMPARE(siteText(), u"A:FF0000:FFFFFF;B:0000FF:FFFFFF;"_s);

    click("Button3");
    QCOMPARE(listTexts(), (QStringList{u"B"_s, u"A"_s}));
    QCOMPARE(siteText(), u"B:FF0000:FFFFFF;A:0000FF:FFFFFF;"_s);
    QCOMPARE(hiddenLines("MemoText"), (QStringList{u"FF0000"_s, u"0000FF"_s}));
    QCOMPARE(m_window->selectedPiece(), 0);
    QCOMPARE(m_window->pageLines().at(5),
             u"<span style=\" color:FF0000;background-color:FFFFFF;\">B</span>"
             u"<span style=\" color:0000FF;background-color:FFFFFF;\">A</span>"_s);
    // The text field and the pickers are left as they were.
    QCOMPARE(edit()->text(), u"B"_s);
    QCOMPARE(child<NickColorPicker>("ColorText")->color(), Blue);
}

void TestNickBuilder::moves_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("selectedAfter");

    const QString up = u"Button3"_s, down = u"Button6"_s;
    QTest::newRow("up from the middle") << up << 1 << QStringList{"B", "A", "C"} << 0;
    QTest::newRow("up from the last") << up << 2 << QStringList{"A", "C", "B"} << 1;
    QTest::newRow("up from the first stays") << up << 0 << QStringList{"A", "B", "C"} << 0;
    QTest::newRow("down from the middle") << down << 1 << QStringList{"A", "C", "B"} << 2;
    QTest::newRow("down from the first") << down << 0 << QStringList{"B", "A", "C"} << 1;
    QTest::newRow("down from the last stays") << down << 2 << QStringList{"A", "B", "C"} << 2;
    QTest::newRow("up with none selected") << up << -1 << QStringList{"A", "B", "C"} << -1;
    QTest::newRow("down with none selected") << down << -1 << QStringList{"A", "B", "C"} << -1;
}

void TestNickBuilder::moves()
{
    QFETCH(QString, button);
    QFETCH(int, selected);
    QFETCH(QStringList, texts);
    QFETCH(int, selectedAfter);

    m_window->show();
    buildPieces({u"A"_s, u"B"_s, u"C"_s}, {Red, Green, Blue});
    if (selected >= 0) {
        clickRow(selected);
    } else {
        click("Button5");
        click("Button4"); // leaves nothing selected
    }
    click(button.toLatin1().constData());

    QCOMPARE(listTexts(), texts);
    QCOMPARE(m_window->selectedPiece(), selectedAfter);
    // Colours never move, and no piece is lost.
    QCOMPARE(hiddenLines("MemoText"), (QStringList{u"FF0000"_s, u"00FF00"_s, u"0000FF"_s}));
    QCOMPARE(hiddenLines("MemoBg"), (QStringList{u"FFFFFF"_s, u"FFFFFF"_s, u"FFFFFF"_s}));
    QCOMPARE(siteText(), texts[0] + u":FF0000:FFFFFF;"_s + texts[1] + u":00FF00:FFFFFF;"_s +
                             texts[2] + u":0000FF:FFFFFF;"_s);
}

void TestNickBuilder::separatorsInTextGoIntoSiteText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QByteArray>("spanBytes");

    QTest::newRow("colon and semicolon")
        << u"a:b;c"_s << u"a:b;c:Black:White;"_s << u"18"_s
        << QByteArray("<span style=\" color:Black;background-color:White;\">a:b;c</span>");
    QTest::newRow("cyrillic, one byte each")
        << u"Ник"_s << u"Ник:Black:White;"_s << u"16"_s
        << QByteArray("<span style=\" color:Black;background-color:White;\">\xCD\xE8\xEA</span>");
}

void TestNickBuilder::separatorsInTextGoIntoSiteText()
{
    QFETCH(QString, text);
    QFETCH(QString, site);
    QFETCH(QString, count);
    QFETCH(QByteArray, spanBytes);

    m_window->show();
    edit()->selectAll();
    edit()->insert(text); // as typed; key clicks carry Latin-1 only
    QCOMPARE(siteText(), site);
    QCOMPARE(this->count(), count);
    QCOMPARE(previewBytes().split('\n').at(5), spanBytes + '\r');
}

void TestNickBuilder::browserBackgroundLine()
{
    m_window->show();
    pick("ColorWB", 0xFFFFFF);
    QCOMPARE(m_window->pageLines().at(4), u"<body bgcolor=\"FFFFFF\">"_s);
    QCOMPARE(previewBytes().split('\n').at(4), QByteArray("<body bgcolor=\"FFFFFF\">\r"));
    // The browser background is no piece colour.
    QCOMPARE(siteText(), u"User:Black:White;"_s);

    pick("ColorWB", 0xCDAB12);
    QCOMPARE(m_window->pageLines().at(4), u"<body bgcolor=\"12ABCD\">"_s);
    QCOMPARE(hiddenLines("MemoTemp").at(4), u"<body bgcolor=\"12ABCD\">"_s);

    // It stays while pieces change.
    click("Button4");
    QCOMPARE(m_window->pageLines().at(4), u"<body bgcolor=\"12ABCD\">"_s);
}

void TestNickBuilder::copyPutsSiteTextOnClipboard()
{
    m_window->show();
    QGuiApplication::clipboard()->clear();
    click("Button5");
    QTest::keyClicks(edit(), u"X;y"_s);
    click("Button2");
    QCOMPARE(QGuiApplication::clipboard()->text(), u"User:Black:White;X;y:000000:FFFFFF;"_s);
    QCOMPARE(child<QLineEdit>("EditPreview")->selectedText(), siteText());

    // Enter in the text field presses the default button, Copy.
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(edit(), Qt::Key_Return);
    QCOMPARE(QGuiApplication::clipboard()->text(), siteText());
    QVERIFY(m_window->isVisible());
}

void TestNickBuilder::unwritablePreviewShowsErrorAndKeepsLabels()
{
    m_window->show();
    auto *view = m_window->findChild<HtmlView *>(u"WebBrowser1"_s);
    const QUrl shown = QUrl::fromLocalFile(m_window->previewFile());
    QTRY_COMPARE(view->url(), shown);

    // A folder stands where the file should go.
    const QString blocked = m_dir->filePath(u"blocked/mvnick.tmp"_s);
    QVERIFY(QDir().mkpath(blocked));
    m_window->setPreviewFile(blocked);
    QSignalSpy urls(view->createWebView(), &QWebEngineView::urlChanged);

    click("Button5");
    QVERIFY(!g_errors.isEmpty());
    QVERIFY2(g_errors.first().startsWith(u"Cannot create file \""_s + blocked + u'"'),
             qPrintable(g_errors.first()));
    QVERIFY(g_errors.first().endsWith(u'.'));
    g_errors.clear();

    QTest::keyClicks(edit(), u"X"_s);
    QCOMPARE(g_errors.size(), 1);
    QCOMPARE(siteText(), u"User:Black:White;X:000000:FFFFFF;"_s);
    QCOMPARE(count(), u"33"_s);
    QCOMPARE(child<QLabel>("LabelPreview")->text(), u"UserX"_s);

    // Once the file can be written again the view follows; it never went to the blocked one.
    const QString freed = m_dir->filePath(u"freed.tmp"_s);
    m_window->setPreviewFile(freed);
    QTest::keyClicks(edit(), u"Y"_s);
    QCOMPARE(g_errors.size(), 1);
    QTRY_COMPARE(view->url(), QUrl::fromLocalFile(freed));
    for (const QList<QVariant> &change : std::as_const(urls))
        QVERIFY(change.at(0).toUrl() != QUrl::fromLocalFile(blocked));
}

void TestNickBuilder::nickSurvivesCloseAndReopen()
{
    m_window->show();
    buildPieces({u"A"_s, u"B"_s}, {Red, Blue});
    pick("ColorWB", Green);
    click("Button1");
    QVERIFY(!m_window->isVisible());

    m_window->show();
    QCOMPARE(listTexts(), (QStringList{u"A"_s, u"B"_s}));
    QCOMPARE(m_window->selectedPiece(), 0); // showing selects the first piece
    // ... and shows it: typing now edits "A", not a copy of the last piece edited.
    QCOMPARE(child<QLineEdit>("Edit1")->text(), u"A"_s);
    QCOMPARE(child<NickColorPicker>("ColorText")->color(), Red);
    QCOMPARE(siteText(), u"A:FF0000:FFFFFF;B:0000FF:FFFFFF;"_s);
    QCOMPARE(child<NickColorPicker>("ColorWB")->color(), Green);
    QCOMPARE(m_window->pageLines().at(4), u"<body bgcolor=\"00FF00\">"_s);
    QCOMPARE(previewBytes().split('\n').at(4), QByteArray("<body bgcolor=\"00FF00\">\r"));
}

void TestNickBuilder::helpLinkOpensNickHelpPage()
{
    ShellCatcher sink;
    m_window->show();
    QTest::mouseClick(child<QLabel>("sWebLabel1"), Qt::LeftButton);
    QCOMPARE(sink.opened, QList<QUrl>{QUrl(site::homeAddress() + u"/mv?rid=32&id=60907"_s)});
    QCOMPARE(child<QLabel>("sWebLabel1")->text(), u"Помощь"_s);
}

void TestNickBuilder::nick1ShowsWindowModelessly()
{
    QMainWindow main;
    QAction *nick1 = main.menuBar()->addMenu(u"Файл"_s)->addAction(u"Создать ник..."_s);
    nick1->setObjectName(u"Nick1"_s);
    connectNickBuilder(&main, m_window.get());
    main.show();

    nick1->trigger();
    QVERIFY(m_window->isVisible());
    QVERIFY(!m_window->isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(siteText(), u"User:Black:White;"_s);

    // A main window without the item is left alone.
    QMainWindow bare;
    connectNickBuilder(&bare, m_window.get());
}

void TestNickBuilder::windowHasFixedDesignSize()
{
    m_window->show();
    QCOMPARE(m_window->windowTitle(), u"Создание ника"_s);
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QVERIFY(m_window->width() >= 321);
    QVERIFY(m_window->height() >= 336);
    QCOMPARE(m_window->findChild<HtmlView *>(u"WebBrowser1"_s)->size(), QSize(303, 59));
    QVERIFY(child<QPushButton>("Button2")->isDefault());

    // Captions a language file gives are shown whole.
    const QString longCaption = u"Скопировать в буфер обмена"_s;
    child<QPushButton>("Button2")->setText(longCaption);
    QTRY_VERIFY(child<QPushButton>("Button2")->width() >=
                child<QPushButton>("Button2")->sizeHint().width());
}

void TestNickBuilder::shortCyrillicNickShowsInItsCodePage_data()
{
    QTest::addColumn<QString>("nick");
    QTest::newRow("Ян") << u"Ян"_s;
    QTest::newRow("к") << u"к"_s;
    QTest::newRow("mixed") << u"Vasya Я"_s;
}

void TestNickBuilder::shortCyrillicNickShowsInItsCodePage()
{
    QFETCH(QString, nick);
    m_window->show();
    auto *view = m_window->findChild<HtmlView *>(u"WebBrowser1"_s);
    QSignalSpy finished(view->createWebView(), &QWebEngineView::loadFinished);
    edit()->setText(nick);
    QVERIFY(previewBytes().contains(cp1251::encode(nick)));
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty() && finished.last().at(0).toBool(), 30000);
    // The engine answers later; the text outlives this test if it answers after a failure.
    auto shown = std::make_shared<QString>();
    QTRY_COMPARE_WITH_TIMEOUT(
        (view->webView()->page()->toPlainText([shown](const QString &text) { *shown = text; }),
         *shown),
        nick, 3000);
}

int main(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); // the web view asks for it
    QApplication app(argc, argv);
    TestNickBuilder test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_nick_builder.moc"
