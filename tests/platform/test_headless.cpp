// The headless runner: scenario files, the virtual clock, answered boxes, the log, and autoplay.
#include <filesystem>
#include <fstream>
#include <string>

#include "app/frame_loop.h"
#include "app/headless_probe.h"
#include "app/system.h"
#include "core/dialogs.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "platform/headless/headless.h"
#include "platform/headless/scenario.h"
#include "test_support.h"

namespace {

std::vector<ScenarioCommand> Parse(const std::string& text, std::string* error = nullptr) {
    std::vector<ScenarioCommand> commands;
    std::string ignored;
    EXPECT_EQ(Scenario_parse(text, &commands, error ? error : &ignored), error == nullptr) << text;
    return commands;
}

// Starts the engine under a scenario (or autoplay when `scenario` is empty) and runs it to its end.
class RunnerTest : public EngineTest {
  protected:
    int Run(const std::string& scenario, uint32_t max_ms = 600000, const std::string& script = "") {
        HeadlessOptions options;
        if (!scenario.empty()) {
            Write_file("scenario.txt", scenario);
            options.events_path = game_dir + "/scenario.txt";
        }
        options.log_path = game_dir + "/run.log";
        options.shots_dir = shots_dir;
        options.max_ms = max_ms;
        std::string error;
        EXPECT_TRUE(Headless_configure(options, &error)) << error;
        Headless_set_probe(Headless_probe());
        Write_startup_pictures();
        if (!script.empty()) Write_file("txt/config.txt", script);
        System_init();
        int code = Main_loop();
        Platform_close(code);
        return code;
    }
    std::string Log_text() {
        std::ifstream in(game_dir + "/run.log");
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    std::string shots_dir;
};

} // namespace

TEST(Scenario, CommandsAndMistakes) {
    auto c = Parse("# a comment\nclick 10 20  # trailing comment\nkey Return\nuntil halt 500\nuntil page\n"
                   "input 山田 太郎\nshot out/first.png\nhold a\nrclick 639 479\n");
    ASSERT_EQ(c.size(), 12u);
    EXPECT_EQ(c[0].kind, ScenarioCommand::Down);
    EXPECT_EQ(c[1].kind, ScenarioCommand::Run);
    EXPECT_EQ(c[1].ms, 50u);
    EXPECT_EQ(c[2].kind, ScenarioCommand::Up);
    EXPECT_EQ(c[2].x, 10);
    EXPECT_EQ(c[3].key, KEY_RETURN);
    EXPECT_EQ(c[4].ms, 500u);
    EXPECT_EQ(c[5].ms, 60000u) << "until waits 60 s by default";
    EXPECT_EQ(c[6].text, "山田 太郎");
    EXPECT_EQ(c[7].text, "out/first.png");
    EXPECT_EQ(c[8].key, 'a');
    EXPECT_EQ(c[9].button, 2);
    EXPECT_EQ(c[11].kind, ScenarioCommand::Up);

    std::string error;
    Parse("run 10\njump 5\n", &error);
    EXPECT_EQ(error, "line 2: unknown command \"jump\"");
    for (const char* bad :
         {"click 640 0", "move 1", "run -5", "key F6", "until nap", "answer maybe", "run 5 6"}) {
        Parse(bad, &error);
        EXPECT_EQ(error.rfind("line 1: ", 0), 0u) << bad;
    }
}

TEST(Scenario, ComfortCommands) {
    auto c = Parse("skip on\nauto off\nwheel -2\nkey F12\nkey PageUp\nkey F1\nmiddle 5 6\n"
                   "set text-speed instant\nset auto-pace 400\nset skip-mode read\n");
    ASSERT_EQ(c.size(), 12u);
    EXPECT_EQ(c[5].key, KEY_F1);
    EXPECT_EQ(c[6].kind, ScenarioCommand::Down);
    EXPECT_EQ(c[6].button, 3);
    EXPECT_EQ(c[10].kind, ScenarioCommand::Set);
    EXPECT_EQ(c[10].text + " " + c[10].value, "auto-pace 400");
    EXPECT_EQ(c[0].kind, ScenarioCommand::Comfort);
    EXPECT_EQ(c[0].text + std::to_string(c[0].x) + c[1].text + std::to_string(c[1].x), "skip1auto0");
    EXPECT_EQ(c[2].y, -2);
    EXPECT_EQ(c[3].key, KEY_F12);
    EXPECT_EQ(c[4].key, KEY_PAGEUP);
    std::string error;
    for (const char* bad : {"skip maybe", "auto", "wheel 0", "wheel up", "skip on now", "set text-speed 20",
                            "set text-speed fast", "set auto-pace 401", "set skip-mode some",
                            "set text-click yes", "set volume 5", "set text-click on off"}) {
        Parse(bad, &error);
        EXPECT_EQ(error.rfind("line 1: ", 0), 0u) << bad;
    }
}

// `set text-click off`: a click while typing no longer finishes the text, so the wait is not there
// yet when it is looked for.
TEST_F(RunnerTest, SetReachesThePlayersSettings) {
    const std::string slow = "#set_text_wait 100\r\n\x82\xa0\x82\xa0\x82\xa0\x82\xa0#w\r\n#halt\r\n";
    EXPECT_EQ(Run("set text-click off\nrun 40\nclick 320 240\nuntil wait 10\n", 600000, slow), 3);
}

// The middle button shows the picture alone; the click that brings the text back passes no wait.
TEST_F(RunnerTest, TheMiddleButtonHidesTheTextUntilAClickThatDoesNothingElse) {
    EXPECT_EQ(Run("until wait\nmiddle 10 10\nclick 320 240\nrun 500\nuntil wait 10\n", 600000,
                  "\x82\xa0#w\r\n#halt\r\n"),
              0);
}

TEST_F(RunnerTest, ScenarioEndsTheRunWithCodeZeroAndLogsBoxes) {
    const int code = Run("run 100\nanswer yes\n");
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Log_text(), "100 exit 0\n");
}

TEST_F(RunnerTest, UntilTimesOutWithCodeThree) {
    EXPECT_EQ(Run("# waits for the end\n\nuntil halt 200\nrun 5000\n"), 3);
    EXPECT_NE(Log_text().find("200 timeout until halt (scenario line 3: 200 ms without the story's halt "
                              "(#halt))\n200 exit 3\n"),
              std::string::npos)
        << Log_text();
}

TEST_F(RunnerTest, AutoplayClicksThreeHundredMillisecondsIntoAWait) {
    // Nothing waits at first; once the story halts, the click that ends it comes 300 ms later.
    shots_dir = game_dir + "/run/shots"; // made by the runner
    EXPECT_EQ(Run("", 600000, "#delay 1000\r\n#halt\r\n"), 0);
    // The story halts in the frame of 1056 ms (start-up, the delay's own frames), the click 300 ms on.
    EXPECT_NE(Log_text().find("1356 exit 0\n"), std::string::npos) << Log_text();
    EXPECT_TRUE(std::filesystem::exists(shots_dir + "/click-0001.png"));
    EXPECT_TRUE(std::filesystem::exists(shots_dir + "/final.png"));
}

TEST_F(RunnerTest, ATapShorterThanAFrameStillChooses) {
    // Press and release with no time between them: the title menu's frame must still see the press.
    EXPECT_EQ(Run("until title\nrun 300\ndown 150 125\nup 150 125\nuntil halt 2000\n", 600000,
                  "#start_menu 100 100\r\n#halt\r\n"),
              0)
        << Log_text();
    EXPECT_EQ(Log_text().find("timeout"), std::string::npos) << Log_text();
}

TEST_F(RunnerTest, ExitCodesTellAScriptErrorAndAShotThatCannotBeWritten) {
    const struct {
        const char* what;
        const char* scenario;
        const char* script;
        int code;
    } cases[] = {
        {"unknown surface", "", "#g_load XX a.bmp\r\n#halt\r\n", 1},
        {"label not found", "", "#jump *nowhere:\r\n#halt\r\n", 1},
        {"not a decimal number", "", "#delay 1s\r\n#halt\r\n", 1},
        {"shot that cannot be written", "run 100\nshot /nonexistent-folder/x.png\nrun 100\n", "#halt\r\n", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Headless_reset();
        Platform_use_backend(Headless_backend());
        Platform_open_window("test");
        System_reset();
        EXPECT_EQ(Run(c.scenario, 600000, c.script), c.code) << Log_text();
    }
}

TEST_F(RunnerTest, AutoplayStopsAtItsLimit) {
    EXPECT_EQ(Run("", 500), 3);
    EXPECT_NE(Log_text().find("500 timeout max-ms 500\n500 exit 3\n"), std::string::npos) << Log_text();
}

TEST_F(EngineTest, BoxesTakeQueuedAnswersAndDefaults) {
    Headless_queue_answer(BoxAnswer::Yes);
    EXPECT_EQ(Msg_box_yes_no("本当に？", "確認"), BoxAnswer::Yes);
    EXPECT_EQ(Msg_box_yes_no("もう一度？", "確認"), BoxAnswer::No) << "no answer queued: No";
    Msg_box("say \"hi\"\nback\\slash", "cap");
    const auto& lines = Headless_log_lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "0 box \"確認\" \"本当に？\" -> yes");
    EXPECT_EQ(lines[lines.size() - 2], "0 box \"確認\" \"もう一度？\" -> no");
    EXPECT_EQ(lines.back(), "0 box \"cap\" \"say \\\"hi\\\"\\nback\\\\slash\" -> ok");
}
