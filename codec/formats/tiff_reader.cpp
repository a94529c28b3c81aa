// libtiff reads through client procedures over the memory buffer, so no temporary file is
// needed; its messages are silenced (the codec reports by error code only). The picture is
// decoded into the output row by row (tiff_rows.cpp) or one band of rows at a time, never
// through a raster of the whole picture beside it.
#include "codec/formats/tiff_reader.h"

#include <tiffio.h>

#include <cstdint>
#include <cstring>
#include <mutex>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/formats/reader_support.h"
#include "codec/formats/tiff_layout.h"
#include "codec/pixels/row_layout.h"

namespace {

struct MemoryFile {
    const unsigned char* data;
    uint64_t size;
    uint64_t position;
};

tmsize_t ReadProc(thandle_t handle, void* out, tmsize_t count) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (count <= 0) return 0;
    uint64_t available = file->position < file->size ? file->size - file->position : 0;
    uint64_t take = static_cast<uint64_t>(count) < available ? static_cast<uint64_t>(count) : available;
    if (take != 0) std::memcpy(out, file->data + file->position, static_cast<size_t>(take));
    file->position += take;
    return static_cast<tmsize_t>(take);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) {
    return 0;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    uint64_t base = whence == SEEK_CUR ? file->position : (whence == SEEK_END ? file->size : 0);
    // Offsets past the end are allowed (reads there return nothing); wrap-around is not.
    if (offset > UINT64_MAX - base) return static_cast<toff_t>(-1);
    file->position = base + offset;
    return file->position;
}

int CloseProc(thandle_t) {
    return 0;
}

toff_t SizeProc(thandle_t handle) {
    return static_cast<MemoryFile*>(handle)->size;
}

// The buffer is handed to libtiff as a mapped file: it reads tiles and strips in place, and
// it tolerates byte counts that run past a short last tile the way it does for real files.
int MapProc(thandle_t handle, void** base, toff_t* size) {
    auto* file = static_cast<MemoryFile*>(handle);
    *base = const_cast<unsigned char*>(file->data);
    *size = file->size;
    return 1;
}

void UnmapProc(thandle_t, void*, toff_t) {}

constexpr uint64_t kWorkingMemory = 64u << 20;

bool IsCcittCompression(uint16_t compression) {
    return compression == COMPRESSION_CCITTFAX3 || compression == COMPRESSION_CCITTFAX4 ||
           compression == COMPRESSION_CCITTRLE || compression == COMPRESSION_CCITTRLEW;
}

// How many bytes of samples one byte of compressed data can stand for at best.
uint64_t BestPackingRatio(uint16_t compression) {
    switch (compression) {
        case COMPRESSION_NONE:
            return 1;
        case COMPRESSION_PACKBITS:
            return 64;  // a two-byte run repeats a byte 128 times
        case COMPRESSION_LZW:
            return 2560;  // a 12-bit code stands for at most 3839 bytes
        case COMPRESSION_ADOBE_DEFLATE:
        case COMPRESSION_DEFLATE:
            return 1032;
        case COMPRESSION_JPEG:
        case COMPRESSION_OJPEG:
            return 1536;  // one bit for a block of 8 × 8 three-byte pixels
        default:
            return 65536;  // compressions whose best case is not known here
    }
}

// The least file that can hold the picture, refused below that before anything is allocated.
// A fax row can take a single bit (no change from the row above), whatever its width.
uint64_t LeastFileBytes(TIFF* tiff, const TiffLayout& layout) {
    if (IsCcittCompression(layout.compression)) return layout.height / 8;
    uint64_t planes = layout.planarConfig == PLANARCONFIG_SEPARATE ? layout.samplesPerPixel : 1;
    return TIFFScanlineSize64(tiff) * layout.height * planes / BestPackingRatio(layout.compression);
}

// The RGBA interface premultiplies unassociated alpha; dropping the alpha must give back the
// stored colour, so the multiplication is undone.
bool HasUnassociatedAlpha(TIFF* tiff) {
    uint16_t count = 0;
    uint16_t* types = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &count, &types) || types == nullptr) return false;
    for (uint16_t i = 0; i < count; ++i) {
        if (types[i] == EXTRASAMPLE_UNASSALPHA) return true;
    }
    return false;
}

unsigned char Unpremultiply(uint32_t value, uint32_t alpha) {
    if (alpha == 0 || alpha == 255) return static_cast<unsigned char>(value);
    uint32_t result = (value * 255 + alpha / 2) / alpha;
    return static_cast<unsigned char>(result > 255 ? 255 : result);
}

// Whether the RGBA interface turns each band of rows upside down to deliver it top-down.
bool FlipsVertically(uint16_t orientation) {
    static constexpr uint16_t kFlipBits[8] = {0, 2, 3, 1, 6, 7, 5, 4};
    return orientation >= 1 && orientation <= 8 && (kFlipBits[orientation - 1] & 1) != 0;
}

// The layouts that the row reader does not convert, through libtiff's RGBA interface one
// band of rows at a time: a strip, or a row of tiles. A band whose raster and library
// buffers together exceed the working memory is refused.
int ReadRgbaBands(TIFF* tiff, const TiffLayout& layout, unsigned char* pixels) {
    uint32_t bandRows = layout.height;
    TIFFGetFieldDefaulted(tiff, layout.tiled ? TIFFTAG_TILELENGTH : TIFFTAG_ROWSPERSTRIP, &bandRows);
    if (bandRows == 0 || bandRows > layout.height) bandRows = layout.height;
    uint64_t planes = layout.planarConfig == PLANARCONFIG_SEPARATE ? layout.samplesPerPixel : 1;
    uint64_t libraryBuffer = (layout.tiled ? TIFFTileSize64(tiff) : TIFFStripSize64(tiff)) * planes;
    uint64_t rasterPixels = static_cast<uint64_t>(bandRows) * layout.width;
    if (rasterPixels * 4 + libraryBuffer > kWorkingMemory) return kCodecUnsupportedVariant;
    WorkArray<uint32_t> raster = AllocateWorkArray<uint32_t>(static_cast<size_t>(rasterPixels));
    if (raster == nullptr) return kCodecOutOfMemory;

    char message[1024] = {};
    TIFFRGBAImage image;
    if (!TIFFRGBAImageBegin(&image, tiff, 1, message)) return kCodecNoDecoder;
    image.req_orientation = ORIENTATION_TOPLEFT;
    const bool unassociated = HasUnassociatedAlpha(tiff);
    const bool flipped = FlipsVertically(layout.orientation);
    int result = kCodecOk;
    for (uint32_t row = 0; row < layout.height && result == kCodecOk; row += bandRows) {
        uint32_t rows = layout.height - row < bandRows ? layout.height - row : bandRows;
        image.row_offset = static_cast<int>(row);
        image.col_offset = 0;
        if (!TIFFRGBAImageGet(&image, raster.get(), layout.width, rows)) {
            result = kCodecReadError;
            break;
        }
        uint32_t firstRow = flipped ? layout.height - row - rows : row;
        unsigned char* out = pixels + static_cast<size_t>(firstRow) * layout.width * 3;
        for (size_t i = 0; i < static_cast<size_t>(rows) * layout.width; ++i, out += 3) {
            uint32_t pixel = raster[i];
            uint32_t alpha = unassociated ? TIFFGetA(pixel) : 255;
            out[0] = Unpremultiply(TIFFGetR(pixel), alpha);
            out[1] = Unpremultiply(TIFFGetG(pixel), alpha);
            out[2] = Unpremultiply(TIFFGetB(pixel), alpha);
        }
    }
    TIFFRGBAImageEnd(&image);
    return result;
}

void SilenceLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
    });
}

int DecodeFirstDirectory(TIFF* tiff, size_t fileSize, RgbImage& out) {
    char message[1024] = {};
    TiffLayout layout;
    if (!TIFFRGBAImageOK(tiff, message)) return kCodecNoDecoder;
    if (!ReadTiffLayout(tiff, layout)) return kCodecReadError;
    if (fileSize < LeastFileBytes(tiff, layout)) return kCodecReadError;
    size_t rowBytes = 0, totalBytes = 0;
    if (layout.width > 0x7FFFFFFF || layout.height > 0x7FFFFFFF ||
        !PictureBufferSize(static_cast<int>(layout.width), static_cast<int>(layout.height), 24, rowBytes, totalBytes)) {
        return kCodecOutOfMemory;
    }
    CodecBuffer pixels = CodecBuffer::Allocate(totalBytes);
    if (pixels.IsEmpty()) return kCodecOutOfMemory;
    int result = CanReadTiffRows(tiff, layout) ? ReadTiffRows(tiff, layout, pixels.Data())
                                               : ReadRgbaBands(tiff, layout, pixels.Data());
    if (result != kCodecOk) return result;
    DeliverRgbImage(pixels, static_cast<int>(layout.width), static_cast<int>(layout.height), out);
    return kCodecOk;
}

// Runs `reader` on the file's first directory.
template <typename Reader>
int WithTiff(const unsigned char* data, size_t size, Reader&& reader) {
    SilenceLibrary();
    MemoryFile file{data, size, 0};
    TIFF* tiff =
        TIFFClientOpen("memory", "r", &file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc, MapProc, UnmapProc);
    if (tiff == nullptr) return kCodecCannotOpen;
    int result = reader(tiff);
    TIFFClose(tiff);
    return result;
}

}  // namespace

int ReadTiffImage(const unsigned char* data, size_t size, RgbImage& out) {
    out = RgbImage{};
    return WithTiff(data, size, [&](TIFF* tiff) { return DecodeFirstDirectory(tiff, size, out); });
}

int ReadTiffSize(const unsigned char* data, size_t size, int& width, int& height) {
    return WithTiff(data, size, [&](TIFF* tiff) {
        TiffLayout layout;
        if (!ReadTiffLayout(tiff, layout)) return kCodecReadError;
        if (layout.width > 0x7FFFFFFF || layout.height > 0x7FFFFFFF) return kCodecOutOfMemory;
        width = static_cast<int>(layout.width);
        height = static_cast<int>(layout.height);
        return kCodecOk;
    });
}
