// The known word nearest to a misspelt one, for "did you mean" hints.
#pragma once

#include <string>
#include <vector>

// Known words sorted for the search: as written, and read from their ends.
struct WordIndex {
    std::vector<std::string> forward, backward; // `backward` holds each word reversed
};

// The index of `known`.
WordIndex Word_index(const std::vector<std::string>& known);

// The word of `index` closest to `word` by edits (a letter added, dropped, changed, or two
// neighbours swapped), if it is close enough to be the word meant: at most one edit for words of
// up to four bytes, two for longer ones. Empty if none is. Among many known words only those that
// share the longest beginnings or endings with `word` are compared, so each search costs the same
// however many words there are.
std::string Nearest_word(const std::string& word, const WordIndex& index);
