#include "check/block_map.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "core/sjis.h"
#include "script/parsers.h"
#include "script/script_file.h"

namespace {

// The depth before each byte: the `{` before it less the `}` before it, each counted as the skips
// count them (not the second byte of a two-byte character).
std::vector<int32_t> depth;
// By depth: where the `}` that lower the depth to it stand, and the `/` that stand at it.
std::unordered_map<int32_t, std::vector<int32_t>> closes, slashes;

// The first of `at` (sorted) from `from` on, within the skip's limit of it; -1 if none.
int32_t First_from(const std::unordered_map<int32_t, std::vector<int32_t>>& by_depth, int32_t d, int32_t from,
                   int64_t limit) {
    const auto found = by_depth.find(d);
    if (found == by_depth.end()) return -1;
    const std::vector<int32_t>& at = found->second;
    const auto next = std::lower_bound(at.begin(), at.end(), from);
    return next != at.end() && *next - int64_t(from) <= limit ? *next : -1;
}

bool Valid(int32_t from) {
    return from >= 0 && size_t(from) < depth.size();
}

} // namespace

void Block_map_build() {
    const uint8_t* text = ScriptSource.base;
    const int32_t length = ScriptSource.length;
    depth.assign(size_t(length) + 1, 0);
    closes.clear();
    slashes.clear();
    int32_t d = 0;
    for (int32_t at = 0; at < length; ++at) {
        depth[size_t(at)] = d;
        if (at > 0 && Sjis_is_lead(text[at - 1])) continue;
        if (text[at] == '/') slashes[d].push_back(at);
        if (text[at] == '{') ++d;
        if (text[at] == '}') closes[--d].push_back(at);
    }
    depth[size_t(length)] = d;
}

int32_t Block_close(int32_t from) {
    return Valid(from) ? First_from(closes, depth[size_t(from)] - 1, from, SKIP_LIMIT) : -1;
}

int32_t Block_part_end(int32_t from) {
    return Valid(from) ? First_from(slashes, depth[size_t(from)], from, SKIP_LIMIT) : -1;
}

bool Block_closes_at_all(int32_t from) {
    return Valid(from) && First_from(closes, depth[size_t(from)] - 1, from, INT32_MAX) >= 0;
}
