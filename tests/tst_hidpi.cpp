#include "lesson.h"
#include "windowtest.h"

#include <QScreen>
#include <QSet>
#include <cmath>
#include <memory>

// The panels on a dense screen (or a projector enlarged with QT_SCALE_FACTOR). Run at ratio 1
// and, by tests/CMakeLists.txt, again at 1.5 and 2 and on two screens of ratios 1 and 2.
// Pictures are read device pixel by device pixel: a device pixel (i, j) has its centre at
// ((i + .5) / r, (j + .5) / r) in the panel's logical pixels.

using namespace lesson;

namespace {

const QColor green(0, 128, 0);

} // namespace

class tst_HiDpi : public WindowTest
{
    Q_OBJECT

private slots:
    void initTestCase();
    void picturesAreAtTheScreensRatio_data();
    void picturesAreAtTheScreensRatio();
    void linesCoverTheirLogicalPixels_data();
    void linesCoverTheirLogicalPixels();
    void mouseArrivesInLogicalPixels();
    void graphRunsThroughItsPoints();
    void stepBackWipesTheGraphWhole();
    void drawnAtTheDevicesResolution_data();
    void drawnAtTheDevicesResolution();
    void followsTheScreenItIsMovedTo();

private:
    void stepTo(FormProbe &p, int steps);
};

void tst_HiDpi::initTestCase()
{
    // A run meant for a dense screen must really get one, or it would pass at ratio 1.
    const QByteArray asked = qgetenv("QT_SCALE_FACTOR");
    if (!asked.isEmpty())
        QCOMPARE(qApp->devicePixelRatio(), asked.toDouble());
    qInfo("device pixel ratio %g on %lld screen(s)", qApp->devicePixelRatio(),
          qlonglong(QGuiApplication::screens().size()));
}

// Steps P forward by the button, with the board's pen yellow as after a drop.
void tst_HiDpi::stepTo(FormProbe &p, int steps)
{
    p.control<PicturePanel>("kokuban")->setForeColor(yellow);
    for (int i = 0; i < steps; ++i)
        p.control<QPushButton>("susumu")->click();
}

void tst_HiDpi::picturesAreAtTheScreensRatio_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QSize>("logical"); // the inside of the frame, in the window's pixels
    QTest::newRow("blackboard") << "kokuban" << QSize(597, 405);
    QTest::newRow("table") << "hyo" << QSize(605, 109);
    QTest::newRow("graph") << "gamen" << QSize(389, 509);
}

void tst_HiDpi::picturesAreAtTheScreensRatio()
{
    QFETCH(QString, panel);
    QFETCH(QSize, logical);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const auto *p = form->findChild<PicturePanel *>(panel);
    QVERIFY(p);
    const qreal r = p->devicePixelRatioF();
    QCOMPARE(p->pictureRatio(), r);
    QCOMPARE(p->pictureSize(), logical);
    QCOMPARE(p->picture().devicePixelRatio(), r);
    QCOMPARE(p->picture().size(), QSize(qRound(logical.width() * r), qRound(logical.height() * r)));
}

void tst_HiDpi::linesCoverTheirLogicalPixels_data()
{
    QTest::addColumn<QLineF>("line");
    QTest::addColumn<int>("width");
    // The stroke of a square-capped line: width/2 either side, and width/2 past each end.
    QTest::newRow("horizontal, width 2") << QLineF(20, 300, 500, 300) << 2;
    QTest::newRow("vertical, width 2") << QLineF(300, 180, 300, 300) << 2;
    QTest::newRow("horizontal, width 1") << QLineF(35, 120, 385, 120) << 1;
    QTest::newRow("vertical, width 3") << QLineF(65, 5, 65, 480) << 3;
}

// Every device pixel whose centre lies inside the stroke is painted, none outside it: the line
// is drawn at the device's resolution, exactly where its logical coordinates say.
void tst_HiDpi::linesCoverTheirLogicalPixels()
{
    QFETCH(QLineF, line);
    QFETCH(int, width);
    PicturePanel *board = probe->control<PicturePanel>("kokuban");
    board->clear();
    board->setDrawWidth(width);
    board->line(line.p1(), line.p2(), white);

    const qreal r = board->pictureRatio();
    const QRectF stroke = QRectF(line.p1(), line.p2())
                              .normalized()
                              .adjusted(-width / 2.0, -width / 2.0, width / 2.0, width / 2.0);
    const QImage &picture = board->picture();
    const qreal edge = 0.01; // a centre on the stroke's edge may go either way
    int wrong = 0;
    QString first;
    for (int j = 0; j < picture.height(); ++j) {
        for (int i = 0; i < picture.width(); ++i) {
            const QPointF c((i + 0.5) / r, (j + 0.5) / r);
            const bool in = stroke.adjusted(edge, edge, -edge, -edge).contains(c);
            const bool out = !stroke.adjusted(-edge, -edge, edge, edge).contains(c);
            const bool painted = sameRgb(picture.pixel(i, j), white);
            if ((in && !painted) || (out && painted)) {
                if (wrong++ == 0)
                    first = QStringLiteral("device (%1, %2)").arg(i).arg(j);
            }
        }
    }
    QVERIFY2(wrong == 0, qPrintable(QStringLiteral("%1 wrong, first %2").arg(wrong).arg(first)));
}

void tst_HiDpi::mouseArrivesInLogicalPixels()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    PicturePanel *board = probe->control<PicturePanel>("kokuban");
    QPointF pressed;
    connect(board, &PicturePanel::mouseDown, form.get(),
            [&](int, int, float x, float y) { pressed = QPointF(x, y); });
    QTest::mousePress(board, Qt::LeftButton, {}, QPoint(320, 100) + board->pictureOffset());
    QTest::mouseRelease(board, Qt::LeftButton, {}, QPoint(320, 100) + board->pictureOffset());
    QCOMPARE(pressed, QPointF(320, 100));
}

// The worked example's plot: its blue runs through (30 x + 35, 480 − 7.5 y) for every half
// centimetre and nowhere near above or below, and the graph holds no colour but its own four.
void tst_HiDpi::graphRunsThroughItsPoints()
{
    buildFigure(lesson(), workedExample);
    probe->control<QCheckBox>("Check2")->setChecked(true);
    stepTo(*probe, 20);

    const PicturePanel *graph = probe->control<PicturePanel>("gamen");
    const QSet<QRgb> stray = strayColours(graph->picture(), { paper, green, black, blue });
    QVERIFY2(stray.isEmpty(), qPrintable(colourList(stray)));

    for (int n = 0; n <= 20; ++n) {
        const double x = n / 2.0;
        const QPointF point(30 * x + 35, 480 - 7.5 * workedExampleY(x));
        // The grid is drawn again over the plot: look around the point, not only on it.
        bool seen = false;
        for (int dy = -1; dy <= 1 && !seen; ++dy)
            for (int dx = -1; dx <= 1 && !seen; ++dx)
                seen = sameRgb(graph->pixel(int(point.x()) + dx, int(point.y()) + dy), blue);
        QVERIFY2(seen, qPrintable(QStringLiteral("no blue at x = %1").arg(x)));
        // A few pixels above and below the point there is no line.
        for (int dy : { -6, 6 }) {
            QVERIFY2(!sameRgb(graph->pixel(int(point.x()), int(point.y()) + dy), blue),
                     qPrintable(
                         QStringLiteral("blue %1 pixels off the point at x = %2").arg(dy).arg(x)));
        }
    }
}

// Stepping all the way back wipes every device pixel of the plot: the picture is again the
// bare axes, exactly.
void tst_HiDpi::stepBackWipesTheGraphWhole()
{
    probe->control<QCheckBox>("Check2")->setChecked(true);
    const QImage bare = probe->control<PicturePanel>("gamen")->picture().copy();
    buildFigure(lesson(), { 4, 5, 6, 3, 1 });
    stepTo(*probe, 20);
    QVERIFY(probe->control<PicturePanel>("gamen")->picture() != bare);
    for (int i = 0; i < 20; ++i)
        probe->control<QPushButton>("modoru")->click();
    QCOMPARE(probe->Px(), 300.0);

    KANSU_COMPARE_PICTURE(probe->control<PicturePanel>("gamen")->picture(), bare);
}

void tst_HiDpi::drawnAtTheDevicesResolution_data()
{
    QTest::addColumn<QString>("panel");
    QTest::newRow("blackboard: the triangle's slope") << "kokuban";
    QTest::newRow("table: its numbers") << "hyo";
    QTest::newRow("graph: the curve and the scales") << "gamen";
}

// The same lesson drawn into pictures kept at ratio 1 and scaled up would read the same in
// logical pixels but hold no finer detail. Ours must read the same and hold it.
void tst_HiDpi::drawnAtTheDevicesResolution()
{
    QFETCH(QString, panel);
    // The screen's ratio, not the picture's: a picture kept at 1 on a dense screen is the fault.
    const qreal r = form->devicePixelRatioF();
    if (r == 1)
        QSKIP("at ratio 1 there is nothing finer than a logical pixel; the 1.5 and 2 runs check");

    Form1 lowForm;
    FormProbe low(lowForm);
    for (FormProbe *p : { probe.get(), &low }) {
        if (p == &low) {
            for (PicturePanel *q :
                 { low.control<PicturePanel>("kokuban"), low.control<PicturePanel>("hyo"),
                   low.control<PicturePanel>("gamen") })
                q->setPictureRatio(1);
        }
        buildFigure(p->form(), workedExample);
        p->control<QCheckBox>("Check2")->setChecked(true);
        p->control<QCheckBox>("Check3")->setChecked(true);
        p->control<QPushButton>("Command2")
            ->click(); // everything drawn afresh at the pictures' ratio
        stepTo(*p, 7);
    }

    const auto *fine = form->findChild<PicturePanel *>(panel);
    const auto *coarse = lowForm.findChild<PicturePanel *>(panel);
    QCOMPARE(coarse->pictureRatio(), 1.0);
    const QImage upscaled = coarse->picture().scaled(fine->picture().size(), Qt::IgnoreAspectRatio,
                                                     Qt::FastTransformation);
    int finer = 0;
    for (int j = 0; j < upscaled.height(); ++j)
        for (int i = 0; i < upscaled.width(); ++i)
            finer += (upscaled.pixel(i, j) & 0xFFFFFF) != (fine->picture().pixel(i, j) & 0xFFFFFF);
    int same = 0, all = 0;
    for (int y = 0; y < fine->pictureSize().height(); ++y) {
        for (int x = 0; x < fine->pictureSize().width(); ++x) {
            same += sameRgb(fine->pixel(x, y), coarse->pixel(x, y));
            ++all;
        }
    }
    QVERIFY2(finer > 100, qPrintable(QStringLiteral("%1 device pixels finer").arg(finer)));
    // Edges fall on other logical pixels here and there; the picture is the same.
    QVERIFY2(same > 0.97 * all, qPrintable(QStringLiteral("%1 of %2 alike").arg(same).arg(all)));
}

// Dragged from the laptop's screen to a projector of another density, the panels redraw at the
// new one; what they showed is kept.
void tst_HiDpi::followsTheScreenItIsMovedTo()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    QScreen *from = screens.first();
    QScreen *to = nullptr;
    for (QScreen *s : screens) {
        if (s->devicePixelRatio() != from->devicePixelRatio())
            to = s;
    }
    if (!to)
        QSKIP("needs two screens of different ratios: the tst_hidpi_two_screens run has them");

    form->move(from->geometry().topLeft() + QPoint(20, 20));
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(probe->control<PicturePanel>("gamen")->pictureRatio(), from->devicePixelRatio());
    KANSU_COMPARE_RGB(probe->control<PicturePanel>("gamen")->pixel(35, 300),
                      green); // a grid line of the axes

    form->move(to->geometry().topLeft() + QPoint(20, 20));
    for (PicturePanel *p :
         { probe->control<PicturePanel>("kokuban"), probe->control<PicturePanel>("hyo"),
           probe->control<PicturePanel>("gamen") }) {
        QTRY_COMPARE(p->pictureRatio(), to->devicePixelRatio());
        QCOMPARE(p->picture().size(), p->pictureSize() * to->devicePixelRatio());
    }
    KANSU_COMPARE_RGB(probe->control<PicturePanel>("gamen")->pixel(35, 300), green);

    // Drawn from now on at the new density: a step shades the figure there.
    buildFigure(lesson(), { 3, 0, 0, 0, 0 });
    stepTo(*probe, 2);
    KANSU_COMPARE_RGB(probe->control<PicturePanel>("kokuban")->pixel(290, 250), white);
    KANSU_COMPARE_RGB(probe->control<PicturePanel>("kokuban")->pixel(310, 250), grey);
}

KANSU_TEST_MAIN(tst_HiDpi)
#include "tst_hidpi.moc"
