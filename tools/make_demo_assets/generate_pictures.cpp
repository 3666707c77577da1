// The list of pictures the generator paints, and how each is written into the game folder.
// To add a picture, write its paint procedure in a file of its own and add a line to PICTURES.
#include "demo_assets.h"
#include "gfx/image_decode.h"

#include <fstream>

namespace fs = std::filesystem;

namespace {

struct GeneratedPicture {
    const char* path; // relative to the game folder
    Picture (*paint)();
};

const GeneratedPicture PICTURES[] = {
    {"gdat/system/Back00.bmp", Paint_back00},
    {"gdat/system/Parts.bmp", Paint_parts},
};

// Encodes by the file's extension.
bool Encode(const fs::path& path, const Picture& picture, std::vector<uint8_t>* bytes) {
    const std::string extension = path.extension().string();
    if (extension == ".bmp" || extension == ".BMP") {
        *bytes = Bmp_encode_24(picture.pixels.data(), picture.width, picture.height);
        return !bytes->empty();
    }
    return false;
}

} // namespace

bool Generate_pictures(const fs::path& out_dir, std::string* error) {
    for (const GeneratedPicture& entry : PICTURES) {
        const fs::path path = out_dir / entry.path;
        const Picture picture = entry.paint();
        std::vector<uint8_t> bytes;
        if (!Encode(path, picture, &bytes)) {
            *error = path.string() + ": cannot encode this kind of picture";
            return false;
        }
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (ec || !out.flush()) {
            *error = path.string() + ": cannot write";
            return false;
        }
    }
    return true;
}
