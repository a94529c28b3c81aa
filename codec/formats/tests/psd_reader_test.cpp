#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Rgb = std::array<unsigned char, 3>;

constexpr int kWidth = 7;
constexpr int kHeight = 4;

void PutBe16(Bytes& bytes, uint32_t value) {
    bytes.push_back(static_cast<unsigned char>(value >> 8));
    bytes.push_back(static_cast<unsigned char>(value));
}
void PutBe32(Bytes& bytes, uint32_t value) {
    PutBe16(bytes, value >> 16);
    PutBe16(bytes, value & 0xFFFF);
}

// PackBits with literal runs and repeats, as writers produce it.
Bytes PackBits(const Bytes& row) {
    Bytes coded;
    for (size_t i = 0; i < row.size();) {
        size_t run = 1;
        while (i + run < row.size() && row[i + run] == row[i] && run < 128) ++run;
        if (run >= 2) {
            coded.push_back(static_cast<unsigned char>(257 - run));
            coded.push_back(row[i]);
            i += run;
            continue;
        }
        size_t start = i;
        while (i < row.size() && i - start < 128 && (i + 1 >= row.size() || row[i + 1] != row[i])) ++i;
        coded.push_back(static_cast<unsigned char>(i - start - 1));
        coded.insert(coded.end(), row.begin() + start, row.begin() + i);
    }
    return coded;
}

struct PsdFile {
    int mode = 3;
    int depth = 8;
    int channels = 3;
    bool packBits = false;
    bool withResourcesAndLayers = false;
    // channel planes of 8-bit samples (16-bit files store sample * 257), kWidth * kHeight each
    std::vector<Bytes> planes;
};

Bytes BuildPsd(const PsdFile& file) {
    Bytes bytes = {'8', 'B', 'P', 'S'};
    PutBe16(bytes, 1);
    bytes.insert(bytes.end(), 6, 0);
    PutBe16(bytes, file.channels);
    PutBe32(bytes, kHeight);
    PutBe32(bytes, kWidth);
    PutBe16(bytes, file.depth);
    PutBe16(bytes, file.mode);
    if (file.mode == 2) {
        PutBe32(bytes, 768);
        for (int c = 0; c < 3; ++c) {
            for (int i = 0; i < 256; ++i)
                bytes.push_back(static_cast<unsigned char>(c == 0 ? i : c == 1 ? 255 - i : i / 3));
        }
    } else {
        PutBe32(bytes, 0);
    }
    if (file.withResourcesAndLayers) {
        Bytes resources = {'8', 'B', 'I', 'M', 0x03, 0xED, 0, 0};  // resolution, empty name
        PutBe32(resources, 16);
        resources.insert(resources.end(), {0, 72, 0, 0, 0, 1, 0, 1, 0, 72, 0, 0, 0, 1, 0, 1});
        PutBe32(bytes, static_cast<uint32_t>(resources.size()));
        bytes.insert(bytes.end(), resources.begin(), resources.end());
        PutBe32(bytes, 12);  // a layer section the reader must pass over
        bytes.insert(bytes.end(), 12, 0xAB);
    } else {
        PutBe32(bytes, 0);
        PutBe32(bytes, 0);
    }
    PutBe16(bytes, file.packBits ? 1 : 0);

    std::vector<Bytes> rows;
    for (const Bytes& plane : file.planes) {
        for (int y = 0; y < kHeight; ++y) {
            Bytes row;
            if (file.depth == 1) {
                row.assign((kWidth + 7) / 8, 0);
                for (int x = 0; x < kWidth; ++x) {
                    if (plane[y * kWidth + x] == 0) row[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
                }
            } else {
                for (int x = 0; x < kWidth; ++x) {
                    row.push_back(plane[y * kWidth + x]);
                    if (file.depth == 16) row.push_back(plane[y * kWidth + x]);  // sample * 257
                }
            }
            rows.push_back(file.packBits ? PackBits(row) : row);
        }
    }
    if (file.packBits) {
        for (const Bytes& row : rows) PutBe16(bytes, static_cast<uint32_t>(row.size()));
    }
    for (const Bytes& row : rows) bytes.insert(bytes.end(), row.begin(), row.end());
    return bytes;
}

Bytes Plane(int salt) {
    Bytes plane;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        plane.push_back(static_cast<unsigned char>(i < 5 ? 200 : (i * 37 + salt * 11) % 256));  // a run, then noise
    }
    return plane;
}

int Decode(const Bytes& bytes, RgbImage& image) {
    BoundedReader in(bytes.data(), bytes.size());
    return ReadPsdImage(in, image);
}

}  // namespace

TEST(PsdReader, ConvertsEveryModeToRgb) {
    struct Case {
        const char* name;
        int mode;
        int depth;
        int channels;
    };
    const Case modes[] = {
        {"RGB", 3, 8, 3},     {"RGB with alpha", 3, 8, 4}, {"RGB, 16 bits", 3, 16, 3},
        {"grey", 1, 8, 1},    {"grey, 16 bits", 1, 16, 2}, {"duotone", 8, 8, 1},
        {"indexed", 2, 8, 1}, {"CMYK", 4, 8, 4},           {"CMYK, 16 bits", 4, 16, 5},
        {"bitmap", 0, 1, 1},
    };
    for (const Case& c : modes) {
        for (bool packBits : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (packBits ? ", PackBits" : ", raw"));
            PsdFile file;
            file.mode = c.mode;
            file.depth = c.depth;
            file.channels = c.channels;
            file.packBits = packBits;
            file.withResourcesAndLayers = packBits;
            for (int channel = 0; channel < c.channels; ++channel) {
                Bytes plane = Plane(channel);
                if (c.mode == 0) {
                    for (auto& sample : plane) sample = sample & 1 ? 255 : 0;
                }
                file.planes.push_back(plane);
            }
            RgbImage image;
            ASSERT_EQ(Decode(BuildPsd(file), image), kCodecOk);
            ASSERT_EQ(image.width, kWidth);
            ASSERT_EQ(image.height, kHeight);
            for (int i = 0; i < kWidth * kHeight; ++i) {
                Rgb expected;
                const auto& p = file.planes;
                switch (c.mode) {
                    case 3:
                        expected = {p[0][i], p[1][i], p[2][i]};
                        break;
                    case 2:
                        expected = {p[0][i], static_cast<unsigned char>(255 - p[0][i]),
                                    static_cast<unsigned char>(p[0][i] / 3)};
                        break;
                    case 4:
                        for (int k = 0; k < 3; ++k)
                            expected[k] = static_cast<unsigned char>((p[k][i] * p[3][i] + 127) / 255);
                        break;
                    default:
                        expected = {p[0][i], p[0][i], p[0][i]};
                        break;
                }
                Rgb actual = {image.pixels[i * 3], image.pixels[i * 3 + 1], image.pixels[i * 3 + 2]};
                ASSERT_EQ(actual, expected) << "pixel " << i;
            }
            ReleaseRgbImage(image);
        }
    }
}

TEST(PsdReader, FailsWithTheDocumentedCodes) {
    PsdFile rgb;
    for (int c = 0; c < 3; ++c) rgb.planes.push_back(Plane(c));
    const Bytes raw = BuildPsd(rgb);
    rgb.packBits = true;
    const Bytes packed = BuildPsd(rgb);
    const size_t countsAt = 26 + 4 + 4 + 4 + 2;
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
        {"empty", {}, kCodecNotPsd},
        {"other signature", patched(raw, 0, ' '), kCodecNotPsd},
        {"version 2 (large document)", patched(raw, 5, 2), kCodecNotPsd},
        {"header cut", Bytes(raw.begin(), raw.begin() + 20), kCodecReadError},
        {"Lab mode", patched(raw, 25, 9), kCodecUnsupportedVariant},
        {"32-bit channels", patched(raw, 23, 32), kCodecUnsupportedVariant},
        {"RGB with two channels", patched(raw, 13, 2), kCodecUnsupportedVariant},
        {"zero width", patched(raw, 21, 0), kCodecUnsupportedVariant},
        {"indexed without palette", patched(raw, 25, 2), kCodecUnsupportedVariant},
        {"compression 2", patched(raw, countsAt - 1, 2), kCodecUnsupportedVariant},
        {"colour mode data longer than the file", patched(raw, 26, 0x7F), kCodecReadError},
        {"raw rows cut", Bytes(raw.begin(), raw.end() - 1), kCodecReadError},
        {"PackBits rows cut", Bytes(packed.begin(), packed.end() - 1), kCodecReadError},
        {"PackBits row too short", patched(packed, countsAt + 1, packed[countsAt + 1] - 1), kCodecReadError},
        {"forged size", patched(patched(raw, 18, 0x7F), 14, 0x7F), kCodecReadError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RgbImage image;
        EXPECT_EQ(Decode(c.bytes, image), c.expected);
        EXPECT_EQ(image.pixels, nullptr);
    }
}
