// The player's comforts: skip, auto-advance and the backlog, through the engine on the headless
// platform, with no comfort in use elsewhere.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/present.h"
#include "comforts/comfort_marks.h"
#include "comforts/player_settings.h"
#include "comforts/read_text_file.h"
#include "comforts/reload.h"
#include "comforts/skip_auto.h"
#include "core/dialogs.h"
#include "core/sjis.h"
#include "features/story_fixture.h"
#include "script/backlog.h"
#include "script/interpreter.h"
#include "script/read_text.h"
#include "script/script_file.h"
#include "sound/music.h"
#include "sound/volume.h"
#include "system/snapshot.h"
#include "system/title_menu.h"
#include "ui/backlog_view.h"

namespace {

class ComfortTest : public StoryTest {
  protected:
    static void Press_at(const Rect& r) {
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        Mouse(EventType::MouseDown, 1, x, y);
        Headless_advance(FRAME_PERIOD_MS);
        Main_task();
        Mouse(EventType::MouseUp, 1, x, y);
    }
    static bool Ctrl_skip() { return Platform_key_down(KEY_CONTROL); }
};

struct Ending {
    std::vector<uint8_t> flags, strings;
    SaveStat save;
    uint32_t ms = 0;
    int choices = 0;
};

} // namespace

// The whole demo played twice: once clicking through every wait, once with Ctrl held, answering
// only what asks the player (the title menu, the key wait, the choice). Both end in the same story
// state and the same last save record; the skipped run needs a small part of the time.
TEST_F(ComfortTest, SkippingTheDemoWithCtrlHeldEndsAsClickingThroughIt) {
    namespace fs = std::filesystem;
    fs::copy(KOTOYUMI_DEMO_DIR, game_dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    auto play = [&](bool skip) {
        Fresh();
        Headless_set_key(KEY_CONTROL, skip);
        System_init();
        Ending end;
        for (int frame = 0; frame < 200000 && Game_stat.halt_on != 1; ++frame) {
            const GameStat& g = Game_stat;
            if (g.TitleMenuState == 201) {
                Run_frames(20); // past the menu's input guard
                Press_at(Start_menu_start_button());
            } else if (g.select_on == 1) {
                ++end.choices;
                Press_at(SelectRect[0]);
            } else if (g.wait_kbhit_on == 1) {
                Press_at(Rect{0, 0, 2, 2});
            } else if (!skip && (g.wait_on == 1 || g.page_wait_on == 1)) {
                Click();
            }
            Run_frames(1);
        }
        EXPECT_EQ(Game_stat.halt_on, 1);
        end.flags.assign(Game_stat.Flags, Game_stat.Flags + sizeof Game_stat.Flags);
        end.strings.assign(reinterpret_cast<const uint8_t*>(Game_stat.StringVars),
                           reinterpret_cast<const uint8_t*>(Game_stat.StringVars) +
                               sizeof Game_stat.StringVars);
        end.save = Save_stat;
        end.ms = Platform_time_ms();
        Headless_set_key(KEY_CONTROL, false);
        return end;
    };
    const Ending clicked = play(false);
    const Ending skipped = play(true);
    EXPECT_EQ(skipped.flags, clicked.flags);
    EXPECT_EQ(skipped.strings, clicked.strings);
    EXPECT_EQ(skipped.choices, 1);
    EXPECT_STREQ(skipped.save.Script_file, clicked.save.Script_file);
    EXPECT_EQ(skipped.save.Script_offset, clicked.save.Script_offset);
    EXPECT_STREQ(skipped.save.BG_file, clicked.save.BG_file);
    EXPECT_STREQ(skipped.save.MP3_file, clicked.save.MP3_file);
    EXPECT_EQ(std::memcmp(skipped.save.Game_stat.Flags, clicked.save.Game_stat.Flags, 256), 0);
    EXPECT_LT(skipped.ms * 3, clicked.ms) << skipped.ms << " ms skipped, " << clicked.ms << " ms clicked";
}

// Skip switched on and auto on together never pass what asks the player; the skip switch goes off
// there (the name prompt is still shown and answered).
TEST_F(ComfortTest, SkipAndAutoNeverPassAChoiceAKeyWaitOrTheNamePrompt) {
    const struct {
        const char* script;
        int32_t GameStat::*waiting;
    } cases[] = {
        {SJ_A "#select3 {\r\n" SJ_A "\r\n" SJ_A "\r\n" SJ_A "\r\n/\r\n/\r\n/\r\n}\r\n#halt\r\n",
         &GameStat::select_on},
        {SJ_A "#wait_kbhit\r\n#halt\r\n", &GameStat::wait_kbhit_on},
        {SJ_A "#start_menu 245 360\r\n#halt\r\n", &GameStat::TitleMenuState},
        {SJ_A "#text_input \\STR 0 \"" SJ_A "\"\r\n#halt\r\n", &GameStat::halt_on}, // answered, then on
    };
    for (const auto& c : cases) {
        Fresh();
        Start(c.script);
        Skip_set(true);
        Auto_set(true);
        Run_frames(400);
        EXPECT_NE(Game_stat.*c.waiting, 0) << c.script;
        EXPECT_FALSE(Skip_shown()) << c.script;
    }
    EXPECT_NE(Headless_log_lines().back().find("input"), std::string::npos);
}

// Auto passes a click wait after 1 s + 60 ms a character shown since the last one (at the plain
// pace), quicker after + (whose speed shows for a second); modifier keys alone leave it on, any
// other key ends it.
TEST_F(ComfortTest, AutoPacesItselfByTheTextShownAndAKeyEndsIt) {
    Start(SJ_A SJ_A SJ_A SJ_A SJ_A "#w\r\n" SJ_A "#w\r\n" SJ_A "#w\r\n#halt\r\n");
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    Auto_set(true);
    Run_frames(1);
    Run_frames((1000 + 5 * 60) / FRAME_PERIOD_MS - 2);
    EXPECT_EQ(Game_stat.wait_on, 1);
    Run_frames(3);
    EXPECT_EQ(Game_stat.wait_on, 0);
    EXPECT_EQ(Auto_delay_ms(5), 1300u);

    for (int key : {int(KEY_SHIFT), int(KEY_PLUS), int(KEY_CONTROL), int(KEY_ALT), int(KEY_PLUS)})
        Key(key); // Shift then + is how most keyboards type +
    EXPECT_TRUE(Auto_active());
    EXPECT_EQ(Auto_delay_ms(5), 866u) << "two steps quicker: 150%";
    Run_frames(1);
    auto overlay_shown = [] { return Headless_window_picture()[460 * 640 + 630] == 0x202428u; };
    EXPECT_TRUE(overlay_shown()) << "オート 150% in the bottom-right corner";
    Run_frames(1000 / FRAME_PERIOD_MS);
    EXPECT_FALSE(overlay_shown()) << "for a second";

    ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    Key('x');
    EXPECT_FALSE(Auto_active());
    Run_frames(200);
    EXPECT_EQ(Game_stat.wait_on, 1);
}

// Skip stops before a box or the name prompt opens, and its mark is gone from the picture the
// dialog is drawn over.
TEST_F(ComfortTest, SkipAndItsMarkStopBeforeABoxOrThePromptOpens) {
    static const DialogProcs* window_dialogs = Dialogs_get();
    static bool mark_under_dialog = false;
    static int dialogs = 0;
    static auto look = [] {
        ++dialogs;
        mark_under_dialog = Skip_shown() || Present_window_picture()[10 * 640 + 634] == 0x202428u;
    };
    static const DialogProcs spy = {[](const char* text, const char* caption, BoxKind kind) {
                                        const BoxAnswer answer = window_dialogs->box(text, caption, kind);
                                        look();
                                        return answer;
                                    },
                                    [](const std::string& default_sjis) {
                                        std::string name = window_dialogs->name_prompt(default_sjis);
                                        look();
                                        return name;
                                    }};
    for (const char* dialog : {"#text_input \\STR 0 \"" SJ_A "\"\r\n", "#set_str \\STX 0 \"" SJ_A "\"\r\n"}) {
        Fresh();
        Start(SJ_A "#w\r\n" + std::string(dialog) + "#halt\r\n");
        Dialogs_set(&spy);
        Skip_set(true);
        dialogs = 0;
        Run_frames(1);
        EXPECT_EQ(Headless_window_picture()[10 * 640 + 634], 0x202428u) << "the mark shows while skipping";
        Run_frames(2);
        EXPECT_EQ(dialogs, 1) << dialog;
        EXPECT_FALSE(mark_under_dialog) << dialog;
        Dialogs_set(window_dialogs);
    }
}

// The backlog keeps the earlier page's text in its colour; opening and closing the view at a click
// wait leaves the story's record, the cursor and BackBuffer as they were.
TEST_F(ComfortTest, TheBacklogShowsTheEarlierPageAndChangesNothing) {
    Start(SJ_A SJ_A "#w\r\n#page\r\n#set_text_color 255 0 0 0 0 0\r\n" SJ_SQUARE "#w\r\n#halt\r\n");
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    Click();
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    ASSERT_EQ(Backlog_pages().size(), 1u);
    const BacklogPage& previous = *Backlog_pages()[0];
    ASSERT_EQ(previous.size(), 1u);
    EXPECT_EQ(previous[0].sjis, SJ_A SJ_A);
    EXPECT_EQ(previous[0].colour, 0xFFFFFFu);
    EXPECT_EQ(Backlog_current_page()[0].colour, 0x0000FFu);

    const GameStat before = Game_stat;
    const auto cursor = Cursor();
    const std::vector<uint32_t> back = BackBuffer.pixels;
    const int presents = Headless_present_count();
    auto queue = [](EventType type, int key, int button) {
        PlatformEvent e;
        e.type = type;
        e.key = key;
        e.button = button;
        Headless_push_event(e);
    };
    // Opened by the wheel, closed by scrolling down past the end; then by PageUp, closed by a right
    // click.
    queue(EventType::KeyDown, KEY_PAGEUP, 0);
    queue(EventType::KeyDown, KEY_DOWN, 0);
    PlatformEvent wheel;
    wheel.type = EventType::MouseWheel;
    wheel.wheel = 1;
    WndProc(wheel);
    EXPECT_EQ(Headless_present_count(), presents + 3); // opened, scrolled, closed
    queue(EventType::MouseUp, 0, 2);
    Key(KEY_PAGEUP);
    EXPECT_EQ(Headless_present_count(), presents + 5);
    EXPECT_EQ(std::memcmp(&before, &Game_stat, sizeof before), 0);
    EXPECT_EQ(Cursor(), cursor);
    EXPECT_EQ(BackBuffer.pixels, back);
    EXPECT_EQ(Quit_code(), -1);
}

// The ring holds the last 100 pages; an empty page is never recorded. Pages dropped by a return
// to an earlier page, before the ring is full and after it went round, leave the later pages in
// order.
TEST_F(ComfortTest, TheBacklogRingKeepsTheLastHundredPages) {
    const auto add_pages = [](int from, int count) {
        for (int page = from; page < from + count; ++page) {
            const char digit[2] = {char('0' + page % 10), 0};
            Backlog_char(digit, 1);
            Backlog_page_break();
            Backlog_page_break();
        }
    };
    const auto first_and_last = [] {
        const auto pages = Backlog_pages();
        return std::to_string(pages.size()) + " " + (*pages.front())[0].sjis + " " + (*pages.back())[0].sjis;
    };
    add_pages(0, 10);
    Backlog_drop_from(4);
    add_pages(4, 3);
    EXPECT_EQ(first_and_last(), "7 0 6");
    add_pages(7, 98);
    EXPECT_EQ(first_and_last(), "100 5 4");
    Backlog_drop_from(90);
    add_pages(5, 13);
    EXPECT_EQ(first_and_last(), "100 8 7");
    Backlog_reset();
    EXPECT_TRUE(Backlog_pages().empty());
    add_pages(3, 2);
    EXPECT_EQ(first_and_last(), "2 3 4");
}

// Skipping cuts a delay short but not a timed wait: timers keep real time.
TEST_F(ComfortTest, SkipCutsDelaysShortButTimersKeepRealTime) {
    const struct {
        const char* script;
        uint32_t at_least, at_most; // ms until the halt
    } cases[] = {
        {"#delay 5000\r\n#halt\r\n", 0, 100},
        {"#shot_timer TIMER_1\r\n#timer_wait TIMER_1 to 3000\r\n#halt\r\n", 3000, 3100},
    };
    for (const auto& c : cases) {
        Fresh();
        Start(c.script, false);
        Skip_set(true);
        ASSERT_TRUE(Run_to_halt()) << c.script;
        EXPECT_GE(Platform_time_ms(), c.at_least) << c.script;
        EXPECT_LE(Platform_time_ms(), c.at_most) << c.script;
    }
}

// M mutes both without forgetting the levels; F2-F5 move them in steps of 10 within 0-100.
TEST_F(ComfortTest, VolumeKeysReachTheSoundDevice) {
    Start("#halt\r\n");
    for (int key : {int('m'), int(KEY_F3), int(KEY_F2), int(KEY_F4), int(KEY_F4)})
        Key(key);
    const auto& log = Headless_log_lines();
    const std::vector<std::string> said(log.end() - 5, log.end());
    EXPECT_EQ(said, (std::vector<std::string>{"0 volume music 0 effects 0", "0 volume music 100 effects 100",
                                              "0 volume music 90 effects 100", "0 volume music 90 effects 90",
                                              "0 volume music 90 effects 80"}));
    Volume_set(VolumeLevels{});
}

// F12 tells the player where the picture went, or why it could not be saved, for a second.
TEST_F(ComfortTest, AScreenshotIsToldInTheWindowWhetherItWorkedOrNot) {
    Start("#halt\r\n");
    Write_file("screenshots", "a file where the folder should be");
    Key(KEY_F12);
    const uint32_t refused = Marks_state();
    EXPECT_NE(refused & 32u, 0u) << "a note shows";
    std::filesystem::remove(game_dir + "/screenshots");
    Key(KEY_F12);
    EXPECT_NE(Marks_state() & 32u, 0u);
    EXPECT_NE(Marks_state(), refused) << "the second note is another one";
    EXPECT_EQ(Headless_log_lines().back().find("screenshot \"screenshots/"), 2u)
        << Headless_log_lines().back();
    Headless_advance(1000);
    EXPECT_EQ(Marks_state() & 32u, 0u) << "gone after a second";
}

// The corner mark goes over the window picture only: BackBuffer keeps the story's pixels, and the
// window shows the story again as soon as the mark goes off.
TEST_F(ComfortTest, TheCornerMarkNeverReachesBackBuffer) {
    Start("#halt\r\n");
    Run_frames(2);
    const std::vector<uint32_t> back = BackBuffer.pixels;
    auto corner_differs = [] {
        int n = 0;
        for (int y = 4; y < 24; ++y)
            for (int x = 600; x < 636; ++x)
                n += Headless_window_picture()[y * 640 + x] != Surface_get(&BackBuffer, x, y);
        return n > 0;
    };
    EXPECT_FALSE(corner_differs());
    Auto_set(true);
    Run_frames(1);
    EXPECT_TRUE(corner_differs());
    EXPECT_EQ(BackBuffer.pixels, back);
    Auto_set(false);
    Run_frames(1);
    EXPECT_FALSE(corner_differs());
}

namespace {

const std::string MIDI_FILE = std::string("MThd\0\0\0\6\0\0\0\1\1\xe0", 14);
const std::string MP3_FILE = "ID3\3\0\0\0\0\0\0" + std::string(32, '\0');

// Page 1 starts the town music; page 2 asks; the first option sets flag 1, loads another
// background and changes to the lake music on page 3, the second sets flag 2.
const char* const STORY =
    "#play_midi town.mid\r\n" SJ_A "#w\r\n#page\r\n" SJ_A ";\r\n;\r\n" SJ_A "\r\n"
    "#text_input \\STR 0 \"" SJ_TARO "\"\r\n"
    "#select3 {\r\nOne\r\nTwo\r\nThree\r\n/\r\n"
    "#flag_on 1\r\n#g_load BG bg.bmp\r\n#page\r\n#stop_midi\r\n#play_mp3 lake.mp3\r\n" SJ_SQUARE
    "#w\r\n#halt\r\n/\r\n#flag_on 2\r\n" SJ_SQUARE "#w\r\n#halt\r\n/\r\n#halt\r\n}\r\n";

class RollbackTest : public ComfortTest {
  protected:
    void Start_story() {
        Write_file("MIDI/town.mid", MIDI_FILE);
        Write_file("MIDI/lake.mp3", MP3_FILE);
        Write_new_background();
        Start(STORY);
    }
    // Opens the backlog at the wait and clicks line `view_line` of the view, answering `answer`.
    static void Click_in_backlog(int view_line, BoxAnswer answer) {
        PlatformEvent up;
        up.type = EventType::MouseUp;
        up.button = 1;
        up.x = 100;
        up.y = 16 + 26 * view_line + 13;
        Headless_push_event(up);
        Headless_queue_answer(answer);
        if (answer == BoxAnswer::No) Headless_push_event(Escape());
        Key(KEY_PAGEUP);
    }
    static PlatformEvent Escape() {
        PlatformEvent e;
        e.type = EventType::KeyDown;
        e.key = KEY_ESCAPE;
        return e;
    }
};

} // namespace

// A rollback across a choice, a picture change, a music change and a flag change puts back every
// field as it stood at that page's start, and the choice can then be made the other way. A No
// changes nothing.
TEST_F(RollbackTest, ReturnsToAPageStartAcrossAChoicePictureMusicAndFlag) {
    Start_story();
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    Click();
    ASSERT_TRUE(Run_until([] { return Backlog_pages().size() == 1; }));
    const GameStat at_start = Game_stat;
    const TextSettings text = Text;
    const int32_t cursor = int32_t(std::string(STORY).find("#page") + 5); // as a save point there
    const std::string bg_name = BackgroundSurface.PictureName;
    const std::vector<uint32_t> back = BackBuffer.pixels;
    ASSERT_TRUE(Run_until([] { return Game_stat.select_on == 1; }));
    Press_at(SelectRect[0]);
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    ASSERT_EQ(Game_stat.Flags[1], 1);
    ASSERT_STREQ(BgmState.MusicPath, ".\\MIDI\\lake.mp3");
    ASSERT_NE(BackgroundSurface.PictureName, bg_name);

    Click_in_backlog(2, BoxAnswer::No); // page 2's first line, after page 1 and the rule
    EXPECT_EQ(Game_stat.Flags[1], 1);
    EXPECT_EQ(Backlog_pages().size(), 2u);
    EXPECT_EQ(Boxes().back(), "バックログ|このページに戻りますか？");

    Click_in_backlog(2, BoxAnswer::Yes);
    EXPECT_EQ(ScriptCursor, cursor);
    EXPECT_EQ(BackgroundSurface.PictureName, bg_name);
    EXPECT_EQ(BackBuffer.pixels, back);
    GameStat now = Game_stat;
    EXPECT_EQ(now.SystemMenuState, 106); // the load's music restart
    now.SystemMenuState = at_start.SystemMenuState;
    EXPECT_EQ(std::memcmp(&now, &at_start, sizeof now), 0);
    EXPECT_EQ(std::memcmp(&Text, &text, sizeof text), 0);
    Run_frames(1);
    EXPECT_STREQ(BgmState.MusicPath, ".\\MIDI\\town.mid");
    EXPECT_EQ(BgmState.MusicPlaying, 1);
    EXPECT_EQ(Backlog_pages().size(), 1u); // page 2 and what followed left the backlog
    EXPECT_TRUE(Backlog_current_page().empty());

    ASSERT_TRUE(Run_until([] { return Game_stat.select_on == 1; }));
    Press_at(SelectRect[1]);
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    EXPECT_EQ(Game_stat.Flags[1], 0);
    EXPECT_EQ(Game_stat.Flags[2], 1);
}

// The backlog keeps a page's blank lines where they stood, the choice with the option taken marked
// and the name typed at the prompt.
TEST_F(RollbackTest, TheBacklogKeepsBlankLinesTheChoiceTakenAndTheNameTyped) {
    Start_story();
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    Click();
    ASSERT_TRUE(Run_until([] { return Game_stat.select_on == 1; }));
    Press_at(SelectRect[1]);
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    std::vector<std::pair<int, std::string>> lines;
    for (const BacklogPiece& p : Backlog_current_page())
        lines.emplace_back(p.line, Sjis_to_utf8(p.sjis.c_str()));
    const std::vector<std::pair<int, std::string>> expected = {
        {0, "あ"},       {2, "あ"}, {3, "（名前の入力：太郎）"}, {4, "　 One"}, {5, "→ Two"},
        {6, "　 Three"}, {8, "■"}};
    EXPECT_EQ(lines, expected);
}

// Reload while playing: an edit above the current page moves the story to the same place in the
// new text; a deleted label starts the script over; a script with an error is not taken.
TEST_F(RollbackTest, ReloadReturnsToThePageInTheNewTextAndKeepsTheOldOneOnErrors) {
    const std::string head = "*one:\r\n" SJ_A "#w\r\n#page\r\n*two:\r\n" SJ_A "#w\r\n#page\r\n";
    const std::string page = SJ_SQUARE "#w\r\n" SJ_A "#w\r\n#halt\r\n";
    Start(head + page);
    for (int waits = 0; waits < 3; ++waits) {
        ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
        if (waits < 2) Click();
        Run_frames(1);
    }
    const std::string added = "*one:\r\n" SJ_A "#w\r\n;\r\n#page\r\n*two:\r\n" SJ_A "#w\r\n#page\r\n";
    Write_file("txt/config.txt", added + page);
    Reload_game();
    EXPECT_EQ(ScriptCursor, int32_t(added.size() - 2)); // after the last #page, where it stood
    EXPECT_TRUE(Backlog_current_page().empty());
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    EXPECT_EQ(Sjis_to_utf8(Backlog_current_page()[0].sjis.c_str()), "■");

    Write_file("txt/config.txt", "#w\r\n" + page + "*two:\r\n#halt\r\n#bogus\r\n");
    Reload_game();
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes().back().find("再読み込み|台本に誤りがあるため"), std::string::npos) << Boxes().back();
    EXPECT_NE(Boxes().back().find("txt/config.txt:"), std::string::npos) << Boxes().back();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ScriptBuffer), size_t(ScriptLength)), added + page);
    EXPECT_EQ(Game_stat.wait_on, 1);

    Write_file("txt/config.txt", SJ_A "#w\r\n" + page);
    Reload_game();
    EXPECT_EQ(ScriptCursor, 0);
}

// The moved position: the same number of lines after the label, at the label when the new text is
// shorter there.
TEST(ReloadPosition, KeepsLinesAfterTheLabelOrFallsBackToIt) {
    bool gone = true;
    const std::string old_text = "a\r\n*l:\r\nx\r\n#page\r\n";
    const int32_t at = int32_t(old_text.find("#page") + 5);
    EXPECT_EQ(Reload_moved_offset(old_text, at, "b\r\nb\r\n*l:\r\nx\r\n#page\r\n", &gone), at + 3);
    EXPECT_FALSE(gone);
    EXPECT_EQ(Reload_moved_offset(old_text, at, "*l:\r\nx\r\n#jump y\r\n", &gone), 5 + 3); // line start
    EXPECT_EQ(Reload_moved_offset(old_text, at, "b\r\n*l:\r\nx\r\n", &gone), 3);
    EXPECT_EQ(Reload_moved_offset(old_text, at, "*m:\r\nx\r\n#page\r\n", &gone), 0);
    EXPECT_TRUE(gone);
}

// Skip in read mode passes the pages read before, also after a restart, and stops where the first
// unread page begins to show; the same script edited is unread again. A 1 MiB script read at every
// place a run of text can begin still fits in 64 KiB.
TEST_F(ComfortTest, SkipPassesReadTextAndStopsAtTheFirstUnreadPage) {
    std::string script = SJ_A "#w\r\n" SJ_A SJ_A "#w\r\n" SJ_SQUARE "#w\r\n#halt\r\n";
    const int32_t third = int32_t(script.find(SJ_SQUARE)) + 2; // the cursor past its first character
    Start(script);
    for (int page = 0; page < 2; ++page) {
        ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
        Click();
    }
    Run_frames(1);
    const std::string file = Read_text_encode();
    auto skip_from_start = [&](bool read_only) {
        Fresh();
        Start(script);
        std::string error;
        ASSERT_TRUE(Read_text_decode(file, &error)) << error;
        Skip_read_only_set(read_only);
        Skip_set(true);
        Run_until([] { return !Skip_shown() || Game_stat.halt_on == 1; }, 50);
    };
    skip_from_start(true);
    EXPECT_FALSE(Skip_shown());
    EXPECT_EQ(ScriptCursor, third);
    EXPECT_EQ(Game_stat.text_on, 1) << "the unread page types as usual";
    skip_from_start(false);
    EXPECT_EQ(Game_stat.halt_on, 1) << "skip all passes unread text";

    // Ctrl held through a stop at unread text skips again only once pressed anew.
    Fresh();
    Start(script);
    Skip_read_only_set(true);
    Headless_set_key(KEY_CONTROL, true);
    Run_frames(1);
    EXPECT_FALSE(Skip_shown());
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    Run_frames(3);
    EXPECT_EQ(Game_stat.wait_on, 1) << "the held Ctrl passed the unread page's wait";
    Headless_set_key(KEY_CONTROL, false);
    Run_frames(1);
    Headless_set_key(KEY_CONTROL, true);
    Run_frames(1);
    EXPECT_EQ(Game_stat.wait_on, 0) << "pressed anew, Ctrl skips again";
    Headless_set_key(KEY_CONTROL, false);
    script[0] = '\x83'; // an edited script
    skip_from_start(true);
    EXPECT_EQ(ScriptCursor, 2);

    // Damaged records are refused whole: cut short, another form, an offset past the script's
    // end, the same script twice.
    std::string error;
    const size_t form_at = 8 + 2 + std::string(ScriptFileName).size() + 8 + 4;
    std::string other_form = file, past_end = file;
    other_form[form_at] = 7;
    past_end[form_at + 5 + 1] = char(0x7F);
    for (const std::string& bad : {file.substr(0, file.size() - 1), std::string("garbage"), other_form,
                                   past_end, file + file.substr(8)}) {
        EXPECT_FALSE(Read_text_decode(bad, &error));
        EXPECT_FALSE(error.empty());
    }

    std::string big;
    while (big.size() + 3 <= size_t(SCRIPT_BUFFER_SIZE))
        big += "a#w";
    Fresh();
    Start(big);
    for (int32_t at = 0; at + 3 <= ScriptLength; at += 3) {
        ScriptCursor = at;
        Game_stat.text_on = 1;
        Read_text_step_begins();
        Read_text_char_drawn();
        Game_stat.text_on = 0;
        Read_text_step_ended();
    }
    const std::string full = Read_text_encode();
    EXPECT_LE(full.size(), 65536u);
    Read_text_reset();
    Read_text_script_loaded();
    ASSERT_TRUE(Read_text_decode(full, &error)) << error;
    EXPECT_TRUE(Read_text_is_read(0));
    EXPECT_TRUE(Read_text_is_read(ScriptLength - 3));
}

// F1 at a click wait opens the settings screen: every row's control changes its setting at once and
// the settings file remembers it; closing it (Escape, a right click, 閉じる) leaves the story as it
// was. H shows the picture alone, and the key that brings the text back does nothing else.
TEST_F(ComfortTest, TheSettingsScreenChangesEachSettingAndNothingElse) {
    Start(SJ_A "#w\r\n#halt\r\n");
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    const std::string path = game_dir + "/settings.conf";
    Player_settings_remember_in(path);
    const GameStat before = Game_stat;
    const auto cursor = Cursor();
    const std::vector<uint32_t> back = BackBuffer.pixels;
    auto queue_click = [](const UiRect& r, int button = 1) {
        for (EventType type : {EventType::MouseDown, EventType::MouseUp}) {
            PlatformEvent e;
            e.type = type;
            e.button = button;
            e.x = r.x + r.w / 2;
            e.y = r.y + r.h / 2;
            Headless_push_event(e);
        }
    };
    auto queue_key = [](int key) {
        PlatformEvent e;
        e.type = EventType::KeyDown;
        e.key = key;
        Headless_push_event(e);
    };
    const std::vector<SettingsRow> rows = Settings_screen_rows();
    // A shorter text wait, no click finishing, auto one step quicker, skip read text only, music and
    // effects a step quieter, muted, full screen, twice the size.
    const int picks[] = {-1, 1, 1, 0, -1, -1, 1, 1, 1};
    for (size_t row = 0; row < rows.size(); ++row)
        queue_click(Settings_view_value_rect(rows, row, picks[row]));
    queue_key(KEY_ESCAPE);
    Key(KEY_F1);
    EXPECT_EQ(Text_speed(), 75);
    EXPECT_FALSE(Text_click());
    EXPECT_EQ(Auto_speed(), 125);
    EXPECT_TRUE(Skip_read_only());
    EXPECT_EQ(Volume.music, 90);
    EXPECT_EQ(Volume.effects, 90);
    EXPECT_TRUE(Volume.muted);
    int scale = 0;
    bool fullscreen = false;
    Platform_window_mode(&scale, &fullscreen);
    EXPECT_EQ(scale, 2);
    EXPECT_TRUE(fullscreen);
    PlayerSettings saved;
    ASSERT_TRUE(Settings_load(path, &saved));
    EXPECT_EQ(Settings_format(saved), Settings_format(Player_settings_now()));

    // The keys: down to the second row, click finishing on again, then down to 閉じる and Enter.
    queue_key(KEY_DOWN);
    queue_key(KEY_LEFT);
    queue_key(KEY_UP);
    for (size_t row = 0; row < rows.size(); ++row)
        queue_key(KEY_DOWN);
    queue_key(KEY_RETURN);
    Key(KEY_F1);
    EXPECT_TRUE(Text_click());
    queue_click(UiRect{300, 200, 1, 1}, 2);
    Key(KEY_F1);
    queue_click(Settings_view_close_rect(rows));
    Key(KEY_F1);
    queue_key(KEY_RETURN);
    const int presents = Headless_present_count();
    Key('h');
    EXPECT_EQ(Headless_present_count(), presents + 2); // the picture alone, then the page again
    EXPECT_EQ(std::memcmp(&before, &Game_stat, sizeof before), 0);
    EXPECT_EQ(Cursor(), cursor);
    EXPECT_EQ(BackBuffer.pixels, back);
    EXPECT_EQ(Quit_code(), -1);
    Player_settings_remember_in("");
    Volume_set(VolumeLevels{});
}

// The read-text file: written at the end of a run and read at the next start; missing, it is
// quietly nothing read; damaged, nothing read and one line on standard error.
TEST_F(ComfortTest, TheReadTextFileKeepsWhatWasReadAndADamagedOneReadsAsNothing) {
    const std::string path = Read_text_path(game_dir + "/data", game_dir);
    EXPECT_EQ(path.rfind(game_dir + "/data/kotoyumi/", 0), 0u) << path;
    EXPECT_EQ(path.substr(path.size() - 5), ".read");
    Start(SJ_A "#w\r\n#halt\r\n");
    testing::internal::CaptureStderr();
    Read_text_file_use(path);
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    Read_text_file_write();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    Fresh();
    Read_text_file_use(path);
    Start(SJ_A "#w\r\n#halt\r\n");
    EXPECT_TRUE(Read_text_is_read(0));

    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes.substr(0, bytes.size() - 2);
    Fresh();
    testing::internal::CaptureStderr();
    Read_text_file_use(path);
    const std::string said = testing::internal::GetCapturedStderr();
    Start(SJ_A "#w\r\n#halt\r\n");
    EXPECT_FALSE(Read_text_is_read(0));
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    Read_text_file_use("");
}
