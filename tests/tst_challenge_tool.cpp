#include "core/challenge.h"
#include "core/lessonformat.h"
#include "lesson.h"
#include "tools/challenge/challengetool.h"
#include "tools/graphlayer.h"
#include "tools/traces/tracestool.h"
#include "windowtest.h"

#include <QLabel>
#include <QMessageBox>
#include <QSpinBox>
#include <random>
#include <set>

// The challenges in the window, through the lesson interface only: targets built again by the
// lesson's own drops, verdicts against y measured from the pieces, and the target's graph
// against the graph the lesson itself draws.

using namespace lesson;
using challenge::Verdict;

namespace {

using Ys = std::array<double, 21>;

// How the learner's graph differs from the target's over column k, from the exact y at its
// half centimetres: a straight stretch rises by the same amount each half centimetre.
Verdict::Kind differenceIn(const Ys &learner, const Ys &target, int k)
{
    std::array<double, 4> l {}, t {};
    for (int i = 0; i < 4; ++i) {
        const size_t at = size_t(4 * k + i);
        l[size_t(i)] = learner[at + 1] - learner[at];
        t[size_t(i)] = target[at + 1] - target[at];
    }
    if (l == t)
        return Verdict::Solved;
    const bool lStraight = l[0] == l[3] && l[1] == l[2] && l[0] == l[1];
    const bool tStraight = t[0] == t[3] && t[1] == t[2] && t[0] == t[1];
    if (lStraight && tStraight)
        return l[0] > t[0] ? Verdict::Steeper : Verdict::Gentler;
    return Verdict::Curve;
}

// The words for the first stretch that differs, worked out from the exact y.
QString expectedWords(const Codes &learner, const Codes &target)
{
    const Ys l = ysOf(learner), t = ysOf(target);
    int k = 0;
    while (k < 5 && differenceIn(l, t, k) == Verdict::Solved)
        ++k;
    if (k == 5)
        return challenge::text(Verdict {});
    const Verdict::Kind kind = differenceIn(l, t, k);
    int end = k;
    while (end + 1 < 5 && differenceIn(l, t, end + 1) == kind)
        ++end;
    return challenge::text(Verdict { kind, 2 * k, 2 * (end + 1) });
}

// The pieces of a figure, the triangle by its middle column, where a drop puts them.
void build(Lesson &lesson, const Codes &codes)
{
    lesson.press(Lesson::Button::Initial);
    for (int k = 0; k < 5; ++k) {
        const int code = int(codes[size_t(k)]);
        if (code < 1 || code > 4)
            continue;
        lesson.pickUp(code);
        lesson.release(Lesson::Release::Drop, code == 4 ? k + 1 : k);
    }
}

// The device pixels where two pictures of one widget differ.
std::set<std::pair<int, int>> differing(const QImage &a, const QImage &b)
{
    std::set<std::pair<int, int>> points;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                points.insert({ x, y });
        }
    }
    return points;
}

std::set<std::pair<int, int>> pixelsOf(const QImage &image, const QColor &color)
{
    std::set<std::pair<int, int>> points;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == color.rgb())
                points.insert({ x, y });
        }
    }
    return points;
}

// Every text the window gives assistive technology or shows in a label.
QStringList textsOf(QWidget *window)
{
    QStringList texts { window->accessibleName(), window->accessibleDescription() };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        texts << w->accessibleName() << w->accessibleDescription();
        if (auto *label = qobject_cast<QLabel *>(w))
            texts << label->text();
    }
    return texts;
}

} // namespace

class tst_ChallengeTool : public WindowTest
{
    Q_OBJECT

public:
    tst_ChallengeTool()
        : WindowTest(Shown::Active)
    { }

private slots:
    void levelsAreSolvedByTheirTwinAndNameTheFirstDifference_data();
    void levelsAreSolvedByTheirTwinAndNameTheFirstDifference();
    void targetGraphIsTheLessonsOwnGraph_data();
    void targetGraphIsTheLessonsOwnGraph();
    void targetStaysHiddenUntilTheAnswerIsAsked();
    void lessonFileCarriesTargetAndTraces();
    void tracesStandAndGoWithoutATrace();
    void keysDriveTheChallenge();

private:
    ChallengeTool &challengeTool() const { return toolOf<ChallengeTool>(*form); }
    QString verdict() const { return challengeTool().verdictLabel()->text(); }
};

void tst_ChallengeTool::levelsAreSolvedByTheirTwinAndNameTheFirstDifference_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("one bar") << 1;
    QTest::newRow("two bars") << 2;
    QTest::newRow("triangle and a bar") << 3;
    QTest::newRow("four pieces") << 4;
}

void tst_ChallengeTool::levelsAreSolvedByTheirTwinAndNameTheFirstDifference()
{
    QFETCH(int, level);
    tools()->setOn(u"challenge", true);
    ChallengeTool &tool = challengeTool();
    const std::vector<Codes> every = everyFigure();
    std::mt19937 random { quint32(level) };
    for (quint32 seed = 1; seed <= 200; ++seed) {
        tool.start(level, seed);
        const Codes target = tool.target();
        const int solvedBefore = tool.solved();
        build(lesson(), target);
        QCOMPARE(lesson().state().columns, target);
        tools()->setOn(u"check", true);
        QVERIFY2(verdict() == challenge::text(Verdict {}), qPrintable(textOf(target)));
        QCOMPARE(tool.solved(), solvedBefore + 1);
        QCOMPARE(tools()->lastAnnouncement(), verdict());

        Codes wrong;
        do
            wrong = every[random() % every.size()];
        while (ysOf(wrong) == ysOf(target));
        build(lesson(), wrong);
        // A verdict speaks of the figure it was given for: gone with the figure.
        QVERIFY(verdict().isEmpty());
        tools()->setOn(u"check", true);
        QVERIFY2(
            verdict() == expectedWords(wrong, target),
            qPrintable(
                QStringLiteral("%1 against %2: %3").arg(textOf(wrong), textOf(target), verdict())));
        QCOMPARE(tool.solved(), solvedBefore + 1);
    }
}

void tst_ChallengeTool::targetGraphIsTheLessonsOwnGraph_data()
{
    QTest::addColumn<QString>("codes");
    QTest::newRow("worked example") << "4 5 6 2 0";
    QTest::newRow("one tall bar at the end") << "0 0 0 0 3";
    QTest::newRow("four bars") << "1 3 2 0 1";
    QTest::newRow("triangle at the end") << "2 0 4 5 6";
    QTest::newRow("every column full") << "3 3 3 3 3";
}

void tst_ChallengeTool::targetGraphIsTheLessonsOwnGraph()
{
    QFETCH(QString, codes);
    const Codes target = codesFrom(codes);
    tools()->setOn(u"challenge", true);
    challengeTool().start(target);
    QVERIFY(lesson().state().isShown(Lesson::View::Graph));
    PicturePanel *graph = lesson().panel(Lesson::Panel::Graph);
    QWidget *layer = challengeTool().layer();
    QVERIFY(layer->isVisible());
    const QImage withTarget = graph->grab().toImage();
    layer->hide();
    const QImage without = graph->grab().toImage();
    layer->show();
    const auto drawn = differing(withTarget, without);
    QVERIFY(!drawn.empty());

    // The lesson draws the same figure's graph as P goes to the end.
    SideWindow side;
    QVERIFY(side.exposed);
    Lesson &other = *side.form;
    other.setShown(Lesson::View::Graph, true);
    build(other, target);
    for (int i = 0; i < 20; ++i)
        other.press(Lesson::Button::Forward);
    QCOMPARE(other.state().halves, 20);
    const QImage lessons = other.panel(Lesson::Panel::Graph)->grab().toImage();
    QCOMPARE(lessons.size(), withTarget.size());
    const auto plotted = pixelsOf(lessons, blue);
    QCOMPARE(drawn.size(), plotted.size());
    QVERIFY(drawn == plotted);

    // The learner's graph draws over the target, the same pixels.
    build(lesson(), target);
    for (int i = 0; i < 20; ++i)
        lesson().press(Lesson::Button::Forward);
    QVERIFY(graph->grab().toImage() == lessons);
}

void tst_ChallengeTool::targetStaysHiddenUntilTheAnswerIsAsked()
{
    tools()->setOn(u"formulas", true);
    lesson().setShown(Lesson::View::Graph, true);
    PicturePanel *board = lesson().panel(Lesson::Panel::Board);
    const QImage emptyBoard = board->grab().toImage();
    const QStringList before = textsOf(form.get());

    tools()->setOn(u"challenge", true);
    challengeTool().start(codesFrom("4 5 6 2 1"));
    QCOMPARE(board->grab().toImage(), emptyBoard);
    // Pieces in words, as the answer says them; the formulas box is the learner's empty figure.
    const QStringList pieceWords { "正方形", "長方形", "三角形", "square", "triangle", "bar" };
    const QStringList during = textsOf(form.get()) << tools()->lastAnnouncement();
    for (const QString &text : during) {
        if (before.contains(text))
            continue;
        for (const QString &word : pieceWords)
            QVERIFY2(!text.contains(word, Qt::CaseInsensitive), qPrintable(text));
    }
    const QString formulas = toolOf<FormulasTool>(*form).box()->accessibleDescription();
    QVERIFY(before.contains(formulas));

    // Asked for, the answer stands on the board and is said; the level counts as not solved.
    tools()->setOn(u"answer", true);
    QVERIFY(board->grab().toImage() != emptyBoard);
    QVERIFY(tools()->lastAnnouncement().contains(QStringLiteral("三角形")));
    QVERIFY(
        challengeTool().answerLayer()->accessibleDescription().contains(QStringLiteral("三角形")));
    build(lesson(), codesFrom("4 5 6 2 1"));
    tools()->setOn(u"check", true);
    QCOMPARE(verdict(), challenge::text(Verdict {}));
    QCOMPARE(challengeTool().solved(), 0);

    // Switched off, the board is the lesson's own again.
    tools()->setOn(u"challenge", false);
    QVERIFY(!challengeTool().answerLayer()->isVisible());
}

void tst_ChallengeTool::lessonFileCarriesTargetAndTraces()
{
    const Codes target = codesFrom("0 4 5 6 3");
    build(lesson(), codesFrom("1 0 0 0 0"));
    tools()->setOn(u"traces", true);
    build(lesson(), codesFrom("2 2 0 0 0"));
    tools()->setOn(u"traces", true);
    lessonformat::Lesson saved;
    tools()->saveInto(saved);
    QVERIFY(!saved.target);
    tools()->setOn(u"challenge", true);
    challengeTool().start(target);
    saved = {};
    tools()->saveInto(saved);
    QVERIFY(saved.target);
    QCOMPARE(lessonformat::columnsOf(*saved.target), target);
    QCOMPARE(saved.traces.size(), size_t(2));

    // Through the file's bytes into another window: the challenge runs with the same target.
    lessonformat::Lesson read;
    lessonformat::Error error;
    QVERIFY(lessonformat::read(lessonformat::write(saved), read, error));
    SideWindow side;
    ToolHost *host = ToolHost::of(side.form.get());
    const QStringList fresh = textsOf(side.form.get());
    host->loadFrom(read);
    QVERIFY(host->isOn(u"challenge"));
    QCOMPARE(host->find<ChallengeTool>()->target(), target);
    QCOMPARE(host->find<ChallengeTool>()->level(), 0);
    const std::vector<challenge::Figure> kept { codesFrom("1 0 0 0 0"), codesFrom("2 2 0 0 0") };
    QVERIFY(host->find<TracesTool>()->traces() == kept);
    const QStringList after = textsOf(side.form.get()) << host->lastAnnouncement();
    for (const QString &text : after)
        QVERIFY2(fresh.contains(text) || !text.contains(QStringLiteral("三角形")),
                 qPrintable(text));
}

void tst_ChallengeTool::tracesStandAndGoWithoutATrace()
{
    lesson().setShown(Lesson::View::Graph, true);
    build(lesson(), codesFrom("1 2 3 0 0"));
    for (int i = 0; i < 20; ++i)
        lesson().press(Lesson::Button::Forward);
    const QImage window = form->grab().toImage();
    TracesTool &traces = toolOf<TracesTool>(*form);
    const char *figures[] = { "1 2 3 0 0", "4 5 6 0 0", "3 3 0 0 0" };
    for (const char *codes : figures) {
        build(lesson(), codesFrom(QLatin1String(codes)));
        tools()->setOn(u"traces", true);
    }
    QCOMPARE(traces.traces().size(), size_t(3));
    QVERIFY(traces.layer()->isVisible());
    // A fourth is refused, and said.
    tools()->setOn(u"traces", true);
    QCOMPARE(traces.traces().size(), size_t(3));
    auto *message = form->findChild<QMessageBox *>(QStringLiteral("fileMessage"));
    QVERIFY(message && message->isVisible());
    QCOMPARE(tools()->lastAnnouncement(), message->text());
    message->close();

    build(lesson(), codesFrom("1 2 3 0 0"));
    for (int i = 0; i < 20; ++i)
        lesson().press(Lesson::Button::Forward);
    QVERIFY(form->grab().toImage() != window);
    tools()->setOn(u"clearTraces", true);
    QVERIFY(traces.traces().empty());
    QCOMPARE(form->grab().toImage(), window);
}

void tst_ChallengeTool::keysDriveTheChallenge()
{
    QWindow *window = form->windowHandle();
    QTest::keyClick(window, Qt::Key_M, Qt::ControlModifier);
    QVERIFY(tools()->isOn(u"challenge"));
    QCOMPARE(challengeTool().level(), 1);
    QVERIFY(tools()->lastAnnouncement().contains(
        challengeTool()
            .bar()
            ->findChild<QLabel *>(QStringLiteral("challengeName"))
            ->text()
            .section(QChar(0x3000), 0, 0)));
    QTest::keyClick(window, Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(!verdict().isEmpty());
    QCOMPARE(tools()->lastAnnouncement(), verdict());
    QTest::keyClick(window, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(challengeTool().answerLayer()->isVisible());
    QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(challengeTool().level(), 2);
    QVERIFY(!challengeTool().answerLayer()->isVisible());
    // A teacher names a target by its level and number.
    QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QDialog *dialog = challengeTool().levelDialog();
    QVERIFY(dialog && dialog->isVisible());
    dialog->findChild<QSpinBox *>(QStringLiteral("challengeLevel"))->setValue(3);
    dialog->findChild<QSpinBox *>(QStringLiteral("challengeNumber"))->setValue(17);
    dialog->accept();
    QCOMPARE(challengeTool().level(), 3);
    QCOMPARE(challengeTool().target(), challenge::level(3, 17));
    QVERIFY(tools()->lastAnnouncement().contains(challenge::levelName(3, 17)));
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(window, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(toolOf<TracesTool>(*form).traces().size(), size_t(1));
    QTest::keyClick(window, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(toolOf<TracesTool>(*form).traces().empty());
}

QTEST_MAIN(tst_ChallengeTool)
#include "tst_challenge_tool.moc"
