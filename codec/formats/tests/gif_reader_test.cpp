#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> indices;  // rows top-down
    int localColours = 0;          // 0: no local table
    bool interlaced = false;
};

void PutLe16(Bytes& bytes, int value) {
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}

// Colour i of a table: distinct, recognisable entries.
void PutColourTable(Bytes& bytes, int entries, int salt) {
    for (int i = 0; i < entries; ++i) {
        bytes.push_back(static_cast<unsigned char>(i * 7 + salt));
        bytes.push_back(static_cast<unsigned char>(i * 13));
        bytes.push_back(static_cast<unsigned char>(255 - i));
    }
}

// Encodes indices with literal codes only (a clear code before the table would widen the
// codes), which any LZW decoder must read back exactly.
void PutLiteralLzw(Bytes& bytes, const std::vector<uint8_t>& stream) {
    const int codeSize = 9;
    Bytes packed;
    uint32_t buffer = 0;
    int bits = 0;
    auto put = [&](int code) {
        buffer |= static_cast<uint32_t>(code) << bits;
        bits += codeSize;
        while (bits >= 8) {
            packed.push_back(static_cast<unsigned char>(buffer));
            buffer >>= 8;
            bits -= 8;
        }
    };
    put(256);
    int sinceClear = 0;
    for (uint8_t index : stream) {
        if (sinceClear == 250) {
            put(256);
            sinceClear = 0;
        }
        put(index);
        ++sinceClear;
    }
    put(257);
    if (bits > 0) packed.push_back(static_cast<unsigned char>(buffer));
    bytes.push_back(8);
    for (size_t i = 0; i < packed.size(); i += 255) {
        size_t length = std::min<size_t>(255, packed.size() - i);
        bytes.push_back(static_cast<unsigned char>(length));
        bytes.insert(bytes.end(), packed.begin() + i, packed.begin() + i + length);
    }
    bytes.push_back(0);
}

std::vector<uint8_t> InterlacedOrder(const Frame& frame) {
    std::vector<uint8_t> stream;
    const int starts[4] = {0, 4, 2, 1};
    const int steps[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int row = starts[pass]; row < frame.height; row += steps[pass]) {
            auto begin = frame.indices.begin() + row * frame.width;
            stream.insert(stream.end(), begin, begin + frame.width);
        }
    }
    return stream;
}

struct GifFile {
    const char* version = "89a";
    int globalColours = 16;
    int transparentIndex = -1;  // written in a graphic control extension when >= 0
    bool commentFirst = false;
    std::vector<Frame> frames;
};

Bytes BuildGif(const GifFile& file) {
    Bytes bytes = {'G',
                   'I',
                   'F',
                   static_cast<unsigned char>(file.version[0]),
                   static_cast<unsigned char>(file.version[1]),
                   static_cast<unsigned char>(file.version[2])};
    PutLe16(bytes, 300);  // logical screen larger than any frame: must not matter
    PutLe16(bytes, 200);
    int tableBits = 0;
    while ((2 << tableBits) < file.globalColours) ++tableBits;
    bytes.push_back(static_cast<unsigned char>(file.globalColours > 0 ? 0x80 | tableBits : 0));
    bytes.push_back(0);
    bytes.push_back(0);
    if (file.globalColours > 0) PutColourTable(bytes, 2 << tableBits, 0);
    if (file.commentFirst) {
        Bytes comment = {0x21, 0xFE, 5, 'h', 'e', 'l', 'l', 'o', 3, 'a', 'b', 'c', 0};
        bytes.insert(bytes.end(), comment.begin(), comment.end());
    }
    for (const Frame& frame : file.frames) {
        if (file.transparentIndex >= 0) {
            Bytes control = {0x21, 0xF9, 4, 1, 10, 0, static_cast<unsigned char>(file.transparentIndex), 0};
            bytes.insert(bytes.end(), control.begin(), control.end());
        }
        bytes.push_back(0x2C);
        PutLe16(bytes, 3);
        PutLe16(bytes, 5);
        PutLe16(bytes, frame.width);
        PutLe16(bytes, frame.height);
        int localBits = 0;
        while ((2 << localBits) < frame.localColours) ++localBits;
        uint8_t flags = frame.interlaced ? 0x40 : 0;
        if (frame.localColours > 0) flags |= 0x80 | localBits;
        bytes.push_back(flags);
        if (frame.localColours > 0) PutColourTable(bytes, 2 << localBits, 100);
        PutLiteralLzw(bytes, frame.interlaced ? InterlacedOrder(frame) : frame.indices);
    }
    bytes.push_back(0x3B);
    return bytes;
}

Frame MakeFrame(int width, int height, int colours, unsigned seed) {
    Frame frame{width, height, {}, 0, false};
    for (int i = 0; i < width * height; ++i) frame.indices.push_back(static_cast<uint8_t>((i * 31 + seed) % colours));
    return frame;
}

int Decode(const Bytes& bytes, PaletteImage& image) {
    BoundedReader in(bytes.data(), bytes.size());
    return ReadGifImage(in, image);
}

}  // namespace

TEST(GifReader, DecodesTheFirstFrameWithItsPalette) {
    struct Case {
        const char* name;
        const char* version;
        int globalColours;
        int localColours;
        bool interlaced;
        int width;
        int height;
        int frames;
    };
    const Case cases[] = {
        {"87a global table", "87a", 16, 0, false, 17, 9, 1},
        {"89a global table", "89a", 256, 0, false, 40, 30, 1},
        {"local table wins", "89a", 4, 64, false, 23, 11, 1},
        {"local table without global", "89a", 0, 8, false, 5, 5, 1},
        {"interlaced, tall", "89a", 32, 0, true, 7, 37, 1},
        {"interlaced, fewer rows than a pass step", "89a", 32, 0, true, 3, 6, 1},
        {"interlaced, one row", "89a", 2, 0, true, 9, 1, 1},
        {"animated: first frame only", "89a", 16, 0, false, 13, 7, 3},
        {"long literal run over clears", "87a", 256, 0, false, 97, 41, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GifFile file;
        file.version = c.version;
        file.globalColours = c.globalColours;
        int colours = c.localColours > 0 ? c.localColours : c.globalColours;
        for (int i = 0; i < c.frames; ++i) {
            // later frames have other sizes, which the result must not take
            Frame frame = MakeFrame(c.width + i * 5, c.height + i * 3, colours, 7 + i);
            frame.localColours = c.localColours;
            frame.interlaced = c.interlaced;
            file.frames.push_back(frame);
        }
        PaletteImage image;
        ASSERT_EQ(Decode(BuildGif(file), image), kCodecOk);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(std::vector<uint8_t>(image.indices, image.indices + c.width * c.height), file.frames[0].indices);
        EXPECT_EQ(image.paletteSize, colours);
        int salt = c.localColours > 0 ? 100 : 0;
        EXPECT_EQ(image.palette[colours - 1][0], static_cast<unsigned char>((colours - 1) * 7 + salt));
        EXPECT_EQ(image.palette[colours - 1][2], static_cast<unsigned char>(255 - (colours - 1)));
        EXPECT_EQ(image.transparentIndex, -1);
        ReleasePaletteImage(image);
    }
}

TEST(GifReader, ReportsTheTransparentIndexAndSkipsOtherExtensions) {
    GifFile file;
    file.transparentIndex = 3;
    file.commentFirst = true;
    file.frames.push_back(MakeFrame(6, 4, 16, 1));
    PaletteImage image;
    ASSERT_EQ(Decode(BuildGif(file), image), kCodecOk);
    EXPECT_EQ(image.transparentIndex, 3);
    // The transparent entry keeps its colour: the expansion ignores transparency.
    EXPECT_EQ(image.palette[3][0], 21);
    EXPECT_EQ(std::vector<uint8_t>(image.indices, image.indices + 24), file.frames[0].indices);
    ReleasePaletteImage(image);
}

TEST(GifReader, FailsWithTheDocumentedCodes) {
    GifFile good;
    good.frames.push_back(MakeFrame(8, 8, 16, 3));
    const Bytes valid = BuildGif(good);
    // Offset of the first image descriptor: header, screen descriptor, 16-entry table.
    const size_t descriptorAt = 6 + 7 + 16 * 3;

    struct Case {
        const char* name;
        Bytes bytes;
        int expected;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}, kCodecNotGif});
    cases.push_back({"other signature", Bytes{'G', 'I', 'F', '8', '8', 'a', 0, 0, 0, 0, 0, 0, 0}, kCodecNotGif});
    cases.push_back({"png bytes", Bytes{0x89, 'P', 'N', 'G', 13, 10, 26, 10}, kCodecNotGif});
    cases.push_back({"screen descriptor cut", Bytes(valid.begin(), valid.begin() + 9), kCodecReadError});
    cases.push_back({"global table cut", Bytes(valid.begin(), valid.begin() + 13 + 20), kCodecNotGif});
    Bytes trailerOnly(valid.begin(), valid.begin() + descriptorAt);
    trailerOnly.push_back(0x3B);
    cases.push_back({"no image descriptor", trailerOnly, kCodecReadError});
    cases.push_back({"ends before any block", Bytes(valid.begin(), valid.begin() + descriptorAt), kCodecReadError});
    cases.push_back({"image data cut", Bytes(valid.begin(), valid.begin() + descriptorAt + 14), kCodecReadError});

    GifFile local;
    local.frames.push_back(MakeFrame(8, 8, 64, 3));
    local.frames[0].localColours = 64;
    Bytes localBytes = BuildGif(local);
    cases.push_back(
        {"local table cut", Bytes(localBytes.begin(), localBytes.begin() + descriptorAt + 10 + 90), kCodecNotGif});

    Bytes zeroWidth = valid;
    zeroWidth[descriptorAt + 5] = 0;
    zeroWidth[descriptorAt + 6] = 0;
    cases.push_back({"zero width", zeroWidth, kCodecNotGif});
    Bytes badCodeSize = valid;
    badCodeSize[descriptorAt + 10] = 12;
    cases.push_back({"code size above 11", badCodeSize, kCodecNotGif});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PaletteImage image;
        EXPECT_EQ(Decode(c.bytes, image), c.expected);
        EXPECT_EQ(image.indices, nullptr);
    }
}

TEST(GifReader, RefusesASizeTheDataCannotHold) {
    GifFile file;
    file.frames.push_back(MakeFrame(4, 4, 16, 3));
    Bytes bytes = BuildGif(file);
    const size_t descriptorAt = 6 + 7 + 16 * 3;
    bytes[descriptorAt + 5] = 0xFF;  // 65535 x 65535 from a few bytes of data
    bytes[descriptorAt + 6] = 0xFF;
    bytes[descriptorAt + 7] = 0xFF;
    bytes[descriptorAt + 8] = 0xFF;
    PaletteImage image;
    EXPECT_EQ(Decode(bytes, image), kCodecReadError);
    EXPECT_EQ(image.indices, nullptr);
}
