#pragma once

#include "app/application.h"

#include <QApplication>
#include <QSet>
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

/// Colours of the picture that are not among `allowed`: antialiasing or scaling would add some.
inline QSet<QRgb> strayColours(const QImage &picture, std::initializer_list<QColor> allowed)
{
    QSet<QRgb> ok;
    for (const QColor &c : allowed)
        ok.insert(c.rgb() & 0xFFFFFF);
    QSet<QRgb> stray;
    for (int j = 0; j < picture.height(); ++j) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(j));
        for (int i = 0; i < picture.width(); ++i) {
            if (!ok.contains(line[i] & 0xFFFFFF))
                stray.insert(line[i] & 0xFFFFFF);
        }
    }
    return stray;
}

/// The colours' names, sorted, the first twelve.
inline QString colourList(const QSet<QRgb> &set)
{
    QStringList names;
    for (QRgb c : set)
        names << QColor(c).name();
    names.sort();
    if (names.size() > 12)
        names = names.mid(0, 12) << QStringLiteral("…");
    return names.join(u' ');
}

/// A colour check that prints both colours when they differ.
#define KANSU_COMPARE_RGB(actual, expected)                                                        \
    QVERIFY2(sameRgb((actual), (expected)),                                                        \
             qPrintable(QStringLiteral("%1 is %2, expected %3")                                    \
                            .arg(QLatin1String(#actual), QColor(actual).name(),                    \
                                 QColor(expected).name())))

/// Calls a checking helper and ends the test function at once if one of its checks failed.
#define KANSU_CHECK(call)                                                                          \
    do {                                                                                           \
        call;                                                                                      \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

/// A colour that must not be there; prints the colour found.
#define KANSU_DIFFER_RGB(actual, unexpected)                                                       \
    QVERIFY2(!sameRgb((actual), (unexpected)),                                                     \
             qPrintable(QStringLiteral("%1 is %2, expected anything else")                         \
                            .arg(QLatin1String(#actual), QColor(actual).name())))

/// Where two pictures differ first: their sizes, or the device pixel and both colours; empty
/// when they are the same.
inline QString pictureDifference(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1 x %2, expected %3 x %4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    int differing = 0;
    QString first;
    for (int j = 0; j < actual.height(); ++j) {
        for (int i = 0; i < actual.width(); ++i) {
            const QRgb a = actual.pixel(i, j) & 0xFFFFFF, e = expected.pixel(i, j) & 0xFFFFFF;
            if (a != e && differing++ == 0)
                first = QStringLiteral("device pixel (%1, %2) is %3, expected %4")
                            .arg(i)
                            .arg(j)
                            .arg(QColor(a).name(), QColor(e).name());
        }
    }
    return differing ? QStringLiteral("%1 pixels differ, first %2").arg(differing).arg(first)
                     : QString();
}

/// Compares two pictures pixel by pixel and names the first pixel that differs.
#define KANSU_COMPARE_PICTURE(actual, expected)                                                    \
    do {                                                                                           \
        const QString difference = pictureDifference((actual), (expected));                        \
        QVERIFY2(difference.isEmpty(), qPrintable(difference));                                    \
    } while (false)

/// A line two pixels wide lies on one of two neighbouring pixels: either must have its colour.
#define KANSU_COMPARE_EITHER_RGB(first, second, expected)                                          \
    QVERIFY2(                                                                                      \
        sameRgb((first), (expected)) || sameRgb((second), (expected)),                             \
        qPrintable(QStringLiteral("%1 is %2 and %3 is %4, expected %5 in either")                  \
                       .arg(QLatin1String(#first), QColor(first).name(), QLatin1String(#second),   \
                            QColor(second).name(), QColor(expected).name())))
