// The line-format dialog: the prefix it inserts and the values it keeps for the whole run.
#include "dialogs/line_format_dialog.h"
#include "editor/highlighting_memo.h"
#include "markup/site.h"
#include "platform/system_colors.h"

#include "shell_catcher.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// Answers the colour dialog with the next queued colour; an empty answer is Cancel.
struct ColorAnswers
{
    QList<std::optional<QColor>> queue;
    colorbutton::ColorChooser chooser()
    {
        return [this](const QColor &, QWidget *) -> std::optional<QColor> {
            return queue.isEmpty() ? std::nullopt : queue.takeFirst();
        };
    }
};

int openDialog(TFormatF &dialog, TMemo &memo, const std::function<void()> &whileOpen)
{
    dialog.findChild<QLineEdit *>(QStringLiteral("sEdit1"))->setText(memo.selectedText());
    QTimer::singleShot(0, &dialog, whileOpen);
    return dialog.exec();
}

void pressOk(TFormatF &dialog)
{
    dialog.findChild<QPushButton *>("sButton2")->click();
}
void press(TFormatF &dialog, const char *name)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
}

void selectAll(TMemo &memo, const QString &text)
{
    memo.setText(text);
    memo.selectAll();
}

} // namespace

class TestLineFormatDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { markup::setSystemColorLookup(&systemcolors::rgbOf); }

    void startValuesReplaceTheSelection()
    {
        TMemo memo;
        memo.setText(QStringLiteral("Заголовок\nтекст"));
        QTextCursor cursor(memo.document());
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        memo.setTextCursor(cursor);
        TFormatF dialog([&memo] { return &memo; });
        auto *align = dialog.findChild<QComboBox *>("sComboBox1");
        QVERIFY(!align->isEditable());
        QCOMPARE(align->currentIndex(), -1);
        QCOMPARE(align->currentText(), QString());
        QCOMPARE(openDialog(dialog, memo, [&] { pressOk(dialog); }), int(QDialog::Accepted));
        // No closing caret: the text ends the inserted piece.
        QCOMPARE(memo.text(), QStringLiteral("^center:#white:#black^Заголовок\nтекст"));
    }

    void alignmentByPosition_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("word");
        QTest::newRow("По левому краю") << 0 << "left";
        QTest::newRow("По центру") << 1 << "center";
        QTest::newRow("По правому краю") << 2 << "right";
        QTest::newRow("По ширине") << 3 << "justify";
    }
    void alignmentByPosition()
    {
        QFETCH(int, entry);
        QFETCH(QString, word);
        TFormatF dialog({});
        auto *align = dialog.findChild<QComboBox *>("sComboBox1");
        // A language file may relabel the entries; the words stay.
        align->setItemText(entry, QStringLiteral("Relabelled"));
        align->setCurrentIndex(entry);
        QCOMPARE(dialog.formatAlign(), word);
    }

    void rightYellowBlue()
    {
        ColorAnswers answers;
        answers.queue = {QColor(Qt::yellow), QColor(Qt::blue)};
        TMemo memo;
        selectAll(memo, QStringLiteral("Hi"));
        TFormatF dialog([&memo] { return &memo; });
        dialog.setColorChooser(answers.chooser());
        openDialog(dialog, memo, [&] {
            dialog.findChild<QComboBox *>("sComboBox1")->setCurrentIndex(2);
            press(dialog, "sColorSelect1");
            press(dialog, "sColorSelect2");
            pressOk(dialog);
        });
        QCOMPARE(memo.text(), QStringLiteral("^right:#FFFF00:#0000FF^Hi"));
    }

    void cancelledColourDialogKeepsTheText_data()
    {
        QTest::addColumn<QList<std::optional<QColor>>>("answers");
        QTest::addColumn<QString>("background");
        QTest::newRow("cancel at once") << QList<std::optional<QColor>>{std::nullopt} << "white";
        QTest::newRow("yellow, then cancel")
            << QList<std::optional<QColor>>{QColor(Qt::yellow), std::nullopt} << "FFFF00";
        // Confirming the same colour still writes its digits.
        QTest::newRow("white confirmed")
            << QList<std::optional<QColor>>{QColor(Qt::white)} << "FFFFFF";
    }
    void cancelledColourDialogKeepsTheText()
    {
        QFETCH(QList<std::optional<QColor>>, answers);
        QFETCH(QString, background);
        ColorAnswers colors;
        colors.queue = answers;
        TFormatF dialog({});
        dialog.setColorChooser(colors.chooser());
        dialog.show();
        for (qsizetype i = 0; i < answers.size(); ++i)
            press(dialog, "sColorSelect1");
        QCOMPARE(dialog.formatBgColor(), background);
        QCOMPARE(dialog.formatTextColor(), QStringLiteral("black"));
    }

    void valuesAreKeptBetweenUses()
    {
        ColorAnswers answers;
        answers.queue = {QColor(0x11, 0x22, 0x33)};
        TMemo memo;
        TFormatF dialog([&memo] { return &memo; });
        dialog.setColorChooser(answers.chooser());
        selectAll(memo, QStringLiteral("one"));
        openDialog(dialog, memo, [&] {
            dialog.findChild<QComboBox *>("sComboBox1")->setCurrentIndex(3);
            press(dialog, "sColorSelect2");
            pressOk(dialog);
        });
        selectAll(memo, QStringLiteral("two"));
        openDialog(dialog, memo, [&] {
            QCOMPARE(dialog.findChild<QComboBox *>("sComboBox1")->currentIndex(), 3);
            pressOk(dialog);
        });
        QCOMPARE(memo.text(), QStringLiteral("^justify:#white:#112233^two"));
    }

    void cancelInsertsNothing()
    {
        TMemo memo;
        selectAll(memo, QStringLiteral("keep"));
        TFormatF dialog([&memo] { return &memo; });
        const int result = openDialog(dialog, memo, [&] {
            dialog.findChild<QComboBox *>("sComboBox1")->setCurrentIndex(0);
            dialog.findChild<QPushButton *>("sButton1")->click();
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(memo.text(), QStringLiteral("keep"));
    }

    void helpLinkOpensTheHelpPage()
    {
        ShellCatcher catcher;
        TFormatF dialog({});
        dialog.show();
        QTest::mouseClick(dialog.findChild<QLabel *>("sWebLabel1"), Qt::LeftButton);
        QCOMPARE(catcher.opened.size(), 1);
        QCOMPARE(catcher.opened.at(0).toString(),
                 site::homeAddress() + QStringLiteral("/mv?rid=32&id=146822"));
    }
};

QTEST_MAIN(TestLineFormatDialog)
#include "tst_line_format_dialog.moc"
