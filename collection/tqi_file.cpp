#include "collection/tqi_file.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/byte_order.h"
#include "base/byte_source.h"
#include "base/payload_block.h"
#include "base/whole_file.h"

void FreePicturePayload(PictureRecord& record) {
    std::free(record.payload);
    record.payload = nullptr;
    record.payloadSize = 0;
}

namespace {

// A JPEG stream hardly compresses: deflating a large one at level 1 takes several times as
// long as decoding the picture and usually makes it a little larger. A sample from the middle
// of a large payload decides; one that does not shrink goes into the zlib stream as stored
// blocks, which every reader inflates alike. Small payloads always take level 1.
constexpr uLong kCompressionSampleSize = 64 * 1024;
constexpr int kPayloadLevel = 1;
constexpr int kStoredLevel = 0;

int PayloadCompressionLevel(const unsigned char* payload, uLong size) {
    if (size < 2 * kCompressionSampleSize) return kPayloadLevel;
    uLongf sampleSize = compressBound(kCompressionSampleSize);
    auto* sample = static_cast<unsigned char*>(std::malloc(sampleSize));
    if (sample == nullptr) return kPayloadLevel;
    const unsigned char* middle = payload + (size - kCompressionSampleSize) / 2;
    const int result = compress2(sample, &sampleSize, middle, kCompressionSampleSize, kPayloadLevel);
    std::free(sample);
    if (result != Z_OK) return kPayloadLevel;
    // A saving under 3 % is not worth deflating the whole payload for.
    return sampleSize < kCompressionSampleSize - kCompressionSampleSize / 32 ? kPayloadLevel : kStoredLevel;
}

bool OpenPictureSource(const PictureSource& source, ByteSource& input) {
    if (!source.fromMemory) return input.OpenFile(source.path);
    input.OpenMemory(source.data, source.size);
    return true;
}

// Magic, title, width and height into the record; the input then stands on the lengths.
FileResult ReadHeader(ByteSource& input, PictureRecord& record) {
    unsigned char magic[kPictureMagicSize];
    if (!input.Read(magic, sizeof magic) || std::memcmp(magic, kPictureMagic, sizeof magic) != 0) return kFileDamaged;

    uint32_t titleLength = 0;
    if (!input.ReadLe32(titleLength) || titleLength < 1 || titleLength >= kPictureTitleCapacity) return kFileDamaged;
    char title[kPictureTitleCapacity] = {};
    if (!input.Read(title, titleLength)) return kFileDamaged;
    // A NUL inside would cut the title short of its stored length, and every tool that finds
    // the fields behind it by the title's length would then read the wrong bytes.
    if (std::memchr(title, '\0', titleLength) != nullptr) return kFileDamaged;
    std::memcpy(record.title, title, sizeof title);

    uint32_t width = 0;
    uint32_t height = 0;
    if (!input.ReadLe32(width) || !input.ReadLe32(height)) return kFileDamaged;
    record.width = static_cast<int32_t>(width);
    record.height = static_cast<int32_t>(height);
    return kFileOk;
}

}  // namespace

FileResult ReadPictureFile(const PictureSource& source, PictureRecord& record, bool withPayload) {
    ByteSource input;
    if (!OpenPictureSource(source, input)) return kFileCannotOpen;
    FileResult result = ReadHeader(input, record);
    if (result != kFileOk || !withPayload) return result;

    unsigned char* payload = nullptr;
    uint32_t payloadSize = 0;
    switch (ReadPayloadBlock(input, &payload, &payloadSize)) {
        case BlockReadResult::kOk:
            record.payload = payload;
            record.payloadSize = payloadSize;
            return kFileOk;
        case BlockReadResult::kOutOfMemory:
            return kFileOutOfMemory;
        case BlockReadResult::kDamaged:
            break;
    }
    return kFileDamaged;
}

bool ReadPictureBlockLengths(const PictureSource& source, PictureBlockLengths& lengths) {
    ByteSource input;
    PictureRecord record;
    return OpenPictureSource(source, input) && ReadHeader(input, record) == kFileOk &&
           input.ReadLe32(lengths.compressed) && input.ReadLe32(lengths.payload);
}

FileResult EncodePictureFile(const PictureRecord& record, unsigned char** data, size_t* size) {
    size_t titleLength = strnlen(record.title, kPictureTitleCapacity);
    // A title of 0 or 128+ characters, or a missing payload, would make a file no reader accepts.
    if (titleLength == 0 || titleLength >= kPictureTitleCapacity) return kFileNotWritten;
    if (record.payload == nullptr && record.payloadSize != 0) return kFileNotWritten;

    // Compress straight into the file image, behind the room for the header and the title.
    uLong bound = compressBound(record.payloadSize);
    size_t headerSize = kPictureHeaderSize + titleLength;
    auto* image = static_cast<unsigned char*>(std::malloc(headerSize + bound));
    if (image == nullptr) return kFileOutOfMemory;
    uLongf compressedSize = bound;
    static const unsigned char kEmpty = 0;
    const unsigned char* payload = record.payload != nullptr ? record.payload : &kEmpty;
    const int level = PayloadCompressionLevel(payload, record.payloadSize);
    if (compress2(image + headerSize, &compressedSize, payload, record.payloadSize, level) != Z_OK) {
        std::free(image);
        return kFileNotWritten;
    }

    unsigned char* cursor = image;
    std::memcpy(cursor, kPictureMagic, kPictureMagicSize);
    cursor += kPictureMagicSize;
    WriteLe32(cursor, static_cast<uint32_t>(titleLength));
    std::memcpy(cursor + 4, record.title, titleLength);
    cursor += 4 + titleLength;
    WriteLe32(cursor, static_cast<uint32_t>(record.width));
    WriteLe32(cursor + 4, static_cast<uint32_t>(record.height));
    WriteLe32(cursor + 8, static_cast<uint32_t>(compressedSize));
    WriteLe32(cursor + 12, record.payloadSize);

    *data = image;
    *size = headerSize + compressedSize;
    return kFileOk;
}

FileResult WritePictureFile(const char* path, const PictureRecord& record) {
    unsigned char* image = nullptr;
    size_t imageSize = 0;
    FileResult result = EncodePictureFile(record, &image, &imageSize);
    if (result != kFileOk) return result;
    result = WriteFileReplacing(path, image, imageSize) ? kFileOk : kFileNotWritten;
    std::free(image);
    return result;
}
