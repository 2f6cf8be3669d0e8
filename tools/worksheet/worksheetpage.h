#pragma once

#include "core/formulas.h"
#include "tools/tool.h"

#include <QString>
#include <array>

class QPagedPaintDevice;

/// The worksheet: on A4, page 1 the task (the rectangle with the figure at true scale, an
/// empty table of y at whole x, an empty graph grid), page 2 the answer key (the same with y
/// filled in, the graph plotted and the formulas when they are given). Drawn as vector lines
/// and text in black and greys.
namespace worksheet {

struct Sheet
{
    std::array<double, 5> columns {}; ///< piece codes, column 0 at P
    double x = 0; ///< where P stands, cm
    std::vector<formulas::Written>
        formulas; ///< lines for the answer key; none leaves the space empty
    /// The tools' own tasks, under the table: asked on page 1, answered on page 2.
    std::vector<SheetTask> tasks;
};

/// Scales on paper: 1 cm of the lesson is 1 cm; on the graph 1 cm of x is 1 cm across and
/// 4 cm² of y is 1 cm up (the lesson's own graph has 30 pixels for each, so its shape is kept).
inline constexpr double graphMmPerCm = 10;
inline constexpr double graphMmPerCm2 = 10.0 / 4;

/// Where P stands in the figure on paper: `x` when it is above 0 and the drawing fits between
/// the margins at true scale, else 3 cm, so that the task shows a crossed part to hatch.
double figureX(double x);

/// Paints both pages on `device` (A4 portrait, coordinates from the paper's corner).
void paint(QPagedPaintDevice &device, const Sheet &sheet);

/// Writes both pages as a PDF through a temporary file. On a fault returns false and says why.
bool writePdf(const QString &path, const Sheet &sheet, QString &reason);

} // namespace worksheet
