// The generic read on a memory source: detection, then whichever decoder the bytes select
// (BMP, GIF, JPEG, PNG, PCX, TIFF, PSD, TGA, WBMP, Photo CD), as the import does.
#include "codec/format_detection.h"
#include "codec/image_reader.h"
#include "codec/image_source.h"
#include "fuzz/reader_fuzzers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ImageSource* source = OpenMemorySource(data, size);
    if (source == nullptr) return 0;
    (void)GuessFormat(source);
    if (SeekSource(source, 0, 0)) {
        RgbImage image;
        bool decoded = ReadImageRgb24(source, image);
        CheckDecodedForFuzzing(decoded ? 0 : 1, image, image.pixels, 3);
        FreeImageRgb24(image);
    }
    CloseSource(source);
    return 0;
}
