// The BMP reader at every depth it hands out (the data-resource bitmaps come through here).
// Like a program would, the target installs allocation functions, here refusing more than
// 64 MiB, so that a forged size costs nothing to refuse.
#include <cstdlib>
#include <initializer_list>

#include "codec/codec_state.h"
#include "codec/formats/bmp_reader.h"
#include "fuzz/reader_fuzzers.h"

namespace {

constexpr size_t kLargestPicture = 64u << 20;

void* AllocateBounded(size_t size, void*) {
    return size <= kLargestPicture ? std::calloc(1, size) : nullptr;
}
void* ReallocateBounded(void* buffer, size_t size, void*) {
    return size <= kLargestPicture ? std::realloc(buffer, size) : nullptr;
}
int FreeBounded(void* buffer, void*) {
    std::free(buffer);
    return 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetCodecAllocators(AllocateBounded, ReallocateBounded, FreeBounded, nullptr);
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
