// Reading scripts into the one script buffer: the first script and what happens without it, the
// size limit, and what a shorter script leaves behind.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/frame_loop.h"
#include "script_fixture.h"
#include "sound/sound_ahead.h"

namespace fs = std::filesystem;

TEST_F(ScriptTest, MissingFirstScriptNamesItAndTheGameFolderAndEndsWithCodeOne) {
    Write_startup_pictures();
    fs::remove("txt/config.txt");
    System_init();
    ASSERT_EQ(Headless_boxes().size(), 1u);
    const std::string& text = Headless_boxes()[0].text;
    EXPECT_NE(text.find(".\\txt\\config.txt"), std::string::npos) << text;
    EXPECT_NE(text.find(fs::current_path().string()), std::string::npos) << text;
    EXPECT_EQ(Quit_code(), 1);
    EXPECT_EQ(Main_loop(), 1);
}

TEST_F(ScriptTest, FirstScriptSizeLimitIsTheBuffer) {
    // One byte too many: refused with a box, the program ends with code 1.
    Write_startup_pictures();
    Write_file("txt/config.txt", std::string(SCRIPT_BUFFER_SIZE + 1, 'a'));
    System_init();
    ASSERT_EQ(Headless_boxes().size(), 1u);
    EXPECT_NE(Headless_boxes()[0].text.find(".\\txt\\config.txt"), std::string::npos);
    EXPECT_EQ(Quit_code(), 1);

    // Exactly the buffer: loaded whole. Its last byte is a lead byte with nothing after it inside
    // the buffer; stepping over it must not read past the buffer, and stepping then stops.
    Fresh();
    std::string full(SCRIPT_BUFFER_SIZE, 'a');
    full.back() = '\x82';
    Write_file("txt/config.txt", full);
    System_init();
    EXPECT_TRUE(Headless_boxes().empty());
    EXPECT_EQ(Quit_code(), -1);
    EXPECT_EQ(ScriptLength, SCRIPT_BUFFER_SIZE);
    EXPECT_EQ(ScriptBuffer[SCRIPT_BUFFER_SIZE - 1], 0x82);
    Text.Text_WAIT = 0;
    ScriptCursor = SCRIPT_BUFFER_SIZE - 1;
    Run_frames(1);
    EXPECT_EQ(Text.Text_X, 40) << "drawn as one (unknown) two-byte character";
    Run_frames(1);
    EXPECT_EQ(Game_stat.halt_on, 1);
    EXPECT_EQ(Game_stat.text_on, 0);
}

TEST_F(ScriptTest, AShorterScriptLeavesTheOldTailButStepsOnlyItsOwnBytes) {
    Start(std::string(100, 'L'));
    Write_file("txt/short.txt", std::string(10, 's'));
    ASSERT_EQ(Script_read(".\\txt\\short.txt"), FileRead::Ok);
    EXPECT_EQ(ScriptLength, 10);
    EXPECT_EQ(ScriptCursor, 0);
    EXPECT_STREQ(ScriptFileName, ".\\txt\\short.txt");
    for (int i = 0; i < 10; ++i)
        ASSERT_EQ(ScriptBuffer[i], 's') << i;
    for (int i = 10; i < 100; ++i)
        ASSERT_EQ(ScriptBuffer[i], 'L') << i;
    EXPECT_EQ(ScriptBuffer[100], 0);

    Run_frames(12);
    EXPECT_EQ(Text.Text_X, 20 + 10 * 10) << "the ten new bytes and nothing of the old tail";
    EXPECT_EQ(Game_stat.halt_on, 1);

    EXPECT_EQ(Script_read(".\\txt\\missing.txt"), FileRead::CannotOpen);
    EXPECT_EQ(ScriptLength, 10) << "a failed read changes nothing";
    EXPECT_STREQ(ScriptFileName, ".\\txt\\short.txt");
    EXPECT_EQ(ScriptBuffer[0], 's');
}

// A script read in asks the platform to get its sound device ready when it holds a command that
// sounds, once until a reset. A reset clears every byte any script filled, however long, back to
// the zeros of a buffer never used.
TEST_F(ScriptTest, AScriptThatSoundsPreparesTheDeviceAndAResetClearsTheBuffer) {
    static int prepared = 0;
    PlatformAudio audio = *Headless_backend()->audio;
    audio.prepare = [] { ++prepared; };
    PlatformBackend backend = *Headless_backend();
    backend.audio = &audio;
    Platform_use_backend(&backend);
    const struct {
        std::string text;
        int asks;
    } cases[] = {
        {"", 0},
        {"text\r\n#wait\r\n#stop_midi\r\n", 0},
        {"#play\r\n#play-wav x.wav\r\n", 0},
        {"#play_wav rain.wav\r\n", 1},
        {std::string(SCRIPT_BUFFER_SIZE - 10, 'a') + "#play_mp3", 1},
        {"#play_mp3 a.mp3\r\n#play_midi b.mid\r\n", 1},
    };
    const auto read = [this](const std::string& text) {
        Write_file("txt/x.txt", text);
        ASSERT_EQ(Script_read(".\\txt\\x.txt"), FileRead::Ok);
    };
    for (const auto& c : cases) {
        Sound_ahead_reset();
        prepared = 0;
        read(c.text);
        EXPECT_EQ(prepared, c.asks) << c.text.substr(0, 40);
    }
    read("#play_wav rain.wav\r\n");
    EXPECT_EQ(prepared, 1) << "asked already";
    Sound_ahead_reset();
    read("#play_wav rain.wav\r\n");
    EXPECT_EQ(prepared, 2) << "asked again after a reset";
    Platform_use_backend(Headless_backend());
    Script_reset();
    EXPECT_EQ(std::count(ScriptBuffer, ScriptBuffer + SCRIPT_BUFFER_SIZE, 0), SCRIPT_BUFFER_SIZE);
}

// An empty file reads as nothing at all: the buffer keeps what it held and the story stops at once
// (with nothing to copy, no copy is made: the sanitizer build checks it).
TEST_F(ScriptTest, AnEmptyFirstScriptStopsAtOnce) {
    Write_startup_pictures();
    Write_file("txt/config.txt", "");
    ScriptBuffer[0] = 'x';
    System_init();
    EXPECT_TRUE(Headless_boxes().empty()) << "an empty script is not an unreadable one";
    EXPECT_EQ(ScriptLength, 0);
    EXPECT_EQ(ScriptBuffer[0], 'x') << "nothing was read over it";
    Run_frames(3);
    EXPECT_EQ(Game_stat.halt_on, 1);
    EXPECT_TRUE(Shows_background());
}

TEST_F(ScriptTest, AFifoInPlaceOfTheFirstScriptIsReportedNotWaitedOn) {
    Write_startup_pictures();
    std::filesystem::remove(game_dir + "/txt/config.txt");
    ASSERT_EQ(::mkfifo((game_dir + "/txt/config.txt").c_str(), 0644), 0);
    System_init(); // must not block in open()
    EXPECT_EQ(Quit_code(), 1);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].find("見つからないか、読み込めません"), std::string::npos);
}
