// Lists of script words written once as "A|B|C": the command that reads the word and the checker
// that judges it share the same list.
#pragma once

#include <string_view>

// The position of `word` in the |-separated list `words` (0 for the first), or -1 when it is not in
// it (an empty word never is).
int Word_position(std::string_view words, std::string_view word);
