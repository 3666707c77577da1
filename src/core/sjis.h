// Shift-JIS (code page 932) text: the encoding of scripts, records and every engine string that
// comes from them. Decoding follows CP932, so 0x5C is a backslash and the vendor rows are kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// True if `byte` begins a two-byte character (the engine's rule: any byte of 0x80 or above).
constexpr bool Sjis_is_lead(uint8_t byte) {
    return byte >= 0x80;
}

// CP932's own double-byte ranges: lead 0x81-0x9F and 0xE0-0xFC, trail 0x40-0xFC except 0x7F.
constexpr bool Cp932_is_lead(uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool Cp932_is_trail(uint8_t b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// The Unicode code point of one character of `count` (1 or 2) bytes; U+FFFD for bytes that are
// not a character. Half-width katakana (0xA1-0xDF) decode as themselves.
uint32_t Sjis_decode_char(const uint8_t* bytes, int count);

// Converts a Shift-JIS string (stopping at `size` bytes or a NUL) to UTF-8; undecodable bytes
// become U+FFFD.
std::string Sjis_to_utf8(const char* sjis, size_t size = SIZE_MAX);

// The CP932 form of code point `cp`: a byte (below 0x100) or a lead and trail (lead << 8 | trail);
// 0 if it has none (U+0000 is 0 as well: the caller tells them apart). The JIS forms of seven
// marks (〜 − — ‖ ¢ £ ¬) take CP932's forms of them, which decode as ～ － ― ∥ ￠ ￡ ￢.
uint16_t Cp932_encode_char(uint32_t cp);

// Converts UTF-8 to Shift-JIS. False (and *out untouched) if a character has no Shift-JIS form.
bool Utf8_to_sjis(const std::string& utf8, std::string* out);

// Appends the UTF-8 form of code point `cp` to *out.
void Utf8_append(std::string* out, uint32_t cp);

// Reads one code point from UTF-8 at *pos and moves *pos past it; U+FFFD for a bad sequence.
uint32_t Utf8_next(const std::string& s, size_t* pos);
