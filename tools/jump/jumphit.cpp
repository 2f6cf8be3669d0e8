#include "tools/jump/jump.h"

#include "figure/geometry.h"

#include <algorithm>
#include <cmath>

namespace jump {

namespace {

// The table: the frame's upright line at 32, rows from 8 down to 104. Each column is 45 pixels
// wide around where its numbers stand: x = 0 at 60, whole x at tableColumnLeft.
constexpr double cellsLeft = 32.5, cellWidth = 45, cellsTop = 8, cellsBottom = 104;
// The graph's grid: its lines run from x 35 to 385 and y 5 to 480, the axes one pixel outside.
constexpr double plotLeft = 34, plotRight = 385, plotTop = 5, plotBottom = 481;

} // namespace

std::optional<int> tableColumnAt(double x, double y)
{
    if (!(y >= cellsTop && y <= cellsBottom && x >= cellsLeft))
        return {};
    const int column = int(std::floor((x - cellsLeft) / cellWidth));
    if (column > 10)
        return {};
    return column;
}

bool inPlot(double x, double y)
{
    return x >= plotLeft && x <= plotRight && y >= plotTop && y <= plotBottom;
}

int graphHalfNearest(double x)
{
    const double halves = (x - geometry::graphOriginX) / (geometry::graphPxPerCm / 2);
    if (!(halves > 0)) // NaN included
        return 0;
    return std::min(lastHalf, int(std::floor(halves + 0.5)));
}

int halvesOf(double Px)
{
    return int(std::lround((geometry::PxStart - Px) / geometry::stepPx));
}

} // namespace jump
