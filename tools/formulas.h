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

/// A number as the lesson writes it: "3", "½", "³⁄₂", "−¼" (a proper minus sign).
QString number(Rational r);

/// The right-hand side in school notation with x written "χ": "½χ²", "4χ − 6", "26",
/// "½(χ − 2)² + 4"; a coefficient 1 and a term 0 are left out.
QString rightSide(const Quadratic &y);

/// "0 ≦ χ ≦ 6 のとき".
QString condition(const Stretch &stretch);

/// "y = ½χ²".
QString equation(const Stretch &stretch);

/// "0 ≦ χ ≦ 6 のとき y = ½χ²": the condition, then the equation.
QString line(const Stretch &stretch);

/// Whether `x` lies in the stretch (its ends included: at a bound both formulas hold).
bool holds(const Stretch &stretch, Rational x);

} // namespace formulas
