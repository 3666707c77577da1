#include "app/version.h"

#include "formats/image_decode.h"
#include "gfx/font.h"

std::string Version_text(const std::string& window_libraries) {
    return std::string("kotoyumi ") + KOTOYUMI_VERSION + "\n" + window_libraries + "FreeType " +
           Font_library_version() + "\n" + Jpeg_library_version() + "\n";
}
