// tqtool's .tqi commands: pack a JPEG file, describe a picture, extract its JPEG file.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/whole_file.h"
#include "codec/formats/jpeg_size.h"
#include "collection/tqi_file.h"
#include "tools/tqtool/command.h"

namespace {

int RunTqiPack(int argc, char** argv) {
    if (argc != 3) return ToolUsage("tqi-pack IN.jpg \"Title\" OUT.tqi");
    const char* title = argv[1];
    size_t titleLength = std::strlen(title);
    if (titleLength < 1 || titleLength >= kPictureTitleCapacity) {
        std::fprintf(stderr, "tqtool: the title must have 1 to 127 characters\n");
        return kToolExitUsage;
    }
    unsigned char* jpeg = nullptr;
    size_t jpegSize = 0;
    int result = ReadWholeFile(argv[0], &jpeg, &jpegSize);
    if (result != 0) {
        std::fprintf(stderr, "tqtool: cannot read %s (result %d)\n", argv[0], result);
        return result;
    }
    PictureRecord record;
    if (jpegSize > UINT32_MAX || !ReadJpegSize(jpeg, jpegSize, record.width, record.height)) {
        std::fprintf(stderr, "tqtool: %s is not a JPEG file\n", argv[0]);
        std::free(jpeg);
        return 3;
    }
    std::memcpy(record.title, title, titleLength + 1);
    record.payload = jpeg;
    record.payloadSize = static_cast<uint32_t>(jpegSize);
    result = WritePictureFile(argv[2], record);
    std::free(jpeg);
    if (result != 0) std::fprintf(stderr, "tqtool: cannot write %s (result %d)\n", argv[2], result);
    return result;
}

int RunTqiInfo(int argc, char** argv) {
    if (argc != 1) return ToolUsage("tqi-info FILE.tqi");
    PictureRecord record;
    int result = ReadPictureFile(PictureSource::FromPath(argv[0]), record, false);
    if (result != 0) {
        std::fprintf(stderr, "tqtool: %s: header read failed (result %d)\n", argv[0], result);
        return result;
    }
    // The payload size sits right behind the header; read it without inflating the payload.
    unsigned char* file = nullptr;
    size_t fileSize = 0;
    long long payloadSize = -1;
    size_t titleLength = std::strlen(record.title);
    if (ReadWholeFile(argv[0], &file, &fileSize) == 0) {
        size_t at = kPictureHeaderSize - 4 + titleLength;
        if (fileSize >= at + 4) {
            payloadSize =
                file[at] | file[at + 1] << 8 | file[at + 2] << 16 | static_cast<long long>(file[at + 3]) << 24;
        }
        std::free(file);
    }
    std::printf("title: %s\nwidth: %d\nheight: %d\n", record.title, record.width, record.height);
    if (payloadSize >= 0) {
        std::printf("payload size: %lld\n", payloadSize);
    } else {
        std::printf("payload size: (missing)\n");
    }
    return 0;
}

int RunTqiExtract(int argc, char** argv) {
    if (argc != 2) return ToolUsage("tqi-extract FILE.tqi OUT.jpg");
    PictureRecord record;
    int result = ReadPictureFile(PictureSource::FromPath(argv[0]), record, true);
    if (result != 0) {
        std::fprintf(stderr, "tqtool: %s: read failed (result %d)\n", argv[0], result);
        return result;
    }
    result = WriteWholeFile(argv[1], record.payload, record.payloadSize);
    FreePicturePayload(record);
    if (result != 0) std::fprintf(stderr, "tqtool: cannot write %s (result %d)\n", argv[1], result);
    return result;
}

const ToolCommandRegistrar kPack({"tqi-pack",
                                  "tqi-pack IN.jpg \"Title\" OUT.tqi   store a JPEG file unchanged as a picture",
                                  RunTqiPack});
const ToolCommandRegistrar kInfo({"tqi-info",
                                  "tqi-info FILE.tqi                 print title, width, height and payload size;\n"
                                  "                                       the exit code is the header read's result",
                                  RunTqiInfo});
const ToolCommandRegistrar kExtract({"tqi-extract",
                                     "tqi-extract FILE.tqi OUT.jpg      write the picture's JPEG file out",
                                     RunTqiExtract});

}  // namespace
