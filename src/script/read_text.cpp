#include "script/read_text.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "core/game_stat.h"
#include "script/script_file.h"

namespace {

constexpr char MAGIC[] = "KYREAD1\n";
constexpr size_t MAGIC_SIZE = sizeof MAGIC - 1;
constexpr int32_t BYTES_PER_BIT = 3;
constexpr uint8_t FORM_LIST = 0;
constexpr uint8_t FORM_BITMAP = 1;

struct ScriptRecord {
    uint32_t length = 0;
    std::vector<uint32_t> starts; // sorted offsets of the runs read
    bool coarse = false;          // read back from a bitmap: some offsets stand for their group of three
};

// Keyed by the script's name, a NUL and its hash (8 bytes, little-endian).
std::map<std::string, ScriptRecord> records;
std::string current_key;
ScriptRecord* current = nullptr;

bool in_run = false;
int32_t run_start = 0;
bool run_recorded = false; // the run lies in the script buffer, not in a string variable
bool run_read = true;
bool run_drew = false;
bool unread_reached = false;
bool changed = false;

// Tells one version of a script from another. Eight bytes a step (a script is hashed each time it is
// read, up to 1 MiB: byte by byte that cost a millisecond), the rotation carrying every bit into
// the low ones of later steps, and a final mix so that nearby scripts give far-apart keys.
uint64_t Hash(const uint8_t* bytes, size_t n) {
    constexpr uint64_t K = 0x9E3779B97F4A7C15ull;
    uint64_t h = n * K;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        std::memcpy(&w, bytes + i, 8);
        h = ((h << 23 | h >> 41) ^ w) * K;
    }
    uint64_t tail = 0;
    std::memcpy(&tail, bytes + i, n - i);
    h = ((h << 23 | h >> 41) ^ tail) * K;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return h;
}

void Put_u(std::string* out, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out->push_back(char((v >> (8 * i)) & 0xFF));
}

void Put_varint(std::string* out, uint32_t v) {
    for (; v >= 0x80; v >>= 7)
        out->push_back(char(0x80 | (v & 0x7F)));
    out->push_back(char(v));
}

// Reads the bytes of a record in order; any read past the end fails the whole reading.
struct Reader {
    const std::string& bytes;
    size_t at = 0;
    bool ok = true;
    uint64_t U(int n) {
        if (bytes.size() - at < size_t(n)) return ok = false, 0;
        uint64_t v = 0;
        for (int i = 0; i < n; ++i)
            v |= uint64_t(uint8_t(bytes[at++])) << (8 * i);
        return v;
    }
    uint32_t Varint() {
        uint64_t v = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            const uint64_t b = U(1);
            v |= (b & 0x7F) << shift;
            if (!ok || !(b & 0x80)) return v > UINT32_MAX ? (ok = false, 0) : uint32_t(v);
        }
        return ok = false, 0;
    }
};

std::string List_form(const ScriptRecord& r) {
    std::string out;
    Put_varint(&out, uint32_t(r.starts.size()));
    uint32_t last = 0;
    for (uint32_t s : r.starts) {
        Put_varint(&out, s - last);
        last = s;
    }
    return out;
}

std::string Bitmap_form(const ScriptRecord& r) {
    std::string out((r.length / BYTES_PER_BIT + 8) / 8, '\0');
    for (uint32_t s : r.starts)
        out[s / BYTES_PER_BIT / 8] = char(out[s / BYTES_PER_BIT / 8] | (1 << (s / BYTES_PER_BIT % 8)));
    return out;
}

// A bitmap gives back the first offset of each marked group of three bytes; the offsets looked up
// later are mapped to their group the same way (Is_read).
bool Read_record(Reader* in, uint8_t form, uint32_t payload, ScriptRecord* r) {
    const size_t end = in->at + payload;
    if (form == FORM_LIST) {
        uint32_t count = in->Varint(), at = 0;
        for (uint32_t i = 0; in->ok && i < count && in->at < end; ++i) {
            const uint32_t step = in->Varint();
            if ((i > 0 && step == 0) || uint64_t(at) + step >= r->length) return false;
            at += step;
            r->starts.push_back(at);
        }
        return in->ok && r->starts.size() == count && in->at == end;
    }
    if (form != FORM_BITMAP || payload != (r->length / BYTES_PER_BIT + 8) / 8) return false;
    for (uint32_t i = 0; i < payload * 8; ++i) {
        if (!((uint8_t(in->bytes[in->at + i / 8]) >> (i % 8)) & 1)) continue;
        if (uint64_t(i) * BYTES_PER_BIT >= r->length) return false;
        r->starts.push_back(i * BYTES_PER_BIT);
    }
    r->coarse = true;
    in->at = end;
    return true;
}

bool Bitmap_kept(const ScriptRecord& r) {
    return Bitmap_form(r).size() < List_form(r).size();
}

} // namespace

void Read_text_script_loaded() {
    const uint64_t h = Hash(ScriptBuffer, size_t(ScriptLength));
    current_key = std::string(ScriptFileName) + '\0';
    Put_u(&current_key, h, 8);
    current = &records[current_key];
    current->length = uint32_t(ScriptLength);
    in_run = false;
}

void Read_text_step_begins() {
    if (in_run) return;
    in_run = true;
    run_start = ScriptCursor;
    run_drew = false;
    run_recorded = current != nullptr && ScriptSource.base == ScriptBuffer;
    run_read = !run_recorded || Read_text_is_read(run_start);
}

void Read_text_char_drawn() {
    if (!in_run || run_drew) return;
    run_drew = true;
    unread_reached = unread_reached || !run_read;
}

void Read_text_step_ended() {
    if (!in_run || Game_stat.text_on == 1) return;
    in_run = false;
    if (!run_drew || run_read || !run_recorded || run_start < 0) return;
    auto& starts = current->starts;
    starts.insert(std::upper_bound(starts.begin(), starts.end(), uint32_t(run_start)), uint32_t(run_start));
    changed = true;
}

bool Read_text_take_unread_reached() {
    const bool was = unread_reached;
    unread_reached = false;
    return was;
}

bool Read_text_is_read(int32_t offset) {
    if (!current || offset < 0) return false;
    const auto& starts = current->starts;
    if (std::binary_search(starts.begin(), starts.end(), uint32_t(offset))) return true;
    // A record read back from a bitmap knows the group of three bytes only.
    const uint32_t group = uint32_t(offset) / BYTES_PER_BIT * BYTES_PER_BIT;
    return current->coarse && std::binary_search(starts.begin(), starts.end(), group);
}

std::string Read_text_encode() {
    std::string out(MAGIC, MAGIC_SIZE);
    for (const auto& [key, r] : records) {
        if (r.starts.empty()) continue;
        const bool bitmap = Bitmap_kept(r);
        const std::string payload = bitmap ? Bitmap_form(r) : List_form(r);
        const size_t name_size = key.size() - 9;
        Put_u(&out, name_size, 2);
        out.append(key, 0, name_size);
        out.append(key, name_size + 1, 8);
        Put_u(&out, r.length, 4);
        out.push_back(char(bitmap ? FORM_BITMAP : FORM_LIST));
        Put_u(&out, payload.size(), 4);
        out += payload;
    }
    return out;
}

bool Read_text_decode(const std::string& bytes, std::string* error) {
    if (bytes.compare(0, MAGIC_SIZE, MAGIC) != 0) {
        *error = "is not a read-text file";
        return false;
    }
    std::map<std::string, ScriptRecord> read;
    Reader in{bytes, MAGIC_SIZE};
    while (in.ok && in.at < bytes.size()) {
        const size_t name_size = in.U(2);
        if (!in.ok || bytes.size() - in.at < name_size + 8) break;
        std::string key = bytes.substr(in.at, name_size) + '\0' + bytes.substr(in.at + name_size, 8);
        in.at += name_size + 8;
        ScriptRecord r;
        r.length = uint32_t(in.U(4));
        const uint8_t form = uint8_t(in.U(1));
        const uint32_t payload = uint32_t(in.U(4));
        if (!in.ok || payload > bytes.size() - in.at || read.count(key) ||
            !Read_record(&in, form, payload, &r)) {
            in.ok = false;
            break;
        }
        read[key] = std::move(r);
    }
    if (!in.ok) {
        *error = "is damaged at byte " + std::to_string(in.at);
        return false;
    }
    records = std::move(read);
    current = current_key.empty() ? nullptr : &records[current_key];
    if (current) current->length = uint32_t(ScriptLength);
    return true;
}

bool Read_text_changed() {
    return changed;
}

void Read_text_mark_kept() {
    changed = false;
}

void Read_text_reset() {
    records.clear();
    current_key.clear();
    current = nullptr;
    in_run = false;
    run_drew = unread_reached = changed = false;
    run_read = true;
}
