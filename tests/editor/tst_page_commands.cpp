// The page document commands: files, unsaved text, code page limits, Convert, copy all, font.
#include "editor/finish_window.h"
#include "editor/highlighting_memo.h"
#include "editor/page_commands.h"
#include "platform/error_display.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(PageCommands::Answer)

namespace {

QStringList g_errors;
void recordError(const QString &text)
{
    g_errors << text;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces the text as typing does, so that it counts as changed.
void type(TMemo *memo, const QString &text)
{
    memo->selectAll();
    memo->insertPlainText(text);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TstPageCommands : public QObject
{
    Q_OBJECT

private:
    // Two text areas, as the main window has; the commands act on `active`.
    QWidget *m_window = nullptr;
    TMemo *m_page = nullptr;
    TMemo *m_message = nullptr;
    TMemo *m_active = nullptr;
    PageCommands *m_commands = nullptr;
    QTemporaryDir m_dir;
    QStringList m_chosenFiles; // answers of the file dialogs, in order
    int m_fileDialogs = 0;
    QList<PageCommands::Answer> m_answers;
    QStringList m_questions;
    QString m_finishText;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init()
    {
        g_errors.clear();
        errordisplay::setHandler(&recordError);
        m_window = new QWidget;
        m_page = new TMemo(m_window);
        m_message = new TMemo(m_window);
        m_active = m_page;
        m_commands = new PageCommands([this] { return m_active; }, m_window);
        m_chosenFiles.clear();
        m_fileDialogs = 0;
        m_answers.clear();
        m_questions.clear();
        m_commands->chooseFile = [this](PageCommands::FileChoice, const QString &) {
            ++m_fileDialogs;
            return m_chosenFiles.isEmpty() ? QString() : m_chosenFiles.takeFirst();
        };
        m_commands->askSaveChanges = [this](const QString &question) {
            m_questions << question;
            return m_answers.isEmpty() ? PageCommands::Answer::Cancel : m_answers.takeFirst();
        };
        m_commands->showFinishWindow = [this](TFinishF *finish) {
            m_finishText = finish->edit()->text();
        };
    }

    void cleanup()
    {
        delete m_window;
        errordisplay::setHandler(nullptr);
    }

    void saveOnUntitledPageAsksForANameOnce()
    {
        QSignalSpy names(m_commands, &PageCommands::pageFileNameChanged);
        QCOMPARE(m_commands->caption(), QStringLiteral("Без имени.mv - Mirvale Rivi Razare"));
        m_page->setText(QStringLiteral("первая\nвторая"));
        m_chosenFiles << path(QStringLiteral("page.mv"));
        m_commands->save1Click();
        QCOMPARE(m_fileDialogs, 1);
        QCOMPARE(m_commands->pageFileName(), path(QStringLiteral("page.mv")));
        QCOMPARE(m_commands->caption(), QStringLiteral("page.mv - Mirvale Rivi Razare"));
        QCOMPARE(names.count(), 1);
        QCOMPARE(readFile(path(QStringLiteral("page.mv"))),
                 QByteArray("\xEF\xE5\xF0\xE2\xE0\xFF\r\n\xE2\xF2\xEE\xF0\xE0\xFF"));

        m_page->setText(QStringLiteral("третья"));
        m_commands->save1Click();
        QCOMPARE(m_fileDialogs, 1);
        QCOMPARE(readFile(path(QStringLiteral("page.mv"))), QByteArray("\xF2\xF0\xE5\xF2\xFC\xFF"));
    }

    void cancelledSaveAsWritesNothing()
    {
        type(m_page, QStringLiteral("x"));
        m_commands->saveas1Click();
        QCOMPARE(m_fileDialogs, 1);
        QVERIFY(m_commands->isUntitled());
        QVERIFY(m_page->document()->isModified());
    }

    void failedSaveAsKeepsTheName()
    {
        m_page->setText(QStringLiteral("x"));
        const QString target = path(QStringLiteral("missing/folder/page.mv"));
        m_chosenFiles << target;
        m_commands->saveas1Click();
        QVERIFY(m_commands->isUntitled());
        QCOMPARE(g_errors.size(), 1);
        QVERIFY(
            g_errors.first().startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(target)));
    }

    void openFailureLeavesEverything()
    {
        m_page->setText(QStringLiteral("kept"));
        m_page->document()->setModified(false);
        m_chosenFiles << path(QStringLiteral("absent.mv"));
        m_commands->open1Click();
        QCOMPARE(m_page->text(), QStringLiteral("kept"));
        QVERIFY(m_commands->isUntitled());
        QCOMPARE(g_errors.size(), 1);
        QVERIFY(g_errors.first().startsWith(
            QStringLiteral("Cannot open file \"%1\". ").arg(path(QStringLiteral("absent.mv")))));
    }

    void lineBreaksAreReadAsLinesAndWrittenAsCrLf_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("LF only") << QByteArray("a\nb\nc") << 3 << QByteArray("a\r\nb\r\nc");
        QTest::newRow("CR only") << QByteArray("a\rb\r") << 3 << QByteArray("a\r\nb\r\n");
        QTest::newRow("mixed") << QByteArray("a\r\n\nb") << 3 << QByteArray("a\r\n\r\nb");
    }

    void lineBreaksAreReadAsLinesAndWrittenAsCrLf()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, lines);
        QFETCH(QByteArray, saved);
        writeFile(path(QStringLiteral("in.mv")), file);
        QVERIFY(m_commands->openFile(path(QStringLiteral("in.mv"))));
        QCOMPARE(m_page->document()->blockCount(), lines);
        QCOMPARE(m_commands->pageFileName(), path(QStringLiteral("in.mv")));
        m_commands->save1Click();
        QCOMPARE(readFile(path(QStringLiteral("in.mv"))), saved);
    }

    void everyByteValueSurvivesOpenAndSave()
    {
        QByteArray bytes;
        for (int b = 0; b < 256; ++b) {
            if (b != '\r' && b != '\n')
                bytes.append(char(b));
            if (b % 64 == 63)
                bytes.append("\r\n");
        }
        writeFile(path(QStringLiteral("bytes.mv")), bytes);
        QVERIFY(m_commands->openFile(path(QStringLiteral("bytes.mv"))));
        m_commands->save1Click();
        QCOMPARE(readFile(path(QStringLiteral("bytes.mv"))).toHex(), bytes.toHex());
        QVERIFY(g_errors.isEmpty());
    }

    void textOutsideTheCodePageIsWrittenOnlyWhenConfirmed_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("cancel") << false;
        QTest::newRow("write") << true;
    }

    void textOutsideTheCodePageIsWrittenOnlyWhenConfirmed()
    {
        QFETCH(bool, confirm);
        const QString target = path(QStringLiteral("lossy.mv"));
        writeFile(target, "old");
        QVERIFY(m_commands->openFile(target));
        type(m_page, QStringLiteral("привет\nмир 😀 и 中"));
        QString asked;
        m_commands->confirmLossySave = [&](const QString &question) {
            asked = question;
            return confirm;
        };
        m_commands->save1Click();
        QVERIFY2(asked.contains(QStringLiteral("U+1F600")), qPrintable(asked));
        QVERIFY2(asked.contains(QStringLiteral("строке 2")), qPrintable(asked));
        QCOMPARE(readFile(target),
                 confirm ? QByteArray("\xEF\xF0\xE8\xE2\xE5\xF2\r\n\xEC\xE8\xF0 ? \xE8 ?")
                         : QByteArray("old"));
        QCOMPARE(m_page->document()->isModified(), !confirm);
    }

    void unsavedTextIsAskedAboutBeforeNew_data()
    {
        QTest::addColumn<PageCommands::Answer>("answer");
        QTest::addColumn<QString>("chosenFile"); // for Save on the untitled page
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<bool>("written");
        QTest::newRow("save") << PageCommands::Answer::Save << QStringLiteral("saved.mv") << true
                              << true;
        QTest::newRow("save, dialog cancelled")
            << PageCommands::Answer::Save << QString() << false << false;
        QTest::newRow("save fails")
            << PageCommands::Answer::Save << QStringLiteral("missing/saved.mv") << false << false;
        QTest::newRow("discard") << PageCommands::Answer::Discard << QString() << true << false;
        QTest::newRow("cancel") << PageCommands::Answer::Cancel << QString() << false << false;
    }

    void unsavedTextIsAskedAboutBeforeNew()
    {
        QFETCH(PageCommands::Answer, answer);
        QFETCH(QString, chosenFile);
        QFETCH(bool, cleared);
        QFETCH(bool, written);
        type(m_page, QStringLiteral("draft"));
        m_answers << answer;
        if (!chosenFile.isEmpty())
            m_chosenFiles << path(chosenFile);
        m_commands->new1Click();
        QCOMPARE(m_questions.size(), 1);
        QCOMPARE(m_page->text().isEmpty(), cleared);
        QCOMPARE(QFile::exists(path(QStringLiteral("saved.mv"))), written);
        QVERIFY(m_commands->isUntitled());
        if (cleared)
            QVERIFY(!m_page->document()->isModified());
        QFile::remove(path(QStringLiteral("saved.mv")));
    }

    void unchangedTextIsDiscardedWithoutAQuestion()
    {
        writeFile(path(QStringLiteral("a.mv")), "first");
        writeFile(path(QStringLiteral("b.mv")), "second");
        QVERIFY(m_commands->openFile(path(QStringLiteral("a.mv"))));
        m_chosenFiles << path(QStringLiteral("b.mv"));
        m_commands->open1Click();
        QVERIFY(m_questions.isEmpty());
        QCOMPARE(m_page->text(), QStringLiteral("second"));
        m_commands->new1Click();
        QVERIFY(m_questions.isEmpty());
        QVERIFY(m_commands->isUntitled());
    }

    void cancelledQuestionKeepsTheOpenDialogShut()
    {
        type(m_page, QStringLiteral("draft"));
        m_answers << PageCommands::Answer::Cancel;
        m_commands->open1Click();
        QCOMPARE(m_fileDialogs, 0);
        QCOMPARE(m_page->text(), QStringLiteral("draft"));
    }

    void newOnTheMessageTabClearsTheMessage()
    {
        m_page->setText(QStringLiteral("page"));
        m_page->document()->setModified(false);
        m_message->setText(QStringLiteral("message"));
        m_message->document()->setModified(false);
        m_active = m_message;
        m_commands->new1Click();
        QCOMPARE(m_message->text(), QString());
        QCOMPARE(m_page->text(), QStringLiteral("page"));
    }

    void convertJoinsTheLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("joined");
        QTest::newRow("two lines") << QStringLiteral("a b\nc") << QStringLiteral("a bc");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("closing line break") << QStringLiteral("a b\nc\n") << QStringLiteral("a bc");
        QTest::newRow("blank lines") << QStringLiteral("\n\nx\n\n") << QStringLiteral("x");
        QTest::newRow("no-break space kept")
            << QStringLiteral("a\u00A0b\nc") << QStringLiteral("a\u00A0bc");
        const QString longLine(10000, QLatin1Char('w'));
        QTest::newRow("line longer than 4096")
            << longLine + QStringLiteral("\nend") << longLine + QStringLiteral("end");
    }

    void convertJoinsTheLines()
    {
        QFETCH(QString, text);
        QFETCH(QString, joined);
        m_page->setText(text);
        m_finishText = QStringLiteral("not shown");
        m_commands->Convert1Click();
        QCOMPARE(m_finishText, joined);
    }

    void convertIgnoresWordWrap()
    {
        m_window->resize(80, 200);
        m_page->setGeometry(0, 0, 80, 200);
        PageCommands::setWordWrap(m_page, true);
        m_page->setText(QStringLiteral("one two three four five six seven eight"));
        m_commands->Convert1Click();
        QCOMPARE(m_finishText, QStringLiteral("one two three four five six seven eight"));
    }

    void finishWindowCopiesTheFieldAsEdited()
    {
        TFinishF finish;
        finish.setResult(QStringLiteral("joined"));
        finish.show();
        QVERIFY(QTest::qWaitForWindowActive(&finish));
        QVERIFY(finish.edit()->hasFocus());
        QCOMPARE(finish.edit()->selectedText(), QStringLiteral("joined"));
        finish.edit()->setText(QStringLiteral("edited"));
        finish.Button1Click();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("edited"));
        QCOMPARE(finish.result(), int(QDialog::Accepted));
        QVERIFY(finish.edit()->maxLength() > 1000000);
    }

    void copyAllCopiesTheWholeText_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("editable") << false;
        QTest::newRow("read-only") << true;
    }

    void copyAllCopiesTheWholeText()
    {
        QFETCH(bool, readOnly);
        m_page->setText(QStringLiteral("всё\nвместе"));
        m_page->document()->setModified(false);
        m_page->setReadOnly(readOnly);
        QApplication::clipboard()->clear();
        m_commands->CopyAll1Click();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("всё\nвместе"));
        QCOMPARE(m_page->text(), QStringLiteral("всё\nвместе"));
        QCOMPARE(m_page->textCursor().hasSelection(), readOnly);
        if (!readOnly)
            QCOMPARE(m_page->textCursor().position(), m_page->text().size());
        QVERIFY(!m_page->document()->isModified());
    }

    void fontDialogOpensOnTheDesignFontThenOnTheLastChoice()
    {
        m_page->setFont(QFont(QStringLiteral("DejaVu Serif"), 20));
        QList<QFont> offered;
        m_commands->chooseFont = [&](const QFont &initial) -> std::optional<QFont> {
            offered << initial;
            return QFont(QStringLiteral("DejaVu Sans Mono"), 14);
        };
        m_commands->font1Click();
        m_commands->font1Click();
        QCOMPARE(offered.size(), 2);
        // The design font, or what the system draws for it when Lucida Console is missing.
        QCOMPARE(offered[0].family(), QFontInfo(PageCommands::designFont()).family());
        QVERIFY(QFontDatabase::families().contains(offered[0].family()));
        QCOMPARE(offered[0].pointSize(), 10);
        QCOMPARE(offered[1].family(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(m_page->font().pointSize(), 14);
    }

    void fontDialogOpensOnTheFontsOwnStyle_data()
    {
        QTest::addColumn<QFont>("font"); // the last choice, or the design font
        QTest::newRow("design font") << QFont();
        QTest::newRow("upright sans") << QFont(QStringLiteral("DejaVu Sans"), 12);
        QTest::newRow("bold") << QFont(QStringLiteral("DejaVu Sans Mono"), 12, QFont::Bold);
    }

    void fontDialogOpensOnTheFontsOwnStyle()
    {
        QFETCH(QFont, font);
        if (font != QFont()) {
            const auto dialog = m_commands->chooseFont;
            m_commands->chooseFont = [&](const QFont &) { return std::optional(font); };
            m_commands->font1Click();
            m_commands->chooseFont = dialog;
        }
        const QFontInfo expected(font == QFont() ? PageCommands::designFont() : font);
        std::optional<QFont> shown;
        QTimer::singleShot(0, m_window, [&] {
            if (auto *dialog = qobject_cast<QFontDialog *>(QApplication::activeModalWidget())) {
                shown = dialog->currentFont();
                dialog->reject();
            }
        });
        m_commands->font1Click();
        QVERIFY(shown);
        QCOMPARE(shown->italic(), expected.italic());
        QCOMPARE(shown->weight(), expected.weight());
        QCOMPARE(QFontInfo(*shown).styleName(), expected.styleName());
    }

    void wordWrapSwitchesTheActiveAreaAndItsScrollBars()
    {
        QSignalSpy ticks(m_commands, &PageCommands::wordWrapChanged);
        PageCommands::setWordWrap(m_page, true);
        m_commands->WordWrap1Click();
        QCOMPARE(ticks.takeFirst().at(0).toBool(), false);
        QCOMPARE(m_page->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(m_page->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        m_commands->WordWrap1Click();
        QCOMPARE(ticks.takeFirst().at(0).toBool(), true);
        QCOMPARE(m_page->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(m_page->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    void clearCanBeUndone()
    {
        m_page->setText(QStringLiteral("keep me"));
        m_commands->clear1Click();
        QCOMPARE(m_page->text(), QString());
        m_commands->undo1Click();
        QCOMPARE(m_page->text(), QStringLiteral("keep me"));
        m_page->setReadOnly(true);
        m_commands->clear1Click();
        QCOMPARE(m_page->text(), QStringLiteral("keep me"));
        m_page->setReadOnly(false);
    }

    void pasteNeedsTheFocus()
    {
        QApplication::clipboard()->setText(QStringLiteral("clip"));
        m_commands->paste1Click();
        QCOMPARE(m_page->text(), QString());
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TstPageCommands test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_page_commands.moc"
