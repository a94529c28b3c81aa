// JPEG decoding from memory as the composition decodes picture payloads: at 24 bits, at a
// reduced size, and the header probe of the import. Seeds: Huffman-coded, arithmetic-coded
// and progressive files.
#include "codec/codec_memory.h"
#include "codec/formats/jpeg_codec.h"
#include "codec/formats/jpeg_decoder.h"
#include "codec/image_source.h"
#include "fuzz/reader_fuzzers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ImageSource* source = OpenMemorySource(data, size);
    if (source == nullptr) return 0;
    int width = 0;
    int height = 0;
    bool sized = ReadJpegSize(source, width, height) == 0;
    RgbImage image;
    bool decoded = DecodeJpeg(source, 24, image);
    CheckDecodedForFuzzing(decoded ? 0 : 1, image, image.pixels, 3);
    if (decoded && (!sized || image.width != width || image.height != height)) __builtin_trap();
    ReleaseForFuzzing(image);
    RgbImage reduced;
    bool scaled = DecodeJpegScaled(source, 64, 64, reduced);
    CheckDecodedForFuzzing(scaled ? 0 : 1, reduced, reduced.pixels, 3);
    ReleaseForFuzzing(reduced);
    CloseSource(source);
    return 0;
}
