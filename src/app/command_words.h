// The table of the 48 `#` command words and their handlers, in their fixed order.
#pragma once

#include <cstddef>

#include "script/command_dispatch.h"

constexpr size_t COMMAND_WORD_COUNT = 48;
extern const CommandEntry CommandWords[COMMAND_WORD_COUNT];
