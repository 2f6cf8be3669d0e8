// The x/y table at whole x.
#include "app/form1.h"

#include "core/numtext.h"
#include "figure/geometry.h"
#include "toolkit/picturepanel.h"

#include <QLineEdit>
#include <cmath>

using namespace geometry;

void Form1::hyokaki(std::int16_t mode)
{
    // Erasing prints the very same texts in the paper colour.
    hyo->setForeColor(mode == 0 ? colour::plot : colour::paper);
    const double x = numtext::read(Text1->text());
    if (x == 0) {
        hyo->printAt(QPointF(tableZeroLeft, tableXRowTop), QStringLiteral("0"));
        hyo->printAt(QPointF(tableZeroLeft, tableYRowTop), QStringLiteral("0"));
        tabled[0] = mode == 0;
        return;
    }
    if (x != std::floor(x) || x < 1 || x > 10)
        return;

    const int i = int(x);
    tabled[size_t(i)] = mode == 0;
    const double left = tableColumnLeft(x);
    hyo->printAt(QPointF(x >= 10 ? left - 5 : left, tableXRowTop), numtext::printed(x));
    if (mode == 0)
        hyoy = hyoy + zoubun[2 * i - 1] + zoubun[2 * i];
    // Two digits and a fraction start further left so that the numbers line up in the column.
    double yLeft = left;
    if (hyoy >= 10)
        yLeft -= 5;
    if (hyoy != std::floor(hyoy))
        yLeft -= 8;
    hyo->printAt(QPointF(yLeft, tableYRowTop), numtext::printed(hyoy));
    if (mode == 1)
        hyoy = hyoy - zoubun[2 * i - 1] - zoubun[2 * i];
}
