// State 106: the music restart after a load.
#pragma once

// Restarts the music and the looping effect the loaded save recorded, then ends the state.
void System_load_begin_BGM();
