// The list of pictures the generator paints, and how each is written into the game folder.
// To add a picture, write its paint procedure in a file of its own and add a line to PICTURES.
#include "demo_assets.h"
#include "formats/image_decode.h"

#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

enum class Jpeg { Baseline, Progressive };

struct GeneratedPicture {
    const char* path; // relative to the game folder
    Picture (*paint)();
    Jpeg jpeg = Jpeg::Baseline; // for .jpg files: scripts may name either kind
};

const GeneratedPicture PICTURES[] = {
    {"gdat/system/Back00.bmp", Paint_back00},
    {"gdat/system/Parts.bmp", Paint_parts},
    {"gdat/bg_street.jpg", Paint_street},
    {"gdat/bg_room.bmp", Paint_room},
    {"gdat/bg_lake_night.jpg", Paint_lake_night, Jpeg::Progressive},
    {"gdat/bg_street_dim.bmp", Paint_street_dimmed},
    {"gdat/bg_room_dim.bmp", Paint_room_dimmed},
    {"gdat/bg_lake_night_dim.bmp", Paint_lake_night_dimmed},
    {"gdat/postcard.bmp", Paint_postcard},
    {"gdat/black.bmp", Paint_black},
    // The `test` command's pair: the night lake seen through a round window.
    {"gdat/mask_test_00.BMP", Paint_round_window_mask},
    {"gdat/sample_1.jpg", Paint_lake_night},
    {"gdat/system/menu_window_main.bmp", Paint_menu_main},
    {"gdat/system/menu_window_exit.bmp", Paint_menu_exit},
    {"gdat/system/menu_window_fps.bmp", Paint_menu_fps},
    {"gdat/system/menu_window_save_02.bmp", Paint_menu_save},
    {"gdat/system/menu_window_load_02.bmp", Paint_menu_load},
    {"gdat/system/menu_window_start.bmp", Paint_menu_start},
};

// The starter game's: the engine's own pictures, the black for fades and darkening, one scene.
const GeneratedPicture STARTER_PICTURES[] = {
    {"gdat/system/Back00.bmp", Paint_back00},
    {"gdat/system/Parts.bmp", Paint_parts},
    {"gdat/system/menu_window_main.bmp", Paint_menu_main},
    {"gdat/system/menu_window_exit.bmp", Paint_menu_exit},
    {"gdat/system/menu_window_fps.bmp", Paint_menu_fps},
    {"gdat/system/menu_window_save_02.bmp", Paint_menu_save},
    {"gdat/system/menu_window_load_02.bmp", Paint_menu_load},
    {"gdat/system/menu_window_start.bmp", Paint_menu_start},
    {"gdat/black.bmp", Paint_black},
    {"gdat/room.jpg", Paint_room},
};

// Encodes by the file's extension.
bool Encode(const fs::path& path, const GeneratedPicture& entry, const Picture& picture,
            std::vector<uint8_t>* bytes) {
    const std::string extension = path.extension().string();
    if (extension == ".bmp" || extension == ".BMP") {
        *bytes = Bmp_encode_24(picture.pixels.data(), picture.width, picture.height);
        return !bytes->empty();
    }
    if (extension == ".jpg" || extension == ".JPG") {
        JpegSettings settings;
        settings.progressive = entry.jpeg == Jpeg::Progressive;
        return Jpeg_encode(picture, settings, bytes);
    }
    return false;
}

// Paints and writes each picture of the list under out_dir.
template <size_t N>
bool Write_pictures(const GeneratedPicture (&list)[N], const fs::path& out_dir, std::string* error) {
    // A picture written under two names is painted once.
    std::map<Picture (*)(), Picture> painted;
    for (const GeneratedPicture& entry : list) {
        const fs::path path = out_dir / entry.path;
        auto found = painted.find(entry.paint);
        if (found == painted.end()) found = painted.emplace(entry.paint, entry.paint()).first;
        const Picture& picture = found->second;
        std::vector<uint8_t> bytes;
        if (!Encode(path, entry, picture, &bytes)) {
            *error = path.string() + ": cannot encode this kind of picture";
            return false;
        }
        if (!Write_asset(path, bytes, error)) return false;
    }
    return true;
}

} // namespace

bool Generate_pictures(const fs::path& out_dir, std::string* error) {
    return Write_pictures(PICTURES, out_dir, error);
}

bool Generate_starter_pictures(const fs::path& out_dir, std::string* error) {
    return Write_pictures(STARTER_PICTURES, out_dir, error);
}

bool Write_asset(const fs::path& path, const std::vector<uint8_t>& bytes, std::string* error) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (ec || !out.flush()) {
        *error = path.string() + ": cannot write";
        return false;
    }
    return true;
}
