#pragma once

#ifdef QT_GUI_LIB
#include <QColor>
#endif
#include <QString>
#include <QStringList>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

/// The lesson's facts as the tests state them: colours of the picture and the geometry of a
/// figure, worked out from the pieces' shapes, never from the program's own arithmetic.
namespace lesson {

// The pure suites link Qt Core alone: they have the figure's facts without the picture's colours.
#ifdef QT_GUI_LIB
inline const QColor white(255, 255, 255);
inline const QColor grey(192, 192, 192);
inline const QColor yellow(255, 255, 0);
inline const QColor black(0, 0, 0);
inline const QColor boardGreen(0, 128, 0);
inline const QColor blue(0, 0, 255);
inline const QColor paper(255, 255, 192);
#endif

/// Piece codes of the five columns, column 0 at P.
using Codes = std::array<double, 5>;

/// The lesson's worked example: the right triangle over columns 0 to 2, the 4 cm bar in column 3.
inline const Codes workedExample { 4, 5, 6, 2, 0 };

/// The worked example as a lesson file at x = 0, as the format's own description gives it.
inline const char workedExampleFile[] = R"({"format": "kansu-lesson", "version": 1,
 "pieces": [{"piece": "triangle", "column": 0}, {"piece": "bar4", "column": 3}],
 "grid": false, "table": true, "graph": true, "dimension_line": true,
 "speed": "10", "x": 0}
)";

/// y of the worked example at x = 0, 1, …, 10, as the lesson's table lists it.
inline const std::array<double, 11> workedExampleYs { 0, .5, 2, 4.5, 8, 12.5, 18, 22, 26, 26, 26 };

/// y of the worked example at any x: x²/2 over the triangle, 4 cm² per cm over the bar, then
/// nothing more.
inline double workedExampleY(double x)
{
    if (x <= 6)
        return x * x / 2;
    return x <= 8 ? 18 + 4 * (x - 6) : 26;
}

/// "4 5 6 2 0" as codes.
inline Codes codesFrom(const QString &text)
{
    Codes codes {};
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int k = 0; k < 5 && k < parts.size(); ++k)
        codes[k] = parts[k].toDouble();
    return codes;
}

inline QString textOf(const Codes &codes)
{
    QStringList parts;
    for (double c : codes)
        parts << QString::number(c);
    return parts.join(QLatin1Char(' '));
}

/// Height in pixels of the figure d pixels right of its left end (20 pixels to the cm): bars 2,
/// 4 and 6 cm high, a triangle rising 1 cm per cm from its tip.
inline double heightAt(const Codes &codes, double d)
{
    if (d <= 0 || d >= 200)
        return 0;
    const int k = int(d / 40);
    const int code = int(codes[k]);
    if (code >= 1 && code <= 3)
        return 40.0 * code;
    if (code >= 4 && code <= 6)
        return d - 40.0 * (k - (code - 4));
    return 0;
}

/// Area in cm² of the part of the figure within x cm of its left end (x a multiple of 0.5):
/// half-centimetre strips never cross a column bound, so each is a trapezoid whose mean height
/// stands at its middle.
inline double areaWithin(const Codes &codes, double x)
{
    double pixels = 0;
    for (int k = 0; k < int(std::lround(2 * x)); ++k)
        pixels += 10 * heightAt(codes, 10 * k + 5);
    return pixels / 400;
}

/// y at every half centimetre from 0 to 10, measured from the shapes.
inline std::array<double, 21> ysOf(const Codes &codes)
{
    std::array<double, 21> ys {};
    for (int i = 0; i <= 20; ++i)
        ys[size_t(i)] = areaWithin(codes, i / 2.0);
    return ys;
}

/// Every figure the palette can build: each column empty or a bar, or a whole triangle over
/// three columns.
inline std::vector<Codes> everyFigure()
{
    std::vector<Codes> all;
    std::function<void(Codes, int)> fill = [&](Codes codes, int k) {
        if (k >= 5) {
            all.push_back(codes);
            return;
        }
        for (int code = 0; code <= 3; ++code) {
            codes[k] = code;
            fill(codes, k + 1);
        }
        if (k <= 2) {
            codes[k] = 4, codes[k + 1] = 5, codes[k + 2] = 6;
            fill(codes, k + 3);
        }
    };
    fill(Codes {}, 0);
    return all;
}

} // namespace lesson
