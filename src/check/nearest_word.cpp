#include "check/nearest_word.h"

#include <algorithm>

namespace {

// Edit distance in which swapping two neighbouring bytes costs one edit (`g_laod` is one from
// `g_load`).
size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

} // namespace

std::string Nearest_word(const std::string& word, const std::vector<std::string>& known) {
    // Words far longer than any command are not worth comparing (and would cost a large table).
    if (word.empty() || word.size() > 64) return "";
    const size_t limit = word.size() <= 4 ? 1 : 2;
    std::string best;
    size_t best_distance = limit + 1;
    for (const std::string& k : known) {
        const size_t d = Distance(word, k);
        if (d < best_distance) {
            best_distance = d;
            best = k;
        }
    }
    return best;
}
