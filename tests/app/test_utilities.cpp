// Stopwatch arithmetic, whole-file reading, the path helper, and the game folder's bounds.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/options.h"
#include "comforts/screenshot.h"
#include "core/file_io.h"
#include "core/path.h"
#include "core/stopwatch.h"
#include "platform/headless/headless.h"
#include "platform/host_files.h"
#include "test_support.h"

namespace fs = std::filesystem;

TEST_F(EngineTest, StopwatchWrapsAsUnsignedArithmetic) {
    Headless_set_time(1000);
    Stopwatch w;
    Stopwatch_start(&w);
    EXPECT_EQ(w, 1000u);
    EXPECT_TRUE(Stopwatch_elapsed(w, 0)) << "period 0 is elapsed at once";
    EXPECT_TRUE(Stopwatch_elapsed(w, 0xFFFFFFFFu)) << "a negative period wraps below the start";
    EXPECT_FALSE(Stopwatch_elapsed(w, 16));
    Headless_set_time(1016);
    EXPECT_TRUE(Stopwatch_elapsed(w, 16));

    // Near the clock's wrap the sum wraps too, and the test is then met at once.
    Headless_set_time(0xFFFFFFF8u);
    Stopwatch_start(&w);
    EXPECT_TRUE(Stopwatch_elapsed(w, 16));
}

TEST_F(EngineTest, ReadingWholeFiles) {
    Write_file("empty.bin", "");
    char buffer[8] = "abcdefg";
    size_t size = 99;
    EXPECT_TRUE(File_read_all("empty.bin", buffer, sizeof buffer, &size));
    EXPECT_EQ(size, 0u);
    EXPECT_STREQ(buffer, "abcdefg") << "an empty file leaves the buffer as it was";

    Write_file("long.bin", "0123456789ABCDEF");
    EXPECT_TRUE(File_read_all("long.bin", buffer, 4, &size));
    EXPECT_EQ(size, 16u) << "the caller learns the file was larger than its buffer";
    EXPECT_EQ(std::string(buffer, 7), "0123efg") << "never more than the buffer holds";

    EXPECT_FALSE(File_read_all("missing.bin", buffer, sizeof buffer));
    fs::create_directory(game_dir + "/folder");
    EXPECT_FALSE(File_read_all("folder", buffer, sizeof buffer)) << "a folder is not a file";
    EXPECT_FALSE(File_exists("folder"));
    EXPECT_TRUE(File_exists("long.bin"));
    EXPECT_FALSE(File_exists("missing.bin"));
}

// Links inside the game may lead anywhere inside it, never out of it, for every reader.
TEST_F(EngineTest, NamesThatLeadOutOfTheGameThroughLinksReadAsMissing) {
    char outside_name[] = "/tmp/kotoyumi-outside-XXXXXX";
    ASSERT_NE(::mkdtemp(outside_name), nullptr);
    const std::string outside = outside_name;
    std::ofstream(outside + "/secret.txt") << "secret";
    Write_file("gdat/inner.bmp", "inner");
    fs::create_symlink("inner.bmp", game_dir + "/gdat/alias.bmp");
    fs::create_symlink(outside + "/secret.txt", game_dir + "/gdat/out.bmp");
    fs::create_symlink(outside, game_dir + "/wav");
    fs::create_symlink(outside + "/nowhere", game_dir + "/dangling");

    std::vector<uint8_t> bytes;
    EXPECT_EQ(File_read_bytes(".\\gdat\\alias.bmp", &bytes, 100), FileRead::Ok);
    EXPECT_EQ(File_read_bytes(".\\gdat\\out.bmp", &bytes, 100), FileRead::Outside);
    EXPECT_EQ(File_read_bytes(".\\wav\\secret.txt", &bytes, 100), FileRead::Outside);
    EXPECT_EQ(File_read_bytes(".\\dangling\\new.bmp", &bytes, 100), FileRead::Outside);
    char buffer[8];
    EXPECT_FALSE(File_read_all(".\\gdat\\out.bmp", buffer, sizeof buffer));
    EXPECT_TRUE(File_exists(".\\gdat\\alias.bmp"));
    EXPECT_FALSE(File_exists(".\\gdat\\out.bmp"));
    EXPECT_FALSE(File_exists(("..\\" + fs::path(game_dir).filename().string() + "\\gdat\\inner.bmp").c_str()))
        << "a name that climbs out is outside even where it comes back in";
    std::string host;
    EXPECT_TRUE(Game_path(".\\SAVE\\data00.svd", &host)) << "a name not made yet is judged by its folder";
    EXPECT_EQ(host, "./SAVE/data00.svd");

    // F12 never writes through a screenshots link that leads out; it says why instead.
    fs::create_symlink(outside, game_dir + "/screenshots");
    std::string result;
    EXPECT_FALSE(Screenshot_take(&result));
    EXPECT_NE(result.find("ゲームのフォルダの外"), std::string::npos) << result;
    EXPECT_EQ(std::distance(fs::directory_iterator(outside), fs::directory_iterator()), 1)
        << "only secret.txt";
    fs::remove(game_dir + "/screenshots");
    ASSERT_TRUE(Screenshot_take(&result)) << result;
    EXPECT_EQ(result.rfind("screenshots/", 0), 0u) << result;
    fs::remove_all(outside);
}

TEST_F(EngineTest, ScriptPathsResolveOnACaseSensitiveFileSystem) {
    Write_file("GDAT/System/back00.BMP", "x");
    EXPECT_EQ(Path_resolve(".\\gdat\\system\\Back00.bmp"), "./GDAT/System/back00.BMP");
    EXPECT_EQ(Path_resolve("gdat\\\\system\\back00.BMP"), "GDAT/System/back00.BMP");
    EXPECT_EQ(Path_resolve(".\\gdat\\new.bmp"), "./GDAT/new.bmp") << "a missing name is kept as written";
    EXPECT_TRUE(File_exists(".\\gdat\\SYSTEM\\BACK00.bmp"));

    // The exact name wins over a case-insensitive one.
    Write_file("txt/config.txt", "a");
    Write_file("txt/CONFIG.TXT", "b");
    EXPECT_EQ(Path_resolve(".\\txt\\config.txt"), "./txt/config.txt");
    EXPECT_EQ(Path_resolve(".\\txt\\CONFIG.TXT"), "./txt/CONFIG.TXT");
    EXPECT_EQ(Path_resolve(".\\txt\\Config.txt"), "./txt/CONFIG.TXT")
        << "several matches: the first in order";

    // A Shift-JIS name whose second byte is 0x5C stays one character, not a separator.
    Write_file("gdat/表.bmp", "x");
    EXPECT_EQ(Path_resolve("gdat\\\x95\x5C.bmp"), "gdat/表.bmp");
    EXPECT_TRUE(File_exists("gdat\\\x95\x5C.bmp"));
}

// The authors' tools each stand alone; --source only goes with --check.
TEST(Options, AuthorsToolsTakeTheirFolders) {
    const auto parse = [](std::vector<const char*> words, Options* out, std::string* error) {
        words.insert(words.begin(), "kotoyumi");
        return Options_parse(int(words.size()), const_cast<char**>(words.data()), out, error);
    };
    Options o;
    std::string error;
    ASSERT_TRUE(parse({"--check", "--source", "src", "game"}, &o, &error)) << error;
    EXPECT_EQ(o.source_dir + "|" + o.game_dir, "src|game");
    ASSERT_TRUE(parse({"--convert", "src", "game"}, &(o = Options()), &error)) << error;
    EXPECT_EQ(o.convert_dir + "|" + o.game_dir, "src|game");
    for (std::vector<const char*> bad : {std::vector<const char*>{"--source", "src", "game"},
                                         {"--new", "a", "b"},
                                         {"--new"},
                                         {"--convert", "src", "--check"},
                                         {"--new", "a", "--headless"}})
        EXPECT_FALSE(parse(bad, &(o = Options()), &error)) << bad.front();
}

// A new game's files are written only where nothing is: never over a file, never through a link.
TEST_F(EngineTest, NewFilesAreNeverWrittenOverAnything) {
    std::string why;
    ASSERT_TRUE(Host_write_new_file("a.txt", "abc", 3, &why)) << why;
    EXPECT_FALSE(Host_write_new_file("a.txt", "xyz", 3, &why));
    EXPECT_EQ(why, "File exists");
    std::ifstream in("a.txt");
    std::string kept;
    std::getline(in, kept);
    EXPECT_EQ(kept, "abc");
    fs::create_symlink("elsewhere.txt", "link.txt");
    EXPECT_FALSE(Host_write_new_file("link.txt", "x", 1));
    EXPECT_FALSE(fs::exists("elsewhere.txt"));
}
