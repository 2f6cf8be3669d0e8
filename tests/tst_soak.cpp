#include "lesson.h"
#include "windowtest.h"

#include "tools/rate/ratetool.h"
#include "tools/whichgraph/whichgraphtool.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>
#include <memory>

// A class of learners clicking everything in every order, automatic play included: after every
// action the lesson's state must still tell the truth. KANSU_SOAK_SEED and KANSU_SOAK_ACTIONS
// run one seed for longer; a failure names its seed and action so that it can be replayed.
class tst_Soak : public WindowTest
{
    Q_OBJECT

public:
    tst_Soak()
        : WindowTest(Shown::Exposed)
    { }

private slots:
    void randomActionsKeepTheInvariants_data();
    void randomActionsKeepTheInvariants();

private:
    void setUp() override;
    void act();
    void clickSomeButton();
    void toggleSomeBox();
    void dragOnTheBoard();
    void typeASpeed();
    void playAutomatically();
    void interrupt(bool stop);
    void pointAtTheTableOrGraph();
    // "どのグラフ？" switched, a graph picked by click or key, the next question.
    void whichGraph();
    // Prediction mode: its own kind of action and its own invariants.
    void predict();
    bool checkPredictions(const std::function<bool(const QString &)> &fail);
    // The challenge and the kept graphs, by their menu rows.
    void challenge();
    void mouse(QEvent::Type type, const QPointF &at, Qt::MouseButton button, Qt::MouseButtons held);
    QPointF anywhereOnTheBoard();
    // Records the first broken invariant; returns whether all held.
    bool check(const char *where);

    QRandomGenerator random;
    quint32 seed = 0;
    int action = 0;
    int runs = 0; // automatic runs started, to drop interruptions of one that has ended
    bool interrupting = false;
    bool mouseHeld = false;
    QString failure;
    // What the actions did, so that a run that never stepped or built cannot pass unnoticed.
    double lastPx = 300;
    std::array<double, 5> lastRetsu {};
    int moves = 0;
    int figureChanges = 0;
    int crossedChecks = 0;
    size_t trace = 0;
    // x = 1 … 10 that P has reached since the prediction there was made.
    std::array<bool, 11> reachedSincePredicted {};
    int marksSeen = 0;
    int graphsPicked = 0; // picks of "どのグラフ？" marked
    int rateChecks = 0; // checks with the rate tool showing an increase of y
};

using lesson::areaWithin;
using lesson::textOf;

namespace {

QString xText(double px)
{
    return QString::asprintf(" %.1f", (300 - px) / 20);
}

bool wholePieces(const std::array<double, 5> &r)
{
    for (int k = 0; k < 5; ++k) {
        const int c = int(r[k]);
        if (r[k] != c || c < 0 || c > 6)
            return false;
        if (c == 4 && (k > 2 || r[k + 1] != 5 || r[k + 2] != 6))
            return false;
        if (c == 5 && (k < 1 || k > 3 || r[k - 1] != 4))
            return false;
        if (c == 6 && (k < 2 || r[k - 1] != 5))
            return false;
    }
    return true;
}

} // namespace

void tst_Soak::setUp()
{
    failure.clear();
    mouseHeld = false;
    reachedSincePredicted.fill(false);
    QObject::connect(probe->control<QLineEdit>("Text1"), &QLineEdit::textChanged, form.get(),
                     [this](const QString &t) {
                         for (int x = 1; x <= 10; ++x)
                             reachedSincePredicted[size_t(x)] |= t.toDouble() >= x;
                     });
}

bool tst_Soak::check(const char *where)
{
    if (!failure.isEmpty())
        return false;
    auto fail = [&](const QString &what) {
        failure = QStringLiteral("seed %1, action %2 (%3): %4; KANSU_SOAK_SEED=%1 replays it")
                      .arg(seed)
                      .arg(action)
                      .arg(QLatin1String(where), what);
        return false;
    };
    const double px = probe->Px();
    if (px < 100 || px > 300 || std::fmod(px, 10) != 0)
        return fail(QStringLiteral("Px = %1").arg(px));
    if (probe->control<QLineEdit>("Text1")->text() != xText(px))
        return fail(QStringLiteral("x text '%1' for Px %2")
                        .arg(probe->control<QLineEdit>("Text1")->text())
                        .arg(px));
    const auto retsu = probe->retsu();
    if (!wholePieces(retsu))
        return fail(QStringLiteral("retsu %1 %2 %3 %4 %5")
                        .arg(retsu[0])
                        .arg(retsu[1])
                        .arg(retsu[2])
                        .arg(retsu[3])
                        .arg(retsu[4]));
    if (!mouseHeld && probe->tsukami() != 0)
        return fail(QStringLiteral("a piece in hand with no button held"));
    const double x = (300 - px) / 20;
    const double area = areaWithin(retsu, x);
    moves += px != lastPx;
    figureChanges += retsu != lastRetsu;
    crossedChecks += area > 0;
    lastPx = px;
    lastRetsu = retsu;
    // Every state the checks saw, in order: two runs of one seed print the same trace.
    trace = qHashMulti(trace, action, px, textOf(retsu), probe->playing());
    if (probe->gurafuy() != area)
        return fail(
            QStringLiteral("graph y %1, area %2 at x %3").arg(probe->gurafuy()).arg(area).arg(x));
    if (probe->control<QCheckBox>("Check3")->isChecked()
        && probe->hyoy() != areaWithin(retsu, std::floor(x)))
        return fail(QStringLiteral("table y %1, area %2 at x %3")
                        .arg(probe->hyoy())
                        .arg(areaWithin(retsu, std::floor(x)))
                        .arg(x));
    if (probe->maex() != 30 * x + 35
        || probe->maey() != std::int16_t(std::nearbyint(480 - 7.5 * area)))
        return fail(QStringLiteral("graph point (%1, %2) at x %3, y %4")
                        .arg(probe->maex())
                        .arg(probe->maey())
                        .arg(x)
                        .arg(area));
    const bool idle = !probe->playing();
    if (probe->control<QPushButton>("susumu")->isEnabled() != idle
        || probe->control<QPushButton>("modoru")->isEnabled() != idle
        || probe->control<QPushButton>("Command1")->isEnabled() != idle)
        return fail(QStringLiteral("stepping buttons disagree with play running = %1").arg(!idle));
    if (probe->control<QPushButton>("tomeru")->isEnabled() != !idle)
        return fail(QStringLiteral("stop button disagrees with play running = %1").arg(!idle));
    // The rate tool's increase of y is the area that crossed AB between its start and P.
    const RateTool *rate = tools()->find<RateTool>();
    if (tools()->isOn(u"rate") && rate->marks().interval && rate->marks().withY) {
        ++rateChecks;
        const double dy = rate->marks().interval->dy.toDouble();
        const double crossed = area - areaWithin(probe->retsu(), rate->start() / 2.0);
        if (std::abs(dy - crossed) > 1e-9)
            return fail(QStringLiteral("rate from %1 to x %2: dy %3, crossed %4")
                            .arg(rate->start() / 2.0)
                            .arg(x)
                            .arg(dy)
                            .arg(crossed));
    }
    return checkPredictions(fail);
}

bool tst_Soak::checkPredictions(const std::function<bool(const QString &)> &fail)
{
    PredictionTool *t = tools()->find<PredictTool>()->view();
    const bool on = tools()->isOn(u"predict");
    if (!t)
        return on ? fail(QStringLiteral("prediction on without its tool")) : true;
    if (t->isActive() != on)
        return fail(
            QStringLiteral("prediction tool active %1, switched %2").arg(t->isActive()).arg(on));
    const double x = (300 - probe->Px()) / 20;
    // While predicting, y is said only where the table and the graph show it.
    const bool saysY = probe->control<QLineEdit>("Text1")->accessibleDescription().contains(
        QStringLiteral("y ="));
    if (on && saysY != (x == std::floor(x)))
        return fail(QStringLiteral("y said at x %1: %2").arg(x).arg(saysY));
    int typedRight = 0, typedMarked = 0, placedRight = 0, placedMarked = 0;
    for (int k = 1; k <= 10; ++k) {
        const PredictionTool::Column &c = t->column(k);
        const double y = areaWithin(probe->retsu(), k);
        if ((c.typedMark.made || c.placedMark.made) && !reachedSincePredicted[size_t(k)])
            return fail(QStringLiteral("a mark at x = %1 before P got there").arg(k));
        if (c.typedMark.made
            && c.typedMark.right != (double(c.typed->num) == y * double(c.typed->den)))
            return fail(QStringLiteral("typed %1/%2 marked %3 at y %4")
                            .arg(c.typed->num)
                            .arg(c.typed->den)
                            .arg(c.typedMark.right)
                            .arg(y));
        if (c.placedMark.made && c.placedMark.right != (std::abs(*c.placed - y) <= 1))
            return fail(QStringLiteral("placed %1 marked %2 at y %3")
                            .arg(*c.placed)
                            .arg(c.placedMark.right)
                            .arg(y));
        if (t->box(k)->isVisible() && (k <= x || c.typedMark.made || !on))
            return fail(QStringLiteral("an open box at x = %1 with P at %2").arg(k).arg(x));
        // The tally of the table counts the marks its labels show.
        QLabel *mark = t->tableMark(k);
        if (mark->isVisible() != (on && c.typedMark.made))
            return fail(
                QStringLiteral("table mark at x = %1 shown %2").arg(k).arg(mark->isVisible()));
        if (mark->isVisible()) {
            ++typedMarked;
            typedRight += mark->text().contains(QStringLiteral("○"));
        }
        placedMarked += c.placedMark.made;
        placedRight += c.placedMark.made && c.placedMark.right;
    }
    marksSeen += typedMarked + placedMarked;
    if (on && t->tableTally()->text() != PredictionTool::tallyText(typedRight, typedMarked))
        return fail(QStringLiteral("table tally '%1' for %2 / %3")
                        .arg(t->tableTally()->text())
                        .arg(typedRight)
                        .arg(typedMarked));
    if (on && t->graphTally()->text() != PredictionTool::tallyText(placedRight, placedMarked))
        return fail(QStringLiteral("graph tally '%1' for %2 / %3")
                        .arg(t->graphTally()->text())
                        .arg(placedRight)
                        .arg(placedMarked));
    return true;
}

void tst_Soak::mouse(QEvent::Type type, const QPointF &at, Qt::MouseButton button,
                     Qt::MouseButtons held)
{
    PicturePanel *board = probe->control<PicturePanel>("kokuban");
    const QPointF local = at + board->pictureOffset();
    QMouseEvent event(type, local, board->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(board, &event);
}

QPointF tst_Soak::anywhereOnTheBoard()
{
    // Mostly where pieces and columns are, sometimes anywhere, off the panel included.
    switch (random.bounded(4)) {
    case 0: // the palette
        return QPointF(random.bounded(290, 580), random.bounded(-20, 160));
    case 1: // the figure's columns
        return QPointF(random.bounded(290, 510), random.bounded(170, 310));
    case 2: // exactly on a bound
        return QPointF(300 + 40 * random.bounded(6), random.bounded(2) ? 180 : 150);
    default:
        return QPointF(random.bounded(-200, 800) + random.bounded(1.0),
                       random.bounded(-200, 600) + random.bounded(1.0));
    }
}

void tst_Soak::clickSomeButton()
{
    QPushButton *buttons[]
        = { probe->control<QPushButton>("susumu"),   probe->control<QPushButton>("susumu"),
            probe->control<QPushButton>("susumu"),   probe->control<QPushButton>("modoru"),
            probe->control<QPushButton>("modoru"),   probe->control<QPushButton>("Command2"),
            probe->control<QPushButton>("Command1"), probe->control<QPushButton>("tomeru") };
    QTest::mouseClick(buttons[random.bounded(int(std::size(buttons)))], Qt::LeftButton);
}

void tst_Soak::toggleSomeBox()
{
    QCheckBox *boxes[]
        = { probe->control<QCheckBox>("Check1"), probe->control<QCheckBox>("Check2"),
            probe->control<QCheckBox>("Check3"), probe->control<QCheckBox>("Check4") };
    QTest::mouseClick(boxes[random.bounded(4)], Qt::LeftButton);
}

void tst_Soak::dragOnTheBoard()
{
    const Qt::MouseButton button = random.bounded(5) ? Qt::LeftButton : Qt::RightButton;
    mouseHeld = true;
    mouse(QEvent::MouseButtonPress, anywhereOnTheBoard(), button, button);
    for (int i = random.bounded(4); i > 0; --i)
        mouse(QEvent::MouseMove, anywhereOnTheBoard(), Qt::NoButton, button);
    check("while dragging");
    mouseHeld = false;
    mouse(QEvent::MouseButtonRelease, anywhereOnTheBoard(), button, Qt::NoButton);
}

void tst_Soak::typeASpeed()
{
    static const char *const texts[]
        = { "0",    "3",  "abc", "-5",   "1e999", "99999999999", "1e",   " 0", ".", "2.5",
            "-1e9", "５", "+1",  "1e-5", "",      "0.4",         "1..2", "nan" };
    QLineEdit *edit = probe->control<QComboBox>("Combo1")->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    const QString text = QString::fromUtf8(texts[random.bounded(int(std::size(texts)))]);
    // Key clicks carry only ASCII; wider characters arrive as an input method would give them.
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 128;
    if (ascii)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}

void tst_Soak::playAutomatically()
{
    // Pauses of 0 to 3 ms, or a typed speed with a huge pause that only a stop can end.
    static const char *const speeds[] = { " 0", "0.2", "0.4", "0.6", "1e999", "99999999999" };
    const int pick = random.bounded(int(std::size(speeds)));
    probe->control<QComboBox>("Combo1")->setEditText(QString::fromLatin1(speeds[pick]));
    const bool endless = pick >= 4;

    // What the class does between two automatic steps, each after a step chosen now: counted
    // by the steps the run makes, never by a clock racing the pauses, so that a seed replays
    // exactly. An endless run is stopped by its last interruption.
    const int interruptions = random.bounded(endless ? 1 : 0, 4);
    // (An endless run makes one step only, so all of its interruptions come after that one.)
    QList<int> afterStep;
    for (int i = 0; i < interruptions; ++i)
        afterStep << (endless ? 1 : random.bounded(1, 5));
    std::sort(afterStep.begin(), afterStep.end());
    const int run = ++runs;
    int steps = 0;
    int next = 0;
    const auto connection
        = connect(probe->control<QLineEdit>("Text1"), &QLineEdit::textChanged, form.get(), [&] {
              // Only the run's own steps count: x also changes when an interruption returns to the
              // start, and an interruption posted then would race the pause's end.
              if (interrupting)
                  return;
              ++steps;
              for (; next < afterStep.size() && afterStep[next] <= steps; ++next) {
                  const bool last = next == afterStep.size() - 1;
                  // Seen at the run's next pause, between two of its steps; a run without pauses
                  // has ended before, and the interruption is dropped.
                  QTimer::singleShot(0, form.get(), [this, run, stop = endless && last] {
                      if (run == runs && probe->playing())
                          interrupt(stop);
                  });
              }
          });
    const auto disconnect = qScopeGuard([&] { QObject::disconnect(connection); });
    // Whatever happens in the run, it cannot outlive this action.
    const auto stop = qScopeGuard([&] {
        if (probe->playing())
            probe->teishi() = 1;
    });
    QTest::mouseClick(probe->control<QPushButton>("jidou"), Qt::LeftButton);
}

void tst_Soak::interrupt(bool stop)
{
    interrupting = true;
    const auto done = qScopeGuard([this] { interrupting = false; });
    ++action;
    switch (stop ? 0 : random.bounded(5)) {
    case 0:
        QTest::mouseClick(probe->control<QPushButton>("tomeru"), Qt::LeftButton);
        break;
    case 1:
        QTest::mouseClick(probe->control<QPushButton>("Command2"), Qt::LeftButton);
        break;
    case 2:
        toggleSomeBox();
        break;
    case 3:
        dragOnTheBoard();
        break;
    default:
        clickSomeButton();
        break;
    }
    if (stop && probe->playing() && probe->teishi() != 1) {
        if (failure.isEmpty())
            failure = QStringLiteral("seed %1, action %2: ストップ did not stop the endless run")
                          .arg(seed)
                          .arg(action);
        probe->teishi() = 1; // or the soak would wait out a pause of weeks
    }
    check("during automatic play");
}

void tst_Soak::pointAtTheTableOrGraph()
{
    // Presses, drags and keys on the table and the graph, shown or not, with any button; now
    // and then the formulas tool switched by its key.
    PicturePanel *panel = random.bounded(2) ? probe->control<PicturePanel>("hyo")
                                            : probe->control<PicturePanel>("gamen");
    const bool shift = random.bounded(4) == 0;
    const auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF local = QPointF(random.bounded(-20, 420) + random.bounded(1.0),
                                      random.bounded(-20, 520) + random.bounded(1.0))
            + panel->pictureOffset();
        // Now and then with Shift: the rate tool's start point.
        QMouseEvent event(type, local, panel->mapToGlobal(local), button, held,
                          shift ? Qt::ShiftModifier : Qt::NoModifier);
        QApplication::sendEvent(panel, &event);
    };
    switch (random.bounded(5)) {
    case 0:
    case 1: {
        const Qt::MouseButton button = random.bounded(6) ? Qt::LeftButton
            : random.bounded(2)                          ? Qt::RightButton
                                                         : Qt::MiddleButton;
        send(QEvent::MouseButtonPress, button, button);
        for (int i = random.bounded(4); i > 0; --i)
            send(QEvent::MouseMove, Qt::NoButton, button);
        send(QEvent::MouseButtonRelease, button, Qt::NoButton);
        break;
    }
    case 2:
    case 3: {
        // A panel takes the focus only while it is shown; otherwise the key goes where the
        // focus is.
        panel->setFocus();
        const Qt::Key keys[] = { Qt::Key_Left, Qt::Key_Right,  Qt::Key_Home,
                                 Qt::Key_End,  Qt::Key_PageUp, Qt::Key_PageDown };
        QTest::keyClick(form->windowHandle(), keys[random.bounded(int(std::size(keys)))],
                        shift ? Qt::ShiftModifier : Qt::NoModifier);
        break;
    }
    default:
        // The formulas tool by its key, the rate tool as from the menu, or "どのグラフ？".
        if (shift)
            tools()->action(u"rate")->trigger();
        else if (random.bounded(3))
            QTest::keyClick(form->windowHandle(), Qt::Key_F6);
        else
            whichGraph();
        break;
    }
}

void tst_Soak::whichGraph()
{
    QWidget *box = tools()->find<WhichGraphTool>()->box();
    if (!box || !box->isVisible() || random.bounded(5) == 0) {
        QTest::keyClick(form->windowHandle(), Qt::Key_W, Qt::ControlModifier);
    } else if (random.bounded(2)) {
        const QString name = QStringLiteral("whichGraphChoice%1").arg(random.bounded(4));
        QTest::mouseClick(box->findChild<QWidget *>(name), Qt::LeftButton);
    } else if (random.bounded(2)) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key(Qt::Key_1 + random.bounded(4)));
    } else {
        QTest::mouseClick(box->findChild<QWidget *>(QStringLiteral("whichGraphNext")),
                          Qt::LeftButton);
    }
    graphsPicked += tools()->find<WhichGraphTool>()->picked() >= 0;
    // A refusal (a question asked during automatic play) is shown in a message: close it.
    if (auto *message = form->findChild<QWidget *>(QStringLiteral("fileMessage")))
        message->hide();
}

void tst_Soak::challenge()
{
    static const char16_t *const rows[]
        = { u"challenge", u"check", u"check", u"nextLevel", u"answer", u"traces", u"clearTraces" };
    tools()->action(rows[random.bounded(int(std::size(rows)))])->trigger();
    // A refusal (none kept to clear, three kept already) waits in a window-modal message.
    if (auto *message = form->findChild<QMessageBox *>(QStringLiteral("fileMessage")))
        message->close();
}

void tst_Soak::predict()
{
    if (random.bounded(8) == 0 || !tools()->isOn(u"predict")) {
        // As from the menu: a menu closed just now may have left the window inactive.
        tools()->action(u"predict")->trigger();
        return;
    }
    PredictionTool *t = tools()->find<PredictTool>()->view();
    const auto record = [&] {
        // A prediction not marked yet waits for P.
        for (int k = 1; k <= 10; ++k) {
            const PredictionTool::Column &c = t->column(k);
            if ((c.typed && !c.typedMark.made) || (c.placed && !c.placedMark.made))
                reachedSincePredicted[size_t(k)] = false;
        }
    };
    static const char *const texts[] = { "4.5",
                                         ".5",
                                         "9/2",
                                         "４．５",
                                         "1/0",
                                         "--3",
                                         "abc",
                                         "",
                                         "26",
                                         "12.5",
                                         "3",
                                         "4.5.5",
                                         "0.125",
                                         "18",
                                         "２",
                                         "1/3",
                                         "999999999999999999999999999999" };
    PicturePanel *graph = probe->control<PicturePanel>("gamen");
    switch (random.bounded(3)) {
    case 0: { // type into a box
        QLineEdit *box = t->box(random.bounded(1, 11));
        if (!box->isVisible())
            return;
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        const QString text = QString::fromUtf8(texts[random.bounded(int(std::size(texts)))]);
        box->insert(text);
        const Qt::Key ends[] = { Qt::Key_Return, Qt::Key_Escape, Qt::Key_Delete, Qt::Key_Tab };
        const int end = random.bounded(5);
        if (end < 4)
            QTest::keyClick(box, ends[end]);
        else
            QTest::mouseClick(probe->control<QPushButton>("susumu"),
                              Qt::LeftButton); // a click elsewhere
        break;
    }
    case 1: { // click, drag or right-click on the graph
        const auto anywhere
            = [this] { return QPoint(random.bounded(0, 400), random.bounded(0, 520)); };
        const QPoint at = anywhere() + graph->pictureOffset();
        const Qt::MouseButton button = random.bounded(4) ? Qt::LeftButton : Qt::RightButton;
        QTest::mousePress(graph, button, Qt::NoModifier, at);
        if (button == Qt::RightButton) {
            QContextMenuEvent menu(QContextMenuEvent::Mouse, at, graph->mapToGlobal(at));
            QApplication::sendEvent(graph, &menu);
        }
        QPoint last = at;
        for (int i = random.bounded(3); i > 0; --i) {
            last = anywhere() + graph->pictureOffset();
            QMouseEvent move(QEvent::MouseMove, last, graph->mapToGlobal(last), Qt::NoButton,
                             button, Qt::NoModifier);
            QApplication::sendEvent(graph, &move);
        }
        QTest::mouseRelease(graph, button, Qt::NoModifier, last);
        tools()->menu()->close();
        break;
    }
    default: { // keys on the graph
        graph->setFocus();
        const Qt::Key keys[] = { Qt::Key_Left, Qt::Key_Right,  Qt::Key_Up,      Qt::Key_Down,
                                 Qt::Key_Up,   Qt::Key_Delete, Qt::Key_PageDown };
        QTest::keyClick(graph, keys[random.bounded(int(std::size(keys)))]);
        break;
    }
    }
    record();
}

void tst_Soak::act()
{
    ++action;
    const int kind = random.bounded(100);
    // Drags keep their share of the figure's changes now that the tools' own actions come
    // between them.
    if (kind < 31)
        clickSomeButton();
    else if (kind < 45)
        toggleSomeBox();
    else if (kind < 76)
        dragOnTheBoard();
    else if (kind < 83)
        typeASpeed();
    else if (kind < 89)
        pointAtTheTableOrGraph();
    else if (kind < 93)
        predict();
    else if (kind < 95)
        challenge();
    else
        playAutomatically();
    check("after an action");
}

void tst_Soak::randomActionsKeepTheInvariants_data()
{
    QTest::addColumn<quint32>("rowSeed");
    QTest::addColumn<int>("actions");
    bool ok = false;
    const quint32 envSeed = qEnvironmentVariable("KANSU_SOAK_SEED").toUInt(&ok);
    const int envActions = qEnvironmentVariableIntValue("KANSU_SOAK_ACTIONS");
    if (ok) {
        QTest::newRow("seed from the environment")
            << envSeed << (envActions > 0 ? envActions : 5000);
        return;
    }
    const int perSeed = envActions > 0 ? envActions : 5000;
    for (quint32 s : { 1u, 2u, 3u, 4u, 20261208u })
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(s))) << s << perSeed;
}

void tst_Soak::randomActionsKeepTheInvariants()
{
    QFETCH(quint32, rowSeed);
    QFETCH(int, actions);
    seed = rowSeed;
    random.seed(seed);
    action = 0;
    moves = figureChanges = crossedChecks = 0;
    trace = 0;
    QVERIFY(check("at start"));
    while (action < actions && failure.isEmpty())
        act();
    check("at the end");
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    qInfo("seed %u: %d actions, trace %zx, P moved %d times, the figure changed %d times, %d "
          "checks with "
          "a crossed area",
          seed, action, trace, moves, figureChanges, crossedChecks);
    // A soak that never moved P or built a figure proves nothing.
    QVERIFY2(moves > actions / 20,
             qPrintable(QStringLiteral("seed %1: P moved only %2 times in %3 actions")
                            .arg(seed)
                            .arg(moves)
                            .arg(actions)));
    QVERIFY2(figureChanges > actions / 100,
             qPrintable(QStringLiteral("seed %1: the figure changed only %2 times in %3 actions")
                            .arg(seed)
                            .arg(figureChanges)
                            .arg(actions)));
    QVERIFY2(crossedChecks > actions / 50,
             qPrintable(QStringLiteral("seed %1: only %2 checks with a crossed area in %3 actions")
                            .arg(seed)
                            .arg(crossedChecks)
                            .arg(actions)));
    QVERIFY(moves > actions / 20);
    QVERIFY(figureChanges > actions / 100);
    QVERIFY(crossedChecks > actions / 50);
    qInfo("predicting: %d marks seen over all checks", marksSeen);
    qInfo("which graph: a pick marked after %d of its actions", graphsPicked);
    qInfo("rate of change: %d checks of its increase of y", rateChecks);
    // Prediction mode was on at times and marked something.
    QVERIFY(marksSeen > 0);
}

KANSU_TEST_MAIN(tst_Soak)
#include "tst_soak.moc"
