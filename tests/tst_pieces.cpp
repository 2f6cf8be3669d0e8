#include "lesson.h"
#include "windowtest.h"

#include <memory>

using namespace lesson;

namespace {

struct Segment
{
    QPointF from, to;
};

Segment segmentOf(const PanelLine *l)
{
    return { QPointF(l->x1(), l->y1()), QPointF(l->x2(), l->y2()) };
}

} // namespace

class tst_Pieces : public WindowTest
{
    Q_OBJECT

private slots:
    void boxPieces_data();
    void boxPieces();
    void triangle_data();
    void triangle();
    void farAnchorDoesNotWrap();
    void gridLines();
    void tickingGridDrawsItOverTheFigure();
    void untickingGridRedrawsFigureWithoutIt();
};

void tst_Pieces::boxPieces_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QPoint>("anchor");
    QTest::addColumn<int>("height");

    // Each piece stands in a 120-pixel box from its anchor: base on y + 120, left side on x.
    QTest::newRow("square at home") << 1 << QPoint(300, 5) << 40;
    QTest::newRow("short bar at home") << 2 << QPoint(350, 5) << 80;
    QTest::newRow("tall bar at home") << 3 << QPoint(400, 5) << 120;
    QTest::newRow("square at B") << 1 << QPoint(300, 180) << 40;
    QTest::newRow("tall bar at B reaches AD") << 3 << QPoint(300, 180) << 120;
    QTest::newRow("short bar off the top left") << 2 << QPoint(-30, -100) << 80;
}

// Clockwise from the top-left corner: top, right side, bottom, left side.
void tst_Pieces::boxPieces()
{
    QFETCH(int, code);
    QFETCH(QPoint, anchor);
    QFETCH(int, height);
    const std::int16_t x = std::int16_t(anchor.x()), y = std::int16_t(anchor.y());
    if (code == 1)
        probe->koma1(x, y);
    else if (code == 2)
        probe->koma2(x, y);
    else
        probe->koma3(x, y);
    std::array<PanelLine *, 4> lines {};
    for (int i = 0; i < 4; ++i)
        lines[i] = code == 1 ? probe->line(6, i)
            : code == 2      ? probe->line(7, i)
                             : probe->line(9, i);
    const QPointF topLeft(anchor.x(), anchor.y() + 120 - height);
    const QPointF topRight = topLeft + QPointF(40, 0);
    const QPointF bottomRight(anchor.x() + 40, anchor.y() + 120);
    const QPointF bottomLeft(anchor.x(), anchor.y() + 120);
    const Segment expected[] = { { topLeft, topRight },
                                 { topRight, bottomRight },
                                 { bottomRight, bottomLeft },
                                 { bottomLeft, topLeft } };
    for (int i = 0; i < 4; ++i) {
        const Segment s = segmentOf(lines[i]);
        QCOMPARE(s.from, expected[i].from);
        QCOMPARE(s.to, expected[i].to);
    }
}

void tst_Pieces::triangle_data()
{
    QTest::addColumn<QPoint>("anchor");
    QTest::newRow("at home") << QPoint(450, 5);
    QTest::newRow("at B") << QPoint(300, 180);
    QTest::newRow("off the top left") << QPoint(-75, -75);
}

// Right angle at the bottom right: the base, the upright leg, the slope back to the tip.
void tst_Pieces::triangle()
{
    QFETCH(QPoint, anchor);
    probe->koma4(std::int16_t(anchor.x()), std::int16_t(anchor.y()));
    const QPointF tip(anchor.x(), anchor.y() + 120);
    const QPointF corner(anchor.x() + 120, anchor.y() + 120);
    const QPointF top(anchor.x() + 120, anchor.y());
    const Segment expected[] = { { tip, corner }, { corner, top }, { top, tip } };
    for (int i = 0; i < 3; ++i) {
        const Segment s = segmentOf(probe->line(8, i));
        QCOMPARE(s.from, expected[i].from);
        QCOMPARE(s.to, expected[i].to);
    }
}

void tst_Pieces::farAnchorDoesNotWrap()
{
    // An anchor at the largest 16-bit x must not send the far end round to the other side.
    probe->koma4(32767, 0);
    const Segment base = segmentOf(probe->line(8, 0));
    QVERIFY(base.to.x() >= base.from.x());
    probe->koma3(0, 32767);
    const Segment side = segmentOf(probe->line(9, 1));
    QVERIFY(side.to.y() >= side.from.y());
}

// 1 cm squares over the band of the rectangle: black lines 20 pixels apart, 7 across from x 20
// to 580 and 31 down from y 180 to 300, one pixel wide, the board's pen left as it was.
void tst_Pieces::gridLines()
{
    PicturePanel *board = probe->control<PicturePanel>("kokuban");
    const QColor pen = board->foreColor();
    probe->hougan();
    QCOMPARE(board->drawWidth(), 2);
    KANSU_COMPARE_RGB(board->foreColor(), pen);

    auto isBlack = [&](int x, int y) { return sameRgb(board->pixel(x, y), black); };
    // A 1-pixel line at an integer coordinate covers one of the two pixels beside it.
    auto lineAtRow = [&](int x, int g) { return isBlack(x, g) != isBlack(x, g - 1); };
    auto lineAtColumn = [&](int g, int y) { return isBlack(g, y) != isBlack(g - 1, y); };
    for (int g = 180; g <= 300; g += 20) {
        for (int x = 30; x < 580; x += 20) {
            QVERIFY2(lineAtRow(x, g), qPrintable(QStringLiteral("row %1 at x %2").arg(g).arg(x)));
            if (g < 300) // inside the cell below
                QVERIFY(!isBlack(x, g + 10) && !isBlack(x + 5, g + 5));
        }
        QVERIFY(!isBlack(10, g) && !isBlack(15, g - 1));
        QVERIFY(!isBlack(590, g) && !isBlack(590, g - 1));
    }
    const int width = board->pictureSize().width();
    for (int g = 20; g <= 620 && g < width; g += 20) {
        for (int y = 190; y < 300; y += 20)
            QVERIFY2(lineAtColumn(g, y), qPrintable(QStringLiteral("column %1").arg(g)));
        QVERIFY(!isBlack(g, 170) && !isBlack(g, 310));
    }
}

void tst_Pieces::tickingGridDrawsItOverTheFigure()
{
    probe->control<PicturePanel>("kokuban")->setForeColor(QColor(255, 255, 0));
    probe->retsu() = { 3, 0, 0, 0, 0 };
    probe->nuri(260); // a tall bar wholly left of AB, white
    PicturePanel *board = probe->control<PicturePanel>("kokuban");
    KANSU_COMPARE_RGB(board->pixel(270, 240), Qt::white);
    probe->control<QCheckBox>("Check1")->setChecked(true);
    KANSU_COMPARE_EITHER_RGB(board->pixel(270, 240), board->pixel(270, 239), black);
    KANSU_COMPARE_RGB(board->pixel(270, 250), Qt::white);
}

void tst_Pieces::untickingGridRedrawsFigureWithoutIt()
{
    PicturePanel *board = probe->control<PicturePanel>("kokuban");
    board->setForeColor(QColor(255, 255, 0));
    probe->retsu() = { 4, 5, 6, 2, 0 };
    probe->Px() = 240; // part-way: the triangle split by AB
    probe->nuri(240);
    const QImage withoutGrid = board->picture();
    probe->control<QCheckBox>("Check1")->setChecked(true);
    QVERIFY(board->picture() != withoutGrid);
    probe->control<QCheckBox>("Check1")->setChecked(false);
    KANSU_COMPARE_PICTURE(board->picture(), withoutGrid);
}

KANSU_TEST_MAIN(tst_Pieces)
#include "tst_pieces.moc"
