#pragma once

#include <optional>

/// Where a press on the table or the graph sends P, apart from the window. Positions are
/// pixels of the panel's picture; P's place is counted in half centimetres from B (0 to 20).
namespace jump {

inline constexpr int lastHalf = 20; ///< x = 10

/// The whole x (0 to 10) whose column of the table, x cell or y cell, holds the point; empty
/// outside the cells.
std::optional<int> tableColumnAt(double x, double y);

/// Whether the point lies in the graph's plot (its grid, axes included).
bool inPlot(double x, double y);

/// The half centimetre of x nearest to the pointer's x on the graph, kept within 0 to 10: a
/// drag that runs past either end of the axis holds P at that end.
int graphHalfNearest(double x);

/// P's place in half centimetres from B for its pixel column on the blackboard.
int halvesOf(double Px);

} // namespace jump
