#include "lesson.h"
#include "testsupport.h"
#include "toolkit/picture.h"
#include "toolkit/picturepanel.h"

#include <QPainter>
#include <memory>
#include <random>

using namespace lesson;

namespace {

// The line as Qt's raster engine draws it with the picture's pen: aliased, square caps.
void painterLine(QImage &image, const QPointF &from, const QPointF &to, const QColor &color,
                 int width)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    if (from == to)
        painter.drawPoint(from);
    else
        painter.drawLine(from, to);
}

// The device pixel ratios a picture is kept at: a plain screen, an enlarged one, a dense one
// and a 4K projector.
void ratioRows(const char *what)
{
    for (const qreal ratio : { 1.0, 1.5, 2.0, 3.0 })
        QTest::newRow(qPrintable(QStringLiteral("%1 at ratio %2").arg(what).arg(ratio))) << ratio;
}

// Records the areas a widget paints.
class PaintLog : public QObject
{
public:
    explicit PaintLog(QWidget *widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }
    QRegion painted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

// The picture must be exactly what the raster engine would paint, at every device pixel ratio,
// and must tell which area its drawing changed, while drawing that changes nothing changes no
// area. The panel above it repaints that area.
class tst_PanelPaint : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void linesMatchTheRasterEngine_data();
    void linesMatchTheRasterEngine();
    void manyLevelAndUprightLinesMatchTheRasterEngine_data();
    void manyLevelAndUprightLinesMatchTheRasterEngine();
    void clearChangesWhatWasDrawn_data();
    void clearChangesWhatWasDrawn();
    void clearAfterNewBackColourChangesEverything();
    void drawingOverUnchangedPixelsChangesNothing_data();
    void drawingOverUnchangedPixelsChangesNothing();
    void reprintingInAnotherColourChangesTheText();
    void puttingBackTheBackdropMatchesDrawingAnew_data();
    void puttingBackTheBackdropMatchesDrawingAnew();
    void reprintingOverDamagedTextRestoresIt();
    void dashedLineCoversItsDashes_data();
    void dashedLineCoversItsDashes();
    void coarseRegionCoversTheRegionInFewRectangles_data();
    void coarseRegionCoversTheRegionInFewRectangles();
    void panelRepaintsWhatItsPictureChanged();
    void panelRepaintsChangesFarApartSeparately();

private:
    // A 200 x 150 picture at `ratio`, cleared to the board's green.
    void start(qreal ratio = 1);
    // The logical pixels that are not of the background colour.
    QRect drawn() const;

    Picture picture;
};

void tst_PanelPaint::init()
{
    start();
}

void tst_PanelPaint::start(qreal ratio)
{
    picture = Picture();
    picture.setBackColor(boardGreen);
    picture.resize(QSize(200, 150), ratio);
    picture.clear();
    picture.setForeColor(yellow);
    picture.takeChanged();
}

QRect tst_PanelPaint::drawn() const
{
    QRect area;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x)
            if (!sameRgb(picture.pixel(x, y), boardGreen))
                area |= QRect(x, y, 1, 1);
    return area;
}

void tst_PanelPaint::linesMatchTheRasterEngine_data()
{
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<int>("width");
    QTest::newRow("level, 1 px") << QPointF(20, 30) << QPointF(180, 30) << 1;
    QTest::newRow("upright, 1 px, drawn upwards") << QPointF(40, 140) << QPointF(40, 10) << 1;
    QTest::newRow("level, 2 px, drawn leftwards") << QPointF(150, 60) << QPointF(25, 60) << 2;
    QTest::newRow("upright, 2 px") << QPointF(100, 20) << QPointF(100, 120) << 2;
    QTest::newRow("level, 3 px") << QPointF(10, 80) << QPointF(90, 80) << 3;
    QTest::newRow("upright, 4 px") << QPointF(120, 5) << QPointF(120, 95) << 4;
    QTest::newRow("diagonal, 2 px") << QPointF(60, 140) << QPointF(180, 20) << 2;
    QTest::newRow("level at half pixels") << QPointF(10.5, 40) << QPointF(90.5, 40) << 2;
    QTest::newRow("on the last row") << QPointF(0, 149) << QPointF(199, 149) << 1;
    QTest::newRow("cut by the left edge") << QPointF(0, 100) << QPointF(50, 100) << 2;
    QTest::newRow("cut by the bottom edge") << QPointF(70, 100) << QPointF(70, 170) << 2;
    QTest::newRow("a point") << QPointF(30, 30) << QPointF(30, 30) << 2;
}

void tst_PanelPaint::linesMatchTheRasterEngine()
{
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(int, width);
    // Over something already drawn, so that pixels of every kind are met.
    picture.setDrawWidth(2);
    picture.line(QPointF(0, 75), QPointF(199, 75), white);
    QImage expected = picture.image().copy();
    picture.setDrawWidth(width);
    picture.line(from, to, blue);
    painterLine(expected, from, to, blue, width);
    QCOMPARE(picture.image(), expected);
    QCOMPARE(picture.currentPos(), to);
}

void tst_PanelPaint::manyLevelAndUprightLinesMatchTheRasterEngine_data()
{
    QTest::addColumn<qreal>("ratio");
    ratioRows("random lines");
}

void tst_PanelPaint::manyLevelAndUprightLinesMatchTheRasterEngine()
{
    QFETCH(qreal, ratio);
    start(ratio);
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> coordinate(-10, 210);
    std::uniform_int_distribution<int> widths(1, 4);
    std::uniform_int_distribution<int> channel(0, 255);
    QImage expected = picture.image().copy();
    for (int i = 0; i < 3000; ++i) {
        const QPointF from(coordinate(random), coordinate(random));
        QPointF to = from;
        if (i % 2)
            to.setX(coordinate(random));
        else
            to.setY(coordinate(random));
        const int width = widths(random);
        // Few colours, so that lines often fall on pixels that already have their colour.
        const QColor color = i % 3 ? QColor(channel(random) & 0x80, 128, 0) : yellow;
        picture.setDrawWidth(width);
        picture.line(from, to, color);
        // Some lines come again, as the grids do with every step.
        if (i % 5 == 0)
            picture.line(from, to, color);
        painterLine(expected, from, to, color, width);
    }
    QCOMPARE(picture.image(), expected);
}

void tst_PanelPaint::clearChangesWhatWasDrawn_data()
{
    QTest::addColumn<int>("what");
    QTest::newRow("a level line") << 0;
    QTest::newRow("a diagonal line") << 1;
    QTest::newRow("a text") << 2;
    QTest::newRow("a fill") << 3;
}

void tst_PanelPaint::clearChangesWhatWasDrawn()
{
    QFETCH(int, what);
    picture.setDrawWidth(2);
    switch (what) {
    case 0:
        picture.line(QPointF(50, 40), QPointF(120, 40));
        break;
    case 1:
        picture.line(QPointF(30, 120), QPointF(90, 60));
        break;
    case 2:
        picture.printAt(QPointF(60, 90), QStringLiteral("12.5"));
        break;
    case 3:
        picture.setFillStyle(Picture::FillStyle::Solid);
        picture.setFillColor(white);
        picture.line(QPointF(140, 100), QPointF(180, 100));
        picture.lineTo(QPointF(180, 140));
        picture.lineTo(QPointF(140, 140));
        picture.lineTo(QPointF(140, 100));
        QVERIFY(picture.floodFill(160, 120, yellow));
        break;
    }
    const QRect area = drawn();
    QVERIFY(!area.isEmpty());
    QVERIFY(picture.takeChanged().contains(area));
    picture.clear();
    QVERIFY(picture.takeChanged().contains(area));
    QVERIFY(drawn().isEmpty());
}

void tst_PanelPaint::clearAfterNewBackColourChangesEverything()
{
    picture.setBackColor(white);
    picture.clear();
    QCOMPARE(picture.takeChanged(), QRect(0, 0, 200, 150));
}

void tst_PanelPaint::drawingOverUnchangedPixelsChangesNothing_data()
{
    QTest::addColumn<qreal>("ratio");
    ratioRows("grid and scale");
}

void tst_PanelPaint::drawingOverUnchangedPixelsChangesNothing()
{
    QFETCH(qreal, ratio);
    start(ratio);
    // A graph's grid and scale, drawn again over themselves as every step does.
    const auto draw = [this] {
        picture.setDrawWidth(1);
        for (int i = 0; i < 5; ++i) {
            picture.line(QPointF(10, 10 + 20 * i), QPointF(190, 10 + 20 * i), black);
            picture.line(QPointF(10 + 20 * i, 10), QPointF(10 + 20 * i, 90), black);
        }
        picture.setForeColor(blue);
        picture.printAt(QPointF(20, 120), QStringLiteral(" 10"));
        picture.printAt(QPointF(80, 120), QStringLiteral("(cm)"));
    };
    draw();
    const QImage once = picture.image().copy();
    QVERIFY(!picture.takeChanged().isEmpty());
    draw();
    QCOMPARE(picture.image(), once);
    QCOMPARE(picture.takeChanged(), QRect());
}

void tst_PanelPaint::reprintingInAnotherColourChangesTheText()
{
    picture.setForeColor(blue);
    picture.printAt(QPointF(60, 60), QStringLiteral(" 4.5"));
    const QRect ink = drawn();
    QVERIFY(!ink.isEmpty());
    picture.takeChanged();
    // Erasing by printing the same text in the background colour changes all of it.
    picture.setForeColor(boardGreen);
    picture.printAt(QPointF(60, 60), QStringLiteral(" 4.5"));
    QVERIFY(picture.takeChanged().contains(ink));
    QVERIFY(drawn().isEmpty());
}

void tst_PanelPaint::puttingBackTheBackdropMatchesDrawingAnew_data()
{
    QTest::addColumn<qreal>("ratio");
    ratioRows("steps of a figure over a grid");
}

void tst_PanelPaint::puttingBackTheBackdropMatchesDrawingAnew()
{
    QFETCH(qreal, ratio);
    start(ratio);
    // Two pictures take the same steps: one draws its start (a divider and a grid) anew each
    // time, the other puts back the start it kept. After every step they must not differ in
    // one pixel, and what the second says it changed must hold every pixel that changed.
    Picture anew = picture;
    const auto drawStart = [](Picture &p) {
        p.clear();
        p.setDrawWidth(2);
        p.line(QPointF(100, 20), QPointF(100, 140));
        p.setDrawWidth(1);
        for (int i = 0; i < 6; ++i)
            p.line(QPointF(10, 20 + 20 * i), QPointF(190, 20 + 20 * i), black);
        p.setDrawWidth(2);
        p.line(QPointF(100, 20), QPointF(100, 140));
    };
    const auto drawStep = [](Picture &p, int left) {
        p.line(QPointF(left, 120), QPointF(left + 40, 120));
        p.lineTo(QPointF(left + 40, 60));
        p.lineTo(QPointF(left, 120));
        p.setFillStyle(Picture::FillStyle::Solid);
        p.setFillColor(white);
        p.floodFill(left + 30, 110, p.foreColor());
        p.setDrawWidth(1); // a grid line again, over the filled figure
        p.line(QPointF(10, 100), QPointF(190, 100), black);
        p.setDrawWidth(2);
        p.printAt(QPointF(left, 130), QString::number(left));
    };
    for (int step = 0; step < 8; ++step) {
        if (step == 5) // another drawing colour: another start
            for (Picture *p : { &picture, &anew })
                p->setForeColor(white);
        const Picture::BackdropKey key { picture.backColor().rgb(), picture.foreColor().rgb(),
                                         quint32(picture.drawWidth()), 0 };
        const QImage before = picture.image().copy();
        drawStart(anew);
        if (!picture.restoreBackdrop(key)) {
            drawStart(picture);
            picture.keepBackdrop(key);
        }
        const int left = 20 + 9 * step;
        drawStep(anew, left);
        drawStep(picture, left);
        QVERIFY2(picture.image() == anew.image(),
                 qPrintable(QStringLiteral("step %1: %2")
                                .arg(step)
                                .arg(pictureDifference(picture.image(), anew.image()))));
        QCOMPARE(picture.currentPos(), anew.currentPos());
        QCOMPARE(picture.drawWidth(), anew.drawWidth());
        const QRectF changed(picture.takeChanged());
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                if (before.pixel(x, y) != picture.image().pixel(x, y)
                    && !changed.intersects(QRectF(x / ratio, y / ratio, 1 / ratio, 1 / ratio)))
                    QFAIL(qPrintable(QStringLiteral("step %1: device pixel (%2, %3) changed "
                                                    "outside the changed area")
                                         .arg(step)
                                         .arg(x)
                                         .arg(y)));
    }
}

void tst_PanelPaint::reprintingOverDamagedTextRestoresIt()
{
    picture.setForeColor(blue);
    picture.printAt(QPointF(20, 60), QStringLiteral(" 36"));
    const QImage printed = picture.image().copy();
    // A stroke of the background colour through the digits, as an erasing segment makes.
    picture.setDrawWidth(3);
    picture.line(QPointF(10, 55), QPointF(60, 85), boardGreen);
    QVERIFY(picture.image() != printed);
    picture.takeChanged();
    picture.printAt(QPointF(20, 60), QStringLiteral(" 36"));
    QCOMPARE(picture.image(), printed);
    QVERIFY(!picture.takeChanged().isEmpty());
}

void tst_PanelPaint::dashedLineCoversItsDashes_data()
{
    QTest::addColumn<qreal>("ratio");
    ratioRows("dashes");
}

// The ink of a dashed line, summed over its pixels' coverage, is its dashes' length times its
// width, and none of it lies farther from the line than a pixel beyond its half width.
void tst_PanelPaint::dashedLineCoversItsDashes()
{
    QFETCH(qreal, ratio);
    constexpr qreal on = 4, period = 6, width = 1;
    for (const QLineF line : { QLineF(20, 180, 170, 60), QLineF(10, 20, 190, 35),
                               QLineF(30, 170, 30, 20), QLineF(15, 100, 185, 100) }) {
        QImage image(QSize(200, 200) * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        dashedLine(image, line, width, qRgb(230, 90, 0), on, period);
        qreal dashes = 0;
        for (qreal from = 0; from < line.length(); from += period)
            dashes += std::min(on, line.length() - from);
        const QLineF device(line.p1() * ratio, line.p2() * ratio);
        const QPointF across = device.normalVector().unitVector().p2() - device.p1();
        qreal ink = 0, farthest = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                if (alpha == 0)
                    continue;
                ink += alpha / 255.0;
                const QPointF centre = QPointF(x + 0.5, y + 0.5) - device.p1();
                farthest = std::max(farthest, std::abs(QPointF::dotProduct(centre, across)));
            }
        }
        const qreal expected = dashes * width * ratio * ratio;
        const QString detail = QStringLiteral("line %1,%2 to %3,%4: ink %5, dashes %6, farthest %7")
                                   .arg(line.x1())
                                   .arg(line.y1())
                                   .arg(line.x2())
                                   .arg(line.y2())
                                   .arg(ink)
                                   .arg(expected)
                                   .arg(farthest);
        QVERIFY2(std::abs(ink - expected) <= 0.05 * expected, qPrintable(detail));
        QVERIFY2(farthest <= width * ratio / 2 + 1, qPrintable(detail));
    }
}

void tst_PanelPaint::panelRepaintsWhatItsPictureChanged()
{
    PicturePanel panel;
    panel.setBackColor(boardGreen);
    panel.setOuterGeometry(QRect(0, 0, 204, 154)); // a 200 x 150 picture inside the frame
    auto *log = new PaintLog(&panel);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.setPictureRatio(1);
    panel.clear();
    panel.setDrawWidth(2);
    panel.setForeColor(yellow);
    panel.line(QPointF(50, 40), QPointF(120, 40));
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    log->painted = QRegion();
    panel.clear();
    QCoreApplication::processEvents();
    const QRect line(QPoint(49, 39), QPoint(120, 40));
    QVERIFY(log->painted.contains(line.translated(panel.pictureOffset())));
}

// A figure high on the board and a label moving low on it: the rows between them are not
// copied again (at a projector's ratio they are megabytes).
void tst_PanelPaint::coarseRegionCoversTheRegionInFewRectangles_data()
{
    QTest::addColumn<QList<QRect>>("boxes"); // which may overlap
    QTest::addColumn<int>("most"); // rectangles expected at most
    QTest::newRow("one") << QList<QRect> { QRect(10, 10, 30, 20) } << 1;
    QTest::newRow("near boxes, taken as one")
        << QList<QRect> { QRect(10, 10, 30, 20), QRect(45, 12, 30, 20), QRect(20, 35, 40, 10) }
        << 1;
    QTest::newRow("far apart, kept apart")
        << QList<QRect> { QRect(0, 0, 20, 20), QRect(0, 400, 20, 20) } << 2;
    QTest::newRow("on the same rows far apart")
        << QList<QRect> { QRect(0, 0, 20, 20), QRect(500, 0, 20, 20) } << 2;
    // A triangle's legs and the boxes along its chord, before and after a step.
    QList<QRect> triangle;
    for (int i = 0; i < 8; ++i)
        triangle << QRect(30 + 20 * i, 480 - 12 * i, 24, 16);
    triangle << QRect(30, 478, 180, 8) << QRect(200, 380, 8, 100);
    QTest::newRow("slope triangle") << triangle << 3;
}

// Whatever it merges, the coarse region covers every pixel asked for: a pixel left out is a
// stale pixel on the screen. The same from the region of the boxes and from the boxes themselves.
void tst_PanelPaint::coarseRegionCoversTheRegionInFewRectangles()
{
    QFETCH(QList<QRect>, boxes);
    QFETCH(int, most);
    const qint64 waste = 4000;
    QRegion region;
    for (const QRect &box : boxes)
        region += box;
    for (const QRegion &coarse :
         { coarseRegion(region, waste),
           coarseRegion(std::vector<QRect>(boxes.begin(), boxes.end()), waste) }) {
        QVERIFY((region - coarse).isEmpty());
        QVERIFY(coarse.rectCount() <= most);
        for (const QRect &a : coarse) {
            for (const QRect &b : coarse) {
                const bool shareRows = a.top() <= b.bottom() && b.top() <= a.bottom();
                QVERIFY(a == b || !shareRows || (a.top() == b.top() && a.bottom() == b.bottom()));
            }
        }
    }
}

void tst_PanelPaint::panelRepaintsChangesFarApartSeparately()
{
    PicturePanel panel;
    panel.setBackColor(boardGreen);
    panel.setOuterGeometry(QRect(0, 0, 204, 154));
    auto *log = new PaintLog(&panel);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.setPictureRatio(1);
    panel.clear();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    log->painted = QRegion();
    panel.setDrawWidth(2);
    panel.setForeColor(yellow);
    panel.line(QPointF(50, 10), QPointF(120, 10));
    panel.line(QPointF(50, 140), QPointF(120, 140));
    QCoreApplication::processEvents();
    const QPoint offset = panel.pictureOffset();
    QVERIFY(log->painted.contains(QRect(QPoint(49, 9), QPoint(120, 10)).translated(offset)));
    QVERIFY(log->painted.contains(QRect(QPoint(49, 139), QPoint(120, 140)).translated(offset)));
    QVERIFY(!log->painted.intersects(QRect(0, 40, 200, 70).translated(offset)));
}

KANSU_TEST_MAIN(tst_PanelPaint)
#include "tst_panelpaint.moc"
