// Format detection: an ordered table of signatures, then the name's extension, the TGA
// footer and the Photo CD mark at offset 2048. The weak signatures come last: two zero bytes
// (WBMP) only count when neither the name nor the footer says TGA.
#include "codec/format_detection.h"

#include <cstring>
#include <string_view>

#include "base/text_case.h"
#include "codec/codec_errors.h"
#include "codec/codec_state.h"
#include "codec/image_source.h"

namespace {

struct Signature {
    int format;
    int offset;
    const char* bytes;
    int length;
};

// Table order matters: the first match wins.
constexpr Signature kSignatures[] = {
    {kFormatBmp, 0, "BM", 2},
    {kFormatPax, 0, "\x50\x41\x58", 3},
    {kFormatGif, 0, "GIF89a", 6},
    {kFormatGif, 0, "GIF87a", 6},
    {kFormatJpeg, 0, "\xFF\xD8\xFF\xE0", 4},
    {kFormatJpeg, 0, "\xFF\xD8\xFF", 3},
    {kFormatPcx, 0, "\x0A\x00", 2},
    {kFormatPcx, 0, "\x0A\x02", 2},
    {kFormatPcx, 0, "\x0A\x03", 2},
    {kFormatPcx, 0, "\x0A\x05", 2},
    {kFormatTiff, 0, "MM", 2},
    {kFormatTiff, 0, "II", 2},
    {kFormatPng, 0, "\x89PNG\x0D\x0A\x1A\x0A", 8},
    {kFormatWindowsMetafile, 0, "\x01\x00\x09\x00\x00", 5},
    {kFormatWindowsMetafile, 0, "\xD7\xCD\xC6\x9A", 4},
    {kFormatEnhancedMetafile, 40, " EMF", 4},
    {kFormatPsd, 0, "8BPS", 4},
    {kFormatTlaFirstVariant, 0, "TLA\x01", 4},
    {kFormatTla, 0, "TLAU", 4},
    {kFormatPhotoCdOverview, 0, "PCD_OPA", 7},
    {kFormatJpeg2000, 4, "jP\x20\x20\x0D", 5},
    {kFormatJpeg2000, 0, "\xFF\x4F", 2},
    {kFormatJpeg2000AtOffset4, 4, "\xFF\x4F", 2},
    {kFormatWbmp, 0, "\x00\x00", 2},  // provisional
    {kFormatCompoundDocument, 0, "\xD0\xCF\x11\xE0", 4},
};

constexpr int kHeaderBytes = 44;
constexpr char kTgaFooter[] = "TRUEVISION-XFILE.";
constexpr int kTgaFooterSize = 18;
constexpr int kPhotoCdMarkOffset = 2048;

int MatchSignature(const unsigned char* header, size_t count) {
    for (const Signature& signature : kSignatures) {
        size_t end = static_cast<size_t>(signature.offset + signature.length);
        if (end <= count && std::memcmp(header + signature.offset, signature.bytes, signature.length) == 0) {
            return signature.format;
        }
    }
    return kFormatUnknown;
}

}  // namespace

bool PathHasExtension(const char* path, const char* extension) {
    if (path == nullptr || extension == nullptr) return false;
    size_t pathLength = std::strlen(path);
    size_t extensionLength = std::strlen(extension);
    if (pathLength < extensionLength) return false;
    return EqualNoCaseAscii(std::string_view(path + pathLength - extensionLength, extensionLength), extension);
}

int GuessFormat(ImageSource* source) {
    if (!BeginCodecCall()) return kFormatUnknown;
    if (source == nullptr) {
        SetCodecError(kCodecBadArgument);
        return kFormatUnknown;
    }
    unsigned char header[kHeaderBytes] = {};
    size_t count = ReadSource(source, header, sizeof header);
    if (count == 0) {
        SetCodecError(kCodecReadError);
        return kFormatUnknown;
    }
    int format = MatchSignature(header, count);
    if (format != kFormatUnknown && format != kFormatWbmp) return format;

    const char* path = GetSourcePath(source);
    if (PathHasExtension(path, ".wbmp") || PathHasExtension(path, ".wbm")) return kFormatWbmp;
    if (PathHasExtension(path, ".tga")) return kFormatTga;

    unsigned char footer[kTgaFooterSize];
    if (!SeekSource(source, -kTgaFooterSize, kSourceFromEnd) ||
        ReadSource(source, footer, sizeof footer) != sizeof footer) {
        SetCodecError(kCodecReadError);
        return kFormatUnknown;
    }
    if (std::memcmp(footer, kTgaFooter, sizeof kTgaFooter - 1) == 0) return kFormatTga;
    if (format == kFormatWbmp) return kFormatWbmp;

    if (!SeekSource(source, kPhotoCdMarkOffset, kSourceFromStart)) {
        SetCodecError(kCodecReadError);
        return kFormatUnknown;
    }
    unsigned char mark[3];
    if (ReadSource(source, mark, sizeof mark) == sizeof mark && std::memcmp(mark, "PCD", 3) == 0) {
        return kFormatPhotoCd;
    }
    return kFormatUnknown;
}
