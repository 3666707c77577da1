// The sound libraries, SDL_mixer and the synthesiser, loaded only when the game first needs sound.
//
// A game that never sounds never loads them: with everything they bring along they are about half
// of the libraries a run would otherwise load at start-up (3.5 MB resident, and their loading and
// relocation on the main thread before the window). A game that sounds loads them on the thread
// that opens the audio device. Only src/platform/sdl/ includes this.
#pragma once

#include <SDL_mixer.h>
#include <fluidsynth.h>

// Every function of the two libraries the backend calls, under its own name.
#define KOTOYUMI_MIXER_FUNCTIONS(F)                                                                          \
    F(Mix_AllocateChannels)                                                                                  \
    F(Mix_ChannelFinished)                                                                                   \
    F(Mix_CloseAudio)                                                                                        \
    F(Mix_FreeChunk)                                                                                         \
    F(Mix_FreeMusic)                                                                                         \
    F(Mix_HaltChannel)                                                                                       \
    F(Mix_HaltMusic)                                                                                         \
    F(Mix_HookMusic)                                                                                         \
    F(Mix_HookMusicFinished)                                                                                 \
    F(Mix_Init)                                                                                              \
    F(Mix_Linked_Version)                                                                                    \
    F(Mix_LoadMUSType_RW)                                                                                    \
    F(Mix_OpenAudioDevice)                                                                                   \
    F(Mix_PlayChannel)                                                                                       \
    F(Mix_PlayMusic)                                                                                         \
    F(Mix_Playing)                                                                                           \
    F(Mix_QuickLoad_RAW)                                                                                     \
    F(Mix_Quit)                                                                                              \
    F(Mix_Volume)                                                                                            \
    F(Mix_VolumeMusic)

#define KOTOYUMI_SYNTH_FUNCTIONS(F)                                                                          \
    F(delete_fluid_player)                                                                                   \
    F(delete_fluid_settings)                                                                                 \
    F(delete_fluid_synth)                                                                                    \
    F(fluid_player_add_mem)                                                                                  \
    F(fluid_player_get_status)                                                                               \
    F(fluid_player_play)                                                                                     \
    F(fluid_player_set_loop)                                                                                 \
    F(fluid_set_log_function)                                                                                \
    F(fluid_settings_setint)                                                                                 \
    F(fluid_settings_setnum)                                                                                 \
    F(fluid_settings_setstr)                                                                                 \
    F(fluid_sfloader_set_callbacks)                                                                          \
    F(fluid_synth_add_sfloader)                                                                              \
    F(fluid_synth_all_sounds_off)                                                                            \
    F(fluid_synth_sfload)                                                                                    \
    F(fluid_synth_system_reset)                                                                              \
    F(fluid_synth_write_float)                                                                               \
    F(fluid_synth_write_s16)                                                                                 \
    F(fluid_version_str)                                                                                     \
    F(new_fluid_defsfloader)                                                                                 \
    F(new_fluid_player)                                                                                      \
    F(new_fluid_settings)                                                                                    \
    F(new_fluid_synth)

struct SoundLibraries {
#define KOTOYUMI_FIELD(name) decltype(&::name) name = nullptr;
    KOTOYUMI_MIXER_FUNCTIONS(KOTOYUMI_FIELD)
    KOTOYUMI_SYNTH_FUNCTIONS(KOTOYUMI_FIELD)
#undef KOTOYUMI_FIELD
};

// Loads the libraries the first time (on whichever thread calls first; a second caller meanwhile
// waits) and returns their functions, or nullptr, with the reason in `why` if given, when either
// library or one of its functions is missing. Later calls only return the first answer.
const SoundLibraries* Sound_libraries(const char** why = nullptr);

// What Sound_libraries() answered, for the calls made once it has: set before the audio device
// opens, so the main thread after that and the mixer's thread see it.
extern const SoundLibraries* SoundLib;
