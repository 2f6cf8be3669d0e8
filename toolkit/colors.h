#pragma once

#include <QColor>
#include <QString>

/// Colours named the way the lesson names them.
namespace colors {

/// Colour `index` (0 to 15) of the standard 16-colour palette; other indices give black.
QColor palette(int index);

/// A colour written as "&H00BBGGRR" text: blue, green and red from the high byte to the low.
/// Text that is not of that form gives black.
QColor fromHexText(const QString &text);

/// Background of the table and graph panels, "&H00C0FFFF".
inline QColor paper()
{
    return QColor(255, 255, 192);
}

} // namespace colors
