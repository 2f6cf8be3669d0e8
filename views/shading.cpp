// The figure painted with its crossed part white and the rest light grey.
#include "app/form1.h"

#include "toolkit/colors.h"
#include "toolkit/numtext.h"
#include "toolkit/picturepanel.h"

#include <QCheckBox>

namespace {

// Palette colours of the crossed part and of the part still inside the rectangle.
constexpr int crossed = 15;
constexpr int inside = 7;

// The divider AB; every fill stops at it, so the crossed part stays apart from the rest.
void divider(PicturePanel *board)
{
    board->line(QPointF(300, 180), QPointF(300, 300));
}

// A piece one column wide, outlined from its bottom-left corner: bottom edge left to right,
// right edge up, top edge right to left, left edge down.
void box(PicturePanel *board, int p, int top)
{
    board->line(QPointF(p, 300), QPointF(p + 40, 300));
    board->lineTo(QPointF(p + 40, top));
    board->lineTo(QPointF(p, top));
    board->lineTo(QPointF(p, 300));
}

void fill(PicturePanel *board, int color, int x, int y)
{
    board->setFillColor(colors::palette(color));
    board->floodFill(x, y, board->foreColor());
}

// White left of AB, grey right of it; `wholeLeft` is the largest p at which nothing of the
// piece lies right of AB.
void shade(PicturePanel *board, int p, int wholeLeft, QPoint white, QPoint splitGrey,
           QPoint rightGrey)
{
    if (p <= wholeLeft)
        fill(board, crossed, white.x(), white.y());
    if (wholeLeft < p && p < 300) {
        fill(board, crossed, white.x(), white.y());
        fill(board, inside, splitGrey.x(), splitGrey.y());
    }
    if (p >= 300)
        fill(board, inside, rightGrey.x(), rightGrey.y());
}

} // namespace

void Form1::nuri(std::int16_t left)
{
    if (jumping) // a jump draws the board once, at its end
        return;
    kokuban->clear();
    divider(kokuban);
    kokuban->setFillStyle(PicturePanel::FillStyle::Solid);
    if (Check1->isChecked()) {
        hougan();
        // The grid's lines cut gaps into the divider, through which a fill would run from one
        // side of AB into the other: close them before any piece is filled.
        divider(kokuban);
    }
    for (int k = 0; k < 5; ++k) {
        const std::int16_t p = numtext::toInt16(left + 40.0 * k);
        switch (int(retsu[k])) {
        case 1:
            nuri1(p);
            break;
        case 2:
            nuri2(p);
            break;
        case 3:
            nuri3(p);
            break;
        case 4:
            nuri4(p);
            break;
        default: // empty, or the middle and right columns of a triangle drawn from its left one
            break;
        }
    }
}

void Form1::nuri1(std::int16_t p)
{
    box(kokuban, p, 260);
    shade(kokuban, p, 260, QPoint(p + 5, 298), QPoint(p + 35, 298), QPoint(p + 35, 298));
}

void Form1::nuri2(std::int16_t p)
{
    box(kokuban, p, 220);
    shade(kokuban, p, 260, QPoint(p + 5, 268), QPoint(p + 35, 268), QPoint(p + 35, 268));
}

void Form1::nuri3(std::int16_t p)
{
    box(kokuban, p, 180);
    shade(kokuban, p, 260, QPoint(p + 5, 268), QPoint(p + 35, 268), QPoint(p + 35, 268));
}

void Form1::nuri4(std::int16_t p)
{
    kokuban->line(QPointF(p, 300), QPointF(p + 120, 300));
    kokuban->lineTo(QPointF(p + 120, 180));
    kokuban->lineTo(QPointF(p, 300));
    // The grey seed of a crossed triangle sits near its tall end, always right of AB; the white
    // seed in its thin tip, always left of AB.
    shade(kokuban, p, 180, QPoint(p + 5, 298), QPoint(p + 115, 268), QPoint(p + 85, 268));
}
