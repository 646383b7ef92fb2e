// The main function of the application tests: a private home folder in test mode, so that no
// test touches the user's files or another test's.
#pragma once

#include "platform/error_display.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace apptest {

// Errors that reached the error display while no test had its own handler: a test never blocks
// on a message box.
inline QStringList &unexpectedErrors()
{
    static QStringList errors;
    return errors;
}

inline void recordUnexpectedError(const QString &text)
{
    qWarning("error display: %s", qPrintable(text));
    unexpectedErrors().append(text);
}

// The program finds its language files beside itself; a test program gets the built ones.
inline void linkLanguageFolder()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/Language");
    if (!QFileInfo::exists(beside))
        QFile::link(QStringLiteral(RR_BUILD_DIR "/Language"), beside);
}

} // namespace apptest

#define RR_APP_TEST_MAIN(TestClass)                                                                \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QTemporaryDir home;                                                                        \
        qputenv("HOME", home.path().toLocal8Bit());                                                \
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());      \
        qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/.cache")).toLocal8Bit());        \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                \
        QApplication app(argc, argv);                                                              \
        QApplication::setApplicationName(QStringLiteral("Mirvale Rivi Razare"));                   \
        apptest::linkLanguageFolder();                                                             \
        errordisplay::setHandler(&apptest::recordUnexpectedError);                                 \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
