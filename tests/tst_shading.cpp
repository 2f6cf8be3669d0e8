#include "lesson.h"
#include "windowtest.h"

#include <cmath>
#include <memory>

// The crossed part of the figure painted white, the rest grey, at whatever device pixel ratio
// the screen has: run at 1 and, by tests/CMakeLists.txt, again at 1.5 and 2. Pictures are read
// device pixel by device pixel: a device pixel (i, j) has its centre at ((i + .5) / r,
// (j + .5) / r) in the panel's logical pixels.

using namespace lesson;

namespace {

bool nearGridLine(double c)
{
    const double r = std::fmod(c, 20.0);
    return r < 2 || r > 18;
}

} // namespace

class tst_Shading : public WindowTest
{
    Q_OBJECT

private slots:
    void shadingStopsAtTheOutlines_data();
    void shadingStopsAtTheOutlines();
    void gridDoesNotLeakIntoCrossedPiece_data();
    void gridDoesNotLeakIntoCrossedPiece();
    void whiteAreaIsY_data();
    void whiteAreaIsY();
    void emptyFigureLeavesOnlyDivider();
    void triangleDrawnFromItsLeftColumnOnly();

private:
    void setUp() override;
    void paint(const Codes &codes, int left, bool grid);
    void stepTo(const Codes &codes, int left, bool grid);
    void checkPixels(const Codes &codes, int left, bool gridOnTop);
};

void tst_Shading::setUp()
{
    // Pieces stand in the figure only after a drop, which turns the board's pen yellow.
    probe->control<PicturePanel>("kokuban")->setForeColor(yellow);
}

// Paints the figure alone, as a drop does before the grid is drawn again.
void tst_Shading::paint(const Codes &codes, int left, bool grid)
{
    probe->retsu() = codes;
    probe->control<QCheckBox>("Check1")->setChecked(grid);
    probe->nuri(std::int16_t(left));
}

// Back to the start, which draws everything afresh, then P stepped to `left` by the button.
void tst_Shading::stepTo(const Codes &codes, int left, bool grid)
{
    buildFigure(lesson(), codes);
    probe->control<QCheckBox>("Check1")->setChecked(grid);
    probe->control<QPushButton>("Command2")->click();
    while (probe->Px() > left)
        probe->control<QPushButton>("susumu")->click();
    QCOMPARE(probe->Px(), double(left));
}

// Every pixel well inside a piece is white left of AB and grey right of it; every pixel well
// outside the pieces is neither. "Well" keeps 3 pixels from every edge, where the outline
// strokes lie. With the grid on top, its lines cross the pieces and must be black there.
void tst_Shading::checkPixels(const Codes &codes, int left, bool gridOnTop)
{
    const PicturePanel *board = probe->control<PicturePanel>("kokuban");
    const QImage &picture = board->picture();
    const qreal r = board->pictureRatio();
    const QSet<QRgb> stray = strayColours(picture, { boardGreen, white, grey, yellow, black });
    QVERIFY2(stray.isEmpty(), qPrintable(QStringLiteral("stray colours ") + colourList(stray)));

    const double m = 3;
    int wrong = 0;
    QString first;
    auto fail = [&](int i, int j, const QPointF &at, const char *what, const QColor &c) {
        if (wrong++ == 0)
            first = QStringLiteral("device (%1, %2) = logical (%3, %4) %5, is %6")
                        .arg(i)
                        .arg(j)
                        .arg(at.x())
                        .arg(at.y())
                        .arg(QLatin1String(what), c.name());
    };
    for (int j = int(150 * r); j < int(320 * r); ++j) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(j));
        for (int i = 0; i < picture.width(); ++i) {
            const double cx = (i + 0.5) / r, cy = (j + 0.5) / r, d = cx - left;
            const double low
                = std::min({ heightAt(codes, d - m), heightAt(codes, d), heightAt(codes, d + m) });
            const double high = std::max(
                { heightAt(codes, d - 2 * m), heightAt(codes, d), heightAt(codes, d + 2 * m) });
            const bool nearColumnEdge = std::fabs(std::remainder(d, 40.0)) < m;
            const bool nearAB = std::fabs(cx - 300) < m && cy > 180 - m && cy < 300 + m;
            const QColor c(line[i]);
            const bool inside = !nearColumnEdge && !nearAB && d > m && d < 200 - m && cy < 300 - m
                && cy > 300 - low + 1.5 * m;
            const bool outside = !nearAB && (cy > 300 + m || cy < 300 - high - m || d < -m);
            if (inside) {
                if (gridOnTop && (nearGridLine(cx) || nearGridLine(cy)))
                    continue;
                if (!sameRgb(c, cx < 300 ? white : grey))
                    fail(i, j, { cx, cy },
                         cx < 300 ? "should be white (#ffffff)" : "should be grey (#c0c0c0)", c);
            } else if (outside && (sameRgb(c, white) || sameRgb(c, grey))) {
                fail(i, j, { cx, cy }, "outside every piece is filled", c);
            }
        }
    }
    if (gridOnTop) {
        // Where a grid line runs through a piece's inside, it shows black on top.
        for (int g = 200; g < 300; g += 20) {
            for (int x = 0; x < board->pictureSize().width(); ++x) {
                const double d = x + 0.5 - left;
                const bool across = heightAt(codes, d) > 300 - g + m && !nearGridLine(x + 0.5)
                    && std::fabs(std::remainder(d, 40.0)) > m && std::fabs(x + 0.5 - 300) > m;
                if (across && !sameRgb(board->pixel(x, g), black)
                    && !sameRgb(board->pixel(x, g - 1), black))
                    fail(x, g, { x + 0.5, g + 0.5 }, "grid line missing over the piece (black)",
                         board->pixel(x, g));
            }
        }
    }
    QVERIFY2(wrong == 0,
             qPrintable(QStringLiteral("%1 wrong pixels, first %2").arg(wrong).arg(first)));
}

void tst_Shading::shadingStopsAtTheOutlines_data()
{
    QTest::addColumn<QString>("codes");
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("grid");

    const struct
    {
        const char *name;
        const char *codes;
        std::vector<int> positions;
    } pieces[] = {
        { "square", "1 0 0 0 0", { 260, 270, 280, 290, 300 } },
        { "short bar", "2 0 0 0 0", { 260, 270, 280, 290, 300 } },
        { "tall bar", "3 0 0 0 0", { 260, 270, 280, 290, 300 } },
        { "triangle", "4 5 6 0 0", { 180, 190, 240, 290, 300 } },
    };
    for (bool grid : { false, true }) {
        for (const auto &piece : pieces) {
            for (int p : piece.positions) {
                QTest::addRow("%s at p %d, grid %s", piece.name, p, grid ? "on" : "off")
                    << piece.codes << p << grid;
            }
        }
        QTest::addRow("whole figure at the start, grid %s", grid ? "on" : "off")
            << "1 2 3 0 0" << 300 << grid;
        QTest::addRow("whole figure part-way, grid %s", grid ? "on" : "off")
            << "4 5 6 2 1" << 210 << grid;
        QTest::addRow("every piece wholly crossed at the end, grid %s", grid ? "on" : "off")
            << "3 1 4 5 6" << 100 << grid;
        QTest::addRow("triangle in the middle part-way, grid %s", grid ? "on" : "off")
            << "2 4 5 6 3" << 150 << grid;
        QTest::addRow("worked example part-way, grid %s", grid ? "on" : "off")
            << textOf(workedExample) << 210 << grid;
        QTest::addRow("square and bars part-way, grid %s", grid ? "on" : "off")
            << "1 2 3 0 0" << 250 << grid;
    }
}

// Well inside a piece every device pixel is white left of AB and grey right of it; well outside
// every piece none is either; no colour but the board's own appears anywhere. ("Well" keeps 3
// pixels from every edge, where the outline strokes lie.) With the grid on, its lines cross the
// pieces and must be black there.
void tst_Shading::shadingStopsAtTheOutlines()
{
    QFETCH(QString, codes);
    QFETCH(int, left);
    QFETCH(bool, grid);
    KANSU_CHECK(stepTo(codesFrom(codes), left, grid));
    checkPixels(codesFrom(codes), left, grid);
    if (left >= 300) {
        const QImage &picture = probe->control<PicturePanel>("kokuban")->picture();
        const QSet<QRgb> stray = strayColours(picture, { boardGreen, grey, yellow, black });
        QVERIFY2(stray.isEmpty(),
                 qPrintable(QStringLiteral("at the start, colours ") + colourList(stray)
                            + QStringLiteral(" (white?)")));
    }
}

void tst_Shading::gridDoesNotLeakIntoCrossedPiece_data()
{
    QTest::addColumn<QString>("codes");
    QTest::addColumn<int>("left");
    for (int p : { 270, 280, 290 }) {
        QTest::addRow("square at p %d", p) << "1 0 0 0 0" << p;
        QTest::addRow("tall bar at p %d", p) << "3 0 0 0 0" << p;
    }
    for (int p : { 190, 200, 250, 290 })
        QTest::addRow("triangle at p %d", p) << "4 5 6 0 0" << p;
    QTest::addRow("bars side by side part-way") << "3 2 1 0 0" << 230;
}

// The grid's lines cross the divider before the pieces are filled; the fills must still stop
// at AB, painted under the grid exactly as without it.
void tst_Shading::gridDoesNotLeakIntoCrossedPiece()
{
    QFETCH(QString, codes);
    QFETCH(int, left);
    paint(codesFrom(codes), left, true);
    checkPixels(codesFrom(codes), left, false);
}

void tst_Shading::whiteAreaIsY_data()
{
    QTest::addColumn<QString>("codes");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");

    for (double x : { 0.5, 3.5 })
        QTest::addRow("worked example at x %g", x)
            << textOf(workedExample) << x << workedExampleY(x);
    for (int x : { 1, 2, 6, 7, 8, 10 })
        QTest::addRow("worked example at x %d", x)
            << textOf(workedExample) << double(x) << workedExampleYs[x];
    QTest::addRow("square, short and tall bar at x 1") << "1 2 3 0 0" << 1.0 << 2.0;
    QTest::addRow("square, short and tall bar at x 3") << "1 2 3 0 0" << 3.0 << 8.0;
    QTest::addRow("square, short and tall bar at x 5") << "1 2 3 0 0" << 5.0 << 18.0;
    QTest::addRow("square, short and tall bar at x 10") << "1 2 3 0 0" << 10.0 << 24.0;
    QTest::addRow("gapped bars at x 3") << "3 0 1 0 2" << 3.0 << 12.0;
    QTest::addRow("gapped bars at x 5.5") << "3 0 1 0 2" << 5.5 << 15.0;
    QTest::addRow("gapped bars at x 10") << "3 0 1 0 2" << 10.0 << 24.0;
    QTest::addRow("triangle at the far end at x 4") << "0 0 4 5 6" << 4.0 << 0.0;
    QTest::addRow("triangle at the far end at x 7") << "0 0 4 5 6" << 7.0 << 4.5;
    QTest::addRow("square then triangle at x 8") << "1 4 5 6 0" << 8.0 << 22.0;
}

// The white part is the crossed part. Counted in device pixels (400 r² to the cm²), the exact
// area lies between the white pixels alone and the white pixels together with the outline
// strokes left of AB: a stroke straddles its edge, partly in the piece and partly out. The
// white pixels alone must never exceed y, and y must be covered by white and outline together.
void tst_Shading::whiteAreaIsY()
{
    QFETCH(QString, codes);
    QFETCH(double, x);
    QFETCH(double, y);
    const Codes figure = codesFrom(codes);
    // The row's y agrees with the figure's geometry (midpoint sums are exact for straight edges).
    QCOMPARE(areaWithin(figure, x), y);

    KANSU_CHECK(stepTo(figure, 300 - int(std::lround(20 * x)), false));
    const PicturePanel *board = probe->control<PicturePanel>("kokuban");
    const QImage &picture = board->picture();
    const qreal r = board->pictureRatio();
    double whiteArea = 0, outlineArea = 0;
    for (int j = 0; j < picture.height(); ++j) {
        for (int i = 0; i < picture.width(); ++i) {
            const QColor c(picture.pixel(i, j));
            if (sameRgb(c, white))
                whiteArea += 1;
            else if (sameRgb(c, yellow) && (i + 0.5) / r < 300 && (j + 0.5) / r < 300)
                outlineArea += 1;
        }
    }
    whiteArea /= 400 * r * r;
    outlineArea /= 400 * r * r;
    const QString detail
        = QStringLiteral("white %1, outline %2, y %3 cm²").arg(whiteArea).arg(outlineArea).arg(y);
    QVERIFY2(whiteArea <= y, qPrintable(detail));
    QVERIFY2(y <= whiteArea + outlineArea, qPrintable(detail));
}

void tst_Shading::emptyFigureLeavesOnlyDivider()
{
    paint(Codes {}, 250, false);
    const PicturePanel *board = probe->control<PicturePanel>("kokuban");
    const QColor background = board->backColor();
    for (int j = 0; j < board->pictureSize().height(); ++j) {
        for (int i = 0; i < board->pictureSize().width(); ++i) {
            const bool onAB = i >= 298 && i <= 301 && j >= 178 && j <= 301;
            if (!onAB && !sameRgb(board->pixel(i, j), background))
                QFAIL(qPrintable(QStringLiteral("(%1, %2) is %3, expected the board's %4")
                                     .arg(i)
                                     .arg(j)
                                     .arg(board->pixel(i, j).name(), background.name())));
        }
    }
    // The divider runs the whole height of AB in the board's pen.
    for (int j = 181; j < 300; j += 7) {
        QVERIFY2(sameRgb(board->pixel(299, j), yellow) || sameRgb(board->pixel(300, j), yellow),
                 qPrintable(QStringLiteral("AB at y %1 is %2, expected yellow")
                                .arg(j)
                                .arg(board->pixel(299, j).name())));
    }
}

void tst_Shading::triangleDrawnFromItsLeftColumnOnly()
{
    // The middle and right columns alone draw nothing: only the code of the tip column does.
    paint(codesFrom("0 5 6 0 0"), 300, false);
    KANSU_COMPARE_RGB(probe->control<PicturePanel>("kokuban")->pixel(370, 290),
                      probe->control<PicturePanel>("kokuban")->backColor());
    paint(codesFrom("0 4 5 6 0"), 300, false);
    KANSU_COMPARE_RGB(probe->control<PicturePanel>("kokuban")->pixel(370, 290), grey);
    KANSU_COMPARE_RGB(probe->control<PicturePanel>("kokuban")->pixel(450, 230), grey);
}

KANSU_TEST_MAIN(tst_Shading)
#include "tst_shading.moc"
