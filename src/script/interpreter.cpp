#include "script/interpreter.h"

// The interpreter arrives with the script engine; until then its tasks have nothing to do.
void Text_task() {}
void Delay_task() {}
void Wait_task() {}
void Halt_task() {}
void Page_wait_task() {}
void Wait_click() {}
void Page_wait_click() {}
