#include "core/formulas.h"

#include <QCoreApplication>
#include <cmath>
#include <numeric>
#include <optional>
#include <utility>

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

Part text(const QString &s)
{
    return { Part::Text, s, {} };
}

Part sign(const QString &s)
{
    return { Part::Sign, s, {} };
}

const Part x { Part::Variable, QStringLiteral("x"), {} };

// A magnitude as its own part: a whole number upright, anything else stacked.
Part magnitude(Rational r)
{
    if (r.d == 1)
        return text(QString::number(r.n));
    return { Part::Fraction, QString::number(r.n), QString::number(r.d) };
}

// Nothing for 1, "−" for −1, else the number: a coefficient in front of a letter or bracket.
Written coefficient(Rational r)
{
    Written out;
    if (r < 0)
        out.push_back(text(QStringLiteral("−")));
    if (r != 1 && r != -1)
        out.push_back(magnitude(r < 0 ? -r : r));
    return out;
}

// " + 4", " − ½", or nothing for 0: a term after the first.
void appendTerm(Written &out, Rational r)
{
    if (r == 0)
        return;
    out.push_back(sign(r < 0 ? QStringLiteral("−") : QStringLiteral("+")));
    out.push_back(magnitude(r < 0 ? -r : r));
}

void append(Written &out, const Written &more)
{
    out.insert(out.end(), more.begin(), more.end());
}

bool isLatin(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

} // namespace

std::vector<Stretch> stretches(const Columns &columns)
{
    // Asked several times on every step for the same figure (y at both ends of an interval,
    // the stretches it runs through): the last answer is kept.
    thread_local std::optional<std::pair<Columns, std::vector<Stretch>>> last;
    if (last && last->first == columns)
        return last->second;
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
    last.emplace(columns, out);
    return out;
}

Written written(const QString &s)
{
    static const QString signs = QStringLiteral("=−+≦≤");
    Written out;
    QString run;
    const auto flush = [&] {
        if (!run.isEmpty())
            out.push_back(text(run));
        run.clear();
    };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        const bool alone
            = (i == 0 || !isLatin(s[i - 1])) && (i + 1 == s.size() || !isLatin(s[i + 1]));
        if ((c == u'x' || c == u'y') && alone) {
            flush();
            out.push_back({ Part::Variable, QString(c), {} });
        } else if (signs.contains(c) && i > 0 && s[i - 1] == u' ' && i + 1 < s.size()
                   && s[i + 1] == u' ') {
            run.chop(1); // the blanks belong to the sign
            flush();
            out.push_back(sign(QString(c)));
            ++i;
        } else {
            run += c;
        }
    }
    flush();
    return out;
}

QString plain(const Written &written)
{
    static const QString raised = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString s;
    for (size_t i = 0; i < written.size(); ++i) {
        const Part &p = written[i];
        switch (p.kind) {
        case Part::Text:
        case Part::Variable:
            s += p.text;
            break;
        case Part::Sign:
            s += u' ' + p.text + u' ';
            break;
        case Part::Fraction:
            s += p.text + u'/' + p.below;
            // "1/2 x", not "1/2x", which reads as a half of 1/(2x)
            if (i + 1 < written.size()
                && (written[i + 1].kind == Part::Variable || written[i + 1].text.startsWith(u'(')))
                s += u' ';
            break;
        case Part::Power:
            for (QChar c : p.text)
                s += c.isDigit() ? raised[c.digitValue()] : c;
            break;
        }
    }
    return s;
}

QString number(Rational r)
{
    if (r < 0)
        return QStringLiteral("−") + number(-r);
    if (r.d == 1)
        return QString::number(r.n);
    return QStringLiteral("%1/%2").arg(r.n).arg(r.d);
}

Written rightSide(const Quadratic &y)
{
    Written out;
    if (y.a != 0) {
        // Around the vertex: ½(x − p)² + q, with p where the triangle's corner is.
        const Rational p = -y.b / (2 * y.a);
        const Rational q = y.c - y.b * y.b / (4 * y.a);
        out = coefficient(y.a);
        if (p == 0) {
            out.push_back(x);
        } else {
            out.push_back(text(QStringLiteral("(")));
            out.push_back(x);
            appendTerm(out, -p);
            out.push_back(text(QStringLiteral(")")));
        }
        out.push_back({ Part::Power, QStringLiteral("2"), {} });
        appendTerm(out, q);
        return out;
    }
    if (y.b != 0) {
        out = coefficient(y.b);
        out.push_back(x);
        appendTerm(out, y.c);
        return out;
    }
    if (y.c < 0)
        out.push_back(text(QStringLiteral("−")));
    out.push_back(magnitude(y.c < 0 ? -y.c : y.c));
    return out;
}

Written condition(const Stretch &stretch)
{
    return written(QCoreApplication::translate("formulas", "%1 ≦ x ≦ %2 のとき")
                       .arg(number(stretch.from), number(stretch.to)));
}

Written equation(const Stretch &stretch)
{
    Written out { { Part::Variable, QStringLiteral("y"), {} }, sign(QStringLiteral("=")) };
    append(out, rightSide(stretch.y));
    return out;
}

Written statement(const Stretch &stretch)
{
    // The translation decides the order and what stands between the two.
    const QString form = QCoreApplication::translate("formulas", "%1 %2");
    Written out;
    qsizetype from = 0;
    for (qsizetype i = 0; i + 1 < form.size(); ++i) {
        if (form[i] != u'%' || (form[i + 1] != u'1' && form[i + 1] != u'2'))
            continue;
        if (i > from)
            append(out, written(form.mid(from, i - from)));
        append(out, form[i + 1] == u'1' ? condition(stretch) : equation(stretch));
        from = i + 2;
        ++i;
    }
    if (from < form.size())
        append(out, written(form.mid(from)));
    return out;
}

QString line(const Stretch &stretch)
{
    return plain(statement(stretch));
}

bool holds(const Stretch &stretch, Rational x)
{
    return stretch.from <= x && x <= stretch.to;
}

} // namespace formulas
