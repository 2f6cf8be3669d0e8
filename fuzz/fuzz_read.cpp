// Any text typed into a box must read as a number without crashing, and reading must not
// depend on what follows the first character that does not fit.
#include "core/numtext.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const double value = numtext::read(text);
    if (std::isnan(value))
        std::abort();
    // A pause of five times the number always fits the wait's 32-bit count.
    const std::int32_t ms = numtext::toInt32(5 * value);
    (void)ms;
    // Appending a character that cannot continue a number changes nothing.
    if (numtext::read(text + QLatin1Char('x')) != value)
        std::abort();
    return 0;
}
