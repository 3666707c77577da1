// Shift-JIS (code page 932) decoding and encoding.
//
// Two-byte characters are looked up in a table that is filled one lead-byte row at a time, the
// first time a character of that row is met: the story decodes one character per step and the
// glyph code decodes again, so iconv is asked at most once per row. Encoding reverses the rows,
// all filled the first time anything is encoded.
#include "core/sjis.h"

#include <iconv.h>

#include <array>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t REPLACEMENT = 0xFFFD;

constexpr int TRAIL_FIRST = 0x40;
constexpr int TRAIL_COUNT = 0xFC - 0x40 + 1;
constexpr int LEAD_ROWS = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);

int lead_row(uint8_t lead) {
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
}

// Every CP932 character lies in the Basic Multilingual Plane, so 16 bits per entry suffice.
struct Row {
    bool filled = false;
    std::array<uint16_t, TRAIL_COUNT> cp{};
};
std::array<Row, LEAD_ROWS> g_rows;

// Decodes one complete two-byte sequence with iconv; U+FFFD if it is not a character.
uint32_t iconv_pair(iconv_t cd, uint8_t lead, uint8_t trail) {
    char in[2] = {char(lead), char(trail)};
    char out[8];
    char* ip = in;
    char* op = out;
    size_t il = sizeof in, ol = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &ip, &il, &op, &ol) == size_t(-1) || il != 0) return REPLACEMENT;
    std::string utf8(out, op);
    size_t pos = 0;
    uint32_t cp = Utf8_next(utf8, &pos);
    return (pos == utf8.size() && cp <= 0xFFFF) ? cp : REPLACEMENT;
}

void fill_row(Row* row, uint8_t lead) {
    row->cp.fill(REPLACEMENT);
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd != iconv_t(-1)) {
        for (int t = 0; t < TRAIL_COUNT; ++t)
            row->cp[t] = uint16_t(iconv_pair(cd, lead, uint8_t(TRAIL_FIRST + t)));
        iconv_close(cd);
    }
    // Without a CP932 converter the row stays all U+FFFD; it is not retried every character.
    row->filled = true;
}

uint32_t decode_pair(uint8_t lead, uint8_t trail) {
    if (!Cp932_is_lead(lead) || !Cp932_is_trail(trail)) return REPLACEMENT;
    Row& row = g_rows[lead_row(lead)];
    if (!row.filled) fill_row(&row, lead);
    return row.cp[trail - TRAIL_FIRST];
}

uint32_t decode_single(uint8_t b) {
    if (b < 0x80) return b;
    if (b >= 0xA1 && b <= 0xDF) return 0xFF61 + (b - 0xA1); // half-width katakana block
    return REPLACEMENT;
}

} // namespace

uint32_t Sjis_decode_char(const uint8_t* bytes, int count) {
    if (bytes == nullptr) return REPLACEMENT;
    if (count == 1) return decode_single(bytes[0]);
    // The interpreter hands over two bytes whenever the first is 0x80 or above, so a half-width
    // katakana byte arrives here with whatever follows it: only a real CP932 pair is a character.
    if (count == 2) return decode_pair(bytes[0], bytes[1]);
    return REPLACEMENT;
}

std::string Sjis_to_utf8(const char* sjis, size_t size) {
    std::string out;
    if (sjis == nullptr) return out;
    const auto* p = reinterpret_cast<const uint8_t*>(sjis);
    size_t i = 0;
    while (i < size && p[i] != 0) {
        // A lead byte takes its trail only when the trail is there and is a trail byte; otherwise
        // the lead alone is one unknown character and the next byte is read afresh, so a stray
        // lead never swallows the ASCII after it (or the terminator).
        if (Cp932_is_lead(p[i]) && i + 1 < size && Cp932_is_trail(p[i + 1])) {
            Utf8_append(&out, decode_pair(p[i], p[i + 1]));
            i += 2;
        } else {
            Utf8_append(&out, decode_single(p[i]));
            i += 1;
        }
    }
    return out;
}

uint16_t Cp932_encode_char(uint32_t cp) {
    if (cp < 0x80) return uint16_t(cp);
    if (cp >= 0xFF61 && cp <= 0xFF9F) return uint16_t(0xA1 + (cp - 0xFF61));
    if (cp > 0xFFFF || cp == REPLACEMENT) return 0;
    // Text typed with a JIS-minded input method holds these where CP932 has its own forms of the
    // same marks (〜 for ～, − for －, ...): they take those forms, one way. ¥ and ‾ do not become
    // 0x5C and 0x7E, which scripts read as a backslash and a tilde.
    static constexpr std::pair<uint16_t, uint16_t> JIS_FORMS[] = {
        {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00AC, 0x81CA}, {0x2014, 0x815C},
        {0x2016, 0x8161}, {0x2212, 0x817C}, {0x301C, 0x8160}};
    for (const auto& [from, code] : JIS_FORMS)
        if (cp == from) return code;
    // The reverse of the decoding rows, made once from them. Where CP932 gives a character twice,
    // the first row in this order wins: the JIS rows, then NEC's row 13 before IBM's rows (0xFA-0xFC),
    // then NEC's copies of IBM's characters (0xED, 0xEE) last, as the code page's own encoder does.
    static const std::vector<uint16_t> reverse = [] {
        std::vector<uint16_t> table(0x10000, 0);
        std::vector<uint8_t> leads;
        for (int lead = 0x81; lead <= 0xFC; ++lead)
            if (Cp932_is_lead(uint8_t(lead)) && lead != 0xED && lead != 0xEE) leads.push_back(uint8_t(lead));
        leads.push_back(0xED);
        leads.push_back(0xEE);
        for (uint8_t lead : leads)
            for (int trail = TRAIL_FIRST; trail <= 0xFC; ++trail) {
                if (!Cp932_is_trail(uint8_t(trail))) continue;
                const uint32_t decoded = decode_pair(lead, uint8_t(trail));
                if (decoded != REPLACEMENT && table[decoded] == 0)
                    table[decoded] = uint16_t(lead << 8 | trail);
            }
        return table;
    }();
    return reverse[cp];
}

bool Utf8_to_sjis(const std::string& utf8, std::string* out) {
    std::string result;
    result.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        const uint32_t cp = Utf8_next(utf8, &pos);
        const uint16_t code = Cp932_encode_char(cp);
        if (code == 0 && cp != 0) return false; // no form, or not UTF-8 at all (U+FFFD)
        if (code > 0xFF) result.push_back(char(code >> 8));
        result.push_back(char(code & 0xFF));
    }
    if (out != nullptr) *out = std::move(result);
    return true;
}

void Utf8_append(std::string* out, uint32_t cp) {
    if (out == nullptr) return;
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = REPLACEMENT;
    if (cp < 0x80) {
        out->push_back(char(cp));
    } else if (cp < 0x800) {
        out->push_back(char(0xC0 | (cp >> 6)));
        out->push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out->push_back(char(0xE0 | (cp >> 12)));
        out->push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(char(0xF0 | (cp >> 18)));
        out->push_back(char(0x80 | ((cp >> 12) & 0x3F)));
        out->push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(char(0x80 | (cp & 0x3F)));
    }
}

uint32_t Utf8_next(const std::string& s, size_t* pos) {
    if (pos == nullptr || *pos >= s.size()) return REPLACEMENT;
    const auto* p = reinterpret_cast<const uint8_t*>(s.data());
    size_t i = *pos;
    uint8_t b0 = p[i];
    int len;
    uint32_t cp, min;
    if (b0 < 0x80) {
        *pos = i + 1;
        return b0;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        *pos = i + 1; // continuation byte or a lead that can only start an overlong form
        return REPLACEMENT;
    }
    if (s.size() - i < size_t(len)) {
        *pos = i + 1;
        return REPLACEMENT;
    }
    for (int k = 1; k < len; ++k) {
        if ((p[i + k] & 0xC0) != 0x80) {
            *pos = i + 1;
            return REPLACEMENT;
        }
        cp = (cp << 6) | (p[i + k] & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters; skipping only the
    // first byte lets the reader resynchronise on the next lead.
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        *pos = i + 1;
        return REPLACEMENT;
    }
    *pos = i + len;
    return cp;
}
