// libpng reports errors by longjmp to the setjmp in the decoder; the output buffer is
// released by its owner in the caller's frame.
#include "codec/formats/png_reader.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/formats/reader_support.h"
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

// The decoder proper, between setjmp and libpng's longjmp; the pixels live in the caller's
// frame so that they survive a jump.
int RunDecoder(png_structp png, png_infop info, MemoryStream& stream, CodecBuffer& pixels, RgbImage& out) {
    volatile int failure = kCodecUnsupportedVariant;
    if (setjmp(png_jmpbuf(png)) != 0) return stream.ended ? kCodecReadError : failure;
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
    const int passes = png_set_interlace_handling(png);
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
    if (rawBytes / kMaxDeflateRatio > stream.size) {
        failure = kCodecReadError;
        png_longjmp(png, 1);
    }
    pixels = CodecBuffer::Allocate(totalBytes);
    if (pixels.IsEmpty()) {
        failure = kCodecOutOfMemory;
        png_longjmp(png, 1);
    }
    // Row by row, each interlace pass over the rows the earlier ones filled: no table of row
    // pointers, which a tall, narrow picture would make as big as the picture itself.
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, pixels.Data() + rowBytes * y, nullptr);
    }
    // What follows the pixels (text, time, the end chunk) is not needed; a file cut right
    // after its pixel data still reads.
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    return kCodecOk;
}

int RunHeaderReader(png_structp png, png_infop info, MemoryStream& stream, int& width, int& height) {
    if (setjmp(png_jmpbuf(png)) != 0) return stream.ended ? kCodecReadError : kCodecUnsupportedVariant;
    png_set_read_fn(png, &stream, ReadFromMemory);
    png_set_crc_action(png, PNG_CRC_WARN_USE, PNG_CRC_WARN_DISCARD);
    png_read_info(png, info);
    png_uint_32 storedWidth = png_get_image_width(png, info);
    png_uint_32 storedHeight = png_get_image_height(png, info);
    if (storedWidth > 0x7FFFFFFF || storedHeight > 0x7FFFFFFF) return kCodecOutOfMemory;
    width = static_cast<int>(storedWidth);
    height = static_cast<int>(storedHeight);
    return kCodecOk;
}

// Runs `reader` on a fresh libpng reader over the file in memory.
template <typename Reader>
int WithPngReader(const unsigned char* data, size_t size, Reader&& reader) {
    if (size < 8 || png_sig_cmp(data, 0, 8) != 0) return kCodecCannotOpen;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ExitOnError, IgnoreWarning);
    if (png == nullptr) return kCodecOutOfMemory;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return kCodecOutOfMemory;
    }
    MemoryStream stream{data, size, 0, false};
    int result = reader(png, info, stream);
    png_destroy_read_struct(&png, &info, nullptr);
    return result;
}

}  // namespace

int ReadPngSize(const unsigned char* data, size_t size, int& width, int& height) {
    return WithPngReader(data, size, [&](png_structp png, png_infop info, MemoryStream& stream) {
        return RunHeaderReader(png, info, stream, width, height);
    });
}

int ReadPngImage(const unsigned char* data, size_t size, RgbImage& out) {
    out = RgbImage{};
    CodecBuffer pixels;
    int result = WithPngReader(data, size, [&](png_structp png, png_infop info, MemoryStream& stream) {
        return RunDecoder(png, info, stream, pixels, out);
    });
    if (result != kCodecOk) {
        out = RgbImage{};
        return result;
    }
    DeliverRgbImage(pixels, out.width, out.height, out);
    return kCodecOk;
}
