// Start-up of the engine.
#pragma once

// Hands the lower layers what they reach through seams: the module table (resets and the stops of
// System_exit), the command words, the dialogs drawn in the window, what
// those dialogs reach of the window (its picture and its handler) and the save point. Runs once
// before anything else; System_reset can follow at any time.
void System_wire();

// The headless runner's wiring, after System_wire: boxes and the name prompt answered (and logged)
// by its scenario instead of shown, and the run log written to its log.
void System_wire_runner();

// The start-up sequence, once the window is shown: the three surfaces and their pictures, the
// shake offsets, the background onto BackBuffer, the mouse record, the first script, the initial
// switches (stepping and the system menu on) and a first save point.
void System_init();
