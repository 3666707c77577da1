// The known word nearest to a misspelt one, for "did you mean" hints.
#pragma once

#include <string>
#include <vector>

// The word of `known` closest to `word` by edits (a letter added, dropped, changed, or two
// neighbours swapped), if it is close enough to be the word meant: at most one edit for words of
// up to four bytes, two for longer ones. Empty if none is.
std::string Nearest_word(const std::string& word, const std::vector<std::string>& known);
