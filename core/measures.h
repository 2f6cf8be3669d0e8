#pragma once

#include <QPoint>
#include <QPointF>

/// The lesson's geometry, named once, without the widgets (figure/geometry.h adds the colours).
/// Blackboard coordinates are pixels of the board, 20 to the centimetre; graph and table
/// coordinates are pixels of their panels.
namespace geometry {

// ---- The blackboard ----
inline constexpr int pxPerCm = 20;
inline constexpr int Ax = 300, Ay = 180; ///< A, top left of the rectangle
inline constexpr int Bx = 300, By = 300; ///< B, where P starts; the base line runs through it
inline constexpr int Cx = 500, Cy = 300;
inline constexpr int Dx = 500, Dy = 180;
inline constexpr int baseY = By; ///< the base line BC
inline constexpr int topY = Ay; ///< the side AD, the top of the tallest piece
inline constexpr int columns = 5; ///< 2 cm columns of the figure
inline constexpr int columnWidth = 40; ///< 2 cm
inline constexpr int stepPx = 10; ///< one step of P: 0.5 cm
inline constexpr int steps = 20; ///< steps from B to the end of travel
inline constexpr int PxStart = Bx; ///< P at B, x = 0
inline constexpr int PxEnd = Bx - steps * stepPx; ///< P at the end, x = 10
inline constexpr int parkedY = 800; ///< below the board's visible area
/// Every piece stands in a box this high, its base on the box's bottom (the anchor is the box's
/// top-left corner).
inline constexpr int pieceBox = 120;
/// Heights in pixels of the square, the short bar and the tall bar (codes 1, 2, 3).
inline constexpr int squareHeight = 40, shortBarHeight = 80, tallBarHeight = 120;
/// The triangle: right angle at the bottom right, 6 cm legs over three columns.
inline constexpr int triangleWidth = 3 * columnWidth, triangleHeight = 120;
/// Where the pieces wait in the palette band (anchors of koma1 … koma4).
inline constexpr QPoint homeSquare(300, 5), homeShortBar(350, 5), homeTallBar(400, 5),
    homeTriangle(450, 5);
inline constexpr int paletteBottom = 150; ///< a press above this picks from the palette

/// x in cm for P's pixel column.
constexpr double xOfPx(double px)
{
    return (PxStart - px) / pxPerCm;
}

// ---- The graph panel ----
inline constexpr double graphOriginX = 35, graphOriginY = 480;
inline constexpr double graphPxPerCm = 30; ///< along x
inline constexpr double graphPxPerCm2 = 30.0 / 4; ///< along y: 30 pixels per 4 cm²
inline constexpr double graphGridStep = 30; ///< grid spacing: 1 cm along x, 4 cm² along y
inline constexpr int graphRows = 15, graphColumns = 11; ///< grid cells up and across
inline constexpr double graphRight = graphOriginX + 350; ///< where the level grid lines end
inline constexpr double graphTop = 5; ///< where the upright grid lines end
/// The panel pixel of the graph point (x, y).
constexpr QPointF graphPoint(double x, double y)
{
    return QPointF(graphOriginX + graphPxPerCm * x, graphOriginY - graphPxPerCm2 * y);
}

// ---- The table panel ----
inline constexpr int tableXRowTop = 25, tableYRowTop = 70;
inline constexpr int tableZeroLeft = 60; ///< where the column of x = 0 is printed
/// Left edge of the column of whole x (1 to 10), before the shifts for wide numbers.
constexpr double tableColumnLeft(double x)
{
    return 45 * x + 50;
}

} // namespace geometry
