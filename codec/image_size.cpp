#include "codec/image_size.h"

#include "base/bounded_reader.h"
#include "codec/codec_errors.h"
#include "codec/codec_state.h"
#include "codec/format_detection.h"
#include "codec/formats/bmp_reader.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/jpeg_decoder.h"
#include "codec/formats/png_reader.h"
#include "codec/formats/tiff_reader.h"
#include "codec/image_reader.h"
#include "codec/image_source.h"

namespace {

int ReadSizeFromBytes(int format, const SourceBytes& bytes, int& width, int& height) {
    BoundedReader in(bytes.data, bytes.size);
    switch (format) {
        case kFormatBmp:
            return ReadBmpSize(in, width, height);
        case kFormatGif:
            return ReadGifSize(in, width, height);
        case kFormatWbmp:
            return ReadWbmpSize(in, width, height);
        case kFormatPng:
            return ReadPngSize(bytes.data, bytes.size, width, height);
        case kFormatTiff:
            return ReadTiffSize(bytes.data, bytes.size, width, height);
        case kFormatPcx:
            return ReadPcxSize(in, width, height);
        case kFormatPsd:
            return ReadPsdSize(in, width, height);
        case kFormatTga:
            return ReadTgaSize(in, width, height);
        case kFormatPhotoCd:
            return ReadPhotoCdSize(in, width, height);
        default:
            return kCodecNoDecoder;
    }
}

int ReadSizeOfFormat(int format, ImageSource* source, int& width, int& height) {
    switch (format) {
        case kFormatUnknown:
            return kCodecCannotOpen;
        case kFormatTlaFirstVariant:
        case kFormatTla:
            return kCodecNoDecoder;
        case kFormatWindowsMetafile:
        case kFormatEnhancedMetafile: {
            const char* path = GetSourcePath(source);
            return path == nullptr ? kCodecSourceUnusable : ReadMetafileSize(path, width, height);
        }
        case kFormatJpeg:
            return ReadJpegSize(source, width, height);  // read in blocks, not loaded whole
        default:
            break;
    }
    SourceBytes bytes;
    if (!LoadSourceBytes(source, bytes)) return GetLastCodecError();
    return ReadSizeFromBytes(format, bytes, width, height);
}

}  // namespace

bool ReadImageSize(ImageSource* source, int& width, int& height) {
    width = 0;
    height = 0;
    if (!BeginCodecCall()) return false;
    if (source == nullptr) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    int result = kCodecReadError;
    if (SeekSource(source, 0, kSourceFromStart)) {
        int format = SelectDecoder(GuessFormat(source), GetSourcePath(source));
        if (SeekSource(source, 0, kSourceFromStart)) result = ReadSizeOfFormat(format, source, width, height);
    }
    if (result != kCodecOk) width = height = 0;
    SetCodecError(result);
    return result == kCodecOk;
}
