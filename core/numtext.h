#pragma once

#include <QString>
#include <cstdint>

/// Number text and integer conversions shared by every panel of the lesson.
namespace numtext {

/// A number as printed on a panel: one blank standing for the sign of a non-negative value (a
/// minus otherwise), then the shortest decimal form, with no zero before the point below 1:
/// 0.5 gives " .5", 12.5 gives " 12.5", 10 gives " 10", -0.25 gives "-.25".
QString printed(double value);

/// Reads a decimal number from the start of a text: leading blanks skipped, an optional sign,
/// digits with at most one point, an optional exponent; reading stops at the first character
/// that does not fit. A text that does not start with a number reads as 0. Values too large for
/// a double read as infinity with their sign.
double read(const QString &text);

/// Rounds to the nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
double roundHalfEven(double value);

/// Rounds half-to-even into a 16-bit integer field, saturating at the field's bounds.
std::int16_t toInt16(double value);

/// Rounds half-to-even into a 32-bit integer, saturating at the bounds (NaN gives 0).
std::int32_t toInt32(double value);

} // namespace numtext
