// JPEG files through libjpeg, from memory, with errors turned into a false result.
//
// libjpeg reports fatal errors by calling error_exit, which must not return: ours jumps back to the
// decode procedure with longjmp. Only C objects (the libjpeg state, pointers) live in the frames the
// jump crosses; the pixel vector belongs to the caller, so no destructor is skipped.
#include "formats/image_decode.h"

#include <bit>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <new>

// clang-format off
#include <jpeglib.h>  // first: jerror.h depends on its configuration
#include <jerror.h>
// clang-format on

// Rows are decoded straight into the pixel buffer as B, G, R, X bytes, which is 0xXXRRGGBB in memory
// on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

namespace {

constexpr JDIMENSION MAX_SIDE = 4096; // no picture of a game is larger; refused before allocation
constexpr uint64_t MAX_PIXELS = uint64_t(1) << 24;

struct ErrorManager {
    jpeg_error_mgr base; // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void On_fatal(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    cinfo->err->format_message(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

// libjpeg only warns about damaged entropy-coded data and fills the rest of the picture with grey;
// a player would rather be told the file is broken. Harmless warnings (stray bytes between markers,
// an unknown JFIF revision) are ignored.
void On_message(j_common_ptr cinfo, int level) {
    if (level >= 0) return; // trace messages
    switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
        On_fatal(cinfo);
    default:
        break;
    }
}

// Messages go to the caller's error string, never to standard error.
void On_output(j_common_ptr) {}

uint8_t Mul255(unsigned a, unsigned b) {
    return uint8_t((a * b + 127) / 255);
}

// Runs the whole decode. Returns false with manager->message (or *error) set on any failure.
// Only trivially destructible objects may live here, because of the longjmp.
bool Run_decode(jpeg_decompress_struct* cinfo, ErrorManager* manager, const uint8_t* data, size_t size,
                DecodedImage* image, std::string* error) {
    if (setjmp(manager->jump)) return false;
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(cinfo, TRUE);
    if (cinfo->image_width > MAX_SIDE || cinfo->image_height > MAX_SIDE ||
        uint64_t(cinfo->image_width) * cinfo->image_height > MAX_PIXELS) {
        *error = "JPEG too large";
        return false;
    }
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    jpeg_start_decompress(cinfo);

    const JDIMENSION w = cinfo->output_width;
    const JDIMENSION h = cinfo->output_height;
    try {
        image->pixels.assign(size_t(w) * h, 0);
    } catch (const std::bad_alloc&) {
        *error = "out of memory for the JPEG";
        return false;
    }
    image->width = int(w);
    image->height = int(h);

    // Adobe's writers store CMYK inverted (0 = full ink); everyone else stores it plainly.
    const bool inverted = cinfo->saw_Adobe_marker;
    JSAMPARRAY cmyk_row =
        cmyk ? (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, w * 4, 1)
             : nullptr;
    while (cinfo->output_scanline < h) {
        uint32_t* dst = image->pixels.data() + size_t(cinfo->output_scanline) * w;
        if (!cmyk) {
            JSAMPROW row = reinterpret_cast<JSAMPROW>(dst);
            jpeg_read_scanlines(cinfo, &row, 1);
            for (JDIMENSION x = 0; x < w; ++x)
                dst[x] &= 0x00FFFFFF;
            continue;
        }
        jpeg_read_scanlines(cinfo, cmyk_row, 1);
        const uint8_t* src = cmyk_row[0];
        for (JDIMENSION x = 0; x < w; ++x, src += 4) {
            const unsigned c = inverted ? src[0] : 255 - src[0];
            const unsigned m = inverted ? src[1] : 255 - src[1];
            const unsigned y = inverted ? src[2] : 255 - src[2];
            const unsigned k = inverted ? src[3] : 255 - src[3];
            dst[x] = uint32_t(Mul255(c, k)) << 16 | uint32_t(Mul255(m, k)) << 8 | Mul255(y, k);
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

} // namespace

bool Jpeg_decode(const uint8_t* data, size_t size, DecodedImage* out, std::string* error) {
    std::string reason;
    if (!data || size == 0) {
        if (error) *error = "empty JPEG file";
        return false;
    }
    jpeg_decompress_struct cinfo;
    ErrorManager manager;
    cinfo.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = On_fatal;
    manager.base.emit_message = On_message;
    manager.base.output_message = On_output;
    manager.message[0] = '\0';

    DecodedImage image;
    const bool ok = Run_decode(&cinfo, &manager, data, size, &image, &reason);
    jpeg_destroy_decompress(&cinfo);
    if (!ok) {
        if (error) *error = reason.empty() ? "bad JPEG: " + std::string(manager.message) : reason;
        return false;
    }
    *out = std::move(image);
    return true;
}

std::string Jpeg_library_version() {
    char text[64];
#ifdef LIBJPEG_TURBO_VERSION_NUMBER
    const int turbo = LIBJPEG_TURBO_VERSION_NUMBER; // 2001005 for 2.1.5
    std::snprintf(text, sizeof text, "libjpeg-turbo %d.%d.%d (libjpeg %d.%d)", turbo / 1000000,
                  turbo / 1000 % 1000, turbo % 1000, JPEG_LIB_VERSION / 10, JPEG_LIB_VERSION % 10);
#else
    std::snprintf(text, sizeof text, "libjpeg %d.%d", JPEG_LIB_VERSION / 10, JPEG_LIB_VERSION % 10);
#endif
    return text;
}
