// The decoder choice of the generic read: the detected format first, the file extension
// for unknown and decoder-less formats, then the reader over the whole file in memory.
#include "codec/image_reader.h"

#include <cstring>

#include "base/bounded_reader.h"
#include "codec/codec_errors.h"
#include "codec/codec_global_memory.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"
#include "codec/format_detection.h"
#include "codec/formats/bmp_reader.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/jpeg_decoder.h"
#include "codec/formats/png_reader.h"
#include "codec/formats/tiff_reader.h"
#include "codec/image_source.h"
#include "codec/pixels/row_layout.h"

namespace {

struct ExtensionRule {
    const char* extension;
    int format;
};

constexpr ExtensionRule kExtensions[] = {
    {".bmp", kFormatBmp},
    {".wbmp", kFormatWbmp},
    {".wbm", kFormatWbmp},
    {".pcd", kFormatPhotoCd},
    {".gif", kFormatGif},
    {".tga", kFormatTga},
    {".jpeg", kFormatJpeg},
    {".jpg", kFormatJpeg},
    {".tif", kFormatTiff},
    {".tiff", kFormatTiff},
    {".pcx", kFormatPcx},
    {".psd", kFormatPsd},
    {".tla", kFormatTla},
    {".png", kFormatPng},
    {".wmf", kFormatWindowsMetafile},
    {".emf", kFormatEnhancedMetafile},
};

bool HasOwnDecoder(int format) {
    switch (format) {
        case kFormatBmp:
        case kFormatGif:
        case kFormatJpeg:
        case kFormatPng:
        case kFormatPcx:
        case kFormatTiff:
        case kFormatWindowsMetafile:
        case kFormatEnhancedMetafile:
        case kFormatPsd:
        case kFormatTlaFirstVariant:
        case kFormatTla:
        case kFormatWbmp:
        case kFormatTga:
        case kFormatPhotoCd:
            return true;
        default:
            return false;
    }
}

// Expands a palette picture into a new 24-bit buffer and frees the indices.
int ExpandPalette(PaletteImage& palette, RgbImage& out) {
    CodecBuffer indices = CodecBuffer::Adopt(palette.indices);
    palette.indices = nullptr;
    size_t rowBytes = 0;
    size_t totalBytes = 0;
    if (indices.IsEmpty() || !PictureBufferSize(palette.width, palette.height, 24, rowBytes, totalBytes)) {
        return kCodecOutOfMemory;
    }
    CodecBuffer rgb = CodecBuffer::Allocate(totalBytes);
    if (rgb.IsEmpty()) return kCodecOutOfMemory;
    const size_t pixels = totalBytes / 3;
    for (size_t i = 0; i < pixels; ++i) {
        int index = indices.Data()[i];
        // Indices past the colour table show black rather than stale table entries.
        if (index < palette.paletteSize) {
            std::memcpy(rgb.Data() + i * 3, palette.palette[index], 3);
        }
    }
    out.width = palette.width;
    out.height = palette.height;
    out.pixels = rgb.Release();  // the caller adopts it as global memory
    return kCodecOk;
}

int ReadPaletteFormat(int (*reader)(BoundedReader&, PaletteImage&), BoundedReader& in, RgbImage& out) {
    PaletteImage palette;
    int result = reader(in, palette);
    if (result != kCodecOk) {
        CodecFree(palette.indices);
        return result;
    }
    return ExpandPalette(palette, out);
}

int DecodeFormat(int format, ImageSource* source, RgbImage& out) {
    if (format == kFormatTlaFirstVariant || format == kFormatTla) return kCodecNoDecoder;
    if (format == kFormatWindowsMetafile || format == kFormatEnhancedMetafile) {
        const char* path = GetSourcePath(source);
        if (path == nullptr) return kCodecSourceUnusable;  // a metafile is played from its file
        return ReadMetafileImage(path, out);
    }
    if (format == kFormatJpeg) return ReadJpegImage(source, 24, out);  // read in blocks, not loaded whole
    SourceBytes bytes;
    if (!LoadSourceBytes(source, bytes)) return GetLastCodecError();
    BoundedReader in(bytes.data, bytes.size);
    int result = kCodecNoDecoder;
    switch (format) {
        case kFormatBmp:
            result = ReadBmpImage(in, 24, out, nullptr);
            break;
        case kFormatGif:
            result = ReadPaletteFormat(ReadGifImage, in, out);
            break;
        case kFormatWbmp:
            result = ReadPaletteFormat(ReadWbmpImage, in, out);
            break;
        case kFormatPng:
            result = ReadPngImage(bytes.data, bytes.size, out);
            break;
        case kFormatTiff:
            result = ReadTiffImage(bytes.data, bytes.size, out);
            break;
        case kFormatPcx:
            result = ReadPcxImage(in, 24, out);
            break;
        case kFormatPsd:
            result = ReadPsdImage(in, out);
            break;
        case kFormatTga:
            result = ReadTgaImage(in, out);
            break;
        case kFormatPhotoCd:
            result = ReadPhotoCdImage(in, out);
            break;
        default:
            break;
    }
    FreeSourceBytes(bytes);
    return result;
}

}  // namespace

int SelectDecoder(int detectedFormat, const char* path) {
    if (HasOwnDecoder(detectedFormat)) return detectedFormat;
    if (path == nullptr) return kFormatUnknown;
    const char* dot = std::strrchr(path, '.');
    if (dot == nullptr) return kFormatUnknown;
    for (const ExtensionRule& rule : kExtensions) {
        if (PathHasExtension(dot, rule.extension) && std::strlen(dot) == std::strlen(rule.extension)) {
            return rule.format;
        }
    }
    return kFormatUnknown;
}

bool ReadImageRgb24(ImageSource* source, OwnedRgbImage& out) {
    out.Reset();
    if (!BeginCodecCall()) return false;
    if (source == nullptr) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    // The result is always global memory, whatever this thread installed.
    CodecAllocators saved = GetCodecAllocators();
    RestoreCodecAllocators(CodecAllocators{});

    int result = kCodecOk;
    RgbImage decoded;
    if (!SeekSource(source, 0, kSourceFromStart)) {
        result = kCodecReadError;
    } else {
        int detected = GuessFormat(source);
        int format = SelectDecoder(detected, GetSourcePath(source));
        if (!SeekSource(source, 0, kSourceFromStart)) {
            result = kCodecReadError;
        } else if (format == kFormatUnknown) {
            result = kCodecCannotOpen;
        } else {
            SetCodecError(kCodecOk);
            result = DecodeFormat(format, source, decoded);
        }
    }
    // A failing reader has released its buffer.
    if (result == kCodecOk) out = AdoptGlobalPicture(decoded);
    RestoreCodecAllocators(saved);
    SetCodecError(result);
    return result == kCodecOk;
}

bool ReadImageRgb24(ImageSource* source, RgbImage& out) {
    OwnedRgbImage picture;
    bool read = ReadImageRgb24(source, picture);
    out = picture.Release();
    return read;
}

void FreeImageRgb24(RgbImage& image) {
    FreeGlobal(image.pixels);
    image = RgbImage{};
}
