#pragma once

#include <QString>
#include <array>
#include <cstdint>

/// The arithmetic of P's steps, free of the window.
namespace steps {

/// Piece codes of the five columns, column 0 at P.
using Columns = std::array<double, 5>;

/// x as the text box shows it: one leading blank and exactly one decimal place (" 0.0",
/// " 0.5", " 1.0", … " 10.0").
QString xText(double x);

/// The column (0 to 4) that the step ending at x lies in; a step ending on a column bound
/// belongs to the column on its left.
int stepColumn(double x);

/// Area in cm² of the part of the figure standing in `columns` that lies within x cm of its left
/// end: what has crossed AB when P has moved x. The figure is what the blackboard shows: bars in
/// their columns and a triangle from each code-4 column; columns 5 and 6 without their code-4
/// column show nothing.
double figureArea(const Columns &columns, double x);

/// Area in cm² of the half-centimetre strip that the step ending at x = n / 2 carries across AB
/// (n = 1 to 20; 0 otherwise).
float stripArea(const Columns &columns, int n);

/// The pause of automatic play in ms for the text of the speed box: five times the number it
/// starts with, rounded to a 32-bit integer and clamped to its range.
std::int32_t pauseMs(const QString &speedText);

} // namespace steps
