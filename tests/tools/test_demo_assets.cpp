// The demo asset generator: the wait icon and its mask agree, story scripts become Shift-JIS with
// CR LF, the sounds and music are well-formed and loop cleanly, and the whole run writes the same
// decodable files every time.
#include "gfx/image_decode.h"
#include "make_demo_assets/demo_assets.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>

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

    Write_file("src/txt/sub/bad.txt", "fine\n\xE2\x82\xA9\n"); // the won sign has no Shift-JIS form
    EXPECT_FALSE(Copy_demo_tree("src", "out", &error));
    EXPECT_NE(error.find("txt/sub/bad.txt:2:"), std::string::npos) << error;
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
    // The MP3 is a chain of 160 kbps 44.1 kHz MPEG-1 layer III frames from the first byte to the
    // last, the first carrying the Info tag, lasting 20 to 40 seconds.
    const std::string mp3 = Read("out/MIDI/lake.mp3");
    EXPECT_EQ(mp3.substr(36, 4), "Info");
    size_t at = 0, frames = 0;
    while (at + 4 <= mp3.size()) {
        const auto byte = [&](size_t i) { return uint8_t(mp3[at + i]); };
        ASSERT_EQ(byte(0), 0xFF) << "frame " << frames;
        ASSERT_EQ(byte(1) & 0xFE, 0xFA) << "frame " << frames; // sync, MPEG-1, layer III
        ASSERT_EQ(byte(2) & 0xFC, 0xA0) << "frame " << frames; // 160 kbps, 44.1 kHz
        at += 144 * 160000 / 44100 + (byte(2) >> 1 & 1);
        ++frames;
    }
    EXPECT_EQ(at, mp3.size());
    EXPECT_GT(frames * 1152, 20u * 44100);
    EXPECT_LT(frames * 1152, 40u * 44100);
}

// The engine copies button rectangles from a window's lit looks over its normal look, so the looks
// must differ inside every button and nowhere else.
TEST(MenuWindows, LooksDifferOnlyInsideTheirButtons) {
    struct Rect {
        int left, top, right, bottom;
    };
    std::vector<Rect> rows;
    for (int i = 0; i < 8; ++i)
        rows.push_back({20, 30 + 20 * i, 290, 46 + 20 * i});
    const struct {
        Picture (*paint)();
        int width, height, file_width, looks;
        std::vector<Rect> buttons;
        bool dark_rows;
    } windows[] = {
        {Paint_menu_main,
         100,
         120,
         300,
         2,
         {{15, 15, 80, 36}, {15, 37, 80, 58}, {15, 61, 80, 80}, {15, 83, 80, 102}},
         false},
        {Paint_menu_exit, 100, 85, 300, 2, {{30, 30, 70, 54}, {30, 55, 70, 75}}, false},
        {Paint_menu_fps, 100, 85, 400, 3, {{30, 30, 70, 54}, {30, 55, 70, 75}}, false},
        {Paint_menu_save, 300, 200, 900, 2, rows, true},
        {Paint_menu_load, 300, 200, 900, 2, rows, true},
        {Paint_menu_start,
         150,
         100,
         450,
         2,
         {{15, 15, 140, 35}, {15, 45, 140, 60}, {15, 70, 140, 90}},
         false},
    };
    for (const auto& w : windows) {
        SCOPED_TRACE(w.file_width * 1000 + w.height);
        const Picture image = w.paint();
        ASSERT_EQ(image.width, w.file_width);
        ASSERT_EQ(image.height, w.height);
        auto px = [&](int look, int x, int y) {
            return image.pixels[size_t(y) * image.width + look * w.width + x];
        };
        for (const Rect& r : w.buttons) {
            bool lit = false, in_force = false;
            double luma = 0;
            for (int y = r.top; y < r.bottom; ++y) {
                for (int x = r.left; x < r.right; ++x) {
                    const uint32_t normal = px(0, x, y);
                    lit |= px(1, x, y) != normal;
                    if (w.looks == 3) in_force |= px(2, x, y) != normal && px(2, x, y) != px(1, x, y);
                    luma += 0.299 * (normal >> 16) + 0.587 * (normal >> 8 & 255) + 0.114 * (normal & 255);
                }
            }
            EXPECT_TRUE(lit) << r.left << "," << r.top;
            EXPECT_EQ(in_force, w.looks == 3) << r.left << "," << r.top;
            if (w.dark_rows) {
                EXPECT_LT(luma / ((r.right - r.left) * (r.bottom - r.top)), 90) << r.top;
            }
        }
        for (int y = 0; y < w.height; ++y) {
            for (int x = 0; x < w.width; ++x) {
                if (std::any_of(w.buttons.begin(), w.buttons.end(), [&](const Rect& r) {
                        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                    }))
                    continue;
                for (int look = 1; look < w.looks; ++look)
                    ASSERT_EQ(px(look, x, y), px(0, x, y)) << "look " << look << " at " << x << "," << y;
            }
        }
        for (int y = 0; y < w.height; ++y)
            for (int x = w.looks * w.width; x < w.file_width; ++x)
                ASSERT_EQ(image.pixels[size_t(y) * image.width + x], 0u) << x << "," << y;
    }
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

// The town theme read back as a player would: every track well-formed and ending together exactly
// as the last notes end (so a loop restarts at once), notes balanced, several instruments.
TEST(DemoSounds, TownTuneIsAWellFormedMidiLoop) {
    const std::vector<uint8_t> file = Midi_encode(Tune_town());
    ASSERT_GE(file.size(), 14u);
    ASSERT_EQ(Big_endian(file, 0, 4), 0x4D546864u); // MThd
    ASSERT_EQ(Big_endian(file, 4, 4), 6u);
    EXPECT_EQ(Big_endian(file, 8, 2), 1u);
    EXPECT_EQ(Big_endian(file, 12, 2), 480u);
    const uint32_t declared = Big_endian(file, 10, 2);
    size_t at = 14;
    uint32_t tracks = 0, tempo = 0, last_off = 0, first_on = ~0u;
    std::vector<uint32_t> ends;
    std::map<int, int> programs, sounding; // by channel; by channel * 128 + note
    for (; at < file.size(); ++tracks) {
        ASSERT_EQ(Big_endian(file, at, 4), 0x4D54726Bu); // MTrk
        const size_t end = at + 8 + Big_endian(file, at + 4, 4);
        ASSERT_LE(end, file.size());
        at += 8;
        uint32_t tick = 0;
        bool ended = false, named = false;
        const auto quantity = [&] {
            uint32_t v = 0;
            while (file.at(at) & 0x80)
                v = v << 7 | (file[at++] & 0x7F);
            return v << 7 | file.at(at++);
        };
        while (at < end) {
            ASSERT_FALSE(ended) << "an event after end-of-track in track " << tracks;
            tick += quantity();
            const uint8_t status = file.at(at++);
            ASSERT_GE(status, 0x80) << "running status is not written";
            if (status == 0xFF) {
                const uint8_t type = file.at(at++);
                const uint32_t length = quantity();
                if (type == 0x51) tempo = Big_endian(file, at, 3);
                named |= type == 0x03 && tick == 0 && length > 0;
                ended = type == 0x2F;
                if (ended) ends.push_back(tick);
                at += length;
                continue;
            }
            const int channel = status & 15, kind = status & 0xF0;
            if (kind == 0xC0) programs[channel] = file.at(at);
            const bool on = kind == 0x90 && file.at(at + 1) > 0, off = kind == 0x80 || kind == 0x90;
            if (on) first_on = std::min(first_on, tick), ++sounding[channel * 128 + file.at(at)];
            if (!on && off) {
                last_off = std::max(last_off, tick);
                ASSERT_GT(sounding[channel * 128 + file.at(at)]--, 0) << "a release of a silent note";
            }
            at += kind == 0xC0 || kind == 0xD0 ? 1 : 2;
        }
        EXPECT_EQ(at, end);
        EXPECT_TRUE(ended && named) << "track " << tracks;
    }
    EXPECT_EQ(tracks, declared);
    EXPECT_GE(tracks, 5u);
    for (const auto& [note, count] : sounding)
        EXPECT_EQ(count, 0) << "note left sounding: " << note;
    EXPECT_GE(programs.size(), 4u) << "melody, accompaniment, pad, bass and percussion";
    EXPECT_EQ(first_on, 0u) << "no silence before the first note";
    ASSERT_EQ(ends.size(), tracks);
    for (uint32_t e : ends)
        EXPECT_EQ(e, last_off) << "every track ends when the last note does";
    ASSERT_GT(tempo, 0u);
    const double seconds = last_off / 480.0 * tempo / 1e6;
    EXPECT_GE(seconds, 30);
    EXPECT_LE(seconds, 60);
}

// A WAV's sample data after checking its header: 44.1 kHz 16-bit PCM with the given channels.
std::vector<int16_t> Wav_samples(const std::vector<uint8_t>& wav, int channels) {
    const auto le = [&](size_t at, int bytes) {
        uint32_t v = 0;
        for (int i = bytes - 1; i >= 0; --i)
            v = v << 8 | wav.at(at + i);
        return v;
    };
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(le(4, 4), wav.size() - 8);
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(le(20, 2), 1u);
    EXPECT_EQ(le(22, 2), uint32_t(channels));
    EXPECT_EQ(le(24, 4), 44100u);
    EXPECT_EQ(le(28, 4), 44100u * 2 * channels);
    EXPECT_EQ(le(34, 2), 16u);
    EXPECT_EQ(le(40, 4), wav.size() - 44);
    std::vector<int16_t> samples((wav.size() - 44) / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = int16_t(le(44 + i * 2, 2));
    return samples;
}

TEST(DemoSounds, EffectsAreValidWavesAndTheRainLoopsWithoutAStep) {
    // The bell: about 1.5 s, struck softly from silence, loud, and back to silence at the end.
    const std::vector<int16_t> bell = Wav_samples(Wav_encode(Make_bell()), 1);
    EXPECT_NEAR(bell.size() / 44100.0, 1.25, 0.26);
    int loudest = 0, strike = 0;
    for (size_t i = 0; i < bell.size(); ++i) {
        loudest = std::max(loudest, std::abs(int(bell[i])));
        if (i < 44) strike = std::max(strike, std::abs(int(bell[i])));
    }
    EXPECT_GT(loudest, 16000);
    EXPECT_LT(strike, 4000) << "no click at the strike";
    EXPECT_EQ(bell.front(), 0);
    EXPECT_EQ(bell.back(), 0);

    // The rain: 4 s stereo, as loud at the loop's seam as in the middle, and the step from its last
    // frame to its first no bigger than its ordinary steps.
    const std::vector<int16_t> rain = Wav_samples(Wav_encode(Make_rain()), 2);
    const size_t frames = rain.size() / 2;
    EXPECT_NEAR(frames / 44100.0, 4, 0.5);
    const auto rms = [&](size_t from, size_t count) {
        double sum = 0;
        for (size_t i = from * 2; i < (from + count) * 2; ++i)
            sum += double(rain[i]) * rain[i];
        return std::sqrt(sum / (count * 2));
    };
    EXPECT_GT(rms(0, frames), 1000);
    EXPECT_NEAR(rms(0, 11025) / rms(frames / 2, 11025), 1, 0.25);
    for (size_t c = 0; c < 2; ++c) {
        double steps = 0;
        for (size_t i = 1; i < frames; ++i)
            steps += std::abs(rain[i * 2 + c] - rain[(i - 1) * 2 + c]);
        EXPECT_LT(std::abs(rain[c] - rain[(frames - 1) * 2 + c]), 3 * steps / (frames - 1)) << c;
    }
}

} // namespace
