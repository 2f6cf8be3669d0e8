#include "core/boardkeys.h"

#include "core/measures.h"

#include <QCoreApplication>

namespace boardkeys {

namespace {

using namespace geometry;

bool isTriangle(double code)
{
    return code >= 4 && code <= 6;
}

// The column's centre on the base, 2 cm columns from B.
double centreX(int column)
{
    return Bx + columnWidth * column + columnWidth / 2;
}

QString spokenRange(int first, int last)
{
    if (first == last)
        return QCoreApplication::translate("boardkeys", "列 %1").arg(first + 1);
    return QCoreApplication::translate("boardkeys", "列 %1 から %2").arg(first + 1).arg(last + 1);
}

} // namespace

QPointF shelfPoint(int code)
{
    // The middle of each palette band, level with the pieces standing there.
    const double level = 100;
    switch (code) {
    case 1:
        return { homeSquare.x() + columnWidth / 2.0, level };
    case 2:
        return { homeShortBar.x() + columnWidth / 2.0, level };
    case 3:
        return { homeTallBar.x() + columnWidth / 2.0, level };
    default:
        return { homeTriangle.x() + triangleWidth / 2.0, level };
    }
}

QPointF columnPoint(int column)
{
    return { centreX(column), (topY + baseY) / 2.0 };
}

QPointF holdPoint(double code, int column)
{
    // The pointer sits on each piece at a fixed place: the bars' centre, the triangle 75 pixels
    // right of its tip and 45 above its base. Put the piece's foot on the base line, aligned
    // with the column it would go into; the pointer then still lies over `column`.
    if (isTriangle(code))
        return { Bx + columnWidth * (column - 1) + 75.0, baseY - 45.0 };
    const int height = code == 1 ? squareHeight : code == 2 ? shortBarHeight : tallBarHeight;
    return { centreX(column), baseY - height / 2.0 };
}

QPointF takeOffPoint(int column)
{
    return { centreX(column), topY - 20.0 }; // above the figure: a take-off
}

QPointF putBackPoint(int column)
{
    return { centreX(column), baseY + 40.0 }; // below the base: a release that changes nothing
}

Refusal refusal(const figurecolumns::Columns &columns, double code, int column)
{
    figurecolumns::Columns trial = columns;
    if (figurecolumns::drop(trial, code, column))
        return Refusal::None;
    if (isTriangle(code) && (column == 0 || column == 4))
        return Refusal::TriangleAtEdge;
    return Refusal::Occupied;
}

QString pieceName(double code)
{
    if (code == 1)
        return QCoreApplication::translate("boardkeys", "正方形");
    if (code == 2)
        return QCoreApplication::translate("boardkeys", "縦4 cmの長方形");
    if (code == 3)
        return QCoreApplication::translate("boardkeys", "縦6 cmの長方形");
    return QCoreApplication::translate("boardkeys", "三角形");
}

QString columnsOf(double code, int column)
{
    if (!isTriangle(code))
        return spokenRange(column, column);
    const int tip = column - int(code - 4);
    return spokenRange(tip, tip + 2);
}

QString landingColumns(double code, int column)
{
    return isTriangle(code) ? spokenRange(column - 1, column + 1) : spokenRange(column, column);
}

QString reason(Refusal refusal, int column)
{
    switch (refusal) {
    case Refusal::None:
        break;
    case Refusal::Occupied:
        return QCoreApplication::translate("boardkeys", "%1 にはもう部品があります")
            .arg(spokenRange(column, column));
    case Refusal::TriangleAtEdge:
        return QCoreApplication::translate("boardkeys",
                                           "三角形は真ん中を列 2 から 4 の上にしないと置けません");
    }
    return QString();
}

} // namespace boardkeys
