// The engine's entry point behind main(): options, the platform, start-up, the loop, the end.
#pragma once

#include "platform/platform.h"

#include <string>

// Runs the program with the given arguments. `window_backend` makes the real-window backend for a
// scale and full-screen choice, and `window_libraries` names the versions of the libraries behind
// it, a line each, for --version (main() passes the SDL ones; the engine itself never sees SDL).
// Returns the exit code.
int Engine_main(int argc, char** argv,
                const PlatformBackend* (*window_backend)(int scale, bool fullscreen, bool reverb),
                std::string (*window_libraries)());
