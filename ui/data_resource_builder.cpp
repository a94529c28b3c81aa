#include "ui/data_resource_builder.h"

#include <zlib.h>

#include <cstring>

#include "base/bounded_reader.h"
#include "base/byte_order.h"
#include "ui/data_resource.h"

namespace {

void AppendLe32(ByteVector& out, uint32_t value) {
    unsigned char word[4];
    WriteLe32(word, value);
    out.insert(out.end(), word, word + 4);
}

}  // namespace

bool AppendCompressedBlock(ByteVector& out, const unsigned char* content, size_t size) {
    if (size > UINT32_MAX / 2) return false;
    uLongf bound = compressBound(static_cast<uLong>(size));
    ByteVector stream(bound);
    if (compress2(stream.data(), &bound, content, static_cast<uLong>(size), Z_BEST_COMPRESSION) != Z_OK) {
        return false;
    }
    AppendLe32(out, static_cast<uint32_t>(bound));
    AppendLe32(out, static_cast<uint32_t>(size));
    out.insert(out.end(), stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(bound));
    return true;
}

void BeginDataResourceFile(ByteVector& file) {
    file.assign(kDataResourceMagic, kDataResourceMagic + kDataResourceMagicSize);
}

bool AppendDataResourceEntry(ByteVector& file, const std::string& name, const unsigned char* content, size_t size) {
    if (name.empty() || name.size() > kDataResourceMaxNameLength) return false;
    ByteVector entry;
    AppendLe32(entry, static_cast<uint32_t>(name.size()));
    entry.insert(entry.end(), name.begin(), name.end());
    if (!AppendCompressedBlock(entry, content, size)) return false;
    file.insert(file.end(), entry.begin(), entry.end());
    return true;
}

bool ListDataResourceEntries(const unsigned char* file, size_t size, std::vector<DataResourceEntryInfo>& entries) {
    entries.clear();
    BoundedReader in(file, size);
    const unsigned char* magic = nullptr;
    if (!in.View(kDataResourceMagicSize, magic) ||
        std::memcmp(magic, kDataResourceMagic, kDataResourceMagicSize) != 0) {
        return false;
    }
    for (;;) {
        uint32_t nameLength = 0;
        if (!in.ReadLe32(nameLength) || nameLength == 0 || nameLength > kDataResourceMaxNameLength) return true;
        DataResourceEntryInfo info;
        const unsigned char* name = nullptr;
        if (!in.View(nameLength, name)) return false;
        info.name.assign(reinterpret_cast<const char*>(name), nameLength);
        info.blockOffset = in.Position();
        if (!in.ReadLe32(info.compressedSize) || !in.ReadLe32(info.inflatedSize) || !in.Skip(info.compressedSize)) {
            return false;
        }
        entries.push_back(info);
    }
}
