// kotoyumi: plays the sound novel in a game folder.
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
    return Engine_main(argc, argv, Window_backend, Sdl_library_versions);
}
