// The demo game's asset generator: copies the demo sources into a game folder (story text turned
// into Shift-JIS) and paints the pictures the demo does not ship.
//
// Each generated picture is one paint procedure in its own file, listed in generate_pictures.cpp.
// Everything here is deterministic: the same build makes the same bytes on every run.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A painted picture: 0x00RRGGBB pixels, rows top to bottom.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// The start-up background, 640x480: a lake at dusk under a sky with clouds, hills and a small town.
// Story text goes over its lower part, which is kept dark and quiet.
Picture Paint_back00();

// The click-wait strip, 75x25: icon (black where the background shows), its AND mask, scratch.
Picture Paint_parts();

// The second chapter's backgrounds, 640x480, each kept dark enough under the text area for light
// text: a lane of old houses lit by paper lanterns at night; a tatami room at night, the moonlit
// lake in its window; the lake under the moon from the shore by the old pier.
Picture Paint_street();
Picture Paint_room();
Picture Paint_lake_night();

// A picture postcard of the lake and the tower, 240x180, for the scripts to lay over a scene.
Picture Paint_postcard();

// The fades' all-black 640x480 picture.
Picture Paint_black();

// The key-copy benchmark's mask, 640x480: a round window in a dark wall with bamboo in front,
// pure green (0x00FF00) wherever the picture behind should show through.
Picture Paint_round_window_mask();

// How a JPEG is written: quality 1-100, and baseline or progressive.
struct JpegSettings {
    int quality = 92;
    bool progressive = false;
};

// Encodes the picture as a JPEG file in memory. False if the picture is empty or libjpeg fails.
bool Jpeg_encode(const Picture& picture, const JpegSettings& settings, std::vector<uint8_t>* out);

// Converts one story file from UTF-8 (LF or CR LF line ends, optional byte-order mark) to Shift-JIS
// with CR LF line ends. False with "NAME:LINE: reason" in *error if a character has no Shift-JIS form.
bool Convert_script_text(const std::string& utf8, const std::string& name, std::string* sjis,
                         std::string* error);

// Copies every file under src_dir to out_dir keeping relative paths; files under txt/ ending in .txt
// go through Convert_script_text. False with a reason on the first failure.
bool Copy_demo_tree(const std::filesystem::path& src_dir, const std::filesystem::path& out_dir,
                    std::string* error);

// Paints every generated picture and writes it under out_dir. False with a reason on failure.
bool Generate_pictures(const std::filesystem::path& out_dir, std::string* error);
