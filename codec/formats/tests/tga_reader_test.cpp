#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Rgb = std::array<unsigned char, 3>;

constexpr int kWidth = 5;
constexpr int kHeight = 3;

// The picture every case stores, top row first; channel values survive 5-bit storage.
Rgb PictureColour(int x, int y) {
    return {static_cast<unsigned char>(x * 62), static_cast<unsigned char>(y * 123),
            static_cast<unsigned char>(255 - 33 * y - x)};
}

int FiveBits(unsigned char value) {
    return value * 31 / 255;
}
unsigned char FromFiveBits(int five) {
    return static_cast<unsigned char>(five * 255 / 31);
}

// How a decoder should see a colour after storage at `bits`.
Rgb Stored(Rgb colour, int bits) {
    if (bits == 15 || bits == 16) {
        for (auto& c : colour) c = FromFiveBits(FiveBits(c));
    }
    return colour;
}

void PutPixel(Bytes& out, Rgb colour, int bits) {
    if (bits == 15 || bits == 16) {
        unsigned value = (FiveBits(colour[0]) << 10) | (FiveBits(colour[1]) << 5) | FiveBits(colour[2]) | 0x8000;
        out.push_back(static_cast<unsigned char>(value));
        out.push_back(static_cast<unsigned char>(value >> 8));
        return;
    }
    out.push_back(colour[2]);
    out.push_back(colour[1]);
    out.push_back(colour[0]);
    if (bits == 32) out.push_back(0x40);  // alpha, dropped
}

struct TgaFile {
    int type = 2;
    int bits = 24;     // pixel depth (index depth for colour-mapped types)
    int mapBits = 24;  // colour-map entry depth
    int mapFirst = 0;
    bool topDown = false;  // descriptor bit 5
    bool rightToLeft = false;
    std::string id;
    bool footer = false;
    bool grey = false;
};

// Builds the file and the picture a reader must return.
Bytes BuildTga(const TgaFile& file, std::vector<Rgb>& expected) {
    const bool mapped = file.type == 1 || file.type == 9;
    const bool grey = file.type == 3 || file.type == 11;
    std::vector<Rgb> picture;  // top row first
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            Rgb colour = PictureColour(x, y);
            if (grey) colour = {colour[1], colour[1], colour[1]};
            picture.push_back(colour);
        }
    }
    // Colour-mapped files store each pixel's position as its index.
    Bytes header(18, 0);
    header[0] = static_cast<unsigned char>(file.id.size());
    header[1] = mapped ? 1 : 0;
    header[2] = static_cast<unsigned char>(file.type);
    if (mapped) {
        WriteLe16(&header[3], static_cast<uint16_t>(file.mapFirst));
        WriteLe16(&header[5], kWidth * kHeight);
        header[7] = static_cast<unsigned char>(file.mapBits);
    }
    WriteLe16(&header[12], kWidth);
    WriteLe16(&header[14], kHeight);
    header[16] = static_cast<unsigned char>(file.bits);
    header[17] = static_cast<unsigned char>((file.topDown ? 0x20 : 0) | (file.rightToLeft ? 0x10 : 0));
    Bytes bytes = header;
    for (char c : file.id) bytes.push_back(static_cast<unsigned char>(c));
    if (mapped) {
        for (const Rgb& colour : picture) PutPixel(bytes, colour, file.mapBits);
    }

    std::vector<Bytes> stored;  // one entry per pixel in file order
    expected.clear();
    for (int row = 0; row < kHeight; ++row) {
        int y = file.topDown ? row : kHeight - 1 - row;
        for (int x = 0; x < kWidth; ++x) {
            Bytes pixel;
            const Rgb& colour = picture[y * kWidth + x];
            int index = y * kWidth + x + file.mapFirst;
            if (mapped) {
                pixel.push_back(static_cast<unsigned char>(index));
                if (file.bits == 16) pixel.push_back(static_cast<unsigned char>(index >> 8));
            } else if (grey) {
                pixel.push_back(colour[0]);
                if (file.bits == 16) pixel.push_back(0x77);
            } else {
                PutPixel(pixel, colour, file.bits);
            }
            stored.push_back(pixel);
        }
    }
    for (const Rgb& colour : picture)
        expected.push_back(grey ? colour : Stored(colour, mapped ? file.mapBits : file.bits));

    if (file.type < 9) {
        for (const Bytes& pixel : stored) bytes.insert(bytes.end(), pixel.begin(), pixel.end());
    } else {
        // A raw packet of 4, then a repeat packet of 2 (running over a row end), then raw.
        size_t i = 0;
        auto raw = [&](size_t count) {
            bytes.push_back(static_cast<unsigned char>(count - 1));
            for (size_t k = 0; k < count; ++k, ++i) bytes.insert(bytes.end(), stored[i].begin(), stored[i].end());
        };
        raw(4);
        bytes.push_back(0x81);
        bytes.insert(bytes.end(), stored[i].begin(), stored[i].end());
        // The repeated pixel also stands for the first pixel of the next stored row.
        expected[(file.topDown ? 1 : kHeight - 2) * kWidth] = expected[(file.topDown ? 0 : kHeight - 1) * kWidth + 4];
        i += 2;
        raw(stored.size() - i);
    }
    if (file.footer) {
        const char footer[] = "\0\0\0\0\0\0\0\0TRUEVISION-XFILE.";
        bytes.insert(bytes.end(), footer, footer + sizeof footer);
    }
    return bytes;
}

int Decode(const Bytes& bytes, RgbImage& image) {
    BoundedReader in(bytes.data(), bytes.size());
    return ReadTgaImage(in, image);
}

}  // namespace

TEST(TgaReader, DecodesEveryTypeDepthAndOrigin) {
    struct Case {
        const char* name;
        TgaFile file;
    };
    std::vector<Case> cases;
    for (int type : {1, 2, 3, 9, 10, 11}) {
        for (bool topDown : {false, true}) {
            std::vector<int> depths = type % 8 == 1   ? std::vector<int>{8, 16}
                                      : type % 8 == 2 ? std::vector<int>{15, 16, 24, 32}
                                                      : std::vector<int>{8, 16};
            for (int bits : depths) {
                TgaFile file;
                file.type = type;
                file.bits = bits;
                file.topDown = topDown;
                cases.push_back({"type/depth/origin", file});
            }
        }
    }
    TgaFile map16;
    map16.type = 1;
    map16.bits = 8;
    map16.mapBits = 16;
    map16.mapFirst = 3;
    cases.push_back({"16-bit map entries, first index 3", map16});
    TgaFile map32 = map16;
    map32.mapBits = 32;
    map32.type = 9;
    cases.push_back({"32-bit map entries, run-length", map32});
    TgaFile extras;
    extras.id = "an identification field";
    extras.footer = true;
    cases.push_back({"identification and footer", extras});
    TgaFile mirrored;
    mirrored.rightToLeft = true;
    cases.push_back({"right-to-left bit is not honoured", mirrored});

    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " type " + std::to_string(c.file.type) + " bits " +
                     std::to_string(c.file.bits) + (c.file.topDown ? " top-down" : " bottom-up"));
        std::vector<Rgb> expected;
        Bytes bytes = BuildTga(c.file, expected);
        RgbImage image;
        ASSERT_EQ(Decode(bytes, image), kCodecOk);
        ASSERT_EQ(image.width, kWidth);
        ASSERT_EQ(image.height, kHeight);
        for (size_t i = 0; i < expected.size(); ++i) {
            Rgb actual = {image.pixels[i * 3], image.pixels[i * 3 + 1], image.pixels[i * 3 + 2]};
            ASSERT_EQ(actual, expected[i]) << "pixel " << i;
        }
        ReleaseRgbImage(image);
    }
}

TEST(TgaReader, FailsWithTheDocumentedCodes) {
    std::vector<Rgb> expected;
    TgaFile plain;
    plain.id = "id";
    const Bytes valid = BuildTga(plain, expected);
    TgaFile mapped;
    mapped.type = 1;
    mapped.bits = 8;
    const Bytes validMapped = BuildTga(mapped, expected);
    auto patched = [](Bytes bytes, size_t offset, unsigned char value) {
        bytes[offset] = value;
        return bytes;
    };
    struct Case {
        const char* name;
        Bytes bytes;
        int expected;
    };
    const Case cases[] = {
        {"image type 0 (no picture)", patched(valid, 2, 0), kCodecUnsupportedVariant},
        {"image type 32", patched(valid, 2, 32), kCodecUnsupportedVariant},
        {"depth 7", patched(valid, 16, 7), kCodecUnsupportedVariant},
        {"depth 33", patched(valid, 16, 33), kCodecUnsupportedVariant},
        {"depth 12", patched(valid, 16, 12), kCodecUnsupportedVariant},
        {"zero width", patched(patched(valid, 12, 0), 13, 0), kCodecUnsupportedVariant},
        {"zero height", patched(patched(valid, 14, 0), 15, 0), kCodecUnsupportedVariant},
        {"colour-mapped without a map", patched(validMapped, 1, 0), kCodecUnsupportedVariant},
        {"map entries of 8 bits", patched(validMapped, 7, 8), kCodecUnsupportedVariant},
        {"header cut", Bytes(valid.begin(), valid.begin() + 17), kCodecReadError},
        {"identification cut", patched(Bytes(valid.begin(), valid.begin() + 19), 0, 200), kCodecReadError},
        {"colour map cut", Bytes(validMapped.begin(), validMapped.begin() + 40), kCodecReadError},
        {"pixels cut", Bytes(valid.begin(), valid.end() - 1), kCodecReadError},
        {"forged size", patched(patched(valid, 13, 0xFF), 15, 0xFF), kCodecReadError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RgbImage image;
        EXPECT_EQ(Decode(c.bytes, image), c.expected);
        EXPECT_EQ(image.pixels, nullptr);
    }
}

TEST(TgaReader, IndicesOutsideTheMapAreBlack) {
    std::vector<Rgb> expected;
    TgaFile mapped;
    mapped.type = 1;
    mapped.bits = 8;
    mapped.mapFirst = 2;  // indices 2..16 are in the map; patch the first pixel to index 1
    Bytes bytes = BuildTga(mapped, expected);
    const size_t pixelsAt = 18 + kWidth * kHeight * 3;
    bytes[pixelsAt] = 1;
    RgbImage image;
    ASSERT_EQ(Decode(bytes, image), kCodecOk);
    // The first stored pixel is the bottom-left one.
    const unsigned char* bottomLeft = image.pixels + (kHeight - 1) * kWidth * 3;
    EXPECT_EQ(bottomLeft[0] | bottomLeft[1] | bottomLeft[2], 0);
    ReleaseRgbImage(image);
}
