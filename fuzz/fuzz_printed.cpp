// Every number printed on a panel reads back as the same number, with one leading blank or
// minus and no zero before the point.
#include "core/numtext.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < sizeof(double))
        return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    if (!std::isfinite(value))
        return 0;
    const QString text = numtext::printed(value);
    if (text.isEmpty() || (text[0] != QLatin1Char(' ') && text[0] != QLatin1Char('-')))
        std::abort();
    if (text.startsWith(QLatin1String(" 0.")) || text.startsWith(QLatin1String("-0.")))
        std::abort();
    const double back = numtext::read(text);
    if (back != value && !(back == 0 && value == 0))
        std::abort();
    return 0;
}
