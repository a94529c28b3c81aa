#include "ui/bmp_image.h"

#include <cstdlib>

#include "codec/formats/bmp_codec.h"
#include "codec/codec_memory.h"
#include "codec/image_source.h"
#include "base/payload_block.h"

bool DecodeBmpImage(const unsigned char* bmp, size_t size, RgbImage& image) {
    image = RgbImage();
    if (bmp == nullptr || size == 0) return false;
    ImageSource* source = OpenMemorySource(bmp, size);
    if (source == nullptr) return false;
    bool decoded = DecodeBmp(source, 24, image, nullptr);
    (void)CloseSource(source);
    if (!decoded) image = RgbImage();
    return decoded;
}

void FreeBmpImage(RgbImage& image) {
    if (image.pixels != nullptr) CodecFree(image.pixels);
    image = RgbImage();
}

bool DecodeBmpBlock(const unsigned char* block, size_t size, RgbImage& image) {
    image = RgbImage();
    uint32_t produced = 0;
    unsigned char* bmp = InflatePayload(block, size, &produced);
    if (bmp == nullptr) return false;
    bool decoded = DecodeBmpImage(bmp, produced, image);
    std::free(bmp);
    return decoded;
}
