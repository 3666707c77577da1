// The sound commands: #play_wav, #stop_wav, #play_midi, #stop_midi, #play_mp3, #stop_mp3.
#pragma once

// #play_wav FLAG NAME: plays ".\wav\NAME" once (0) or looping (1). Any other flag is reported and
// the effect plays once.
void Com_play_wav();

// #stop_wav: stops the effect if one is marked as playing.
void Com_stop_wav();

// #play_midi NAME / #play_mp3 NAME: starts ".\MIDI\NAME" as looping music. Refused with a box
// while music plays (the name is passed over, so it is not shown as story text).
void Com_play_midi();
void Com_play_mp3();

// #stop_midi / #stop_mp3: stops the music if it plays and is of that kind.
void Com_stop_midi();
void Com_stop_mp3();
