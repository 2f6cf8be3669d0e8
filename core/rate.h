#pragma once

#include "core/formulas.h"

#include <QPointF>
#include <QString>
#include <optional>
#include <vector>

/// The rate of change over an interval of x, worked out exactly from the figure, with the
/// texts that say it in the textbook's form and the part of the figure that crossed AB in it.
/// Free of the window.
namespace rate {

using formulas::Columns;
using formulas::Rational;

/// y at x = halves / 2, exact; `halves` runs from 0 to 20 (beyond, the nearest end).
Rational yAt(const Columns &columns, int halves);

/// The increases from x₁ = fromHalves / 2 to x₂ = toHalves / 2 and their ratio.
struct Interval
{
    int fromHalves = 0;
    int toHalves = 0;
    Rational dx, dy, rate;
    friend bool operator==(const Interval &, const Interval &) = default;
};

/// The interval from `fromHalves` to `toHalves`, or nothing unless 0 ≦ from < to ≦ 20.
std::optional<Interval> interval(const Columns &columns, int fromHalves, int toHalves);

/// A number written out as a decimal, as the table prints y, exact: "2", "0.5", "0.125".
/// A fraction with no finite decimal falls back to "1/3".
QString decimal(Rational r);

/// An increase under the table: "+2", "+0.5".
QString increase(Rational r);

/// "変化の割合 = 8 ÷ 2 = 4", with a rate that is not whole stacked in lowest terms.
formulas::Written line(const Interval &interval);

/// The line as plain text: "変化の割合 = 0.5 ÷ 1 = 1/2".
QString lineText(const Interval &interval);

/// "x の増加量 2、y の増加量 6": the increases beside the worksheet's answer.
QString increases(const Interval &interval);

/// The worksheet's question: "x が 2 から 4 まで増加するときの変化の割合を求めなさい". Its answer
/// is `line()`.
QString question(const Interval &interval);

/// How y grows over the interval, by the formulas' stretches it meets.
enum class Kind {
    Straight, ///< within one stretch whose formula is linear or constant
    Curved, ///< within one stretch where y = ax² + …
    Several, ///< over more than one stretch
};
Kind kind(const Columns &columns, const Interval &interval);

/// One sentence in a learner's words that ties the rate to the figure at AB.
QString sentence(const Columns &columns, const Interval &interval);

/// The part of the figure that crossed AB during the interval: each piece cut to
/// x₁ ≦ d ≦ x₂, d measured in cm from the figure's left end, height upwards from its base, one
/// polygon per piece touched (corners counter-clockwise, none repeated). Their areas add up to
/// the interval's dy.
std::vector<std::vector<QPointF>> strip(const Columns &columns, const Interval &interval);

} // namespace rate
