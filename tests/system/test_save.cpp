// The save snapshot, slot files and the restore: the record byte for byte, save points by mode,
// what a load brings back (script position, pictures, text settings, timers, title, music and the
// looping effect through state 106), the checks that refuse a damaged slot before anything live
// changes, and writes that fail without harming the old save.
#include <cstring>
#include <filesystem>
#include <fstream>

#include "features/story_fixture.h"
#include "features/timers.h"
#include "sound/effects.h"
#include "sound/music.h"
#include "system/load_game.h"
#include "system/save_load_screens.h"
#include "system/snapshot.h"

namespace {

namespace fs = std::filesystem;

const std::string MIDI = std::string("MThd\0\0\0\6\0\0\0\1\1\xe0", 14);

class SaveTest : public StoryTest {
  protected:
    void SetUp() override {
        StoryTest::SetUp();
        Write_file("MIDI/town.mid", MIDI);
        Write_file("wav/rain.wav", Test_wav());
        Write_file("wav/bell.wav", Test_wav());
    }
    std::string Slot_bytes(int slot) {
        std::ifstream in(game_dir + "/SAVE/data0" + std::to_string(slot) + ".svd", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Save(int slot) {
        std::string reason;
        ASSERT_TRUE(Slot_write(slot, &reason)) << reason;
    }
    SlotRead Load(int slot, std::string* reason = nullptr) {
        std::string ignored;
        return Load_game(slot, reason ? reason : &ignored);
    }
    // The sound lines of the log from line `from` on, without their times.
    static std::vector<std::string> Sent(size_t from) {
        std::vector<std::string> out;
        const auto& lines = Headless_log_lines();
        for (size_t i = from; i < lines.size(); ++i) {
            const size_t at = lines[i].find(" sound \"");
            if (at != std::string::npos) out.push_back(lines[i].substr(at + 1));
        }
        return out;
    }
};

// Puts `value` at `offset` of `bytes`, as the file format places it.
template <typename T> void At(std::string* bytes, size_t offset, const T& value) {
    std::memcpy(bytes->data() + offset, &value, sizeof value);
}

TEST_F(SaveTest, ARecordIsWrittenByteForByteAtTheFormatsOffsets) {
    Start("#set_text_area 40 60 600 440\r\n#set_text_color 255 0 0 0 0 255\r\n#flag_on 7\r\n"
          "#play_midi town.mid\r\n#play_wav 1 rain.wav\r\n#save_point_mode MANUAL\r\n#sp\r\n#halt\r\n");
    ASSERT_TRUE(Run_to_halt());
    Save(3);
    const std::string file = Slot_bytes(3);
    ASSERT_EQ(file.size(), 10904u) << "nothing before or after the record";

    std::string expected(10904, '\0');
    const std::string script = ".\\txt\\config.txt";
    std::memcpy(&expected[0], script.data(), script.size());
    At(&expected, 512, Save_stat.Script_offset);
    const std::string back = ".\\gdat\\system\\Back00.bmp", parts = ".\\gdat\\system\\Parts.bmp";
    std::memcpy(&expected[1028], back.data(), back.size()); // the screen's own name is still empty
    std::memcpy(&expected[1540], parts.data(), parts.size());
    const std::string midi = ".\\MIDI\\town.mid", wav = ".\\wav\\rain.wav";
    std::memcpy(&expected[2052], midi.data(), midi.size());
    std::memcpy(&expected[3076], wav.data(), wav.size());
    At(&expected, 3588, uint32_t(0x20009));
    At(&expected, 3592, Font_Size);
    At(&expected, 3596, Text_WAIT);
    At(&expected, 3600, int32_t(40));
    At(&expected, 3604, int32_t(60));
    At(&expected, 3608, int32_t(600));
    At(&expected, 3612, int32_t(440));
    At(&expected, 3616, Save_stat.Text_X);
    At(&expected, 3620, Save_stat.Text_Y);
    At(&expected, 3624, Text_X_PITCH);
    At(&expected, 3628, Text_Y_PITCH);
    At(&expected, 3632, uint32_t(255));
    At(&expected, 3636, uint32_t(255) << 16);
    At(&expected, 3640, int32_t(1));
    At(&expected, 5696, Save_stat.Game_stat);
    EXPECT_EQ(uint8_t(file[5724 + 7]), 1) << "flag 7 at file offset 5724 + 7";
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(uint8_t(file[i]), uint8_t(expected[i])) << "offset " << i;
}

TEST_F(SaveTest, SavePointsByModeAndWhatALoadBringsBack) {
    // Start-up takes a snapshot; MANUAL page clears do not move it; a load puts the cursor at the
    // area's top-left and the title back to the default.
    Start("#save_point_mode MANUAL\r\n#set_text_area 100 100 600 400\r\n" SJ_A SJ_A "#page\r\n" SJ_A
          "#set_window_text \"X\"\r\n#flag_on 1\r\n#halt\r\n");
    const int32_t start_offset = Save_stat.Script_offset;
    EXPECT_STREQ(Save_stat.Script_file, ".\\txt\\config.txt");
    ASSERT_TRUE(Run_to_halt());
    EXPECT_EQ(Save_stat.Script_offset, start_offset) << "MANUAL: only #sp moves the save point";
    Save(0);
    ASSERT_EQ(Load(0), SlotRead::Ok);
    EXPECT_EQ(ScriptCursor, start_offset);
    EXPECT_EQ(Game_stat.Flags[1], 0);
    EXPECT_EQ(Game_stat.text_on, 1);
    EXPECT_EQ(Game_stat.SystemMenuState, 106);
    EXPECT_EQ(Cursor(), std::pair(Text_AREA.left, Text_AREA.top));
    EXPECT_EQ(Headless_log_lines().back().substr(Headless_log_lines().back().find(' ') + 1),
              "title \"ことゆみ Ver1.02\"");

    // AUTO: a page clear is a save point, and a load resumes there with the cursor at the area's
    // top-left corner, not where it stood.
    Fresh();
    Start("#set_text_area 100 100 600 400\r\n" SJ_A "#page\r\n" SJ_A SJ_A "#halt\r\n");
    ASSERT_TRUE(Run_to_halt());
    Save(1);
    const int32_t page_offset = Save_stat.Script_offset;
    EXPECT_GT(page_offset, start_offset);
    ASSERT_EQ(Load(1), SlotRead::Ok);
    EXPECT_EQ(ScriptCursor, page_offset);
    EXPECT_EQ(Cursor(), std::pair(100, 100));
    Run_frames(1);
    EXPECT_EQ(Game_stat.SystemMenuState, 0) << "state 106 ran and ended";
}

TEST_F(SaveTest, State106RestartsMusicAndOnlyALoopingEffect) {
    for (const char* effect : {"#play_wav 0 bell.wav", "#play_wav 1 rain.wav"}) {
        SCOPED_TRACE(effect);
        Fresh();
        Write_file("MIDI/town.mid", MIDI);
        Start(std::string("#play_midi town.mid\r\n") + effect + "\r\n#sp\r\n#halt\r\n");
        ASSERT_TRUE(Run_to_halt());
        Save(2);
        const size_t from = Headless_log_lines().size();
        ASSERT_EQ(Load(2), SlotRead::Ok);
        Run_frames(1);
        std::vector<std::string> expected = {R"(sound "stop _MIDI_")",
                                             R"(sound "close _MIDI_")",
                                             R"(sound "wav stop")",
                                             R"(sound "open .\\MIDI\\town.mid type sequencer alias _MIDI_")",
                                             R"(sound "capability _MIDI_ can play wait" -> "true")",
                                             R"(sound "seek _MIDI_ to start")",
                                             R"(sound "play _MIDI_ notify")"};
        const bool loop = std::string(effect).find(" 1 ") != std::string::npos;
        if (loop) expected.push_back(R"(sound "wav loop .\\wav\\rain.wav")");
        EXPECT_EQ(Sent(from), expected);
        EXPECT_EQ(WavState.WAV_loop_flag, loop ? WAV_LOOP : 0u);
        EXPECT_EQ(BgmState.MusicPlaying, 1);
    }
}

TEST_F(SaveTest, State106WaitsForTheMenuSwitchAndEndsAfterAFailure) {
    Start("#play_midi town.mid\r\n#sp\r\n#halt\r\n");
    ASSERT_TRUE(Run_to_halt());
    Save_stat.Game_stat.system_menu_flag = 0;
    Save(4);
    fs::remove(game_dir + "/MIDI/town.mid");
    ASSERT_EQ(Load(4), SlotRead::Ok);
    Run_frames(3);
    EXPECT_EQ(Game_stat.SystemMenuState, 106) << "waits while the restored switch is 0";
    EXPECT_TRUE(Boxes().empty());
    Game_stat.system_menu_flag = 1;
    Run_frames(3);
    ASSERT_EQ(Boxes().size(), 1u) << "reported once, not every frame";
    EXPECT_EQ(Boxes()[0].find("System_load_begin_BGM()|MIDIファイル .\\MIDI\\town.mid が開けません"), 0u);
    EXPECT_EQ(Game_stat.SystemMenuState, 0);
}

TEST_F(SaveTest, TimersKeepTheirValueAcrossTheTimeBetweenSaveAndLoad) {
    Start("#shot_timer TIMER_1\r\n#delay 10000\r\n#sp\r\n#halt\r\n");
    ASSERT_TRUE(Run_to_halt());
    Save(5);
    const int64_t at_save = int64_t(Save_stat.Game_stat.Timers[0].accumulated_ms); // checkpointed
    EXPECT_GE(at_save, 10000);
    Headless_advance(3600 * 1000);
    ASSERT_EQ(Load(5), SlotRead::Ok);
    EXPECT_EQ(Timer_value(Game_stat.Timers[0]), at_save) << "an hour between save and load does not count";
}

TEST_F(SaveTest, ASnapshotInsideAStringVariableResumesAtItsStr) {
    Start("#set_str \\STR 3 \"" SJ_A SJ_A "#sp \"\r\n\\STR 3 #halt\r\n");
    ASSERT_TRUE(Run_to_halt());
    const std::string script(reinterpret_cast<const char*>(ScriptBuffer), size_t(ScriptLength));
    EXPECT_EQ(size_t(Save_stat.Script_offset), script.find("\\STR 3 #halt")) << "the \\STR in the script";
}

TEST_F(SaveTest, ARecordWithAnEffectRunningFinishesItAtOnce) {
    Write_bmp("gdat/red.bmp", 640, 480, [](int, int) { return 0xFF0000u; });
    const struct {
        int32_t GameStat::*on;
        uint32_t pixel;
    } cases[] = {{&GameStat::g_change_on, 0xFF0000},
                 {&GameStat::fade_in_on, 0xFF0000},
                 {&GameStat::fade_out_on, 0},
                 {&GameStat::shake_on, 0}};
    for (const auto& c : cases) {
        Fresh();
        Start("#g_load BG red.bmp\r\n#sp\r\n#halt\r\n");
        ASSERT_TRUE(Run_to_halt());
        Save_stat.Game_stat.*c.on = 1;
        Save_stat.Game_stat.text_on = 0;
        Save(6);
        Surface_fill(&BackBuffer, 0, 0, 640, 480, 0x123456);
        ScreenOffsetX = 7;
        ASSERT_EQ(Load(6), SlotRead::Ok);
        EXPECT_EQ(Game_stat.*c.on, 0);
        EXPECT_EQ(Game_stat.text_on, 1);
        if (c.on == &GameStat::shake_on) {
            EXPECT_EQ(ScreenOffsetX, 0);
        } else {
            EXPECT_EQ(Surface_get(&BackBuffer, 320, 240), c.pixel);
        }
    }
}

TEST_F(SaveTest, LabelsForPresentAndAbsentSlots) {
    Start("#halt\r\n");
    char label[SLOT_LABEL_SIZE];
    EXPECT_FALSE(Slot_label(5, label));
    EXPECT_STREQ(label, "data05  ----.--.--  --:--:-- ");
    Save(7);
    ASSERT_TRUE(Slot_label(7, label));
    const std::string s = label;
    ASSERT_EQ(s.size(), std::strlen("data07  2026.12.07  01:02:03 ")) << s;
    EXPECT_EQ(s.substr(0, 8), "data07  ");
    EXPECT_EQ(s[12], '.');
    EXPECT_EQ(s.back(), ' ');
    EXPECT_EQ(Slot_file_name(0), ".\\SAVE\\data00.svd");
}

TEST_F(SaveTest, DamagedSlotsAreRefusedBeforeAnythingChanges) {
    Write_file("txt/short.txt", "#halt\r\n");
    Start("#play_midi town.mid\r\n#sp\r\n#halt\r\n");
    ASSERT_TRUE(Run_to_halt());
    Save(0);
    const std::string good = Slot_bytes(0);
    auto with = [&](size_t offset, const std::string& bytes) {
        std::string s = good;
        s.replace(offset, bytes.size(), bytes);
        return s;
    };
    std::string offset_outside = good;
    At(&offset_outside, 512, int32_t(1 << 20));
    std::string negative = good;
    At(&negative, 512, int32_t(-1));
    const struct {
        const char* what;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"short", good.substr(0, 10903), "大きさが 10903 バイト"},
        {"long", good + "x", "大きさが 10905 バイト"},
        {"unterminated", with(2052, std::string(512, 'a')), "終わりの印"},
        {"offset outside", offset_outside, "の外を指しています"},
        {"negative offset", negative, "の外を指しています"},
        {"missing script", with(0, std::string(".\\txt\\gone.txt\0", 16)), "gone.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Write_file("SAVE/data01.svd", c.bytes);
        const SaveStat before = Save_stat;
        const int32_t cursor = ScriptCursor;
        std::string reason;
        EXPECT_EQ(Load(1, &reason), SlotRead::Refused);
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        EXPECT_EQ(std::memcmp(&before, &Save_stat, sizeof before), 0);
        EXPECT_EQ(ScriptCursor, cursor);
        EXPECT_EQ(BgmState.MusicPlaying, 1) << "the music plays on";
    }
    EXPECT_EQ(Load(6), SlotRead::Missing);
}

TEST_F(SaveTest, AWriteThatFailsLeavesTheOldSaveAndSaysWhy) {
    Start("#sp\r\n#halt\r\n");
    ASSERT_TRUE(Run_to_halt());
    EXPECT_FALSE(fs::exists(game_dir + "/SAVE"));
    Save(2); // the missing SAVE folder is made
    const std::string old = Slot_bytes(2);
    // A crash after the temporary file was written: its leftover does no harm to the next save.
    Write_file("SAVE/data02.svd.tmp", "half");
    Save(2);
    EXPECT_EQ(Slot_bytes(2), old);
    // A temporary file that cannot be made (a folder in its place, as a full or read-only disk
    // would refuse it): the save fails with a reason, the old file stays.
    fs::remove(game_dir + "/SAVE/data02.svd.tmp");
    fs::create_directory(game_dir + "/SAVE/data02.svd.tmp");
    std::string reason;
    EXPECT_FALSE(Slot_write(2, &reason));
    EXPECT_NE(reason.find("書き込めません"), std::string::npos);
    EXPECT_EQ(Slot_bytes(2), old);
    // A SAVE that is a file, not a folder.
    fs::remove_all(game_dir + "/SAVE");
    Write_file("SAVE", "not a folder");
    EXPECT_FALSE(Slot_write(2, &reason));
}

} // namespace
