#pragma once

#include <QFont>

/// The lesson's Japanese proportional gothic, with the faces that stand in for it.
namespace fonts {

/// The gothic at `points` (fractional sizes such as 14.25 are kept), bold if asked.
QFont gothic(qreal points, bool bold = false);

/// Size of the system's default face where a control names no font.
inline constexpr qreal defaultPoints = 9;

} // namespace fonts
