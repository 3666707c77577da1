// Loading a save, the steps the load screen and the title menu's load screen share.
#pragma once

#include <string>

#include "system/slot_files.h"

// Returns the story to `record` (already checked) as a load does: stops the MIDI music, the MP3
// music and the effect, runs `close_screen` (if given), makes `record` the snapshot, restores it,
// sets SystemMenuState to 106 (music restart) with wait_on 0, and begins a backlog page there.
void Load_record(const SaveStat& record, void (*close_screen)() = nullptr);

// Rollback: returns the story to the start of backlog page `index` (Backlog_pages(), or its size
// for the current page) by Load_record, dropping that page and every later one from the backlog.
// False, changing nothing, when no start record was kept for it.
bool Load_page_start(size_t index);

// Reads and checks the slot first; a missing or refused slot changes nothing (the music plays on).
// Otherwise stops the MIDI music, the MP3 music and the effect, runs `close_screen` (if given),
// restores the snapshot and sets SystemMenuState to 106 (music restart) with wait_on 0.
SlotRead Load_game(int slot, std::string* reason, void (*close_screen)() = nullptr);

// The first answer of a load screen to a click on `slot`: true if its file can be read; otherwise
// shows "セーブデータがありません" (nothing there) or why it cannot be read, under `caption`, and false.
bool Load_game_can_try(int slot, const char* caption);

// Shows the box that refuses `slot`: its label and `reason`, under `caption`.
void Load_game_refused(int slot, const std::string& reason, const char* caption);
