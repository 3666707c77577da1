#include "formats/soundfont_subset.h"

#include <cstring>
#include <vector>

namespace {

const char* const CHUNK_NAMES[9] = {"phdr", "pbag", "pmod", "pgen", "inst", "ibag", "imod", "igen", "shdr"};
const size_t RECORD_SIZES[9] = {38, 4, 10, 4, 22, 4, 10, 4, 46};
enum : int { PRESETS = 0, INSTRUMENTS = 4, SAMPLES = 8 }; // where each level's chunks start
constexpr size_t PRESET_PROGRAM_AT = 20, PRESET_BAG_AT = 24, INSTRUMENT_BAG_AT = 20, SAMPLE_LINK_AT = 42;
constexpr uint16_t GEN_INSTRUMENT = 41, GEN_SAMPLE = 53; // the generators naming a record below
constexpr uint32_t LARGEST_PRESET_DATA = 64u << 20;

uint32_t le32(const char* b) {
    const auto* u = reinterpret_cast<const uint8_t*>(b);
    return uint32_t(u[0]) | uint32_t(u[1]) << 8 | uint32_t(u[2]) << 16 | uint32_t(u[3]) << 24;
}
uint16_t le16(const char* b) {
    const auto* u = reinterpret_cast<const uint8_t*>(b);
    return uint16_t(u[0] | u[1] << 8);
}
void set16(std::string* s, size_t at, size_t value) {
    (*s)[at] = char(value);
    (*s)[at + 1] = char(value >> 8);
}
void add32(std::string* s, size_t value) {
    s->append({char(value), char(value >> 8), char(value >> 16), char(value >> 24)});
}

// Which records of a chunk are kept (the terminal one always), and their numbers once cut.
std::vector<size_t> renumber(std::vector<bool>* keep) {
    keep->back() = true;
    std::vector<size_t> index(keep->size());
    for (size_t i = 0, kept = 0; i < keep->size(); ++i)
        index[i] = (*keep)[i] ? kept++ : 0;
    return index;
}

// One level of the preset data (presets or instruments): headers owning runs of bags, bags owning
// runs of modulators and generators, each run ending where the next record's begins. Generator
// `link` names a record of the level below (an instrument, a sample).
struct Level {
    const std::string* chunks; // headers, bags, modulators, generators
    size_t header_size, bag_at;
    uint16_t link;

    size_t bag(size_t header) const { return le16(&chunks[0][header * header_size + bag_at]); }
    size_t gen(size_t bag) const { return le16(&chunks[1][bag * 4]); }
    size_t mod(size_t bag) const { return le16(&chunks[1][bag * 4 + 2]); }

    // True if every run lies inside its chunk and none runs backwards.
    bool sound() const {
        const size_t headers = chunks[0].size() / header_size, bags = chunks[1].size() / 4;
        if (headers == 0 || bags == 0) return false;
        for (size_t h = 0; h + 1 < headers; ++h)
            if (bag(h) > bag(h + 1)) return false;
        if (bag(headers - 1) >= bags) return false;
        for (size_t b = 0; b + 1 < bags; ++b)
            if (gen(b) > gen(b + 1) || mod(b) > mod(b + 1)) return false;
        return gen(bags - 1) < chunks[3].size() / 4 && mod(bags - 1) < chunks[2].size() / 10;
    }

    // Marks in *used the records below that the headers `keep` marks name.
    void mark(const std::vector<bool>& keep, std::vector<bool>* used) const {
        for (size_t h = 0; h + 1 < keep.size(); ++h)
            for (size_t b = bag(h); keep[h] && b < bag(h + 1); ++b)
                for (size_t g = gen(b); g < gen(b + 1); ++g) {
                    const size_t named = le16(&chunks[3][g * 4 + 2]);
                    if (le16(&chunks[3][g * 4]) == link && named + 1 < used->size()) (*used)[named] = true;
                }
    }

    // The headers `keep` marks (the terminal one among them), with their runs, into out[0..3], the
    // runs' indices renumbered and the records below named by their numbers in `below`.
    void cut(const std::vector<bool>& keep, const std::vector<size_t>& below, std::string* out) const {
        const size_t headers = chunks[0].size() / header_size;
        for (size_t h = 0; h < headers; ++h) {
            if (!keep[h]) continue;
            out[0].append(chunks[0], h * header_size, header_size);
            set16(&out[0], out[0].size() - header_size + bag_at, out[1].size() / 4);
            const size_t last_bag = h + 1 < headers ? bag(h + 1) : bag(h) + 1;
            for (size_t b = bag(h); b < last_bag; ++b) {
                out[1].append(4, '\0');
                set16(&out[1], out[1].size() - 4, out[3].size() / 4);
                set16(&out[1], out[1].size() - 2, out[2].size() / 10);
                if (h + 1 == headers) break; // the terminal bag owns nothing
                out[2].append(chunks[2], mod(b) * 10, (mod(b + 1) - mod(b)) * 10);
                for (size_t g = gen(b); g < gen(b + 1); ++g) {
                    out[3].append(chunks[3], g * 4, 4);
                    const size_t named = le16(&chunks[3][g * 4 + 2]);
                    if (le16(&chunks[3][g * 4]) == link && named + 1 < below.size())
                        set16(&out[3], out[3].size() - 2, below[named]);
                }
            }
        }
        out[2].append(10, '\0'); // the terminal modulator and generator
        out[3].append(4, '\0');
    }
};

Level presets(const Soundfont& font) {
    return {font.chunks + PRESETS, RECORD_SIZES[PRESETS], PRESET_BAG_AT, GEN_INSTRUMENT};
}
Level instruments(const Soundfont& font) {
    return {font.chunks + INSTRUMENTS, RECORD_SIZES[INSTRUMENTS], INSTRUMENT_BAG_AT, GEN_SAMPLE};
}

bool read_at(FILE* file, uint64_t at, char* data, size_t size) {
    return std::fseek(file, long(at), SEEK_SET) == 0 && std::fread(data, 1, size, file) == size;
}

// The preset data list's chunks, from its body.
bool read_chunks(const std::string& body, Soundfont* font) {
    bool found[9] = {};
    for (size_t pos = 0; body.size() - pos >= 8;) {
        const size_t size = le32(&body[pos + 4]);
        if (body.size() - pos - 8 < size) return false;
        for (int i = 0; i < 9; ++i)
            if (!found[i] && body.compare(pos, 4, CHUNK_NAMES[i]) == 0 && size % RECORD_SIZES[i] == 0) {
                font->chunks[i] = body.substr(pos + 8, size);
                found[i] = true;
            }
        pos += 8 + size + (size & 1);
    }
    for (bool f : found)
        if (!f) return false;
    return !font->chunks[SAMPLES].empty() && presets(*font).sound() && instruments(*font).sound();
}

} // namespace

bool Soundfont_read(FILE* file, Soundfont* font) {
    char head[12];
    if (!read_at(file, 0, head, 12) || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "sfbk", 4) != 0)
        return false;
    bool samples_seen = false;
    for (uint64_t pos = 12; read_at(file, pos, head, 12);) {
        const uint32_t size = le32(head + 4);
        if (std::memcmp(head, "LIST", 4) == 0 && std::memcmp(head + 8, "sdta", 4) == 0) samples_seen = true;
        if (std::memcmp(head, "LIST", 4) == 0 && std::memcmp(head + 8, "pdta", 4) == 0) {
            if (!samples_seen || size < 4 || size > LARGEST_PRESET_DATA) return false;
            std::string body(size - 4, '\0');
            font->preset_data_at = pos;
            return read_at(file, pos + 12, body.data(), body.size()) && read_chunks(body, font);
        }
        pos += 8 + uint64_t(size) + (size & 1);
    }
    return false;
}

std::string Soundfont_subset(const Soundfont& font, const std::bitset<128>& programs) {
    const Level preset_level = presets(font), instrument_level = instruments(font);
    const std::string& samples = font.chunks[SAMPLES];
    const size_t sample_size = RECORD_SIZES[SAMPLES];
    std::vector<bool> keep_preset(font.chunks[PRESETS].size() / RECORD_SIZES[PRESETS]);
    std::vector<bool> keep_instrument(font.chunks[INSTRUMENTS].size() / RECORD_SIZES[INSTRUMENTS]);
    std::vector<bool> keep_sample(samples.size() / sample_size);
    for (size_t p = 0; p < keep_preset.size(); ++p)
        keep_preset[p] =
            programs[le16(&font.chunks[PRESETS][p * RECORD_SIZES[PRESETS] + PRESET_PROGRAM_AT]) & 127];
    preset_level.mark(keep_preset, &keep_instrument);
    instrument_level.mark(keep_instrument, &keep_sample);
    const std::vector<size_t> instrument_index = renumber(&keep_instrument);
    const std::vector<size_t> sample_index = renumber(&keep_sample);
    keep_preset.back() = true;

    std::string cut[9];
    preset_level.cut(keep_preset, instrument_index, cut + PRESETS);
    instrument_level.cut(keep_instrument, sample_index, cut + INSTRUMENTS);
    // A stereo sample's partner is kept with it by the instrument naming both, or else forgotten.
    for (size_t i = 0; i < keep_sample.size(); ++i) {
        if (!keep_sample[i]) continue;
        cut[SAMPLES].append(samples, i * sample_size, sample_size);
        const size_t partner = le16(&samples[i * sample_size + SAMPLE_LINK_AT]);
        set16(&cut[SAMPLES], cut[SAMPLES].size() - sample_size + SAMPLE_LINK_AT,
              partner < keep_sample.size() && keep_sample[partner] ? sample_index[partner] : 0);
    }
    std::string list = "LIST";
    add32(&list, 0);
    list += "pdta";
    for (int i = 0; i < 9; ++i) {
        list += CHUNK_NAMES[i];
        add32(&list, cut[i].size());
        list += cut[i];
    }
    const size_t list_size = list.size() - 8;
    for (int i = 0; i < 4; ++i)
        list[4 + i] = char(list_size >> (8 * i));
    return list;
}
