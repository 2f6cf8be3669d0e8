// The graph of y against x: axes and the plot.
#include "app/form1.h"

#include "toolkit/colors.h"
#include "toolkit/numtext.h"
#include "toolkit/picturepanel.h"

#include <QCheckBox>
#include <QLineEdit>

void Form1::jiku(std::int16_t mode)
{
    gamen->setDrawWidth(1);
    if (mode == 0)
        gamen->clear();
    const QColor green = colors::palette(2);
    for (int i = 0; i <= 15; ++i)
        gamen->line(QPointF(35, 480 - 30 * i), QPointF(385, 480 - 30 * i), green);
    for (int i = 0; i <= 11; ++i)
        gamen->line(QPointF(35 + 30 * i, 480), QPointF(35 + 30 * i, 5), green);
    // The axes lie one pixel outside the zero lines, so that they read two pixels wide.
    gamen->line(QPointF(34, 481), QPointF(384, 481), green);
    gamen->line(QPointF(34, 481), QPointF(34, 6), green);

    gamen->setForeColor(colors::palette(0));
    for (int i = 1; i <= 10; ++i)
        gamen->printAt(QPointF(30 * i + 29 - (i >= 10 ? 3 : 0), 485), numtext::printed(i));
    gamen->printAt(QPointF(362, 485), QStringLiteral("(cm)"));
    gamen->printAt(QPointF(25, 485), QStringLiteral("0"));
    for (int i = 1; i <= 15; ++i)
        gamen->printAt(QPointF(15 + (i < 3 ? 5 : 0), 475 - 30 * i), numtext::printed(4 * i));
    // The raised 2 goes into the gap of "(cm  )" to make cm².
    gamen->printAt(QPointF(2, 8), QStringLiteral("(cm  )"));
    gamen->printAt(QPointF(22, 5), QStringLiteral("2"));
}

void Form1::gurafu(std::int16_t mode)
{
    gamen->setDrawWidth(3);
    gamen->setForeColor(mode == 0 ? colors::palette(9) : colors::paper());
    const double x = numtext::read(Text1->text());
    const double X = 30 * x + 35;
    const int n = numtext::toInt32(2 * x);
    auto strip = [this](int i) { return i >= 0 && i <= 21 ? double(zoubun[i]) : 0.0; };
    const double lastY = 480 - 30.0 / 4 * gurafuy;
    if (mode == 0)
        gurafuy = gurafuy + strip(n);
    else
        gurafuy = gurafuy - strip(n + 1);
    const double Y = 480 - 30.0 / 4 * gurafuy;
    if (Check2->isChecked()) {
        if (mode == 0) {
            gamen->line(QPointF(maex, maey), QPointF(X, Y));
        } else {
            // Wipe along the very pixels the forward step drew: it started at the rounded
            // point and ended at the exact one. Retracing from the rounded end instead would
            // leave blue specks along the wiped segment.
            gamen->line(QPointF(X, numtext::toInt16(Y)), QPointF(maex, lastY));
            // The wiping pen also covers the tip of the segment that ends here: draw that
            // segment again, as its forward step drew it, so the graph stays whole.
            if (n >= 1) {
                const double startY = 480 - 30.0 / 4 * (gurafuy - strip(n));
                gamen->line(QPointF(X - 15, numtext::toInt16(startY)), QPointF(X, Y),
                            colors::palette(9));
            }
        }
    }
    maex = X;
    maey = numtext::toInt16(Y);
    gamen->setDrawWidth(1);
    jiku(1);
}
