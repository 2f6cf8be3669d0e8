#pragma once

#include <QColor>

/// Colours named the way the lesson names them.
namespace colors {

/// Colour `index` (0 to 15) of the standard 16-colour palette; other indices give black.
QColor palette(int index);

/// Background of the table and graph panels, "&H00C0FFFF".
inline QColor paper()
{
    return QColor(255, 255, 192);
}

} // namespace colors
