#include "ui/data_resource.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "base/byte_source.h"
#include "base/payload_block.h"
#include "base/text_case.h"

namespace {

std::string& InstalledPath() {
    static std::string path;
    return path;
}

// The matching entry's block (lengths and stream) stands at the input's position.
DataResourceResult InflateEntry(ByteSource& input, unsigned char** content, uint32_t* contentSize) {
    unsigned char* inflated = nullptr;
    uint32_t size = 0;
    switch (ReadPayloadBlock(input, &inflated, &size)) {
        case BlockReadResult::kOk:
            break;
        case BlockReadResult::kOutOfMemory:
            return kDataResourceOutOfMemory;
        case BlockReadResult::kDamaged:
            return kDataResourceUnreadable;
    }
    if (content != nullptr) {
        *content = inflated;
    } else {
        std::free(inflated);
    }
    if (contentSize != nullptr) *contentSize = size;
    return kDataResourceOk;
}

}  // namespace

DataResourceResult FindDataResource(ByteSource& input,
                                    const char* name,
                                    unsigned char** content,
                                    uint32_t* contentSize) {
    if (content != nullptr) *content = nullptr;
    if (contentSize != nullptr) *contentSize = 0;

    unsigned char magic[kDataResourceMagicSize];
    if (!input.Read(magic, sizeof magic) || std::memcmp(magic, kDataResourceMagic, sizeof magic) != 0) {
        return kDataResourceWrongFormat;
    }
    if (name == nullptr) return kDataResourceOk;

    for (;;) {
        uint32_t nameLength = 0;
        // The directory ends at the end of the file or at a name length outside 1..128.
        if (!input.ReadLe32(nameLength)) return kDataResourceNotFound;
        if (nameLength == 0 || nameLength > kDataResourceMaxNameLength) return kDataResourceNotFound;
        char entryName[kDataResourceMaxNameLength + 1];
        if (!input.Read(entryName, nameLength)) return kDataResourceNotFound;
        entryName[nameLength] = '\0';
        if (EqualNoCaseAscii(entryName, name)) return InflateEntry(input, content, contentSize);
        uint32_t compressedSize = 0;
        if (!input.ReadLe32(compressedSize)) return kDataResourceNotFound;
        if (!input.Skip(static_cast<uint64_t>(compressedSize) + 4)) return kDataResourceNotFound;
    }
}

DataResourceResult LoadDataResourceFromFile(const char* path,
                                            const char* name,
                                            unsigned char** content,
                                            uint32_t* contentSize) {
    if (content != nullptr) *content = nullptr;
    if (contentSize != nullptr) *contentSize = 0;
    ByteSource file;  // closed on every path by its destructor
    if (!file.OpenFile(path)) return kDataResourceCannotOpen;
    return FindDataResource(file, name, content, contentSize);
}

void SetDataResourcePath(const char* path) {
    InstalledPath() = path != nullptr ? path : "";
}

const char* DataResourcePath() {
    return InstalledPath().c_str();
}

DataResourceResult LoadDataResource(const char* name, unsigned char** content, uint32_t* contentSize) {
    return LoadDataResourceFromFile(DataResourcePath(), name, content, contentSize);
}
