#include "core/prediction.h"

#include "core/measures.h"

#include <QCoreApplication>
#include <bit>
#include <cmath>
#include <numeric>

namespace prediction {

namespace {

constexpr int maxDigits = 9;

// An input method gives full-width forms; the reader wants ASCII.
QChar narrowed(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E)
        return QChar(char16_t(u - 0xFEE0));
    if (u == 0x3000)
        return QLatin1Char(' ');
    if (u == 0x2212) // the minus sign
        return QLatin1Char('-');
    // A Japanese input method may give its full stop for the point.
    if (u == 0x3002 || u == 0xFF61)
        return QLatin1Char('.');
    return c;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// A decimal of at most nine digits as n / 10^places; moves `i` past it.
bool readDecimal(const QString &s, qsizetype &i, qint64 &n, int &places, Refusal &refusal)
{
    n = 0;
    places = 0;
    int digits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('.')) {
            if (point)
                break;
            point = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        if (++digits > maxDigits) {
            refusal = Refusal::TooLong;
            return false;
        }
        n = 10 * n + (c.unicode() - '0');
        places += point;
    }
    if (digits == 0) {
        refusal = Refusal::NotANumber;
        return false;
    }
    return true;
}

qint64 tenTo(int places)
{
    qint64 p = 1;
    while (places-- > 0)
        p *= 10;
    return p;
}

} // namespace

QString narrowed(const QString &typed)
{
    QString s;
    s.reserve(typed.size());
    for (QChar c : typed)
        s += narrowed(c);
    return s.trimmed();
}

Reading read(const QString &typed)
{
    QString s;
    s.reserve(typed.size());
    for (QChar c : typed)
        s += narrowed(c);
    qsizetype i = 0;
    qsizetype end = s.size();
    while (i < end && isBlank(s[i]))
        ++i;
    while (end > i && isBlank(s[end - 1]))
        --end;
    s.truncate(end);
    Reading r;
    if (i == end)
        return r;

    bool negative = false;
    if (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))
        negative = s[i++] == QLatin1Char('-');
    qint64 n1 = 0, n2 = 1;
    int p1 = 0, p2 = 0;
    if (!readDecimal(s, i, n1, p1, r.refusal))
        return r;
    qsizetype j = i;
    while (j < end && isBlank(s[j]))
        ++j;
    if (j < end && s[j] == QLatin1Char('/')) {
        ++j;
        while (j < end && isBlank(s[j]))
            ++j;
        i = j;
        if (!readDecimal(s, i, n2, p2, r.refusal))
            return r;
    }
    if (i != end) {
        r.refusal = Refusal::NotANumber;
        return r;
    }
    if (n2 == 0) {
        r.refusal = Refusal::DivisionByZero;
        return r;
    }
    // (n1 / 10^p1) / (n2 / 10^p2): each factor below 10^9, so the products fit in 64 bits.
    qint64 num = n1 * tenTo(p2);
    qint64 den = n2 * tenTo(p1);
    const qint64 g = std::gcd(num, den);
    num /= g;
    den /= g;
    r.value = { negative ? -num : num, den };
    r.refusal = Refusal::None;
    return r;
}

QString refusalText(Refusal refusal)
{
    switch (refusal) {
    case Refusal::None:
        return {};
    case Refusal::Empty:
        return QCoreApplication::translate("prediction", "ｙを入れてください");
    case Refusal::NotANumber:
        return QCoreApplication::translate("prediction", "数ではありません");
    case Refusal::DivisionByZero:
        return QCoreApplication::translate("prediction", "0ではわれません");
    case Refusal::TooLong:
        return QCoreApplication::translate("prediction", "けたが多すぎます");
    }
    return {};
}

QString shown(const Fraction &value)
{
    // A denominator of 2s and 5s ends as a decimal; keep it short enough for a table column.
    qint64 d = value.den;
    int twos = 0, fives = 0;
    while (d % 2 == 0) {
        d /= 2;
        ++twos;
    }
    while (d % 5 == 0) {
        d /= 5;
        ++fives;
    }
    const int places = std::max(twos, fives);
    if (d != 1 || places > 6)
        return QStringLiteral("%1/%2").arg(value.num).arg(value.den);
    const qint64 scale = tenTo(places);
    const qint64 scaled = value.num * (scale / value.den); // exact: den divides 10^places
    const qint64 whole = scaled / scale;
    const qint64 rest = std::llabs(scaled % scale);
    QString text = value.num < 0 && whole == 0 ? QStringLiteral("-0") : QString::number(whole);
    if (places > 0) {
        QString digits = QString::number(rest).rightJustified(places, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return text;
}

bool typedRight(const Fraction &typed, double y)
{
    // A binary double equals num / den only when den is a power of two; then y·den is exact.
    if (!std::isfinite(y) || typed.den <= 0 || !std::has_single_bit(quint64(typed.den)))
        return false;
    const double scaled = std::ldexp(y, std::countr_zero(quint64(typed.den)));
    if (std::abs(scaled) >= 9.0e18 || std::trunc(scaled) != scaled)
        return false;
    return qint64(scaled) == typed.num;
}

bool placedRight(double placed, double y)
{
    return std::abs(placed - y) <= 1;
}

double placedY(double row)
{
    if (!std::isfinite(row))
        return 0;
    const double halves = std::round(2 * (geometry::graphOriginY - row) / geometry::graphPxPerCm2);
    return std::clamp(halves / 2, 0.0, 60.0);
}

double rowOf(double y)
{
    return geometry::graphOriginY - geometry::graphPxPerCm2 * y;
}

int wholeXAt(double column)
{
    if (!std::isfinite(column))
        return 0;
    const double x = std::round((column - 35) / 30);
    if (x < 1 || x > 10 || std::abs(column - columnOf(x)) > 15)
        return 0;
    return int(x);
}

double columnOf(double x)
{
    return 30 * x + 35;
}

bool yShownAt(double x)
{
    return x == std::floor(x);
}

} // namespace prediction
