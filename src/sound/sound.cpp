#include "sound/sound.h"

// Sound and music arrive with their own commands; until then nothing ever plays.
void Com_stop_midi() {}
void Com_stop_mp3() {}
void Com_stop_wav() {}
void Bgm_notify() {}
