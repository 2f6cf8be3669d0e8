#include "compare.h"
#include "core/figurecolumns.h"
#include "lesson.h"
#include "windowtest.h"

#include <QSignalSpy>
#include <memory>

using namespace lesson;

class tst_Mouse : public WindowTest
{
    Q_OBJECT

public:
    tst_Mouse()
        : WindowTest(Shown::Exposed)
    { }

private slots:
    void releases_data();
    void releases();
    void pressesOutsideEveryAreaPickNothing_data();
    void pressesOutsideEveryAreaPickNothing();
    void dragFollowsPointer_data();
    void dragFollowsPointer();
    void moveWithNothingInHandChangesNothing();
    void noHalfTriangleLeftBehind();
    void gridStaysOnTopAfterDrop();
    void dropReturnsLessonToStart();
    void anchorsRoundHalfToEven_data();
    void anchorsRoundHalfToEven();
    void mouseUseShowsNoFocusMarks_data();
    void mouseUseShowsNoFocusMarks();

private:
    QPoint at(QPointF picture) const
    {
        return (picture + probe->control<PicturePanel>("kokuban")->pictureOffset()).toPoint();
    }
    QRectF square()
    {
        return outline(
            { probe->line(6, 0), probe->line(6, 1), probe->line(6, 2), probe->line(6, 3) });
    }
    QRectF shortBar()
    {
        return outline(
            { probe->line(7, 0), probe->line(7, 1), probe->line(7, 2), probe->line(7, 3) });
    }
    QRectF tallBar()
    {
        return outline(
            { probe->line(9, 0), probe->line(9, 1), probe->line(9, 2), probe->line(9, 3) });
    }
    QRectF triangle()
    {
        return outline({ probe->line(8, 0), probe->line(8, 1), probe->line(8, 2) });
    }
    void checkPiecesHome();
    void checkFigureAtStart(const Codes &codes);
};

void tst_Mouse::checkPiecesHome()
{
    // The palette: every piece standing on y 125, side by side.
    QCOMPARE(square(), QRectF(QPointF(300, 85), QPointF(340, 125)));
    QCOMPARE(shortBar(), QRectF(QPointF(350, 45), QPointF(390, 125)));
    QCOMPARE(tallBar(), QRectF(QPointF(400, 5), QPointF(440, 125)));
    QCOMPARE(triangle(), QRectF(QPointF(450, 5), QPointF(570, 125)));
}

// The figure is painted with its left end at B: each column up to its height, light grey as
// nothing has crossed AB yet, and nothing above it.
void tst_Mouse::checkFigureAtStart(const Codes &codes)
{
    const PicturePanel *board = probe->control<PicturePanel>("kokuban");
    for (int k = 0; k < 5; ++k) {
        const double x = 320 + 40 * k;
        const double h = heightAt(codes, x - 300);
        const QString where = QStringLiteral("column %1").arg(k);
        if (h > 0) {
            const QColor c = board->pixel(x, 300 - h / 2);
            QVERIFY2(
                sameRgb(c, grey),
                qPrintable(where + QStringLiteral(" is %1 inside, expected grey").arg(c.name())));
        }
        if (h + 10 < 120) {
            const QColor c = board->pixel(x, 300 - h - 6);
            QVERIFY2(sameRgb(c, board->backColor()),
                     qPrintable(where
                                + QStringLiteral(" is %1 above, expected the board's %2")
                                      .arg(c.name(), board->backColor().name())));
        }
    }
}

void tst_Mouse::releases_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QPointF>("press");
    QTest::addColumn<QPointF>("release");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("redraw");

    const QPointF square(320, 100), shortBar(370, 100), tallBar(420, 100), triangle(510, 100);
    auto over = [](int column) { return QPointF(320 + 40 * column, 250); };

    // Drops.
    QTest::newRow("square into column 0")
        << "0 0 0 0 0" << square << over(0) << "1 0 0 0 0" << true;
    QTest::newRow("square picked above its outline")
        << "0 0 0 0 0" << QPointF(320, 20) << over(1) << "0 1 0 0 0" << true;
    QTest::newRow("short bar at (390, 250) into column 2")
        << "0 0 0 0 0" << shortBar << QPointF(390, 250) << "0 0 2 0 0" << true;
    QTest::newRow("tall bar refused on occupied column")
        << "0 0 2 0 0" << tallBar << QPointF(390, 250) << "0 0 2 0 0" << true;
    QTest::newRow("drop just inside column 4")
        << "0 0 0 0 0" << tallBar << QPointF(499, 299) << "0 0 0 0 3" << true;
    QTest::newRow("drop on a column bound is refused")
        << "0 0 0 0 0" << square << QPointF(340, 250) << "0 0 0 0 0" << true;
    QTest::newRow("drop on B's side is refused")
        << "0 0 0 0 0" << square << QPointF(300, 250) << "0 0 0 0 0" << true;
    QTest::newRow("drop left of the figure is refused")
        << "0 0 0 0 0" << square << QPointF(250, 250) << "0 0 0 0 0" << true;
    QTest::newRow("triangle over column 1")
        << "0 0 0 0 0" << triangle << over(1) << "4 5 6 0 0" << true;
    QTest::newRow("triangle over column 2 overwrites bars beside it")
        << "0 1 0 2 0" << triangle << over(2) << "0 4 5 6 0" << true;
    QTest::newRow("triangle over column 3")
        << "0 0 0 0 0" << triangle << over(3) << "0 0 4 5 6" << true;
    QTest::newRow("triangle refused over column 0")
        << "0 0 0 0 0" << triangle << over(0) << "0 0 0 0 0" << true;
    QTest::newRow("triangle refused over column 4")
        << "0 0 0 0 0" << triangle << over(4) << "0 0 0 0 0" << true;
    QTest::newRow("triangle refused on an occupied middle")
        << "0 0 1 0 0" << triangle << over(2) << "0 0 1 0 0" << true;
    QTest::newRow("bar from column 1 copied to column 3")
        << "0 3 0 0 0" << over(1) << over(3) << "0 3 0 3 0" << true;

    // Take-offs.
    QTest::newRow("bar taken off above the palette")
        << "0 3 0 0 0" << over(1) << QPointF(360, 100) << "0 0 0 0 0" << true;
    QTest::newRow("bar taken off between palette and AD")
        << "0 3 0 0 0" << over(1) << QPointF(360, 160) << "0 0 0 0 0" << true;
    QTest::newRow("bar taken off just above AD")
        << "2 3 0 0 0" << over(1) << QPointF(360, 179) << "2 0 0 0 0" << true;
    QTest::newRow("bar taken off above the board")
        << "0 3 0 0 0" << over(1) << QPointF(360, -1) << "0 0 0 0 0" << true;
    QTest::newRow("triangle taken off by its left column")
        << "1 0 4 5 6" << over(2) << QPointF(400, 100) << "1 0 0 0 0" << true;
    QTest::newRow("triangle taken off by its middle column")
        << "1 0 4 5 6" << over(3) << QPointF(400, 100) << "1 0 0 0 0" << true;
    QTest::newRow("triangle taken off by its right column")
        << "1 0 4 5 6" << over(4) << QPointF(400, 100) << "1 0 0 0 0" << true;
    QTest::newRow("palette click changes no column")
        << "0 2 0 0 0" << shortBar << shortBar << "0 2 0 0 0" << true;

    // Releases that only end the drag.
    QTest::newRow("release on AD exactly")
        << "0 0 0 0 0" << square << QPointF(320, 180) << "0 0 0 0 0" << false;
    QTest::newRow("release on BC")
        << "0 0 0 0 0" << square << QPointF(320, 300) << "0 0 0 0 0" << false;
    QTest::newRow("piece from the figure released below BC")
        << "0 3 0 0 0" << over(1) << QPointF(360, 340) << "0 3 0 0 0" << false;
}

void tst_Mouse::releases()
{
    QFETCH(QString, before);
    QFETCH(QPointF, press);
    QFETCH(QPointF, release);
    QFETCH(QString, after);
    QFETCH(bool, redraw);

    probe->retsu() = codesFrom(before);
    const QImage picture = probe->control<PicturePanel>("kokuban")->picture();
    PicturePanel *board = probe->control<PicturePanel>("kokuban");
    QTest::mousePress(board, Qt::LeftButton, {}, at(press));
    QVERIFY(probe->tsukami() != 0);
    QTest::mouseMove(board, at((press + release) / 2));
    QTest::mouseMove(board, at(release));
    QTest::mouseRelease(board, Qt::LeftButton, {}, at(release));

    QCOMPARE(textOf(probe->retsu()), after);
    QCOMPARE(probe->tsukami(), 0.0);
    KANSU_CHECK(checkPiecesHome());
    if (redraw) {
        // The figure is drawn again at B in yellow, the colour of the pieces.
        KANSU_COMPARE_RGB(board->foreColor(), QColor(255, 255, 0));
        KANSU_COMPARE_RGB(board->pixel(299, 240), board->foreColor());
        KANSU_CHECK(checkFigureAtStart(codesFrom(after)));
    } else {
        KANSU_COMPARE_PICTURE(board->picture(), picture);
        KANSU_COMPARE_RGB(board->foreColor(), Qt::white);
    }
}

void tst_Mouse::pressesOutsideEveryAreaPickNothing_data()
{
    QTest::addColumn<QPointF>("press");
    QTest::newRow("between square and short bar") << QPointF(345, 100);
    QTest::newRow("on the square's left bound") << QPointF(300, 100);
    QTest::newRow("on the square's right bound") << QPointF(340, 100);
    QTest::newRow("on the triangle's right bound") << QPointF(570, 100);
    QTest::newRow("left of the palette") << QPointF(200, 100);
    QTest::newRow("on the palette's lower bound") << QPointF(320, 150);
    QTest::newRow("between palette and AD") << QPointF(320, 165);
    QTest::newRow("on AD over a filled column") << QPointF(320, 180);
    QTest::newRow("on BC under a filled column") << QPointF(320, 300);
    QTest::newRow("on the bound of two filled columns") << QPointF(340, 250);
    QTest::newRow("over an empty column") << QPointF(440, 250);
    QTest::newRow("left of B") << QPointF(290, 250);
}

void tst_Mouse::pressesOutsideEveryAreaPickNothing()
{
    QFETCH(QPointF, press);
    probe->retsu() = codesFrom("3 3 0 0 0");
    PicturePanel *board = probe->control<PicturePanel>("kokuban");
    const QImage picture = board->picture();
    QTest::mousePress(board, Qt::LeftButton, {}, at(press));
    QCOMPARE(probe->tsukami(), 0.0);
    QTest::mouseMove(board, at(QPointF(360, 250)));
    KANSU_CHECK(checkPiecesHome());
    QTest::mouseRelease(board, Qt::LeftButton, {}, at(QPointF(440, 250)));
    QCOMPARE(textOf(probe->retsu()), QStringLiteral("3 3 0 0 0"));
    KANSU_COMPARE_PICTURE(board->picture(), picture);
    KANSU_COMPARE_RGB(board->foreColor(), Qt::white);
}

void tst_Mouse::dragFollowsPointer_data()
{
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QPointF>("press");
    QTest::addColumn<int>("button");
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<QRectF>("piece");

    // Bars hang by their centre.
    QTest::newRow("square") << "0 0 0 0 0" << QPointF(320, 100) << int(Qt::LeftButton)
                            << QPointF(400, 250) << QRectF(380, 230, 40, 40);
    QTest::newRow("short bar with the right button")
        << "0 0 0 0 0" << QPointF(370, 100) << int(Qt::RightButton) << QPointF(400, 250)
        << QRectF(380, 210, 40, 80);
    QTest::newRow("tall bar past the top left corner")
        << "0 0 0 0 0" << QPointF(420, 100) << int(Qt::LeftButton) << QPointF(10, 20)
        << QRectF(-10, -40, 40, 120);
    QTest::newRow("tall bar from the figure")
        << "0 0 3 0 0" << QPointF(400, 250) << int(Qt::LeftButton) << QPointF(200, 150)
        << QRectF(180, 90, 40, 120);
    // The triangle hangs 75 pixels right of its tip and 45 above its base.
    QTest::newRow("triangle") << "0 0 0 0 0" << QPointF(510, 100) << int(Qt::LeftButton)
                              << QPointF(400, 250) << QRectF(325, 175, 120, 120);
    QTest::newRow("triangle by its middle column")
        << "4 5 6 0 0" << QPointF(360, 250) << int(Qt::MiddleButton) << QPointF(200, 200)
        << QRectF(125, 125, 120, 120);
}

void tst_Mouse::dragFollowsPointer()
{
    QFETCH(QString, figure);
    QFETCH(QPointF, press);
    QFETCH(int, button);
    QFETCH(QPointF, pointer);
    QFETCH(QRectF, piece);

    probe->retsu() = codesFrom(figure);
    PicturePanel *board = probe->control<PicturePanel>("kokuban");
    const auto b = Qt::MouseButton(button);
    QTest::mousePress(board, b, {}, at(press));
    QTest::mouseMove(board, at(pointer));
    const QRectF boxes[] = { square(), shortBar(), tallBar(), triangle() };
    const QRectF home[] = { QRectF(300, 85, 40, 40), QRectF(350, 45, 40, 80),
                            QRectF(400, 5, 40, 120), QRectF(450, 5, 120, 120) };
    int moved = 0;
    for (int i = 0; i < 4; ++i) {
        if (boxes[i] != home[i]) {
            ++moved;
            QCOMPARE(boxes[i], piece);
        }
    }
    QCOMPARE(moved, 1); // the others stay in the palette
    if (piece.width() == 120) {
        // Base, then the upright leg on the right, then the slope back down to the tip.
        const PanelLine *base = probe->line(8, 0), *slope = probe->line(8, 2);
        QCOMPARE(QPointF(base->x1(), base->y1()), piece.bottomLeft());
        QCOMPARE(QPointF(slope->x1(), slope->y1()), piece.topRight());
    }
    QTest::mouseRelease(board, b, {}, at(QPointF(pointer.x(), 340)));
    KANSU_CHECK(checkPiecesHome());
}

// Dragging after a press that picked nothing leaves the pieces, the figure and the picture alone.
// (Without a button held the board gets no moves at all: it does not track the mouse.)
void tst_Mouse::moveWithNothingInHandChangesNothing()
{
    probe->retsu() = codesFrom("0 2 0 0 0");
    PicturePanel *board = probe->control<PicturePanel>("kokuban");
    const QImage picture = board->picture();
    QSignalSpy moves(board, &PicturePanel::mouseMove);

    QTest::mousePress(board, Qt::LeftButton, {}, at(QPointF(345, 100)));
    QTest::mouseMove(board, at(QPointF(360, 250)));
    QTest::mouseMove(board, at(QPointF(400, 100)));
    QCOMPARE(moves.count(), 2); // the handler did run
    KANSU_CHECK(checkPiecesHome());
    KANSU_COMPARE_PICTURE(board->picture(), picture);
    QTest::mouseRelease(board, Qt::LeftButton, {}, at(QPointF(400, 100)));
    QCOMPARE(textOf(probe->retsu()), QStringLiteral("0 2 0 0 0"));
    KANSU_COMPARE_PICTURE(board->picture(), picture);
}

// A triangle dropped over a column of another takes that one off whole: the table never keeps
// a part of a triangle, which the board would draw whole and the stepping read in pieces.
void tst_Mouse::noHalfTriangleLeftBehind()
{
    PicturePanel *board = probe->control<PicturePanel>("kokuban");
    auto drag = [&](QPointF from, QPointF to) {
        QTest::mousePress(board, Qt::LeftButton, {}, at(from));
        QTest::mouseMove(board, at(to));
        QTest::mouseRelease(board, Qt::LeftButton, {}, at(to));
    };
    const QPointF triangle(510, 100);
    drag(triangle, QPointF(360, 250));
    QCOMPARE(textOf(probe->retsu()), QStringLiteral("4 5 6 0 0"));
    drag(triangle, QPointF(440, 250));
    QCOMPARE(textOf(probe->retsu()), QStringLiteral("0 0 4 5 6"));
    KANSU_CHECK(checkFigureAtStart(codesFrom("0 0 4 5 6")));

    // Back again, this time with the triangle in hand taken from the figure by its middle.
    drag(QPointF(440, 250), QPointF(360, 250));
    QCOMPARE(textOf(probe->retsu()), QStringLiteral("4 5 6 0 0"));
    KANSU_CHECK(checkFigureAtStart(codesFrom("4 5 6 0 0")));

    // A bar on one side is overwritten, a triangle on the other goes off whole.
    probe->retsu() = codesFrom("1 0 4 5 6");
    drag(triangle, QPointF(360, 250));
    QCOMPARE(textOf(probe->retsu()), QStringLiteral("4 5 6 0 0"));
    KANSU_CHECK(checkFigureAtStart(codesFrom("4 5 6 0 0")));
}

void tst_Mouse::gridStaysOnTopAfterDrop()
{
    probe->control<QCheckBox>("Check1")->setChecked(true);
    PicturePanel *board = probe->control<PicturePanel>("kokuban");
    QTest::mousePress(board, Qt::LeftButton, {}, at(QPointF(420, 100)));
    QTest::mouseRelease(board, Qt::LeftButton, {}, at(QPointF(360, 250)));
    QCOMPARE(textOf(probe->retsu()), QStringLiteral("0 3 0 0 0"));
    // Inside the tall bar in column 1: grey cells crossed by black grid lines.
    for (int g : { 200, 220, 240, 260, 280 }) {
        KANSU_COMPARE_EITHER_RGB(board->pixel(350, g), board->pixel(350, g - 1), black);
        KANSU_COMPARE_RGB(board->pixel(350, g + 10), grey);
    }
    KANSU_COMPARE_EITHER_RGB(board->pixel(360, 230), board->pixel(359, 230), black);
}

void tst_Mouse::dropReturnsLessonToStart()
{
    probe->retsu() = codesFrom("3 0 0 0 0");
    probe->control<PicturePanel>("kokuban")->setForeColor(QColor(255, 255, 0));
    for (int i = 0; i < 5; ++i)
        probe->invoke("susumu_Click");
    QCOMPARE(probe->Px(), 250.0);
    PicturePanel *board = probe->control<PicturePanel>("kokuban");

    // Released below BC: the lesson stays where it was.
    const QImage partWay = board->picture();
    QTest::mousePress(board, Qt::LeftButton, {}, at(QPointF(320, 100)));
    QTest::mouseRelease(board, Qt::LeftButton, {}, at(QPointF(400, 320)));
    QCOMPARE(probe->Px(), 250.0);
    KANSU_COMPARE_PICTURE(board->picture(), partWay);

    // Dropped: P back at B, x 0, the figure drawn there with the new piece.
    QTest::mousePress(board, Qt::LeftButton, {}, at(QPointF(320, 100)));
    QTest::mouseRelease(board, Qt::LeftButton, {}, at(QPointF(400, 250)));
    QCOMPARE(probe->Px(), 300.0);
    QCOMPARE(probe->control<QLineEdit>("Text1")->text(), QStringLiteral(" 0.0"));
    KANSU_CHECK(checkFigureAtStart(codesFrom("3 0 1 0 0")));
    KANSU_DIFFER_RGB(board->pixel(280, 250), Qt::white); // nothing crossed any more
}

void tst_Mouse::anchorsRoundHalfToEven_data()
{
    QTest::addColumn<double>("code");
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<QPoint>("anchor");
    // The square's centre is 20 right of and 100 below its anchor.
    QTest::newRow("square, halves down to even")
        << 1.0 << QPointF(320.5, 250.5) << QPoint(300, 150);
    QTest::newRow("square, halves up to even") << 1.0 << QPointF(321.5, 251.5) << QPoint(302, 152);
    QTest::newRow("short bar") << 2.0 << QPointF(20.5, 80.5) << QPoint(0, 0);
    QTest::newRow("tall bar above the board") << 3.0 << QPointF(18.5, -2.5) << QPoint(-2, -62);
    QTest::newRow("triangle") << 4.0 << QPointF(76.5, 75.5) << QPoint(2, 0);
    QTest::newRow("triangle by its right column") << 6.0 << QPointF(74.5, 73.5) << QPoint(0, -2);
    QTest::newRow("far off the board saturates")
        << 1.0 << QPointF(1e6, -1e6) << QPoint(32767, -32768);
}

void tst_Mouse::anchorsRoundHalfToEven()
{
    QFETCH(double, code);
    QFETCH(QPointF, pointer);
    QFETCH(QPoint, anchor);
    const figurecolumns::Anchor a = figurecolumns::anchorFor(code, pointer.x(), pointer.y());
    QCOMPARE(QPoint(a.x, a.y), anchor);
}

void tst_Mouse::mouseUseShowsNoFocusMarks_data()
{
    // Actions: "drop CODE COLUMN", "let go CODE" (below BC), "step", "back", "table X" (a click
    // on its column), "graph HALVES" (a drag along the plot).
    QTest::addColumn<QStringList>("actions");
    QTest::newRow("a drop, four steps, a square let go below BC")
        << QStringList { "drop 3 0", "step", "step", "step", "step", "let go 1" };
    QTest::newRow("a step back at B after a drop") << QStringList { "drop 3 0", "back" };
    QTest::newRow("a click on the table") << QStringList { "drop 4 1", "table 3" };
    QTest::newRow("a drag along the graph") << QStringList { "drop 2 2", "graph 14", "back" };
}

// The same lesson, made once by real mouse events in the active window and once by calling
// the handlers in a window the keyboard never reaches: the three panels as the screen shows
// them must be the same, pixel for pixel.
void tst_Mouse::mouseUseShowsNoFocusMarks()
{
    QFETCH(QStringList, actions);
    SideWindow side;
    QVERIFY(side.exposed);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    FormProbe &m = *probe, &h = side.probe;
    for (FormProbe *l : { &m, &h }) {
        l->control<QCheckBox>("Check2")->setChecked(true);
        l->control<QCheckBox>("Check3")->setChecked(true);
    }
    const QPointF shelf[] = { {}, { 320, 100 }, { 370, 100 }, { 420, 100 }, { 510, 100 } };
    const StateScope shown { .shownPanels = true };
    for (const QString &action : actions) {
        const QStringList w = action.split(' ');
        const int n = w.last().toInt();
        const LessonState before = lessonState(m, shown);
        const bool atB = m.Px() == 300;
        if (w[0] == "drop" || w[0] == "let") {
            const QPointF from = shelf[w[0] == "drop" ? w[1].toInt() : n];
            const QPointF to = w[0] == "drop" ? QPointF(320 + 40 * n, 250) : QPointF(320, 340);
            dragOnBoard(m.form(), from, to);
            h.mouseDown(from.x(), from.y());
            h.mouseMove(to.x(), to.y());
            h.mouseUp(to.x(), to.y());
        } else if (w[0] == "step" || w[0] == "back") {
            QTest::mouseClick(w[0] == "step" ? m.control<QPushButton>("susumu")
                                             : m.control<QPushButton>("modoru"),
                              Qt::LeftButton);
            w[0] == "step" ? h.invoke("susumu_Click") : h.invoke("modoru_Click");
        } else {
            const int halves = w[0] == "table" ? 2 * n : n;
            if (w[0] == "table") {
                QTest::mouseClick(
                    m.control<PicturePanel>("hyo"), Qt::LeftButton, {},
                    onPanel(m.control<PicturePanel>("hyo"), QPointF(45 * n + 55, 35)));
            } else {
                PicturePanel *g = m.control<PicturePanel>("gamen");
                QTest::mousePress(g, Qt::LeftButton, {}, onPanel(g, QPointF(35, 300)));
                QTest::mouseMove(g, onPanel(g, QPointF(35 + 15 * halves, 250)));
                QTest::mouseRelease(g, Qt::LeftButton, {},
                                    onPanel(g, QPointF(35 + 15 * halves, 250)));
            }
            while (h.Px() > 300 - 10 * halves)
                h.invoke("susumu_Click");
        }
        const QString difference = lessonDifference(lessonState(m, shown), lessonState(h, shown));
        QVERIFY2(difference.isEmpty(), qPrintable(action + QStringLiteral(": ") + difference));
        if (w[0] == "back" && atB) // a step back at B changes nothing at all
            KANSU_COMPARE_LESSONS(lessonState(m, shown), before);
    }
}

KANSU_TEST_MAIN(tst_Mouse)
#include "tst_mouse.moc"
