// The player's loudness: music and sound effects, each 0-100 in steps of 10, and a mute that
// silences both without forgetting the levels. Not story state: saves and resets leave it alone.
#pragma once

constexpr int VOLUME_STEP = 10;

struct VolumeLevels {
    int music = 100;
    int effects = 100;
    bool muted = false;
};

extern VolumeLevels Volume;

// Sets the levels (each clamped to 0-100) and hands them to the sound device.
void Volume_set(const VolumeLevels& levels);

// Moves the music or the effect level by `delta` (and ends a mute), or toggles the mute.
void Volume_change_music(int delta);
void Volume_change_effects(int delta);
void Volume_toggle_mute();
