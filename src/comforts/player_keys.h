// The player's comfort keys and the wheel, looked at before the story's own input:
//
//   Ctrl (held) / S   skip            A        auto-advance      + / -   auto pace
//   wheel up, PageUp  the backlog     M        mute              F2 / F3 music quieter / louder
//   F12               a screenshot                               F4 / F5 effects quieter / louder
//   Shift+R           the scripts read again (comforts/reload.h)
//   F1                the settings screen                        H, middle button: the picture alone
#pragma once

#include "platform/platform.h"

// Carries out the comfort that `event` asks for; true if it was one (the story does not see it).
bool Player_comfort_input(const PlatformEvent& event);
