#include "platform/sdl/sound_libraries.h"

#include <dlfcn.h>

#include <mutex>
#include <string>

namespace {

const char* const MIXER_LIBRARY = "libSDL2_mixer-2.0.so.0";
const char* const SYNTH_LIBRARY = "libfluidsynth.so.3";

SoundLibraries loaded;
std::string problem;
std::once_flag once;

// Sets `slot` to the function `name` of `library`; false, saying which is missing, if it is not there.
template <typename Function>
bool Find(void* library, const char* library_name, const char* name, Function* slot) {
    void* found = dlsym(library, name);
    if (found == nullptr) {
        problem = std::string(name) + " is not in " + library_name;
        return false;
    }
    *slot = reinterpret_cast<Function>(found);
    return true;
}

void Load() {
    // Kept loaded for the rest of the run: the mixer's threads and hooks run their code.
    void* mixer = dlopen(MIXER_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    void* synth = mixer != nullptr ? dlopen(SYNTH_LIBRARY, RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (mixer == nullptr || synth == nullptr) {
        const char* error = dlerror();
        problem = error != nullptr ? error : "cannot load the sound libraries";
        return;
    }
#define KOTOYUMI_FIND_IN_MIXER(name) Find(mixer, MIXER_LIBRARY, #name, &loaded.name)&&
#define KOTOYUMI_FIND_IN_SYNTH(name) Find(synth, SYNTH_LIBRARY, #name, &loaded.name)&&
    const bool all = KOTOYUMI_MIXER_FUNCTIONS(KOTOYUMI_FIND_IN_MIXER)
        KOTOYUMI_SYNTH_FUNCTIONS(KOTOYUMI_FIND_IN_SYNTH) true;
#undef KOTOYUMI_FIND_IN_MIXER
#undef KOTOYUMI_FIND_IN_SYNTH
    if (all) SoundLib = &loaded;
}

} // namespace

const SoundLibraries* SoundLib = nullptr;

const SoundLibraries* Sound_libraries(const char** why) {
    std::call_once(once, Load);
    if (SoundLib == nullptr && why != nullptr) *why = problem.c_str();
    return SoundLib;
}
