#include "core/numtext.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace numtext {

QString printed(double value)
{
    if (std::isnan(value))
        return QStringLiteral(" NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral(" Inf") : QStringLiteral("-Inf");

    const bool negative = std::signbit(value) && value != 0;
    const double magnitude = std::fabs(value);
    char buffer[64];
    std::to_chars_result result;
    // Plain decimals over the range a lesson can show; beyond it an exponent keeps the text short.
    if (magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e15))
        result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed);
    else
        result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                               std::chars_format::scientific);
    std::string digits(buffer, result.ptr);
    if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.')
        digits.erase(0, 1);
    for (char &c : digits) {
        if (c == 'e')
            c = 'E';
    }
    return QString::fromLatin1((negative ? "-" : " ") + digits);
}

double read(const QString &text)
{
    const QByteArray latin = text.toLatin1();
    const char *s = latin.constData();
    const qsizetype n = latin.size();
    qsizetype i = 0;
    while (i < n && (s[i] == ' ' || s[i] == '\t'))
        ++i;

    std::string number;
    if (i < n && (s[i] == '+' || s[i] == '-'))
        number += s[i++];
    bool anyDigit = false;
    bool point = false;
    for (; i < n; ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            number += s[i];
            anyDigit = true;
        } else if (s[i] == '.' && !point) {
            number += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return 0;

    // An exponent counts only when at least one digit follows its letter (and sign).
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < n && (s[j] == '+' || s[j] == '-'))
            exponent += s[j++];
        const qsizetype firstDigit = j;
        while (j < n && s[j] >= '0' && s[j] <= '9')
            exponent += s[j++];
        if (j > firstDigit)
            number += exponent;
    }

    const bool negative = number[0] == '-';
    const char *begin = number.data() + ((number[0] == '-' || number[0] == '+') ? 1 : 0);
    double value = 0;
    const auto [ptr, ec] = std::from_chars(begin, number.data() + number.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value untouched on range errors: tell overflow from underflow.
        const auto e = number.find('e');
        const bool hugeExponent = e != std::string::npos && number[e + 1] != '-';
        value = hugeExponent ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

namespace {

// Rounded half to even and held within the integer's range; NaN counts as 0.
template<typename Int> Int saturated(double value)
{
    if (std::isnan(value))
        return 0;
    const double r = roundHalfEven(value);
    if (r <= std::numeric_limits<Int>::min())
        return std::numeric_limits<Int>::min();
    if (r >= std::numeric_limits<Int>::max())
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(r);
}

} // namespace

std::int16_t toInt16(double value)
{
    return saturated<std::int16_t>(value);
}

std::int32_t toInt32(double value)
{
    return saturated<std::int32_t>(value);
}

} // namespace numtext
