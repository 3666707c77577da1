// Shift-JIS decoding and UTF-8 conversion.
#include "core/sjis.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

std::string utf8(uint32_t cp) {
    std::string s;
    Utf8_append(&s, cp);
    return s;
}

} // namespace

// Code page 932, not JIS Shift-JIS: scripts write paths with 0x5C and use the vendor rows. The
// interpreter hands over two bytes for every byte of 0x80 or above; only real pairs decode.
TEST(Sjis, DecodesCodePage932) {
    const std::pair<std::vector<uint8_t>, uint32_t> cases[] = {
        {{0x5C}, 0x5C},
        {{0x7E}, 0x7E}, // backslash, not a yen sign; tilde
        {{'A'}, 'A'},
        {{0x00}, 0}, //
        {{0xA1}, 0xFF61},
        {{0xB1}, 0xFF71}, // ｡ ｱ
        {{0xDF}, 0xFF9F},
        {{0x82, 0xA0}, 0x3042}, // ﾟ あ
        {{0x93, 0x63}, 0x7530},
        {{0x81, 0x60}, 0xFF5E}, // 田, the wave dash as Windows maps it
        {{0x87, 0x40}, 0x2460},
        {{0x87, 0x90}, 0x2252}, // ① ≒ (NEC row 13)
        {{0xED, 0x40}, 0x7E8A},
        {{0xFA, 0x40}, 0x2170}, // 纊 (NEC-selected IBM extension), ⅰ (IBM)
        {{0xFC, 0x4B}, 0x9ED1}, // the last assigned pair
        // Not characters: lone lead bytes and bytes never used alone, half-width katakana + ASCII,
        // trails below 0x40, 0x7F or above 0xFC, unassigned rows.
        {{0x80}, 0xFFFD},
        {{0xA0}, 0xFFFD},
        {{0x82}, 0xFFFD},
        {{0xFD}, 0xFFFD},
        {{0xFF}, 0xFFFD},
        {{0xB1, 0x41}, 0xFFFD},
        {{0x82, 0x20}, 0xFFFD},
        {{0x82, 0x7F}, 0xFFFD},
        {{0x82, 0xFD}, 0xFFFD},
        {{0x85, 0x40}, 0xFFFD},
        {{0x80, 0x40}, 0xFFFD},
        {{0xFD, 0x40}, 0xFFFD},
    };
    for (const auto& [bytes, cp] : cases)
        EXPECT_EQ(Sjis_decode_char(bytes.data(), int(bytes.size())), cp) << std::hex << int(bytes[0]);
    const uint8_t a[3] = {0x82, 0xA0, 0x00};
    EXPECT_EQ(Sjis_decode_char(a, 0), 0xFFFDu);
    EXPECT_EQ(Sjis_decode_char(a, 3), 0xFFFDu);
    EXPECT_EQ(Sjis_decode_char(nullptr, 2), 0xFFFDu);
}

TEST(Sjis, StringsToUtf8) {
    std::string expected = "A";
    expected += utf8(0x3042) + utf8(0xFF71);
    expected += "\\";
    EXPECT_EQ(Sjis_to_utf8("A\x82\xa0\xb1\\"), expected);
    // A stray lead byte never swallows a byte that cannot be a trail, nor the terminator; an
    // unassigned pair is one unknown character.
    EXPECT_EQ(Sjis_to_utf8("\x82 A"), utf8(0xFFFD) + " A");
    EXPECT_EQ(Sjis_to_utf8("\x85\x40"
                           "A"),
              utf8(0xFFFD) + "A");
    EXPECT_EQ(Sjis_to_utf8("ok\x82"), "ok" + utf8(0xFFFD));
    // The size bound is kept even in the middle of a pair (a heap block of exactly one byte lets
    // the sanitizer catch a read past it).
    std::unique_ptr<char[]> one(new char[1]{'\x82'});
    EXPECT_EQ(Sjis_to_utf8(one.get(), 1), utf8(0xFFFD));
    EXPECT_EQ(Sjis_to_utf8("ab\0cd", 5), "ab");
    EXPECT_EQ(Sjis_to_utf8(nullptr), "");
}

TEST(Sjis, Utf8RoundTrip) {
    const std::string text = "吾輩は猫である。①ⅰ纊ｱﾝ\\~～ー";
    std::string sjis;
    ASSERT_TRUE(Utf8_to_sjis(text, &sjis));
    EXPECT_EQ(sjis.substr(0, 4), "\x8c\xe1\x94\x79"); // 吾輩
    EXPECT_EQ(Sjis_to_utf8(sjis.c_str()), text);

    // No Shift-JIS form, or not UTF-8 at all: refused, output untouched.
    std::string out = "unchanged";
    EXPECT_FALSE(Utf8_to_sjis("猫\xF0\x9F\x98\x80", &out)); // emoji
    EXPECT_FALSE(Utf8_to_sjis("\xE3\x81", &out));           // cut-off sequence
    EXPECT_FALSE(Utf8_to_sjis("\xFF", &out));
    EXPECT_EQ(out, "unchanged");
    EXPECT_TRUE(Utf8_to_sjis("", &out));
    EXPECT_EQ(out, "");
}

// Encoding is the decoding table read backwards: every character CP932 holds comes back as itself,
// and a character held twice takes the code page's own choice of form.
TEST(Sjis, EncodingReversesDecoding) {
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead)
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const uint8_t pair[2] = {uint8_t(lead), uint8_t(trail)};
            const uint32_t cp = Sjis_decode_char(pair, 2);
            if (cp == 0xFFFD) continue;
            ++characters;
            const uint16_t code = Cp932_encode_char(cp);
            ASSERT_NE(code, 0) << std::hex << lead << trail;
            const uint8_t again[2] = {uint8_t(code >> 8), uint8_t(code)};
            EXPECT_EQ(Sjis_decode_char(again, 2), cp) << std::hex << lead << trail;
        }
    EXPECT_GT(characters, 7000);
    EXPECT_EQ(Cp932_encode_char(0x2252), 0x81E0); // ≒: the JIS row, not NEC's row 13
    EXPECT_EQ(Cp932_encode_char(0x2170), 0xFA40); // ⅰ: IBM's row, not NEC's copy at 0xEEEF
    EXPECT_EQ(Cp932_encode_char(0xFFE2), 0x81CA); // ¬
    EXPECT_EQ(Cp932_encode_char(0xFF71), 0xB1);   // ｱ
    EXPECT_EQ(Cp932_encode_char(0x301C), 0x8160); // 〜 as ～, as a JIS input method types it
    EXPECT_EQ(Cp932_encode_char(0x00A5), 0);      // ¥ is no backslash
    EXPECT_EQ(Cp932_encode_char(0x1F600), 0);
    EXPECT_EQ(Cp932_encode_char(0xFFFD), 0);
}

TEST(Utf8, AppendAndNext) {
    for (uint32_t cp :
         {0x41u, 0x7Fu, 0x80u, 0x7FFu, 0x800u, 0x3042u, 0xFFFFu, 0x10000u, 0x1F600u, 0x10FFFFu}) {
        std::string s = utf8(cp);
        size_t pos = 0;
        EXPECT_EQ(Utf8_next(s, &pos), cp);
        EXPECT_EQ(pos, s.size());
    }
    EXPECT_EQ(utf8(0xD800), utf8(0xFFFD));
    EXPECT_EQ(utf8(0x110000), utf8(0xFFFD));
}

// Every malformed sequence gives one U+FFFD and the reader picks up at the following 'z'.
TEST(Utf8, MalformedSequencesResynchronise) {
    const char* bad[] = {
        "\xC0\x80",         // overlong NUL
        "\xE0\x80\x80",     // overlong
        "\xED\xA0\x80",     // surrogate
        "\xF4\x90\x80\x80", // past U+10FFFF
        "\x80",             // lone continuation
        "\xE3\x81",         // cut short before the 'z'
    };
    for (const char* b : bad) {
        std::string s = std::string(b) + "z";
        size_t pos = 0;
        EXPECT_EQ(Utf8_next(s, &pos), 0xFFFDu) << s;
        uint32_t cp = 0;
        while (pos < s.size() && (cp = Utf8_next(s, &pos)) != 'z') {
        }
        EXPECT_EQ(cp, uint32_t('z')) << s;
        EXPECT_EQ(pos, s.size());
    }
    size_t pos = 1;
    EXPECT_EQ(Utf8_next("a", &pos), 0xFFFDu); // at the end: nothing read, nothing moved
    EXPECT_EQ(pos, 1u);
}
