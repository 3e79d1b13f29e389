#pragma once

#include <QApplication>
#include <QLocale>
#include <QTest>

// QTEST_MAIN with the locale pinned to en_US, whatever the machine's is, so
// that short dates read M/d/yyyy and amounts use a point.
#define BRAMBLEWOOD_TEST_MAIN(TestClass)                                                           \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));                    \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
