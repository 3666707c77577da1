#include "core/word_list.h"

int Word_position(std::string_view words, std::string_view word) {
    if (word.empty()) return -1;
    int index = 0;
    for (;;) {
        const size_t bar = words.find('|');
        if (words.substr(0, bar) == word) return index;
        if (bar == std::string_view::npos) return -1;
        words.remove_prefix(bar + 1);
        ++index;
    }
}
