// The real executable's --check: findings on standard output, and the exit codes authors script on.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

int Kotoyumi(const std::string& arguments, const std::string& out) {
    const int status =
        std::system((std::string(KOTOYUMI_EXE) + " " + arguments + " >" + out + " 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CheckCommand, ExitCodesAndOutput) {
    const fs::path work = fs::temp_directory_path() / ("kotoyumi-check-" + std::to_string(::getpid()));
    fs::create_directories(work / "game" / "txt");
    fs::copy(std::string(KOTOYUMI_DEMO_DIR) + "/gdat", work / "game" / "gdat", fs::copy_options::recursive);
    std::ofstream(work / "game" / "txt" / "config.txt") << "#flag_on 1\r\n#w\r\n#halt\r\n";
    const std::string out = (work / "out.txt").string();
    EXPECT_EQ(Kotoyumi("--check " + (work / "game").string(), out), 0);
    EXPECT_EQ(Kotoyumi("--check --strict " + (work / "missing").string(), out), 2);
    EXPECT_EQ(Kotoyumi("--strict " + (work / "game").string(), out), 2);
    std::ofstream(work / "game" / "txt" / "config.txt") << "#flag_on x\r\n";
    EXPECT_EQ(Kotoyumi("--check " + (work / "game").string(), out), 1);
    std::ifstream in(out);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "txt/config.txt:1:10: error: #flag_on: \"x\" is not a decimal number");
    fs::remove_all(work);
}

} // namespace
