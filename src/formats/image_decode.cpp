// Picks the decoder by the file's own signature, so a JPEG named .bmp (or the reverse) still loads.
#include "formats/image_decode.h"

bool Image_decode(const uint8_t* data, size_t size, DecodedImage* out, std::string* error) {
    if (data && size >= 2 && data[0] == 'B' && data[1] == 'M') return Bmp_decode(data, size, out, error);
    if (data && size >= 2 && data[0] == 0xFF && data[1] == 0xD8) return Jpeg_decode(data, size, out, error);
    if (error) *error = "not a BMP or JPEG picture";
    return false;
}
