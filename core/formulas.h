#pragma once

#include <QString>
#include <array>
#include <vector>

/// y written out as a function of x for each stretch of x where one formula holds, worked out
/// from the pieces with exact fractions. Free of the window.
namespace formulas {

/// An exact fraction n / d, kept in lowest terms with d > 0.
struct Rational
{
    long long n = 0;
    long long d = 1;

    constexpr Rational() = default;
    constexpr Rational(long long whole)
        : n(whole)
    { }
    Rational(long long numerator, long long denominator);

    friend Rational operator+(Rational a, Rational b);
    friend Rational operator-(Rational a, Rational b);
    friend Rational operator*(Rational a, Rational b);
    friend Rational operator/(Rational a, Rational b);
    friend Rational operator-(Rational a) { return Rational(-a.n, a.d); }
    friend bool operator==(Rational a, Rational b) = default;
    friend bool operator<(Rational a, Rational b);
    friend bool operator<=(Rational a, Rational b) { return !(b < a); }
    double toDouble() const { return double(n) / double(d); }
};

/// y = a·x² + b·x + c.
struct Quadratic
{
    Rational a, b, c;
    Rational at(Rational x) const { return (a * x + b) * x + c; }
    friend bool operator==(const Quadratic &, const Quadratic &) = default;
};

/// One formula and the stretch `from` ≦ x ≦ `to` where it holds.
struct Stretch
{
    Rational from, to;
    Quadratic y;
    friend bool operator==(const Stretch &, const Stretch &) = default;
};

/// Piece codes of the five columns, column 0 at P (as the figure's column table holds them).
using Columns = std::array<double, 5>;

/// The stretches of 0 ≦ x ≦ 10, left to right, neighbours always with different formulas. The
/// figure is what the blackboard shows: bars in their columns (codes 1, 2, 3: 2, 4, 6 cm high),
/// and a triangle from each code-4 column rising 1 cm per cm over three columns; codes 5 and 6
/// without their code-4 column show nothing.
std::vector<Stretch> stretches(const Columns &columns);

/// One piece of written mathematics, as a textbook sets it.
struct Part
{
    enum Kind {
        Text, ///< upright: digits, brackets, words
        Sign, ///< a relation or operator ("=", "−", "+", "≦") with even space each side
        Variable, ///< x or y, set in italics
        Fraction, ///< `text` stacked over `below` with a bar between
        Power, ///< `text` raised tight against what stands before it
    };
    Kind kind = Text;
    QString text;
    QString below;
    friend bool operator==(const Part &, const Part &) = default;
};

/// A line of text with its mathematics marked.
using Written = std::vector<Part>;

/// `text` with each lone Latin x or y (no Latin letter on either side) marked as a variable, and
/// each "=", "−", "+", "≦" or "≤" standing between two blanks as a sign.
Written written(const QString &text);

/// The line as plain text, for a screen reader and for searching: fractions "1/2", a blank
/// between a fraction and the letter or bracket it multiplies, powers as "²": "y = 1/2 x²".
QString plain(const Written &written);

/// A number as plain text: "3", "1/2", "−3/2" (a proper minus sign).
QString number(Rational r);

/// The right-hand side in school notation: ½x², 4x − 6, 26, ½(x − 2)² + 4; a coefficient 1
/// and a term 0 are left out, fractions stacked.
Written rightSide(const Quadratic &y);

/// "0 ≦ x ≦ 6 のとき".
Written condition(const Stretch &stretch);

/// "y = " and the right-hand side.
Written equation(const Stretch &stretch);

/// The condition, then the equation: 0 ≦ x ≦ 6 のとき y = ½x².
Written statement(const Stretch &stretch);

/// The statement as plain text: "0 ≦ x ≦ 6 のとき y = 1/2 x²".
QString line(const Stretch &stretch);

/// Whether `x` lies in the stretch (its ends included: at a bound both formulas hold).
bool holds(const Stretch &stretch, Rational x);

} // namespace formulas
