#include "lesson.h"
#include "windowtest.h"

#include "core/prediction.h"

#include <QAction>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextDocumentFragment>

using prediction::Refusal;

// Predict, then reveal: the learner's y is typed into the table or placed on the graph, and
// marked when P gets there. The worked example stands on the base throughout.
class tst_Predict : public WindowTest
{
    Q_OBJECT

public:
    tst_Predict()
        : WindowTest(Shown::Active)
    { }

private slots:
    // The reader, without a window.
    void readsTypedY_data();
    void readsTypedY();
    void typedIsRightOnlyWhenExact_data();
    void typedIsRightOnlyWhenExact();
    void placedIsRightWithinOneSquareCentimetre_data();
    void placedIsRightWithinOneSquareCentimetre();
    void graphPixelsSnapToWholeXAndHalves_data();
    void graphPixelsSnapToWholeXAndHalves();

    // In the window.
    void wholeLessonByMouse();
    void wholeLessonByKeyboard();
    void graphSelectionShowsOnlyWhileKeysAreUsed();
    void refusedTextChangesNoPrediction_data();
    void refusedTextChangesNoPrediction();
    void escRestoresAndDeleteEmpties();
    void aBoxPHasPassedTakesNoKeys();
    void whatABoxHoldsWhenPArrivesIsKept();
    void rightClickOnAPointRemovesItElsewhereOpensTheMenu();
    void hiddenYIsNeverSaid();
    void formulasAreOffWhilePredicting();
    void newFigureAndInitialScreenClearPredictions_data();
    void newFigureAndInitialScreenClearPredictions();
    void defaultScreenIsUnchanged();
    void aShownYTakesNoNewPrediction_data();
    void aShownYTakesNoNewPrediction();
    void aBoxShowsAllItHolds_data();
    void graphMarksSayTrueYAndStandApart_data();
    void graphMarksSayTrueYAndStandApart();
    void aBoxShowsAllItHolds();

private:
    void predictOn();
    void typeInto(int x, const QString &text);
    QPoint graphAt(double x, double y) const;
    void clickGraph(double x, double y, Qt::MouseButton button = Qt::LeftButton);
    void stepTo(double x);
    QString tableMarkText(int x);

    void setUp() override;
};

namespace {

// Triangle in columns 0 to 2, a 4 cm bar in column 3.
const lesson::Codes workedExample = lesson::codesFrom(QStringLiteral("4 5 6 2 0"));
// y at x = 1 … 10, as the lesson's worked example states it.
const double workedY[11] = { 0, 0.5, 2, 4.5, 8, 12.5, 18, 22, 26, 26, 26 };

PredictionTool *tool(const QWidget &window)
{
    return ToolHost::of(&window)->find<PredictTool>()->view();
}

} // namespace

void tst_Predict::setUp()
{
    buildFigure(lesson(), workedExample);
}

void tst_Predict::predictOn()
{
    QTest::mouseClick(control<QCheckBox>("Check3"), Qt::LeftButton);
    QTest::mouseClick(control<QCheckBox>("Check2"), Qt::LeftButton);
    tools()->action(u"predict")->trigger();
    QVERIFY(tools()->isOn(u"predict"));
}

void tst_Predict::typeInto(int x, const QString &text)
{
    QLineEdit *box = tool(*form)->box(x);
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 128;
    // Key clicks carry only ASCII; wider characters arrive as an input method would give them.
    if (ascii)
        QTest::keyClicks(box, text);
    else
        box->insert(text);
}

QPoint tst_Predict::graphAt(double x, double y) const
{
    // The graph's scales: 30 pixels per cm from 35, 7.5 pixels per cm² up from 480.
    return (QPointF(30 * x + 35, 480 - 7.5 * y) + control<PicturePanel>("gamen")->pictureOffset())
        .toPoint();
}

void tst_Predict::clickGraph(double x, double y, Qt::MouseButton button)
{
    const QPoint at = graphAt(x, y);
    QTest::mousePress(control<PicturePanel>("gamen"), button, Qt::NoModifier, at);
    // The platform asks for a context menu after a right press; a test event goes straight to
    // the widget, so ask as the platform would.
    if (button == Qt::RightButton) {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at,
                               control<PicturePanel>("gamen")->mapToGlobal(at));
        QApplication::sendEvent(control<PicturePanel>("gamen"), &menu);
    }
    QTest::mouseRelease(control<PicturePanel>("gamen"), button, Qt::NoModifier, at);
}

void tst_Predict::stepTo(double x)
{
    for (int guard = 0; guard < 40 && lesson().state().x() != x; ++guard)
        QTest::mouseClick(lesson().state().x() < x ? control<QPushButton>("susumu")
                                                   : control<QPushButton>("modoru"),
                          Qt::LeftButton);
    QVERIFY2(
        lesson().state().x() == x,
        qPrintable(QStringLiteral("P stays at x = %1, not %2").arg(lesson().state().x()).arg(x)));
}

QString tst_Predict::tableMarkText(int x)
{
    QLabel *mark = tool(*form)->tableMark(x);
    return mark->isVisible() ? QTextDocumentFragment::fromHtml(mark->text()).toPlainText()
                             : QString();
}

void tst_Predict::readsTypedY_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("refusal");
    QTest::addColumn<qint64>("num");
    QTest::addColumn<qint64>("den");
    const auto ok = [](const char *name, const QString &typed, qint64 num, qint64 den) {
        QTest::newRow(name) << typed << int(Refusal::None) << num << den;
    };
    const auto no = [](const char *name, const QString &typed, Refusal why) {
        QTest::newRow(name) << typed << int(why) << qint64(0) << qint64(1);
    };
    ok("decimal", "4.5", 9, 2);
    ok("no zero before the point", ".5", 1, 2);
    ok("fraction", "9/2", 9, 2);
    ok("full-width decimal", "４．５", 9, 2);
    ok("full-width fraction", "９／２", 9, 2);
    ok("ideographic full stop", "４。５", 9, 2);
    ok("halfwidth ideographic full stop", "4\uFF615", 9, 2);
    ok("blanks around", "  4.5　", 9, 2);
    ok("blanks around the slash", "9 / 2", 9, 2);
    ok("point at the end", "4.", 4, 1);
    ok("trailing zeros", "4.50", 9, 2);
    ok("eighths", "3.125", 25, 8);
    ok("a third", "1/3", 1, 3);
    ok("decimal over decimal", "0.5/0.25", 2, 1);
    ok("minus", "-3", -3, 1);
    ok("minus sign", "−3", -3, 1);
    ok("plus", "+2", 2, 1);
    ok("zero over five", "0/5", 0, 1);
    ok("nine digits", "123456789", 123456789, 1);
    no("empty", "", Refusal::Empty);
    no("blanks only", "   ", Refusal::Empty);
    no("division by zero", "1/0", Refusal::DivisionByZero);
    no("two minus signs", "--3", Refusal::NotANumber);
    no("300 digits", QString(300, QLatin1Char('7')), Refusal::TooLong);
    no("ten digits", "1234567890", Refusal::TooLong);
    no("two points", "4.5.5", Refusal::NotANumber);
    no("letters", "abc", Refusal::NotANumber);
    no("number then letter", "4a", Refusal::NotANumber);
    no("exponent", "1e3", Refusal::NotANumber);
    no("point alone", ".", Refusal::NotANumber);
    no("slash first", "/2", Refusal::NotANumber);
    no("slash last", "2/", Refusal::NotANumber);
    no("two slashes", "1/2/3", Refusal::NotANumber);
    no("comma", "4,5", Refusal::NotANumber);
    no("other script's digit", QStringLiteral("\u0663"), Refusal::NotANumber);
}

void tst_Predict::readsTypedY()
{
    QFETCH(QString, typed);
    QFETCH(int, refusal);
    QFETCH(qint64, num);
    QFETCH(qint64, den);
    const prediction::Reading r = prediction::read(typed);
    QCOMPARE(int(r.refusal), refusal);
    if (r.ok()) {
        QCOMPARE(r.value.num, num);
        QCOMPARE(r.value.den, den);
    } else {
        QVERIFY(!prediction::refusalText(r.refusal).isEmpty());
    }
}

void tst_Predict::typedIsRightOnlyWhenExact_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("right");
    QTest::newRow("4.5 at 4.5") << "4.5" << 4.5 << true;
    QTest::newRow("9/2 at 4.5") << "9/2" << 4.5 << true;
    QTest::newRow("full-width at 4.5") << "４．５" << 4.5 << true;
    QTest::newRow("18/4 at 4.5") << "18/4" << 4.5 << true;
    QTest::newRow("a strip's 3.125") << "25/8" << 3.125 << true;
    QTest::newRow("4.4999 at 4.5") << "4.4999" << 4.5 << false;
    QTest::newRow("4 at 4.5") << "4" << 4.5 << false;
    QTest::newRow("a third is no double") << "1/3" << 1.0 / 3 << false;
    QTest::newRow("0.1 is no double") << "0.1" << 0.1 << false;
    QTest::newRow("26 at 26") << "26" << 26.0 << true;
    QTest::newRow("minus at 0") << "-0" << 0.0 << true;
}

void tst_Predict::typedIsRightOnlyWhenExact()
{
    QFETCH(QString, typed);
    QFETCH(double, y);
    QFETCH(bool, right);
    const prediction::Reading r = prediction::read(typed);
    QVERIFY(r.ok());
    QCOMPARE(prediction::typedRight(r.value, y), right);
}

void tst_Predict::placedIsRightWithinOneSquareCentimetre_data()
{
    QTest::addColumn<double>("placed");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("right");
    QTest::newRow("on it") << 12.5 << 12.5 << true;
    QTest::newRow("1 below") << 3.5 << 4.5 << true;
    QTest::newRow("1 above") << 5.5 << 4.5 << true;
    QTest::newRow("1.5 below") << 3.0 << 4.5 << false;
    QTest::newRow("1.5 above") << 19.5 << 18.0 << false;
}

void tst_Predict::placedIsRightWithinOneSquareCentimetre()
{
    QFETCH(double, placed);
    QFETCH(double, y);
    QFETCH(bool, right);
    QCOMPARE(prediction::placedRight(placed, y), right);
}

void tst_Predict::graphPixelsSnapToWholeXAndHalves_data()
{
    QTest::addColumn<double>("column");
    QTest::addColumn<double>("row");
    QTest::addColumn<int>("x");
    QTest::addColumn<double>("y");
    // x = 3 lies at 125; y = 4.5 at 446.25.
    QTest::newRow("on the point") << 125.0 << 446.25 << 3 << 4.5;
    QTest::newRow("a little off") << 138.0 << 445.0 << 3 << 4.5;
    QTest::newRow("nearer the next half") << 112.0 << 441.0 << 3 << 5.0;
    QTest::newRow("below the axis") << 125.0 << 495.0 << 3 << 0.0;
    QTest::newRow("above the top") << 335.0 << 2.0 << 10 << 60.0;
    QTest::newRow("x = 0 is no prediction") << 35.0 << 480.0 << 0 << 0.0;
    QTest::newRow("right of x = 10") << 351.0 << 300.0 << 0 << 24.0;
}

void tst_Predict::graphPixelsSnapToWholeXAndHalves()
{
    QFETCH(double, column);
    QFETCH(double, row);
    QFETCH(int, x);
    QFETCH(double, y);
    QCOMPARE(prediction::wholeXAt(column), x);
    QCOMPARE(prediction::placedY(row), y);
}

void tst_Predict::wholeLessonByMouse()
{
    KANSU_CHECK(predictOn());
    PredictionTool *t = tool(*form);
    for (int x = 1; x <= 10; ++x)
        QVERIFY(t->box(x)->isVisible());

    // Typed: a click on the next box keeps what the last one holds.
    typeInto(1, ".5"); // right
    typeInto(2, "3"); // wrong: 2
    typeInto(3, "９/２"); // right
    typeInto(4, "8"); // right; a click on the table's picture leaves the box too
    QTest::mouseClick(control<PicturePanel>("hyo"), Qt::LeftButton, Qt::NoModifier,
                      QPoint(20, 100));
    QCOMPARE(t->column(4).typed, (prediction::Fraction { 8, 1 }));
    // Placed: snapped to halves; right within 1 cm².
    clickGraph(5, 11.6); // 11.5: right, 12.5
    clickGraph(6, 16); // wrong: 18
    clickGraph(7, 22.4); // 22.5: right, 22
    clickGraph(8, 20); // then dragged up to 26: right
    QTest::mousePress(control<PicturePanel>("gamen"), Qt::LeftButton, Qt::NoModifier,
                      graphAt(8, 20));
    QMouseEvent move(QEvent::MouseMove, graphAt(8, 26),
                     control<PicturePanel>("gamen")->mapToGlobal(graphAt(8, 26)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control<PicturePanel>("gamen"), &move);
    QTest::mouseRelease(control<PicturePanel>("gamen"), Qt::LeftButton, Qt::NoModifier,
                        graphAt(8, 26));
    clickGraph(9, 40);
    clickGraph(9, 40, Qt::RightButton); // removed again
    clickGraph(10, 30); // wrong: 26

    QCOMPARE(t->column(1).typed, (prediction::Fraction { 1, 2 }));
    QCOMPARE(t->column(3).typed, (prediction::Fraction { 9, 2 }));
    QCOMPARE(t->column(5).placed, 11.5);
    QCOMPARE(t->column(7).placed, 22.5);
    QCOMPARE(t->column(8).placed, 26.0);
    QVERIFY(!t->column(9).placed);
    QCOMPARE(t->column(10).placed, 30.0);

    // Nothing is marked before P gets there.
    KANSU_CHECK(stepTo(2.5));
    QCOMPARE(tableMarkText(1), QStringLiteral("○0.5"));
    QCOMPARE(tableMarkText(2), QStringLiteral("×3"));
    QCOMPARE(tableMarkText(3), QString());
    QVERIFY(t->box(3)->isVisible());
    QCOMPARE(t->tableTally()->text(), QStringLiteral("予想 1 / 2"));
    KANSU_CHECK(stepTo(3));
    QCOMPARE(tableMarkText(3), QStringLiteral("○4.5"));
    QVERIFY(!t->box(3)->isVisible());
    QCOMPARE(t->tableTally()->text(), QStringLiteral("予想 2 / 3"));

    // A step back past x = 3 hides y there again, and keeps the prediction and its mark.
    KANSU_CHECK(stepTo(2.5));
    QCOMPARE(tableMarkText(3), QStringLiteral("○4.5"));
    QVERIFY(!t->tableMark(3)->accessibleName().contains(QStringLiteral("4.5 cm²")));
    QVERIFY(!t->box(3)->isVisible());
    QCOMPARE(t->tableTally()->text(), QStringLiteral("予想 2 / 3"));

    KANSU_CHECK(stepTo(10));
    for (int x = 1; x <= 10; ++x)
        QCOMPARE(t->trueY(x), workedY[x]);
    QCOMPARE(tableMarkText(4), QStringLiteral("○8"));
    QCOMPARE(t->tableTally()->text(), QStringLiteral("予想 3 / 4"));
    const bool placedRight[11] = { false, false, false, false, false, true, false, true, true };
    for (int x = 5; x <= 8; ++x) {
        QVERIFY(t->column(x).placedMark.made);
        QCOMPARE(t->column(x).placedMark.right, placedRight[x]);
    }
    QVERIFY(!t->column(9).placedMark.made);
    QVERIFY(t->column(10).placedMark.made && !t->column(10).placedMark.right);
    QCOMPARE(t->graphTally()->text(), QStringLiteral("予想 3 / 5"));
    // A wrong point says the true y beside its prediction.
    QVERIFY(t->layer()->accessibleDescription().contains(QStringLiteral("ｙ = 26 cm²")));

    // "最初に" replays: every mark kept, nothing new to type where a mark stands.
    QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(tableMarkText(2), QStringLiteral("×3"));
    QCOMPARE(t->tableTally()->text(), QStringLiteral("予想 3 / 4"));
    QCOMPARE(t->graphTally()->text(), QStringLiteral("予想 3 / 5"));
    QVERIFY(!t->box(2)->isVisible());
    QVERIFY(t->box(5)->isVisible());
    QVERIFY(!t->layer()->accessibleDescription().contains(QStringLiteral("ｙ = 26 cm²")));
    // A marked point stays where it was.
    clickGraph(6, 18);
    QCOMPARE(t->column(6).placed, 16.0);
}

void tst_Predict::wholeLessonByKeyboard()
{
    QTest::mouseClick(control<QCheckBox>("Check3"), Qt::LeftButton);
    QTest::mouseClick(control<QCheckBox>("Check2"), Qt::LeftButton);
    control<QCheckBox>("Check2")->setFocus();
    QTest::keyClick(form.get(), Qt::Key_F7);
    QVERIFY(tools()->isOn(u"predict"));
    PredictionTool *t = tool(*form);

    // Tab from the last check box into the table; Right at a box's end goes to the next box.
    QTest::keyClick(control<QCheckBox>("Check2"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), t->box(1));
    QTest::keyClicks(t->box(1), ".5");
    QTest::keyClick(t->box(1), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), t->box(2));
    QTest::keyClicks(t->box(2), "2");
    QTest::keyClick(t->box(2), Qt::Key_Tab);
    QTest::keyClicks(t->box(3), "4");
    QTest::keyClick(t->box(3), Qt::Key_Return);
    QCOMPARE(t->column(1).typed, (prediction::Fraction { 1, 2 }));
    QCOMPARE(t->column(3).typed, (prediction::Fraction { 4, 1 }));
    // Left at a box's start goes back.
    QTest::keyClick(t->box(3), Qt::Key_Home);
    QTest::keyClick(t->box(3), Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), t->box(2));

    // The graph: Right selects x, Up places and raises the point, Delete removes it.
    control<PicturePanel>("gamen")->setFocus();
    QCOMPARE(QApplication::focusWidget(), control<PicturePanel>("gamen"));
    while (t->selectedX() < 4)
        QTest::keyClick(control<PicturePanel>("gamen"), Qt::Key_Right);
    for (int i = 0; i < 17; ++i)
        QTest::keyClick(control<PicturePanel>("gamen"), Qt::Key_Up);
    QCOMPARE(t->column(4).placed, 8.0); // placed at 0, then 16 half steps
    QTest::keyClick(control<PicturePanel>("gamen"), Qt::Key_Right);
    QTest::keyClick(control<PicturePanel>("gamen"),
                    Qt::Key_Up); // starts at its left neighbour's 8
    QTest::keyClick(control<PicturePanel>("gamen"), Qt::Key_Down);
    QCOMPARE(t->column(5).placed, 7.5);
    QTest::keyClick(control<PicturePanel>("gamen"), Qt::Key_Delete);
    QVERIFY(!t->column(5).placed);

    // PageDown still steps with the graph focused.
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(control<PicturePanel>("gamen"), Qt::Key_PageDown);
    QCOMPARE(lesson().state().halves, 8);
    QCOMPARE(tableMarkText(1), QStringLiteral("○0.5"));
    QCOMPARE(tableMarkText(2), QStringLiteral("○2"));
    QCOMPARE(tableMarkText(3), QStringLiteral("×4"));
    QCOMPARE(t->tableTally()->text(), QStringLiteral("予想 2 / 3"));
    QVERIFY(t->column(4).placedMark.right);
    QCOMPARE(t->graphTally()->text(), QStringLiteral("予想 1 / 1"));
    QVERIFY(tools()->lastAnnouncement().contains(QStringLiteral("グラフの予想 8 は正解")));
    // A point P has passed cannot be placed.
    QTest::keyClick(control<PicturePanel>("gamen"), Qt::Key_Left);
    QTest::keyClick(control<PicturePanel>("gamen"), Qt::Key_Left);
    QCOMPARE(t->selectedX(), 3);
    QTest::keyClick(control<PicturePanel>("gamen"), Qt::Key_Up);
    QVERIFY(!t->column(3).placed);
}

// The dotted line on the graph's selected x is a keyboard mark: a learner with the mouse never
// sees it, whatever has the focus.
void tst_Predict::graphSelectionShowsOnlyWhileKeysAreUsed()
{
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    predictOn();
    PredictionTool *t = tool(*form);
    // Whether the prediction's magenta tints the graph along x, well below the points placed at
    // 50 cm² (the graph itself is green, blue and black on pale green).
    const auto lineShown = [&](double x) {
        const QImage layer = t->layer()->grab().toImage();
        const qreal r = layer.devicePixelRatio();
        int tinted = 0;
        for (double row = 480 - 7.5 * 30; row <= 480 - 7.5 * 5; row += 1 / r) {
            for (double column = 30 * x + 34; column <= 30 * x + 36; column += 1 / r) {
                const QColor c = layer.pixelColor(QPointF(column * r, row * r).toPoint());
                tinted += c.green() < c.red() - 40 && c.green() < c.blue() - 30;
            }
        }
        return tinted > 0;
    };
    clickGraph(3, 50);
    QCOMPARE(QApplication::focusWidget(), control<PicturePanel>("gamen"));
    QCOMPARE(t->selectedX(), 3);
    QVERIFY(!lineShown(3));
    QTest::keyClick(control<PicturePanel>("gamen"), Qt::Key_Right);
    QCOMPARE(t->selectedX(), 4);
    QVERIFY(lineShown(4));
    clickGraph(6, 50);
    QCOMPARE(t->selectedX(), 6);
    QVERIFY(!lineShown(6));
}

void tst_Predict::refusedTextChangesNoPrediction_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("letters") << "abc";
    QTest::newRow("division by zero") << "1/0";
    QTest::newRow("two minus signs") << "--3";
    QTest::newRow("300 digits") << QString(300, QLatin1Char('9'));
    QTest::newRow("two points") << "4.5.5";
}

void tst_Predict::refusedTextChangesNoPrediction()
{
    QFETCH(QString, typed);
    KANSU_CHECK(predictOn());
    PredictionTool *t = tool(*form);
    typeInto(3, "4.5");
    QTest::keyClick(t->box(3), Qt::Key_Return);
    typeInto(3, typed);
    QTest::keyClick(t->box(3), Qt::Key_Return);
    QVERIFY(t->message()->isVisible());
    QVERIFY(!t->message()->text().isEmpty());
    QCOMPARE(t->column(3).typed, (prediction::Fraction { 9, 2 }));
    // Leaving the box gives back what it held.
    QTest::mouseClick(t->box(4), Qt::LeftButton);
    QCOMPARE(t->box(3)->text(), QStringLiteral("4.5"));
    QCOMPARE(t->column(3).typed, (prediction::Fraction { 9, 2 }));
}

void tst_Predict::escRestoresAndDeleteEmpties()
{
    KANSU_CHECK(predictOn());
    PredictionTool *t = tool(*form);
    typeInto(2, "2");
    QTest::keyClick(t->box(2), Qt::Key_Return);
    QTest::keyClicks(t->box(2), "5");
    QTest::keyClick(t->box(2), Qt::Key_Escape);
    QCOMPARE(t->box(2)->text(), QStringLiteral("2"));
    QCOMPARE(t->column(2).typed, (prediction::Fraction { 2, 1 }));
    QTest::keyClick(t->box(2), Qt::Key_Delete);
    QCOMPARE(t->box(2)->text(), QString());
    QVERIFY(!t->column(2).typed);
    KANSU_CHECK(stepTo(2));
    QCOMPARE(tableMarkText(2), QString());
    QCOMPARE(t->tableTally()->text(), QStringLiteral("予想 0 / 0"));
}

void tst_Predict::aBoxPHasPassedTakesNoKeys()
{
    // Keys already on their way to a box when P passes its x (automatic play) change nothing.
    KANSU_CHECK(predictOn());
    PredictionTool *t = tool(*form);
    KANSU_CHECK(stepTo(2));
    QVERIFY(!t->box(2)->isVisible());
    QTest::keyClicks(t->box(2), "2");
    QTest::keyClick(t->box(2), Qt::Key_Return);
    QVERIFY(!t->column(2).typed);
    QTest::mouseClick(control<QPushButton>("susumu"), Qt::LeftButton);
    QCOMPARE(tableMarkText(2), QString());
    QCOMPARE(t->tableTally()->text(), QStringLiteral("予想 0 / 0"));
}

void tst_Predict::whatABoxHoldsWhenPArrivesIsKept()
{
    KANSU_CHECK(predictOn());
    PredictionTool *t = tool(*form);
    KANSU_CHECK(stepTo(0.5));
    typeInto(1, ".5");
    // A clicker's PageDown with the box still open.
    QTest::keyClick(t->box(1), Qt::Key_PageDown);
    QCOMPARE(lesson().state().halves, 2);
    QCOMPARE(tableMarkText(1), QStringLiteral("○0.5"));
}

void tst_Predict::rightClickOnAPointRemovesItElsewhereOpensTheMenu()
{
    KANSU_CHECK(predictOn());
    PredictionTool *t = tool(*form);
    clickGraph(4, 8);
    QVERIFY(t->column(4).placed);
    clickGraph(4, 8, Qt::RightButton);
    QVERIFY(!t->column(4).placed);
    QVERIFY(!tools()->menu()->isVisible());
    clickGraph(4, 30, Qt::RightButton);
    QTRY_VERIFY(tools()->menu()->isVisible());
    tools()->menu()->close();
}

void tst_Predict::hiddenYIsNeverSaid()
{
    KANSU_CHECK(predictOn());
    // 3.125 cm² at x = 2.5 is on no table and on no scale: not said; 4.5 at x = 3 is.
    KANSU_CHECK(stepTo(2.5));
    QCOMPARE(control<QLineEdit>("Text1")->accessibleDescription(), QStringLiteral("χ = 2.5 cm"));
    KANSU_CHECK(stepTo(3));
    QCOMPARE(control<QLineEdit>("Text1")->accessibleDescription(),
             QStringLiteral("χ = 3 cm, y = 4.5 cm²"));
    for (QWidget *w : form->findChildren<QWidget *>()) {
        QVERIFY2(!w->accessibleName().contains(QStringLiteral("3.125")),
                 qPrintable(w->objectName()));
        QVERIFY2(!w->accessibleDescription().contains(QStringLiteral("3.125")),
                 qPrintable(w->objectName()));
    }
    // With the tool off again, every step says y.
    tools()->setOn(u"predict", false);
    KANSU_CHECK(stepTo(2.5));
    QCOMPARE(control<QLineEdit>("Text1")->accessibleDescription(),
             QStringLiteral("χ = 2.5 cm, y = 3.125 cm²"));
}

void tst_Predict::formulasAreOffWhilePredicting()
{
    tools()->setOn(u"formulas", true);
    KANSU_CHECK(predictOn());
    QVERIFY(!tools()->isOn(u"formulas"));
    QVERIFY(!tools()->action(u"formulas")->isEnabled());
    tools()->setOn(u"predict", false);
    QVERIFY(tools()->action(u"formulas")->isEnabled());
}

void tst_Predict::newFigureAndInitialScreenClearPredictions_data()
{
    QTest::addColumn<bool>("initialScreen");
    QTest::newRow("a piece dropped") << false;
    QTest::newRow("初期画面") << true;
}

void tst_Predict::newFigureAndInitialScreenClearPredictions()
{
    QFETCH(bool, initialScreen);
    KANSU_CHECK(predictOn());
    PredictionTool *t = tool(*form);
    typeInto(1, "1");
    clickGraph(2, 2);
    KANSU_CHECK(stepTo(2));
    QCOMPARE(t->tableTally()->text(), QStringLiteral("予想 0 / 1"));
    if (initialScreen) {
        QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    } else {
        // The square from the palette into the empty column 4.
        dragOnBoard(lesson(), QPointF(310, 20), QPointF(480, 250));
        QCOMPARE(lesson().state().columns[4], 1.0);
    }
    QVERIFY(!t->column(1).typed && !t->column(2).placed);
    QCOMPARE(tableMarkText(1), QString());
    QCOMPARE(t->tableTally()->text(), QStringLiteral("予想 0 / 0"));
    QCOMPARE(t->box(1)->text(), QString());
    QVERIFY(t->box(1)->isVisible());
}

void tst_Predict::defaultScreenIsUnchanged()
{
    QTest::mouseClick(control<QCheckBox>("Check3"), Qt::LeftButton);
    QTest::mouseClick(control<QCheckBox>("Check2"), Qt::LeftButton);
    KANSU_CHECK(stepTo(3));
    const QImage before = form->grab().toImage();
    const QString said = control<QLineEdit>("Text1")->accessibleDescription();
    QVERIFY(!tools()->find<PredictTool>()->view());
    // On and off again gives back every pixel and what is said.
    tools()->setOn(u"predict", true);
    typeInto(5, "12");
    clickGraph(6, 18);
    QVERIFY(form->grab().toImage() != before);
    tools()->setOn(u"predict", false);
    control<PicturePanel>("gamen")->clearFocus();
    QCOMPARE(form->grab().toImage(), before);
    QCOMPARE(control<QLineEdit>("Text1")->accessibleDescription(), said);
}

void tst_Predict::aShownYTakesNoNewPrediction_data()
{
    // How P reached x = 4 (x = 10 by automatic play) before it came back to `back`.
    QTest::addColumn<QString>("route");
    QTest::addColumn<int>("back");
    QTest::newRow("steps") << "steps" << 2;
    QTest::newRow("a jump") << "jump" << 2;
    QTest::newRow("automatic play") << "play" << 2;
    QTest::newRow("steps before predicting") << "off" << 2;
    QTest::newRow("最初に") << "restart" << 0;
}

void tst_Predict::aShownYTakesNoNewPrediction()
{
    QFETCH(QString, route);
    QFETCH(int, back);
    if (route != QLatin1String("off"))
        KANSU_CHECK(predictOn());
    int shownTo = 4;
    if (route == QLatin1String("jump")) {
        form->jumpTo(2 * 4);
        form->jumpTo(2 * back);
    } else if (route == QLatin1String("play")) {
        control<QComboBox>("Combo1")->setEditText(QStringLiteral(" 0"));
        control<QPushButton>("jidou")->click();
        QTRY_COMPARE(lesson().state().halves, 20);
        shownTo = 10;
    } else {
        KANSU_CHECK(stepTo(4));
    }
    if (route == QLatin1String("restart"))
        QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
    else
        KANSU_CHECK(stepTo(back));
    if (route == QLatin1String("off"))
        KANSU_CHECK(predictOn());
    QCOMPARE(lesson().state().x(), double(back));

    PredictionTool *t = tool(*form);
    for (int x = back + 1; x <= shownTo; ++x) {
        // The box holds the y the class has seen, and takes nothing.
        QLineEdit *box = t->box(x);
        QVERIFY(box->isVisible());
        QVERIFY(box->isReadOnly());
        QCOMPARE(box->text(), QString::number(workedY[x]));
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClicks(box, "7");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), QString::number(workedY[x]));
        QVERIFY(!t->column(x).typed);
        // Nor does the graph, and it says so.
        clickGraph(x, workedY[x]);
        QVERIFY(!t->column(x).placed);
        QVERIFY(t->graphMessage()->isVisible());
    }
    if (shownTo < 10) {
        QVERIFY(t->box(shownTo + 1)->isVisible());
        QVERIFY(!t->box(shownTo + 1)->isReadOnly());
    }
    KANSU_CHECK(stepTo(shownTo));
    QCOMPARE(t->tableTally()->text(), QStringLiteral("予想 0 / 0"));
    QCOMPARE(t->graphTally()->text(), QStringLiteral("予想 0 / 0"));
}

void tst_Predict::aBoxShowsAllItHolds_data()
{
    // The widest texts of up to six characters that the reader takes.
    QTest::addColumn<QString>("typed");
    for (const char *typed : { "12.50", "125/10", "25/2", "26.0", "888888", "-88888", "88.888",
                               "-88/88", "８８８８８８", "１２．５０", "４。５" })
        QTest::newRow(typed) << QString::fromUtf8(typed);
}

void tst_Predict::aBoxShowsAllItHolds()
{
    QFETCH(QString, typed);
    KANSU_CHECK(predictOn());
    PredictionTool *t = tool(*form);
    QLineEdit *box = t->box(8);
    // Where the line edit draws its text, whatever it scrolls: the frame's inside.
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    option.state |= QStyle::State_Sunken;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    // The text runs from the anchor at its start to the cursor at its end (the middles of
    // their rectangles), both inside.
    const auto fits = [&] {
        box->setSelection(0, int(box->text().size()));
        box->grab(); // the line edit scrolls as it paints
        const qreal first
            = QRectF(box->inputMethodQuery(Qt::ImAnchorRectangle).toRect()).center().x();
        const qreal last
            = QRectF(box->inputMethodQuery(Qt::ImCursorRectangle).toRect()).center().x();
        return contents.left() <= first && last <= contents.right();
    };
    typeInto(8, typed);
    QVERIFY2(fits(), "while typed");
    QTest::keyClick(box, Qt::Key_Return);
    QTest::mouseClick(t->box(2), Qt::LeftButton);
    QVERIFY(t->column(8).typed);
    QVERIFY2(fits(), "once kept");
    // And the neighbours' boxes stay clear of each other.
    QVERIFY(!box->geometry().intersects(t->box(7)->geometry()));
    QVERIFY(!box->geometry().intersects(t->box(9)->geometry()));
}

void tst_Predict::graphMarksSayTrueYAndStandApart_data()
{
    // Points placed at x = 1 … 10 (0: none), and the mark beside each once P is at 10.
    QTest::addColumn<QList<double>>("placed");
    QTest::addColumn<QStringList>("marks");
    const QList<double> none(11, 0);
    QList<double> plateau = none;
    plateau[8] = plateau[9] = plateau[10] = 26;
    QTest::newRow("on the plateau") << plateau << QStringList { "正解", "正解", "正解" };
    QList<double> near = none;
    near[8] = 25;
    near[9] = 26;
    near[10] = 27;
    QTest::newRow("near the plateau") << near << QStringList { "正解 26", "正解", "正解 26" };
    QList<double> all = none;
    const double placed[11] = { 0, 1, 2, 3, 9, 12, 19, 21, 27, 26, 25 };
    std::copy(std::begin(placed), std::end(placed), all.begin());
    QTest::newRow("every x, right and wrong")
        << all << QStringList { "正解 0.5", "正解",    "×4.5",    "正解 8", "正解 12.5",
                                "正解 18",  "正解 22", "正解 26", "正解",   "正解 26" };
}

void tst_Predict::graphMarksSayTrueYAndStandApart()
{
    QFETCH(QList<double>, placed);
    QFETCH(QStringList, marks);
    KANSU_CHECK(predictOn());
    PredictionTool *t = tool(*form);
    QList<QRectF> points;
    for (int x = 1; x <= 10; ++x) {
        if (placed[x] > 0) {
            clickGraph(x, placed[x]);
            QCOMPARE(t->column(x).placed, placed[x]);
            points << QRectF(graphAt(x, placed[x])
                                 - control<PicturePanel>("gamen")->pictureOffset(),
                             QSizeF())
                          .adjusted(-6, -6, 6, 6);
        }
    }
    KANSU_CHECK(stepTo(10));
    const QList<PredictionTool::MarkLabel> labels = t->markLabels();
    QStringList texts;
    for (const PredictionTool::MarkLabel &label : labels)
        texts << label.text;
    QCOMPARE(texts, marks);
    const QRectF plot(QPointF(0, 0), control<PicturePanel>("gamen")->pictureSize());
    for (const PredictionTool::MarkLabel &label : labels) {
        QVERIFY2(plot.contains(label.rect), qPrintable(label.text));
        for (const QRectF &point : points)
            QVERIFY2(!label.rect.intersects(point), qPrintable(label.text));
        for (const PredictionTool::MarkLabel &other : labels) {
            QVERIFY2(other.x == label.x || !label.rect.intersects(other.rect),
                     qPrintable(QStringLiteral("x = %1 and %2").arg(label.x).arg(other.x)));
        }
    }
}

KANSU_TEST_MAIN(tst_Predict)
#include "tst_predict.moc"
