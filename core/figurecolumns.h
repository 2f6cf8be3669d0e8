#pragma once

#include <array>
#include <cstdint>

// What a press, a drag and a release mean on the blackboard, apart from the window: the fixed
// hit areas of the palette and of the figure's five columns at the start, where the piece in
// hand hangs under the pointer, and how the column table changes when a piece is dropped or
// taken off. Positions are blackboard pixels; every bound is strict.
namespace figurecolumns {

/// One piece code per 2 cm column of the figure, column 0 at B.
using Columns = std::array<double, 5>;

/// The palette piece whose band (from the top of the board down to y 150) holds the point:
/// 1 square, 2 short bar, 3 tall bar, 4 triangle; 0 for none.
int paletteHit(double x, double y);

/// The column whose strip of the base holds x, 0 to 4; -1 for none (a bound belongs to none).
int columnAt(double x);

/// The column of the figure's band (y between AD and BC) that holds the point; -1 for none.
int figureColumnAt(double x, double y);

struct Anchor
{
    std::int16_t x = 0;
    std::int16_t y = 0;
    friend bool operator==(const Anchor &, const Anchor &) = default;
};

/// The anchor of the piece in hand (code 1 to 6) with the pointer at (x, y): bars hang by
/// their centre, the triangle 75 pixels right of its tip and 45 above its base.
Anchor anchorFor(double code, double x, double y);

enum class Release {
    TakeOff, ///< above the figure: a piece from the figure comes off
    Drop, ///< over the figure's band: the piece may go into a column
    Nothing, ///< on AD exactly or at or below BC: the drag just ends
};
Release releaseAt(double y);

/// Takes the piece in hand (code 1 to 6, picked up from column `from`) off the figure.
void takeOff(Columns &columns, double code, int from);

/// Drops the piece in hand (code 1 to 6) over `column` (-1 for none). A bar needs an empty
/// column. A triangle needs an empty middle column 1 to 3 and takes the columns on either
/// side; a triangle standing in one of them goes off whole, so the table holds whole pieces
/// only. Returns whether the table changed.
bool drop(Columns &columns, double code, int column);

} // namespace figurecolumns
