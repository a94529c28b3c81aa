#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Rgb = std::array<unsigned char, 3>;

struct PcxFile {
    int version = 5;
    int bitsPerPixel = 8;
    int planes = 1;
    int width = 0;
    int height = 0;
    int bytesPerLine = 0;
    std::vector<Bytes> lines;  // each planes * bytesPerLine raw bytes
    bool trailingPalette = false;
    bool runsAcrossLines = false;
};

Rgb HeaderColour(int i) {
    return {static_cast<unsigned char>(10 + i * 15), static_cast<unsigned char>(200 - i * 9),
            static_cast<unsigned char>(i * 3)};
}
Rgb TrailingColour(int i) {
    return {static_cast<unsigned char>(255 - i), static_cast<unsigned char>(i / 2), static_cast<unsigned char>(i)};
}

// The published coding: runs of up to 63, and lone bytes with both top bits set escaped.
void EncodeRuns(const Bytes& raw, Bytes& out) {
    for (size_t i = 0; i < raw.size();) {
        size_t run = 1;
        while (i + run < raw.size() && raw[i + run] == raw[i] && run < 63) ++run;
        if (run > 1 || raw[i] >= 0xC0) out.push_back(static_cast<unsigned char>(0xC0 | run));
        out.push_back(raw[i]);
        i += run;
    }
}

Bytes BuildPcx(const PcxFile& file) {
    Bytes bytes(128, 0);
    bytes[0] = 10;
    bytes[1] = static_cast<unsigned char>(file.version);
    bytes[2] = 1;
    bytes[3] = static_cast<unsigned char>(file.bitsPerPixel);
    bytes[4] = 7;  // Xmin = 7, Ymin = 0: only the differences matter
    WriteLe16(&bytes[8], static_cast<uint16_t>(file.width - 1 + 7));
    WriteLe16(&bytes[10], static_cast<uint16_t>(file.height - 1));
    for (int i = 0; i < 16; ++i) {
        Rgb colour = HeaderColour(i);
        std::copy(colour.begin(), colour.end(), &bytes[16 + i * 3]);
    }
    bytes[65] = static_cast<unsigned char>(file.planes);
    WriteLe16(&bytes[66], static_cast<uint16_t>(file.bytesPerLine));
    if (file.runsAcrossLines) {
        Bytes all;
        for (const Bytes& line : file.lines) all.insert(all.end(), line.begin(), line.end());
        EncodeRuns(all, bytes);
    } else {
        for (const Bytes& line : file.lines) EncodeRuns(line, bytes);
    }
    if (file.trailingPalette) {
        bytes.push_back(12);
        for (int i = 0; i < 256; ++i) {
            Rgb colour = TrailingColour(i);
            bytes.insert(bytes.end(), colour.begin(), colour.end());
        }
    }
    return bytes;
}

// A picture given by its palette indices (or RGB values for colour layouts), stored in the
// file's planes, together with the colours the reader must produce.
struct Built {
    PcxFile file;
    std::vector<Rgb> expected;
};

Built MakePalettePicture(int bits, int planes, int width, int height, int version, bool trailing) {
    Built built;
    PcxFile& file = built.file;
    file.version = version;
    file.bitsPerPixel = bits;
    file.planes = planes;
    file.width = width;
    file.height = height;
    file.bytesPerLine = ((width * bits + 15) / 16) * 2;  // even, as writers pad
    file.trailingPalette = trailing;
    int depth = bits * planes;
    for (int y = 0; y < height; ++y) {
        Bytes line(static_cast<size_t>(file.bytesPerLine) * planes, 0);
        for (int x = 0; x < width; ++x) {
            int index = (x * 5 + y * 3) % (1 << depth);
            for (int plane = 0; plane < planes; ++plane) {
                int value = (index >> (plane * bits)) & ((1 << bits) - 1);
                int bitOffset = x * bits;
                line[plane * file.bytesPerLine + bitOffset / 8] |=
                    static_cast<unsigned char>(value << (8 - bits - bitOffset % 8));
            }
            Rgb colour;
            if (depth == 1) {
                colour = index ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
            } else if (depth <= 4) {
                colour = HeaderColour(index);
            } else if (trailing) {
                colour = TrailingColour(index);
            } else {
                colour = {static_cast<unsigned char>(index), static_cast<unsigned char>(index),
                          static_cast<unsigned char>(index)};
            }
            built.expected.push_back(colour);
        }
        file.lines.push_back(line);
    }
    return built;
}

Built MakeColourPicture(int planes, int width, int height) {
    Built built;
    PcxFile& file = built.file;
    file.planes = planes;
    file.width = width;
    file.height = height;
    file.bytesPerLine = width + (width & 1);
    for (int y = 0; y < height; ++y) {
        Bytes line(static_cast<size_t>(file.bytesPerLine) * planes, 0xEE);
        for (int x = 0; x < width; ++x) {
            Rgb colour = {static_cast<unsigned char>(x * 9), static_cast<unsigned char>(y * 40),
                          static_cast<unsigned char>(x < 4 ? 200 : 0xC7)};
            for (int c = 0; c < 3; ++c) line[c * file.bytesPerLine + x] = colour[c];
            built.expected.push_back(colour);
        }
        file.lines.push_back(line);
    }
    return built;
}

int Decode(const Bytes& bytes, int depth, RgbImage& image) {
    BoundedReader in(bytes.data(), bytes.size());
    return ReadPcxImage(in, depth, image);
}

}  // namespace

TEST(PcxReader, DecodesEveryLayout) {
    struct Case {
        const char* name;
        Built built;
        int requestedDepth;
    };
    std::vector<Case> cases = {
        {"1 bit, black and white", MakePalettePicture(1, 1, 21, 5, 5, false), 24},
        {"2 bits packed, header palette", MakePalettePicture(2, 1, 13, 4, 2, false), 24},
        {"4 planes of 1 bit, header palette", MakePalettePicture(1, 4, 19, 6, 3, false), 24},
        {"4 bits packed, version 0", MakePalettePicture(4, 1, 11, 3, 0, false), 24},
        {"8 bits, trailing palette", MakePalettePicture(8, 1, 300, 4, 5, true), 24},
        {"8 bits without trailing palette: grey", MakePalettePicture(8, 1, 17, 4, 5, false), 24},
        {"8 bits in version 3: grey", MakePalettePicture(8, 1, 17, 4, 3, false), 24},
        {"24 bits in three planes", MakeColourPicture(3, 9, 7), 24},
        {"32 bits, alpha dropped", MakeColourPicture(4, 9, 7), 32},
    };
    Built crossing = MakeColourPicture(3, 70, 3);
    crossing.file.runsAcrossLines = true;
    cases.push_back({"runs carried across lines", crossing, 24});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RgbImage image;
        ASSERT_EQ(Decode(BuildPcx(c.built.file), c.requestedDepth, image), kCodecOk);
        ASSERT_EQ(image.width, c.built.file.width);
        ASSERT_EQ(image.height, c.built.file.height);
        for (size_t i = 0; i < c.built.expected.size(); ++i) {
            Rgb actual = {image.pixels[i * 3], image.pixels[i * 3 + 1], image.pixels[i * 3 + 2]};
            ASSERT_EQ(actual, c.built.expected[i]) << "pixel " << i;
        }
        ReleaseRgbImage(image);
    }
}

TEST(PcxReader, FailsWithTheDocumentedCodes) {
    const Bytes valid = BuildPcx(MakeColourPicture(3, 8, 8).file);
    auto patched = [&](size_t offset, unsigned char value) {
        Bytes bytes = valid;
        bytes[offset] = value;
        return bytes;
    };
    struct Case {
        const char* name;
        Bytes bytes;
        int requestedDepth;
        int expected;
    };
    const Case cases[] = {
        {"32-bit picture in the generic read", BuildPcx(MakeColourPicture(4, 8, 8).file), 24, kCodecDepthTooHigh},
        {"24-bit picture asked for 8 bits", valid, 8, kCodecDepthTooHigh},
        {"header cut", Bytes(valid.begin(), valid.begin() + 100), 24, kCodecReadError},
        {"pixel data cut", Bytes(valid.begin(), valid.end() - 20), 24, kCodecReadError},
        {"manufacturer byte", patched(0, 11), 24, kCodecUnsupportedVariant},
        {"version 4", patched(1, 4), 24, kCodecUnsupportedVariant},
        {"Xmax below Xmin", patched(4, 200), 24, kCodecUnsupportedVariant},
        {"zero planes", patched(65, 0), 24, kCodecUnsupportedVariant},
        {"3 bits per pixel", patched(3, 3), 24, kCodecUnsupportedVariant},
        {"16 bits in two planes", patched(65, 2), 24, kCodecUnsupportedVariant},
        {"line shorter than the width", patched(66, 4), 24, kCodecUnsupportedVariant},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RgbImage image;
        EXPECT_EQ(Decode(c.bytes, c.requestedDepth, image), c.expected);
        EXPECT_EQ(image.pixels, nullptr);
    }
}
