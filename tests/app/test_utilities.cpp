// Stopwatch arithmetic, whole-file reading, and the path helper.
#include <filesystem>
#include <string>

#include "core/file_io.h"
#include "core/path.h"
#include "core/stopwatch.h"
#include "platform/headless/headless.h"
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
