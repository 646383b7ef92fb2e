// The link dialog: the preview's two states, the radio buttons, following the link, OK.
#include "dialogs/help_link.h"
#include "dialogs/link_dialog.h"
#include "editor/highlighting_memo.h"
#include "markup/site.h"

#include "shell_catcher.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

class TestLinkDialog : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startsUnavailableAndEmpty();
    void previewFollowsBothFields_data();
    void previewFollowsBothFields();
    void radioButtonsReplaceTheAddress();
    void previewClickOpensTheAddress_data();
    void previewClickOpensTheAddress();
    void unavailablePreviewTakesNoClick();
    void okAlwaysInsertsTheLinkTag_data();
    void okAlwaysInsertsTheLinkTag();
    void cancelInsertsNothing();
    void helpLinkOpensTheHelpPage();
    void longTextStaysReadable();

private:
    template <class T> T *child(const char *name)
    {
        T *w = dialog->findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }

    TMemo *memo = nullptr;
    TLinkF *dialog = nullptr;
    std::unique_ptr<ShellCatcher> shell;
};

void TestLinkDialog::init()
{
    memo = new TMemo;
    dialog = new TLinkF([this] { return memo; });
    // Laid out and shown, so clicks land on the controls as a user's would.
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    shell = std::make_unique<ShellCatcher>(QStringList{"http", "https", "mailto"});
}

void TestLinkDialog::cleanup()
{
    shell.reset();
    delete dialog;
    delete memo;
}

void TestLinkDialog::startsUnavailableAndEmpty()
{
    auto *label = child<QLabel>("LabelLink");
    QVERIFY(!label->isEnabled());
    QCOMPARE(label->text(), QString());
    QCOMPARE(child<QLineEdit>("EditLink")->text(), QStringLiteral("http://"));
    QVERIFY(child<QRadioButton>("RadioButton1")->isChecked());
    QCOMPARE(dialog->objectName(), QStringLiteral("TLinkF"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Ссылка"));
}

void TestLinkDialog::previewFollowsBothFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("available");

    QTest::newRow("bare http prefix") << "Сайт"
                                      << "http://" << false;
    QTest::newRow("one character more") << "Сайт"
                                        << "http://a" << true;
    QTest::newRow("eight characters, no address") << "Сайт"
                                                  << "abcdefgh" << true;
    QTest::newRow("seven characters") << "Сайт"
                                      << "abcdefg" << false;
    QTest::newRow("bare mailto prefix") << "Почта"
                                        << "mailto:" << false;
    QTest::newRow("mail address") << "Почта"
                                  << "mailto:me@mirvale.example" << true;
    QTest::newRow("empty text") << ""
                                << "http://mirvale.example" << false;
    QTest::newRow("blank text counts") << " "
                                       << "http://mirvale.example" << true;
    QTest::newRow("markup shown as typed") << "<h2>Big</h2> &amp;"
                                           << "http://mirvale.example" << true;
}

void TestLinkDialog::previewFollowsBothFields()
{
    QFETCH(QString, text);
    QFETCH(QString, address);
    QFETCH(bool, available);

    // Start from the opposite state, so both fields' change notifications are exercised.
    child<QLineEdit>("EditText")->setText(available ? QString() : QStringLiteral("x"));
    child<QLineEdit>("EditLink")->setText(available ? QString() : QStringLiteral("http://x.x"));
    child<QLineEdit>("EditLink")->setText(address);
    child<QLineEdit>("EditText")->setText(text);

    auto *label = child<QLabel>("LabelLink");
    QCOMPARE(label->text(), text);
    // Shown as typed: markup in the text is never rendered as a heading or an entity.
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(label->isEnabled(), available);
    QCOMPARE(label->font().underline(), available);
    QCOMPARE(label->palette().color(QPalette::Active, QPalette::WindowText),
             available ? QColor(0, 0, 255) : QColor(0, 0, 0));
    // Unavailable, the preview is drawn greyed rather than in its black.
    QVERIFY(label->palette().color(QPalette::Disabled, QPalette::WindowText) != QColor(0, 0, 0));
    QCOMPARE(label->cursor().shape(), available ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QCOMPARE(label->toolTip(), available ? QStringLiteral("Щелкните для перехода по ссылке")
                                         : QStringLiteral("Ссылка недоступна"));
}

void TestLinkDialog::radioButtonsReplaceTheAddress()
{
    auto *address = child<QLineEdit>("EditLink");
    auto *url = child<QRadioButton>("RadioButton1");
    auto *mail = child<QRadioButton>("RadioButton2");
    child<QLineEdit>("EditText")->setText(QStringLiteral("Сайт"));
    address->setText(QStringLiteral("http://mirvale.example/typed"));

    QTest::mouseClick(mail, Qt::LeftButton);
    QCOMPARE(address->text(), QStringLiteral("mailto:"));
    QVERIFY(!child<QLabel>("LabelLink")->isEnabled());

    // Clicking the button that is already selected keeps what was typed.
    address->setText(QStringLiteral("mailto:me@mirvale.example"));
    QTest::mouseClick(mail, Qt::LeftButton);
    QCOMPARE(address->text(), QStringLiteral("mailto:me@mirvale.example"));

    QTest::mouseClick(url, Qt::LeftButton);
    QCOMPARE(address->text(), QStringLiteral("http://"));
}

void TestLinkDialog::previewClickOpensTheAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QUrl>("opened");
    QTest::newRow("web") << "http://mirvale.example/page"
                         << QUrl(QStringLiteral("http://mirvale.example/page"));
    QTest::newRow("mail") << "mailto:me@mirvale.example"
                          << QUrl(QStringLiteral("mailto:me@mirvale.example"));
    QTest::newRow("blank and Cyrillic encoded, the rest as typed")
        << "http://mirvale.example/a b?q=ж&r=%41#top"
        << QUrl::fromEncoded("http://mirvale.example/a%20b?q=%D0%B6&r=%41#top");
    QTest::newRow("no scheme") << "mirvale.example/page"
                               << QUrl(QStringLiteral("http://mirvale.example/page"));
    // No address holds a blank in its host name: nothing rather than another address.
    QTest::newRow("blank in the host") << "http://ex ample.com/" << QUrl();
}

void TestLinkDialog::previewClickOpensTheAddress()
{
    QFETCH(QString, address);
    QFETCH(QUrl, opened);
    child<QLineEdit>("EditText")->setText(QStringLiteral("Сайт"));
    child<QLineEdit>("EditLink")->setText(address);
    QTest::mouseClick(child<QLabel>("LabelLink"), Qt::LeftButton);
    QCOMPARE(shell->opened, opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{opened});
    if (!opened.isEmpty())
        QCOMPARE(shell->opened.first().toEncoded(), opened.toEncoded());
}

void TestLinkDialog::unavailablePreviewTakesNoClick()
{
    child<QLineEdit>("EditText")->setText(QStringLiteral("Сайт"));
    child<QLineEdit>("EditLink")->setText(QStringLiteral("http://"));
    QTest::mouseClick(child<QLabel>("LabelLink"), Qt::LeftButton);
    QVERIFY(shell->opened.isEmpty());
}

void TestLinkDialog::okAlwaysInsertsTheLinkTag_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tag");
    QTest::newRow("bare prefix, empty text") << "http://"
                                             << ""
                                             << "^url^http://^^";
    QTest::newRow("web") << "http://mirvale.example"
                         << "Сайт"
                         << "^url^http://mirvale.example^Сайт^";
    QTest::newRow("as typed") << " a^b "
                              << " ^ "
                              << "^url^ a^b ^ ^ ^";
}

void TestLinkDialog::okAlwaysInsertsTheLinkTag()
{
    QFETCH(QString, address);
    QFETCH(QString, text);
    QFETCH(QString, tag);
    memo->setText(QStringLiteral("ab"));
    QTextCursor c = memo->textCursor();
    c.setPosition(1);
    memo->setTextCursor(c);

    child<QLineEdit>("EditLink")->setText(address);
    child<QLineEdit>("EditText")->setText(text);
    QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);

    QCOMPARE(memo->text(), QStringLiteral("a") + tag + QStringLiteral("b"));
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(child<QPushButton>("Button1")->isDefault());
}

void TestLinkDialog::cancelInsertsNothing()
{
    memo->setText(QStringLiteral("Мой Сайт"));
    memo->selectAll();
    child<QLineEdit>("EditText")->setText(QStringLiteral("Сайт"));
    QTest::mouseClick(child<QPushButton>("Button2"), Qt::LeftButton);
    QCOMPARE(memo->text(), QStringLiteral("Мой Сайт"));
    QCOMPARE(memo->selectedText(), QStringLiteral("Мой Сайт"));
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
}

void TestLinkDialog::helpLinkOpensTheHelpPage()
{
    auto *help = child<HelpLink>("sWebLabel1");
    QCOMPARE(help->text(), QStringLiteral("Помощь"));
    QTest::mouseClick(help, Qt::LeftButton);
    QCOMPARE(shell->opened,
             QList<QUrl>{QUrl(site::homeAddress() + QStringLiteral("/mv?rid=32&id=60907"))});
    QCOMPARE(shell->opened.first().host(), QUrl(site::homeAddress()).host());
}

void TestLinkDialog::longTextStaysReadable()
{
    const QString text(200, QLatin1Char('W'));
    child<QLineEdit>("EditText")->setText(text);
    auto *label = child<QLabel>("LabelLink");
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    QVERIFY(label->text().endsWith(QChar(0x2026)));
}

QTEST_MAIN(TestLinkDialog)
#include "tst_link_dialog.moc"
