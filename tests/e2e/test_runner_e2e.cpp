// The real executable, headless, on the demo game: its first picture is the start-up background.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "formats/image_decode.h"
#include "formats/png_file.h"

namespace fs = std::filesystem;

namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int Run_command(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class RunnerEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/kotoyumi-e2e-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        work = pattern;
        // The demo's pictures with a first script that only waits: the window must show Back00.bmp.
        game = work + "/game";
        fs::create_directories(game + "/txt");
        fs::copy(std::string(KOTOYUMI_DEMO_DIR) + "/gdat", game + "/gdat", fs::copy_options::recursive);
        std::ofstream(game + "/txt/config.txt") << "#delay 99999999\r\n";
    }
    void TearDown() override { fs::remove_all(work); }
    std::string work;
    std::string game;
};

} // namespace

TEST_F(RunnerEndToEnd, TheWindowShowsTheStartUpPicture) {
    std::ofstream(work + "/scenario.txt") << "run 100\nshot start.png\nkey Escape\nrun 100\n";
    const std::string command = std::string(KOTOYUMI_EXE) + " --headless --events " + work +
                                "/scenario.txt --log " + work + "/run.log " + game + " 2>" + work +
                                "/stderr.txt";
    ASSERT_EQ(Run_command("cd " + work + " && " + command), 0) << Read(work + "/stderr.txt");

    std::vector<uint32_t> shot;
    int w = 0, h = 0;
    ASSERT_TRUE(Png_read((work + "/start.png").c_str(), &shot, &w, &h));
    const std::string bmp = Read(game + "/gdat/system/Back00.bmp");
    DecodedImage back;
    std::string error;
    ASSERT_TRUE(Bmp_decode(reinterpret_cast<const uint8_t*>(bmp.data()), bmp.size(), &back, &error)) << error;
    ASSERT_EQ(w, 640);
    ASSERT_EQ(h, 480);
    EXPECT_EQ(shot, back.pixels) << "the window shows Back00.bmp";

    const std::string log = Read(work + "/run.log");
    EXPECT_EQ(log.rfind("0 title \"ことゆみ Ver1.02\"\n", 0), 0u) << log;
    EXPECT_NE(log.find("100 exit 0\n"), std::string::npos) << "Escape ends the program with code 0\n" << log;
    EXPECT_EQ(log.find("box"), std::string::npos) << "the demo starts without a message\n" << log;
}

TEST_F(RunnerEndToEnd, BadCommandLinesAndScenariosAreRefusedClearly) {
    EXPECT_EQ(Run_command(std::string(KOTOYUMI_EXE) + " --headless --bogus 2>" + work + "/err1"), 2);
    EXPECT_NE(Read(work + "/err1").find("unknown option --bogus"), std::string::npos);

    std::ofstream(work + "/bad.txt") << "run 10\nclick 700 10\n";
    EXPECT_EQ(Run_command(std::string(KOTOYUMI_EXE) + " --headless --events " + work + "/bad.txt " +
                          KOTOYUMI_DEMO_DIR + " 2>" + work + "/err2"),
              2);
    EXPECT_NE(Read(work + "/err2").find("line 2"), std::string::npos) << Read(work + "/err2");

    EXPECT_EQ(
        Run_command(std::string(KOTOYUMI_EXE) + " --headless " + work + "/no-such-game 2>" + work + "/err3"),
        2);
    EXPECT_NE(Read(work + "/err3").find("cannot enter the game folder"), std::string::npos);

    // Only digits make a scale.
    for (const char* scale : {"' 3'", "+3", "3x", "0", "9"}) {
        EXPECT_EQ(Run_command(std::string(KOTOYUMI_EXE) + " --scale " + scale + " " + game + " 2>" + work +
                              "/err6"),
                  2)
            << scale;
        EXPECT_NE(Read(work + "/err6").find("--scale needs a whole number"), std::string::npos) << scale;
    }

    // A shot that cannot be written names its scenario line; a log that cannot be written ends the
    // run with 1 instead of passing without a record.
    std::ofstream(work + "/shot.txt") << "run 10\n\nshot no/such/folder/a.png\nrun 10\n";
    EXPECT_EQ(Run_command(std::string(KOTOYUMI_EXE) + " --headless --events " + work + "/shot.txt --log " +
                          work + "/run.log " + game + " 2>" + work + "/err7"),
              2);
    EXPECT_NE(Read(work + "/err7").find("shot.txt: line 3: cannot write the shot"), std::string::npos)
        << Read(work + "/err7");
    EXPECT_EQ(Run_command(std::string(KOTOYUMI_EXE) + " --headless --log /dev/full --max-ms 1000 " + game +
                          " 2>" + work + "/err8"),
              1);
    EXPECT_NE(Read(work + "/err8").find("cannot write the log /dev/full: No space left on device"),
              std::string::npos)
        << Read(work + "/err8");

    // A folder named as the scenario is no scenario.
    EXPECT_EQ(Run_command(std::string(KOTOYUMI_EXE) + " --headless --events " + work + " " + game + " 2>" +
                          work + "/err4"),
              2);
    EXPECT_NE(Read(work + "/err4").find("cannot read the scenario"), std::string::npos)
        << Read(work + "/err4");

    // Without --log the run is told on standard output, even when it ends at once.
    fs::remove(game + "/txt/config.txt");
    EXPECT_EQ(
        Run_command(std::string(KOTOYUMI_EXE) + " --headless " + game + " >" + work + "/out5 2>/dev/null"),
        1);
    EXPECT_NE(Read(work + "/out5").find("box \"Script_load_first()\""), std::string::npos)
        << Read(work + "/out5");
    EXPECT_NE(Read(work + "/out5").find(" exit 1\n"), std::string::npos) << Read(work + "/out5");
}

// The demo played by a player: start from the title menu, save in slot 2 from the system menu at
// the first click wait, read on, load slot 2. The screen is then the save point's again: the
// background of the first page, every menu and every later text gone (the first line may already
// hold the first character typed after the load).
TEST_F(RunnerEndToEnd, SaveFromTheSystemMenuAndLoadItBack) {
    const std::string demo = work + "/demo";
    fs::copy(KOTOYUMI_DEMO_DIR, demo, fs::copy_options::recursive);
    fs::remove_all(demo + "/SAVE");
    std::ofstream(work + "/scenario.txt") << "until title 20000\nrun 300\nclick 322 385\n" // はじめから
                                             "until wait\nclick 320 240\n"           // the chapter title
                                             "until wait\nrclick 320 240\nrun 300\n" // the system menu
                                             "click 336 258\nrun 300\nanswer yes\n"  // セーブ
                                             "click 200 195\nrun 300\n"              // slot 2
                                             "click 320 240\nuntil wait\nrclick 320 240\nrun 300\n"
                                             "click 336 280\nrun 300\nanswer yes\n" // ロード
                                             "down 200 195\nrun 16\nshot loaded.png\nup 200 195\n"
                                             "key Escape\nrun 100\n";
    const std::string command = std::string(KOTOYUMI_EXE) + " --headless --events " + work +
                                "/scenario.txt --log " + work + "/run.log " + demo + " 2>" + work +
                                "/stderr.txt";
    ASSERT_EQ(Run_command("cd " + work + " && " + command), 0)
        << Read(work + "/stderr.txt") << Read(work + "/run.log");
    EXPECT_EQ(fs::file_size(demo + "/SAVE/data02.svd"), 10904u);
    const std::string log = Read(work + "/run.log");
    EXPECT_NE(log.find("box \"System_save_task()\" \"■SAVEしました"), std::string::npos) << log;
    EXPECT_NE(log.find("box \"System_load_task()\" \"■LOADしますか？"), std::string::npos) << log;

    std::vector<uint32_t> shot;
    int w = 0, h = 0;
    ASSERT_TRUE(Png_read((work + "/loaded.png").c_str(), &shot, &w, &h));
    const std::string bmp = Read(demo + "/gdat/system/Back00.bmp");
    DecodedImage back;
    std::string error;
    ASSERT_TRUE(Bmp_decode(reinterpret_cast<const uint8_t*>(bmp.data()), bmp.size(), &back, &error)) << error;
    int differing = 0;
    for (int y = 50; y < 480; ++y) // below the first text line
        for (int x = 0; x < 640; ++x)
            differing += shot[size_t(y) * 640 + x] != back.pixels[size_t(y) * 640 + x];
    EXPECT_EQ(differing, 0);
}

// The comforts through a scenario: the wheel opens the backlog over a darkened picture, Escape closes
// it, M and F3 reach the sound device, F12 writes a screenshot, `skip on` passes the last click wait.
TEST_F(RunnerEndToEnd, TheComfortKeysAndCommandsReachTheEngine) {
    std::ofstream(game + "/txt/config.txt") << "\x82\xa0\x82\xa2#w\r\n#page\r\n\x82\xa4#w\r\n#w\r\n#halt\r\n";
    std::ofstream(work + "/scenario.txt")
        << "until wait\nclick 320 240\nuntil wait\nshot page.png\n"
           "wheel 1\nshot backlog.png\nkey Escape\nrun 100\n"
           "key m\nkey F3\nkey F12\nskip on\nuntil halt 2000\nkey Escape\nrun 100\n";
    const std::string command = std::string(KOTOYUMI_EXE) + " --headless --events " + work +
                                "/scenario.txt --log " + work + "/run.log " + game + " 2>" + work +
                                "/stderr.txt";
    ASSERT_EQ(Run_command("cd " + work + " && " + command), 0) << Read(work + "/stderr.txt");
    const std::string log = Read(work + "/run.log");
    EXPECT_NE(log.find("volume music 0 effects 0\n"), std::string::npos) << log;
    EXPECT_NE(log.find("volume music 100 effects 100\n"), std::string::npos) << log;
    EXPECT_NE(log.find("screenshot \"screenshots/"), std::string::npos) << log;
    EXPECT_NE(log.find(" exit 0\n"), std::string::npos) << log;
    EXPECT_EQ(std::distance(fs::directory_iterator(game + "/screenshots"), fs::directory_iterator()), 1);

    std::vector<uint32_t> page, backlog;
    int w = 0, h = 0;
    ASSERT_TRUE(Png_read((work + "/page.png").c_str(), &page, &w, &h));
    ASSERT_TRUE(Png_read((work + "/backlog.png").c_str(), &backlog, &w, &h));
    const uint32_t corner = page[size_t(470) * 640 + 630]; // below any text
    EXPECT_EQ(backlog[size_t(470) * 640 + 630], (corner >> 3) & 0x1F1F1Fu);
}
