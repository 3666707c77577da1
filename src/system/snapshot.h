// Save points and the restore: the snapshot is refilled from the live state at every save point,
// and a loaded snapshot rebuilds the live state.
#pragma once

#include <string>

#include "core/save_stat.h"

// The snapshot the last save point left; what a save writes and a load fills.
extern SaveStat Save_stat;

// The save point: refills Save_stat from the live state, each module that owns saved state writing
// its part (script position, picture names, playing music and looping effect, text settings,
// Game_stat whole, timers checkpointed).
void Snapshot_take();

// Checks a record read from a slot file before anything live is touched: every text terminated
// within its field, the script readable and no larger than the script buffer, the offset inside
// that script. False with the reason (Japanese, UTF-8) in *reason.
bool Snapshot_check(const SaveStat& record, std::string* reason);

// Rebuilds the live state from Save_stat (already checked), each module that owns saved state
// restoring its part: the script and its cursor, the three surfaces repainted and reloaded, the
// text settings with the cursor at the area's top-left, Game_stat, the timers resumed, the window
// title. A transition, shake or fade the record says was running is finished at once. Music and
// the effect are left to state 106.
void Snapshot_restore();

// Start-up state: the snapshot all zeros.
void Snapshot_reset();
