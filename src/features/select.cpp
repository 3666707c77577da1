#include "features/select.h"

// Choices arrive with the story-logic commands.
void Select_task() {}
