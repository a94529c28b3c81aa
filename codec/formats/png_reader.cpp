// libpng reports errors by longjmp to the setjmp in ReadPngImage; the output buffer and
// the row pointers are released there.
#include "codec/formats/png_reader.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/pixels/row_layout.h"

namespace {

struct MemoryStream {
    const unsigned char* data;
    size_t size;
    size_t position;
    bool ended;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
    auto* stream = static_cast<MemoryStream*>(png_get_io_ptr(png));
    if (count > stream->size - stream->position) {
        stream->ended = true;
        png_error(png, "data ends early");
    }
    std::memcpy(out, stream->data + stream->position, count);
    stream->position += count;
}

void IgnoreWarning(png_structp, png_const_charp) {}

void ExitOnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// Deflate packs at most about 1032 bytes into one; a header announcing more pixels than
// that could hold is refused before the picture is allocated.
constexpr uint64_t kMaxDeflateRatio = 1032;

}  // namespace

int ReadPngImage(const unsigned char* data, size_t size, RgbImage& out) {
    out = RgbImage{};
    if (size < 8 || png_sig_cmp(data, 0, 8) != 0) return kCodecCannotOpen;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ExitOnError, IgnoreWarning);
    if (png == nullptr) return kCodecOutOfMemory;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return kCodecOutOfMemory;
    }
    MemoryStream stream{data, size, 0, false};
    unsigned char* volatile pixels = nullptr;
    png_bytep* volatile rows = nullptr;
    volatile int failure = kCodecUnsupportedVariant;
    if (setjmp(png_jmpbuf(png)) != 0) {
        std::free(rows);
        CodecFree(pixels);
        png_destroy_read_struct(&png, &info, nullptr);
        return stream.ended ? kCodecReadError : failure;
    }
    png_set_read_fn(png, &stream, ReadFromMemory);
    png_set_crc_action(png, PNG_CRC_WARN_USE, PNG_CRC_WARN_DISCARD);
    png_read_info(png, info);

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);
    const unsigned fileChannels = png_get_channels(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (bitDepth == 16) png_set_scale_16(png);
    // Expanding a palette or grey picture turns its transparency chunk into alpha as well.
    if ((colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS)) png_set_strip_alpha(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    (void)png_set_interlace_handling(png);
    png_read_update_info(png, info);

    size_t rowBytes = 0, totalBytes = 0;
    if (width > 0x7FFFFFFF || height > 0x7FFFFFFF ||
        !PictureBufferSize(static_cast<int>(width), static_cast<int>(height), 24, rowBytes, totalBytes) ||
        png_get_rowbytes(png, info) != rowBytes) {
        failure = kCodecOutOfMemory;
        png_longjmp(png, 1);
    }
    uint64_t rawBytes =
        static_cast<uint64_t>(height) * (1 + (static_cast<uint64_t>(width) * bitDepth * fileChannels + 7) / 8);
    if (rawBytes / kMaxDeflateRatio > size) {
        failure = kCodecReadError;
        png_longjmp(png, 1);
    }
    pixels = static_cast<unsigned char*>(CodecAllocate(totalBytes));
    rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
    if (pixels == nullptr || rows == nullptr) {
        failure = kCodecOutOfMemory;
        png_longjmp(png, 1);
    }
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixels + rowBytes * y;
    png_read_image(png, rows);
    // What follows the pixels (text, time, the end chunk) is not needed; a file cut right
    // after its pixel data still reads.
    std::free(rows);
    png_destroy_read_struct(&png, &info, nullptr);
    out.pixels = pixels;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    return kCodecOk;
}
