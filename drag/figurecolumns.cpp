#include "drag/figurecolumns.h"

#include "toolkit/numtext.h"

namespace figurecolumns {

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
    if (!(y < 150))
        return 0;
    if (300 < x && x < 340)
        return 1;
    if (350 < x && x < 390)
        return 2;
    if (400 < x && x < 440)
        return 3;
    if (450 < x && x < 570)
        return 4;
    return 0;
}

int columnAt(double x)
{
    for (int k = 0; k < 5; ++k) {
        if (300 + 40 * k < x && x < 340 + 40 * k)
            return k;
    }
    return -1;
}

int figureColumnAt(double x, double y)
{
    return 180 < y && y < 300 ? columnAt(x) : -1;
}

Anchor anchorFor(double code, double x, double y)
{
    if (code == 1)
        return { numtext::toInt16(x - 20), numtext::toInt16(y - 100) };
    if (code == 2)
        return { numtext::toInt16(x - 20), numtext::toInt16(y - 80) };
    if (code == 3)
        return { numtext::toInt16(x - 20), numtext::toInt16(y - 60) };
    return { numtext::toInt16(x - 75), numtext::toInt16(y - 75) };
}

Release releaseAt(double y)
{
    if (y < 180)
        return Release::TakeOff;
    if (y < 300 && y != 180)
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
