// Row-by-row TIFF decoding. libtiff decodes a strip from its start whenever it is asked for
// part of it and sizes its strip buffers for whole strips, so a picture stored as one
// strip (fax pages often are) only stays small when it is read one scanline after the
// other. The samples are turned into colours exactly as libtiff's RGBA interface does, so
// both ways of reading give the same picture.
#include <cstring>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/formats/tiff_layout.h"

namespace {

bool IsCcittCompression(uint16_t compression) {
    return compression == COMPRESSION_CCITTFAX3 || compression == COMPRESSION_CCITTFAX4 ||
           compression == COMPRESSION_CCITTRLE || compression == COMPRESSION_CCITTRLEW;
}

// Sample `index` of a row of `bits`-bit samples (16-bit samples in the machine's order, as
// libtiff delivers them; narrower ones packed from the most significant bit).
uint32_t SampleAt(const unsigned char* row, size_t index, int bits) {
    if (bits == 8) return row[index];
    if (bits == 16) {
        uint16_t value = 0;
        std::memcpy(&value, row + index * 2, 2);
        return value;
    }
    size_t bit = index * static_cast<size_t>(bits);
    return (row[bit >> 3] >> (8 - bits - static_cast<int>(bit & 7))) & ((1u << bits) - 1);
}

// 16-bit colour samples to 8 bits, rounded.
unsigned char To8Bits(uint32_t sample16) {
    return static_cast<unsigned char>((sample16 + 128) / 257);
}

// What each stored sample value shows: a grey level, or a palette colour.
struct ColourTable {
    unsigned char rgb[256][3] = {};
};

// Grey levels over the sample range (16-bit samples count by their top byte), inverted for
// min-is-white.
void BuildGreyTable(const TiffLayout& layout, ColourTable& table) {
    int range = layout.bitsPerSample == 16 ? 255 : (1 << layout.bitsPerSample) - 1;
    for (int value = 0; value <= range; ++value) {
        int level = layout.photometric == PHOTOMETRIC_MINISWHITE ? (range - value) * 255 / range : value * 255 / range;
        std::memset(table.rgb[value], level, 3);
    }
}

// The colour map holds 16-bit values; old writers stored 8-bit ones, recognisable because
// no entry reaches 256.
bool BuildPaletteTable(TIFF* tiff, const TiffLayout& layout, ColourTable& table) {
    uint16_t* red = nullptr;
    uint16_t* green = nullptr;
    uint16_t* blue = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue)) return false;
    int entries = 1 << layout.bitsPerSample;
    bool sixteenBits = false;
    for (int i = 0; i < entries; ++i) sixteenBits |= red[i] >= 256 || green[i] >= 256 || blue[i] >= 256;
    int shift = sixteenBits ? 8 : 0;
    for (int i = 0; i < entries; ++i) {
        table.rgb[i][0] = static_cast<unsigned char>(red[i] >> shift);
        table.rgb[i][1] = static_cast<unsigned char>(green[i] >> shift);
        table.rgb[i][2] = static_cast<unsigned char>(blue[i] >> shift);
    }
    return true;
}

int ColourChannels(const TiffLayout& layout) {
    return layout.samplesPerPixel - layout.extraSamples;
}

// One row of contiguous samples into RGB.
void ConvertRow(const unsigned char* row, const TiffLayout& layout, const ColourTable& table, unsigned char* out) {
    const int bits = layout.bitsPerSample;
    const size_t step = layout.samplesPerPixel;
    for (uint32_t x = 0; x < layout.width; ++x, out += 3) {
        size_t first = x * step;
        switch (layout.photometric) {
            case PHOTOMETRIC_RGB:
                for (int c = 0; c < 3; ++c) {
                    uint32_t sample = SampleAt(row, first + c, bits);
                    out[c] = bits == 16 ? To8Bits(sample) : static_cast<unsigned char>(sample);
                }
                break;
            case PHOTOMETRIC_SEPARATED: {
                uint32_t ink = 255 - row[first + 3];
                for (int c = 0; c < 3; ++c) out[c] = static_cast<unsigned char>(ink * (255 - row[first + c]) / 255);
                break;
            }
            default: {  // grey and palette
                uint32_t value = SampleAt(row, first, bits);
                std::memcpy(out, table.rgb[bits == 16 ? value >> 8 : value], 3);
                break;
            }
        }
    }
}

// A buffer for one scanline of `samples` samples per row, or null when libtiff's own row
// size is too small for them (a damaged directory) or memory runs out.
WorkArray<unsigned char> AllocateRow(TIFF* tiff, const TiffLayout& layout, uint64_t samples, int& error) {
    uint64_t needed = (samples * layout.bitsPerSample + 7) / 8;
    uint64_t size = TIFFScanlineSize64(tiff);
    error = size < needed ? kCodecReadError : kCodecOutOfMemory;
    if (size < needed || size > kCodecMaxAllocation) return nullptr;
    return AllocateWorkArray<unsigned char>(static_cast<size_t>(size));
}

int ReadContiguousRows(TIFF* tiff, const TiffLayout& layout, const ColourTable& table, unsigned char* pixels) {
    int error = kCodecOk;
    WorkArray<unsigned char> row = AllocateRow(tiff, layout, uint64_t{layout.width} * layout.samplesPerPixel, error);
    if (row == nullptr) return error;
    for (uint32_t y = 0; y < layout.height; ++y) {
        if (TIFFReadScanline(tiff, row.get(), y, 0) < 0) return kCodecReadError;
        ConvertRow(row.get(), layout, table, pixels + static_cast<size_t>(y) * layout.width * 3);
    }
    return kCodecOk;
}

// Planes one after the other, each from its first row to its last, so that every strip is
// decoded once.
int ReadSeparateRgbRows(TIFF* tiff, const TiffLayout& layout, unsigned char* pixels) {
    int error = kCodecOk;
    WorkArray<unsigned char> row = AllocateRow(tiff, layout, layout.width, error);
    if (row == nullptr) return error;
    for (uint16_t plane = 0; plane < 3; ++plane) {
        for (uint32_t y = 0; y < layout.height; ++y) {
            if (TIFFReadScanline(tiff, row.get(), y, plane) < 0) return kCodecReadError;
            unsigned char* out = pixels + static_cast<size_t>(y) * layout.width * 3 + plane;
            for (uint32_t x = 0; x < layout.width; ++x, out += 3) {
                uint32_t sample = SampleAt(row.get(), x, layout.bitsPerSample);
                *out = layout.bitsPerSample == 16 ? To8Bits(sample) : static_cast<unsigned char>(sample);
            }
        }
    }
    return kCodecOk;
}

}  // namespace

bool ReadTiffLayout(TIFF* tiff, TiffLayout& layout) {
    if (!TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &layout.width) ||
        !TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &layout.height)) {
        return false;
    }
    uint16_t* extraTypes = nullptr;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &layout.bitsPerSample);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &layout.samplesPerPixel);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &layout.extraSamples, &extraTypes);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &layout.planarConfig);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &layout.orientation);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &layout.compression);
    layout.tiled = TIFFIsTiled(tiff) != 0;
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &layout.photometric)) {
        // What libtiff's RGBA interface assumes for files without the tag.
        int channels = layout.samplesPerPixel - layout.extraSamples;
        layout.photometric = channels == 3                            ? PHOTOMETRIC_RGB
                             : channels != 1                          ? 0xFFFF
                             : IsCcittCompression(layout.compression) ? PHOTOMETRIC_MINISWHITE
                                                                      : PHOTOMETRIC_MINISBLACK;
    }
    // libjpeg turns JPEG-compressed YCbCr into RGB itself, as the RGBA interface asks it to.
    if (layout.photometric == PHOTOMETRIC_YCBCR && layout.compression == COMPRESSION_JPEG &&
        layout.planarConfig == PLANARCONFIG_CONTIG) {
        TIFFSetField(tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        layout.photometric = PHOTOMETRIC_RGB;
    }
    return true;
}

bool CanReadTiffRows(TIFF* tiff, const TiffLayout& layout) {
    uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &sampleFormat);
    const int bits = layout.bitsPerSample;
    bool bitsKnown = bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16;
    if (layout.tiled || layout.orientation != ORIENTATION_TOPLEFT || !bitsKnown ||
        sampleFormat == SAMPLEFORMAT_IEEEFP || layout.samplesPerPixel == 0) {
        return false;
    }
    bool contiguous = layout.planarConfig == PLANARCONFIG_CONTIG || layout.samplesPerPixel == 1;
    switch (layout.photometric) {
        case PHOTOMETRIC_MINISBLACK:
        case PHOTOMETRIC_MINISWHITE:
            return contiguous && (layout.samplesPerPixel == 1 || bits >= 8);
        case PHOTOMETRIC_PALETTE:
            return contiguous && bits <= 8 && (layout.samplesPerPixel == 1 || bits == 8);
        case PHOTOMETRIC_RGB:
            return ColourChannels(layout) >= 3 && bits >= 8;
        case PHOTOMETRIC_SEPARATED: {
            uint16_t inks = INKSET_CMYK;
            TIFFGetFieldDefaulted(tiff, TIFFTAG_INKSET, &inks);
            return contiguous && inks == INKSET_CMYK && layout.samplesPerPixel >= 4 && bits == 8;
        }
        default:
            return false;
    }
}

int ReadTiffRows(TIFF* tiff, const TiffLayout& layout, unsigned char* pixels) {
    bool contiguous = layout.planarConfig == PLANARCONFIG_CONTIG || layout.samplesPerPixel == 1;
    if (!contiguous) return ReadSeparateRgbRows(tiff, layout, pixels);
    ColourTable table;
    if (layout.photometric == PHOTOMETRIC_PALETTE) {
        if (!BuildPaletteTable(tiff, layout, table)) return kCodecNoDecoder;
    } else if (layout.photometric == PHOTOMETRIC_MINISBLACK || layout.photometric == PHOTOMETRIC_MINISWHITE) {
        BuildGreyTable(layout, table);
    }
    return ReadContiguousRows(tiff, layout, table, pixels);
}
