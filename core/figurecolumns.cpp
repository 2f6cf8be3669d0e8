#include "core/figurecolumns.h"

#include "core/measures.h"
#include "core/numtext.h"

namespace figurecolumns {

using namespace geometry;

namespace {

bool isTriangle(double code)
{
    return code >= 4 && code <= 6;
}

void clear(Columns &columns, int k)
{
    if (k >= 0 && k < int(columns.size()))
        columns[k] = 0;
}

// Empties the three columns of a triangle whose column `k` holds `code` (4, 5 or 6).
void removeTriangle(Columns &columns, double code, int k)
{
    const int tip = k - int(code - 4);
    for (int i = tip; i < tip + 3; ++i)
        clear(columns, i);
}

} // namespace

int paletteHit(double x, double y)
{
    if (!(y < paletteBottom))
        return 0;
    const auto within
        = [x](const QPoint &home, int width) { return home.x() < x && x < home.x() + width; };
    if (within(homeSquare, columnWidth))
        return 1;
    if (within(homeShortBar, columnWidth))
        return 2;
    if (within(homeTallBar, columnWidth))
        return 3;
    if (within(homeTriangle, triangleWidth))
        return 4;
    return 0;
}

int columnAt(double x)
{
    for (int k = 0; k < columns; ++k) {
        if (Bx + columnWidth * k < x && x < Bx + columnWidth * (k + 1))
            return k;
    }
    return -1;
}

int figureColumnAt(double x, double y)
{
    return topY < y && y < baseY ? columnAt(x) : -1;
}

Anchor anchorFor(double code, double x, double y)
{
    // A bar hangs by its centre: half a column left, and half its height above its base.
    const auto bar = [x, y](int height) {
        return Anchor { numtext::toInt16(x - columnWidth / 2),
                        numtext::toInt16(y - (pieceBox - height / 2)) };
    };
    if (code == 1)
        return bar(squareHeight);
    if (code == 2)
        return bar(shortBarHeight);
    if (code == 3)
        return bar(tallBarHeight);
    return { numtext::toInt16(x - 75), numtext::toInt16(y - 75) };
}

Release releaseAt(double y)
{
    if (y < topY)
        return Release::TakeOff;
    if (y < baseY && y != topY)
        return Release::Drop;
    return Release::Nothing;
}

void takeOff(Columns &columns, double code, int from)
{
    if (isTriangle(code))
        removeTriangle(columns, code, from);
    else
        clear(columns, from);
}

bool drop(Columns &columns, double code, int column)
{
    if (column < 0 || column > 4 || columns[column] != 0)
        return false;
    if (!isTriangle(code)) {
        columns[column] = code;
        return true;
    }
    if (column < 1 || column > 3)
        return false;
    for (int side : { column - 1, column + 1 }) {
        if (isTriangle(columns[side]))
            removeTriangle(columns, columns[side], side);
    }
    columns[column - 1] = 4;
    columns[column] = 5;
    columns[column + 1] = 6;
    return true;
}

} // namespace figurecolumns
