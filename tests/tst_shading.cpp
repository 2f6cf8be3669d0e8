#include "formprobe.h"
#include "lesson.h"
#include "testsupport.h"

#include <cmath>
#include <memory>

using namespace lesson;

namespace {

bool nearGridLine(double c)
{
    const double r = std::fmod(c, 20.0);
    return r < 2 || r > 18;
}

} // namespace

class tst_Shading : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void shading_data();
    void shading();
    void gridDoesNotLeakIntoCrossedPiece_data();
    void gridDoesNotLeakIntoCrossedPiece();
    void whiteAreaIsY_data();
    void whiteAreaIsY();
    void emptyFigureLeavesOnlyDivider();
    void triangleDrawnFromItsLeftColumnOnly();

private:
    void paint(const Codes &codes, int left, bool grid);
    void checkPixels(const Codes &codes, int left, bool gridOnTop);

    std::unique_ptr<Form1> form;
    std::unique_ptr<FormProbe> probe;
};

void tst_Shading::init()
{
    form = std::make_unique<Form1>();
    probe = std::make_unique<FormProbe>(*form);
    // Pieces stand in the figure only after a drop, which turns the board's pen yellow.
    probe->kokuban()->setForeColor(yellow);
}

void tst_Shading::cleanup()
{
    probe.reset();
    form.reset();
}

void tst_Shading::paint(const Codes &codes, int left, bool grid)
{
    probe->retsu() = codes;
    probe->Check1()->setChecked(grid);
    probe->nuri(std::int16_t(left));
}

// Every pixel well inside a piece is white left of AB and grey right of it; every pixel well
// outside the pieces is neither. "Well" keeps 3 pixels from every edge, where the outline
// strokes lie. With the grid on top, its lines cross the pieces and must be black there.
void tst_Shading::checkPixels(const Codes &codes, int left, bool gridOnTop)
{
    const PicturePanel *board = probe->kokuban();
    const double m = 3;
    int wrong = 0;
    QString first;
    auto fail = [&](int i, int j, const char *what) {
        if (wrong++ == 0)
            first = QStringLiteral("(%1, %2) %3, is %4")
                        .arg(i)
                        .arg(j)
                        .arg(QLatin1String(what), board->pixel(i, j).name());
    };
    for (int j = 150; j < 320; ++j) {
        for (int i = 0; i < board->pictureSize().width(); ++i) {
            const double cx = i + 0.5, cy = j + 0.5, d = cx - left;
            const double low
                = std::min({ heightAt(codes, d - m), heightAt(codes, d), heightAt(codes, d + m) });
            const double high = std::max(
                { heightAt(codes, d - 2 * m), heightAt(codes, d), heightAt(codes, d + 2 * m) });
            const bool nearColumnEdge = std::fabs(std::remainder(d, 40.0)) < m;
            const bool nearAB = std::fabs(cx - 300) < m && cy > 180 - m && cy < 300 + m;
            const QColor c = board->pixel(i, j);
            const bool inside = !nearColumnEdge && !nearAB && d > m && d < 200 - m && cy < 300 - m
                && cy > 300 - low + 1.5 * m;
            const bool outside = !nearAB && (cy > 300 + m || cy < 300 - high - m || d < -m);
            if (inside) {
                if (gridOnTop && (nearGridLine(cx) || nearGridLine(cy)))
                    continue;
                const QColor expected = cx < 300 ? white : grey;
                if (!sameRgb(c, expected))
                    fail(i, j, cx < 300 ? "should be white" : "should be grey");
            } else if (outside && (sameRgb(c, white) || sameRgb(c, grey))) {
                fail(i, j, "outside every piece is filled");
            }
        }
    }
    if (gridOnTop) {
        // Where a grid line runs through a piece's inside, it shows black on top.
        for (int g = 200; g < 300; g += 20) {
            for (int i = 0; i < board->pictureSize().width(); ++i) {
                const double d = i + 0.5 - left;
                const bool across = heightAt(codes, d) > 300 - g + m && !nearGridLine(i + 0.5)
                    && std::fabs(std::remainder(d, 40.0)) > m && std::fabs(i + 0.5 - 300) > m;
                if (across && !sameRgb(board->pixel(i, g), black)
                    && !sameRgb(board->pixel(i, g - 1), black))
                    fail(i, g, "grid line missing over the piece");
            }
        }
    }
    QVERIFY2(wrong == 0,
             qPrintable(QStringLiteral("%1 wrong pixels, first %2").arg(wrong).arg(first)));
}

void tst_Shading::shading_data()
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
    }
}

void tst_Shading::shading()
{
    QFETCH(QString, codes);
    QFETCH(int, left);
    QFETCH(bool, grid);
    paint(codesFrom(codes), left, grid);
    if (grid)
        probe->hougan(); // as every step does after painting the figure
    checkPixels(codesFrom(codes), left, grid);
    if (left >= 300) {
        const QImage &picture = probe->kokuban()->picture();
        for (int j = 0; j < picture.height(); ++j)
            for (int i = 0; i < picture.width(); ++i)
                QVERIFY2(!sameRgb(picture.pixel(i, j), white), "white at the start");
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

    // The lesson's worked example: y = x²/2 up to 6, then 4 cm² per cm over the bar.
    const double example[][2] = { { 0.5, 0.125 }, { 1, 0.5 }, { 2, 2 },  { 3.5, 6.125 },
                                  { 6, 18 },      { 7, 22 },  { 8, 26 }, { 10, 26 } };
    for (const auto &e : example)
        QTest::addRow("triangle and 4 cm bar at x %g", e[0]) << "4 5 6 2 0" << e[0] << e[1];
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

// The white part is the crossed part. Counted in pixels (400 to the cm²), the exact area lies
// between the white pixels alone and the white pixels together with the outline strokes left of
// AB: a stroke is two pixels wide and straddles its edge, one pixel in the piece and one out.
// The tolerance is thus the outline's own share, 0.3 to 3 cm² here; the white pixels alone must
// never exceed y, and y must be covered by white and outline together.
void tst_Shading::whiteAreaIsY()
{
    QFETCH(QString, codes);
    QFETCH(double, x);
    QFETCH(double, y);
    const int left = 300 - int(std::lround(20 * x));
    const Codes figure = codesFrom(codes);

    // The exact area from the columns' heights (midpoint sums are exact for straight edges).
    double exact = 0;
    for (double d = 0.25; d < std::min(20 * x, 200.0); d += 0.5)
        exact += heightAt(figure, d) * 0.5;
    QCOMPARE(exact / 400, y);

    paint(figure, left, false);
    const PicturePanel *board = probe->kokuban();
    int whitePixels = 0, outlinePixels = 0;
    for (int j = 0; j < board->pictureSize().height(); ++j) {
        for (int i = 0; i < board->pictureSize().width(); ++i) {
            const QColor c = board->pixel(i, j);
            if (sameRgb(c, white))
                ++whitePixels;
            else if (sameRgb(c, yellow) && i < 300 && j < 300)
                ++outlinePixels;
        }
    }
    const QString detail = QStringLiteral("white %1, outline %2, exact %3 pixels")
                               .arg(whitePixels)
                               .arg(outlinePixels)
                               .arg(exact);
    QVERIFY2(whitePixels <= exact, qPrintable(detail));
    QVERIFY2(exact <= whitePixels + outlinePixels, qPrintable(detail));
}

void tst_Shading::emptyFigureLeavesOnlyDivider()
{
    paint(Codes {}, 250, false);
    const QImage &picture = probe->kokuban()->picture();
    const QColor background = probe->kokuban()->backColor();
    for (int j = 0; j < picture.height(); ++j) {
        for (int i = 0; i < picture.width(); ++i) {
            const bool onAB = i >= 298 && i <= 301 && j >= 178 && j <= 301;
            if (!onAB)
                QVERIFY2(sameRgb(picture.pixel(i, j), background),
                         qPrintable(QStringLiteral("(%1, %2)").arg(i).arg(j)));
        }
    }
    // The divider runs the whole height of AB in the board's pen.
    for (int j = 181; j < 300; j += 7)
        QVERIFY(sameRgb(picture.pixel(299, j), yellow) || sameRgb(picture.pixel(300, j), yellow));
}

void tst_Shading::triangleDrawnFromItsLeftColumnOnly()
{
    // The middle and right columns alone draw nothing: only the code of the tip column does.
    paint(codesFrom("0 5 6 0 0"), 300, false);
    QVERIFY(sameRgb(probe->kokuban()->pixel(370, 290), probe->kokuban()->backColor()));
    paint(codesFrom("0 4 5 6 0"), 300, false);
    QVERIFY(sameRgb(probe->kokuban()->pixel(370, 290), grey));
    QVERIFY(sameRgb(probe->kokuban()->pixel(450, 230), grey));
}

KANSU_TEST_MAIN(tst_Shading)
#include "tst_shading.moc"
