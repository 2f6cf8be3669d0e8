#include "lesson.h"
#include "windowtest.h"

// The formulas tool on the screen: its box follows every change of the lesson, shows the
// stretch that holds x, tells assistive technology, and covers nothing of the lesson.

using namespace lesson;

class tst_FormulasBox : public WindowTest
{
    Q_OBJECT

public:
    tst_FormulasBox()
        : WindowTest(Shown::Active)
    { }

private slots:
    void followsTheLesson_data();
    void followsTheLesson();
    void coversNothingOfTheLesson_data();
    void coversNothingOfTheLesson();

private:
    void act(const QString &action);
    // The lines shown, the current ones marked with "*".
    QStringList shown() const;

    void setUp() override
    {
        lesson().setShown(Lesson::View::Table, true);
        QTest::keyClick(form->windowHandle(), Qt::Key_F6);
        QVERIFY(tools()->find<FormulasTool>()->box()
                && tools()->find<FormulasTool>()->box()->isVisible());
    }
};

// "triangle over 1" (a drop from the palette), "off 3" (the piece of column 3 taken off),
// "step 5", "table 9" (a click on the table's column of x = 9), "restart", "initial".
void tst_FormulasBox::act(const QString &action)
{
    const QStringList words = action.split(u' ');
    const int n = words.last().toInt();
    const QPointF column(320 + 40 * n, 250);
    if (words[0] == QLatin1String("triangle"))
        dragOnBoard(lesson(), QPointF(510, 100), column);
    else if (words[0] == QLatin1String("bar")) // the 4 cm bar
        dragOnBoard(lesson(), QPointF(370, 100), column);
    else if (words[0] == QLatin1String("off"))
        dragOnBoard(lesson(), column, QPointF(360, 100));
    else if (words[0] == QLatin1String("step"))
        for (int i = 0; i < n; ++i)
            control<QPushButton>("susumu")->click();
    else if (words[0] == QLatin1String("table"))
        QTest::mouseClick(control<PicturePanel>("hyo"), Qt::LeftButton, {},
                          onPanel(control<PicturePanel>("hyo"), QPointF(45 * n + 55, 80)));
    else if (words[0] == QLatin1String("restart"))
        control<QPushButton>("Command2")->click();
    else if (words[0] == QLatin1String("initial"))
        control<QPushButton>("Command1")->click();
    else
        qFatal("no action %s", qPrintable(action));
}

QStringList tst_FormulasBox::shown() const
{
    QStringList lines;
    for (QLabel *label : tools()->find<FormulasTool>()->box()->findChildren<QLabel *>()) {
        static const QRegularExpression line(QStringLiteral("^formula\\d+$"));
        if (!line.match(label->objectName()).hasMatch() || !label->isVisible())
            continue;
        // The current stretch is told to assistive technology and stands out on paper.
        const bool current = !label->accessibleDescription().isEmpty();
        const bool marked = label->palette().color(QPalette::Window)
            != tools()->find<FormulasTool>()->box()->palette().color(QPalette::Window);
        lines << (current && marked ? QStringLiteral("* ") : QString()) + label->accessibleName();
    }
    return lines;
}

void tst_FormulasBox::followsTheLesson_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("lines");
    const QString example1 = "0 ≦ x ≦ 6 のとき y = 1/2 x²",
                  example2 = "6 ≦ x ≦ 8 のとき y = 4x − 6", example3 = "8 ≦ x ≦ 10 のとき y = 26";
    const QStringList worked { "triangle over 1", "bar over 3" };
    QTest::newRow("switched on") << QStringList() << QStringList { "* 0 ≦ x ≦ 10 のとき y = 0" };
    QTest::newRow("drops: the worked example")
        << worked << QStringList { "* " + example1, example2, example3 };
    QTest::newRow("steps to 3.5") << worked + QStringList { "step 7" }
                                  << QStringList { "* " + example1, example2, example3 };
    QTest::newRow("a step to 6 lies in two stretches")
        << worked + QStringList { "step 12" }
        << QStringList { "* " + example1, "* " + example2, example3 };
    QTest::newRow("a jump to 9 from the table") << worked
            + QStringList { "table 9" } << QStringList { example1, example2, "* " + example3 };
    QTest::newRow("最初に") << worked + QStringList { "table 9", "restart" }
                            << QStringList { "* " + example1, example2, example3 };
    QTest::newRow("take-off of the bar")
        << worked + QStringList { "off 3" }
        << QStringList { "* " + example1, "6 ≦ x ≦ 10 のとき y = 18" };
    QTest::newRow("初期画面") << worked + QStringList { "step 3", "initial" }
                              << QStringList { "* 0 ≦ x ≦ 10 のとき y = 0" };
}

void tst_FormulasBox::followsTheLesson()
{
    QFETCH(QStringList, actions);
    QFETCH(QStringList, lines);
    for (const QString &a : actions)
        act(a);
    QCOMPARE(shown(), lines);
    // The same text, for a screen reader.
    QStringList plain = lines;
    plain.replaceInStrings(QStringLiteral("* "), QString());
    for (const QString &line : plain)
        QVERIFY2(tools()->find<FormulasTool>()->box()->accessibleDescription().contains(line),
                 qPrintable(line));
    QCOMPARE(tools()->find<FormulasTool>()->box()->accessibleName(), QStringLiteral("式"));
}

void tst_FormulasBox::coversNothingOfTheLesson_data()
{
    QTest::addColumn<bool>("graph");
    QTest::addColumn<bool>("table");
    QTest::newRow("board only") << false << false;
    QTest::newRow("table") << false << true;
    QTest::newRow("graph") << true << false;
    QTest::newRow("graph and table") << true << true;
}

void tst_FormulasBox::coversNothingOfTheLesson()
{
    QFETCH(bool, graph);
    QFETCH(bool, table);
    lesson().setShown(Lesson::View::Graph, graph);
    lesson().setShown(Lesson::View::Table, table);
    for (const char *figure : { "triangle over 1", "bar over 0" })
        act(QString::fromUtf8(figure));
    QWidget *box = tools()->find<FormulasTool>()->box();
    QVERIFY(form->rect().contains(box->geometry()));
    for (QWidget *w : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (w != box && w->isVisible() && !w->isWindow())
            QVERIFY2(!w->geometry().intersects(box->geometry()), qPrintable(w->objectName()));
    }
    // The hidden graph stays hidden beside the box.
    QCOMPARE(control<PicturePanel>("gamen")->isVisible(), graph);
    // Every line fits: none is cut at the box's edge, and nothing a line paints (a stacked
    // fraction, a raised power, a leaning x) reaches its label's edge.
    for (QLabel *label : box->findChildren<QLabel *>()) {
        QVERIFY(label->width() >= label->sizeHint().width());
        if (!label->isVisible())
            continue;
        // A line just shown gets its height when the box's layout next runs.
        QTRY_VERIFY(label->height() >= label->sizeHint().height());
        const QImage image = label->grab().toImage();
        const QRgb ground = image.pixel(image.width() - 1, 0);
        for (int x = 0; x < image.width(); ++x) {
            for (int y : { 0, image.height() - 1 })
                QVERIFY2(image.pixel(x, y) == ground, qPrintable(label->text()));
        }
        for (int y = 0; y < image.height(); ++y) {
            for (int x : { 0, image.width() - 1 })
                QVERIFY2(image.pixel(x, y) == ground, qPrintable(label->text()));
        }
    }
}

KANSU_TEST_MAIN(tst_FormulasBox)
#include "tst_formulasbox.moc"
