#pragma once

#include "core/figurecolumns.h"

#include <QPointF>
#include <QString>

// Building the figure from the keyboard, apart from the window: the points where the mouse
// would press, hold and release for a key, why a drop would be refused, and the words that name
// pieces and columns. Columns are 0 to 4 here and 1 to 5 when spoken.
namespace boardkeys {

/// Where a press in the palette band picks up the piece of code 1 to 4.
QPointF shelfPoint(int code);
/// Where a press on column 0 to 4 of the figure picks up the piece standing there.
QPointF columnPoint(int column);
/// Where the pointer holds the piece in hand (code 1 to 6) so that it hangs exactly where a
/// drop over `column` puts it: bars over that column, a triangle with its middle there.
QPointF holdPoint(double code, int column);
/// A release above the figure: takes a piece picked up from the figure off.
QPointF takeOffPoint(int column);
/// A release below the base: the piece in hand goes back and nothing else changes.
QPointF putBackPoint(int column);

enum class Refusal {
    None, ///< the drop would go in
    Occupied, ///< the column under the piece (a triangle's middle) already holds a piece
    TriangleAtEdge, ///< a triangle's middle over the first or last column
};
/// Why dropping the piece of `code` over `column` would change nothing.
Refusal refusal(const figurecolumns::Columns &columns, double code, int column);

/// "正方形", "三角形", …: the piece of a code (a triangle whatever column of it).
QString pieceName(double code);
/// The spoken columns a piece of `code` takes when it stands at `column` (for a triangle, the
/// column holding that code): "列 2", "列 1 から 3".
QString columnsOf(double code, int column);
/// The spoken columns the piece in hand takes once dropped over `column`.
QString landingColumns(double code, int column);
/// The reason of a refusal in words.
QString reason(Refusal refusal, int column);

} // namespace boardkeys
