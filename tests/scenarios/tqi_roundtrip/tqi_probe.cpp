// Writes or checks one fixed picture file, so that the host and the Windows builds can be
// shown to write identical .tqi files and to read each other's.
//   tqi_probe write FILE.tqi
//   tqi_probe check FILE.tqi     exit 0 when the file holds exactly the fixed picture
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "collection/tqi_file.h"

namespace {

// "Été à Montréal" in the system code page (1252), as titles are stored.
const char kTitle[] =
    "\xC9t\xE9 \xE0 Montr\xE9"
    "al";
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

std::vector<unsigned char> FixedPayload() {
    std::vector<unsigned char> payload(150000);
    uint32_t state = 12345;
    for (size_t i = 0; i < payload.size(); ++i) {
        state = state * 1103515245u + 12345u;
        // Runs and noise, so the stream is neither trivial nor incompressible.
        payload[i] = (i / 700) % 2 == 0 ? static_cast<unsigned char>(state >> 24) : static_cast<unsigned char>(i / 700);
    }
    payload[0] = 0xFF;
    payload[1] = 0xD8;
    return payload;
}

int Write(const char* path) {
    std::vector<unsigned char> payload = FixedPayload();
    PictureRecord record;
    std::strcpy(record.title, kTitle);
    record.width = kWidth;
    record.height = kHeight;
    record.payload = payload.data();
    record.payloadSize = static_cast<uint32_t>(payload.size());
    return WritePictureFile(path, record);
}

int Check(const char* path) {
    PictureRecord record;
    int result = ReadPictureFile(PictureSource::FromPath(path), record, true);
    if (result != 0) {
        std::fprintf(stderr, "read failed: %d\n", result);
        return result;
    }
    std::vector<unsigned char> expected = FixedPayload();
    bool same = std::strcmp(record.title, kTitle) == 0 && record.width == kWidth && record.height == kHeight &&
                record.payloadSize == expected.size() &&
                std::memcmp(record.payload, expected.data(), expected.size()) == 0;
    FreePicturePayload(record);
    if (!same) std::fprintf(stderr, "the picture differs\n");
    return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "write") == 0) return Write(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "check") == 0) return Check(argv[2]);
    std::fprintf(stderr, "usage: tqi_probe write|check FILE.tqi\n");
    return 64;
}
