#include "collection/tqi_file.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/bounded_reader.h"
#include "base/byte_order.h"
#include "base/file_io.h"
#include "base/payload_block.h"
#include "base/whole_file.h"

void FreePicturePayload(PictureRecord& record) {
    std::free(record.payload);
    record.payload = nullptr;
    record.payloadSize = 0;
}

namespace {

// Sequential reads from either a file or a memory buffer; every read delivers exactly the
// requested count or fails.
class PictureStream {
public:
    explicit PictureStream(const PictureSource& source)
        : memory_(source.data, source.data != nullptr ? source.size : 0) {
        fromFile_ = !source.fromMemory;
        if (fromFile_) {
            opened_ = source.path != nullptr && file_.OpenForSequentialRead(source.path);
            uint64_t size = 0;
            if (opened_ && file_.Size(size)) fileSize_ = size;
        } else {
            opened_ = true;
        }
    }

    bool Opened() const { return opened_; }

    [[nodiscard]] bool Read(void* out, size_t count) {
        if (!fromFile_) return memory_.Read(out, count);
        if (!file_.ReadExact(out, count)) return false;
        filePosition_ += count;
        return true;
    }

    [[nodiscard]] bool ReadLe32(uint32_t& value) {
        unsigned char bytes[4];
        if (!Read(bytes, sizeof bytes)) return false;
        value = ::ReadLe32(bytes);
        return true;
    }

    uint64_t Remaining() const {
        if (!fromFile_) return memory_.Remaining();
        return fileSize_ > filePosition_ ? fileSize_ - filePosition_ : 0;
    }

private:
    bool fromFile_ = true;
    bool opened_ = false;
    File file_;
    uint64_t fileSize_ = 0;
    uint64_t filePosition_ = 0;
    BoundedReader memory_;
};

int ReadPayload(PictureStream& stream, PictureRecord& record) {
    uint32_t compressedSize = 0;
    uint32_t inflatedSize = 0;
    if (!stream.ReadLe32(compressedSize) || !stream.ReadLe32(inflatedSize)) return 3;
    // Lengths that the rest of the source or zlib itself cannot back are refused before any
    // allocation, so a damaged or hostile file cannot make us reserve gigabytes.
    if (!IsPlausibleBlock(compressedSize, inflatedSize, stream.Remaining())) return 3;

    size_t blockSize = static_cast<size_t>(compressedSize) + 8;
    auto* block = static_cast<unsigned char*>(std::malloc(blockSize));
    if (block == nullptr) return 8;
    WriteLe32(block, compressedSize);
    WriteLe32(block + 4, inflatedSize);
    int result = 3;
    if (stream.Read(block + 8, compressedSize)) {
        unsigned char* payload = InflatePayload(block, blockSize);
        if (payload != nullptr) {
            record.payload = payload;
            record.payloadSize = inflatedSize;
            result = 0;
        }
    }
    std::free(block);
    return result;
}

}  // namespace

int ReadPictureFile(const PictureSource& source, PictureRecord& record, bool withPayload) {
    PictureStream stream(source);
    if (!stream.Opened()) return 2;

    unsigned char magic[kPictureMagicSize];
    if (!stream.Read(magic, sizeof magic) || std::memcmp(magic, kPictureMagic, sizeof magic) != 0) return 3;

    uint32_t titleLength = 0;
    if (!stream.ReadLe32(titleLength) || titleLength < 1 || titleLength >= kPictureTitleCapacity) return 3;
    char title[kPictureTitleCapacity] = {};
    if (!stream.Read(title, titleLength)) return 3;
    std::memcpy(record.title, title, sizeof title);

    uint32_t width = 0;
    uint32_t height = 0;
    if (!stream.ReadLe32(width) || !stream.ReadLe32(height)) return 3;
    record.width = static_cast<int32_t>(width);
    record.height = static_cast<int32_t>(height);
    if (!withPayload) return 0;
    return ReadPayload(stream, record);
}

int EncodePictureFile(const PictureRecord& record, unsigned char** data, size_t* size) {
    size_t titleLength = strnlen(record.title, kPictureTitleCapacity);
    // A title of 0 or 128+ characters, or a missing payload, would make a file no reader accepts.
    if (titleLength == 0 || titleLength >= kPictureTitleCapacity) return 1;
    if (record.payload == nullptr && record.payloadSize != 0) return 1;

    // Compress straight into the file image, behind the room for the header and the title.
    uLong bound = compressBound(record.payloadSize);
    size_t headerSize = kPictureHeaderSize + titleLength;
    auto* image = static_cast<unsigned char*>(std::malloc(headerSize + bound));
    if (image == nullptr) return 8;
    uLongf compressedSize = bound;
    static const unsigned char kEmpty = 0;
    const unsigned char* payload = record.payload != nullptr ? record.payload : &kEmpty;
    if (compress2(image + headerSize, &compressedSize, payload, record.payloadSize, 1) != Z_OK) {
        std::free(image);
        return 1;
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
    return 0;
}

int WritePictureFile(const char* path, const PictureRecord& record) {
    unsigned char* image = nullptr;
    size_t imageSize = 0;
    int result = EncodePictureFile(record, &image, &imageSize);
    if (result != 0) return result;
    result = WriteFileReplacing(path, image, imageSize) ? 0 : 1;
    std::free(image);
    return result;
}
