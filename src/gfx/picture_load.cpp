#include "gfx/picture_load.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "core/dialogs.h"
#include "core/file_io.h"
#include "core/sjis.h"
#include "formats/image_decode.h"

namespace {

std::string Format(const char* pattern, const std::string& value) {
    std::string text = pattern;
    size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}

// Copies the decoded picture onto the target at (x, y), at most w x h of it, clipped.
void Put(Surface* target, int x, int y, DecodedImage* image, int w, int h) {
    Surface picture;
    picture.width = image->width;
    picture.height = image->height;
    picture.pixels = std::move(image->pixels);
    Surface_copy(target, x, y, std::min(w, picture.width), std::min(h, picture.height), &picture, 0, 0);
}

} // namespace

bool _check_g_filename(const char* path) {
    size_t n = std::strlen(path);
    const char* suffix = path + (n >= 4 ? n - 4 : 0);
    for (const char* accepted : {".jpg", ".JPG", ".bmp", ".BMP"})
        if (n >= 4 && std::strcmp(suffix, accepted) == 0) return true;
    Msg_box(Format("■サポート外のファイル形式 [ %s ] が指定されてるにょ♪\n\n"
                   "  以下の拡張子のファイル名を指定してほしいにょ(･ω･)ﾉｼ\n\n"
                   "  [ .bmp ] [ .BMP ] [ .jpg ] [ .JPG ]",
                   Sjis_to_utf8(suffix))
                .c_str(),
            "_check_g_filename()");
    return false;
}

bool Load_Bmp(Surface* target, const char* path) {
    std::vector<uint8_t> bytes;
    DecodedImage image;
    std::string error;
    if (File_read_bytes(path, &bytes, PICTURE_FILE_LIMIT) != FileRead::Ok ||
        !Bmp_decode(bytes.data(), bytes.size(), &image, &error)) {
        Msg_box("画像読み込みに失敗しました", "Load_Bmp()");
        return false;
    }
    Put(target, 0, 0, &image, 640, 480);
    return true;
}

void PXL_LoadJpeg(Surface* target, int x, int y, const char* path) {
    if (!_check_g_filename(path)) return;
    std::vector<uint8_t> bytes;
    switch (File_read_bytes(path, &bytes, PICTURE_FILE_LIMIT)) {
    case FileRead::CannotOpen:
        Msg_box(Format("ファイル【 %s 】が開けないにょ！(T▽T)", Sjis_to_utf8(path)).c_str(),
                "PXL_LoadJpeg()");
        return;
    case FileRead::TooLarge:
        Msg_box("ヒープメモリが確保できないにょ！", "PXL_LoadJpeg()");
        return;
    case FileRead::Outside:
        File_report_outside(path, "PXL_LoadJpeg()");
        return;
    case FileRead::Ok:
        break;
    }
    DecodedImage image;
    std::string error;
    if (!Image_decode(bytes.data(), bytes.size(), &image, &error)) {
        // The decoder could not make a picture of it at all: say so instead of drawing garbage.
        Msg_box(
            Format("ファイル【 %s 】は絵として読めないにょ！(T▽T)\n壊れているか、対応していない形式みたい。",
                   Sjis_to_utf8(path))
                .c_str(),
            "PXL_LoadJpeg()");
        return;
    }
    Put(target, x, y, &image, image.width, image.height);
}
