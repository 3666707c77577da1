// Save points: where the story refills its save snapshot.
//
// The snapshot belongs to the save layer, which hands its procedure over at start-up; until then a
// save point does nothing.
#pragma once

// The procedure that refills the snapshot from the live state.
void Save_point_set(void (*take)());

// Takes a save point now (start-up, `save_point`, `sp`).
void Save_point();

// Takes a save point if save_point_mode is AUTO (a page clear, the end of a fade).
void Save_point_auto();
