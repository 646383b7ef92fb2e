// The About window: the error report mail, its failure message, the links and their colours.
#include "app_test_main.h"

#include "app/about_window.h"
#include "markup/site.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrlQuery>

// Stands in for the shell: records what it is asked to open.
class Shell : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TstAboutWindow : public QObject
{
    Q_OBJECT

private:
    Shell m_shell;
    QStringList m_messages;

    void catchScheme(const QString &scheme, const char *slot)
    {
        QDesktopServices::setUrlHandler(scheme, &m_shell, slot);
    }

private slots:
    void init()
    {
        m_shell.opened.clear();
        m_messages.clear();
        for (const char *scheme : {"mailto", "http", "https"})
            catchScheme(QString::fromLatin1(scheme), "open");
    }

    void cleanup()
    {
        for (const char *scheme : {"mailto", "http", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    void errorReportIsAMailToTheMaker()
    {
        TAboutF about;
        about.showMessage = [this](const QString &text) { m_messages << text; };
        about.findChild<QPushButton *>(QStringLiteral("Button2"))->click();
        QCOMPARE(m_shell.opened.size(), 1);
        const QUrl mail = m_shell.opened.first();
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
        QCOMPARE(mail.path(), site::makerMail());
        const QUrlQuery query(mail);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("Ошибка приложения Scribel Mirvale Edition. Version 1.4.1 "
                                "Scribel Mirvale Edition"));
        QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 QStringLiteral("Уважаемый автор программы Scribel Mirvale Edition!\r"
                                "Мною была обнаружена ошибка. Адрес ошибки - ..."));
        QVERIFY(m_messages.isEmpty());
        // "%0d" is the only escape; everything else stands as it is.
        QCOMPARE(TAboutF::errorReportLink(QStringLiteral("V"), QStringLiteral("E")),
                 QStringLiteral("mailto:") + site::makerMail() +
                     QStringLiteral("?subject=Ошибка приложения Scribel Mirvale Edition. V E"
                                    "&body=Уважаемый автор программы Scribel Mirvale Edition!%0d"
                                    "Мною была обнаружена ошибка. Адрес ошибки - ..."));
    }

    void failedReportSaysSo()
    {
        // A handler that cannot be called makes the shell report failure.
        catchScheme(QStringLiteral("mailto"), "noSuchSlot");
        TAboutF about;
        about.showMessage = [this](const QString &text) { m_messages << text; };
        about.Button2Click();
        QCOMPARE(m_messages, QStringList{QStringLiteral("Авто метод потерпел неудачу.")});
    }

    void linksOpenTheirAddresses_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("address");
        QTest::newRow("mail") << "Label4" << QStringLiteral("mailto:") + site::makerMail();
        QTest::newRow("developer") << "Label9" << site::developerWapSite();
        QTest::newRow("maker") << "Label10" << site::makerSite();
        QTest::newRow("home page") << "Label11" << site::programHomePage();
    }

    void linksOpenTheirAddresses()
    {
        QFETCH(QString, label);
        QFETCH(QString, address);
        TAboutF about;
        about.show();
        QTest::mouseClick(about.findChild<QLabel *>(label), Qt::LeftButton);
        QCOMPARE(m_shell.opened, QList<QUrl>{QUrl(address)});
        QVERIFY(address.contains(QStringLiteral(".example")));
    }

    void linksTurnRedUnderTheMouse()
    {
        TAboutF about;
        auto *site = about.findChild<QLabel *>(QStringLiteral("Label10"));
        auto *home = about.findChild<QLabel *>(QStringLiteral("Label11"));
        const auto colour = [](QLabel *label) {
            return label->palette().color(QPalette::WindowText);
        };
        QCOMPARE(colour(site), QColor(Qt::blue));
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), site->mapToGlobal(QPointF(2, 2)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(site, &move);
        QCOMPARE(colour(site), QColor(Qt::red));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(site, &leave);
        QApplication::sendEvent(home, &move);
        QCOMPARE(colour(site), QColor(Qt::blue));
        QCOMPARE(colour(home), QColor(Qt::red));
    }

    void enterCloses()
    {
        TAboutF about;
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        auto *close = about.findChild<QPushButton *>(QStringLiteral("Button1"));
        QVERIFY(close->hasFocus());
        QVERIFY(close->isDefault());
        QTest::keyClick(&about, Qt::Key_Return);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }
};

RR_APP_TEST_MAIN(TstAboutWindow)
#include "tst_about_window.moc"
