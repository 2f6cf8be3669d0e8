#pragma once

#include "app/application.h"

#include <QApplication>
#include <QtTest>

/// A QApplication set up as the program sets up its own, for QTEST_* style mains.
#define KANSU_TEST_MAIN(TestObject)                                                                \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        setUpApplication(app);                                                                     \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

/// Compares colours by their RGB values and prints both on failure.
inline bool sameRgb(const QColor &a, const QColor &b)
{
    return (a.rgb() & 0xFFFFFF) == (b.rgb() & 0xFFFFFF);
}
