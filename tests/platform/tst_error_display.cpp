// The application error display: the full-stop rule, the caption and the test handler.
#include "platform/error_display.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestErrorDisplay : public QObject
{
    Q_OBJECT

private slots:
    void withFullStop_data();
    void withFullStop();
    void handlerGetsTheFinalText();
    void criticalBoxWithTitle();
};

void TestErrorDisplay::withFullStop_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("letter") << u"Error"_s << u"Error."_s;
    QTest::newRow("cyrillic letter") << u"Ошибка"_s << u"Ошибка."_s;
    QTest::newRow("digit") << u"Code 42"_s << u"Code 42."_s;
    QTest::newRow("full stop") << u"Done."_s << u"Done."_s;
    QTest::newRow("closing parenthesis") << u"Failed (5)"_s << u"Failed (5)"_s;
    QTest::newRow("quotation mark")
        << u"Cannot open file \"a.mv\""_s << u"Cannot open file \"a.mv\""_s;
    QTest::newRow("exclamation mark") << u"Stop!"_s << u"Stop!"_s;
    QTest::newRow("comma") << u"a,"_s << u"a,"_s;
    QTest::newRow("hyphen") << u"a-"_s << u"a-"_s;
    QTest::newRow("blank") << u"a "_s << u"a "_s;
    QTest::newRow("slash is above the full stop") << u"path/"_s << u"path/."_s;
    QTest::newRow("question mark is above") << u"Why?"_s << u"Why?."_s;
    QTest::newRow("colon is above") << u"Reason:"_s << u"Reason:."_s;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("open error") << u"Cannot open file \"/x/a.mv\". No such file or directory"_s
                                << u"Cannot open file \"/x/a.mv\". No such file or directory."_s;
    QTest::newRow("write error") << u"Unable to write to /x/Settings.ini"_s
                                 << u"Unable to write to /x/Settings.ini."_s;
}

void TestErrorDisplay::withFullStop()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(errordisplay::withFullStop(text), shown);
}

static QStringList g_shown;

void TestErrorDisplay::handlerGetsTheFinalText()
{
    g_shown.clear();
    const errordisplay::Handler before =
        errordisplay::setHandler([](const QString &text) { g_shown << text; });
    errordisplay::show(u"Ошибка"_s);
    errordisplay::show(u"Done."_s);
    const errordisplay::Handler mine = errordisplay::setHandler(before);
    QVERIFY(mine != nullptr);
    QCOMPARE(g_shown, (QStringList{u"Ошибка."_s, u"Done."_s}));
}

void TestErrorDisplay::criticalBoxWithTitle()
{
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = true;
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->accept();
    });
    errordisplay::show(u"Текст ошибки"_s);
    QVERIFY(seen);
    QCOMPARE(title, u"Mirvale Rivi Razare"_s);
    QCOMPARE(text, u"Текст ошибки."_s);
    QCOMPARE(icon, QMessageBox::Critical);
}

QTEST_MAIN(TestErrorDisplay)
#include "tst_error_display.moc"
