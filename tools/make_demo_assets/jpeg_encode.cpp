// The generator's JPEG writer, through libjpeg into memory.
//
// libjpeg reports fatal errors by calling error_exit, which must not return: ours jumps back with
// longjmp. Only C objects live in the frame the jump crosses; the row buffer and the output belong
// to the caller.
#include "demo_assets.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>

// clang-format off
#include <jpeglib.h>
// clang-format on

namespace {

struct ErrorManager {
    jpeg_error_mgr base; // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf jump;
};

[[noreturn]] void On_fatal(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void On_output(j_common_ptr) {}

// Compresses the picture into libjpeg's memory buffer (*buffer, *size; freed by the caller, even
// after a failure). Only trivially destructible objects may live here, because of the longjmp.
bool Run_encode(jpeg_compress_struct* cinfo, ErrorManager* manager, const Picture& picture,
                const JpegSettings& settings, uint8_t* row, unsigned char** buffer, unsigned long* size) {
    if (setjmp(manager->jump)) return false;
    jpeg_create_compress(cinfo);
    jpeg_mem_dest(cinfo, buffer, size);
    cinfo->image_width = JDIMENSION(picture.width);
    cinfo->image_height = JDIMENSION(picture.height);
    const JpegColours colours = settings.colours;
    const bool grey = colours == JpegColours::Grey;
    const bool cmyk = colours == JpegColours::CmykAdobe || colours == JpegColours::CmykPlain;
    cinfo->input_components = grey ? 1 : cmyk ? 4 : 3;
    cinfo->in_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, settings.quality, TRUE);
    // Full-resolution colour: the small warm lights of the night pictures would bleed at half.
    for (int i = 0; i < cinfo->num_components; ++i)
        cinfo->comp_info[i].h_samp_factor = cinfo->comp_info[i].v_samp_factor = 1;
    cinfo->optimize_coding = TRUE;
    if (settings.progressive) jpeg_simple_progression(cinfo);
    if (colours == JpegColours::CmykPlain) cinfo->write_Adobe_marker = FALSE;
    jpeg_start_compress(cinfo, TRUE);
    const int n = cinfo->input_components;
    while (cinfo->next_scanline < cinfo->image_height) {
        const uint32_t* src = picture.pixels.data() + size_t(cinfo->next_scanline) * size_t(picture.width);
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t rgb[3] = {uint8_t(src[x] >> 16), uint8_t(src[x] >> 8), uint8_t(src[x])};
            if (grey) {
                row[x] = rgb[1];
            } else if (cmyk) {
                const int mx = std::max({rgb[0], rgb[1], rgb[2], uint8_t(1)});
                for (int i = 0; i < 4; ++i) {
                    const int v = i < 3 ? 255 - rgb[i] * 255 / mx : 255 - mx;
                    row[x * n + i] = uint8_t(colours == JpegColours::CmykAdobe ? 255 - v : v);
                }
            } else {
                std::copy(rgb, rgb + 3, row + x * 3);
            }
        }
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(cinfo, rows, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

} // namespace

bool Jpeg_encode(const Picture& picture, const JpegSettings& settings, std::vector<uint8_t>* out) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != size_t(picture.width) * size_t(picture.height))
        return false;
    std::vector<uint8_t> row(size_t(picture.width) * 4);
    jpeg_compress_struct cinfo{};
    ErrorManager manager;
    cinfo.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = On_fatal;
    manager.base.output_message = On_output;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = Run_encode(&cinfo, &manager, picture, settings, row.data(), &buffer, &size);
    jpeg_destroy_compress(&cinfo);
    if (ok) out->assign(buffer, buffer + size);
    std::free(buffer);
    return ok;
}
