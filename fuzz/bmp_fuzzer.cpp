// The BMP reader at every depth it hands out (the data-resource bitmaps come through here).
#include <initializer_list>

#include "codec/bmp_reader.h"
#include "fuzz/reader_fuzzers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (int depth : {1, 8, 24, 32}) {
        BoundedReader in(data, size);
        RgbImage image;
        ImagePalette palette;
        int result = ReadBmpImage(in, depth, image, &palette);
        if (depth == 24) CheckDecodedForFuzzing(result, image, image.pixels, 3);
        if (result == 0 && palette.count > 256) __builtin_trap();
        ReleaseForFuzzing(image);
    }
    return 0;
}
