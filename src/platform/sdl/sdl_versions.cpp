// The versions of the libraries behind the window, the sound and the music, as loaded at run time
// (not the headers the engine was built with), for --version.
#include <SDL.h>

#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sound_libraries.h"

std::string Sdl_library_versions() {
    SDL_version sdl;
    SDL_GetVersion(&sdl);
    auto dotted = [](const SDL_version& v) {
        return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.patch);
    };
    const std::string sdl_line = "SDL " + dotted(sdl) + "\n";
    const char* why = "";
    if (Sound_libraries(&why) == nullptr)
        return sdl_line + "SDL_mixer and FluidSynth: not loaded (" + why + ")\n";
    return sdl_line + "SDL_mixer " + dotted(*SoundLib->Mix_Linked_Version()) + "\nFluidSynth " +
           SoundLib->fluid_version_str() + "\n";
}
