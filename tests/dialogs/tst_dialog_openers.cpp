// The dialog openers: which action opens which dialog, the selection copied into its field,
// and what OK and Cancel do to the active text area.
#include "dialogs/dialog_openers.h"
#include "dialogs/image_dialogs.h"
#include "dialogs/link_dialog.h"
#include "editor/highlighting_memo.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs `step` while the dialog is shown modally; closes it afterwards if the step did not.
void whenShown(QDialog *dialog, std::function<void()> step, bool *shown = nullptr)
{
    QTimer::singleShot(0, dialog, [dialog, step, shown] {
        if (shown)
            *shown = dialog->isVisible() && dialog->isModal();
        step();
        if (dialog->isVisible())
            dialog->reject();
    });
}

template <class T> T *child(QWidget *dialog, const char *name)
{
    T *w = dialog->findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

void select(TMemo &memo, int from, int to)
{
    QTextCursor c = memo.textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    memo.setTextCursor(c);
}

// A main window with the menu items and pop-up menu items that open dialogs.
struct MainWindow
{
    QMainWindow window;
    QMenu *insert = window.menuBar()->addMenu(QStringLiteral("Вставка"));
    QMenu *popup = new QMenu(&window);

    QAction *add(QMenu *menu, const QString &name)
    {
        QAction *action = menu->addAction(name);
        action->setObjectName(name);
        return action;
    }
    QAction *action(const QString &name) { return window.findChild<QAction *>(name); }
};

} // namespace

class TestDialogOpeners : public QObject
{
    Q_OBJECT
private slots:
    void everyActionOpensItsDialog_data();
    void everyActionOpensItsDialog();
    void missingDialogsAndActionsAreSkipped();
    void linkOkReplacesTheSelection();
    void imageOkGoesToTheCurrentActiveMemo();
    void cancelChangesNothing();
    void otherFieldsKeepTheirValues();
};

void TestDialogOpeners::everyActionOpensItsDialog_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("popup");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("field");
    QTest::newRow("Link1") << "Link1" << false << "TLinkF"
                           << "EditText";
    QTest::newRow("Image1") << "Image1" << false << "TImageF"
                            << "Edit1";
    QTest::newRow("ImageSize1") << "ImageSize1" << false << "TImageWidthF"
                                << "Edit1";
    QTest::newRow("Imagelink1") << "Imagelink1" << false << "TImageLinkF"
                                << "Edit1";
    QTest::newRow("runline1") << "runline1" << false << "TRunLineF"
                              << "EditText";
    QTest::newRow("FormatLine1") << "FormatLine1" << false << "TFormatF"
                                 << "sEdit1";
}

void TestDialogOpeners::everyActionOpensItsDialog()
{
    QFETCH(QString, action);
    QFETCH(bool, popup);
    QFETCH(QString, dialog);
    QFETCH(QString, field);

    // Stand-ins with every dialog's name and a field of every name, so a wrong row of the
    // table shows up as the wrong field or dialog.
    const QStringList dialogNames{"TLinkF",      "TImageF",   "TImageWidthF",
                                  "TImageLinkF", "TRunLineF", "TFormatF"};
    QList<QDialog *> dialogs;
    for (const QString &name : dialogNames) {
        auto *d = new QDialog;
        d->setObjectName(name);
        for (const char *f : {"EditText", "Edit1", "sEdit1"}) {
            auto *edit = new QLineEdit(QStringLiteral("kept"), d);
            edit->setObjectName(QLatin1String(f));
        }
        dialogs.append(d);
    }
    MainWindow main;
    main.add(popup ? main.popup : main.insert, action);
    TMemo memo;
    memo.setText(QStringLiteral("Мой Сайт"));
    select(memo, 4, 8);
    dialogs::connectDialogOpeners(
        &main.window, [&memo] { return &memo; }, dialogs);

    QDialog *target = nullptr;
    for (QDialog *d : dialogs) {
        if (d->objectName() == dialog)
            target = d;
    }
    bool shown = false;
    QStringList seen;
    whenShown(
        target,
        [target, &seen] {
            for (auto *edit : target->findChildren<QLineEdit *>())
                seen << edit->objectName() + QLatin1Char('=') + edit->text();
        },
        &shown);
    main.action(action)->trigger();

    QVERIFY(shown);
    for (const QString &entry : seen) {
        const QString name = entry.section(QLatin1Char('='), 0, 0);
        QCOMPARE(entry.section(QLatin1Char('='), 1),
                 name == field ? QStringLiteral("Сайт") : QStringLiteral("kept"));
    }
    QCOMPARE(seen.size(), 3);
    // No other dialog was touched.
    for (QDialog *d : dialogs) {
        if (d != target) {
            for (auto *edit : d->findChildren<QLineEdit *>())
                QCOMPARE(edit->text(), QStringLiteral("kept"));
        }
    }
    QCOMPARE(memo.text(), QStringLiteral("Мой Сайт"));
    qDeleteAll(dialogs);
}

void TestDialogOpeners::missingDialogsAndActionsAreSkipped()
{
    MainWindow main;
    main.add(main.insert, QStringLiteral("Link1"));
    TImageWidthF sized({});
    // No TLinkF for Link1 and no action for the sized image dialog: nothing is connected.
    dialogs::connectDialogOpeners(&main.window, {}, {&sized});
    bool opened = false;
    QObject::connect(&sized, &QDialog::finished, [&opened] { opened = true; });
    main.action(QStringLiteral("Link1"))->trigger();
    QVERIFY(!opened);
}

void TestDialogOpeners::linkOkReplacesTheSelection()
{
    MainWindow main;
    main.add(main.insert, QStringLiteral("Link1"));
    TMemo memo;
    memo.setText(QStringLiteral("Мой Сайт!"));
    select(memo, 4, 8);
    TLinkF link([&memo] { return &memo; });
    dialogs::connectDialogOpeners(&main.window, [&memo] { return &memo; }, {&link});

    whenShown(&link, [&link] {
        QCOMPARE(child<QLineEdit>(&link, "EditText")->text(), QStringLiteral("Сайт"));
        child<QLineEdit>(&link, "EditLink")->setText(QStringLiteral("http://mirvale.example"));
        QTest::mouseClick(child<QPushButton>(&link, "Button1"), Qt::LeftButton);
    });
    main.action(QStringLiteral("Link1"))->trigger();

    QCOMPARE(memo.text(), QStringLiteral("Мой ^url^http://mirvale.example^Сайт^!"));
    QCOMPARE(memo.selectedText(), QString());
}

void TestDialogOpeners::imageOkGoesToTheCurrentActiveMemo()
{
    // The dialog asks for the active text area when OK runs, so a tab change between uses
    // sends the tag to the text area now shown.
    MainWindow main;
    main.add(main.insert, QStringLiteral("ImageSize1"));
    TMemo page, message;
    TMemo *active = &page;
    insertion::ActiveMemo current = [&active] { return active; };
    TImageWidthF sized(current);
    dialogs::connectDialogOpeners(&main.window, current, {&sized});

    message.setText(QStringLiteral("Кот"));
    message.selectAll();
    active = &message;
    whenShown(&sized, [&sized] {
        child<QLineEdit>(&sized, "EditID")->setText(QStringLiteral("1234"));
        QTest::mouseClick(child<QPushButton>(&sized, "Button1"), Qt::LeftButton);
    });
    main.action(QStringLiteral("ImageSize1"))->trigger();

    QCOMPARE(message.text(), QStringLiteral("^jpg1234:64^Кот^"));
    QCOMPARE(page.text(), QString());
}

void TestDialogOpeners::cancelChangesNothing()
{
    MainWindow main;
    main.add(main.insert, QStringLiteral("Link1"));
    TMemo memo;
    memo.setText(QStringLiteral("Мой Сайт"));
    select(memo, 4, 8);
    TLinkF link([&memo] { return &memo; });
    dialogs::connectDialogOpeners(&main.window, [&memo] { return &memo; }, {&link});

    whenShown(&link, [&link] {
        child<QLineEdit>(&link, "EditLink")->setText(QStringLiteral("http://mirvale.example"));
        QTest::mouseClick(child<QPushButton>(&link, "Button2"), Qt::LeftButton);
    });
    main.action(QStringLiteral("Link1"))->trigger();
    QCOMPARE(memo.text(), QStringLiteral("Мой Сайт"));
    QCOMPARE(memo.selectedText(), QStringLiteral("Сайт"));

    // Closing the window is the same as Cancel.
    whenShown(&link, [&link] { link.close(); });
    main.action(QStringLiteral("Link1"))->trigger();
    QCOMPARE(memo.text(), QStringLiteral("Мой Сайт"));
}

void TestDialogOpeners::otherFieldsKeepTheirValues()
{
    MainWindow main;
    main.add(main.insert, QStringLiteral("Imagelink1"));
    TMemo memo;
    memo.setText(QStringLiteral("Кот"));
    memo.selectAll();
    TImageLinkF imageLink([&memo] { return &memo; });
    dialogs::connectDialogOpeners(&main.window, [&memo] { return &memo; }, {&imageLink});

    whenShown(&imageLink, [&imageLink] {
        QCOMPARE(child<QLineEdit>(&imageLink, "Edit1")->text(), QStringLiteral("Кот"));
        child<QLineEdit>(&imageLink, "EditID")->setText(QStringLiteral("77"));
        child<QComboBox>(&imageLink, "ComboBox2")->setCurrentText(QStringLiteral("png"));
        child<QCheckBox>(&imageLink, "CheckBox2")->setChecked(true);
        child<QLineEdit>(&imageLink, "Edit2")->setText(QStringLiteral("http://mirvale.example"));
        QTest::mouseClick(child<QPushButton>(&imageLink, "Button1"), Qt::LeftButton);
    });
    main.action(QStringLiteral("Imagelink1"))->trigger();
    QCOMPARE(memo.text(), QStringLiteral("^url^http://mirvale.example^pngo77^Кот^"));

    // Second use with nothing selected: the caption empties, everything else stays.
    whenShown(&imageLink, [&imageLink] {
        QCOMPARE(child<QLineEdit>(&imageLink, "Edit1")->text(), QString());
        QCOMPARE(child<QLineEdit>(&imageLink, "EditID")->text(), QStringLiteral("77"));
        QCOMPARE(child<QComboBox>(&imageLink, "ComboBox2")->currentText(), QStringLiteral("png"));
        QVERIFY(child<QCheckBox>(&imageLink, "CheckBox2")->isChecked());
        QCOMPARE(child<QLineEdit>(&imageLink, "Edit2")->text(),
                 QStringLiteral("http://mirvale.example"));
        QTest::mouseClick(child<QPushButton>(&imageLink, "Button1"), Qt::LeftButton);
    });
    main.action(QStringLiteral("Imagelink1"))->trigger();
    QCOMPARE(memo.text(), QStringLiteral("^url^http://mirvale.example^pngo77^Кот^"
                                         "^url^http://mirvale.example^pngo77^^"));
}

int main(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestDialogOpeners test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dialog_openers.moc"
