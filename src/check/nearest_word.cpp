#include "check/nearest_word.h"

#include <algorithm>
#include <cstdint>

namespace {

// Words far longer than any command or label are not worth comparing.
constexpr size_t LONGEST = 64;
// Known words compared on each side of the misspelt one in each sorted order.
constexpr size_t NEIGHBOURS = 32;

std::string Reversed(std::string word) {
    std::reverse(word.begin(), word.end());
    return word;
}

// The edit distance from `a` to `b` (swapping two neighbouring bytes costs one edit, so `g_laod` is
// one from `g_load`) if it is at most `limit`, else limit + 1. Only the cells within `limit` of the
// diagonal can stay within it, and a row whose cells all exceed it ends the comparison.
size_t Distance(const std::string& a, const std::string& b, size_t limit) {
    const size_t n = a.size(), m = b.size();
    if ((n > m ? n - m : m - n) > limit) return limit + 1;
    const size_t far = limit + 1;
    size_t rows[3][LONGEST + 1];
    size_t *before = rows[0], *last = rows[1], *row = rows[2];
    for (size_t j = 0; j <= m; ++j)
        last[j] = std::min(j, far);
    for (size_t i = 1; i <= n; ++i) {
        const size_t from = i > limit ? i - limit : 1, to = std::min(m, i + limit);
        row[0] = std::min(i, far);
        if (from > 1) row[from - 1] = far;
        size_t least = row[0];
        for (size_t j = from; j <= to; ++j) {
            const size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            size_t d = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d = std::min(d, before[j - 2] + 1);
            row[j] = std::min(d, far);
            least = std::min(least, row[j]);
        }
        if (to < m) row[to + 1] = far;
        if (least > limit) return far;
        std::swap(before, last);
        std::swap(last, row);
    }
    return last[m];
}

// The words of `sorted` around where `key` would stand in it.
std::pair<size_t, size_t> Around(const std::vector<std::string>& sorted, const std::string& key) {
    const size_t at = size_t(std::lower_bound(sorted.begin(), sorted.end(), key) - sorted.begin());
    return {at > NEIGHBOURS ? at - NEIGHBOURS : 0, std::min(sorted.size(), at + NEIGHBOURS)};
}

} // namespace

WordIndex Word_index(const std::vector<std::string>& known) {
    WordIndex index;
    for (const std::string& k : known) {
        if (k.size() > LONGEST) continue;
        index.forward.push_back(k);
        index.backward.push_back(Reversed(k));
    }
    std::sort(index.forward.begin(), index.forward.end());
    std::sort(index.backward.begin(), index.backward.end());
    return index;
}

std::string Nearest_word(const std::string& word, const WordIndex& index) {
    if (word.empty() || word.size() > LONGEST) return "";
    const size_t limit = word.size() <= 4 ? 1 : 2;
    std::string best;
    size_t best_distance = limit + 1;
    // Reversing both words keeps their distance. A word a few edits away keeps its beginning or
    // its end, and so sorts near the misspelt word one way or the other.
    for (const bool from_end : {false, true}) {
        const std::vector<std::string>& sorted = from_end ? index.backward : index.forward;
        const std::string key = from_end ? Reversed(word) : word;
        const auto [first, end] = Around(sorted, key);
        for (size_t i = first; i < end; ++i) {
            const size_t n = sorted[i].size();
            if (n + limit < key.size() || n > key.size() + limit) continue;
            const size_t d = Distance(key, sorted[i], limit);
            if (d > best_distance) continue;
            const std::string known = from_end ? Reversed(sorted[i]) : sorted[i];
            if (d < best_distance || known < best) {
                best_distance = d;
                best = known;
            }
        }
    }
    return best;
}
