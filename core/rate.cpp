#include "core/rate.h"

#include <QCoreApplication>
#include <algorithm>

namespace rate {

namespace {

Rational atHalves(int halves)
{
    return Rational(halves, 2);
}

// The stretches that the open interval (x₁, x₂) runs through; a stretch it only touches at an
// end does not count, since its formula says nothing about how y grows inside.
std::vector<formulas::Stretch> stretchesMet(const Columns &columns, const Interval &interval)
{
    const Rational x1 = atHalves(interval.fromHalves), x2 = atHalves(interval.toHalves);
    std::vector<formulas::Stretch> met;
    for (const formulas::Stretch &s : formulas::stretches(columns)) {
        if (s.from < x2 && x1 < s.to)
            met.push_back(s);
    }
    return met;
}

// Splits a translated form at %1, %2, … and sets each piece of text as written mathematics.
formulas::Written filled(const QString &form, const std::vector<formulas::Written> &args)
{
    formulas::Written out;
    const auto append = [&out](const formulas::Written &more) {
        out.insert(out.end(), more.begin(), more.end());
    };
    qsizetype from = 0;
    for (qsizetype i = 0; i + 1 < form.size(); ++i) {
        const int k = form[i] == u'%' ? form[i + 1].digitValue() - 1 : -1;
        if (k < 0 || k >= int(args.size()))
            continue;
        if (i > from)
            append(formulas::written(form.mid(from, i - from)));
        append(args[k]);
        from = i + 2;
        ++i;
    }
    if (from < form.size())
        append(formulas::written(form.mid(from)));
    return out;
}

formulas::Written textPart(const QString &s)
{
    return { { formulas::Part::Text, s, {} } };
}

} // namespace

Rational yAt(const Columns &columns, int halves)
{
    const Rational x = atHalves(std::clamp(halves, 0, 20));
    for (const formulas::Stretch &s : formulas::stretches(columns)) {
        if (formulas::holds(s, x))
            return s.y.at(x);
    }
    return 0;
}

std::optional<Interval> interval(const Columns &columns, int fromHalves, int toHalves)
{
    if (fromHalves < 0 || toHalves > 20 || fromHalves >= toHalves)
        return std::nullopt;
    Interval i;
    i.fromHalves = fromHalves;
    i.toHalves = toHalves;
    i.dx = Rational(toHalves - fromHalves, 2);
    i.dy = yAt(columns, toHalves) - yAt(columns, fromHalves);
    i.rate = i.dy / i.dx;
    return i;
}

QString decimal(Rational r)
{
    if (r < 0)
        return QStringLiteral("−") + decimal(-r);
    // A finite decimal needs a denominator of 2s and 5s only; scale it up to a power of ten.
    long long d = r.d, twos = 0, fives = 0;
    while (d % 2 == 0) {
        d /= 2;
        ++twos;
    }
    while (d % 5 == 0) {
        d /= 5;
        ++fives;
    }
    if (d != 1 || std::max(twos, fives) > 15)
        return formulas::number(r);
    long long n = r.n;
    for (long long k = twos; k < fives; ++k)
        n *= 2;
    for (long long k = fives; k < twos; ++k)
        n *= 5;
    const int places = int(std::max(twos, fives));
    QString digits = QString::number(n).rightJustified(places + 1, u'0');
    if (places > 0)
        digits.insert(digits.size() - places, u'.');
    return digits;
}

QString increase(Rational r)
{
    return r < 0 ? decimal(r) : u'+' + decimal(r);
}

formulas::Written line(const Interval &interval)
{
    const Rational r = interval.rate;
    formulas::Written rateParts;
    if (r.d == 1) {
        rateParts = textPart(formulas::number(r));
    } else {
        if (r < 0)
            rateParts = textPart(QStringLiteral("−"));
        rateParts.push_back({ formulas::Part::Fraction, QString::number(r.n < 0 ? -r.n : r.n),
                              QString::number(r.d) });
    }
    //: the rate of change = increase of y ÷ increase of x = the rate (whole or a fraction)
    return filled(QCoreApplication::translate("rate", "変化の割合 = %1 ÷ %2 = %3"),
                  { textPart(decimal(interval.dy)), textPart(decimal(interval.dx)), rateParts });
}

QString lineText(const Interval &interval)
{
    return formulas::plain(line(interval));
}

QString increases(const Interval &interval)
{
    //: beside the worksheet's answer: the increase of x, then of y
    return QCoreApplication::translate("rate", "x の増加量 %1、y の増加量 %2")
        .arg(decimal(interval.dx), decimal(interval.dy));
}

QString question(const Interval &interval)
{
    //: the worksheet's question; x runs from the first number to the second
    return QCoreApplication::translate("rate",
                                       "x が %1 から %2 まで増加するときの変化の割合を求めなさい")
        .arg(decimal(atHalves(interval.fromHalves)), decimal(atHalves(interval.toHalves)));
}

Kind kind(const Columns &columns, const Interval &interval)
{
    const std::vector<formulas::Stretch> met = stretchesMet(columns, interval);
    if (met.size() != 1)
        return Kind::Several;
    return met.front().y.a == 0 ? Kind::Straight : Kind::Curved;
}

QString sentence(const Columns &columns, const Interval &interval)
{
    switch (kind(columns, interval)) {
    case Kind::Straight:
        if (interval.rate == 0)
            //: over a stretch where nothing of the figure crosses side AB
            return QCoreApplication::translate("rate",
                                               "x が増えても y は増えない（辺ABを通る図形がない）");
        //: over a straight stretch; the number is both the rate and the height at AB
        return QCoreApplication::translate(
                   "rate",
                   "x が 1 cm 増えるごとに y は %1 cm² 増える（辺ABを通る図形の高さ %1 cm）")
            .arg(decimal(interval.rate));
    case Kind::Curved:
        //: over the stretch where a triangle crosses side AB (y = ax² + …)
        return QCoreApplication::translate(
            "rate",
            "変化の割合は一定ではない。辺ABを通る図形が高くなるので、y の増え方も大きくなる");
    case Kind::Several:
        break;
    }
    //: over an interval where the formula for y changes
    return QCoreApplication::translate(
        "rate", "変化の割合はこの間の平均。途中で辺ABを通る図形の高さが変わる");
}

std::vector<std::vector<QPointF>> strip(const Columns &columns, const Interval &interval)
{
    const double x1 = interval.fromHalves / 2.0, x2 = interval.toHalves / 2.0;
    std::vector<std::vector<QPointF>> out;
    for (int k = 0; k < 5; ++k) {
        const double code = columns[k];
        if (code == 1 || code == 2 || code == 3) {
            const double a = std::max(2.0 * k, x1), b = std::min(2.0 * k + 2, x2);
            const double h = 2 * code;
            if (a < b)
                out.push_back({ { a, 0 }, { b, 0 }, { b, h }, { a, h } });
        } else if (code == 4) {
            // The triangle rises 1 cm per cm from its tip; the figure ends at 10 cm.
            const double tip = 2.0 * k;
            const double a = std::max(tip, x1), b = std::min({ tip + 6, 10.0, x2 });
            if (a >= b)
                continue;
            std::vector<QPointF> cut { { a, 0 }, { b, 0 }, { b, b - tip } };
            if (a > tip)
                cut.push_back({ a, a - tip });
            out.push_back(std::move(cut));
        }
    }
    return out;
}

} // namespace rate
