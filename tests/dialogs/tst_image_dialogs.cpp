// The image dialogs: their tags, the preview address rule and when the preview loads.
#include "browser/html_view.h"
#include "dialogs/help_link.h"
#include "dialogs/image_dialogs.h"
#include "editor/highlighting_memo.h"
#include "markup/site.h"

#include "shell_catcher.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QWebEngineView>

#include <memory>

namespace {

// The preview address as the rule spells it: "http://", the store's host, the folder path.
QString storeAddress(const QString &path)
{
    return QStringLiteral("http://") + QUrl(site::imageStoreHost()).host() + path;
}

std::unique_ptr<ImageDialog> makeDialog(const QString &kind, insertion::ActiveMemo memo)
{
    if (kind == QLatin1String("TImageF"))
        return std::make_unique<TImageF>(memo);
    if (kind == QLatin1String("TImageWidthF"))
        return std::make_unique<TImageWidthF>(memo);
    return std::make_unique<TImageLinkF>(memo);
}

template <class T> T *child(QWidget *dialog, const char *name)
{
    T *w = dialog->findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

} // namespace

class TestImageDialogs : public QObject
{
    Q_OBJECT
private slots:
    void previewAddress_data();
    void previewAddress();
    void sharedFieldsStart_data();
    void sharedFieldsStart();
    void okInsertsTheTag_data();
    void okInsertsTheTag();
    void cancelInsertsNothing();
    void enterInAnyFieldIsOk_data();
    void enterInAnyFieldIsOk();
    void previewLoadsFromTheFourthCharacter();
    void previewKeepsItsPictureOutsideTheRange();
    void previewUsesTheNumberWhateverTheFormat();
    void untickedPreviewLoadsNothing();
    void helpLinks_data();
    void helpLinks();
};

void TestImageDialogs::previewAddress_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("address");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("three characters") << "123"
                                      << "";
    QTest::newRow("four characters") << "1234" << storeAddress("/origin/0000001234/origin.jpg");
    QTest::newRow("five characters") << "12345" << storeAddress("/origin/0000012345/origin.jpg");
    QTest::newRow("ten characters, no zeros")
        << "1234567890" << storeAddress("/origin/1234567890/origin.jpg");
    QTest::newRow("eleven characters") << "12345678901"
                                       << "";
    QTest::newRow("letters are not examined")
        << "abcd" << storeAddress("/origin/000000abcd/origin.jpg");
    QTest::newRow("leading zeros kept") << "0042" << storeAddress("/origin/0000000042/origin.jpg");
}

void TestImageDialogs::previewAddress()
{
    QFETCH(QString, number);
    QFETCH(QString, address);
    QCOMPARE(dialogs::ImagePreviewAddress(number), address);
}

void TestImageDialogs::sharedFieldsStart_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::newRow("image") << "TImageF"
                           << "Рисунок";
    QTest::newRow("sized image") << "TImageWidthF"
                                 << "Рисунок";
    QTest::newRow("image link") << "TImageLinkF"
                                << "Рисунок-ссылка";
}

void TestImageDialogs::sharedFieldsStart()
{
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    auto dialog = makeDialog(kind, {});
    QCOMPARE(dialog->objectName(), kind);
    QCOMPARE(dialog->windowTitle(), caption);
    auto *format = child<QComboBox>(dialog.get(), "ComboBox2");
    QVERIFY(format->isEditable());
    QCOMPARE(format->currentText(), QStringLiteral("jpg"));
    const QStringList items{"gif", "jpeg", "jpg", "png"};
    QCOMPARE(format->count(), int(items.size()));
    for (int i = 0; i < items.size(); ++i)
        QCOMPARE(format->itemText(i), items.at(i));
    QVERIFY(!child<QCheckBox>(dialog.get(), "CheckBox2")->isChecked());
    QVERIFY(child<QLineEdit>(dialog.get(), "EditID")->text().isEmpty());
    QVERIFY(child<QLineEdit>(dialog.get(), "Edit1")->text().isEmpty());
    QVERIFY(child<QPushButton>(dialog.get(), "Button1")->isDefault());
}

void TestImageDialogs::okInsertsTheTag_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("format"); // empty: the start value
    QTest::addColumn<bool>("natural");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("extra"); // width or address; null: the start value
    QTest::addColumn<QString>("tag");

    QTest::newRow("natural png") << "TImageF"
                                 << "png" << true << "55"
                                 << "Кот" << QString() << "^pngo55^Кот^";
    QTest::newRow("start values") << "TImageF"
                                  << "" << false << "1234"
                                  << "image" << QString() << "^jpg1234^image^";
    QTest::newRow("typed format") << "TImageF"
                                  << "bmp" << false << "0042"
                                  << "" << QString() << "^bmp0042^^";
    QTest::newRow("sized, start values") << "TImageWidthF"
                                         << "" << false << "1234"
                                         << "" << QString() << "^jpg1234:64^^";
    QTest::newRow("sized, empty width") << "TImageWidthF"
                                        << "gif" << false << "77"
                                        << ""
                                        << ""
                                        << "^gif77:^^";
    QTest::newRow("sized, natural") << "TImageWidthF"
                                    << "jpeg" << true << "9"
                                    << "a^b"
                                    << "120"
                                    << "^jpego9:120^a^b^";
    QTest::newRow("link, start values") << "TImageLinkF"
                                        << "" << false << "1234"
                                        << "image" << QString() << "^url^http://^jpg1234^image^";
    QTest::newRow("link, address") << "TImageLinkF"
                                   << "gif" << true << ""
                                   << " "
                                   << "http://mirvale.example"
                                   << "^url^http://mirvale.example^gifo^ ^";
}

void TestImageDialogs::okInsertsTheTag()
{
    QFETCH(QString, kind);
    QFETCH(QString, format);
    QFETCH(bool, natural);
    QFETCH(QString, number);
    QFETCH(QString, caption);
    QFETCH(QString, extra);
    QFETCH(QString, tag);

    TMemo memo;
    memo.setText(QStringLiteral("<>"));
    QTextCursor c = memo.textCursor();
    c.setPosition(1);
    memo.setTextCursor(c);
    auto dialog = makeDialog(kind, [&memo] { return &memo; });

    if (!format.isEmpty())
        child<QComboBox>(dialog.get(), "ComboBox2")->setCurrentText(format);
    child<QCheckBox>(dialog.get(), "CheckBox2")->setChecked(natural);
    child<QLineEdit>(dialog.get(), "EditID")->setText(number);
    child<QLineEdit>(dialog.get(), "Edit1")->setText(caption);
    if (!extra.isNull())
        child<QLineEdit>(dialog.get(), kind == QLatin1String("TImageWidthF") ? "EditW" : "Edit2")
            ->setText(extra);
    QTest::mouseClick(child<QPushButton>(dialog.get(), "Button1"), Qt::LeftButton);

    QCOMPARE(memo.text(), QStringLiteral("<") + tag + QStringLiteral(">"));
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
}

void TestImageDialogs::cancelInsertsNothing()
{
    TMemo memo;
    memo.setText(QStringLiteral("Кот"));
    memo.selectAll();
    TImageLinkF dialog([&memo] { return &memo; });
    child<QLineEdit>(&dialog, "EditID")->setText(QStringLiteral("1234"));
    QTest::mouseClick(child<QPushButton>(&dialog, "Button2"), Qt::LeftButton);
    QCOMPARE(memo.text(), QStringLiteral("Кот"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestImageDialogs::enterInAnyFieldIsOk_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("number") << "EditID";
    QTest::newRow("typed format") << "ComboBox2";
    QTest::newRow("caption") << "Edit1";
    QTest::newRow("width") << "EditW";
}

void TestImageDialogs::enterInAnyFieldIsOk()
{
    QFETCH(QString, field);
    TMemo memo;
    TImageWidthF dialog([&memo] { return &memo; });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QWidget *target = dialog.findChild<QWidget *>(field);
    QVERIFY(target);
    if (auto *combo = qobject_cast<QComboBox *>(target)) {
        combo->setFocus();
        combo->clearEditText();
        // "p" starts an item ("png"): still the tag gets just what was typed.
        QTest::keyClicks(combo, QStringLiteral("p"));
        target = combo->lineEdit();
    } else {
        target->setFocus();
    }
    QTest::keyClick(target, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(memo.text().startsWith(QLatin1Char('^')));
    if (field == QLatin1String("ComboBox2"))
        QVERIFY2(memo.text().startsWith(QStringLiteral("^p")) &&
                     !memo.text().startsWith(QStringLiteral("^png")),
                 qPrintable(memo.text()));
    // A typed format does not become an item of the list.
    QCOMPARE(child<QComboBox>(&dialog, "ComboBox2")->count(), 4);
}

void TestImageDialogs::previewLoadsFromTheFourthCharacter()
{
    TImageF dialog({});
    auto *number = child<QLineEdit>(&dialog, "EditID");
    auto *view = child<HtmlView>(&dialog, "WebBrowser1");
    QVERIFY(child<QCheckBox>(&dialog, "CheckBox1")->isChecked());
    QTest::keyClicks(number, QStringLiteral("123"));
    QCOMPARE(dialog.previewAddress(), QString());
    QVERIFY(view->url().isEmpty());

    QTest::keyClicks(number, QStringLiteral("4"));
    const QString expected = storeAddress(QStringLiteral("/origin/0000001234/origin.jpg"));
    QCOMPARE(dialog.previewAddress(), expected);
    QCOMPARE(view->url(), QUrl(expected));
}

void TestImageDialogs::previewKeepsItsPictureOutsideTheRange()
{
    TImageF dialog({});
    auto *number = child<QLineEdit>(&dialog, "EditID");
    number->setText(QStringLiteral("1234567890"));
    const QString ten = storeAddress(QStringLiteral("/origin/1234567890/origin.jpg"));
    QCOMPARE(dialog.previewAddress(), ten);
    number->setText(QStringLiteral("12345678901"));
    QCOMPARE(dialog.previewAddress(), ten);
    number->setText(QStringLiteral("123"));
    QCOMPARE(dialog.previewAddress(), ten);
    QCOMPARE(child<HtmlView>(&dialog, "WebBrowser1")->url(), QUrl(ten));
}

void TestImageDialogs::previewUsesTheNumberWhateverTheFormat()
{
    TImageF dialog({});
    child<QComboBox>(&dialog, "ComboBox2")->setCurrentText(QStringLiteral("png"));
    child<QLineEdit>(&dialog, "EditID")->setText(QStringLiteral("12345"));
    QCOMPARE(dialog.previewAddress(),
             storeAddress(QStringLiteral("/origin/0000012345/origin.jpg")));
}

void TestImageDialogs::untickedPreviewLoadsNothing()
{
    TImageF dialog({});
    auto *use = child<QCheckBox>(&dialog, "CheckBox1");
    QCOMPARE(use->text(), QStringLiteral("Использовать просмотр"));
    use->setChecked(false);
    QTest::keyClicks(child<QLineEdit>(&dialog, "EditID"), QStringLiteral("1234"));
    QCOMPARE(dialog.previewAddress(), QString());
    // Ticking it again loads nothing by itself; the next change of the number does.
    use->setChecked(true);
    QCOMPARE(dialog.previewAddress(), QString());
    QVERIFY(child<HtmlView>(&dialog, "WebBrowser1")->url().isEmpty());
    QTest::keyClicks(child<QLineEdit>(&dialog, "EditID"), QStringLiteral("5"));
    QCOMPARE(dialog.previewAddress(),
             storeAddress(QStringLiteral("/origin/0000012345/origin.jpg")));
}

void TestImageDialogs::helpLinks_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("path");
    QTest::newRow("image") << "TImageF"
                           << "/mv?&rid=32&id=60907";
    QTest::newRow("sized image") << "TImageWidthF"
                                 << "/mv?rid=32&id=60907";
    QTest::newRow("image link") << "TImageLinkF"
                                << "/mv?rid=32&id=60907";
}

void TestImageDialogs::helpLinks()
{
    QFETCH(QString, kind);
    QFETCH(QString, path);
    ShellCatcher shell;
    auto dialog = makeDialog(kind, {});
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QTest::mouseClick(child<HelpLink>(dialog.get(), "sWebLabel1"), Qt::LeftButton);
    QCOMPARE(shell.opened, QList<QUrl>{QUrl(site::homeAddress() + path)});
}

int main(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestImageDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_image_dialogs.moc"
