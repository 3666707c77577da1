// The real executable's --check: findings on standard output, and the exit codes authors script on.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/sjis.h"

namespace fs = std::filesystem;

namespace {

int Kotoyumi(const std::string& arguments, const std::string& out, const std::string& folder = ".") {
    const int status = std::system(
        ("cd " + folder + " && " + std::string(KOTOYUMI_EXE) + " " + arguments + " >" + out + " 2>&1")
            .c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

// Scripts kept in UTF-8: --convert writes all of them or nothing, and --check --source names the
// source files' lines and columns.
TEST(CheckCommand, ConvertAndCheckSources) {
    const fs::path work = fs::temp_directory_path() / ("kotoyumi-convert-" + std::to_string(::getpid()));
    fs::create_directories(work / "src" / "part");
    fs::create_directories(work / "game");
    fs::copy(std::string(KOTOYUMI_DEMO_DIR) + "/gdat", work / "game" / "gdat", fs::copy_options::recursive);
    const std::string config = "## 始まり①ｱ\n#file_change part\\two.txt *two:\n",
                      two = "*two:\r\n雪。#halt\r\n";
    std::ofstream(work / "src" / "config.txt", std::ios::binary) << config;
    std::ofstream(work / "src" / "part" / "two.txt", std::ios::binary) << "\xEF\xBB\xBF" << two;
    const std::string out = (work / "out.txt").string(), dir = work.string();

    // LF and CR LF sources alike become CR LF Shift-JIS, and read back as the same text.
    ASSERT_EQ(Kotoyumi("--convert src game", out, dir), 0) << Read(out);
    const std::string made = Read(work / "game/txt/config.txt");
    EXPECT_EQ(made.substr(0, 3), "## ");
    EXPECT_EQ(made.substr(made.size() - 2), "\r\n");
    std::string back = Sjis_to_utf8(made.c_str());
    std::erase(back, '\r');
    EXPECT_EQ(back, config);
    EXPECT_EQ(Sjis_to_utf8(Read(work / "game/txt/part/two.txt").c_str()), two);
    EXPECT_EQ(Kotoyumi("--check --strict --source src game", out, dir), 0) << Read(out);

    // A character with no Shift-JIS form, counted in characters along its line: nothing is
    // written, not even the scripts that did convert.
    std::ofstream(work / "src" / "config.txt", std::ios::binary) << "#w\n\n「雪だ」\xF0\x9F\x98\x80\n#halt\n";
    fs::remove(work / "game/txt/part/two.txt");
    EXPECT_EQ(Kotoyumi("--convert src game", out, dir), 1);
    EXPECT_EQ(Read(out).substr(0, Read(out).find('\n')),
              "src/config.txt:3:5: error: U+1F600 (\xF0\x9F\x98\x80) has no Shift-JIS (CP932) form");
    EXPECT_EQ(Read(work / "game/txt/config.txt"), made);
    EXPECT_FALSE(fs::exists(work / "game/txt/part/two.txt"));
    EXPECT_EQ(Kotoyumi("--check --source src game", out, dir), 1);
    // A game whose txt/ cannot be made: the reason, and nothing written anywhere.
    std::ofstream(work / "src" / "config.txt", std::ios::binary) << "#halt\n";
    fs::create_directories(work / "other");
    std::ofstream(work / "other" / "txt") << "a file";
    EXPECT_EQ(Kotoyumi("--convert src other", out, dir), 1);
    EXPECT_NE(Read(out).find("other/txt: error: cannot make the folder\n1 error: nothing was written"),
              std::string::npos)
        << Read(out);

    // The checker reads the sources in place of txt/ and names them, at the source's line and column.
    std::ofstream(work / "src" / "config.txt", std::ios::binary)
        << "## 雪\r\n「寒い」#flag_on x\r\n#halt\r\n";
    EXPECT_EQ(Kotoyumi("--check --source src/ game", out, dir), 1);
    EXPECT_EQ(Read(out).substr(0, Read(out).find('\n')),
              "src/config.txt:2:14: error: #flag_on: \"x\" is not a decimal number");
    fs::remove_all(work);
}

} // namespace
