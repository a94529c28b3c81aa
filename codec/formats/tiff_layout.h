// What the TIFF reader needs to know of a file's first directory, read once: size, sample
// layout, colour interpretation, organisation and compression. Shared by the reader's two
// ways of decoding (tiff_reader.cpp, tiff_rows.cpp).
#pragma once

#include <tiffio.h>

#include <cstdint>

struct TiffLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t bitsPerSample = 1;
    uint16_t samplesPerPixel = 1;
    uint16_t extraSamples = 0;
    uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    uint16_t planarConfig = PLANARCONFIG_CONTIG;
    uint16_t orientation = ORIENTATION_TOPLEFT;
    uint16_t compression = COMPRESSION_NONE;
    bool tiled = false;
};

// False when the directory lacks a size.
[[nodiscard]] bool ReadTiffLayout(TIFF* tiff, TiffLayout& layout);

// Row-by-row decoding, for the layouts the reader converts itself (bilevel, grey, palette,
// RGB and CMYK samples of strips in the usual orientation): nothing beside the output but
// one row of samples, however the strips are cut. Returns 0 or a CodecError.
[[nodiscard]] bool CanReadTiffRows(TIFF* tiff, const TiffLayout& layout);
[[nodiscard]] int ReadTiffRows(TIFF* tiff, const TiffLayout& layout, unsigned char* pixels);
