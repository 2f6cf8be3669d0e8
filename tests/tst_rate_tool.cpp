// The rate-of-change tool on the worked example: the increases and the rate in the table, the
// slope triangle on the graph, the strip on the board, set by mouse and by keys.
#include "windowtest.h"

#include "app/commandline.h"
#include "core/lessonformat.h"
#include "lesson.h"
#include "toolkit/panelcontrols.h"
#include "toolkit/picturepanel.h"
#include "tools/language/translation.h"
#include "tools/rate/ratetool.h"
#include "tools/registry.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace lesson;

namespace {

// The tool's orange, as the legs and the outline are painted.
const QColor leg(230, 90, 0);

// The graph's scale, as its grid reads: the axes cross at (35, 480), a grid square is 30 pixels,
// 1 cm across and 4 cm² up.
QPointF onGraph(double x, double y)
{
    return QPointF(35 + 30 * x, 480 - 30 * y / 4);
}

// The worked example at P = `halves`, the rate tool starting at `from`, opened from a file.
QByteArray exampleFile(int halves, std::optional<int> from, bool rateOn = true)
{
    QByteArray file(workedExampleFile);
    file.replace("\"x\": 0", QByteArray("\"x\": ") + QByteArray::number(halves / 2.0));
    if (from)
        file.replace("\"speed\"",
                     QByteArray("\"rate_from\": ") + QByteArray::number(*from / 2.0)
                         + ", \"speed\"");
    if (rateOn)
        file.replace("\"speed\"", "\"tools\": [\"rate\"], \"speed\"");
    return file;
}

// The marks of one panel as they paint themselves, on nothing, at the panel's ratio.
QImage rendered(const PanelItem *marks)
{
    const PicturePanel *panel = marks->panel();
    const qreal r = panel->pictureRatio();
    QImage image(panel->pictureSize() * r, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(r);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    marks->paint(painter);
    return image;
}

// The increases the arrows and the legs carry, as written: "+2 +8", or "+2" alone.
QString increasesShown(const RateTool &rate)
{
    const RateTool::Marks &m = rate.marks();
    return m.withY ? m.dx + QLatin1Char(' ') + m.dy : m.dx;
}

bool isLeg(QRgb pixel)
{
    return qAlpha(pixel) == 255 && QColor(pixel).rgb() == leg.rgb();
}

} // namespace

class tst_RateTool : public WindowTest
{
    Q_OBJECT

public:
    tst_RateTool()
        : WindowTest(Shown::Active)
    { }

private:
    RateTool &rate() const { return toolOf<RateTool>(*form); }
    void open(const QByteArray &content)
    {
        QFile file(dir.filePath(QStringLiteral("lesson.kansu")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        QString error;
        QVERIFY2(toolOf<LessonFileTool>(*form).open(file.fileName(), &error), qPrintable(error));
        QCoreApplication::processEvents();
    }
    void tearDown() override { translation::use(QStringLiteral("ja")); }

    QTemporaryDir dir;

private slots:
    void workedExample_data();
    void workedExample();
    void stripAreaIsIncreaseOfY_data();
    void stripAreaIsIncreaseOfY();
    void legsFollowGraphScale_data();
    void legsFollowGraphScale();
    void keyboardSetsAndReadsStart_data();
    void keyboardSetsAndReadsStart();
    void predictionsKeepYQuestions_data();
    void predictionsKeepYQuestions();
    void lessonFileKeepsStart();
    void worksheetAsksAndAnswers();
    void switchingOffGivesBackPicture();
};

void tst_RateTool::workedExample_data()
{
    QTest::addColumn<int>("from"); // half centimetres
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("increases"); // beside the arrows of the table
    QTest::addColumn<QString>("line");
    QTest::newRow("6 to 8 by steps") << 12 << 16 << "steps"
                                     << "+2 +8"
                                     << "変化の割合 = 8 ÷ 2 = 4";
    QTest::newRow("0 to 6 by a jump") << 0 << 12 << "jump"
                                      << "+6 +18"
                                      << "変化の割合 = 18 ÷ 6 = 3";
    QTest::newRow("2 to 4, start by Shift+click on the table") << 4 << 8 << "table"
                                                               << "+2 +6"
                                                               << "変化の割合 = 6 ÷ 2 = 3";
    QTest::newRow("4 to 6, start marker dragged on the graph") << 8 << 12 << "drag"
                                                               << "+2 +10"
                                                               << "変化の割合 = 10 ÷ 2 = 5";
    QTest::newRow("0 to 1, start by Shift+click on the graph") << 0 << 2 << "graph"
                                                               << "+1 +0.5"
                                                               << "変化の割合 = 0.5 ÷ 1 = 1/2";
}

void tst_RateTool::workedExample()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, how);
    QFETCH(QString, increases);
    QFETCH(QString, line);
    PicturePanel *table = lesson().panel(Lesson::Panel::Table);
    PicturePanel *graph = lesson().panel(Lesson::Panel::Graph);
    if (how == QLatin1String("steps")) {
        open(exampleFile(0, from));
        for (int i = 0; i < to; ++i)
            lesson().press(Lesson::Button::Forward);
    } else {
        // The start stands at 7 cm, past P, until it is moved.
        open(exampleFile(0, 14));
        lesson().jumpTo(to);
        if (how == QLatin1String("table")) {
            QTest::mouseClick(table, Qt::LeftButton, Qt::ShiftModifier,
                              onPanel(table, QPointF(RateTool::tableColumnCentre(from / 2), 80)));
        } else if (how == QLatin1String("graph")) {
            QTest::mouseClick(graph, Qt::LeftButton, Qt::ShiftModifier,
                              onPanel(graph, onGraph(from / 2.0, 10)));
        } else if (how == QLatin1String("drag")) {
            const QPointF grip = onGraph(7, 0) - QPointF(0, 4);
            QTest::mousePress(graph, Qt::LeftButton, {}, onPanel(graph, grip));
            QTest::mouseMove(graph, onPanel(graph, onGraph(5, 0)));
            QTest::mouseMove(graph, onPanel(graph, onGraph(from / 2.0, 0)));
            QTest::mouseRelease(graph, Qt::LeftButton, {}, onPanel(graph, onGraph(from / 2.0, 0)));
        } else {
            QCOMPARE(how, QStringLiteral("jump"));
            rate().setStart(from);
        }
    }
    // P went where it was sent, and a Shift+click or a drag did not move it.
    QCOMPARE(lesson().state().halves, to);
    QCOMPARE(rate().start(), from);
    QCOMPARE(increasesShown(rate()), increases);
    QVERIFY2(rate().statement().contains(line), qPrintable(rate().statement()));
    QCOMPARE(tools()->lastAnnouncement(), rate().statement());
    // On screen: the line as it is now, and the strip over the white at the base, in the
    // middle of the interval.
    QCoreApplication::processEvents();
    QCOMPARE(rate().shownLine(), line);
    PicturePanel *board = lesson().panel(Lesson::Panel::Board);
    const QImage shown = board->grab().toImage();
    const QPoint middle
        = onPanel(board, QPointF(300 - 5 * (to - from), 296)) * shown.devicePixelRatio();
    QVERIFY2(!sameRgb(shown.pixelColor(middle), white),
             qPrintable(shown.pixelColor(middle).name()));
}

void tst_RateTool::stripAreaIsIncreaseOfY_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("0 to 6 over the triangle") << 0 << 12;
    QTest::newRow("6 to 8 over the bar") << 12 << 16;
    QTest::newRow("2 to 4") << 4 << 8;
    QTest::newRow("0 to 1") << 0 << 2;
    QTest::newRow("5.5 to 10, bar and nothing") << 11 << 20;
    QTest::newRow("8 to 10, nothing crosses") << 16 << 20;
}

// Counted in device pixels (400 r² to the cm²), the exact increase of y lies between the strip's
// inside (tinted and hatched) and the inside with its outline, which straddles the edges.
void tst_RateTool::stripAreaIsIncreaseOfY()
{
    QFETCH(int, from);
    QFETCH(int, to);
    open(exampleFile(to, from));
    const QImage image = rendered(rate().boardMarks());
    const qreal r = image.devicePixelRatio();
    double inside = 0, outline = 0;
    // The strip lies in the rectangle ABCD; the words above it are not counted.
    for (int j = int(170 * r); j < image.height(); ++j) {
        for (int i = 0; i < image.width(); ++i) {
            const int alpha = qAlpha(image.pixel(i, j));
            if (alpha == 255)
                outline += 1;
            else if (alpha > 0)
                inside += 1;
        }
    }
    inside /= 400 * r * r;
    outline /= 400 * r * r;
    const double dy = workedExampleY(to / 2.0) - workedExampleY(from / 2.0);
    const QString detail
        = QStringLiteral("inside %1, outline %2, dy %3 cm²").arg(inside).arg(outline).arg(dy);
    QVERIFY2(inside <= dy, qPrintable(detail));
    QVERIFY2(dy <= inside + outline, qPrintable(detail));
    if (dy == 0)
        QVERIFY2(outline == 0, qPrintable(detail));
    else
        QVERIFY2(inside > dy / 2, qPrintable(detail)); // hatched, not just outlined
}

void tst_RateTool::legsFollowGraphScale_data()
{
    stripAreaIsIncreaseOfY_data();
}

void tst_RateTool::legsFollowGraphScale()
{
    QFETCH(int, from);
    QFETCH(int, to);
    open(exampleFile(to, from));
    const QImage image = rendered(rate().graphMarks());
    const qreal r = image.devicePixelRatio();
    const double x1 = from / 2.0, x2 = to / 2.0;
    const QPointF a = onGraph(x1, workedExampleY(x1)) * r, b = onGraph(x2, workedExampleY(x2)) * r;
    const double slack = 2 * r;
    // The horizontal leg: a row of orange from (x1, y1) to x2, on the row just above y1.
    const int row = int(std::lround(a.y())) - 1;
    int left = image.width(), right = -1, run = 0;
    for (int i = 0; i < image.width(); ++i) {
        if (isLeg(image.pixel(i, row))) {
            left = std::min(left, i);
            right = std::max(right, i);
            ++run;
        }
    }
    const QString across = QStringLiteral("leg across %1…%2 (%3 px), expected %4…%5")
                               .arg(left)
                               .arg(right)
                               .arg(run)
                               .arg(a.x())
                               .arg(b.x());
    QVERIFY2(std::abs(left - a.x()) <= slack && std::abs(right - b.x()) <= slack,
             qPrintable(across));
    QVERIFY2(run >= b.x() - a.x() - slack, qPrintable(across));
    // The upright leg: a column of orange at x2 from y1 up to y2 (none when y does not grow).
    const int column = int(std::lround(b.x())) - 1;
    int top = image.height(), bottom = -1;
    run = 0;
    for (int j = 0; j < image.height(); ++j) {
        if (isLeg(image.pixel(column, j))) {
            top = std::min(top, j);
            bottom = std::max(bottom, j);
            ++run;
        }
    }
    const QString up = QStringLiteral("leg up %1…%2 (%3 px), expected %4…%5")
                           .arg(top)
                           .arg(bottom)
                           .arg(run)
                           .arg(b.y())
                           .arg(a.y());
    QVERIFY2(std::abs(top - b.y()) <= slack && std::abs(bottom - a.y()) <= slack, qPrintable(up));
    QVERIFY2(run >= a.y() - b.y() - slack, qPrintable(up));
}

void tst_RateTool::keyboardSetsAndReadsStart_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("said"); // after Shift+End, Shift+Home, Shift+→ twice
    QTest::newRow("Japanese") << "ja"
                              << QStringList {
                                     "変化の割合の始まり: x = 4 cm",
                                     "x が 0 から 4 まで: 変化の割合 = 8 ÷ 4 = 2。"
                                     "変化の割合は一定ではない。辺ABを通る図形が高くなるので、"
                                     "y の増え方も大きくなる",
                                     "x が 1 から 4 まで: 変化の割合 = 7.5 ÷ 3 = 5/2。"
                                     "変化の割合は一定ではない。辺ABを通る図形が高くなるので、"
                                     "y の増え方も大きくなる",
                                 };
    QTest::newRow("English")
        << "en"
        << QStringList {
               "Rate of change starts at x = 4 cm",
               "x from 0 to 4: Rate of change = 8 ÷ 4 = 2. The rate of change is not the same all "
               "along: the figure crossing side AB gets taller, so y increases faster and faster",
               "x from 1 to 4: Rate of change = 7.5 ÷ 3 = 5/2. The rate of change is not the same "
               "all along: the figure crossing side AB gets taller, so y increases faster and "
               "faster",
           };
}

void tst_RateTool::keyboardSetsAndReadsStart()
{
    QFETCH(QString, language);
    QFETCH(QStringList, said);
    QVERIFY(translation::use(language));
    open(exampleFile(8, 2));
    PicturePanel *graph = lesson().panel(Lesson::Panel::Graph);
    graph->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(graph->hasFocus());
    QTest::keyClick(graph, Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(rate().start(), 8);
    QCOMPARE(tools()->lastAnnouncement(), said[0]);
    QTest::keyClick(graph, Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(rate().start(), 0);
    QCOMPARE(tools()->lastAnnouncement(), said[1]);
    QTest::keyClick(graph, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(graph, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(rate().start(), 2);
    QCOMPARE(tools()->lastAnnouncement(), said[2]);
    // P stayed: the keys with Shift move the start point only.
    QCOMPARE(lesson().state().halves, 8);
    // The key help says so.
    QVERIFY(tools()->keyHelpText().contains(QStringLiteral("Shift+Home")));
}

void tst_RateTool::predictionsKeepYQuestions_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("showsY");
    QTest::addColumn<QString>("increases");
    QTest::newRow("whole ends the table shows") << 2 << 6 << true << "+2 +4";
    QTest::newRow("P between columns") << 2 << 7 << false << "+2.5";
    QTest::newRow("start between columns") << 3 << 6 << false << "+1.5";
}

void tst_RateTool::predictionsKeepYQuestions()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, showsY);
    QFETCH(QString, increases);
    open(exampleFile(0, from));
    tools()->setOn(u"predict", true);
    for (int i = 0; i < to; ++i)
        lesson().press(Lesson::Button::Forward);
    QCOMPARE(rate().showsY(), showsY);
    QCOMPARE(increasesShown(rate()), increases);
    QCOMPARE(rate().statement().contains(QStringLiteral("変化の割合 =")), showsY);
    // Nothing of the strip, whose area is the increase of y, while y is a question.
    const QImage board = rendered(rate().boardMarks());
    bool strip = false;
    for (int j = int(170 * board.devicePixelRatio()); j < board.height() && !strip; ++j) {
        for (int i = 0; i < board.width() && !strip; ++i)
            strip = qAlpha(board.pixel(i, j)) > 0;
    }
    QCOMPARE(strip, showsY);
}

void tst_RateTool::lessonFileKeepsStart()
{
    open(exampleFile(8, {}));
    QVERIFY(tools()->isOn(u"rate"));
    // Switched on by the file, before P stood anywhere but at B.
    QCOMPARE(rate().start(), 0);
    rate().setStart(3);
    const QString path = dir.filePath(QStringLiteral("saved.kansu"));
    QVERIFY(toolOf<LessonFileTool>(*form).save(path));
    lessonformat::Lesson saved;
    rate().keepIn(saved);
    QCOMPARE(saved.rateFrom, std::optional<double>(1.5));

    Form1 other;
    QVERIFY(toolOf<LessonFileTool>(other).open(path));
    QVERIFY(ToolHost::of(&other)->isOn(u"rate"));
    QCOMPARE(toolOf<RateTool>(other).start(), 3);

    // `kansu --rate LESSON` with a file that keeps a start point but leaves the tool off: the
    // tool comes on after the file, at the file's start point, not at P.
    QFile file(dir.filePath(QStringLiteral("off.kansu")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(exampleFile(8, 4, false));
    file.close();
    StartOptions options;
    options.on = { tools::rowOf(u"rate") };
    options.lessonFile = file.fileName();
    Form1 started;
    QCOMPARE(applyStartOptions(started, options), -1);
    QVERIFY(ToolHost::of(&started)->isOn(u"rate"));
    QCOMPARE(toolOf<RateTool>(started).start(), 4);
    QVERIFY(!ToolHost::of(&started)->sheetTasks().empty());
}

void tst_RateTool::worksheetAsksAndAnswers()
{
    open(exampleFile(8, 4));
    const std::vector<SheetTask> tasks = tools()->sheetTasks();
    QCOMPARE(tasks.size(), size_t(1));
    QCOMPARE(tasks[0].question.size(), size_t(1));
    QCOMPARE(formulas::plain(tasks[0].question[0]),
             QStringLiteral("x が 2 から 4 まで増加するときの変化の割合を求めなさい"));
    QCOMPARE(tasks[0].answer.size(), size_t(2));
    QCOMPARE(formulas::plain(tasks[0].answer[0]), QStringLiteral("変化の割合 = 6 ÷ 2 = 3"));
    QCOMPARE(formulas::plain(tasks[0].answer[1]), QStringLiteral("x の増加量 2、y の増加量 6"));
    // No interval, no task.
    rate().setStart(10);
    QVERIFY(tools()->sheetTasks().empty());
}

void tst_RateTool::switchingOffGivesBackPicture()
{
    open(exampleFile(12, {}, false));
    QCoreApplication::processEvents();
    const QImage before = form->grab().toImage();
    tools()->setOn(u"rate", true);
    rate().setStart(2);
    QCoreApplication::processEvents();
    QVERIFY(form->grab().toImage() != before);
    tools()->setOn(u"rate", false);
    QCoreApplication::processEvents();
    const QImage after = form->grab().toImage();
    QVERIFY2(after == before, qPrintable(pictureDifference(after, before)));
}

QTEST_MAIN(tst_RateTool)
#include "tst_rate_tool.moc"
