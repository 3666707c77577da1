// Sound effects and background music.
#pragma once

// Stops the MIDI music if it plays.
void Com_stop_midi();
// Stops the MP3 music if it plays.
void Com_stop_mp3();
// Stops the sound effect if one is marked as playing.
void Com_stop_wav();
// The end-of-play notification: restarts looping music from its start, or forgets stopped music.
void Bgm_notify();
