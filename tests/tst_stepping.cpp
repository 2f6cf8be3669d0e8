#include "core/numtext.h"
#include "core/steps.h"
#include "lesson.h"
#include "windowtest.h"

#include <memory>
#include <tuple>

using steps::Columns;

Q_DECLARE_METATYPE(Columns)

using namespace lesson;

namespace {

bool hasColour(const PicturePanel *panel, const QRect &box, const QColor &colour)
{
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (sameRgb(panel->pixel(x, y), colour))
                return true;
    return false;
}

// Everything a step may change, to tell "nothing changed" and "undone exactly".
struct Snapshot
{
    double Px, maex, hyoy, gurafuy;
    std::int16_t maey;
    QString x;
    double pLeft, markerLeft;
    QLineF bar;
    QImage board, table, graph;

    explicit Snapshot(FormProbe &p)
        : Px(p.Px())
        , maex(p.maex())
        , hyoy(p.hyoy())
        , gurafuy(p.gurafuy())
        , maey(p.maey())
        , x(p.control<QLineEdit>("Text1")->text())
        , pLeft(p.label(4, 8)->left())
        , markerLeft(p.Shape1()->left())
        , bar(p.line(5, 4)->x1(), p.line(5, 4)->y1(), p.line(5, 4)->x2(), p.line(5, 4)->y2())
        , board(p.control<PicturePanel>("kokuban")->picture())
        , table(p.control<PicturePanel>("hyo")->picture())
        , graph(p.control<PicturePanel>("gamen")->picture())
    { }
    /// The first field that differs from `o`, with both values; empty when all agree.
    QString differingField(const Snapshot &o) const
    {
        const auto differ = [](const char *name, const auto &mine, const auto &theirs) {
            return QStringLiteral("%1 is %2, was %3")
                .arg(QLatin1String(name), QVariant::fromValue(mine).toString(),
                     QVariant::fromValue(theirs).toString());
        };
        if (Px != o.Px)
            return differ("Px", Px, o.Px);
        if (maex != o.maex)
            return differ("maex", maex, o.maex);
        if (hyoy != o.hyoy)
            return differ("hyoy", hyoy, o.hyoy);
        if (gurafuy != o.gurafuy)
            return differ("gurafuy", gurafuy, o.gurafuy);
        if (maey != o.maey)
            return differ("maey", int(maey), int(o.maey));
        if (x != o.x)
            return differ("x text", x, o.x);
        if (pLeft != o.pLeft)
            return differ("P's label left", pLeft, o.pLeft);
        if (markerLeft != o.markerLeft)
            return differ("P's marker left", markerLeft, o.markerLeft);
        return {};
    }
    /// The first picture that differs from `o`, and where; empty when all three agree.
    QString differingPicture(const Snapshot &o) const
    {
        for (const auto &[name, mine, theirs] :
             { std::tuple { "board", &board, &o.board }, std::tuple { "table", &table, &o.table },
               std::tuple { "graph", &graph, &o.graph } }) {
            const QString difference = pictureDifference(*mine, *theirs);
            if (!difference.isEmpty())
                return QLatin1String(name) + QStringLiteral(": ") + difference;
        }
        return {};
    }
};

} // namespace

class tst_Stepping : public WindowTest
{
    Q_OBJECT

private slots:
    void placesAfterSteps_data();
    void placesAfterSteps();
    void noStepPastEitherEnd_data();
    void noStepPastEitherEnd();
    void stepBackUndoesAStep_data();
    void stepBackUndoesAStep();
    void workedExampleTable();
    void workedExampleBuiltByMouse();
    void returnToStartKeepsTheFigure_data();
    void returnToStartKeepsTheFigure();
    void dimensionLine();
    void staleAreaIncrements_data();
    void staleAreaIncrements();
    void tableSwitchedOnPartWay_data();
    void tableSwitchedOnPartWay();
    void graphShowsOnlyWhatWasPlotted_data();
    void graphShowsOnlyWhatWasPlotted();

private:
    void steps(int n)
    {
        for (int i = 0; i < n; ++i)
            probe->invoke("susumu_Click");
    }
    // The worked example with the table and the graph shown, after n steps from the start.
    void workedExampleAfter(int n)
    {
        buildFigure(lesson(), workedExample);
        probe->control<QCheckBox>("Check2")->setChecked(true);
        probe->control<QCheckBox>("Check3")->setChecked(true);
        steps(n);
    }
    void stepsBack(int n)
    {
        for (int i = 0; i < n; ++i)
            probe->invoke("modoru_Click");
    }
};

void tst_Stepping::placesAfterSteps_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("Px");
    QTest::addColumn<QString>("x");
    QTest::addColumn<double>("pLeft");
    QTest::addColumn<double>("markerLeft");
    QTest::addColumn<QPointF>("label");
    QTest::newRow("first step") << 1 << 290.0 << " 0.5" << 272.0 << 286.0 << QPointF(278, 325);
    QTest::newRow("x 3.0 label still low")
        << 6 << 240.0 << " 3.0" << 222.0 << 236.0 << QPointF(253, 325);
    QTest::newRow("x 3.5 label rises")
        << 7 << 230.0 << " 3.5" << 212.0 << 226.0 << QPointF(248, 300);
    QTest::newRow("twentieth step") << 20 << 100.0 << " 10.0" << 82.0 << 96.0 << QPointF(183, 300);
}

void tst_Stepping::placesAfterSteps()
{
    QFETCH(int, count);
    QFETCH(double, Px);
    QFETCH(QString, x);
    QFETCH(double, pLeft);
    QFETCH(double, markerLeft);
    QFETCH(QPointF, label);
    steps(count);
    QCOMPARE(probe->Px(), Px);
    QCOMPARE(probe->control<QLineEdit>("Text1")->text(), x);
    QCOMPARE(probe->label(4, 8)->left(), pLeft);
    QCOMPARE(probe->Shape1()->left(), markerLeft);
    QCOMPARE(QPointF(probe->label(4, 6)->left(), probe->label(4, 6)->top()), label);
    QVERIFY(probe->label(4, 6)->isVisible());
    // The dimension line (ticked at start) runs from B to P.
    QCOMPARE(QLineF(probe->line(5, 4)->x1(), probe->line(5, 4)->y1(), probe->line(5, 4)->x2(),
                    probe->line(5, 4)->y2()),
             QLineF(300, 300, Px, 300));
}

void tst_Stepping::noStepPastEitherEnd_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("forward");
    QTest::newRow("出す at the end") << 20 << true;
    QTest::newRow("戻す at the start") << 0 << false;
}

void tst_Stepping::noStepPastEitherEnd()
{
    QFETCH(int, from);
    QFETCH(bool, forward);
    workedExampleAfter(from);
    QCOMPARE(probe->Px(), forward ? 100.0 : 300.0);
    const Snapshot before(*probe);
    if (forward)
        probe->invoke("susumu_Click");
    else
        probe->invoke("modoru_Click");
    const Snapshot after(*probe);
    QCOMPARE(after.differingField(before), QString());
    QCOMPARE(after.bar, before.bar);
    QCOMPARE(after.differingPicture(before), QString());
    if (!forward)
        QVERIFY(!probe->label(4, 6)->isVisible());
}

void tst_Stepping::stepBackUndoesAStep_data()
{
    QTest::addColumn<int>("from");
    QTest::newRow("from the start") << 0;
    QTest::newRow("into a whole x") << 5;
    QTest::newRow("on the triangle") << 9;
    QTest::newRow("on the bar") << 13;
    QTest::newRow("into the end") << 19;
}

void tst_Stepping::stepBackUndoesAStep()
{
    QFETCH(int, from);
    workedExampleAfter(from);
    const Snapshot before(*probe);
    probe->invoke("susumu_Click");
    QVERIFY(probe->control<PicturePanel>("gamen")->picture() != before.graph);
    probe->invoke("modoru_Click");
    const Snapshot after(*probe);
    QCOMPARE(after.differingField(before), QString());
    if (from > 0)
        QCOMPARE(after.bar, before.bar);
    // The table's column is blank again: erasing prints the same texts in the paper colour.
    KANSU_COMPARE_PICTURE(after.table, before.table);
    // The wiped segment leaves the graph exactly as it was: axes, grid and the segment before.
    KANSU_COMPARE_PICTURE(after.graph, before.graph);
}

void tst_Stepping::workedExampleTable()
{
    buildFigure(lesson(), workedExample);
    probe->control<QCheckBox>("Check3")->setChecked(true);
    steps(20);

    // The table as the lesson expects it, printed the same way into a panel of the same kind:
    // x and y of every whole x at their left edges.
    const struct
    {
        const char *x;
        double xLeft;
        const char *y;
        double yLeft;
    } columns[] = {
        { " 1", 95, " .5", 87 },    { " 2", 140, " 2", 140 },    { " 3", 185, " 4.5", 177 },
        { " 4", 230, " 8", 230 },   { " 5", 275, " 12.5", 262 }, { " 6", 320, " 18", 315 },
        { " 7", 365, " 22", 360 },  { " 8", 410, " 26", 405 },   { " 9", 455, " 26", 450 },
        { " 10", 495, " 26", 495 },
    };
    PicturePanel expected;
    expected.setFont(probe->control<PicturePanel>("hyo")->font());
    expected.setBackColor(paper);
    expected.setOuterGeometry(probe->control<PicturePanel>("hyo")->geometry());
    expected.setPictureRatio(probe->control<PicturePanel>("hyo")->pictureRatio());
    expected.clear();
    expected.setForeColor(blue);
    expected.printAt(QPointF(60, 25), QStringLiteral("0"));
    expected.printAt(QPointF(60, 70), QStringLiteral("0"));
    for (const auto &c : columns) {
        expected.printAt(QPointF(c.xLeft, 25), QString::fromLatin1(c.x));
        expected.printAt(QPointF(c.yLeft, 70), QString::fromLatin1(c.y));
        // The column's box in the y row took the text colour.
        QVERIFY2(hasColour(probe->control<PicturePanel>("hyo"),
                           QRect(int(c.xLeft) - 15, 70, 60, 25), blue),
                 c.y);
    }
    KANSU_COMPARE_PICTURE(probe->control<PicturePanel>("hyo")->picture(), expected.picture());
    QCOMPARE(probe->hyoy(), 26.0);
}

void tst_Stepping::workedExampleBuiltByMouse()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    PicturePanel *board = probe->control<PicturePanel>("kokuban");
    auto drag = [board](QPointF from, QPointF to) {
        const QPoint offset = board->pictureOffset();
        QTest::mousePress(board, Qt::LeftButton, {}, from.toPoint() + offset);
        QTest::mouseMove(board, ((from + to) / 2).toPoint() + offset);
        QTest::mouseMove(board, to.toPoint() + offset);
        QTest::mouseRelease(board, Qt::LeftButton, {}, to.toPoint() + offset);
    };
    probe->control<QCheckBox>("Check2")->setChecked(true);
    probe->control<QCheckBox>("Check3")->setChecked(true);
    drag(QPointF(510, 100), QPointF(360, 250)); // the triangle, centred on column 1
    drag(QPointF(370, 100), QPointF(440, 250)); // the short bar into column 3
    QCOMPARE(probe->retsu(), workedExample);

    // At every half x the white part of the blackboard, the graph and (at whole x) the table
    // agree on y. Counted in pixels, 400 to the cm², y lies between the white pixels alone and
    // the white pixels with the 2-pixel outline strokes left of AB, which straddle the edges.
    for (int n = 1; n <= 20; ++n) {
        QTest::mouseClick(probe->control<QPushButton>("susumu"), Qt::LeftButton);
        const double x = n / 2.0;
        const double y = workedExampleY(x);
        QCOMPARE(probe->gurafuy(), y);
        if (n % 2 == 0)
            QCOMPARE(probe->hyoy(), y);
        int white = 0, outline = 0;
        for (int j = 0; j < 300; ++j)
            for (int i = 0; i < 300; ++i) {
                const QColor c = board->pixel(i, j);
                white += sameRgb(c, Qt::white);
                outline += sameRgb(c, yellow);
            }
        const QString detail
            = QStringLiteral("x %1: white %2, outline %3").arg(x).arg(white).arg(outline);
        QVERIFY2(white <= 400 * y, qPrintable(detail));
        QVERIFY2(400 * y <= white + outline, qPrintable(detail));
    }
}

void tst_Stepping::returnToStartKeepsTheFigure_data()
{
    QTest::addColumn<int>("from");
    QTest::newRow("at the start") << 0;
    QTest::newRow("x 3.0") << 6;
    QTest::newRow("x 6.5") << 13;
    QTest::newRow("at the end") << 20;
}

void tst_Stepping::returnToStartKeepsTheFigure()
{
    QFETCH(int, from);
    buildFigure(lesson(), workedExample);
    probe->control<QCheckBox>("Check1")->setChecked(true);
    probe->control<QCheckBox>("Check2")->setChecked(true);
    probe->control<QCheckBox>("Check3")->setChecked(true);
    probe->invoke("Command2_Click");
    const Snapshot start(*probe);
    steps(from);
    probe->control<QPushButton>("tomeru")->setEnabled(true);
    probe->invoke("Command2_Click");
    const Snapshot back(*probe);

    QCOMPARE(probe->control<QLineEdit>("Text1")->text(), QStringLiteral(" 0.0"));
    QCOMPARE(probe->Px(), 300.0);
    QCOMPARE(probe->maex(), 35.0);
    QCOMPARE(probe->maey(), std::int16_t(480));
    QCOMPARE(probe->hyoy(), 0.0);
    QCOMPARE(probe->gurafuy(), 0.0);
    QVERIFY(!probe->control<QPushButton>("tomeru")->isEnabled());
    QVERIFY(!probe->label(4, 6)->isVisible());
    QCOMPARE(probe->retsu(), workedExample);
    QCOMPARE(back.differingField(start), QString());
    QCOMPARE(back.differingPicture(start), QString());
    // And it runs the same way again.
    steps(20);
    QCOMPARE(probe->gurafuy(), 26.0);
    QCOMPARE(probe->hyoy(), 26.0);
}

void tst_Stepping::dimensionLine()
{
    auto line = [this] {
        return QLineF(probe->line(5, 4)->x1(), probe->line(5, 4)->y1(), probe->line(5, 4)->x2(),
                      probe->line(5, 4)->y2());
    };
    steps(10);
    QCOMPARE(line(), QLineF(300, 300, 200, 300));
    probe->control<QCheckBox>("Check4")->setChecked(false);
    QCOMPARE(line(), QLineF(300, 800, 200, 800));
    // Unticked, steps leave the line where it waits.
    steps(2);
    probe->invoke("modoru_Click");
    QCOMPARE(line(), QLineF(300, 800, 200, 800));
    probe->control<QCheckBox>("Check4")->setChecked(true);
    QCOMPARE(line(), QLineF(300, 300, 190, 300));
    stepsBack(11);
    QCOMPARE(line(), QLineF(300, 300, 300, 300));
}

void tst_Stepping::staleAreaIncrements_data()
{
    QTest::addColumn<Columns>("firstFigure");
    QTest::addColumn<int>("firstSteps");
    QTest::addColumn<Columns>("figure");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("y");
    QTest::newRow("square in column 0, then the triangle, y at 2")
        << Columns { 1, 0, 0, 0, 0 } << 4 << Columns { 4, 5, 6, 0, 0 } << 4 << 2.0;
    QTest::newRow("tall bar stopped in column 4, then the triangle over columns 2 to 4")
        << Columns { 0, 0, 0, 0, 3 } << 18 << Columns { 0, 0, 4, 5, 6 } << 20 << 18.0;
    QTest::newRow("triangle, then a square in column 0, y at 2")
        << Columns { 4, 5, 6, 0, 0 } << 20 << Columns { 1, 0, 0, 0, 0 } << 4 << 4.0;
}

void tst_Stepping::staleAreaIncrements()
{
    QFETCH(Columns, firstFigure);
    QFETCH(int, firstSteps);
    QFETCH(Columns, figure);
    QFETCH(int, count);
    QFETCH(double, y);
    probe->control<QCheckBox>("Check3")->setChecked(true);
    probe->retsu() = firstFigure;
    steps(firstSteps);
    probe->invoke("Command2_Click");
    probe->retsu() = figure;
    steps(count);
    QCOMPARE(probe->hyoy(), y);
    QCOMPARE(probe->gurafuy(), y);
    // And back to the start, every strip comes off again.
    stepsBack(count);
    QCOMPARE(probe->gurafuy(), 0.0);
    QCOMPARE(probe->hyoy(), 0.0);
}

void tst_Stepping::tableSwitchedOnPartWay_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("left");
    QTest::newRow("ticked at x 5") << 10 << 0 << 12.5 << 262.0;
    QTest::newRow("ticked at x 4.5, then on to 5") << 9 << 1 << 12.5 << 262.0;
    QTest::newRow("ticked at x 5, then on to the end") << 10 << 10 << 26.0 << 495.0;
    QTest::newRow("ticked at x 7") << 14 << 0 << 22.0 << 360.0;
    QTest::newRow("ticked at the start, on to 6") << 0 << 12 << 18.0 << 315.0;
}

void tst_Stepping::tableSwitchedOnPartWay()
{
    QFETCH(int, before);
    QFETCH(int, after);
    QFETCH(double, y);
    QFETCH(double, left);
    buildFigure(lesson(), workedExample);
    steps(before);
    probe->control<QCheckBox>("Check3")->setChecked(true);
    steps(after);
    QCOMPARE(probe->hyoy(), y);
    // The printed y is that value, at its left edge.
    PicturePanel expected;
    expected.setFont(probe->control<PicturePanel>("hyo")->font());
    expected.setBackColor(paper);
    expected.setOuterGeometry(probe->control<PicturePanel>("hyo")->geometry());
    expected.setPictureRatio(probe->control<PicturePanel>("hyo")->pictureRatio());
    expected.clear();
    expected.setForeColor(blue);
    const QString text = numtext::printed(y);
    expected.printAt(QPointF(left, 70), text);
    const QRect box(int(left) - 1, 66, QFontMetrics(expected.font()).horizontalAdvance(text) + 2,
                    30);
    QVERIFY(hasColour(probe->control<PicturePanel>("hyo"), box, blue));
    KANSU_COMPARE_PICTURE(probe->control<PicturePanel>("hyo")->picture().copy(box),
                          expected.picture().copy(box));
    // Stepping back from there takes the table down to nothing again.
    stepsBack(before + after);
    QCOMPARE(probe->hyoy(), 0.0);
}

void tst_Stepping::graphShowsOnlyWhatWasPlotted_data()
{
    // Actions: '>' 出す, '<' 戻す, 'g' a click on "グラフ". Segment k joins x = (k - 1) / 2 and
    // k / 2; the graph shows those drawn while it was shown and not wiped since.
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QList<int>>("shown");
    QTest::newRow("shown only for a step back") << "3 0 0 0 0"
                                                << ">>>>>>>g<" << QList<int> {};
    QTest::newRow("hidden part-way, one step back") << "4 5 6 2 0"
                                                    << "g>>g>>>g<" << QList<int> { 1, 2 };
    QTest::newRow("hidden part-way, back into what was plotted")
        << "4 5 6 2 0"
        << "g>>>g>>>>g<<<<<" << QList<int> { 1, 2 };
    QTest::newRow("hidden while stepping back") << "3 3 3 3 3"
                                                << "g>>>>>g<<g<" << QList<int> { 1, 2, 4, 5 };
}

void tst_Stepping::graphShowsOnlyWhatWasPlotted()
{
    QFETCH(QString, figure);
    QFETCH(QString, actions);
    QFETCH(QList<int>, shown);
    const Codes codes = codesFrom(figure);
    buildFigure(lesson(), codes);
    for (const QChar a : actions) {
        if (a == QLatin1Char('>'))
            probe->invoke("susumu_Click");
        else if (a == QLatin1Char('<'))
            probe->invoke("modoru_Click");
        else
            probe->control<QCheckBox>("Check2")->setChecked(
                !probe->control<QCheckBox>("Check2")->isChecked());
    }
    // Around the middle of each segment: blue exactly where a segment stands.
    for (int k = 1; k <= 20; ++k) {
        const double x = (k - 0.5) / 2;
        const double y = (areaWithin(codes, x - 0.25) + areaWithin(codes, x + 0.25)) / 2;
        const QPoint middle(qRound(30 * x + 35), qRound(480 - 7.5 * y));
        QVERIFY2(hasColour(probe->control<PicturePanel>("gamen"),
                           QRect(middle - QPoint(1, 1), QSize(3, 3)), blue)
                     == shown.contains(k),
                 qPrintable(QStringLiteral("segment %1 should %2")
                                .arg(k)
                                .arg(shown.contains(k) ? "stand" : "be absent")));
    }
}

KANSU_TEST_MAIN(tst_Stepping)
#include "tst_stepping.moc"
