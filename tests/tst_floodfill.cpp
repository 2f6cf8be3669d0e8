#include "lesson.h"
#include "testsupport.h"
#include "toolkit/picture.h"

#include <deque>
#include <random>

using namespace lesson;

// The border fill that paints the figure: it must stop exactly at outlines of the border colour
// and must paint every pixel it reaches, whatever colour that pixel had.
class tst_FloodFill : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void linesFollowThePixelRule();
    void fillsClosedOutline_data();
    void fillsClosedOutline();
    void paintsOverOtherColours();
    void passesThroughPixelsOfTheFillColour();
    void paintsNothing_data();
    void paintsNothing();
    void keepsFillingAfterManyFills();
    void paintsExactlyTheAreaItsSeedReaches_data();
    void paintsExactlyTheAreaItsSeedReaches();

private:
    // Counts the pixels of `color` in the rectangle.
    int count(const QRect &area, const QColor &color) const;
    void square(int left, int top, int size);

    Picture picture;
};

void tst_FloodFill::init()
{
    picture = Picture();
    picture.setBackColor(boardGreen);
    picture.resize(QSize(400, 400), 1);
    picture.clear();
    picture.setForeColor(yellow);
    picture.setDrawWidth(2);
    picture.setFillStyle(Picture::FillStyle::Solid);
    picture.setFillColor(white);
}

int tst_FloodFill::count(const QRect &area, const QColor &color) const
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += sameRgb(picture.pixel(x, y), color);
    return n;
}

void tst_FloodFill::square(int left, int top, int size)
{
    picture.line(QPointF(left, top + size), QPointF(left + size, top + size));
    picture.lineTo(QPointF(left + size, top));
    picture.lineTo(QPointF(left, top));
    picture.lineTo(QPointF(left, top + size));
}

void tst_FloodFill::linesFollowThePixelRule()
{
    QCOMPARE(picture.size(), QSize(400, 400));
    // A 2-pixel line covers the pixels whose centres lie inside the stroke: the row above the
    // line's y and the row of it.
    picture.line(QPointF(20, 300), QPointF(200, 300));
    QVERIFY(sameRgb(picture.pixel(100, 298), boardGreen));
    QVERIFY(sameRgb(picture.pixel(100, 299), yellow));
    QVERIFY(sameRgb(picture.pixel(100, 300), yellow));
    QVERIFY(sameRgb(picture.pixel(100, 301), boardGreen));
    picture.line(QPointF(300, 100), QPointF(300, 200));
    QVERIFY(sameRgb(picture.pixel(298, 150), boardGreen));
    QVERIFY(sameRgb(picture.pixel(299, 150), yellow));
    QVERIFY(sameRgb(picture.pixel(300, 150), yellow));
    QVERIFY(sameRgb(picture.pixel(301, 150), boardGreen));
    QCOMPARE(picture.currentPos(), QPointF(300, 200));
}

void tst_FloodFill::fillsClosedOutline_data()
{
    QTest::addColumn<int>("shape");
    QTest::newRow("square") << 0;
    QTest::newRow("triangle with a diagonal edge") << 1;
    QTest::newRow("steep triangle") << 2;
}

void tst_FloodFill::fillsClosedOutline()
{
    QFETCH(int, shape);
    QRect inside; // pixels that must all turn white
    QPoint seed;
    int expectedWhite = 0;
    switch (shape) {
    case 0:
        square(100, 100, 40);
        // Outline pixels are 99..100 and 139..140: the inside is 101..138 both ways.
        inside = QRect(101, 101, 38, 38);
        seed = QPoint(105, 135);
        expectedWhite = 38 * 38;
        break;
    case 1:
        picture.line(QPointF(100, 300), QPointF(220, 300));
        picture.lineTo(QPointF(220, 180));
        picture.lineTo(QPointF(100, 300));
        inside = QRect(200, 280, 15, 15); // well inside, near the right angle
        seed = QPoint(215, 295);
        break;
    case 2:
        picture.line(QPointF(50, 350), QPointF(70, 350));
        picture.lineTo(QPointF(70, 50));
        picture.lineTo(QPointF(50, 350));
        inside = QRect(66, 330, 2, 10);
        seed = QPoint(67, 345);
        break;
    }
    const int boardBefore = count(QRect(0, 0, 400, 400), boardGreen);
    QVERIFY(picture.floodFill(seed.x(), seed.y(), yellow));
    QCOMPARE(count(inside, white), inside.width() * inside.height());
    if (expectedWhite)
        QCOMPARE(count(QRect(0, 0, 400, 400), white), expectedWhite);
    // Nothing leaked: the board outside kept its colour except for what turned white.
    QCOMPARE(count(QRect(0, 0, 400, 400), boardGreen),
             boardBefore - count(QRect(0, 0, 400, 400), white));
    QVERIFY(sameRgb(picture.pixel(0, 0), boardGreen));
    QVERIFY(sameRgb(picture.pixel(399, 399), boardGreen));
}

void tst_FloodFill::paintsOverOtherColours()
{
    square(100, 100, 40);
    // A black 1-pixel line across the inside is not the border: the fill covers it.
    picture.setDrawWidth(1);
    picture.line(QPointF(101, 120), QPointF(138, 120), black);
    picture.setDrawWidth(2);
    picture.setFillColor(grey);
    QVERIFY(picture.floodFill(130, 130, yellow));
    QCOMPARE(count(QRect(101, 101, 38, 38), grey), 38 * 38);
    QCOMPARE(count(QRect(0, 0, 400, 400), black), 0);
}

void tst_FloodFill::passesThroughPixelsOfTheFillColour()
{
    // Two boxes joined only through a white stripe: a fill that stopped at pixels of its own
    // colour would never reach the right box.
    square(100, 100, 40);
    square(160, 100, 40);
    picture.line(QPointF(139, 120), QPointF(161, 120), white); // cuts both walls, white
    picture.line(QPointF(140, 110), QPointF(160, 110)); // the stripe's yellow edges
    picture.line(QPointF(140, 130), QPointF(160, 130));
    QVERIFY(picture.floodFill(105, 105, yellow));
    QCOMPARE(count(QRect(161, 101, 38, 8), white), 38 * 8);
    QCOMPARE(count(QRect(161, 131, 38, 8), white), 38 * 8);
}

void tst_FloodFill::paintsNothing_data()
{
    QTest::addColumn<QPoint>("seed");
    QTest::addColumn<bool>("transparent");
    QTest::newRow("seed on the border") << QPoint(100, 120) << false;
    QTest::newRow("seed left of the picture") << QPoint(-1, 120) << false;
    QTest::newRow("seed below the picture") << QPoint(120, 400) << false;
    QTest::newRow("transparent fill style") << QPoint(120, 120) << true;
}

void tst_FloodFill::paintsNothing()
{
    QFETCH(QPoint, seed);
    QFETCH(bool, transparent);
    square(100, 100, 40);
    if (transparent)
        picture.setFillStyle(Picture::FillStyle::Transparent);
    const QImage before = picture.image().copy();
    QVERIFY(!picture.floodFill(seed.x(), seed.y(), yellow));
    QCOMPARE(picture.image(), before);
}

void tst_FloodFill::keepsFillingAfterManyFills()
{
    // The visited mask is reused between fills: every fill must still see its own region.
    square(100, 100, 40);
    for (int i = 0; i < 300; ++i) {
        picture.setFillColor(i % 2 ? grey : white); // the last fill is grey
        QVERIFY(picture.floodFill(120, 120, yellow));
    }
    QCOMPARE(count(QRect(101, 101, 38, 38), grey), 38 * 38);
}

void tst_FloodFill::paintsExactlyTheAreaItsSeedReaches_data()
{
    QTest::addColumn<qreal>("ratio");
    for (const qreal ratio : { 1.0, 1.5, 2.0, 3.0 })
        QTest::newRow(qPrintable(QStringLiteral("ratio %1").arg(ratio))) << ratio;
}

void tst_FloodFill::paintsExactlyTheAreaItsSeedReaches()
{
    // Random tangles of lines in the border colour and others, some of the fill colour, against
    // the plainest fill there is: every device pixel 4-connected to the seed's through pixels
    // not of the border colour.
    QFETCH(qreal, ratio);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> across(0, 59), down(0, 39), colour(0, 3);
    const QColor colours[] = { yellow, white, black, boardGreen };
    for (int round = 0; round < 300; ++round) {
        picture = Picture();
        picture.setBackColor(boardGreen);
        picture.resize(QSize(60, 40), ratio);
        picture.clear();
        for (int i = 0; i < 5 + round % 25; ++i) {
            picture.setDrawWidth(1 + i % 3);
            picture.line(QPointF(across(random), down(random)),
                         QPointF(across(random), down(random)), colours[colour(random)]);
        }
        picture.setFillStyle(Picture::FillStyle::Solid);
        picture.setFillColor(white);
        const QPoint seed(across(random), down(random));
        const QImage before = picture.image().copy();
        QImage expected = before.copy();
        const auto border = [&](const QPoint &p) { return sameRgb(before.pixel(p), yellow); };
        const QPoint start(int(std::floor((seed.x() + 0.5) * ratio)),
                           int(std::floor((seed.y() + 0.5) * ratio)));
        if (!border(start)) {
            std::vector<bool> reached(size_t(before.width()) * before.height());
            std::deque<QPoint> next { start };
            reached[size_t(start.y()) * before.width() + start.x()] = true;
            while (!next.empty()) {
                const QPoint p = next.front();
                next.pop_front();
                expected.setPixel(p, white.rgb());
                for (const QPoint step :
                     { QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1) }) {
                    const QPoint q = p + step;
                    if (!before.rect().contains(q) || border(q))
                        continue;
                    if (!reached[size_t(q.y()) * before.width() + q.x()]) {
                        reached[size_t(q.y()) * before.width() + q.x()] = true;
                        next.push_back(q);
                    }
                }
            }
        }
        picture.floodFill(seed.x(), seed.y(), yellow);
        const QString difference = pictureDifference(picture.image(), expected);
        QVERIFY2(difference.isEmpty(),
                 qPrintable(QStringLiteral("round %1, seed (%2, %3): %4")
                                .arg(round)
                                .arg(seed.x())
                                .arg(seed.y())
                                .arg(difference)));
    }
}

KANSU_TEST_MAIN(tst_FloodFill)
#include "tst_floodfill.moc"
