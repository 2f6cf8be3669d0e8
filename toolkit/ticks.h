#pragma once

#include <QtGlobal>
#include <cstdint>

/// Time and the event loop, as the lesson's waits use them.
namespace ticks {

/// Milliseconds since the program started, from a monotonic clock (it never goes back and does
/// not wrap within any run of the program).
std::int64_t now();

/// Runs every pending window event to its end and returns.
void yieldEvents();

/// Blocks in the event loop, running events as they come, until `deadline` (a value of now())
/// has passed or `stop()` turns true. Uses no CPU while nothing happens.
void waitUntil(std::int64_t deadline, bool (*stop)(void *), void *context);

} // namespace ticks
