#pragma once

#include "core/formulas.h"

#include <QString>
#include <QtGlobal>
#include <array>

/// The challenges apart from the window: targets to build from a seed, how a learner's graph
/// differs from a target's, and the four graphs of "どのグラフ？".
namespace challenge {

/// A figure as the lesson holds it: piece codes of the five columns, column 0 at B.
using Figure = formulas::Columns;

/// Whether the lesson's drops could build the figure from the empty rectangle.
bool buildable(const Figure &figure);

/// How many pieces stand in the figure (the triangle counts once).
int pieceCount(const Figure &figure);

/// Whether the triangle stands in the figure.
bool hasTriangle(const Figure &figure);

inline constexpr int levels = 4;

/// The target of a level from its seed, the same on every machine: 1 one bar; 2 two bars; 3 the
/// triangle and one bar; 4 four bars, or the triangle and the two bars that still fit beside it.
/// Always buildable and never empty; a level outside 1 to 4 counts as the nearest one.
Figure level(int level, quint32 seed);

/// "レベル 3 の 17", translated.
QString levelName(int level, quint32 seed);

/// y at x (a multiple of 0.5 from 0 to 10), exact.
formulas::Rational yAt(const Figure &figure, formulas::Rational x);

/// Whether the two graphs pass through the same point at every half centimetre from 0 to 10.
bool sameGraph(const Figure &a, const Figure &b);

struct Verdict
{
    enum Kind {
        Solved, ///< the graphs are the same
        Steeper, ///< the learner's graph rises faster there: the figure is too high
        Gentler, ///< it rises more slowly: the figure is too low, or missing
        Curve, ///< straight against curved, or curved from another height
    };
    Kind kind = Solved;
    /// The columns, as x, from the first where the figures' heights differ, over the following
    /// ones while the difference is of the same kind; 0 to 0 when solved.
    formulas::Rational from, to;
    friend bool operator==(const Verdict &, const Verdict &) = default;
};

/// Compares the learner's graph with the target's.
Verdict compare(const Figure &learner, const Figure &target);

/// The verdict in words a learner can act on: "2 ≦ x ≦ 4 で、グラフが目標より急です（図形が高す
/// ぎます）", translated.
QString text(const Verdict &verdict);

/// The four figures of "どのグラフ？": `figure` itself and three near misses (a piece swapped
/// for another, a piece shifted by a column, a straight stretch for a curved one or the
/// reverse), all buildable, each with a graph of its own, in an order fixed by the seed.
/// `right`, when given, receives the index of `figure`.
std::array<Figure, 4> choices(const Figure &figure, quint32 seed, int *right);

/// "ア", "イ", "ウ", "エ" for 0 to 3, translated.
QString choiceLabel(int index);

} // namespace challenge
