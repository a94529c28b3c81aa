#include "codec/formats/format_readers.h"
#include "fuzz/reader_fuzzers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BoundedReader in(data, size);
    RgbImage image;
    int result = ReadPhotoCdImage(in, image);
    CheckDecodedForFuzzing(result, image, image.pixels, 3);
    ReleaseForFuzzing(image);
    return 0;
}
