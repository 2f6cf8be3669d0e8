#include "compare.h"
#include "core/boardkeys.h"
#include "lesson.h"
#include "windowtest.h"

#include <QAction>
#include <QMenu>
#include <QRandomGenerator>

using namespace lesson;

namespace {

// One move of a random build, made once by keys and once by the mouse.
struct Move
{
    enum Kind { FromShelf, FromColumn, TakeOff, PutBack, StepForward } kind;
    int piece = 0; // 1 to 4, from the shelf
    int from = 0; // column picked up from
    int to = 0; // column dropped over
    bool refused = false; // the keys kept the piece in hand and Esc put it back
};

} // namespace

// Building the figure with the keyboard: the keys, what they say, and that every result is the
// one the mouse gives.
class tst_Keyboard : public WindowTest
{
    Q_OBJECT

public:
    tst_Keyboard()
        : WindowTest(Shown::Active)
    { }

private slots:
    void boardTakesTheFocus_data();
    void boardTakesTheFocus();
    void startUpIsUntouched();
    void workedExampleSaysEachChange();
    void pieceHangsWhereItLands_data();
    void pieceHangsWhereItLands();
    void refusedDropKeepsThePieceInHand_data();
    void refusedDropKeepsThePieceInHand();
    void escapeAndDeleteTakeBackAndOff();
    void pieceInHandGoesBackWhenPMoves_data();
    void pieceInHandGoesBackWhenPMoves();
    void lessonKeysKeepTheirMeaning();
    void spokenColumns_data();
    void spokenColumns();
    void keysBuildWhatTheMouseBuilds_data();
    void keysBuildWhatTheMouseBuilds();

private:
    // Presses a key as the window system delivers it; returns what was said.
    QString press(Qt::Key key);
    QString pressAll(std::initializer_list<Qt::Key> keys);
    void selectColumn(int column);
    void byKeys(const Move &m);
    static void byMouse(Form1 &p, const Move &m);
};

QString tst_Keyboard::press(Qt::Key key)
{
    tools()->forgetAnnouncement();
    QTest::keyClick(form->windowHandle(), key);
    return tools()->lastAnnouncement();
}

QString tst_Keyboard::pressAll(std::initializer_list<Qt::Key> keys)
{
    QString said;
    for (Qt::Key k : keys)
        said = press(k);
    return said;
}

void tst_Keyboard::selectColumn(int column)
{
    // Bounded: a key that moves nothing fails the test instead of pressing for ever.
    for (int guard = 0; guard < 5 && tools()->find<KeyboardTool>()->column() != column; ++guard)
        press(tools()->find<KeyboardTool>()->column() < column ? Qt::Key_Right : Qt::Key_Left);
    QCOMPARE(tools()->find<KeyboardTool>()->column(), column);
}

void tst_Keyboard::boardTakesTheFocus_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("marked"); // the marks show before any building key
    QTest::newRow("a click on the board") << "click" << false;
    QTest::newRow("Tab from 終了") << "tab" << true;
    QTest::newRow("F8") << "F8" << true;
    QTest::newRow("the tools menu") << "menu" << true;
}

void tst_Keyboard::boardTakesTheFocus()
{
    QFETCH(QString, how);
    QFETCH(bool, marked);
    PicturePanel *board = control<PicturePanel>("kokuban");
    const auto marksShown = [this](bool shown) {
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(tools()->find<KeyboardTool>()->boardFrame()[i]->isVisible(), shown);
            QCOMPARE(tools()->find<KeyboardTool>()->columnFrame()[i]->isVisible(), shown);
        }
    };
    if (how == "click") {
        QTest::mouseClick(board, Qt::LeftButton, {}, onPanel(board, QPointF(100, 250)));
    } else if (how == "tab") {
        control<QPushButton>("end")->setFocus();
        press(Qt::Key_Tab);
    } else if (how == "F8") {
        press(Qt::Key_F8);
    } else {
        form->findChild<QAction *>(QStringLiteral("tool_keyboard"))->trigger();
    }
    QCOMPARE(QApplication::focusWidget(), board);
    // The marks show while the keyboard is used: the mouse sees the lesson's own picture until
    // a building key is pressed.
    KANSU_CHECK(marksShown(marked));
    QVERIFY(!tools()->lastAnnouncement().isEmpty());
    press(Qt::Key_Right);
    press(Qt::Key_Left);
    // Drawn round the board and round the selected column, column 0 next to B.
    KANSU_CHECK(marksShown(true));
    QCOMPARE(outline({ tools()->find<KeyboardTool>()->columnFrame()[0],
                       tools()->find<KeyboardTool>()->columnFrame()[1],
                       tools()->find<KeyboardTool>()->columnFrame()[2],
                       tools()->find<KeyboardTool>()->columnFrame()[3] })
                 .center()
                 .x(),
             320.0);

    // A press of the mouse hides them again; the board keeps the focus.
    QTest::mousePress(board, Qt::LeftButton, {}, onPanel(board, QPointF(100, 250)));
    QTest::mouseRelease(board, Qt::LeftButton, {}, onPanel(board, QPointF(100, 250)));
    QCOMPARE(QApplication::focusWidget(), board);
    KANSU_CHECK(marksShown(false));
    press(Qt::Key_F8);
    KANSU_CHECK(marksShown(true));
    control<QPushButton>("susumu")->setFocus();
    KANSU_CHECK(marksShown(false));
}

void tst_Keyboard::startUpIsUntouched()
{
    // The focus starts where it always did, and nothing of the keyboard tool shows.
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>("Command1"));
    for (int i = 0; i < 4; ++i) {
        QVERIFY(!tools()->find<KeyboardTool>()->boardFrame()[i]->isVisible());
        QVERIFY(!tools()->find<KeyboardTool>()->columnFrame()[i]->isVisible());
    }
}

void tst_Keyboard::workedExampleSaysEachChange()
{
    lesson().press(Lesson::Button::Forward);
    lesson().press(Lesson::Button::Forward);
    control<PicturePanel>("kokuban")->setFocus();
    QStringList said;
    for (Qt::Key k : { Qt::Key_4, Qt::Key_Right, Qt::Key_Enter, Qt::Key_2, Qt::Key_Right,
                       Qt::Key_Right, Qt::Key_Enter })
        said << press(k);
    const QStringList expected {
        "三角形を持っています、ここには置けません: 三角形は真ん中を列 2 から 4 "
        "の上にしないと置けません",
        "三角形を持っています、置くと列 1 から 3 に入ります",
        "三角形を列 1 から 3 に置きました",
        "縦4 cmの長方形を持っています、ここには置けません: 列 2 にはもう部品があります",
        "縦4 cmの長方形を持っています、ここには置けません: 列 3 にはもう部品があります",
        "縦4 cmの長方形を持っています、置くと列 4 に入ります",
        "縦4 cmの長方形を列 4 に置きました",
    };
    QCOMPARE(said, expected);
    QCOMPARE(textOf(lesson().state().columns), QStringLiteral("4 5 6 2 0"));
    QCOMPARE(lesson().state().held, 0.0);
    QCOMPARE(tools()->find<KeyboardTool>()->column(), 3); // the selection stays where the bar went
    QCOMPARE(lesson().state().halves, 0); // P back at B, as after a drop with the mouse
}

void tst_Keyboard::pieceHangsWhereItLands_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("column");
    QTest::addColumn<QRectF>("piece");
    // Standing on BC (y 300) over the column it would go into: 2 cm columns from B (x 300).
    QTest::newRow("square over column 0") << int(Qt::Key_1) << 0 << QRectF(300, 260, 40, 40);
    QTest::newRow("4 cm bar over column 2") << int(Qt::Key_2) << 2 << QRectF(380, 220, 40, 80);
    QTest::newRow("6 cm bar over column 4") << int(Qt::Key_3) << 4 << QRectF(460, 180, 40, 120);
    QTest::newRow("triangle by its middle over column 1")
        << int(Qt::Key_4) << 1 << QRectF(300, 180, 120, 120);
    QTest::newRow("triangle by its middle over column 3")
        << int(Qt::Key_4) << 3 << QRectF(380, 180, 120, 120);
}

void tst_Keyboard::pieceHangsWhereItLands()
{
    QFETCH(int, key);
    QFETCH(int, column);
    QFETCH(QRectF, piece);
    control<PicturePanel>("kokuban")->setFocus();
    press(Qt::Key(key));
    KANSU_CHECK(selectColumn(column));
    QRectF hanging;
    switch (key) {
    case Qt::Key_1:
        hanging = pieceOutline(*form, 1);
        break;
    case Qt::Key_2:
        hanging = pieceOutline(*form, 2);
        break;
    case Qt::Key_3:
        hanging = pieceOutline(*form, 3);
        break;
    default:
        hanging = pieceOutline(*form, 4);
    }
    QCOMPARE(hanging, piece);
}

void tst_Keyboard::refusedDropKeepsThePieceInHand_data()
{
    QTest::addColumn<QString>("figure");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("said");
    QTest::newRow("triangle over column 0")
        << "0 0 0 0 0" << int(Qt::Key_4) << 0
        << "三角形は置けません: 三角形は真ん中を列 2 から 4 の上にしないと置けません";
    QTest::newRow("triangle over column 4")
        << "0 0 0 0 0" << int(Qt::Key_4) << 4
        << "三角形は置けません: 三角形は真ん中を列 2 から 4 の上にしないと置けません";
    QTest::newRow("bar onto a bar")
        << "0 0 3 0 0" << int(Qt::Key_1) << 2 << "正方形は置けません: 列 3 にはもう部品があります";
    QTest::newRow("triangle onto a bar in its middle")
        << "0 0 1 0 0" << int(Qt::Key_4) << 2 << "三角形は置けません: 列 3 にはもう部品があります";
}

void tst_Keyboard::refusedDropKeepsThePieceInHand()
{
    QFETCH(QString, figure);
    QFETCH(int, key);
    QFETCH(int, column);
    QFETCH(QString, said);
    buildFigure(lesson(), codesFrom(figure));
    lesson().press(Lesson::Button::Forward); // P away from B: a refused drop must not bring it back
    control<PicturePanel>("kokuban")->setFocus();
    press(Qt::Key(key));
    KANSU_CHECK(selectColumn(column));
    const LessonState before = lessonState(*form);
    QCOMPARE(press(Qt::Key_Return), said);
    KANSU_COMPARE_LESSONS(lessonState(*form), before); // the picture untouched
    QCOMPARE(lesson().state().held, double(key - Qt::Key_0));
    // Said on the board too, under BC, until the next key.
    const PanelLabel *note = tools()->find<KeyboardTool>()->note();
    QVERIFY(note && note->isVisible());
    QCOMPARE(note->caption().trimmed(), said);
    const QRect board(QPoint(0, 0), control<PicturePanel>("kokuban")->pictureSize());
    QVERIFY(board.contains(note->bounds()));
    QVERIFY(note->top() > 330);
    // A language switch takes the note away rather than leave it in the other language.
    QCOMPARE(press(Qt::Key_Return), said);
    QVERIFY(note->isVisible());
    QAction *language = tools()->action(u"lang");
    language->trigger();
    const auto back = qScopeGuard([&] { language->trigger(); });
    QTRY_VERIFY(!note->isVisible());
    press(Qt::Key_Escape);
    QVERIFY(!note->isVisible());
}

void tst_Keyboard::escapeAndDeleteTakeBackAndOff()
{
    buildFigure(lesson(), codesFrom("0 4 5 6 0"));
    control<PicturePanel>("kokuban")->setFocus();
    KANSU_CHECK(selectColumn(3));
    // Picked up by its right column, put back: nothing changes but the piece goes home.
    const LessonState before = lessonState(*form);
    QCOMPARE(press(Qt::Key_Return),
             QStringLiteral("三角形を持っています、ここには置けません: "
                            "列 4 にはもう部品があります"));
    QCOMPARE(press(Qt::Key_Escape), QStringLiteral("三角形を元の場所に戻しました"));
    LessonState now = lessonState(*form);
    QCOMPARE(now.value(QStringLiteral("moto()")), QVariant(3.0)); // where the piece was picked up
    now.set(QStringLiteral("moto()"), before.value(QStringLiteral("moto()")));
    KANSU_COMPARE_LESSONS(now, before);
    // Delete takes the whole triangle off, whichever column holds the selection.
    QCOMPARE(press(Qt::Key_Delete), QStringLiteral("三角形を列 2 から 4 から外しました"));
    QCOMPARE(textOf(lesson().state().columns), QStringLiteral("0 0 0 0 0"));
    QCOMPARE(press(Qt::Key_Delete), QStringLiteral("列 4 には外せる部品がありません"));
}

void tst_Keyboard::pieceInHandGoesBackWhenPMoves_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<int>("halves"); // where P ends; it starts one step from B
    QTest::newRow("a step, PageDown") << "PageDown" << 2;
    QTest::newRow("a step back, PageUp") << "PageUp" << 0;
    QTest::newRow("最初に, Home") << "Home" << 0;
    QTest::newRow("automatic play, F5") << "F5" << 20;
    QTest::newRow("automatic play, picked up in a pause") << "pause" << 20;
    QTest::newRow("a click on 出す") << "click" << 2;
    QTest::newRow("PageDown while the mouse drags it") << "drag" << 2;
}

// A piece in hand hangs over the rectangle: while P moves it would read as part of the
// figure, so it goes back to the palette, as Esc puts it back, and that is said.
void tst_Keyboard::pieceInHandGoesBackWhenPMoves()
{
    QFETCH(QString, route);
    QFETCH(int, halves);
    PicturePanel *board = control<PicturePanel>("kokuban");
    lesson().press(Lesson::Button::Forward);
    control<QComboBox>("Combo1")->setEditText(route == "pause" ? QStringLiteral("1")
                                                               : QStringLiteral(" 0"));
    if (route == "drag") {
        QTest::mousePress(board, Qt::LeftButton, {}, onPanel(board, QPointF(320, 100)));
        QTest::mouseMove(board, onPanel(board, QPointF(360, 250)));
    } else if (route != "pause") {
        press(Qt::Key_F8);
        press(Qt::Key_1);
    }
    QVERIFY(route == "pause" || lesson().state().held == 1);
    if (route == "click") {
        QTest::mouseClick(control<QPushButton>("susumu"), Qt::LeftButton);
    } else if (route == "pause") {
        control<PicturePanel>("kokuban")->setFocus();
        duringPause([&] { QCOMPARE(press(Qt::Key_1).isEmpty(), false); });
        press(Qt::Key_F5);
    } else {
        const Qt::Key key = route == "PageUp" ? Qt::Key_PageUp
            : route == "Home"                 ? Qt::Key_Home
            : route == "F5"                   ? Qt::Key_F5
                                              : Qt::Key_PageDown;
        press(key);
    }
    QCOMPARE(lesson().state().halves, halves);
    QCOMPARE(lesson().state().held, 0.0);
    QCOMPARE(tools()->lastAnnouncement(), QStringLiteral("正方形を元の場所に戻しました"));
    QCOMPARE(pieceOutline(*form, 1), QRectF(300, 85, 40, 40));
    if (route == "drag") // the release that ends the drag then changes nothing
        QTest::mouseRelease(board, Qt::LeftButton, {}, onPanel(board, QPointF(360, 250)));
    QCOMPARE(lesson().state().halves, halves);
    QCOMPARE(textOf(lesson().state().columns), QStringLiteral("0 0 0 0 0"));
}

void tst_Keyboard::lessonKeysKeepTheirMeaning()
{
    control<PicturePanel>("kokuban")->setFocus();
    pressAll({ Qt::Key_PageDown, Qt::Key_PageDown });
    QCOMPARE(lesson().state().halves, 2);
    press(Qt::Key_PageUp);
    QCOMPARE(lesson().state().halves, 1);
    press(Qt::Key_Right); // the arrows serve the building now
    QCOMPARE(lesson().state().halves, 1);
    QCOMPARE(tools()->find<KeyboardTool>()->column(), 1);
    press(Qt::Key_Home);
    QCOMPARE(lesson().state().halves, 0);
    control<QComboBox>("Combo1")->setEditText(
        QStringLiteral(" 0")); // no pause: the run ends at once
    press(Qt::Key_F5);
    QCOMPARE(lesson().state().halves, 20);
    QCOMPARE(QApplication::focusWidget(), control<PicturePanel>("kokuban"));
}

void tst_Keyboard::spokenColumns_data()
{
    QTest::addColumn<double>("code");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("standing");
    QTest::addColumn<QString>("landing");
    // Spoken columns count from 1 at B; a triangle is named by all three of its columns.
    QTest::newRow("square in the first column") << 1.0 << 0 << "列 1"
                                                << "列 1";
    QTest::newRow("tall bar in the last column") << 3.0 << 4 << "列 5"
                                                 << "列 5";
    QTest::newRow("triangle by its left column") << 4.0 << 0 << "列 1 から 3"
                                                 << "";
    QTest::newRow("triangle by its middle column") << 5.0 << 2 << "列 2 から 4"
                                                   << "列 2 から 4";
    QTest::newRow("triangle by its right column") << 6.0 << 4 << "列 3 から 5"
                                                  << "";
}

void tst_Keyboard::spokenColumns()
{
    QFETCH(double, code);
    QFETCH(int, column);
    QFETCH(QString, standing);
    QFETCH(QString, landing);
    QCOMPARE(boardkeys::columnsOf(code, column), standing);
    if (!landing.isEmpty())
        QCOMPARE(boardkeys::landingColumns(code, column), landing);
}

void tst_Keyboard::keysBuildWhatTheMouseBuilds_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : { 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u })
        QTest::addRow("random build %u", seed) << seed;
}

void tst_Keyboard::byKeys(const Move &m)
{
    switch (m.kind) {
    case Move::FromShelf:
        press(Qt::Key(Qt::Key_0 + m.piece));
        KANSU_CHECK(selectColumn(m.to));
        press(Qt::Key_Return);
        break;
    case Move::FromColumn:
        KANSU_CHECK(selectColumn(m.from));
        press(Qt::Key_Return);
        KANSU_CHECK(selectColumn(m.to));
        press(Qt::Key_Return);
        break;
    case Move::TakeOff:
        KANSU_CHECK(selectColumn(m.from));
        press(Qt::Key_Delete);
        break;
    case Move::PutBack:
        press(Qt::Key(Qt::Key_0 + m.piece));
        KANSU_CHECK(selectColumn(m.to));
        press(Qt::Key_Escape);
        break;
    case Move::StepForward:
        press(Qt::Key_PageDown);
        break;
    }
}

void tst_Keyboard::byMouse(Form1 &p, const Move &m)
{
    // Where a learner would press and let go: the palette bands, the middle of a column.
    const QPointF shelf[] = { {}, { 320, 60 }, { 370, 60 }, { 420, 60 }, { 510, 60 } };
    const auto over = [](int column) { return QPointF(318 + 40 * column, 250); };
    QPointF from, to;
    switch (m.kind) {
    case Move::FromShelf:
        from = shelf[m.piece];
        to = over(m.to);
        break;
    case Move::FromColumn:
        from = over(m.from);
        to = over(m.to);
        break;
    case Move::TakeOff:
        from = over(m.from);
        to = QPointF(330, 40);
        break;
    case Move::PutBack:
        from = shelf[m.piece];
        to = QPointF(over(m.to).x(), 340);
        break;
    case Move::StepForward:
        controlOf<QPushButton>(p, "susumu")->click();
        return;
    }
    if (m.refused) // let go below the base: the piece goes back and nothing else changes
        to = QPointF(over(m.to).x(), 340);
    dragOnBoard(p, from, to);
}

void tst_Keyboard::keysBuildWhatTheMouseBuilds()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    // Built by keys first; a drop the keys refuse leaves the piece in hand (the mouse would
    // have let it go), so Esc puts it back, and the mouse lets it go below the base.
    QList<Move> made;
    QList<LessonState> after;
    control<PicturePanel>("kokuban")->setFocus();
    for (int i = 0; i < 14; ++i) {
        Move m { Move::Kind(random.bounded(5)), int(random.bounded(1, 5)), int(random.bounded(5)),
                 int(random.bounded(5)) };
        if ((m.kind == Move::FromColumn || m.kind == Move::TakeOff)
            && lesson().state().columns[size_t(m.from)] == 0)
            continue;
        KANSU_CHECK(byKeys(m));
        if (lesson().state().held != 0) {
            press(Qt::Key_Escape);
            m.refused = true;
        }
        made << m;
        after << lessonState(*form);
    }
    QVERIFY(made.size() >= 5);
    const QString built = textOf(lesson().state().columns);

    // The same moves by the mouse, in a fresh window.
    SideWindow mouse;
    QVERIFY(mouse.exposed);
    for (qsizetype i = 0; i < made.size(); ++i) {
        byMouse(*mouse.form, made[i]);
        const QString difference = lessonDifference(lessonState(*mouse.form), after[i]);
        QVERIFY2(difference.isEmpty(),
                 qPrintable(QStringLiteral("move %1 of %2, by the mouse: %3")
                                .arg(i + 1)
                                .arg(made.size())
                                .arg(difference)));
    }
    QCOMPARE(textOf(mouse.form->state().columns), built);
}

KANSU_TEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
