// The main function of the application tests: a private home folder in test mode, so that no
// test touches the user's files or another test's.
#pragma once

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#define RR_APP_TEST_MAIN(TestClass)                                                                \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QTemporaryDir home;                                                                        \
        qputenv("HOME", home.path().toLocal8Bit());                                                \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                \
        QApplication app(argc, argv);                                                              \
        QApplication::setApplicationName(QStringLiteral("Mirvale Rivi Razare"));                   \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
