#include "script/script_file.h"

// The script buffer arrives with the script engine.
void Script_load_first() {}
