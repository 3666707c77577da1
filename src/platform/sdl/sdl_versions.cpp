// The versions of the libraries behind the window, the sound and the music, as loaded at run time
// (not the headers the engine was built with), for --version.
#include <SDL.h>
#include <SDL_mixer.h>
#include <fluidsynth.h>

#include "platform/sdl/sdl_backend.h"

std::string Sdl_library_versions() {
    SDL_version sdl;
    SDL_GetVersion(&sdl);
    const SDL_version* mixer = Mix_Linked_Version();
    auto dotted = [](const SDL_version& v) {
        return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.patch);
    };
    return "SDL " + dotted(sdl) + "\nSDL_mixer " + dotted(*mixer) + "\nFluidSynth " + fluid_version_str() +
           "\n";
}
