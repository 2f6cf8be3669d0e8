#pragma once

#include <QString>
#include <QtGlobal>

/// Reading and checking the learner's predictions of y, free of the window.
namespace prediction {

/// An exact number as the learner typed it: num / den, reduced, den > 0.
struct Fraction
{
    qint64 num = 0;
    qint64 den = 1;
    bool operator==(const Fraction &) const = default;
};

/// Why a text is not a prediction.
enum class Refusal {
    None, ///< read
    Empty, ///< nothing typed: no prediction
    NotANumber, ///< letters, two points, two signs, an exponent …
    DivisionByZero, ///< "1/0"
    TooLong, ///< a part with more digits than a y of this lesson could need
};

struct Reading
{
    Refusal refusal = Refusal::Empty;
    Fraction value;
    bool ok() const { return refusal == Refusal::None; }
};

/// Reads y as typed: an optional sign, a decimal ("4.5", ".5", "4."), optionally "/" and a second
/// decimal ("9/2"). Full-width digits, point, slash and signs read as their ASCII forms (an input
/// method's full stop "。" as the point), blanks around the whole and around "/" are skipped. At
/// most nine digits in each part.
Reading read(const QString &typed);

/// The text as the reader sees it: full-width forms in ASCII, blanks around the whole dropped.
QString narrowed(const QString &typed);

/// A short sentence for a refusal, in the "prediction" translation context (empty for None).
QString refusalText(Refusal refusal);

/// The value in the shortest exact form: "4.5", "-2", "1/3" (a decimal when it ends within six
/// places).
QString shown(const Fraction &value);

/// Whether a typed prediction equals y exactly (y as the lesson computes it, a binary double).
bool typedRight(const Fraction &typed, double y);

/// Whether a point placed on the graph is right: within 1 cm² of y.
bool placedRight(double placed, double y);

/// The y of a point placed at pixel row `row` of the graph: the nearest multiple of 0.5 cm²,
/// kept within the plot (0 to 60).
double placedY(double row);

/// The pixel row of y on the graph.
double rowOf(double y);

/// The whole x (1 to 10) whose column of the graph holds pixel column `column` (within 15 pixels
/// of its line), or 0 when none does.
int wholeXAt(double column);

/// The pixel column of x on the graph.
double columnOf(double x);

/// Whether the statement of x and y may say y at x while predictions are made: only where the
/// table and the graph show it, at a whole x.
bool yShownAt(double x);

} // namespace prediction
