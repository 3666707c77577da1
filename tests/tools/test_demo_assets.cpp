// The demo asset generator: the wait icon and its mask agree, story scripts become Shift-JIS with
// CR LF, the music passes the engine's check, and the whole run writes the same decodable files
// every time. (The menu pictures' sizes against the engine's layouts: `--check --strict` on the demo.)
#include "formats/image_decode.h"
#include "formats/midi_check.h"
#include "make_demo_assets/demo_assets.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

// The engine ANDs the mask then ORs the icon: that must give exactly the icon or the background.
TEST(PaintParts, IconMaskAndScratchCellsAgree) {
    const Picture p = Paint_parts();
    ASSERT_EQ(p.width, 75);
    ASSERT_EQ(p.pixels.size(), 75u * 25u);
    int icon_pixels = 0;
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 25; ++x) {
            const uint32_t icon = p.pixels[y * 75 + x], mask = p.pixels[y * 75 + 25 + x];
            ASSERT_TRUE(mask == 0xFFFFFF || mask == 0x000000) << x << "," << y;
            ASSERT_EQ(icon != 0, mask == 0) << x << "," << y;
            ASSERT_EQ(p.pixels[y * 75 + 50 + x], 0u);
            icon_pixels += icon != 0;
        }
    }
    EXPECT_GT(icon_pixels, 0);
}

class ScriptText : public ::testing::Test {
  protected:
    std::string Convert(const std::string& utf8) {
        std::string out, error;
        EXPECT_TRUE(Convert_script_text(utf8, "txt/a.txt", &out, &error)) << error;
        return out;
    }
};

TEST_F(ScriptText, BecomesShiftJisWithCrLf) {
    // "あ" is 82 A0, "漢" 8A BF; a backslash stays 5C in code page 932.
    EXPECT_EQ(Convert("あ\n漢\\x\n"), "\x82\xA0\r\n\x8A\xBF\\x\r\n");
    // Existing CR LF ends are not doubled, a byte-order mark is dropped, a last line without an end
    // keeps having none, and empty lines survive.
    EXPECT_EQ(Convert("\xEF\xBB\xBF#page\r\n\r\nend"), "#page\r\n\r\nend");
    EXPECT_EQ(Convert(""), "");
}

TEST_F(ScriptText, CharacterWithoutShiftJisFormNamesFileAndLine) {
    std::string out = "unchanged", error;
    EXPECT_FALSE(
        Convert_script_text("ok\nstill ok\nan emoji \xF0\x9F\x98\x80 here\n", "txt/b.txt", &out, &error));
    EXPECT_EQ(out, "unchanged");
    EXPECT_NE(error.find("txt/b.txt:3:"), std::string::npos) << error;
    EXPECT_NE(error.find("U+1F600"), std::string::npos) << error;
    EXPECT_FALSE(Convert_script_text("bad \xFF byte", "txt/c.txt", &out, &error));
    EXPECT_NE(error.find("txt/c.txt:1:"), std::string::npos) << error;
}

// The demo tree is made inside the test's game folder, which is the current folder.
class DemoTree : public EngineTest {
  protected:
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

TEST_F(DemoTree, CopiesFilesAndConvertsOnlyScripts) {
    Write_file("src/txt/config.txt", "あ\n");
    Write_file("src/txt/sub/next.txt", "い\n");
    Write_file("src/txt/notes.md", "あ\n");
    Write_file("src/wav/click.txt", "あ\n");
    const std::string binary("RIFF\0\xFF\n", 7);
    Write_file("src/wav/se.wav", binary);
    std::string error;
    ASSERT_TRUE(Copy_demo_tree("src", "out", &error)) << error;
    EXPECT_EQ(Read("out/txt/config.txt"), "\x82\xA0\r\n");
    EXPECT_EQ(Read("out/txt/sub/next.txt"), "\x82\xA2\r\n");
    EXPECT_EQ(Read("out/txt/notes.md"), "あ\n");
    EXPECT_EQ(Read("out/wav/click.txt"), "あ\n");
    EXPECT_EQ(Read("out/wav/se.wav"), binary);

    EXPECT_FALSE(Copy_demo_tree("missing", "out", &error));
}

TEST_F(DemoTree, GeneratedPicturesDecodeAndAreTheSameEveryRun) {
    std::string error;
    ASSERT_TRUE(Generate_pictures("out", &error)) << error;
    const std::string back = Read("out/gdat/system/Back00.bmp");
    const std::string parts = Read("out/gdat/system/Parts.bmp");
    DecodedImage image;
    ASSERT_TRUE(Bmp_decode(reinterpret_cast<const uint8_t*>(back.data()), back.size(), &image, &error))
        << error;
    EXPECT_EQ(image.width, 640);
    EXPECT_EQ(image.height, 480);
    ASSERT_TRUE(Bmp_decode(reinterpret_cast<const uint8_t*>(parts.data()), parts.size(), &image, &error))
        << error;
    EXPECT_EQ(image.width, 75);
    EXPECT_EQ(image.height, 25);
    EXPECT_EQ(image.pixels, Paint_parts().pixels);

    ASSERT_TRUE(Generate_pictures("again", &error)) << error;
    EXPECT_EQ(Read("again/gdat/system/Back00.bmp"), back);
    EXPECT_EQ(Read("again/gdat/system/Parts.bmp"), parts);

    ASSERT_TRUE(Generate_sounds("out", &error)) << error;
    ASSERT_TRUE(Generate_sounds("again", &error)) << error;
    for (const char* name : {"wav/bell.wav", "wav/rain.wav", "MIDI/town.mid", "MIDI/lake.mp3"})
        EXPECT_EQ(Read(fs::path("again") / name), Read(fs::path("out") / name)) << name;
}

uint32_t Big_endian(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | b.at(at + i);
    return v;
}

TEST(MidiWrite, QuantitiesAndEventOrder) {
    const struct {
        uint32_t value;
        std::vector<uint8_t> bytes;
    } quantities[] = {{0, {0x00}},
                      {0x7F, {0x7F}},
                      {0x80, {0x81, 0x00}},
                      {0x3FFF, {0xFF, 0x7F}},
                      {0x4000, {0x81, 0x80, 0x00}},
                      {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}}};
    for (const auto& q : quantities) {
        std::vector<uint8_t> out;
        Midi_put_vlq(q.value, &out);
        EXPECT_EQ(out, q.bytes) << q.value;
    }
    // A note struck again at the tick it ends must be released first, whatever order it was given in;
    // the track then ends at the song's end, after its name.
    MidiSong song;
    song.end_tick = 200;
    song.tracks.push_back({"t", {{100, {0x90, 60, 70}}, {100, {0x80, 60, 0}}, {0, {0x90, 60, 70}}}});
    const std::vector<uint8_t> file = Midi_encode(song);
    const std::vector<uint8_t> track = {0x00, 0xFF, 0x03, 1,    't', 0x00, 0x90, 60,   70,   0x64, 0x80,
                                        60,   0,    0x00, 0x90, 60,  70,   0x64, 0xFF, 0x2F, 0x00};
    ASSERT_EQ(file.size(), 22 + track.size());
    EXPECT_EQ(Big_endian(file, 8, 4), 0x00010001u); // format 1, one track
    EXPECT_EQ(Big_endian(file, 18, 4), track.size());
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 22, file.end()), track);
    song.end_tick = 99;
    EXPECT_TRUE(Midi_encode(song).empty()) << "an event after the end";
}

// The demo's music as the engine checks it before the synthesiser sees it: readable, and long
// enough to loop.
TEST(DemoSounds, TownTunePassesTheEnginesMidiCheck) {
    const std::vector<uint8_t> file = Midi_encode(Tune_town());
    EXPECT_EQ(Midi_problem(file.data(), file.size()), nullptr);
}

} // namespace
