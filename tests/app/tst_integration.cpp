// The whole program put together: every window created by the start-up, relabelled by the
// shipped language files, and the commands of the main window reaching the dialogs.
#include "app_test_main.h"

#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/startup.h"
#include "browser/message_tab.h"
#include "dialogs/link_dialog.h"
#include "dialogs/nick_builder.h"
#include "dialogs/tag_help_window.h"
#include "editor/highlighting_memo.h"
#include "editor/page_commands.h"
#include "options/language_loader.h"
#include "options/options_dialog.h"
#include "options/relabel_table.h"
#include "platform/codepage.h"
#include "platform/interface_texts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <functional>

// Calls back each time the watched window is shown.
class ShowCounter : public QObject
{
public:
    explicit ShowCounter(std::function<void()> onShow) : m_onShow(std::move(onShow)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            m_onShow();
        return false;
    }

private:
    std::function<void()> m_onShow;
};

class TstIntegration : public QObject
{
    Q_OBJECT

    startup::Windows windows;
    TForm1 *form = nullptr;

    // Runs the action; the modal dialog it opens is handled by `answer` once it shows.
    template <typename Answer>
    void triggerModal(const QString &actionName, QWidget *dialog, Answer answer)
    {
        bool shown = false;
        QTimer::singleShot(0, dialog, [&] {
            shown = dialog->isVisible();
            answer();
        });
        form->action(actionName)->trigger();
        QVERIFY2(shown, qPrintable(actionName));
    }

private slots:
    void initTestCase()
    {
        TSplashF splash;
        windows = startup::createWindows(splash);
        form = windows.mainWindow;
        QVERIFY(form);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }

    void cleanupTestCase() { delete form; }

    void everyEntryOfTheLanguageTableReachesARealControl()
    {
        const QStringList unresolved = relabel::unresolvedPlaces();
        QVERIFY2(unresolved.isEmpty(), qPrintable(unresolved.join(QStringLiteral("; "))));
    }

    void aFirstStartShowsTheFullRussianInterface()
    {
        auto *box = windows.options->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
        QVERIFY(box);
        QCOMPARE(box->currentText(), QStringLiteral("Russian.lng"));
        QCOMPARE(form->action(QStringLiteral("new1"))->text(), QStringLiteral("Создать страницу"));
        QCOMPARE(form->action(QStringLiteral("bold1"))->text(), QStringLiteral("Жирный"));
        QCOMPARE(form->pageControl()->tabText(1), QStringLiteral(" Редактор "));
        QCOMPARE(windows.link->windowTitle(), QStringLiteral("Ссылка"));
    }

    void choosingEnglishRelabelsEveryWindowAndRussianBringsItBack()
    {
        auto *box = windows.options->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
        box->setEditText(QStringLiteral("English.lng"));
        QCOMPARE(form->action(QStringLiteral("new1"))->text(), QStringLiteral("New page"));
        QVERIFY(windows.link->windowTitle() != QStringLiteral("Ссылка"));
        // The program's own questions follow, and so do Qt's dialogs.
        QCOMPARE(interfacetexts::text(interfacetexts::DiscardButton), QStringLiteral("Don't save"));
        // An untitled page takes the new language's name, and stays untitled.
        QTRY_COMPARE(form->windowTitle(), QStringLiteral("Untitled.mv - Mirvale Rivi Razare"));
        QVERIFY(form->pageCommands()->isUntitled());
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"),
                 QStringLiteral("Look in:"));
        // No control of any window is left without a caption where the table gives one.
        for (const relabel::Step &step : relabel::allSteps()) {
            QObject *control = relabel::findPlace(step.to);
            QVERIFY2(control, qPrintable(relabel::describe(step.to)));
            QVERIFY2(!relabel::textOf(control, step.to).isEmpty(),
                     qPrintable(relabel::describe(step.to)));
        }
        // So is the preview status, which code writes.
        QTRY_COMPARE(form->messageTab()->findChild<QLabel *>(QStringLiteral("sPanel2"))->text(),
                     QStringLiteral("  Preview"));
        // The texts beyond the table are in English too, not left at their Russian defaults.
        for (const relabel::Step &step : relabel::additions()) {
            QVERIFY2(relabel::textOf(relabel::findPlace(step.to), step.to) !=
                         QString::fromUtf8(step.defaultText),
                     qPrintable(relabel::describe(step.to)));
        }
        box->setEditText(QStringLiteral("Russian.lng"));
        QCOMPARE(form->action(QStringLiteral("new1"))->text(), QStringLiteral("Создать страницу"));
        QCOMPARE(interfacetexts::text(interfacetexts::DiscardButton),
                 QStringLiteral("Не сохранять"));
        QTRY_COMPARE(form->windowTitle(), QStringLiteral("Без имени.mv - Mirvale Rivi Razare"));
        QVERIFY(form->pageCommands()->isUntitled());
        QTRY_COMPARE(form->messageTab()->findChild<QLabel *>(QStringLiteral("sPanel2"))->text(),
                     QStringLiteral("  Предпросмотр"));
    }

    void theLinkCommandPutsTheSelectionInsideTheTag()
    {
        TMemo *memo = form->memoGen();
        memo->setText(QStringLiteral("see site now"));
        QTextCursor c = memo->textCursor();
        c.setPosition(4);
        c.setPosition(8, QTextCursor::KeepAnchor);
        memo->setTextCursor(c);
        triggerModal(QStringLiteral("Link1"), windows.link, [&] {
            auto *text = windows.link->findChild<QLineEdit *>(QStringLiteral("EditText"));
            auto *address = windows.link->findChild<QLineEdit *>(QStringLiteral("EditLink"));
            QCOMPARE(text->text(), QStringLiteral("site"));
            address->setText(QStringLiteral("http://x.example"));
            windows.link->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        });
        QCOMPARE(memo->text(), QStringLiteral("see ^url^http://x.example^site^ now"));
    }

    void onTheMessageTabTheCommandsWriteIntoTheMessageAndItsPreview()
    {
        form->pageControl()->setCurrentWidget(form->messagePage());
        QCOMPARE(form->activeMemo(), form->memo2());
        form->memo2()->setText(QStringLiteral("Привет"));
        form->action(QStringLiteral("bold1"))->trigger();
        QCOMPARE(form->memo2()->text(), QStringLiteral("^bolder^Привет"));

        QFile preview(form->messageTab()->previewFile());
        QVERIFY(preview.open(QIODevice::ReadOnly));
        const QString page = cp1251::decode(preview.readAll());
        QVERIFY2(page.contains(QStringLiteral("<b>Привет")), qPrintable(page));
        form->pageControl()->setCurrentWidget(form->editorPage());
        QCOMPARE(form->activeMemo(), form->memoGen());
    }

    void theModelessWindowsOpenFromTheirCommands()
    {
        form->action(QStringLiteral("Nick1"))->trigger();
        QTRY_VERIFY(windows.nick->isVisible());
        QVERIFY(!windows.nick->isModal());
        windows.nick->close();

        form->action(QStringLiteral("MirvaleTags1"))->trigger();
        QTRY_VERIFY(windows.tagHelp->isVisible());
        windows.tagHelp->close();
    }

    // Toolbar buttons and context-menu items reach their command through the main-menu item:
    // one press runs it once.
    void everyToolbarStyleButtonInsertsOnce_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("result");
        QTest::newRow("bold") << "ToolButton28"
                              << "^bolder^word";
        QTest::newRow("italic") << "ToolButton29"
                                << "^italic^word";
        QTest::newRow("underline") << "ToolButton30"
                                   << "^underline^word";
        QTest::newRow("strikeout") << "ToolButton31"
                                   << "^line-throught^word";
        QTest::newRow("left") << "ToolButton23"
                              << "^left^word";
        QTest::newRow("center") << "ToolButton24"
                                << "^center^word";
        QTest::newRow("right") << "ToolButton25"
                               << "^right^word";
        QTest::newRow("justify") << "ToolButton26"
                                 << "^justify^word";
    }

    void everyToolbarStyleButtonInsertsOnce()
    {
        QFETCH(QString, button);
        QFETCH(QString, result);
        TMemo *memo = form->memoGen();
        memo->setText(QStringLiteral("word"));
        memo->selectAll();
        auto *tool = form->pageToolBar()->findChild<QToolButton *>(button);
        QVERIFY(tool);
        tool->click();
        QCOMPARE(memo->text(), result);
    }

    void contextLineBreakInsertsOnce()
    {
        TMemo *memo = form->memoGen();
        memo->setText(QStringLiteral("ab"));
        QTextCursor c = memo->textCursor();
        c.setPosition(1);
        memo->setTextCursor(c);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        memo->setFocus();
        QTRY_VERIFY(memo->hasFocus());
        form->action(QStringLiteral("br2"))->trigger();
        QCOMPARE(memo->text(), QStringLiteral("a^br^b"));
    }

    void contextDialogItemsOpenTheirDialogOnce_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("link2") << "link2"
                               << "TLinkF";
        QTest::newRow("addlink1") << "addlink1"
                                  << "TLinkF";
        QTest::newRow("addimage1") << "addimage1"
                                   << "TImageF";
        QTest::newRow("runline2") << "runline2"
                                  << "TRunLineF";
    }

    void contextDialogItemsOpenTheirDialogOnce()
    {
        QFETCH(QString, item);
        QFETCH(QString, dialog);
        auto *window = form->findChild<QDialog *>(dialog);
        QVERIFY(window);
        int shown = 0;
        ShowCounter counter([&] {
            ++shown;
            QTimer::singleShot(0, window, &QDialog::reject);
        });
        window->installEventFilter(&counter);
        form->action(item)->trigger();
        QCoreApplication::processEvents();
        window->removeEventFilter(&counter);
        QCOMPARE(shown, 1);
    }

    void theOptionsCommandShowsTheOptionsDialog()
    {
        triggerModal(QStringLiteral("options1"), windows.options,
                     [&] { windows.options->reject(); });
        QVERIFY(!form->refreshBrowserAtStart());
    }

    // A selection longer than a line edit's default limit of 32 767 characters.
    static QString longSelection() { return QString(40000, u'ж') + QStringLiteral("END"); }

    void everyTagDialogKeepsAWholeLongSelection_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("ok");
        QTest::newRow("link") << "Link1"
                              << "TLinkF"
                              << "Button1";
        QTest::newRow("image") << "Image1"
                               << "TImageF"
                               << "Button1";
        QTest::newRow("image with width") << "ImageSize1"
                                          << "TImageWidthF"
                                          << "Button1";
        QTest::newRow("image link") << "Imagelink1"
                                    << "TImageLinkF"
                                    << "Button1";
        QTest::newRow("running line") << "runline1"
                                      << "TRunLineF"
                                      << "Button1";
        QTest::newRow("line format") << "FormatLine1"
                                     << "TFormatF"
                                     << "sButton2";
    }

    void everyTagDialogKeepsAWholeLongSelection()
    {
        QFETCH(QString, action);
        QFETCH(QString, dialog);
        QFETCH(QString, ok);
        TMemo *memo = form->memoGen();
        memo->setText(longSelection());
        memo->selectAll();
        auto *window = form->findChild<QDialog *>(dialog);
        QVERIFY(window);
        triggerModal(action, window, [&] { window->findChild<QPushButton *>(ok)->click(); });
        QVERIFY2(memo->text().contains(longSelection()), qPrintable(memo->text().right(40)));
    }

    void everyReferenceBoxKeepsAWholeLongValue_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("member") << "LinkUser1";
        QTest::newRow("section") << "LinkPath1";
        QTest::newRow("file") << "LinkFile1";
        QTest::newRow("article") << "Linktext1";
    }

    void everyReferenceBoxKeepsAWholeLongValue()
    {
        QFETCH(QString, action);
        TMemo *memo = form->memoGen();
        memo->setText(QString());
        bool answered = false;
        QTimer::singleShot(0, form, [&] {
            auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(box);
            auto *field = box->findChild<QLineEdit *>();
            QVERIFY(field);
            field->setText(longSelection()); // as a paste does
            answered = true;
            box->accept();
        });
        form->action(action)->trigger();
        QVERIFY(answered);
        QVERIFY2(memo->text().contains(longSelection()), qPrintable(memo->text().right(40)));
    }

    void searchAndTagHelpFieldsHoldALongText()
    {
        TMemo *memo = form->memoGen();
        memo->setText(longSelection());
        memo->selectAll();
        form->action(QStringLiteral("find1"))->trigger();
        auto *find = form->findChild<QLineEdit *>(QStringLiteral("FindText"));
        QVERIFY(find);
        QCOMPARE(find->text(), longSelection());
        find->window()->close();
        form->action(QStringLiteral("replace1"))->trigger();
        auto *replace = form->findChild<QLineEdit *>(QStringLiteral("ReplaceText"));
        QVERIFY(replace);
        replace->setText(longSelection());
        QCOMPARE(replace->text(), longSelection());
        replace->window()->close();
        auto *tag = windows.tagHelp->findChild<QLineEdit *>(QStringLiteral("sEdit1"));
        tag->setText(longSelection());
        QCOMPARE(tag->text(), longSelection());
    }

    void noUnexpectedErrorWasShown()
    {
        QVERIFY2(apptest::unexpectedErrors().isEmpty(),
                 qPrintable(apptest::unexpectedErrors().join(QStringLiteral("\n"))));
    }
};

RR_APP_TEST_MAIN(TstIntegration)

#include "tst_integration.moc"
