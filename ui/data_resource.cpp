#include "ui/data_resource.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "base/byte_order.h"
#include "base/payload_block.h"
#include "base/text_case.h"
#include "ui/data_resource_file.h"

namespace {

std::string& InstalledPath() {
    static std::string path;
    return path;
}

// The matching entry: its compressed length is read, its inflated length and stream follow.
int InflateEntry(DataResourceInput& input, uint32_t compressedSize, unsigned char** content, uint32_t* contentSize) {
    unsigned char word[4];
    if (!input.ReadExact(word, 4)) return kDataResourceUnreadable;
    uint32_t inflatedSize = ReadLe32(word);
    // Refused before any allocation: a stream longer than the rest of the file, or a length
    // that zlib could never produce from that many compressed bytes.
    if (!IsPlausibleBlock(compressedSize, inflatedSize, input.Remaining())) return kDataResourceUnreadable;
    if (uint64_t{compressedSize} + 8 > uint64_t{SIZE_MAX}) return kDataResourceOutOfMemory;  // 32-bit builds
    size_t blockSize = static_cast<size_t>(compressedSize) + 8;
    auto* block = static_cast<unsigned char*>(std::malloc(blockSize));
    if (block == nullptr) return kDataResourceOutOfMemory;
    WriteLe32(block, compressedSize);
    WriteLe32(block + 4, inflatedSize);
    if (!input.ReadExact(block + 8, compressedSize)) {
        std::free(block);
        return kDataResourceUnreadable;
    }
    uint32_t produced = 0;
    unsigned char* inflated = InflatePayload(block, blockSize, &produced);
    std::free(block);
    if (inflated == nullptr) return kDataResourceUnreadable;
    if (content != nullptr) {
        *content = inflated;
    } else {
        std::free(inflated);
    }
    if (contentSize != nullptr) *contentSize = produced;
    return kDataResourceOk;
}

}  // namespace

bool MemoryDataResourceInput::ReadExact(void* buffer, size_t count) {
    if (count > size_ - position_) return false;
    if (count != 0) std::memcpy(buffer, data_ + position_, count);
    position_ += count;
    return true;
}

bool MemoryDataResourceInput::Skip(uint64_t count) {
    if (count > size_ - position_) return false;
    position_ += static_cast<size_t>(count);
    return true;
}

int FindDataResource(DataResourceInput& input, const char* name, unsigned char** content, uint32_t* contentSize) {
    if (content != nullptr) *content = nullptr;
    if (contentSize != nullptr) *contentSize = 0;

    unsigned char magic[kDataResourceMagicSize];
    if (!input.ReadExact(magic, sizeof magic) || std::memcmp(magic, kDataResourceMagic, sizeof magic) != 0) {
        return kDataResourceWrongFormat;
    }
    if (name == nullptr) return kDataResourceOk;

    for (;;) {
        unsigned char word[4];
        // The directory ends at the end of the file or at a name length outside 1..128.
        if (!input.ReadExact(word, 4)) return kDataResourceNotFound;
        uint32_t nameLength = ReadLe32(word);
        if (nameLength == 0 || nameLength > kDataResourceMaxNameLength) return kDataResourceNotFound;
        char entryName[kDataResourceMaxNameLength + 1];
        if (!input.ReadExact(entryName, nameLength)) return kDataResourceNotFound;
        entryName[nameLength] = '\0';
        bool matches = EqualNoCaseAscii(entryName, name);
        if (!input.ReadExact(word, 4)) return matches ? kDataResourceUnreadable : kDataResourceNotFound;
        uint32_t compressedSize = ReadLe32(word);
        if (matches) return InflateEntry(input, compressedSize, content, contentSize);
        if (!input.Skip(static_cast<uint64_t>(compressedSize) + 4)) return kDataResourceNotFound;
    }
}

int LoadDataResourceFromFile(const char* path, const char* name, unsigned char** content, uint32_t* contentSize) {
    if (content != nullptr) *content = nullptr;
    if (contentSize != nullptr) *contentSize = 0;
    DataResourceFile file;  // closed on every path by its destructor
    if (path == nullptr || !file.Open(path)) return kDataResourceCannotOpen;
    return FindDataResource(file, name, content, contentSize);
}

void SetDataResourcePath(const char* path) {
    InstalledPath() = path != nullptr ? path : "";
}

const char* DataResourcePath() {
    return InstalledPath().c_str();
}

int LoadDataResource(const char* name, unsigned char** content, uint32_t* contentSize) {
    return LoadDataResourceFromFile(DataResourcePath(), name, content, contentSize);
}
