// The script buffer and the first script.
#pragma once

// Reads ".\txt\config.txt" into the script buffer, sets the default text settings and starts the
// interpreter's stopwatch.
void Script_load_first();
