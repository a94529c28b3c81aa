// The generic read on a memory source, as the import does it: the size from the headers
// first, then detection and whichever decoder the bytes select (BMP, GIF, JPEG, PNG, PCX,
// TIFF, PSD, TGA, WBMP, Photo CD). Built three times with different seeds: every format, TIFF
// files only, PNG files only.
//
// A few bytes may rightly describe a picture of gigabytes (a fax row can be a single bit),
// and decoding such pictures proves nothing but starves the fuzzer. Pictures beyond
// kLargestFuzzedPixels are only probed, so that each input stays far below the memory limit
// and a decoder that holds much more than its picture shows as a finding.
#include "codec/format_detection.h"
#include "codec/image_reader.h"
#include "codec/image_size.h"
#include "codec/image_source.h"
#include "fuzz/reader_fuzzers.h"

namespace {

constexpr long long kLargestFuzzedPixels = 8192LL * 8192;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ImageSource* source = OpenMemorySource(data, size);
    if (source == nullptr) return 0;
    (void)GuessFormat(source);
    int width = 0;
    int height = 0;
    bool sized = ReadImageSize(source, width, height);
    if (!sized || static_cast<long long>(width) * height <= kLargestFuzzedPixels) {
        RgbImage image;
        bool decoded = ReadImageRgb24(source, image);
        CheckDecodedForFuzzing(decoded ? 0 : 1, image, image.pixels, 3);
        // What the headers promise is what decoding delivers.
        if (decoded && (!sized || image.width != width || image.height != height)) __builtin_trap();
        FreeImageRgb24(image);
    }
    CloseSource(source);
    return 0;
}
