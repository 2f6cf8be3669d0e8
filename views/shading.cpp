// The figure painted with its crossed part white and the rest light grey.
#include "app/form1.h"

#include "core/numtext.h"
#include "figure/geometry.h"
#include "toolkit/picturepanel.h"

#include <QCheckBox>

using namespace geometry;

namespace {

// The divider AB; every fill stops at it, so the crossed part stays apart from the rest.
void divider(PicturePanel *board)
{
    board->line(QPointF(Ax, Ay), QPointF(Bx, By));
}

// A piece one column wide, outlined from its bottom-left corner: bottom edge left to right,
// right edge up, top edge right to left, left edge down.
void box(PicturePanel *board, int p, int top)
{
    board->line(QPointF(p, baseY), QPointF(p + columnWidth, baseY));
    board->lineTo(QPointF(p + columnWidth, top));
    board->lineTo(QPointF(p, top));
    board->lineTo(QPointF(p, baseY));
}

void fill(PicturePanel *board, const QColor &color, int x, int y)
{
    board->setFillColor(color);
    board->floodFill(x, y, board->foreColor());
}

// White left of AB, grey right of it; `wholeLeft` is the largest p at which nothing of the
// piece lies right of AB.
void shade(PicturePanel *board, int p, int wholeLeft, QPoint white, QPoint splitGrey,
           QPoint rightGrey)
{
    if (p <= wholeLeft)
        fill(board, colour::crossed, white.x(), white.y());
    if (wholeLeft < p && p < Bx) {
        fill(board, colour::crossed, white.x(), white.y());
        fill(board, colour::inside, splitGrey.x(), splitGrey.y());
    }
    if (p >= Bx)
        fill(board, colour::inside, rightGrey.x(), rightGrey.y());
}

} // namespace

void Form1::nuri(std::int16_t left)
{
    if (jumping) // a jump draws the board once, at its end
        return;
    // The cleared board with AB and the grid is the same at every step: it is drawn once and
    // then put back where the figure stood, which at a projector's ratio is a fraction of the
    // whole board to clear and draw again.
    const bool grid = Check1->isChecked();
    const Picture::BackdropKey start { kokuban->backColor().rgb(), kokuban->foreColor().rgb(),
                                       quint32(kokuban->drawWidth()), grid };
    if (!kokuban->restoreBackdrop(start)) {
        kokuban->clear();
        divider(kokuban);
        if (grid) {
            hougan();
            // The grid's lines cut gaps into the divider, through which a fill would run from
            // one side of AB into the other: close them before any piece is filled.
            divider(kokuban);
        }
        kokuban->keepBackdrop(start);
    }
    kokuban->setFillStyle(PicturePanel::FillStyle::Solid);
    for (int k = 0; k < columns; ++k) {
        const std::int16_t p = numtext::toInt16(left + double(columnWidth) * k);
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
    box(kokuban, p, baseY - squareHeight);
    shade(kokuban, p, Bx - columnWidth, QPoint(p + 5, 298), QPoint(p + 35, 298),
          QPoint(p + 35, 298));
}

void Form1::nuri2(std::int16_t p)
{
    box(kokuban, p, baseY - shortBarHeight);
    shade(kokuban, p, Bx - columnWidth, QPoint(p + 5, 268), QPoint(p + 35, 268),
          QPoint(p + 35, 268));
}

void Form1::nuri3(std::int16_t p)
{
    box(kokuban, p, baseY - tallBarHeight);
    shade(kokuban, p, Bx - columnWidth, QPoint(p + 5, 268), QPoint(p + 35, 268),
          QPoint(p + 35, 268));
}

void Form1::nuri4(std::int16_t p)
{
    kokuban->line(QPointF(p, baseY), QPointF(p + triangleWidth, baseY));
    kokuban->lineTo(QPointF(p + triangleWidth, baseY - triangleHeight));
    kokuban->lineTo(QPointF(p, baseY));
    // The grey seed of a crossed triangle sits near its tall end, always right of AB; the white
    // seed in its thin tip, always left of AB.
    shade(kokuban, p, Bx - triangleWidth, QPoint(p + 5, 298), QPoint(p + 115, 268),
          QPoint(p + 85, 268));
}
