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
#include "options/language_loader.h"
#include "options/options_dialog.h"
#include "options/relabel_table.h"
#include "platform/codepage.h"
#include "platform/interface_texts.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

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
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"),
                 QStringLiteral("Look in:"));
        // No control of any window is left without a caption where the table gives one.
        for (const relabel::Step &step : relabel::table()) {
            QObject *control = relabel::findPlace(step.to);
            QVERIFY2(control, qPrintable(relabel::describe(step.to)));
            QVERIFY2(!relabel::textOf(control, step.to).isEmpty(),
                     qPrintable(relabel::describe(step.to)));
        }
        box->setEditText(QStringLiteral("Russian.lng"));
        QCOMPARE(form->action(QStringLiteral("new1"))->text(), QStringLiteral("Создать страницу"));
        QCOMPARE(interfacetexts::text(interfacetexts::DiscardButton),
                 QStringLiteral("Не сохранять"));
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

    void theOptionsCommandShowsTheOptionsDialog()
    {
        triggerModal(QStringLiteral("options1"), windows.options,
                     [&] { windows.options->reject(); });
        QVERIFY(!form->refreshBrowserAtStart());
    }

    void noUnexpectedErrorWasShown()
    {
        QVERIFY2(apptest::unexpectedErrors().isEmpty(),
                 qPrintable(apptest::unexpectedErrors().join(QStringLiteral("\n"))));
    }
};

RR_APP_TEST_MAIN(TstIntegration)

#include "tst_integration.moc"
