// Building and listing data-resource files (ui/data_resource.h gives the layout). Used by the
// asset pipeline (tqtool dat-build, dat-list, skin-build) and by tests that need fixtures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using ByteVector = std::vector<unsigned char>;

// Appends an inflatable block: u32 compressed length, u32 `size`, the zlib stream (best
// compression). False when zlib fails or the content is too large for the 32-bit fields.
[[nodiscard]] bool AppendCompressedBlock(ByteVector& out, const unsigned char* content, size_t size);

// Starts a data-resource file image: the magic and its NUL.
void BeginDataResourceFile(ByteVector& file);

// Appends one entry. False when the name is not 1 to 128 bytes or compression fails.
[[nodiscard]] bool AppendDataResourceEntry(ByteVector& file,
                                           const std::string& name,
                                           const unsigned char* content,
                                           size_t size);

struct DataResourceEntryInfo {
    std::string name;
    uint32_t compressedSize = 0;
    uint32_t inflatedSize = 0;
    size_t blockOffset = 0;  // offset of the compressed-length word
};

// Lists the entries that a lookup can reach, in file order, up to the end of the directory
// (a name length outside 1..128, or the end of the file). An entry whose stream runs past the
// end of the file ends the listing and makes the result false, as does a wrong magic.
[[nodiscard]] bool ListDataResourceEntries(const unsigned char* file,
                                           size_t size,
                                           std::vector<DataResourceEntryInfo>& entries);
