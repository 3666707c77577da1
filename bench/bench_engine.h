// The benchmarks' engine: the headless backend with its window open and every seam wired, reset
// to start-up, as the runner has it before a game is read.
#pragma once

#include "app/system.h"
#include "core/lifecycle.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"

inline void Bench_start_engine() {
    Headless_reset();
    Platform_use_backend(Headless_backend());
    Platform_open_window("bench");
    System_wire(); // so that System_reset reaches every module, the frame stopwatch included
    System_wire_runner();
    System_reset();
}
