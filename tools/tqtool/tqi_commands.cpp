// tqtool's .tqi commands: pack a JPEG file, describe a picture, extract its JPEG file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/whole_file.h"
#include "codec/formats/jpeg_codec.h"
#include "collection/tqi_file.h"
#include "tools/tqtool/collection_arguments.h"
#include "tools/tqtool/command.h"

namespace {

int RunTqiPack(int argc, char** argv) {
    if (argc != 3) return ToolUsage("tqi-pack IN.jpg \"Title\" OUT.tqi");
    // Any title a picture file can hold, so that tests can make files the collection refuses.
    std::string title;
    if (!TitleArgument(argv[1], title)) return kToolExitTitleRefused;
    if (title.empty() || title.size() >= kPictureTitleCapacity) {
        std::fprintf(stderr, "tqtool: the title must have 1 to 127 characters\n");
        return kToolExitUsage;
    }
    unsigned char* jpeg = nullptr;
    size_t jpegSize = 0;
    FileResult result = ReadWholeFile(argv[0], &jpeg, &jpegSize);
    if (result != kFileOk) {
        std::fprintf(stderr, "tqtool: cannot read %s (result %d)\n", argv[0], result);
        return result;
    }
    PictureRecord record;
    if (jpegSize > UINT32_MAX || !ReadJpegFrameSize(jpeg, jpegSize, record.width, record.height)) {
        std::fprintf(stderr, "tqtool: %s is not a JPEG file\n", argv[0]);
        std::free(jpeg);
        return kFileDamaged;
    }
    std::memcpy(record.title, title.c_str(), title.size() + 1);
    record.payload = jpeg;
    record.payloadSize = static_cast<uint32_t>(jpegSize);
    result = WritePictureFile(argv[2], record);
    std::free(jpeg);
    if (result != kFileOk) std::fprintf(stderr, "tqtool: cannot write %s (result %d)\n", argv[2], result);
    return result;
}

int RunTqiInfo(int argc, char** argv) {
    if (argc != 1) return ToolUsage("tqi-info FILE.tqi");
    PictureSource source = PictureSource::FromPath(argv[0]);
    PictureRecord record;
    FileResult result = ReadPictureFile(source, record, false);
    if (result != kFileOk) {
        std::fprintf(stderr, "tqtool: %s: header read failed (result %d)\n", argv[0], result);
        return result;
    }
    std::printf("title: %s\nwidth: %d\nheight: %d\n", PrintedTitle(record.title).c_str(), record.width, record.height);
    // The payload size is read where the file declares it, without inflating the payload.
    PictureBlockLengths lengths;
    if (ReadPictureBlockLengths(source, lengths)) {
        std::printf("payload size: %u\n", lengths.payload);
    } else {
        std::printf("payload size: (missing)\n");
    }
    return kFileOk;
}

int RunTqiExtract(int argc, char** argv) {
    if (argc != 2) return ToolUsage("tqi-extract FILE.tqi OUT.jpg");
    PictureRecord record;
    FileResult result = ReadPictureFile(PictureSource::FromPath(argv[0]), record, true);
    if (result != kFileOk) {
        std::fprintf(stderr, "tqtool: %s: read failed (result %d)\n", argv[0], result);
        return result;
    }
    result = WriteWholeFile(argv[1], record.payload, record.payloadSize);
    FreePicturePayload(record);
    if (result != kFileOk) std::fprintf(stderr, "tqtool: cannot write %s (result %d)\n", argv[1], result);
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
