// The demo game's asset generator: copies the demo sources into a game folder (story text turned
// into Shift-JIS), paints the pictures and makes the sounds and music the demo does not ship.
//
// Each generated picture is one paint procedure in its own file, listed in generate_pictures.cpp;
// each sound or piece of music likewise, listed in generate_sounds.cpp.
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

// The same three as the scenes show them under the text, dimmed by two blends of black (20%, 25%),
// the JPEG ones from their pixels as decoded: written as BMP, they equal the blended screen.
Picture Paint_street_dimmed();
Picture Paint_room_dimmed();
Picture Paint_lake_night_dimmed();

// A picture postcard of the lake and the tower, 240x180, for the scripts to lay over a scene.
Picture Paint_postcard();

// The fades' all-black 640x480 picture.
Picture Paint_black();

// The key-copy benchmark's mask, 640x480: a round window in a dark wall with bamboo in front,
// pure green (0x00FF00) wherever the picture behind should show through.
Picture Paint_round_window_mask();

// The menu windows, each file holding the window's looks side by side from x 0 (normal, every
// button lit, and for the frame-rate window the option in force), black after the last look:
// the main menu 100x120 (Save, Load, Frame rate, Exit); the exit and frame-rate questions 100x85;
// the save and load slot lists 300x200 with eight dark slot rows for the engine's labels; the
// title menu 150x100 (From the start, Continue, Quit).
Picture Paint_menu_main();
Picture Paint_menu_exit();
Picture Paint_menu_fps();
Picture Paint_menu_save();
Picture Paint_menu_load();
Picture Paint_menu_start();

// The colour model a JPEG is written in. Grey keeps the green channel; the CMYK kinds (for testing
// decoders) store K = 255 - max(R, G, B) and C, M, Y relative to it, inverted with an Adobe marker.
enum class JpegColours { Rgb, Grey, CmykAdobe, CmykPlain };

// How a JPEG is written: quality 1-100, baseline or progressive, and the colour model.
struct JpegSettings {
    int quality = 92;
    bool progressive = false;
    JpegColours colours = JpegColours::Rgb;
};

// Encodes the picture as a JPEG file in memory. False if the picture is empty or libjpeg fails.
bool Jpeg_encode(const Picture& picture, const JpegSettings& settings, std::vector<uint8_t>* out);

// Converts one story file from UTF-8 (LF or CR LF line ends, optional byte-order mark) to Shift-JIS
// with CR LF line ends (check/source_convert.h). False with "NAME:LINE:COLUMN: error: reason" in
// *error for the first character that has no Shift-JIS form.
bool Convert_script_text(const std::string& utf8, const std::string& name, std::string* sjis,
                         std::string* error);

// Copies every file under src_dir to out_dir keeping relative paths; files under txt/ ending in .txt
// go through Convert_script_text. False with a reason on the first failure.
bool Copy_demo_tree(const std::filesystem::path& src_dir, const std::filesystem::path& out_dir,
                    std::string* error);

// Writes bytes to path, making its folders. False with "PATH: cannot write" in *error on failure.
bool Write_asset(const std::filesystem::path& path, const std::vector<uint8_t>& bytes, std::string* error);

// Paints every generated picture and writes it under out_dir. False with a reason on failure.
bool Generate_pictures(const std::filesystem::path& out_dir, std::string* error);

// The starter game's pictures: Back00, Parts and the six menu windows in gdat/system/, black.bmp
// and one scene (room.jpg) in gdat/. False with a reason on failure.
bool Generate_starter_pictures(const std::filesystem::path& out_dir, std::string* error);

// A sound as 16-bit PCM, interleaved left, right when stereo.
struct Sound {
    int rate = 44100;
    int channels = 1;
    std::vector<int16_t> samples;
};

// Turns interleaved float samples into a Sound, scaled so that the loudest sample is `peak` (0..1)
// of full scale. All zeros stay zeros.
Sound Sound_from_float(const std::vector<float>& samples, int channels, double peak);

// Wraps the sound in a RIFF WAVE file (PCM, 16-bit). Empty if the sound is empty or malformed.
std::vector<uint8_t> Wav_encode(const Sound& sound);

// Encodes the sound as constant-bit-rate MP3 (kbps) with an Info frame first, no ID3 tags.
// False if the sound is not 1 or 2 channels or the encoder refuses it.
bool Mp3_encode(const Sound& sound, int kbps, std::vector<uint8_t>* out);

// A small temple bell struck once: 1.5 s mono, soft attack, starts and ends at silence.
Sound Make_bell();

// Gentle rain, 4 s stereo, made to loop: the last sample leads into the first without a step.
Sound Make_rain();

// The night-lake piece: 32 s stereo of soft keys over a pad and bass with echo. Rendered as a loop:
// tails and echoes of the end sound over the start, so it is never silent at either end.
Sound Make_lake();

// One MIDI event at an absolute tick: a channel message or a meta event (FF type length data).
struct MidiEvent {
    uint32_t tick = 0;
    std::vector<uint8_t> bytes;
};
struct MidiTrack {
    std::string name;
    std::vector<MidiEvent> events;
};
// A format 1 Standard MIDI File; every track ends at end_tick.
struct MidiSong {
    int ticks_per_quarter = 480;
    uint32_t end_tick = 0;
    std::vector<MidiTrack> tracks;
};

// Appends a MIDI variable-length quantity (at most 0x0FFFFFFF) to out.
void Midi_put_vlq(uint32_t value, std::vector<uint8_t>* out);

// Writes the song: each track is its name, its events in tick order (at one tick: meta and
// controller events, then note-offs, then note-ons) and end-of-track at end_tick. Empty if an event
// is empty or lies after end_tick.
std::vector<uint8_t> Midi_encode(const MidiSong& song);

// The starter game's evening piece: 24 s of soft piano over held strings, looping.
MidiSong Tune_evening();

// The town theme: 48 s at 80 beats a minute, flute over koto, strings, bass and wood blocks. The last
// note ends at end_tick and the last bar leads back into the first, so it loops.
MidiSong Tune_town();

// Makes every generated sound and piece of music and writes it under out_dir. False with a reason
// on failure.
bool Generate_sounds(const std::filesystem::path& out_dir, std::string* error);
