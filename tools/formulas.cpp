#include "tools/formulas.h"

#include <QCoreApplication>
#include <cmath>
#include <numeric>

namespace formulas {

Rational::Rational(long long numerator, long long denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const long long g = std::gcd(numerator, denominator);
    n = g ? numerator / g : 0;
    d = g ? denominator / g : 1;
}

Rational operator+(Rational a, Rational b)
{
    return Rational(a.n * b.d + b.n * a.d, a.d * b.d);
}

Rational operator-(Rational a, Rational b)
{
    return a + -b;
}

Rational operator*(Rational a, Rational b)
{
    return Rational(a.n * b.n, a.d * b.d);
}

Rational operator/(Rational a, Rational b)
{
    return Rational(a.n * b.d, a.d * b.n);
}

bool operator<(Rational a, Rational b)
{
    return a.n * b.d < b.n * a.d;
}

namespace {

const Rational half(1, 2);

// The one piece that shows in column k and the formula it adds there. Over a column no two
// pieces cross (bars are 2, 4 or 6 cm high and a triangle rises from one of these heights to
// the next within a column), so the piece with the largest area there stands above the others
// all along the column.
Quadratic columnFormula(const Columns &columns, int k, Rational before)
{
    const Rational left = 2 * k;
    Rational best = 0; // the area the column adds
    Quadratic y { 0, 0, before };
    const double code = columns[k];
    if (code == 1 || code == 2 || code == 3) {
        const Rational height = 2 * (long long)code;
        best = height * 2;
        y = { 0, height, before - height * left };
    }
    for (int c = std::max(0, k - 2); c <= k; ++c) {
        if (columns[c] != 4)
            continue;
        // The triangle is x − tip cm high at x.
        const Rational tip = 2 * c;
        const Rational area
            = half * ((left + 2 - tip) * (left + 2 - tip)) - half * ((left - tip) * (left - tip));
        if (best < area) {
            best = area;
            y = { half, -tip, before + half * tip * tip - half * (left - tip) * (left - tip) };
        }
    }
    return y;
}

// v written with the ten digits given, raised or lowered.
QString inDigits(long long v, const char16_t (&digits)[11])
{
    QString s;
    for (QChar c : QString::number(v))
        s += QChar(digits[c.digitValue()]);
    return s;
}

QString superscript(long long v)
{
    return inDigits(v, u"⁰¹²³⁴⁵⁶⁷⁸⁹");
}

QString subscript(long long v)
{
    return inDigits(v, u"₀₁₂₃₄₅₆₇₈₉");
}

const QString minus = QStringLiteral(" − ");
const QString plus = QStringLiteral(" + ");

// "½", "³⁄₂", "" for 1 and "−" for −1: a coefficient in front of a letter.
QString coefficient(Rational r)
{
    if (r == 1)
        return QString();
    if (r == -1)
        return QStringLiteral("−");
    return number(r);
}

// " + 4", " − 6", or nothing for 0: a term after the first.
QString term(Rational r)
{
    if (r == 0)
        return QString();
    return (r < 0 ? minus : plus) + number(r < 0 ? -r : r);
}

} // namespace

std::vector<Stretch> stretches(const Columns &columns)
{
    std::vector<Stretch> out;
    Rational before = 0;
    for (int k = 0; k < 5; ++k) {
        const Quadratic y = columnFormula(columns, k, before);
        const Rational from = 2 * k, to = 2 * k + 2;
        before = y.at(to);
        if (!out.empty() && out.back().y == y)
            out.back().to = to;
        else
            out.push_back({ from, to, y });
    }
    return out;
}

QString number(Rational r)
{
    if (r < 0)
        return QStringLiteral("−") + number(-r);
    if (r.d == 1)
        return QString::number(r.n);
    // The common fractions have a character of their own; others are built of raised and
    // lowered digits around a fraction slash, so that they never read as a division.
    static const struct
    {
        long long n, d;
        char16_t glyph;
    } vulgar[] = {
        { 1, 2, u'½' }, { 1, 3, u'⅓' }, { 2, 3, u'⅔' }, { 1, 4, u'¼' }, { 3, 4, u'¾' },
        { 1, 5, u'⅕' }, { 2, 5, u'⅖' }, { 3, 5, u'⅗' }, { 4, 5, u'⅘' }, { 1, 6, u'⅙' },
        { 5, 6, u'⅚' }, { 1, 8, u'⅛' }, { 3, 8, u'⅜' }, { 5, 8, u'⅝' }, { 7, 8, u'⅞' },
    };
    for (const auto &v : vulgar) {
        if (v.n == r.n && v.d == r.d)
            return QString(QChar(v.glyph));
    }
    return superscript(r.n) + QChar(u'⁄') + subscript(r.d);
}

QString rightSide(const Quadratic &y)
{
    const QString x = QStringLiteral("χ");
    if (y.a != 0) {
        // Around the vertex: ½(χ − p)² + q, with p where the triangle's corner is.
        const Rational p = -y.b / (2 * y.a);
        const Rational q = y.c - y.b * y.b / (4 * y.a);
        const QString square
            = p == 0 ? x : QStringLiteral("(") + x + term(-p) + QStringLiteral(")");
        return coefficient(y.a) + square + QStringLiteral("²") + term(q);
    }
    if (y.b != 0)
        return coefficient(y.b) + x + term(y.c);
    return number(y.c);
}

QString condition(const Stretch &stretch)
{
    return QCoreApplication::translate("formulas", "%1 ≦ χ ≦ %2 のとき")
        .arg(number(stretch.from), number(stretch.to));
}

QString equation(const Stretch &stretch)
{
    return QStringLiteral("y = ") + rightSide(stretch.y);
}

QString line(const Stretch &stretch)
{
    return QCoreApplication::translate("formulas", "%1 %2")
        .arg(condition(stretch), equation(stretch));
}

bool holds(const Stretch &stretch, Rational x)
{
    return stretch.from <= x && x <= stretch.to;
}

} // namespace formulas
