// Anything typed into a prediction box is read, or refused, without crashing or stalling; what is
// read is exact, reduced, and compares with the lesson's y without overflowing.
#include "core/prediction.h"

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <numeric>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const prediction::Reading r = prediction::read(text);
    if (!r.ok()) {
        if (prediction::refusalText(r.refusal).isEmpty() && r.refusal != prediction::Refusal::None)
            std::abort();
        return 0;
    }
    const prediction::Fraction v = r.value;
    if (v.den <= 0 || std::gcd(v.num, v.den) != 1)
        std::abort();
    // Shown and read back, a value is itself again.
    const prediction::Reading again = prediction::read(prediction::shown(v));
    if (again.ok() && !(again.value == v))
        std::abort();
    // Blanks around change nothing.
    const prediction::Reading padded
        = prediction::read(QStringLiteral(" ") + text + QStringLiteral("　"));
    if (!padded.ok() || !(padded.value == v))
        std::abort();
    for (double y : { 0.0, 0.5, 3.125, 26.0, 60.0 })
        (void)prediction::typedRight(v, y);
    return 0;
}
