// Fuzz target: the BMP and JPEG decoders on arbitrary bytes. Whatever decodes must be whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "formats/image_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedImage image;
    std::string error;
    if (Image_decode(data, size, &image, &error) &&
        image.pixels.size() != size_t(image.width) * size_t(image.height))
        std::abort();
    return 0;
}
