// kotoyumi: plays the sound novel in a game folder.
#include <malloc.h>

#include "app/engine_main.h"
#include "platform/sdl/sdl_backend.h"

namespace {

const PlatformBackend* Window_backend(int scale, bool fullscreen, bool reverb) {
    SdlOptions options;
    options.scale = scale;
    options.fullscreen = fullscreen;
    options.reverb = reverb;
    return Sdl_backend(options);
}

} // namespace

int main(int argc, char** argv) {
    // The engine's other threads (the font start, the sound device's opening, the mixer) allocate
    // little and seldom at the same moment as the main thread; an arena of their own each would
    // hold about 1 MB of slack while music plays.
    mallopt(M_ARENA_MAX, 1);
    return Engine_main(argc, argv, Window_backend, Sdl_library_versions);
}
