// The eight save slots: their files ".\SAVE\data00.svd" .. "data07.svd", each the raw Save_stat
// record, and the one-line labels the save and load screens show.
#pragma once

#include <string>

#include "core/save_stat.h"

constexpr int SLOT_COUNT = 8;
constexpr int SLOT_LABEL_SIZE = 256;

// The slot's file name as scripts write paths: ".\SAVE\data%02d.svd".
std::string Slot_file_name(int slot);

// The slot's label: "data%02d  %d.%02d.%02d  %02d:%02d:%02d " from the file's local last-write
// time, or "data%02d  ----.--.--  --:--:-- " when there is no file. True if the file exists.
bool Slot_label(int slot, char (&label)[SLOT_LABEL_SIZE]);

// Writes Save_stat to the slot: to a temporary file in SAVE (made if missing), flushed and renamed
// over the old file, so a failure leaves the old save as it was. False with the reason (Japanese,
// UTF-8) in *reason.
bool Slot_write(int slot, std::string* reason);

enum class SlotRead { Ok, Missing, Refused };

// What the load screens learn before they ask: Ok when the slot's file can be opened, Missing when
// nothing is there, Refused with the reason when something is there that cannot be read.
SlotRead Slot_probe(int slot, std::string* reason);

// Reads the slot into *out and checks it (exactly 10904 bytes, then Snapshot_check); nothing live
// changes. Missing when there is no file; Refused with the reason in *reason.
SlotRead Slot_read(int slot, SaveStat* out, std::string* reason);
