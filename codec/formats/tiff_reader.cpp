// libtiff reads through client procedures over the memory buffer, so no temporary file is
// needed; its messages are silenced (the codec reports by error code only).
#include "codec/formats/tiff_reader.h"

#include <tiffio.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
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

// Even fax-coded blank pages stay far below this many pixels per byte of file; a header that
// announces more is refused before anything is allocated.
constexpr uint64_t kMaxPixelsPerByte = 65536;

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

// Stripped, contiguous 8-bit RGB(A) in the default orientation is read line by line, which
// keeps the stored colour of transparent pixels exactly (the RGBA interface premultiplies
// and so loses it). False when the picture has another layout.
bool IsPlainRgb8(TIFF* tiff) {
    uint16_t photometric = 0, bits = 0, samples = 0, planar = PLANARCONFIG_CONTIG, orientation = ORIENTATION_TOPLEFT;
    if (TIFFIsTiled(tiff) || !TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric)) return false;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
    return photometric == PHOTOMETRIC_RGB && bits == 8 && (samples == 3 || samples == 4) &&
           planar == PLANARCONFIG_CONTIG && orientation == ORIENTATION_TOPLEFT;
}

int ReadPlainRgb8(TIFF* tiff, uint32_t width, uint32_t height, unsigned char* pixels) {
    uint16_t samples = 3;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    tmsize_t lineBytes = TIFFScanlineSize(tiff);
    if (lineBytes < static_cast<tmsize_t>(width) * samples) return kCodecReadError;
    auto* line = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(lineBytes)));
    if (line == nullptr) return kCodecOutOfMemory;
    int result = kCodecOk;
    for (uint32_t y = 0; y < height && result == kCodecOk; ++y) {
        if (TIFFReadScanline(tiff, line, y, 0) < 0) {
            result = kCodecReadError;
            break;
        }
        unsigned char* out = pixels + static_cast<size_t>(y) * width * 3;
        for (uint32_t x = 0; x < width; ++x) std::memcpy(out + x * 3, line + static_cast<size_t>(x) * samples, 3);
    }
    std::free(line);
    return result;
}

void SilenceLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
    });
}

}  // namespace

int ReadTiffImage(const unsigned char* data, size_t size, RgbImage& out) {
    out = RgbImage{};
    SilenceLibrary();
    MemoryFile file{data, size, 0};
    TIFF* tiff =
        TIFFClientOpen("memory", "r", &file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc, MapProc, UnmapProc);
    if (tiff == nullptr) return kCodecCannotOpen;
    int result = kCodecOk;
    char message[1024] = {};
    uint32_t width = 0, height = 0;
    size_t rowBytes = 0, totalBytes = 0;
    uint32_t* raster = nullptr;
    unsigned char* pixels = nullptr;
    if (!TIFFRGBAImageOK(tiff, message)) {
        result = kCodecNoDecoder;
    } else if (!TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height)) {
        result = kCodecReadError;
    } else if (static_cast<uint64_t>(width) * height / kMaxPixelsPerByte > size) {
        result = kCodecReadError;
    } else if (width > 0x3FFFFFFF || height > 0x3FFFFFFF ||
               !PictureBufferSize(static_cast<int>(width), static_cast<int>(height), 32, rowBytes, totalBytes)) {
        result = kCodecOutOfMemory;
    } else {
        bool plain = IsPlainRgb8(tiff);
        raster = plain ? nullptr : static_cast<uint32_t*>(std::malloc(totalBytes));
        pixels = static_cast<unsigned char*>(CodecAllocate(totalBytes / 4 * 3));
        if ((raster == nullptr && !plain) || pixels == nullptr) {
            result = kCodecOutOfMemory;
        } else if (plain) {
            result = ReadPlainRgb8(tiff, width, height, pixels);
        } else if (!TIFFReadRGBAImageOriented(tiff, width, height, raster, ORIENTATION_TOPLEFT, 1)) {
            result = kCodecReadError;
        } else {
            bool unassociated = HasUnassociatedAlpha(tiff);
            size_t count = static_cast<size_t>(width) * height;
            for (size_t i = 0; i < count; ++i) {
                uint32_t pixel = raster[i];
                uint32_t alpha = unassociated ? TIFFGetA(pixel) : 255;
                pixels[i * 3] = Unpremultiply(TIFFGetR(pixel), alpha);
                pixels[i * 3 + 1] = Unpremultiply(TIFFGetG(pixel), alpha);
                pixels[i * 3 + 2] = Unpremultiply(TIFFGetB(pixel), alpha);
            }
        }
    }
    std::free(raster);
    TIFFClose(tiff);
    if (result != kCodecOk) {
        CodecFree(pixels);
        return result;
    }
    out.pixels = pixels;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    return kCodecOk;
}
