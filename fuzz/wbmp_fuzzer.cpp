#include "codec/formats/format_readers.h"
#include "fuzz/reader_fuzzers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BoundedReader in(data, size);
    PaletteImage image;
    int result = ReadWbmpImage(in, image);
    CheckDecodedForFuzzing(result, image, image.indices, 1);
    ReleaseForFuzzing(image);
    return 0;
}
