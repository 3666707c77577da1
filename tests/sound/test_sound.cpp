// Sound effects and music through the headless platform's null sound driver: the media strings
// sent and their order, the records, refusals and failures, looping on the end-of-play
// notification, and the stops when the program ends. Then the media-string interpreter alone.
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "features/story_fixture.h"
#include "formats/wav_check.h"
#include "sound/effects.h"
#include "sound/media_strings.h"
#include "sound/music.h"

namespace {

const std::string MIDI = std::string("MThd\0\0\0\6\0\0\0\1\1\xe0", 14);
const std::string MP3 = "ID3\3\0\0\0\0\0\0" + std::string(32, '\0');

class SoundTest : public StoryTest {
  protected:
    void SetUp() override {
        StoryTest::SetUp();
        Write_file("MIDI/town.mid", MIDI);
        Write_file("MIDI/lake.mp3", MP3);
        Write_file("wav/rain.wav", Test_wav());
    }
    // Plays `script` to its halt.
    void Play(const std::string& script) {
        Start(script + "#halt\r\n");
        ASSERT_TRUE(Run_to_halt());
    }
    // The sound lines of the run log since the last call, without their times.
    std::vector<std::string> Sent() {
        std::vector<std::string> out;
        const auto& lines = Headless_log_lines();
        for (; seen < lines.size(); ++seen) {
            const size_t at = lines[seen].find(" sound \"");
            if (at != std::string::npos) out.push_back(lines[seen].substr(at + 1));
        }
        return out;
    }
    static void Music_end() {
        PlatformEvent e;
        e.type = EventType::MusicNotify;
        WndProc(e);
    }
    size_t seen = 0;
};

const std::vector<std::string> START_MIDI = {
    R"(sound "open .\\MIDI\\town.mid type sequencer alias _MIDI_")",
    R"(sound "capability _MIDI_ can play wait" -> "true")",
    R"(sound "play _MIDI_ notify")",
};

TEST_F(SoundTest, MusicRefusalsAndStopsOfTheOtherKind) {
    Play("#play_midi town.mid\r\n#play_midi lake.mid\r\n#play_mp3 lake.mp3\r\n#stop_mp3\r\n");
    EXPECT_EQ(Sent(), START_MIDI) << "refused commands and a stop of the other kind send nothing";
    EXPECT_EQ(Boxes(),
              (std::vector<std::string>{
                  "Com_play_midi()|別の曲を演奏中です。一端演奏停止してから再度コマンド実行してください♪",
                  "Com_play_mp3()|別の曲を演奏中です。一端演奏停止してから再度コマンド実行してください♪"}));
    EXPECT_EQ(Cursor(), std::pair(Text.Text_AREA.left, Text.Text_AREA.top))
        << "the refused commands' names are not typed out";
    EXPECT_EQ(BgmState.MusicPlaying, 1);
    EXPECT_STREQ(BgmState.MusicPath, ".\\MIDI\\town.mid");
    EXPECT_EQ(BgmState.MusicType, MUSIC_MIDI);

    Fresh();
    seen = 0;
    Play("#play_mp3 lake.mp3\r\n#stop_midi\r\n#stop_mp3\r\n");
    EXPECT_EQ(Sent(),
              (std::vector<std::string>{R"(sound "open .\\MIDI\\lake.mp3 type mpegvideo alias _MP3_")",
                                        R"(sound "capability _MP3_ can play wait" -> "true")",
                                        R"(sound "play _MP3_ notify")", R"(sound "stop _MP3_")",
                                        R"(sound "close _MP3_")"}));
    EXPECT_EQ(BgmState.MusicPlaying, 0);
    EXPECT_STREQ(BgmState.MusicPath, "");
    EXPECT_EQ(BgmState.MusicType, MUSIC_MP3) << "the type outlives the music";
}

TEST_F(SoundTest, EndOfPlayRestartsTheMusicOrForgetsStoppedMusic) {
    for (const char* kind : {"midi", "mp3"}) {
        SCOPED_TRACE(kind);
        Fresh();
        seen = 0;
        const bool midi = std::string(kind) == "midi";
        const std::string alias = midi ? "_MIDI_" : "_MP3_";
        Play(std::string("#play_") + kind + (midi ? " town.mid\r\n" : " lake.mp3\r\n"));
        Sent();
        Music_end();
        const std::vector<std::string> restart = Sent();
        ASSERT_EQ(restart.size(), 4u);
        EXPECT_EQ(restart[0], "sound \"close " + alias + "\"");
        EXPECT_EQ(restart[1].substr(0, 12), "sound \"open ");
        EXPECT_EQ(restart[2], "sound \"capability " + alias + " can play wait\" -> \"true\"");
        EXPECT_EQ(restart[3], "sound \"play " + alias + " notify\"");
        EXPECT_EQ(BgmState.MusicPlaying, 1);

        BgmState.MusicPlaying = 0; // stopped, with a notification still on its way
        Music_end();
        EXPECT_TRUE(Sent().empty());
        EXPECT_STREQ(BgmState.MusicPath, "");
    }
    BgmState.MusicType = 5;
    Music_end();
    EXPECT_EQ(Boxes().back(), "WndProc()|BGMのタイプが変だよ～ん");
}

TEST_F(SoundTest, EffectsOnceLoopingInvalidFlagAndStop) {
    Play("#stop_wav\r\n#play_wav 0, rain.wav\r\n");
    EXPECT_EQ(Sent(), std::vector<std::string>{R"(sound "wav once .\\wav\\rain.wav")"})
        << "no stop while none plays";
    EXPECT_EQ(WavState.WavPlaying, 1);
    EXPECT_EQ(WavState.WAV_loop_flag, WAV_ONCE);
    EXPECT_STREQ(WavState.WavLoopPath, "");

    Fresh();
    seen = 0;
    Play("#play_wav 1 rain.wav\r\n");
    EXPECT_EQ(WavState.WAV_loop_flag, WAV_LOOP);
    EXPECT_STREQ(WavState.WavLoopPath, ".\\wav\\rain.wav");
    Fresh();
    seen = 0;
    Play("#play_wav 1 rain.wav\r\n#play_wav 7 rain.wav\r\n#stop_wav\r\n");
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{"Com_play_wav()|フラグは 0=単発 1=ループ のいずれかにしてください"});
    EXPECT_EQ(Sent(),
              (std::vector<std::string>{R"(sound "wav loop .\\wav\\rain.wav")",
                                        R"(sound "wav once .\\wav\\rain.wav")", R"(sound "wav stop")"}))
        << "an invalid flag plays once";
    EXPECT_EQ(WavState.WavPlaying, 0);
    EXPECT_EQ(WavState.WAV_loop_flag, 0u);
}

TEST_F(SoundTest, MusicThatCannotOpenIsReportedAndChangesNothing) {
    const struct {
        const char* file;
        std::string bytes;
        const char* command;
        const char* reason;
        uintmax_t grow_to = 0; // made this large (sparse): the engine must not read it
    } cases[] = {
        {"gone.mid", "", "play_midi", "ファイルが見つからないか"},
        {"short.mid", "MTh", "play_midi", "MIDI ファイルではありません"},
        {"song.mid", "RIFF\x24\0\0\0WAVE", "play_midi", "MIDI ファイルではありません"},
        {"song.mp3", std::string(64, '\0'), "play_mp3", "MP3 ファイルではありません"},
        {"huge.mid", MIDI, "play_midi", "ファイルが大きすぎます", MIDI_FILE_LIMIT + 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Fresh();
        if (!c.bytes.empty()) Write_file(std::string("MIDI/") + c.file, c.bytes);
        if (c.grow_to) std::filesystem::resize_file(game_dir + "/MIDI/" + c.file, c.grow_to);
        Play(std::string("#") + c.command + " " + c.file + "\r\n");
        ASSERT_EQ(Boxes().size(), 1u);
        const std::string box = Boxes()[0];
        const bool midi = std::string(c.command) == "play_midi";
        EXPECT_EQ(box.find(midi ? "Com_play_midi()|MIDIファイル .\\MIDI\\"
                                : "Com_play_mp3()|MP3ファイル .\\MIDI\\"),
                  0u)
            << box;
        EXPECT_NE(box.find(std::string("が開けません (T0T)/~~ \n\n■") + c.reason), std::string::npos) << box;
        EXPECT_EQ(BgmState.MusicPlaying, 0);
        EXPECT_STREQ(BgmState.MusicPath, "");
    }
}

// Files larger than the engine ever uses are refused from their size, before anything is read or
// allocated: an effect (a box, nothing played) and a picture (the loader's allocation message).
TEST_F(SoundTest, OversizedEffectsAndPicturesAreRefusedFromTheirSize) {
    Write_file("wav/huge.wav", Test_wav());
    std::filesystem::resize_file(game_dir + "/wav/huge.wav", WAV_FILE_LIMIT + 1);
    Write_file("gdat/huge.bmp", "BM");
    std::filesystem::resize_file(game_dir + "/gdat/huge.bmp", uintmax_t(72) << 20 | 1);
    Play("#play_wav 0 huge.wav\r\n#g_load BG huge.bmp\r\n");
    EXPECT_EQ(Boxes(),
              (std::vector<std::string>{
                  "Com_play_wav()|効果音【 .\\wav\\huge.wav 】が大きすぎて再生できません（64MB まで）。",
                  "PXL_LoadJpeg()|ヒープメモリが確保できないにょ！"}));
    EXPECT_EQ(WavState.WavPlaying, 0);
    EXPECT_TRUE(Sent().empty());
}

// Effects are RIFF WAVE files only, decoded by the WAV reader alone: another kind of file named
// .wav (the mixer's loader would synthesise a MIDI file whole), or a WAV that would expand past the
// bound once converted, gets a box and plays nothing. A pipe is not a file there: it plays nothing,
// unreported, and is never waited on.
TEST_F(SoundTest, EffectsThatAreNotPlayableWavsGetABoxAndPipesAreNotWaitedOn) {
    Write_file("wav/song.wav", MIDI);
    Write_file("wav/form.wav", std::string("FORM\0\0\0\x2E"
                                           "AIFFCOMM\0\0\0\x12\0\x02\x80\0\0\0\0\x10",
                                           28));
    Write_file("wav/slow.wav", Test_wav(WAV_LOWEST_RATE - 1, 64));
    Write_file("wav/long.wav", Test_wav(WAV_LOWEST_RATE, 1600000));
    ASSERT_EQ(mkfifo((game_dir + "/wav/pipe.wav").c_str(), 0600), 0);
    Play("#play_wav 0 song.wav\r\n#play_wav 0 form.wav\r\n#play_wav 0 slow.wav\r\n#play_wav 0 long.wav\r\n"
         "#play_wav 0 pipe.wav\r\n");
    const std::string box = "Com_play_wav()|効果音【 .\\wav\\";
    EXPECT_EQ(
        Boxes(),
        (std::vector<std::string>{
            box + "song.wav 】を再生できません（RIFF WAVE の WAV ファイルではありません）。",
            box + "form.wav 】を再生できません（RIFF WAVE の WAV ファイルではありません）。",
            box + "slow.wav 】を再生できません（WAV のサンプリング周波数は 4000Hz から 384000Hz までです）。",
            box + "long.wav 】を再生できません（再生用に変換すると 64MB を超える長さです）。",
        }));
    EXPECT_EQ(Sent(), std::vector<std::string>{R"(sound "wav once .\\wav\\pipe.wav")"});
}

TEST_F(SoundTest, EscapeStopsMidiThenMp3ThenTheEffect) {
    Play("#play_midi town.mid\r\n#play_wav 1 rain.wav\r\n");
    Sent();
    Key(KEY_ESCAPE);
    EXPECT_EQ(Sent(), (std::vector<std::string>{R"(sound "stop _MIDI_")", R"(sound "close _MIDI_")",
                                                R"(sound "wav stop")"}));
    EXPECT_EQ(Quit_code(), 0);
}

TEST_F(SoundTest, MediaStringsAloneAnswerEveryStringWithoutCrashing) {
    Write_file("MIDI/other.mid", MIDI);
    char answer[8];
    const struct {
        const char* command;
        int code;
        const char* answer;
    } steps[] = {
        {"capability _MIDI_ can play wait", MEDIA_ERR_ALIAS_NOT_OPEN, ""},
        {"open .\\MIDI\\town.mid type sequencer alias _MIDI_", MEDIA_OK, ""},
        {"open .\\MIDI\\other.mid type sequencer alias _MIDI_", MEDIA_ERR_ALIAS_IN_USE, ""},
        {"capability _MIDI_ can play wait", MEDIA_OK, "true"},
        {"seek _MIDI_ to start", MEDIA_OK, ""},
        {"play _MIDI_ notify", MEDIA_OK, ""},
        {"stop _MIDI_", MEDIA_OK, ""},
        {"close _MIDI_", MEDIA_OK, ""},
        {"stop _MIDI_", MEDIA_ERR_ALIAS_NOT_OPEN, ""},
        {"open .\\MIDI\\none.mid type sequencer alias X", MEDIA_ERR_FILE_NOT_FOUND, ""},
        {"capability X can play wait", MEDIA_ERR_FILE_NOT_FOUND, ""},
        {"close X", MEDIA_ERR_ALIAS_NOT_OPEN, ""},
        {"capability X can play wait", MEDIA_ERR_ALIAS_NOT_OPEN, ""},
        {"open .\\MIDI\\town.mid type cdaudio alias Y", MEDIA_ERR_UNKNOWN_TYPE, ""},
        {"open .\\MIDI\\town.mid type sequencer", MEDIA_ERR_SYNTAX, ""},
        {"play", MEDIA_ERR_SYNTAX, ""},
        {"seek _MIDI_ to end", MEDIA_ERR_SYNTAX, ""},
        {"eject _MIDI_", MEDIA_ERR_UNKNOWN_COMMAND, ""},
        {"", MEDIA_ERR_UNKNOWN_COMMAND, ""},
        {"open .\\MIDI\\town.mid type sequencer alias A1", MEDIA_OK, ""},
        {"open .\\MIDI\\town.mid type sequencer alias A2", MEDIA_OK, ""},
        {"open .\\MIDI\\town.mid type sequencer alias A3", MEDIA_OK, ""},
        {"open .\\MIDI\\town.mid type sequencer alias A4", MEDIA_OK, ""},
        {"open .\\MIDI\\town.mid type sequencer alias A5", MEDIA_ERR_TOO_MANY_OPEN, ""},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.command);
        std::fill(std::begin(answer), std::end(answer), 'x');
        EXPECT_EQ(Media_send(s.command, answer, sizeof answer), s.code);
        EXPECT_STREQ(answer, s.answer);
    }
    // Every text cut to any buffer is a terminated prefix of the whole that ends on a character
    // boundary, so the box never shows half a character.
    for (int code = 0; code <= MEDIA_ERR_TOO_LARGE + 1; ++code) {
        char whole[512];
        Media_error_text(code, whole, sizeof whole);
        for (size_t size = 1; size <= 40; ++size) {
            char text[40];
            Media_error_text(code, text, size);
            const std::string cut = text;
            ASSERT_LT(cut.size(), size) << code;
            EXPECT_EQ(std::string(whole).rfind(cut, 0), 0u) << code << " " << size;
            EXPECT_NE(uint8_t(whole[cut.size()]) & 0xC0, 0x80)
                << code << " cut inside a character at " << size;
        }
    }
}

} // namespace
