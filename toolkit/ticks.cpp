#include "toolkit/ticks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace ticks {

namespace {
const QElapsedTimer &clock()
{
    static const QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}
} // namespace

std::int64_t now()
{
    return clock().elapsed();
}

void yieldEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void waitUntil(std::int64_t deadline, bool (*stop)(void *), void *context)
{
    // A precise timer wakes the loop at the deadline; any other event wakes it earlier, and the
    // deadline and the stop condition are checked again after each wake-up.
    QTimer wake;
    wake.setTimerType(Qt::PreciseTimer);
    wake.setSingleShot(true);
    wake.callOnTimeout([] {});
    while (!(stop && stop(context))) {
        const std::int64_t left = deadline - now();
        if (left <= 0)
            break;
        wake.start(static_cast<int>(std::min<std::int64_t>(left, 1'000'000)));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

} // namespace ticks
