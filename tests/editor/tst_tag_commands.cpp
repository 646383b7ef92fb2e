// The Format and Insert commands, driven through their actions on a stand-in main window.
#include "editor/highlighting_memo.h"
#include "editor/tag_commands.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <deque>

namespace {

// Scripted answers in place of the colour dialog and the input boxes.
struct FakeUi : TagCommandUi
{
    std::deque<std::optional<QColor>> colors;
    std::deque<std::optional<QString>> texts;
    QList<QColor> initialColors;
    QStringList titles;
    QStringList prompts;

    std::optional<QColor> chooseColor(const QColor &initial) override
    {
        initialColors << initial;
        auto answer = colors.front();
        colors.pop_front();
        return answer;
    }
    std::optional<QString> askText(const QString &title, const QString &prompt) override
    {
        titles << title;
        prompts << prompt;
        auto answer = texts.front();
        texts.pop_front();
        return answer;
    }
};

const char *const actionNames[] = {
    "left1",      "center1", "right1", "justify1",  "bold1",       "itallic1",  "underline1",
    "strikeout1", "normal1", "light1", "polybold1", "lineontext1", "blink1",    "undoformat1",
    "hr1",        "br1",     "color1", "LinkUser1", "LinkPath1",   "LinkFile1", "Linktext1",
};

// The main window as far as the tag commands see it: two text areas, an address box, actions.
struct Window
{
    QMainWindow window;
    TMemo *MemoGen = new TMemo;
    TMemo *Memo2 = new TMemo;
    QLineEdit *address = new QLineEdit;
    TMemo *active = nullptr;
    FakeUi *ui = nullptr;
    TagCommands *commands = nullptr;

    explicit Window(bool fakeUi = true)
    {
        auto *central = new QWidget;
        auto *layout = new QVBoxLayout(central);
        MemoGen->setObjectName(QStringLiteral("MemoGen"));
        Memo2->setObjectName(QStringLiteral("Memo2"));
        address->setObjectName(QStringLiteral("address"));
        layout->addWidget(MemoGen);
        layout->addWidget(Memo2);
        layout->addWidget(address);
        window.setCentralWidget(central);
        for (const char *name : actionNames) {
            auto *action = new QAction(&window);
            action->setObjectName(QString::fromLatin1(name));
            window.addAction(action);
        }
        action("br1")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
        active = MemoGen;
        std::unique_ptr<TagCommandUi> given;
        if (fakeUi) {
            ui = new FakeUi;
            given.reset(ui);
        }
        commands = connectTagCommands(
            &window, [this] { return active; }, Memo2, std::move(given));
    }
    QAction *action(const char *name)
    {
        return window.findChild<QAction *>(QString::fromLatin1(name));
    }
    void trigger(const char *name) { action(name)->trigger(); }
    bool showActive()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    }
};

void select(TMemo *memo, int from, int to)
{
    QTextCursor c(memo->document());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    memo->setTextCursor(c);
}

} // namespace

class TestTagCommands : public QObject
{
    Q_OBJECT
private slots:
    void styleCommandPrefixesSelection_data();
    void styleCommandPrefixesSelection();
    void styleCommandPrefixesCaretLine();
    void messageTabWritesIntoMessage();
    void horizontalRuleAtCaret();
    void lineBreak_data();
    void lineBreak();
    void ctrlEnterFollowsFocus();
    void lineBreakFromContextMenu();
    void referenceBoxes_data();
    void referenceBoxes();
    void colourCommand();
    void realInputBox();
    void realInputBoxCancel();
    void realColourDialog();
    void missingActionsAreSkipped();
};

void TestTagCommands::styleCommandPrefixesSelection_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("tag");
    const QList<QPair<const char *, const char *>> rows = {
        {"left1", "^left^"},           {"center1", "^center^"},
        {"right1", "^right^"},         {"justify1", "^justify^"},
        {"bold1", "^bolder^"},         {"itallic1", "^italic^"},
        {"underline1", "^underline^"}, {"strikeout1", "^line-throught^"},
        {"normal1", "^normal^"},       {"light1", "^lighter^"},
        {"polybold1", "^bold^"},       {"lineontext1", "^overline^"},
        {"blink1", "^blink^"},         {"undoformat1", "^n^"},
    };
    for (const auto &[action, tag] : rows)
        QTest::newRow(action) << QString::fromLatin1(action) << QString::fromLatin1(tag);
}

void TestTagCommands::styleCommandPrefixesSelection()
{
    QFETCH(QString, action);
    QFETCH(QString, tag);
    Window w;
    w.MemoGen->setText(QStringLiteral("a word b"));
    select(w.MemoGen, 2, 6);
    w.trigger(action.toLatin1().constData());
    QCOMPARE(w.MemoGen->text(), QStringLiteral("a ") + tag + QStringLiteral("word b"));
}

void TestTagCommands::styleCommandPrefixesCaretLine()
{
    Window w;
    w.MemoGen->setText(QStringLiteral("Hello"));
    select(w.MemoGen, 2, 2);
    w.trigger("center1");
    QCOMPARE(w.MemoGen->text(), QStringLiteral("^center^Hello"));
}

void TestTagCommands::messageTabWritesIntoMessage()
{
    Window w;
    w.MemoGen->setText(QStringLiteral("page"));
    w.Memo2->setText(QStringLiteral("message"));
    w.active = w.Memo2;
    w.trigger("itallic1");
    w.trigger("hr1");
    QCOMPARE(w.Memo2->text(), QStringLiteral("^italic^message^hr^"));
    QCOMPARE(w.MemoGen->text(), QStringLiteral("page"));
}

void TestTagCommands::horizontalRuleAtCaret()
{
    Window w;
    w.MemoGen->setText(QStringLiteral("ab"));
    select(w.MemoGen, 1, 1);
    w.trigger("hr1");
    QCOMPARE(w.MemoGen->text(), QStringLiteral("a^hr^b"));
}

void TestTagCommands::lineBreak_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("messageActive");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("message");
    QTest::newRow("br1 in page") << "br1"
                                 << "MemoGen" << false << "^br^"
                                 << "";
    QTest::newRow("br1 in address box") << "br1"
                                        << "address" << false << ""
                                        << "";
    QTest::newRow("br1 in message, editor tab") << "br1"
                                                << "Memo2" << false << ""
                                                << "^br^";
    QTest::newRow("br1 in message, message tab") << "br1"
                                                 << "Memo2" << true << ""
                                                 << "^br^";
    QTest::newRow("br1 in page, message tab") << "br1"
                                              << "MemoGen" << true << ""
                                              << "";
}

void TestTagCommands::lineBreak()
{
    QFETCH(QString, action);
    QFETCH(QString, focus);
    QFETCH(bool, messageActive);
    QFETCH(QString, page);
    QFETCH(QString, message);
    Window w;
    QVERIFY(w.showActive());
    if (messageActive)
        w.active = w.Memo2;
    w.window.findChild<QWidget *>(focus)->setFocus();
    w.trigger(action.toLatin1().constData());
    QCOMPARE(w.MemoGen->text(), page);
    QCOMPARE(w.Memo2->text(), message);
}

void TestTagCommands::ctrlEnterFollowsFocus()
{
    Window w;
    QVERIFY(w.showActive());
    w.MemoGen->setFocus();
    QTest::keyClick(w.MemoGen, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(w.MemoGen->text(), QStringLiteral("^br^"));
    w.Memo2->setFocus();
    QTest::keyClick(w.Memo2, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(w.Memo2->text(), QStringLiteral("^br^"));
    w.address->setFocus();
    QTest::keyClick(w.address, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(w.MemoGen->text(), QStringLiteral("^br^"));
    QCOMPARE(w.Memo2->text(), QStringLiteral("^br^"));
    QCOMPARE(w.address->text(), QString());
}

void TestTagCommands::lineBreakFromContextMenu()
{
    // The pop-up menu over the text area must not count as taking its focus away.
    Window w;
    QVERIFY(w.showActive());
    w.MemoGen->setFocus();
    QMenu menu(w.MemoGen);
    menu.addAction(w.action("br1"));
    menu.popup(w.MemoGen->mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(w.action("br1")).center());
    QTRY_COMPARE(w.MemoGen->text(), QStringLiteral("^br^"));
}

void TestTagCommands::referenceBoxes_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("result");
    QTest::newRow("member") << "LinkUser1"
                            << "Ссылка на пользователя"
                            << "Login пользователя:" << true << "Ник"
                            << "x^u:Ник^";
    QTest::newRow("member, empty") << "LinkUser1"
                                   << "Ссылка на пользователя"
                                   << "Login пользователя:" << true << ""
                                   << "x^u:^";
    QTest::newRow("member, cancel") << "LinkUser1"
                                    << "Ссылка на пользователя"
                                    << "Login пользователя:" << false << ""
                                    << "x";
    QTest::newRow("section") << "LinkPath1"
                             << "Ссылка на рубрику"
                             << "ID рубрики:" << true << "12"
                             << "x^r12^";
    QTest::newRow("file") << "LinkFile1"
                          << "Ссылка на файл"
                          << "ID файла:" << true << " 7 "
                          << "x^f 7 ^";
    QTest::newRow("article") << "Linktext1"
                             << "Ссылка на статью"
                             << "ID статьи:" << true << "0042"
                             << "x^text0042^";
    QTest::newRow("article, cancel") << "Linktext1"
                                     << "Ссылка на статью"
                                     << "ID статьи:" << false << ""
                                     << "x";
}

void TestTagCommands::referenceBoxes()
{
    QFETCH(QString, action);
    QFETCH(QString, title);
    QFETCH(QString, prompt);
    QFETCH(bool, ok);
    QFETCH(QString, value);
    QFETCH(QString, result);
    Window w;
    w.MemoGen->setText(QStringLiteral("x"));
    w.MemoGen->moveCursor(QTextCursor::End);
    w.ui->texts.push_back(ok ? std::optional<QString>(value) : std::nullopt);
    w.trigger(action.toLatin1().constData());
    QCOMPARE(w.ui->titles, QStringList{title});
    QCOMPARE(w.ui->prompts, QStringList{prompt});
    QCOMPARE(w.MemoGen->text(), result);
}

void TestTagCommands::colourCommand()
{
    Window w;
    w.ui->colors = {QColor(Qt::white), std::nullopt, QColor(255, 128, 0)};
    w.trigger("color1");
    QCOMPARE(w.MemoGen->text(), QStringLiteral("FFFFFF"));
    QCOMPARE(w.commands->JvRGBToHTML1.HTMLColor, QStringLiteral("FFFFFF"));
    QCOMPARE(w.commands->JvRGBToHTML1.RGBColor, 0x00FFFFFF);
    w.trigger("color1"); // cancelled
    QCOMPARE(w.MemoGen->text(), QStringLiteral("FFFFFF"));
    w.trigger("color1");
    QCOMPARE(w.MemoGen->text(), QStringLiteral("FFFFFFFF8000"));
    QCOMPARE(w.commands->JvRGBToHTML1.RGBColor, 0x000080FF);
    // Black the first time, then the colour chosen last; a Cancel changes nothing.
    QCOMPARE(w.ui->initialColors,
             (QList<QColor>{QColor(Qt::black), QColor(Qt::white), QColor(Qt::white)}));
}

void TestTagCommands::realInputBox()
{
    Window w(false);
    QVERIFY(w.showActive());
    QString title, label, start;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        label = box->labelText();
        start = box->textValue();
        box->setTextValue(QStringLiteral("nick"));
        box->accept();
    });
    w.trigger("LinkUser1");
    QCOMPARE(title, QStringLiteral("Ссылка на пользователя"));
    QCOMPARE(label, QStringLiteral("Login пользователя:"));
    QCOMPARE(start, QString());
    QCOMPARE(w.MemoGen->text(), QStringLiteral("^u:nick^"));
}

void TestTagCommands::realInputBoxCancel()
{
    Window w(false);
    QVERIFY(w.showActive());
    QTimer::singleShot(0, [] {
        auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        QVERIFY(box);
        box->setTextValue(QStringLiteral("12"));
        box->reject();
    });
    w.trigger("LinkPath1");
    QCOMPARE(w.MemoGen->text(), QString());
}

void TestTagCommands::realColourDialog()
{
    Window w(false);
    QVERIFY(w.showActive());
    QColor start;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->objectName(), QStringLiteral("ColorDialogText"));
        start = dialog->currentColor();
        dialog->setCurrentColor(Qt::white);
        dialog->accept();
    });
    w.trigger("color1");
    QCOMPARE(start, QColor(Qt::black));
    QCOMPARE(w.MemoGen->text(), QStringLiteral("FFFFFF"));
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        start = dialog->currentColor();
        dialog->reject();
    });
    w.trigger("color1");
    QCOMPARE(start, QColor(Qt::white));
    QCOMPARE(w.MemoGen->text(), QStringLiteral("FFFFFF"));
}

void TestTagCommands::missingActionsAreSkipped()
{
    QMainWindow window;
    auto *memo = new TMemo;
    window.setCentralWidget(memo);
    TagCommands *commands = connectTagCommands(
        &window, [memo] { return memo; }, nullptr, std::make_unique<FakeUi>());
    QVERIFY(commands);
    QCOMPARE(commands->parent(), &window);
    commands->styleCommand(QStringLiteral("center")); // the handlers work without actions
    QCOMPARE(memo->text(), QStringLiteral("^center^"));
}

QTEST_MAIN(TestTagCommands)
#include "tst_tag_commands.moc"
