#include "compare.h"
#include "lesson.h"
#include "tools/jump/jump.h"
#include "windowtest.h"

#include <QAccessible>
#include <QRandomGenerator>

#ifdef KANSU_QPA_ACCESSIBILITY
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#endif

// Moving P from the table and the graph. A jump must leave the lesson exactly as the same
// number of clicks on "出す" or "戻す" would: two windows side by side, one jumping and one
// stepping, compared field for field and pixel for pixel. Run at ratio 1 and, by
// tests/CMakeLists.txt, again at ratio 2.

using namespace lesson;

namespace {

// Where the learner presses, in panel pictures: the palette pieces and the figure's columns on
// the board, a column's x and y cells in the table (its numbers stand at 45 x + 50, x = 0 at
// 60), and a half centimetre on the graph (30 pixels to the cm from x = 35).
const QPointF squareHome(320, 100), shortBarHome(370, 100), tallBarHome(420, 100),
    triangleHome(510, 100);
QPointF overColumn(int k)
{
    return QPointF(320 + 40 * k, 250);
}
QPointF tableCell(int x, bool yRow)
{
    return QPointF(x == 0 ? 65 : 45 * x + 55, yRow ? 80 : 35);
}
QPointF graphAt(int halves, double y)
{
    return QPointF(35 + 15 * halves, y);
}

PicturePanel *boardOf(const Lesson &l)
{
    return l.panel(Lesson::Panel::Board);
}
PicturePanel *tableOf(const Lesson &l)
{
    return l.panel(Lesson::Panel::Table);
}
PicturePanel *graphOf(const Lesson &l)
{
    return l.panel(Lesson::Panel::Graph);
}

} // namespace

// The fixture's window jumps; a second window beside it takes the steps one click at a time.
class tst_Jump : public WindowTest
{
    Q_OBJECT

public:
    tst_Jump()
        : WindowTest(Shown::Exposed)
    { }

private slots:
    void tableColumnAt_data();
    void tableColumnAt();
    void graphHalfNearest_data();
    void graphHalfNearest();
    void jumpEqualsSteps_data();
    void jumpEqualsSteps();
    void keysOnAFocusedPanel_data();
    void keysOnAFocusedPanel();
    void pressesThatMoveNothing_data();
    void pressesThatMoveNothing();
    void nothingMovesDuringAutomaticPlay();
    void panelsTakeTheFocusOnlyWhenShown();
    void aJumpPaintsAsOftenAsOneStep();
    void aJumpSaysXAndYOnce();

private:
    static void build(Form1 &l, const Codes &codes);
    static void views(Form1 &l, bool grid, bool graph, bool table, bool dimension);
    static void steps(Form1 &l, int from, int to);

    void setUp() override
    {
        stepper = std::make_unique<SideWindow>();
        QVERIFY(stepper->exposed);
        // The jumping window is the active one: its panels take the focus and the keys.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void tearDown() override { stepper.reset(); }

    std::unique_ptr<SideWindow> stepper;
};

// Builds the figure as a learner does: each piece dragged from the palette to its column.
void tst_Jump::build(Form1 &l, const Codes &codes)
{
    const QPointF homes[] = { squareHome, shortBarHome, tallBarHome };
    for (int k = 0; k < 5; ++k) {
        if (codes[k] >= 1 && codes[k] <= 3)
            dragOnBoard(l, homes[int(codes[k]) - 1], overColumn(k));
        else if (codes[k] == 4)
            dragOnBoard(l, triangleHome, overColumn(k + 1));
    }
    QCOMPARE(textOf(l.state().columns), textOf(codes));
}

void tst_Jump::views(Form1 &l, bool grid, bool graph, bool table, bool dimension)
{
    l.setShown(Lesson::View::Grid, grid);
    l.setShown(Lesson::View::Graph, graph);
    l.setShown(Lesson::View::Table, table);
    l.setShown(Lesson::View::DimensionLine, dimension);
}

void tst_Jump::steps(Form1 &l, int from, int to)
{
    for (int i = from; i < to; ++i)
        controlOf<QPushButton>(l, "susumu")->click();
    for (int i = from; i > to; --i)
        controlOf<QPushButton>(l, "modoru")->click();
}

void tst_Jump::tableColumnAt_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<int>("column"); // -1: none
    QTest::newRow("x cell of 0") << tableCell(0, false) << 0;
    QTest::newRow("y cell of 0") << tableCell(0, true) << 0;
    QTest::newRow("x cell of 1") << tableCell(1, false) << 1;
    QTest::newRow("y cell of 7") << tableCell(7, true) << 7;
    QTest::newRow("x cell of 10") << tableCell(10, false) << 10;
    QTest::newRow("left edge of the y cell of 10, where 42.5 starts") << QPointF(487, 80) << 10;
    QTest::newRow("on the frame's upright line") << QPointF(32, 35) << -1;
    QTest::newRow("the row headings") << QPointF(15, 80) << -1;
    QTest::newRow("right of the column of 10") << QPointF(540, 35) << -1;
    QTest::newRow("above the rows") << QPointF(200, 4) << -1;
    QTest::newRow("below the rows") << QPointF(200, 106) << -1;
}

void tst_Jump::tableColumnAt()
{
    QFETCH(QPointF, point);
    QFETCH(int, column);
    QCOMPARE(jump::tableColumnAt(point.x(), point.y()).value_or(-1), column);
}

void tst_Jump::graphHalfNearest_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("halves");
    QTest::newRow("origin") << 35.0 << 0;
    QTest::newRow("left of the axis") << 20.0 << 0;
    QTest::newRow("just short of a quarter") << 42.0 << 0;
    QTest::newRow("just past a quarter") << 43.0 << 1;
    QTest::newRow("x = 3") << 125.0 << 6;
    QTest::newRow("x = 10") << 335.0 << 20;
    QTest::newRow("past 10 holds at 10") << 380.0 << 20;
}

void tst_Jump::graphHalfNearest()
{
    QFETCH(double, x);
    QFETCH(int, halves);
    QCOMPARE(jump::graphHalfNearest(x), halves);
}

void tst_Jump::jumpEqualsSteps_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : { 1u, 2u, 3u, 4u, 5u, 6u })
        QTest::addRow("seed %u", seed) << seed;
}

void tst_Jump::jumpEqualsSteps()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    // The pictures are kept at the screen's ratio: the run at ratio 2 really draws at 2.
    QCOMPARE(tableOf(*form)->pictureRatio(), form->devicePixelRatioF());

    Codes codes {};
    for (int k = 0; k < 5;) {
        if (k <= 2 && random.bounded(4) == 0) {
            codes[k] = 4, codes[k + 1] = 5, codes[k + 2] = 6;
            k += 3;
        } else {
            codes[k++] = random.bounded(4);
        }
    }
    const bool grid = random.bounded(2), dimension = random.bounded(3) != 0;
    const bool graph = random.bounded(4) != 0, table = !graph || random.bounded(2);
    Form1 &j = *form, &s = *stepper->form;
    for (Form1 *l : { &j, &s }) {
        views(*l, grid, graph, table, dimension);
        build(*l, codes);
    }
    const int start = random.bounded(21);
    steps(j, 0, start);
    steps(s, 0, start);
    KANSU_COMPARE_LESSONS(j, s);

    for (int trial = 0; trial < 6; ++trial) {
        const int from = j.state().halves;
        int to = random.bounded(21);
        QString how;
        // Graph clicks and drags with the graph shown, table clicks with the table, keys always.
        std::vector<int> means { 3 };
        if (graph)
            means.insert(means.end(), { 0, 1 });
        if (table)
            means.push_back(2);
        switch (means[random.bounded(int(means.size()))]) {
        case 0: // a click in the graph's plot, anywhere up its height
            how = QStringLiteral("graph click");
            QTest::mouseClick(graphOf(j), Qt::LeftButton, {},
                              onPanel(graphOf(j), graphAt(to, random.bounded(5, 480))));
            break;
        case 1: // a drag along the plot, ending at the target
            how = QStringLiteral("graph drag");
            QTest::mousePress(graphOf(j), Qt::LeftButton, {},
                              onPanel(graphOf(j), graphAt(from, 300)));
            for (int h : { (from + to) / 2, to })
                QTest::mouseMove(graphOf(j), onPanel(graphOf(j), graphAt(h, 200)));
            QTest::mouseRelease(graphOf(j), Qt::LeftButton, {},
                                onPanel(graphOf(j), graphAt(to, 200)));
            break;
        case 2: // a click on the table's x or y cell of a whole x
            to -= to % 2;
            how = QStringLiteral("table click");
            QTest::mouseClick(tableOf(j), Qt::LeftButton, {},
                              onPanel(tableOf(j), tableCell(to / 2, random.bounded(2))));
            break;
        default: { // a key on the focused panel
            PicturePanel *panel = table ? tableOf(j) : graphOf(j);
            panel->setFocus();
            const Qt::Key keys[] = { Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right };
            const Qt::Key key = keys[random.bounded(4)];
            to = key == Qt::Key_Home ? 0
                : key == Qt::Key_End ? 20
                                     : std::clamp(from + (key == Qt::Key_Left ? -1 : 1), 0, 20);
            how = QStringLiteral("key %1").arg(QKeySequence(key).toString());
            QTest::keyClick(form->windowHandle(), key);
            break;
        }
        }
        steps(s, from, to);
        const QString where = QStringLiteral("figure %1, %2 from %3 to %4 halves")
                                  .arg(textOf(codes), how)
                                  .arg(from)
                                  .arg(to);
        QCOMPARE(j.state().halves, to);
        const QString difference = lessonDifference(j, s);
        QVERIFY2(difference.isEmpty(), qPrintable(where + QStringLiteral(": ") + difference));
    }
}

void tst_Jump::keysOnAFocusedPanel_data()
{
    QTest::addColumn<bool>("graph");
    QTest::addColumn<int>("start");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("halves");
    for (bool graph : { false, true }) {
        const char *panel = graph ? "graph" : "table";
        QTest::addRow("%s: Right from 0", panel) << graph << 0 << Qt::Key_Right << 1;
        QTest::addRow("%s: Left from 7", panel) << graph << 7 << Qt::Key_Left << 6;
        QTest::addRow("%s: Left at 0 stays", panel) << graph << 0 << Qt::Key_Left << 0;
        QTest::addRow("%s: Right at 20 stays", panel) << graph << 20 << Qt::Key_Right << 20;
        QTest::addRow("%s: End from 3", panel) << graph << 3 << Qt::Key_End << 20;
        QTest::addRow("%s: Home from 13", panel) << graph << 13 << Qt::Key_Home << 0;
        QTest::addRow("%s: PageDown stays a step", panel) << graph << 4 << Qt::Key_PageDown << 5;
    }
}

void tst_Jump::keysOnAFocusedPanel()
{
    QFETCH(bool, graph);
    QFETCH(int, start);
    QFETCH(Qt::Key, key);
    QFETCH(int, halves);
    Form1 &j = *form;
    views(j, false, graph, !graph, true);
    build(j, codesFrom("4 5 6 2 0"));
    steps(j, 0, start);
    PicturePanel *panel = graph ? graphOf(j) : tableOf(j);
    QTest::mouseClick(panel, Qt::LeftButton, {}, onPanel(panel, QPointF(2, 2))); // outside cells
    QCOMPARE(QApplication::focusWidget(), panel);
    QCOMPARE(j.state().halves, start);
    // Its blue frame shows only once the panel's own keys are used, not after a click.
    QCOMPARE(panel->frameShadow(), QFrame::Sunken);

    QTest::keyClick(form->windowHandle(), key);

    QCOMPARE(j.state().halves, halves);
    // y as the graph holds it, from the fields the lesson compares.
    QCOMPARE(lessonState(j).value(QStringLiteral("gurafuy()")).toDouble(),
             areaWithin(j.state().columns, halves / 2.0));
    QCOMPARE(panel->frameShadow(), key == Qt::Key_PageDown ? QFrame::Sunken : QFrame::Plain);
    QTest::mouseClick(panel, Qt::LeftButton, {}, onPanel(panel, QPointF(2, 2)));
    QCOMPARE(panel->frameShadow(), QFrame::Sunken);
}

void tst_Jump::pressesThatMoveNothing_data()
{
    QTest::addColumn<bool>("graph");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("predicting");
    const QPointF cell = tableCell(6, true), plot = graphAt(12, 200);
    QTest::newRow("table: left of the cells")
        << false << QPointF(20, 80) << Qt::LeftButton << false;
    QTest::newRow("table: below the rows") << false << QPointF(300, 107) << Qt::LeftButton << false;
    QTest::newRow("table: right of the last column")
        << false << QPointF(560, 35) << Qt::LeftButton << false;
    QTest::newRow("table: right button") << false << cell << Qt::RightButton << false;
    QTest::newRow("table: middle button") << false << cell << Qt::MiddleButton << false;
    QTest::newRow("table: prediction on") << false << cell << Qt::LeftButton << true;
    QTest::newRow("graph: below the axis") << true << QPointF(200, 495) << Qt::LeftButton << false;
    QTest::newRow("graph: left of the axis") << true << QPointF(20, 200) << Qt::LeftButton << false;
    QTest::newRow("graph: right of the grid")
        << true << QPointF(387, 200) << Qt::LeftButton << false;
    QTest::newRow("graph: right button") << true << plot << Qt::RightButton << false;
    QTest::newRow("graph: prediction on") << true << plot << Qt::LeftButton << true;
}

void tst_Jump::pressesThatMoveNothing()
{
    QFETCH(bool, graph);
    QFETCH(QPointF, point);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, predicting);
    Form1 &j = *form;
    Form1 &s = *stepper->form;
    for (Form1 *l : { &j, &s }) {
        views(*l, false, true, true, true);
        build(*l, codesFrom("1 4 5 6 3"));
        steps(*l, 0, 3);
    }
    ToolHost::of(&j)->setOn(u"predict", predicting);
    PicturePanel *panel = graph ? graphOf(j) : tableOf(j);
    QTest::mousePress(panel, button, {}, onPanel(panel, point));
    QTest::mouseMove(panel, onPanel(panel, graphAt(18, 200)));
    QTest::mouseRelease(panel, button, {}, onPanel(panel, graphAt(18, 200)));
    if (QMenu *menu = ToolHost::of(&j)->menu(); menu->isVisible())
        menu->hide(); // the right button opened it

    if (predicting) // the presses are the prediction tool's: P stays
        QCOMPARE(j.state().halves, s.state().halves);
    else
        KANSU_COMPARE_LESSONS(j, s);
}

void tst_Jump::nothingMovesDuringAutomaticPlay()
{
    Form1 &j = *form;
    views(j, false, true, true, true);
    build(j, codesFrom("4 5 6 2 0"));
    // A pause of a second after each step: the presses below land in the first pause.
    controlOf<QComboBox>(j, "Combo1")->setEditText(QStringLiteral("200"));
    int before = -1, after = -1;
    duringPause(
        [&] {
            before = j.state().halves;
            QTest::mouseClick(tableOf(j), Qt::LeftButton, {},
                              onPanel(tableOf(j), tableCell(8, false)));
            QTest::mouseClick(graphOf(j), Qt::LeftButton, {},
                              onPanel(graphOf(j), graphAt(16, 200)));
            graphOf(j)->setFocus();
            QTest::keyClick(form->windowHandle(), Qt::Key_End);
            after = j.state().halves;
        },
        true);
    controlOf<QPushButton>(j, "jidou")->click();
    QVERIFY(before >= 0);
    QCOMPARE(after, before);
    QCOMPARE(j.state().halves, 1);
}

void tst_Jump::panelsTakeTheFocusOnlyWhenShown()
{
    Form1 &j = *form;
    QWidget *first = QApplication::focusWidget();
    // The default screen: the hidden table and graph cannot take the focus, neither shows a
    // focus frame (the blackboard takes it for building by keys).
    for (PicturePanel *panel : { tableOf(j), graphOf(j) }) {
        QCOMPARE(panel->focusPolicy(), Qt::NoFocus);
        QCOMPARE(panel->frameShadow(), QFrame::Sunken);
    }
    QTest::mouseClick(tableOf(j), Qt::LeftButton, {}, onPanel(tableOf(j), tableCell(3, false)));
    QCOMPARE(QApplication::focusWidget(), first);
    QCOMPARE(j.state().halves, 0);

    views(j, false, true, true, true);
    const QImage table = tableOf(j)->grab().toImage();
    controlOf<QCheckBox>(j, "Check2")->setFocus();
    QTest::keyClick(form->windowHandle(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), tableOf(j));
    QCOMPARE(tableOf(j)->frameShadow(), QFrame::Plain);
    QTest::keyClick(form->windowHandle(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), graphOf(j));
    QCOMPARE(tableOf(j)->frameShadow(), QFrame::Sunken);
    QCOMPARE(graphOf(j)->frameShadow(), QFrame::Plain);
    KANSU_COMPARE_PICTURE(tableOf(j)->grab().toImage(), table); // the frame as it was

    // Hidden again, the graph gives the focus back to its check box.
    QTest::mouseClick(controlOf<QCheckBox>(j, "Check2"), Qt::LeftButton);
    QCOMPARE(graphOf(j)->focusPolicy(), Qt::NoFocus);
    QCOMPARE(QApplication::focusWidget(), controlOf<QCheckBox>(j, "Check2"));
    QCOMPARE(graphOf(j)->frameShadow(), QFrame::Sunken);
}

void tst_Jump::aJumpPaintsAsOftenAsOneStep()
{
    Form1 &j = *form;
    views(j, true, true, true, true);
    build(j, codesFrom("4 5 6 2 0"));
    steps(j, 0, 3); // the step below, to x = 2, writes a column of the table
    tableOf(j)->setFocus(); // the click below changes no focus frame
    struct Counter : QObject
    {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    };
    PicturePanel *panels[] = { boardOf(j), tableOf(j), graphOf(j) };
    // Repaints wait in the event queue as posted update requests: delivering them all paints
    // whatever is pending, however busy the machine.
    const auto settle = [] {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    };
    // Paints of each panel after `change`, once the window has settled.
    const auto paints = [&](auto change) {
        settle();
        Counter counters[3];
        for (int i = 0; i < 3; ++i)
            panels[i]->installEventFilter(&counters[i]);
        change();
        settle();
        return std::array { counters[0].paints, counters[1].paints, counters[2].paints };
    };

    const auto oneStep = paints([&] { controlOf<QPushButton>(j, "susumu")->click(); });
    const auto jump = paints([&] {
        QTest::mouseClick(tableOf(j), Qt::LeftButton, {}, onPanel(tableOf(j), tableCell(10, true)));
    });

    QCOMPARE(j.state().halves, 20);
    QCOMPARE(jump, oneStep);
    for (int count : oneStep)
        QVERIFY(count >= 1);
}

void tst_Jump::aJumpSaysXAndYOnce()
{
#ifdef KANSU_QPA_ACCESSIBILITY
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
#endif
    if (!QAccessible::isActive())
        QSKIP("accessibility cannot be switched on here: build with Qt's private headers "
              "(Debian: qt6-base-private-dev)");
    static std::vector<QString> told;
    static QObject *xBox = nullptr;
    Form1 &j = *form;
    views(j, false, true, false, true);
    build(j, codesFrom("4 5 6 2 0"));
    xBox = controlOf<QLineEdit>(j, "Text1");
    told.clear();
    QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
        if (event->object() == xBox && event->type() == QAccessible::DescriptionChanged)
            told.push_back(event->accessibleInterface()->text(QAccessible::Description));
    });

    // To x = 7 in one click: 14 steps, one statement.
    QTest::mouseClick(graphOf(j), Qt::LeftButton, {}, onPanel(graphOf(j), graphAt(14, 300)));

    QAccessible::installUpdateHandler(nullptr);
    QCOMPARE(told.size(), size_t(1));
    QCOMPARE(told.front(), QStringLiteral("χ = 7 cm, y = 22 cm²"));
}

KANSU_TEST_MAIN(tst_Jump)
#include "tst_jump.moc"
