#include "lesson.h"
#include "testsupport.h"
#include "toolkit/picturepanel.h"

#include <QPainter>
#include <memory>
#include <random>

using namespace lesson;

namespace {

// The line as Qt's raster engine draws it with the panel's pen: aliased, square caps.
void painterLine(QImage &image, const QPointF &from, const QPointF &to, const QColor &color,
                 int width)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    if (from == to)
        painter.drawPoint(from);
    else
        painter.drawLine(from, to);
}

// Records the areas a widget paints.
class PaintLog : public QObject
{
public:
    explicit PaintLog(QWidget *widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent *>(event)->region();
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

// The panel's picture must be exactly what the raster engine would paint, and whatever changes
// in it must reach the screen, while drawing that changes nothing repaints nothing.
class tst_PanelPaint : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void linesMatchTheRasterEngine_data();
    void linesMatchTheRasterEngine();
    void manyLevelAndUprightLinesMatchTheRasterEngine();
    void clearRepaintsWhatWasDrawn_data();
    void clearRepaintsWhatWasDrawn();
    void clearAfterNewBackColourRepaintsEverything();
    void drawingOverUnchangedPixelsRepaintsNothing();
    void reprintingInAnotherColourRepaintsTheText();
    void reprintingOverDamagedTextRestoresIt();

private:
    void show();
    void settle();
    QRect widgetRect(const QRect &pictureRect) const
    {
        return pictureRect.translated(panel->pictureOffset());
    }

    std::unique_ptr<PicturePanel> panel;
    PaintLog *log = nullptr;
};

void tst_PanelPaint::init()
{
    panel = std::make_unique<PicturePanel>();
    panel->setBackColor(boardGreen);
    panel->setOuterGeometry(QRect(0, 0, 204, 154)); // a 200 x 150 picture inside the frame
    panel->setPictureRatio(1);
    panel->clear();
    panel->setForeColor(yellow);
    log = new PaintLog(panel.get());
}

void tst_PanelPaint::cleanup()
{
    panel.reset();
}

void tst_PanelPaint::show()
{
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
    panel->setPictureRatio(1);
    settle();
}

// Runs the pending paints and forgets them.
void tst_PanelPaint::settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    log->painted = QRegion();
    log->paints = 0;
}

void tst_PanelPaint::linesMatchTheRasterEngine_data()
{
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<int>("width");
    QTest::newRow("level, 1 px") << QPointF(20, 30) << QPointF(180, 30) << 1;
    QTest::newRow("upright, 1 px, drawn upwards") << QPointF(40, 140) << QPointF(40, 10) << 1;
    QTest::newRow("level, 2 px, drawn leftwards") << QPointF(150, 60) << QPointF(25, 60) << 2;
    QTest::newRow("upright, 2 px") << QPointF(100, 20) << QPointF(100, 120) << 2;
    QTest::newRow("level, 3 px") << QPointF(10, 80) << QPointF(90, 80) << 3;
    QTest::newRow("upright, 4 px") << QPointF(120, 5) << QPointF(120, 95) << 4;
    QTest::newRow("diagonal, 2 px") << QPointF(60, 140) << QPointF(180, 20) << 2;
    QTest::newRow("level at half pixels") << QPointF(10.5, 40) << QPointF(90.5, 40) << 2;
    QTest::newRow("on the last row") << QPointF(0, 149) << QPointF(199, 149) << 1;
    QTest::newRow("cut by the left edge") << QPointF(0, 100) << QPointF(50, 100) << 2;
    QTest::newRow("cut by the bottom edge") << QPointF(70, 100) << QPointF(70, 170) << 2;
    QTest::newRow("a point") << QPointF(30, 30) << QPointF(30, 30) << 2;
}

void tst_PanelPaint::linesMatchTheRasterEngine()
{
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(int, width);
    // Over something already drawn, so that pixels of every kind are met.
    panel->setDrawWidth(2);
    panel->line(QPointF(0, 75), QPointF(199, 75), white);
    QImage expected = panel->picture().copy();
    panel->setDrawWidth(width);
    panel->line(from, to, blue);
    painterLine(expected, from, to, blue, width);
    QCOMPARE(panel->picture(), expected);
    QCOMPARE(panel->currentPos(), to);
}

void tst_PanelPaint::manyLevelAndUprightLinesMatchTheRasterEngine()
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> coordinate(-10, 210);
    std::uniform_int_distribution<int> widths(1, 4);
    std::uniform_int_distribution<int> channel(0, 255);
    QImage expected = panel->picture().copy();
    for (int i = 0; i < 3000; ++i) {
        const QPointF from(coordinate(random), coordinate(random));
        QPointF to = from;
        if (i % 2)
            to.setX(coordinate(random));
        else
            to.setY(coordinate(random));
        const int width = widths(random);
        // Few colours, so that lines often fall on pixels that already have their colour.
        const QColor color = i % 3 ? QColor(channel(random) & 0x80, 128, 0) : yellow;
        panel->setDrawWidth(width);
        panel->line(from, to, color);
        painterLine(expected, from, to, color, width);
    }
    QCOMPARE(panel->picture(), expected);
}

void tst_PanelPaint::clearRepaintsWhatWasDrawn_data()
{
    QTest::addColumn<int>("what");
    QTest::newRow("a level line") << 0;
    QTest::newRow("a diagonal line") << 1;
    QTest::newRow("a text") << 2;
    QTest::newRow("a fill") << 3;
}

void tst_PanelPaint::clearRepaintsWhatWasDrawn()
{
    QFETCH(int, what);
    show();
    QRect drawn; // the picture pixels that the drawing turns from the background
    panel->setDrawWidth(2);
    switch (what) {
    case 0:
        panel->line(QPointF(50, 40), QPointF(120, 40));
        drawn = QRect(QPoint(49, 39), QPoint(120, 40));
        break;
    case 1:
        panel->line(QPointF(30, 120), QPointF(90, 60));
        drawn = QRect(QPoint(29, 59), QPoint(91, 121));
        break;
    case 2:
        panel->printAt(QPointF(60, 90), QStringLiteral("12.5"));
        break;
    case 3:
        panel->setFillStyle(PicturePanel::FillStyle::Solid);
        panel->setFillColor(white);
        panel->line(QPointF(140, 100), QPointF(180, 100));
        panel->lineTo(QPointF(180, 140));
        panel->lineTo(QPointF(140, 140));
        panel->lineTo(QPointF(140, 100));
        QVERIFY(panel->floodFill(160, 120, yellow));
        drawn = QRect(QPoint(139, 99), QPoint(180, 140));
        break;
    }
    if (drawn.isNull()) {
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x)
                if (!sameRgb(panel->pixel(x, y), boardGreen))
                    drawn |= QRect(x, y, 1, 1);
    }
    QVERIFY(!drawn.isEmpty());
    settle();
    panel->clear();
    QCoreApplication::processEvents();
    QVERIFY(log->painted.contains(widgetRect(drawn)));
}

void tst_PanelPaint::clearAfterNewBackColourRepaintsEverything()
{
    show();
    panel->setBackColor(white);
    panel->clear();
    QCoreApplication::processEvents();
    QVERIFY(log->painted.contains(panel->contentsRect()));
}

void tst_PanelPaint::drawingOverUnchangedPixelsRepaintsNothing()
{
    show();
    const auto draw = [this] {
        panel->setDrawWidth(1);
        for (int i = 0; i < 5; ++i)
            panel->line(QPointF(10, 10 + 20 * i), QPointF(190, 10 + 20 * i), black);
        panel->setForeColor(blue);
        panel->printAt(QPointF(20, 120), QStringLiteral(" 10"));
        panel->printAt(QPointF(80, 120), QStringLiteral("(cm)"));
    };
    draw();
    const QImage once = panel->picture().copy();
    settle();
    draw();
    QCOMPARE(panel->picture(), once);
    QCoreApplication::processEvents();
    QCOMPARE(log->paints, 0);
}

void tst_PanelPaint::reprintingInAnotherColourRepaintsTheText()
{
    show();
    panel->setForeColor(blue);
    panel->printAt(QPointF(60, 60), QStringLiteral(" 4.5"));
    QRect ink;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x)
            if (sameRgb(panel->pixel(x, y), blue))
                ink |= QRect(x, y, 1, 1);
    QVERIFY(!ink.isEmpty());
    settle();
    // Erasing by printing the same text in the background colour must reach the screen.
    panel->setForeColor(boardGreen);
    panel->printAt(QPointF(60, 60), QStringLiteral(" 4.5"));
    QCoreApplication::processEvents();
    QVERIFY(log->painted.contains(widgetRect(ink)));
}

void tst_PanelPaint::reprintingOverDamagedTextRestoresIt()
{
    show();
    panel->setForeColor(blue);
    panel->printAt(QPointF(20, 60), QStringLiteral(" 36"));
    const QImage printed = panel->picture().copy();
    // A stroke of the background colour through the digits, as an erasing segment makes.
    panel->setDrawWidth(3);
    panel->line(QPointF(10, 55), QPointF(60, 85), boardGreen);
    QVERIFY(panel->picture() != printed);
    settle();
    panel->printAt(QPointF(20, 60), QStringLiteral(" 36"));
    QCOMPARE(panel->picture(), printed);
    QCoreApplication::processEvents();
    QVERIFY(log->paints > 0);
}

KANSU_TEST_MAIN(tst_PanelPaint)
#include "tst_panelpaint.moc"
