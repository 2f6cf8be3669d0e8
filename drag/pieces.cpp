// The four pieces, outlines of line controls placed by an anchor: the top-left corner of the
// 120-pixel box the piece stands in, so every piece's base lies on the anchor's y + 120.
#include "app/form1.h"

#include "core/measures.h"
#include "core/numtext.h"
#include "toolkit/panelcontrols.h"

namespace {

// Anchor arithmetic is 16-bit, as the anchor's fields are; it saturates rather than wrap, so an
// anchor at the far edge cannot fling a segment across the board.
double at(std::int16_t base, int offset)
{
    return numtext::toInt16(double(base) + offset);
}

// A box piece, clockwise from the top-left corner: top, right, bottom, left.
void placeBox(const std::array<PanelLine *, 4> &lines, std::int16_t x, std::int16_t y, int top)
{
    lines[0]->setPoints(QPointF(at(x, 0), at(y, top)), QPointF(at(x, 40), at(y, top)));
    lines[1]->setPoints(QPointF(at(x, 40), at(y, top)), QPointF(at(x, 40), at(y, 120)));
    lines[2]->setPoints(QPointF(at(x, 40), at(y, 120)), QPointF(at(x, 0), at(y, 120)));
    lines[3]->setPoints(QPointF(at(x, 0), at(y, 120)), QPointF(at(x, 0), at(y, top)));
}

} // namespace

void Form1::sendPiecesHome()
{
    using namespace geometry;
    koma1(homeSquare.x(), homeSquare.y());
    koma2(homeShortBar.x(), homeShortBar.y());
    koma3(homeTallBar.x(), homeTallBar.y());
    koma4(homeTriangle.x(), homeTriangle.y());
}

void Form1::koma1(std::int16_t x, std::int16_t y)
{
    placeBox(Line6, x, y, geometry::pieceBox - geometry::squareHeight);
}

void Form1::koma2(std::int16_t x, std::int16_t y)
{
    placeBox(Line7, x, y, geometry::pieceBox - geometry::shortBarHeight);
}

void Form1::koma3(std::int16_t x, std::int16_t y)
{
    placeBox(Line9, x, y, geometry::pieceBox - geometry::tallBarHeight);
}

void Form1::koma4(std::int16_t x, std::int16_t y)
{
    Line8[0]->setPoints(QPointF(at(x, 0), at(y, 120)), QPointF(at(x, 120), at(y, 120)));
    Line8[1]->setPoints(QPointF(at(x, 120), at(y, 120)), QPointF(at(x, 120), at(y, 0)));
    Line8[2]->setPoints(QPointF(at(x, 120), at(y, 0)), QPointF(at(x, 0), at(y, 120)));
}
