#include "ui/bmp_image.h"

#include <cstdlib>

#include "base/payload_block.h"
#include "codec/formats/bmp_codec.h"
#include "codec/image_source.h"

bool DecodeBmpImage(const unsigned char* bmp, size_t size, OwnedRgbImage& image) {
    image.Reset();
    if (bmp == nullptr || size == 0) return false;
    ImageSource* source = OpenMemorySource(bmp, size);
    if (source == nullptr) return false;
    RgbImage decoded;
    bool done = DecodeBmp(source, 24, decoded, nullptr);
    (void)CloseSource(source);
    image = AdoptCodecPicture(decoded);
    if (!done) image.Reset();
    return done;
}

bool DecodeBmpBlock(const unsigned char* block, size_t size, OwnedRgbImage& image) {
    image.Reset();
    uint32_t produced = 0;
    unsigned char* bmp = InflatePayload(block, size, &produced);
    if (bmp == nullptr) return false;
    bool decoded = DecodeBmpImage(bmp, produced, image);
    std::free(bmp);
    return decoded;
}
