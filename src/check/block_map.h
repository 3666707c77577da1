// Where the engine's block skips would stop, for every starting byte of the script being walked,
// found in one pass over it: a deep nest of blocks costs each check a lookup, not a skip.
#pragma once

#include <cstdint>

// Maps the braces and slashes of the text the cursor walks (ScriptSource).
void Block_map_build();

// Where Skip_else_part started at `from` finds the `}` that closes the block, or -1 where it
// gives up (no such `}`, or one more than the skip's limit away).
int32_t Block_close(int32_t from);

// Where Skip_then_part started at `from` finds the `/` that ends the part, or -1 where it gives up.
int32_t Block_part_end(int32_t from);

// True if a `}` closes the block that starts at `from`, however far away.
bool Block_closes_at_all(int32_t from);
