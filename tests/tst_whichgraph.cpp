#include "lesson.h"
#include "windowtest.h"

#include "tools/whichgraph/whichgraphtool.h"

#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>

// "どのグラフ？": four graphs, exactly one of them the figure's as the lesson works y out; a
// pick by mouse or keys is marked and the slide plays; the tool leaves no pixel behind.

using namespace lesson;

namespace {

const QColor markedRight(0, 160, 0);
const QColor markedWrong(220, 0, 0);

} // namespace

class tst_WhichGraph : public WindowTest
{
    Q_OBJECT

public:
    tst_WhichGraph()
        : WindowTest(Shown::Active)
    { }

private slots:
    void exactlyOneGraphIsTheFigures();
    void aPickIsMarkedAndPlayed_data();
    void aPickIsMarkedAndPlayed();
    void switchingOffLeavesTheLessonsPicture();
    void worksheetAsksThenAnswers();
    void aLessonFileSwitchesItOn();
    void oneQuestionAtATime();

private:
    WhichGraphTool &tool() const { return toolOf<WhichGraphTool>(*form); }
    QWidget *cell(int i) const
    {
        return form->findChild<QWidget *>(QStringLiteral("whichGraphChoice%1").arg(i));
    }
    // The worked example, dropped through the lesson as the mouse drops it.
    void buildWorkedExample(Lesson &on) const
    {
        on.pickUp(4);
        on.release(Lesson::Release::Drop, 1);
        on.pickUp(2);
        on.release(Lesson::Release::Drop, 3);
    }
};

void tst_WhichGraph::exactlyOneGraphIsTheFigures()
{
    // Switched on over an empty board, the tool builds a figure there.
    QTest::keyClick(form->windowHandle(), Qt::Key_W, Qt::ControlModifier);
    QVERIFY(tool().isOn());
    QVERIFY(lesson().state().columns != Codes {});
    QVERIFY(tools()->lastAnnouncement().contains(u"どのグラフ？"));

    for (quint32 seed = 0; seed < 200; ++seed) {
        const QByteArray where = "seed " + QByteArray::number(seed);
        tool().askNew(seed);
        const Lesson::State s = lesson().state();
        QVERIFY2(s.columns != Codes {}, where);
        QVERIFY2(s.halves == 0, where);
        const auto own = ysOf(s.columns);
        int same = 0;
        for (int i = 0; i < 4; ++i) {
            const auto ys = ysOf(tool().choices()[size_t(i)]);
            same += ys == own;
            for (int j = 0; j < i; ++j)
                QVERIFY2(ys != ysOf(tool().choices()[size_t(j)]),
                         where + " graphs " + QByteArray::number(j) + " and "
                             + QByteArray::number(i));
            // What is said of a graph is what it shows: y at every whole x.
            QStringList said;
            for (int x = 0; x <= 10; ++x)
                said << QString::number(ys[size_t(2 * x)]);
            QVERIFY2(cell(i)->accessibleDescription().endsWith(said.join(u", ")),
                     where + " " + cell(i)->accessibleDescription().toUtf8());
        }
        QVERIFY2(same == 1, where);
        QVERIFY2(ysOf(tool().choices()[size_t(tool().right())]) == own, where);
    }
}

void tst_WhichGraph::aPickIsMarkedAndPlayed_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("right");
    for (const char *how : { "click", "digit", "arrows" }) {
        QTest::addRow("%s on the right graph", how) << QString::fromLatin1(how) << true;
        QTest::addRow("%s on a wrong graph", how) << QString::fromLatin1(how) << false;
    }
}

void tst_WhichGraph::aPickIsMarkedAndPlayed()
{
    QFETCH(QString, how);
    QFETCH(bool, right);
    buildWorkedExample(lesson());
    tools()->setOn(u"whichgraph", true);
    // The figure standing is the one asked about, and stays.
    QCOMPARE(lesson().state().columns, workedExample);
    const auto own = ysOf(workedExample);
    const int answer = tool().right();
    QCOMPARE(ysOf(tool().choices()[size_t(answer)]), own);
    const int index = right ? answer : (answer + 1) % 4;

    if (how == u"click") {
        QTest::mouseClick(cell(index), Qt::LeftButton, {}, cell(index)->rect().center());
    } else {
        QWidget *box = tool().box();
        QTRY_VERIFY(box->hasFocus());
        if (how == u"digit") {
            QTest::keyClick(box, Qt::Key(Qt::Key_1 + index));
        } else {
            // Round the column the short way: up from ア reaches エ.
            for (int i = 0; i < (index == 3 ? 1 : index); ++i)
                QTest::keyClick(box, index == 3 ? Qt::Key_Up : Qt::Key_Down);
            if (index == 0) {
                QTest::keyClick(box, Qt::Key_Right);
                QTest::keyClick(box, Qt::Key_Left);
            }
            QVERIFY(tools()->lastAnnouncement().startsWith(challenge::choiceLabel(index)));
            QVERIFY(tools()->keyboardInUse());
            QTest::keyClick(box, Qt::Key_Return);
        }
    }
    QCOMPARE(tool().picked(), index);
    const QString said = tools()->lastAnnouncement();
    QVERIFY2(said.contains(right ? u"正解です" : u"ちがいます"), qPrintable(said));
    QVERIFY2(said.contains(challenge::choiceLabel(answer)), qPrintable(said));
    QCOMPARE(form->findChild<QLabel *>(QStringLiteral("whichGraphResult"))->text(), said);
    // The pick's frame in green or red, and the right one's in green.
    const QImage picked = cell(index)->grab().toImage();
    QVERIFY(sameRgb(picked.pixelColor(picked.width() / 2, 1), right ? markedRight : markedWrong));
    const QImage shown = cell(answer)->grab().toImage();
    QVERIFY(sameRgb(shown.pixelColor(shown.width() / 2, 1), markedRight));
    // A second pick changes nothing.
    QTest::mouseClick(cell((index + 2) % 4), Qt::LeftButton);
    QCOMPARE(tool().picked(), index);

    // The slide plays with the graph shown; the learner's own step takes it over.
    QVERIFY(lesson().state().isShown(Lesson::View::Graph));
    QVERIFY(tool().confirming());
    if (how != u"click") {
        QTRY_VERIFY(lesson().state().halves > 0);
        lesson().press(Lesson::Button::Back);
        QVERIFY(!tool().confirming());
        return;
    }
    // Played to the end, the figure kept.
    QTRY_COMPARE(lesson().state().halves, 20);
    QVERIFY(!tool().confirming());
    const Lesson::State s = lesson().state();
    QVERIFY(std::all_of(s.graphed.begin(), s.graphed.end(), [](bool b) { return b; }));
    QCOMPARE(s.columns, workedExample);
}

void tst_WhichGraph::switchingOffLeavesTheLessonsPicture()
{
    buildWorkedExample(lesson());
    const QSize lessonSize = form->size();
    const QImage before = form->grab().toImage();
    QTest::keyClick(form->windowHandle(), Qt::Key_W, Qt::ControlModifier);
    QVERIFY(tool().box()->isVisible());
    QVERIFY(form->width() > lessonSize.width());
    // The box covers nothing of the lesson: it starts right of the board.
    QVERIFY(tool().box()->x() >= lesson().panel(Lesson::Panel::Board)->geometry().right());
    QTest::keyClick(form->windowHandle(), Qt::Key_W, Qt::ControlModifier);
    QVERIFY(!tool().box()->isVisible());
    QTRY_COMPARE(form->size(), lessonSize);
    KANSU_COMPARE_PICTURE(form->grab().toImage(), before);

    // After a pick and the slide, off again: the lesson as its own steps leave it.
    tools()->setOn(u"whichgraph", true);
    QTest::mouseClick(cell(0), Qt::LeftButton);
    QTRY_COMPARE(lesson().state().halves, 20);
    tools()->setOn(u"whichgraph", false);
    Form1 side;
    side.show();
    QVERIFY(QTest::qWaitForWindowExposed(&side));
    buildWorkedExample(side);
    side.setShown(Lesson::View::Graph, true);
    side.press(Lesson::Button::Restart);
    for (int i = 0; i < 20; ++i)
        side.press(Lesson::Button::Forward);
    QTRY_COMPARE(form->size(), side.size());
    form->setFocus();
    side.setFocus();
    KANSU_COMPARE_PICTURE(form->grab().toImage(), side.grab().toImage());
}

void tst_WhichGraph::worksheetAsksThenAnswers()
{
    QVERIFY(tools()->sheetTasks().empty());
    buildWorkedExample(lesson());
    tools()->setOn(u"whichgraph", true);
    const std::vector<SheetTask> tasks = tools()->sheetTasks();
    QCOMPARE(tasks.size(), size_t(1));
    const SheetTask &task = tasks.front();
    const auto plain = [](const std::vector<formulas::Written> &lines) {
        QStringList out;
        for (const formulas::Written &line : lines)
            out << formulas::plain(line);
        return out.join(u'\n');
    };
    const QString answer = challenge::choiceLabel(tool().right());
    QVERIFY(plain(task.question).contains(u"ア～エ"));
    QVERIFY(plain(task.answer).endsWith(answer));
    QVERIFY(task.drawing && task.drawingHeight > 0);

    // Both pages draw the four graphs; only the answer key marks one.
    const auto drawn = [&](bool answers) {
        QImage page(600, int(600 * task.drawingHeight / 53), QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        task.drawing(painter, QRectF(page.rect()), answers);
        return page;
    };
    const QImage question = drawn(false), key = drawn(true);
    const auto count = [](const QImage &image, const QColor &colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == colour;
        }
        return n;
    };
    QVERIFY(count(question, blue) > 0);
    QCOMPARE(count(question, markedRight), 0);
    QVERIFY(count(key, markedRight) > 0);

    tools()->setOn(u"whichgraph", false);
    QVERIFY(tools()->sheetTasks().empty());
}

void tst_WhichGraph::aLessonFileSwitchesItOn()
{
    // The file's figure is the question, and the file's views and speed stand as saved.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("which.kansu"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray text(workedExampleFile);
    text.replace("\"x\": 0", "\"tools\": [\"which-graph\"], \"x\": 0");
    file.write(text);
    file.close();
    QString error;
    QVERIFY2(toolOf<LessonFileTool>(*form).open(path, &error), qPrintable(error));
    QVERIFY(tool().isOn());
    const Lesson::State s = lesson().state();
    QCOMPARE(s.columns, workedExample);
    QVERIFY(s.isShown(Lesson::View::Table) && s.isShown(Lesson::View::Graph));
    QCOMPARE(s.speed, QStringLiteral("10"));
    QCOMPARE(ysOf(tool().choices()[size_t(tool().right())]), ysOf(workedExample));
    QVERIFY(tool().box()->isVisible());
    QVERIFY(tool().box()->x() >= lesson().panel(Lesson::Panel::Graph)->geometry().right());
}

void tst_WhichGraph::oneQuestionAtATime()
{
    // The challenge to match a graph and the formulas would each take the question over.
    tools()->setOn(u"formulas", true);
    tools()->setOn(u"challenge", true);
    tools()->setOn(u"whichgraph", true);
    QVERIFY(!tools()->isOn(u"challenge"));
    QVERIFY(!tools()->isOn(u"formulas"));
    QVERIFY(!tools()->action(u"formulas")->isEnabled());
    tools()->setOn(u"challenge", true);
    QVERIFY(!tool().isOn());
    QVERIFY(!tool().box()->isVisible());
    QVERIFY(tools()->action(u"formulas")->isEnabled());

    // The formulas stay greyed while any tool that keeps them off is on, whichever goes off
    // first: predictions ending must not bring them back beside this box.
    tools()->setOn(u"whichgraph", true);
    tools()->setOn(u"predict", true);
    tools()->setOn(u"predict", false);
    QVERIFY(!tools()->action(u"formulas")->isEnabled());
    tools()->setOn(u"whichgraph", false);
    QVERIFY(tools()->action(u"formulas")->isEnabled());
}

KANSU_TEST_MAIN(tst_WhichGraph)
#include "tst_whichgraph.moc"
