// The remembered settings file: its round trip, its damaged forms, and where it lives.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "comforts/settings_file.h"

TEST(SettingsFile, RoundTripAndDamagedFormsLeaveTheSettingsAlone) {
    PlayerSettings written;
    written.scale = 3;
    written.fullscreen = true;
    written.volume = VolumeLevels{40, 0, true};
    written.text_click = false;
    written.text_speed = 0;
    written.auto_pace = 250;
    written.skip_read_only = false;
    written.reverb = true;
    PlayerSettings read;
    std::string error;
    ASSERT_TRUE(Settings_parse(Settings_format(written), &read, &error)) << error;
    EXPECT_EQ(Settings_format(read), Settings_format(written));
    EXPECT_TRUE(read.reverb);

    const char* const damaged[] = {
        "",                                                                    // empty
        "scale=2\nfullscreen=0\nmusic=50\neffects=50\n",                       // a line missing
        "scale=9\nfullscreen=0\nmusic=50\neffects=50\nmute=0\n",               // out of range
        "scale=2\nfullscreen=0\nmusic=-5\neffects=50\nmute=0\n",               // a sign
        "scale=2\nfullscreen=0\nmusic=5x\neffects=50\nmute=0\n",               // not a number
        "scale=2\nscale=2\nfullscreen=0\nmusic=5\neffects=50\nmute=0\n",       // twice
        "scale=2\nfullscreen=0\nmusic=50\neffects=50\nmute=0\nsize=4\n",       // unknown
        "scale\nfullscreen=0\nmusic=50\neffects=50\nmute=0\n",                 // no value
        "scale=1\nfullscreen=0\nmusic=5\neffects=5\nmute=0\ntext_speed=201\n", // out of range
        "scale=2\nfullscreen=0\nmusic=50\neffects=50\nmute=0\nreverb=2\n",     // out of range
        "\x89\x50\x4e\x47\r\n\x1a\n",                                          // not text at all
    };
    for (const char* text : damaged) {
        PlayerSettings kept = written;
        EXPECT_FALSE(Settings_parse(text, &kept, &error)) << text;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(Settings_format(kept), Settings_format(written)) << text;
    }
    // Written on another system: CR LF line ends and blank lines are fine; written by an engine
    // before the text settings or the reverb: they keep their defaults.
    EXPECT_TRUE(
        Settings_parse("scale=2\r\n\r\nfullscreen=1\r\nmusic=0\r\neffects=100\r\nmute=1\r\n", &read, &error));
    EXPECT_EQ(read.scale, 2);
    EXPECT_EQ(Settings_format(read).substr(Settings_format(read).find("text_click")),
              Settings_format(PlayerSettings{}).substr(Settings_format(PlayerSettings{}).find("text_click")));
    EXPECT_FALSE(read.reverb);
}

TEST(SettingsFile, OneFilePerGameFolderAndADamagedFileIsIgnored) {
    const std::string a = Settings_path("/home/p/.config", "/games/lake");
    EXPECT_EQ(a.rfind("/home/p/.config/kotoyumi/lake-", 0), 0u) << a;
    EXPECT_NE(a, Settings_path("/home/p/.config", "/other/lake"));
    EXPECT_EQ(a, Settings_path("/home/p/.config", "/games/lake"));

    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("kotoyumi-settings-" + std::to_string(::getpid()));
    const std::string path = Settings_path(folder.string(), "/games/lake");
    PlayerSettings settings;
    EXPECT_FALSE(Settings_load(path, &settings)); // none yet: quietly the defaults
    settings.scale = 2;
    Settings_save(path, settings); // makes the config folder and kotoyumi/ in it
    PlayerSettings read;
    ASSERT_TRUE(Settings_load(path, &read));
    EXPECT_EQ(read.scale, 2);
    std::ofstream(path, std::ios::trunc) << "scale=2\nmusic=";
    testing::internal::CaptureStderr();
    std::string ignored;
    EXPECT_FALSE(Settings_load(path, &read, &ignored));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_FALSE(ignored.empty()) << "the window can tell the player too";
    fs::remove_all(folder);
}
