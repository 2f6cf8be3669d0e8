// The graph of y against x: axes and the plot.
#include "app/form1.h"

#include "core/numtext.h"
#include "figure/geometry.h"
#include "toolkit/picturepanel.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace geometry;

void Form1::jiku(std::int16_t mode)
{
    gamen->setDrawWidth(1);
    if (mode == 0) {
        gamen->clear();
        graphed.fill(false);
    }
    const QColor &green = colour::graphGrid;
    const double left = graphOriginX, bottom = graphOriginY, step = graphGridStep;
    for (int i = 0; i <= graphRows; ++i)
        gamen->line(QPointF(left, bottom - step * i), QPointF(graphRight, bottom - step * i),
                    green);
    for (int i = 0; i <= graphColumns; ++i)
        gamen->line(QPointF(left + step * i, bottom), QPointF(left + step * i, graphTop), green);
    // The axes lie one pixel outside the zero lines, so that they read two pixels wide.
    gamen->line(QPointF(left - 1, bottom + 1), QPointF(graphRight - 1, bottom + 1), green);
    gamen->line(QPointF(left - 1, bottom + 1), QPointF(left - 1, graphTop + 1), green);

    gamen->setForeColor(colour::graphText);
    for (int i = 1; i <= 10; ++i)
        gamen->printAt(QPointF(left + step * i - 6 - (i >= 10 ? 3 : 0), bottom + 5),
                       numtext::printed(i));
    gamen->printAt(QPointF(362, bottom + 5), QStringLiteral("(cm)"));
    gamen->printAt(QPointF(left - 10, bottom + 5), QStringLiteral("0"));
    for (int i = 1; i <= graphRows; ++i)
        gamen->printAt(QPointF(15 + (i < 3 ? 5 : 0), bottom - 5 - step * i),
                       numtext::printed(4 * i));
    // The raised 2 goes into the gap of "(cm  )" to make cm².
    gamen->printAt(QPointF(2, 8), QStringLiteral("(cm  )"));
    gamen->printAt(QPointF(22, 5), QStringLiteral("2"));
}

void Form1::gurafu(std::int16_t mode)
{
    gamen->setDrawWidth(3);
    gamen->setForeColor(mode == 0 ? colour::plot : colour::paper);
    const double x = numtext::read(Text1->text());
    const double X = graphPoint(x, 0).x();
    const int n = numtext::toInt32(2 * x);
    auto strip = [this](int i) { return i >= 0 && i <= 21 ? double(zoubun[i]) : 0.0; };
    auto pixelY = [](double y) { return graphPoint(0, y).y(); };
    const double lastY = pixelY(gurafuy);
    if (mode == 0)
        gurafuy = gurafuy + strip(n);
    else
        gurafuy = gurafuy - strip(n + 1);
    const double Y = pixelY(gurafuy);
    // Segment k joins the points at x = (k - 1) / 2 and k / 2. Drawn again, it goes as its
    // forward step drew it: from the rounded start to the exact end.
    auto redraw = [&](int k, double startY, double endY) {
        if (k >= 1 && k < int(graphed.size()) && graphed[k])
            gamen->line(QPointF(X + graphPxPerCm / 2 * (k - 1 - n), numtext::toInt16(startY)),
                        QPointF(X + graphPxPerCm / 2 * (k - n), endY), colour::plot);
    };
    if (Check2->isChecked()) {
        if (mode == 0) {
            gamen->line(QPointF(maex, maey), QPointF(X, Y));
            if (n >= 0 && n < int(graphed.size()))
                graphed[n] = true;
        } else if (n + 1 < int(graphed.size()) && graphed[n + 1]) {
            // Only a segment that was plotted is wiped: one that was never drawn (steps taken
            // while the graph was hidden) has nothing to take away, and no neighbour to mend.
            graphed[n + 1] = false;
            // Wipe along the very pixels the forward step drew: it started at the rounded
            // point and ended at the exact one. Retracing from the rounded end instead would
            // leave blue specks along the wiped segment.
            gamen->line(QPointF(X, numtext::toInt16(Y)), QPointF(maex, lastY));
            // The wiping pen also covers the tips of the segments on either side: draw those
            // that stand in the graph again.
            redraw(n, pixelY(gurafuy - strip(n)), Y);
            const double aheadY = pixelY(gurafuy + strip(n + 1) + strip(n + 2));
            redraw(n + 2, lastY, aheadY);
        }
    }
    maex = X;
    maey = numtext::toInt16(Y);
    gamen->setDrawWidth(1);
    jiku(1);
}
