#include "core/stopwatch.h"

#include "platform/platform.h"

namespace {
bool hurried = false;
StopwatchWatch watched;
} // namespace

void Stopwatch_hurry(bool on) {
    hurried = on;
}

void Stopwatch_start(Stopwatch* watch) {
    *watch = Platform_time_ms();
}

bool Stopwatch_elapsed(Stopwatch start, uint32_t period) {
    // The sum wraps on purpose: the engine's timings have always been read this way, and a
    // "negative" period therefore counts as already passed.
    const uint32_t now = Platform_time_ms(), due = static_cast<uint32_t>(start + period);
    if (hurried || now >= due) {
        watched.elapsed = true;
        return true;
    }
    // Compared as distances from now, which also holds across the clock's wrap.
    if (!watched.pending || due - now < watched.due - now) watched.due = due;
    watched.pending = true;
    return false;
}

void Stopwatch_watch_begin() {
    watched = StopwatchWatch{};
}

StopwatchWatch Stopwatch_watched() {
    return watched;
}
