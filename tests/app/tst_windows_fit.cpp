// Every window of the program in each shipped language: no caption cut short, no control
// outside its window. Set RR_GALLERY_DIR to also get a picture of each window there.
#include "app_test_main.h"

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/startup.h"
#include "dialogs/image_dialogs.h"
#include "dialogs/line_format_dialog.h"
#include "dialogs/link_dialog.h"
#include "dialogs/nick_builder.h"
#include "dialogs/run_line_dialog.h"
#include "dialogs/tag_help_window.h"
#include "editor/find_replace_dialog.h"
#include "editor/finish_window.h"
#include "options/options_dialog.h"
#include "options/relabel_table.h"
#include "platform/app_paths.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

class TstWindowsFit : public QObject
{
    Q_OBJECT

    startup::Windows windows;

    QList<QWidget *> allWindows() const
    {
        return {windows.mainWindow,
                windows.tagHelp,
                windows.link,
                windows.image,
                windows.imageWidth,
                windows.imageLink,
                windows.runLine,
                windows.about,
                windows.mainWindow->findChild<TFinishF *>(),
                windows.mainWindow->findChild<FindDialog *>(),
                windows.mainWindow->findChild<ReplaceDialog *>(),
                windows.lineFormat,
                windows.nick,
                windows.options};
    }

    static QString textWithoutMnemonic(QString text)
    {
        return text.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
            .remove(QLatin1Char('&'))
            .replace(QLatin1Char('\x01'), QLatin1Char('&'));
    }

    // What is wrong with one control, or nothing.
    static QString fault(QWidget *window, QWidget *control)
    {
        const QRect inWindow(control->mapTo(window, QPoint(0, 0)), control->size());
        if (!window->rect().contains(inWindow))
            return QStringLiteral("lies outside its window");
        // Qt shows this button when a toolbar has hidden some of its items.
        if (control->objectName() == QLatin1String("qt_toolbar_ext_button"))
            return QStringLiteral("toolbar too narrow for its items");
        const QFontMetrics metrics = control->fontMetrics();
        if (auto *label = qobject_cast<QLabel *>(control)) {
            if (label->wordWrap() || label->text().isEmpty() || label->hasScaledContents())
                return {};
            if (label->sizeHint().width() > label->width())
                return QStringLiteral("text \"%1\" cut short").arg(label->text());
        } else if (auto *box = qobject_cast<QCheckBox *>(control)) {
            if (box->sizeHint().width() > box->width())
                return QStringLiteral("text \"%1\" cut short").arg(box->text());
        } else if (auto *radio = qobject_cast<QRadioButton *>(control)) {
            if (radio->sizeHint().width() > radio->width())
                return QStringLiteral("text \"%1\" cut short").arg(radio->text());
        } else if (auto *button = qobject_cast<QPushButton *>(control)) {
            const QString text = textWithoutMnemonic(button->text());
            const int iconWidth = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            if (metrics.horizontalAdvance(text) + iconWidth + 6 > button->width())
                return QStringLiteral("text \"%1\" cut short").arg(text);
        } else if (auto *group = qobject_cast<QGroupBox *>(control)) {
            if (metrics.horizontalAdvance(textWithoutMnemonic(group->title())) + 8 > group->width())
                return QStringLiteral("title \"%1\" cut short").arg(group->title());
        } else if (auto *tabs = qobject_cast<QTabBar *>(control)) {
            for (int i = 0; i < tabs->count(); ++i) {
                const int iconWidth = tabs->tabIcon(i).isNull() ? 0 : tabs->iconSize().width() + 4;
                if (tabs->isTabVisible(i) &&
                    tabs->tabRect(i).width() <
                        metrics.horizontalAdvance(tabs->tabText(i)) + iconWidth + 8)
                    return QStringLiteral("tab \"%1\" cut short").arg(tabs->tabText(i));
            }
        }
        return {};
    }

    void chooseLanguage(const QString &file)
    {
        auto *box = windows.options->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
        box->setEditText(file);
    }

private slots:
    void initTestCase()
    {
        TSplashF splash;
        windows = startup::createWindows(splash);
        QVERIFY(windows.mainWindow);
    }

    void cleanupTestCase() { delete windows.mainWindow; }

    void nothingIsCutShort_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Russian") << QStringLiteral("Russian.lng");
        QTest::newRow("English") << QStringLiteral("English.lng");
    }

    void nothingIsCutShort()
    {
        QFETCH(QString, language);
        chooseLanguage(language);
        const QString gallery = qEnvironmentVariable("RR_GALLERY_DIR");
        if (!gallery.isEmpty())
            QDir().mkpath(gallery);
        QStringList faults;
        const auto check = [&](QWidget *window, const QString &pictureName) {
            // Windows that grow to their texts do so on the layout request that follows.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QCoreApplication::processEvents();
            for (QWidget *control : window->findChildren<QWidget *>()) {
                if (!control->isVisibleTo(window) || control->isWindow() ||
                    control->window() != window)
                    continue;
                // These end in "…" and show the whole text as a tooltip.
                if (control->inherits("ElidingLabel"))
                    continue;
                const QString problem = fault(window, control);
                if (!problem.isEmpty())
                    faults << QStringLiteral("%1 / %2 (%3): %4")
                                  .arg(pictureName, control->objectName(),
                                       QString::fromLatin1(control->metaObject()->className()),
                                       problem);
            }
            if (!gallery.isEmpty())
                window->grab().save(QStringLiteral("%1/%2-%3.png")
                                        .arg(gallery, QFileInfo(language).baseName(), pictureName));
        };
        for (QWidget *window : allWindows()) {
            QVERIFY(window);
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            if (window == windows.mainWindow) {
                QTabWidget *pages = windows.mainWindow->pageControl();
                for (int i = 0; i < pages->count(); ++i) {
                    if (!pages->isTabVisible(i))
                        continue;
                    pages->setCurrentIndex(i);
                    check(window, QStringLiteral("TForm1-%1").arg(pages->widget(i)->objectName()));
                }
                pages->setCurrentWidget(windows.mainWindow->editorPage());
            } else {
                check(window, window->objectName());
            }
            window->hide();
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // Captions of the longest length a language file gives: every window stays within the
    // screen's available area, with every control inside it.
    void longestCaptionsKeepEveryWindowOnTheScreen()
    {
        QStringList sections;
        QHash<QString, QString> lines;
        for (const relabel::Step &step : relabel::allSteps()) {
            if (step.isCopy())
                continue;
            const QString section = QLatin1String(step.section);
            if (!sections.contains(section))
                sections << section;
            lines[section] += QStringLiteral("%1=%2\r\n")
                                  .arg(QLatin1String(step.key),
                                       QString(2047, QLatin1Char(section.at(0).toLatin1())));
        }
        QString text;
        for (const QString &section : sections)
            text += QStringLiteral("[%1]\r\n").arg(section) + lines.value(section);
        const QString name = QStringLiteral("Long%1.lng").arg(QCoreApplication::applicationPid());
        const QString path = apppaths::languageFolder() + QLatin1Char('/') + name;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.toLatin1());
        file.close();
        chooseLanguage(name);
        QFile::remove(path);

        QStringList faults;
        for (QWidget *window : allWindows()) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QCoreApplication::processEvents();
            const QRect area = window->screen()->availableGeometry();
            if (window->frameGeometry().width() > area.width() ||
                window->frameGeometry().height() > area.height())
                faults << QStringLiteral("%1 is %2 by %3")
                              .arg(window->objectName())
                              .arg(window->frameGeometry().width())
                              .arg(window->frameGeometry().height());
            for (auto *button : window->findChildren<QAbstractButton *>()) {
                const QRect inWindow(button->mapTo(window, QPoint(0, 0)), button->size());
                if (button->isVisibleTo(window) && button->window() == window &&
                    !window->rect().contains(inWindow))
                    faults << QStringLiteral("%1 / %2 lies outside its window")
                                  .arg(window->objectName(), button->objectName());
            }
            if (const QString gallery = qEnvironmentVariable("RR_GALLERY_DIR"); !gallery.isEmpty())
                window->grab().save(
                    QStringLiteral("%1/Long-%2.png").arg(gallery, window->objectName()));
            window->hide();
        }
        // A caption cut short shows whole as the tool tip, until a language fits again.
        auto *ok = windows.link->findChild<QPushButton *>(QStringLiteral("Button1"));
        QCOMPARE(ok->toolTip(), ok->text());
        chooseLanguage(QStringLiteral("Russian.lng"));
        QVERIFY(ok->toolTip().isEmpty());
        QCOMPARE(ok->maximumWidth(), QWIDGETSIZE_MAX);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

RR_APP_TEST_MAIN(TstWindowsFit)
#include "tst_windows_fit.moc"
