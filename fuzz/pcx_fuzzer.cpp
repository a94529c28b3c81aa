#include <initializer_list>

#include "codec/formats/format_readers.h"
#include "fuzz/reader_fuzzers.h"

// Each input is read at the generic read's depth and at the deepest one, so the 32-bit path
// is exercised as well as the refusal.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (int depth : {24, 32}) {
        BoundedReader in(data, size);
        RgbImage image;
        int result = ReadPcxImage(in, depth, image);
        CheckDecodedForFuzzing(result, image, image.pixels, 3);
        ReleaseForFuzzing(image);
    }
    return 0;
}
