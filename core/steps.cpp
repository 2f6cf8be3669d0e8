#include "core/steps.h"

#include "core/numtext.h"

#include <algorithm>
#include <cmath>

namespace steps {

QString xText(double x)
{
    QString s = numtext::printed(x);
    if (numtext::read(s) == 0.5)
        s = QStringLiteral(" 0") + s.mid(1);
    if (!s.contains(QLatin1Char('.')))
        s += QStringLiteral(".0");
    return s;
}

int stepColumn(double x)
{
    return std::clamp(int(std::floor(x / 2 - 0.1)), 0, 4);
}

double figureArea(const Columns &columns, double x)
{
    double area = 0;
    for (int k = 0; k < 5; ++k) {
        const double a = 2.0 * k;
        const double b = std::min(x, a + 2);
        if (b <= a)
            break;
        // Over one column no two pieces cross: bars are 2, 4 or 6 cm high and a triangle rises
        // from one of these heights to the next within a column. So the tallest piece there
        // covers the others, and its area is the area of what stands.
        double tallest = 0;
        const double code = columns[k];
        if (code == 1 || code == 2 || code == 3)
            tallest = 2 * code * (b - a);
        for (int c = std::max(0, k - 2); c <= k; ++c) {
            if (columns[c] != 4)
                continue;
            const double tip = 2.0 * c; // the triangle is d - tip cm high at d
            tallest = std::max(tallest, ((b - tip) * (b - tip) - (a - tip) * (a - tip)) / 2);
        }
        area += tallest;
    }
    return area;
}

float stripArea(const Columns &columns, int n)
{
    if (n < 1 || n > 20)
        return 0;
    // Areas here are multiples of 1/8 cm²: the difference is exact, and so is the float.
    return float(figureArea(columns, n / 2.0) - figureArea(columns, (n - 1) / 2.0));
}

std::int32_t pauseMs(const QString &speedText)
{
    return numtext::toInt32(numtext::read(speedText) * 5.0);
}

} // namespace steps
