#include "core/steps.h"
#include "lesson.h"

#include <QtTest>
#include <limits>

using steps::Columns;

Q_DECLARE_METATYPE(Columns)

using lesson::workedExample;

class tst_Steps : public QObject
{
    Q_OBJECT

private slots:
    void xText_data();
    void xText();
    void stepColumn_data();
    void stepColumn();
    void figureArea_data();
    void figureArea();
    void triangleStripsAreTrapezoids();
    void pauseMs_data();
    void pauseMs();
};

void tst_Steps::xText_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << 0.0 << " 0.0";
    QTest::newRow("first step keeps its zero") << 0.5 << " 0.5";
    QTest::newRow("whole gets a decimal") << 1.0 << " 1.0";
    QTest::newRow("one and a half") << 1.5 << " 1.5";
    QTest::newRow("nine and a half") << 9.5 << " 9.5";
    QTest::newRow("end") << 10.0 << " 10.0";
}

void tst_Steps::xText()
{
    QFETCH(double, x);
    QFETCH(QString, text);
    QCOMPARE(steps::xText(x), text);
}

void tst_Steps::stepColumn_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("column");
    QTest::newRow("first step") << 0.5 << 0;
    QTest::newRow("end of column 0 still column 0") << 2.0 << 0;
    QTest::newRow("past the bound") << 2.5 << 1;
    QTest::newRow("end of column 1") << 4.0 << 1;
    QTest::newRow("into column 2") << 4.5 << 2;
    QTest::newRow("column 3") << 7.0 << 3;
    QTest::newRow("into column 4") << 8.5 << 4;
    QTest::newRow("last step") << 10.0 << 4;
}

void tst_Steps::stepColumn()
{
    QFETCH(double, x);
    QFETCH(int, column);
    QCOMPARE(steps::stepColumn(x), column);
}

void tst_Steps::figureArea_data()
{
    QTest::addColumn<Columns>("columns");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("area");
    // y = x²/2 over the triangle, then 4 cm² per cm over the bar.
    for (int x = 1; x <= 10; ++x) {
        QTest::addRow("worked example at %d", x)
            << workedExample << double(x) << lesson::workedExampleYs[x];
    }
    QTest::newRow("worked example at 0.5") << workedExample << 0.5 << 0.125;
    QTest::newRow("nothing crossed at the start") << workedExample << 0.0 << 0.0;
    QTest::newRow("five tall bars") << Columns { 3, 3, 3, 3, 3 } << 10.0 << 60.0;
    QTest::newRow("square after an empty column") << Columns { 0, 1, 0, 0, 0 } << 3.0 << 2.0;
    QTest::newRow("triangle over columns 2 to 4") << Columns { 0, 0, 4, 5, 6 } << 10.0 << 18.0;
    // What the blackboard shows decides: a lone middle or right column draws nothing, and a
    // code-4 column whose other two columns were emptied still draws its whole triangle.
    QTest::newRow("orphaned triangle columns show nothing")
        << Columns { 0, 0, 0, 5, 6 } << 10.0 << 0.0;
    QTest::newRow("triangle whose right columns were emptied")
        << Columns { 4, 5, 0, 0, 0 } << 10.0 << 18.0;
    // Two triangles overlapping in column 2: the taller right end of the first covers the
    // tip of the second there (10 cm² of the first, not 2 of the second).
    QTest::newRow("overlapping triangles") << Columns { 4, 5, 4, 5, 6 } << 10.0 << 34.0;
}

void tst_Steps::figureArea()
{
    QFETCH(Columns, columns);
    QFETCH(double, x);
    QFETCH(double, area);
    QCOMPARE(steps::figureArea(columns, x), area);
}

void tst_Steps::triangleStripsAreTrapezoids()
{
    // The triangle rises 1 cm per cm: the strip from d to d + 0.5 is a trapezoid with sides d
    // and d + 0.5, half a centimetre wide.
    for (int j = 1; j <= 12; ++j) {
        const double d = (j - 1) / 2.0;
        const double trapezoid = (d + (d + 0.5)) / 2 * 0.5;
        QCOMPARE(double(steps::stripArea(workedExample, j)), trapezoid);
    }
    // The 4 cm bar: 2 cm² per half centimetre.
    for (int n = 13; n <= 16; ++n)
        QCOMPARE(steps::stripArea(workedExample, n), 2.0f);
}

void tst_Steps::pauseMs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("ms");
    QTest::newRow("fastest of the list") << " 0" << 0;
    QTest::newRow("10") << "10" << 50;
    QTest::newRow("start value") << "50" << 250;
    QTest::newRow("slowest of the list") << "200" << 1000;
    QTest::newRow("garbage") << "fast" << 0;
    QTest::newRow("number then garbage") << "20km" << 100;
    QTest::newRow("negative") << "-5" << -25;
    QTest::newRow("half rounds to even") << "2.5" << 12;
    QTest::newRow("too many digits is clamped")
        << "99999999999" << std::numeric_limits<std::int32_t>::max();
    QTest::newRow("overflow is clamped") << "1e999" << std::numeric_limits<std::int32_t>::max();
    QTest::newRow("negative overflow") << "-1e999" << std::numeric_limits<std::int32_t>::min();
}

void tst_Steps::pauseMs()
{
    QFETCH(QString, text);
    QFETCH(int, ms);
    QCOMPARE(steps::pauseMs(text), ms);
}

QTEST_GUILESS_MAIN(tst_Steps)
#include "tst_steps.moc"
