// The save snapshot, slot files and the restore: the record byte for byte, save points by mode,
// what a load brings back (script position, pictures, text settings, timers, title, music and the
// looping effect through state 106), the checks that refuse a damaged slot before anything live
// changes, and writes that fail without harming the old save.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "features/story_fixture.h"
#include "features/timers.h"
#include "gfx/fixed_surfaces.h"
#include "script/script_file.h"
#include "script/text_settings.h"
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
    At(&expected, 3592, Text.Font_Size);
    At(&expected, 3596, Text.Text_WAIT);
    At(&expected, 3600, int32_t(40));
    At(&expected, 3604, int32_t(60));
    At(&expected, 3608, int32_t(600));
    At(&expected, 3612, int32_t(440));
    At(&expected, 3616, Save_stat.Text.Text_X);
    At(&expected, 3620, Save_stat.Text.Text_Y);
    At(&expected, 3624, Text.Text_X_PITCH);
    At(&expected, 3628, Text.Text_Y_PITCH);
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
    EXPECT_EQ(Cursor(), std::pair(Text.Text_AREA.left, Text.Text_AREA.top));
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

// Every field of the record comes back from a load into an engine whose state differs in every
// field: a restore that forgets one fails here.
TEST_F(SaveTest, EveryFieldOfTheRecordComesBackFromALoad) {
    Write_file("txt/a.txt", "#halt\r\n" + std::string(64, ';') + "#halt\r\n");
    Write_file("MIDI/field.mid", MIDI);
    for (const char* name : {"gdat/bs.bmp", "gdat/bg.bmp", "gdat/pt.bmp", "gdat/other.bmp"})
        Write_bmp(name, 8, 8, [](int, int) { return 0x336699u; });
    Start("#play_midi field.mid\r\n#play_wav 1 rain.wav\r\n#halt\r\n");
    ASSERT_TRUE(Run_to_halt());

    // A: every saved field away from its default (timers stopped, so that time cannot move them).
    ASSERT_EQ(Script_read(".\\txt\\a.txt"), FileRead::Ok);
    ScriptSource = {ScriptBuffer, ScriptLength};
    ScriptCursor = 40;
    Surface_set_name(&BackBuffer, ".\\gdat\\bs.bmp");
    Surface_set_name(&BackgroundSurface, ".\\gdat\\bg.bmp");
    Surface_set_name(&PartsSurface, ".\\gdat\\pt.bmp");
    Text.Font_Size = 31;
    Text.Text_WAIT = 77;
    Text.Text_AREA = Rect{11, 12, 613, 414};
    Text.Text_X = 200; // mid-page: a load puts the cursor at the area's top-left instead
    Text.Text_Y = 300;
    Text.Text_X_PITCH = 3;
    Text.Text_Y_PITCH = 9;
    Text.Text_COLOR1 = 0x123456;
    Text.Text_COLOR2 = 0x654321;
    Text.save_point_mode = SAVE_POINT_MANUAL;
    for (int i = 0; i < FLAG_COUNT; ++i)
        Game_stat.Flags[i] = uint8_t(i % 2);
    for (int i = 0; i < STRING_VAR_COUNT; ++i)
        std::snprintf(Game_stat.StringVars[i], STRING_VAR_SIZE, "var %d", i);
    Game_stat.system_menu_flag = 1; // state 106, which resumes the music, runs only while it is on
    Game_stat.fps_on = 1;
    Game_stat.disp_timer_on = 1;
    Game_stat.disp_timer_single_on = 1;
    Game_stat.SingleTimer = 2;
    for (int i = 0; i < TIMER_COUNT; ++i)
        Game_stat.Timers[i] = TimerRec{0, uint64_t(1000 * (i + 1)), 0, 10 * i, 20 * i, 0, {}};
    std::snprintf(Game_stat.WindowTitle, sizeof Game_stat.WindowTitle, "field title");
    Snapshot_take();
    const SaveStat saved = Save_stat;
    const GameStat a = Game_stat;
    Save(3);

    // B: every field somewhere else, music and effect included.
    Start("#stop_midi\r\n#stop_wav\r\n#play_midi town.mid\r\n#play_wav 1 bell.wav\r\n#halt\r\n");
    ASSERT_TRUE(Run_to_halt());
    Surface_set_name(&BackBuffer, ".\\gdat\\other.bmp");
    Surface_set_name(&BackgroundSurface, ".\\gdat\\other.bmp");
    Surface_set_name(&PartsSurface, ".\\gdat\\other.bmp");
    Text.Font_Size = 16;
    Text.Text_WAIT = 5;
    Text.Text_AREA = Rect{0, 0, 640, 480};
    Text.Text_X_PITCH = Text.Text_Y_PITCH = 0;
    Text.Text_COLOR1 = Text.Text_COLOR2 = 0xFFFFFF;
    Text.save_point_mode = SAVE_POINT_AUTO;
    std::memset(&Game_stat, 0x7F, sizeof Game_stat);
    Game_stat.WindowTitle[0] = '\0';

    ASSERT_EQ(Load(3), SlotRead::Ok);
    Run_frames(1); // state 106 resumes the music and the effect
    EXPECT_STREQ(ScriptFileName, ".\\txt\\a.txt");
    EXPECT_EQ(ScriptCursor, 40);
    EXPECT_STREQ(BackBuffer.PictureName, ".\\gdat\\bs.bmp");
    EXPECT_STREQ(BackgroundSurface.PictureName, ".\\gdat\\bg.bmp");
    EXPECT_STREQ(PartsSurface.PictureName, ".\\gdat\\pt.bmp");
    EXPECT_EQ(Text.Font_Size, 31);
    EXPECT_EQ(Text.Text_WAIT, 77);
    EXPECT_EQ(Text.Text_AREA.left, 11);
    EXPECT_EQ(Text.Text_AREA.top, 12);
    EXPECT_EQ(Text.Text_AREA.right, 613);
    EXPECT_EQ(Text.Text_AREA.bottom, 414);
    EXPECT_EQ(Cursor(), std::pair(11, 12));
    EXPECT_EQ(Text.Text_X_PITCH, 3);
    EXPECT_EQ(Text.Text_Y_PITCH, 9);
    EXPECT_EQ(Text.Text_COLOR1, 0x123456u);
    EXPECT_EQ(Text.Text_COLOR2, 0x654321u);
    EXPECT_EQ(Text.save_point_mode, SAVE_POINT_MANUAL);
    EXPECT_EQ(std::memcmp(Game_stat.Flags, a.Flags, sizeof a.Flags), 0);
    EXPECT_EQ(std::memcmp(Game_stat.StringVars, a.StringVars, sizeof a.StringVars), 0);
    EXPECT_EQ(Game_stat.system_menu_flag, 1);
    EXPECT_EQ(Game_stat.fps_on, 1);
    EXPECT_EQ(Game_stat.disp_timer_on, 1);
    EXPECT_EQ(Game_stat.disp_timer_single_on, 1);
    EXPECT_EQ(Game_stat.SingleTimer, 2);
    for (int i = 0; i < TIMER_COUNT; ++i) {
        EXPECT_EQ(Game_stat.Timers[i].accumulated_ms, a.Timers[i].accumulated_ms) << i;
        EXPECT_EQ(Game_stat.Timers[i].disp_x, a.Timers[i].disp_x) << i;
        EXPECT_EQ(Game_stat.Timers[i].disp_y, a.Timers[i].disp_y) << i;
        EXPECT_EQ(Game_stat.Timers[i].running, 0) << i;
    }
    EXPECT_STREQ(Game_stat.WindowTitle, "field title");
    EXPECT_EQ(Game_stat.halt_on, a.halt_on);
    EXPECT_EQ(Game_stat.text_on, a.text_on);
    EXPECT_EQ(BgmState.MusicPlaying, 1);
    EXPECT_EQ(BgmState.MusicType, MUSIC_MIDI);
    EXPECT_STREQ(BgmState.MusicPath, ".\\MIDI\\field.mid");
    EXPECT_EQ(WavState.WavPlaying, 1);
    EXPECT_EQ(WavState.WAV_loop_flag, WAV_LOOP);
    EXPECT_STREQ(WavState.WavLoopPath, ".\\wav\\rain.wav");
    // What the next save point writes is the record that was loaded, byte for byte, but for the
    // cursor.
    SaveStat expected = saved;
    expected.Text.Text_X = 11;
    expected.Text.Text_Y = 12;
    Snapshot_take();
    EXPECT_EQ(std::memcmp(&Save_stat, &expected, sizeof expected), 0);
}

TEST_F(SaveTest, MusicIsRecordedAsMidiOrMp3ByItsType) {
    Write_file("MIDI/lake.mp3", "ID3\3\0\0\0\0\0\0" + std::string(32, '\0'));
    Start("#play_mp3 lake.mp3\r\n#sp\r\n#halt\r\n");
    ASSERT_TRUE(Run_to_halt());
    EXPECT_STREQ(Save_stat.MP3_file, ".\\MIDI\\lake.mp3");
    EXPECT_STREQ(Save_stat.MIDI_file, "");
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

// A hostile game folder plants links where a save writes: nothing outside the game changes.
TEST_F(SaveTest, ASaveNeverWritesThroughALinkOutOfTheGame) {
    Start("#sp\r\n#halt\r\n");
    ASSERT_TRUE(Run_to_halt());
    char outside_name[] = "/tmp/kotoyumi-outside-XXXXXX";
    ASSERT_NE(::mkdtemp(outside_name), nullptr);
    const std::string outside = outside_name;
    std::ofstream(outside + "/victim.sh") << "original";
    auto victim = [&] {
        std::ifstream in(outside + "/victim.sh", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };

    // The temporary file as a link to an outside file: the link goes, the outside file stays.
    fs::create_directory(game_dir + "/SAVE");
    fs::create_symlink(outside + "/victim.sh", game_dir + "/SAVE/data03.svd.tmp");
    Save(3);
    EXPECT_EQ(victim(), "original");
    EXPECT_EQ(fs::file_size(game_dir + "/SAVE/data03.svd"), sizeof(SaveStat));
    EXPECT_FALSE(fs::exists(fs::symlink_status(game_dir + "/SAVE/data03.svd.tmp")));

    // The slot file itself as a link out: refused as outside the game, the outside file unread.
    fs::create_symlink(outside + "/victim.sh", game_dir + "/SAVE/data04.svd");
    std::string reason;
    EXPECT_FALSE(Slot_write(4, &reason));
    EXPECT_EQ(victim(), "original");
    EXPECT_EQ(Load(4, &reason), SlotRead::Refused);
    EXPECT_NE(reason.find("ゲームのフォルダの外"), std::string::npos) << reason;

    // The whole SAVE folder as a link out: refused, nothing made there.
    fs::remove_all(game_dir + "/SAVE");
    fs::create_symlink(outside, game_dir + "/SAVE");
    EXPECT_FALSE(Slot_write(0, &reason));
    EXPECT_NE(reason.find("ゲームのフォルダの外"), std::string::npos) << reason;
    EXPECT_FALSE(fs::exists(outside + "/data00.svd"));
    fs::remove(game_dir + "/SAVE");
    fs::remove_all(outside);
}

// A slot whose label shows a date but whose file cannot be read says why, not that it is missing.
TEST_F(SaveTest, AnUnreadableSlotSaysWhyItCannotBeLoaded) {
    Start("#halt\r\n");
    fs::create_directories(game_dir + "/SAVE/data05.svd");
    char label[SLOT_LABEL_SIZE];
    EXPECT_TRUE(Slot_label(5, label)) << "the label shows its date";
    std::string reason;
    EXPECT_EQ(Slot_probe(5, &reason), SlotRead::Refused);
    EXPECT_NE(reason.find("ファイルを開けません（not a regular file）"), std::string::npos) << reason;
    EXPECT_EQ(Load(5, &reason), SlotRead::Refused);
    EXPECT_FALSE(Load_game_can_try(5, "System_load_task()"));
    EXPECT_FALSE(Load_game_can_try(6, "System_load_task()"));
    const std::vector<std::string> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].rfind("System_load_task()|このセーブデータは読み込めません\n\n【data05  ", 0), 0u)
        << boxes[0];
    EXPECT_EQ(boxes[1], "System_load_task()|セーブデータがありません");
}

} // namespace
