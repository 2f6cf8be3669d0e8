// What a press, a drag and a release mean on the blackboard, without a window: this test links
// only the pure computations. Places are the lesson's: the palette's pieces wait at x 300
// (square), 350 (short bar), 400 (tall bar) and 450 (triangle, 6 cm wide) above y 150; the figure's
// columns are 2 cm (40 px) wide from B at x 300; AD lies at y 180 and BC at y 300.
#include "core/figurecolumns.h"

#include <QtTest>

using figurecolumns::Columns;

Q_DECLARE_METATYPE(Columns)

class tst_FigureColumns : public QObject
{
    Q_OBJECT

private slots:
    void paletteHit_data();
    void paletteHit();
    void columnAt_data();
    void columnAt();
    void anchorFor_data();
    void anchorFor();
    void drop_data();
    void drop();
};

void tst_FigureColumns::paletteHit_data()
{
    QTest::addColumn<QPointF>("press");
    QTest::addColumn<int>("code");
    QTest::newRow("the square") << QPointF(320, 60) << 1;
    QTest::newRow("between square and short bar") << QPointF(345, 60) << 0;
    QTest::newRow("the short bar") << QPointF(370, 60) << 2;
    QTest::newRow("the tall bar") << QPointF(420, 60) << 3;
    QTest::newRow("the triangle's far end") << QPointF(565, 60) << 4;
    QTest::newRow("on the square's left edge") << QPointF(300, 60) << 0;
    QTest::newRow("below the palette band") << QPointF(320, 150) << 0;
}

void tst_FigureColumns::paletteHit()
{
    QFETCH(QPointF, press);
    QFETCH(int, code);
    QCOMPARE(figurecolumns::paletteHit(press.x(), press.y()), code);
}

void tst_FigureColumns::columnAt_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("column");
    QTest::newRow("first column") << 310.0 << 0;
    QTest::newRow("on a column bound") << 340.0 << -1;
    QTest::newRow("last column") << 495.0 << 4;
    QTest::newRow("on C") << 500.0 << -1;
    QTest::newRow("left of B") << 299.0 << -1;
}

void tst_FigureColumns::columnAt()
{
    QFETCH(double, x);
    QFETCH(int, column);
    QCOMPARE(figurecolumns::columnAt(x), column);
    // Over the figure's band only, between AD and BC.
    QCOMPARE(figurecolumns::figureColumnAt(x, 250), column);
    QCOMPARE(figurecolumns::figureColumnAt(x, 180), -1);
    QCOMPARE(figurecolumns::figureColumnAt(x, 300), -1);
}

void tst_FigureColumns::anchorFor_data()
{
    // A bar hangs by its centre under the pointer; its 120-pixel box's base is 120 below the
    // anchor, so the anchor is half a column left and (120 - half the height) above.
    QTest::addColumn<double>("code");
    QTest::addColumn<QPoint>("anchor");
    QTest::newRow("square, 2 cm high") << 1.0 << QPoint(300, 100);
    QTest::newRow("short bar, 4 cm high") << 2.0 << QPoint(300, 120);
    QTest::newRow("tall bar, 6 cm high") << 3.0 << QPoint(300, 140);
    QTest::newRow("triangle") << 4.0 << QPoint(245, 125);
}

void tst_FigureColumns::anchorFor()
{
    QFETCH(double, code);
    QFETCH(QPoint, anchor);
    const figurecolumns::Anchor a = figurecolumns::anchorFor(code, 320, 200);
    QCOMPARE(QPoint(a.x, a.y), anchor);
}

void tst_FigureColumns::drop_data()
{
    QTest::addColumn<Columns>("before");
    QTest::addColumn<double>("code");
    QTest::addColumn<int>("column");
    QTest::addColumn<Columns>("after");
    QTest::newRow("bar into an empty column")
        << Columns {} << 3.0 << 4 << Columns { 0, 0, 0, 0, 3 };
    QTest::newRow("bar onto a filled column") << Columns { 1 } << 2.0 << 0 << Columns { 1 };
    QTest::newRow("triangle over three columns")
        << Columns {} << 4.0 << 1 << Columns { 4, 5, 6, 0, 0 };
    QTest::newRow("triangle at the edge") << Columns {} << 4.0 << 4 << Columns {};
    QTest::newRow("triangle beside a triangle takes it off whole")
        << Columns { 4, 5, 6, 0, 0 } << 4.0 << 3 << Columns { 0, 0, 4, 5, 6 };
    QTest::newRow("nowhere") << Columns { 2 } << 1.0 << -1 << Columns { 2 };
}

void tst_FigureColumns::drop()
{
    QFETCH(Columns, before);
    QFETCH(double, code);
    QFETCH(int, column);
    QFETCH(Columns, after);
    Columns columns = before;
    QCOMPARE(figurecolumns::drop(columns, code, column), after != before);
    QCOMPARE(columns, after);
}

QTEST_GUILESS_MAIN(tst_FigureColumns)
#include "tst_figurecolumns.moc"
