// The engine's entry point behind main(): options, the platform, start-up, the loop, the end.
#pragma once

#include "platform/platform.h"

// Runs the program with the given arguments. `window_backend` makes the real-window backend for a
// scale and full-screen choice (main() passes the SDL one; the engine itself never sees SDL).
// Returns the exit code.
int Engine_main(int argc, char** argv,
                const PlatformBackend* (*window_backend)(int scale, bool fullscreen, bool reverb));
