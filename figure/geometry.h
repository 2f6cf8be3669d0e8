#pragma once

#include "core/measures.h"

#include <QColor>

/// The lesson's geometry (core/measures.h) and its colours, named once.
namespace geometry {

// ---- Colours, by what they are for ----
namespace colour {
inline const QColor gridLine(0, 0, 0); ///< the blackboard's centimetre grid
inline const QColor graphGrid(0, 128, 0); ///< the graph's grid and axes
inline const QColor graphText(0, 0, 0); ///< scale numbers and units
inline const QColor inside(192, 192, 192); ///< the part of the figure not yet crossed
inline const QColor crossed(255, 255, 255); ///< the part that has crossed AB
inline const QColor plot(0, 0, 255); ///< table texts and graph segments
inline const QColor dropped(255, 255, 0); ///< board drawing colour once a piece is dropped
inline const QColor paper(255, 255, 192); ///< background of the table and graph panels
inline const QColor board(0, 128, 0); ///< the blackboard
inline const QColor window(192, 255, 192); ///< the window's own background
} // namespace colour

} // namespace geometry
