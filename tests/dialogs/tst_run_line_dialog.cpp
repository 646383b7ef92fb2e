// The running-line dialog: the tag it inserts, its colours and what it keeps between uses.
#include "dialogs/run_line_dialog.h"
#include "editor/highlighting_memo.h"
#include "markup/site.h"
#include "platform/system_colors.h"

#include "shell_catcher.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// What the opener does: the selection goes into the text field, then the dialog runs modally;
// `whileOpen` acts on the open dialog and closes it.
int openDialog(TRunLineF &dialog, TMemo &memo, const std::function<void()> &whileOpen)
{
    dialog.findChild<QLineEdit *>(QStringLiteral("EditText"))->setText(memo.selectedText());
    QTimer::singleShot(0, &dialog, whileOpen);
    return dialog.exec();
}

void pickColor(TRunLineF &dialog, const char *button, qint32 value)
{
    auto *colors = dialog.findChild<ColorDropDownButton *>(QLatin1String(button));
    QVERIFY(colors);
    QTest::mouseClick(colors, Qt::LeftButton);
    QVERIFY(colors->palettePopup()->isVisible());
    QAbstractButton *choice = value == colorbutton::AutomaticColor
                                  ? colors->palettePopup()->automaticButton()
                                  : colors->palettePopup()->buttonFor(value);
    QVERIFY(choice);
    choice->click();
}

void pressOk(TRunLineF &dialog)
{
    dialog.findChild<QPushButton *>("Button1")->click();
}

void selectWord(TMemo &memo, const QString &text, const QString &word)
{
    memo.setText(text);
    QTextCursor cursor(memo.document());
    cursor.setPosition(int(text.indexOf(word)));
    cursor.setPosition(int(text.indexOf(word) + word.size()), QTextCursor::KeepAnchor);
    memo.setTextCursor(cursor);
}

constexpr qint32 Red = 0x000000FF;
constexpr qint32 Black = 0x00000000;

} // namespace

class TestRunLineDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        markup::setSystemColorLookup(&systemcolors::rgbOf);
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::Active, QPalette::Base, QColor(0x12, 0x34, 0x56));
        QApplication::setPalette(palette);
    }

    void startValuesReplaceTheSelection()
    {
        TMemo memo;
        selectWord(memo, QStringLiteral("Скажи Привет всем"), QStringLiteral("Привет"));
        TRunLineF dialog([&memo] { return &memo; });
        QCOMPARE(dialog.findChild<QComboBox *>("ComboBoxType")->currentText(), "Scroll");
        QVERIFY(dialog.findChild<QComboBox *>("ComboBoxType")->isEditable());
        QVERIFY(dialog.findChild<QComboBox *>("ComboBoxPosition")->isEditable());
        QCOMPARE(openDialog(dialog, memo, [&] { pressOk(dialog); }), int(QDialog::Accepted));
        QCOMPARE(memo.text(),
                 QStringLiteral("Скажи ^run:Scroll:FFFFFF:left:100:000000^Привет^ всем"));
    }

    void choices_data()
    {
        QTest::addColumn<qint32>("textColor");
        QTest::addColumn<qint32>("background");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QString>("tag");
        QTest::newRow("red on black") << Red << Black << "Scroll"
                                      << "100"
                                      << "^run:Scroll:000000:left:100:FF0000^Hi^";
        QTest::newRow("typed type, no duration")
            << colorbutton::AutomaticColor << qint32(0x00FFFFFF) << "Bounce"
            << ""
            << "^run:Bounce:FFFFFF:left::000000^Hi^";
        // A prefix of an item stays as typed.
        QTest::newRow("typed prefix of an item")
            << colorbutton::AutomaticColor << qint32(0x00FFFFFF) << "S"
            << "1"
            << "^run:S:FFFFFF:left:1:000000^Hi^";
        QTest::newRow("automatic after red")
            << colorbutton::AutomaticColor << qint32(0x00FFFFFF) << "Slide"
            << "7"
            << "^run:Slide:FFFFFF:left:7:000000^Hi^";
        QTest::newRow("system colour") << Red << qint32(0x80000005) << "Alternate"
                                       << "100"
                                       << "^run:Alternate:123456:left:100:FF0000^Hi^";
    }
    void choices()
    {
        QFETCH(qint32, textColor);
        QFETCH(qint32, background);
        QFETCH(QString, type);
        QFETCH(QString, duration);
        QFETCH(QString, tag);
        TMemo memo;
        selectWord(memo, QStringLiteral("Hi"), QStringLiteral("Hi"));
        TRunLineF dialog([&memo] { return &memo; });
        openDialog(dialog, memo, [&] {
            pickColor(dialog, "ColText", Red);
            pickColor(dialog, "ColText", textColor);
            pickColor(dialog, "ColBg", background);
            auto *typeBox = dialog.findChild<QComboBox *>("ComboBoxType");
            typeBox->lineEdit()->selectAll();
            QTest::keyClicks(typeBox->lineEdit(), type);
            auto *loop = dialog.findChild<QLineEdit *>("EditLoop");
            loop->selectAll();
            QTest::keyClick(loop, Qt::Key_Backspace);
            QTest::keyClicks(loop, duration);
            pressOk(dialog);
        });
        QCOMPARE(memo.text(), tag);
    }

    void typedWordsNeverJoinTheLists()
    {
        TMemo memo;
        TRunLineF dialog([&memo] { return &memo; });
        openDialog(dialog, memo, [&] {
            auto *typeBox = dialog.findChild<QComboBox *>("ComboBoxType");
            typeBox->lineEdit()->selectAll();
            QTest::keyClicks(typeBox->lineEdit(), QStringLiteral("Bounce"));
            QTest::keyClick(typeBox->lineEdit(), Qt::Key_Return);
            if (dialog.isVisible())
                pressOk(dialog);
        });
        QVERIFY(memo.text().startsWith(QStringLiteral("^run:Bounce:")));
        QCOMPARE(dialog.findChild<QComboBox *>("ComboBoxType")->count(), 3);
        QCOMPARE(dialog.findChild<QComboBox *>("ComboBoxPosition")->count(), 2);
    }

    void colourTextsFollowTheButtonsAtOnce()
    {
        TRunLineF dialog({});
        QCOMPARE(dialog.textConverter().HTMLColor, QStringLiteral("000000"));
        QCOMPARE(dialog.backgroundConverter().HTMLColor, QStringLiteral("FFFFFF"));
        pickColor(dialog, "ColText", Red);
        pickColor(dialog, "ColBg", qint32(0x80000005));
        QCOMPARE(dialog.textConverter().HTMLColor, QStringLiteral("FF0000"));
        QCOMPARE(dialog.backgroundConverter().HTMLColor, QStringLiteral("123456"));
        // The converter keeps the system colour itself, not its digits.
        QCOMPARE(dialog.backgroundConverter().RGBColor, qint32(0x80000005));
    }

    void cancelAndClosingInsertNothing_data()
    {
        QTest::addColumn<bool>("useCancelButton");
        QTest::newRow("Отмена") << true;
        QTest::newRow("closing") << false;
    }
    void cancelAndClosingInsertNothing()
    {
        QFETCH(bool, useCancelButton);
        TMemo memo;
        selectWord(memo, QStringLiteral("one two"), QStringLiteral("two"));
        TRunLineF dialog([&memo] { return &memo; });
        const int result = openDialog(dialog, memo, [&] {
            if (useCancelButton)
                dialog.findChild<QPushButton *>("Button2")->click();
            else
                dialog.close();
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(memo.text(), QStringLiteral("one two"));
        QCOMPARE(memo.selectedText(), QStringLiteral("two"));
    }

    void valuesAreKeptBetweenUses()
    {
        TMemo memo;
        TRunLineF dialog([&memo] { return &memo; });
        selectWord(memo, QStringLiteral("a"), QStringLiteral("a"));
        openDialog(dialog, memo, [&] {
            pickColor(dialog, "ColText", Red);
            pickColor(dialog, "ColBg", Black);
            dialog.findChild<QComboBox *>("ComboBoxPosition")->setCurrentIndex(1);
            dialog.findChild<QLineEdit *>("EditLoop")->setText(QStringLiteral("5"));
            pressOk(dialog);
        });
        selectWord(memo, QStringLiteral("b"), QStringLiteral("b"));
        openDialog(dialog, memo, [&] { pressOk(dialog); });
        QCOMPARE(memo.text(), QStringLiteral("^run:Scroll:000000:right:5:FF0000^b^"));
    }

    void insertsIntoTheActiveTextArea()
    {
        TMemo editor, message;
        TMemo *active = &editor;
        TRunLineF dialog([&active] { return active; });
        active = &message;
        openDialog(dialog, message, [&] { pressOk(dialog); });
        QCOMPARE(editor.text(), QString());
        QCOMPARE(message.text(), QStringLiteral("^run:Scroll:FFFFFF:left:100:000000^^"));
    }

    void helpLinkOpensTheArticle()
    {
        ShellCatcher catcher;
        TRunLineF dialog({});
        dialog.show();
        auto *help = dialog.findChild<QLabel *>("sWebLabel1");
        QCOMPARE(help->text(), QStringLiteral("Помощь"));
        QTest::mouseClick(help, Qt::LeftButton);
        QCOMPARE(catcher.opened.size(), 1);
        QCOMPARE(catcher.opened.at(0).toString(),
                 site::homeAddress() + QStringLiteral("/textdetailed?rid=32&text_id=311655"));
    }

    void fixedSize()
    {
        TRunLineF dialog({});
        dialog.show();
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    }
};

QTEST_MAIN(TestRunLineDialog)
#include "tst_run_line_dialog.moc"
