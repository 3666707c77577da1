#include "features/key_wait.h"

// The key wait arrives with the story-logic commands.
void Key_wait_task() {}
