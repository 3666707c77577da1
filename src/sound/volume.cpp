#include "sound/volume.h"

#include <algorithm>

#include "platform/platform.h"

VolumeLevels Volume;

void Volume_set(const VolumeLevels& levels) {
    Volume.music = std::clamp(levels.music, 0, 100);
    Volume.effects = std::clamp(levels.effects, 0, 100);
    Volume.muted = levels.muted;
    Platform_audio_volume(Volume.muted ? 0 : Volume.music, Volume.muted ? 0 : Volume.effects);
}

void Volume_change_music(int delta) {
    Volume_set(VolumeLevels{Volume.music + delta, Volume.effects, false});
}

void Volume_change_effects(int delta) {
    Volume_set(VolumeLevels{Volume.music, Volume.effects + delta, false});
}

void Volume_toggle_mute() {
    Volume_set(VolumeLevels{Volume.music, Volume.effects, !Volume.muted});
}
