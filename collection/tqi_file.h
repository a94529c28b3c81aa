// The .tqi picture file: a title, the picture's size and its JPEG file compressed once more
// with zlib. All integers are 32-bit little-endian; N is the title length, C the compressed
// and U the uncompressed payload length.
//
//   0      23  "TapestriqueImage v1.00" and a NUL
//   23     4   N (1 to 127)
//   27     N   title, no NUL
//   27+N   4   width
//   31+N   4   height
//   35+N   4   C
//   39+N   4   U
//   43+N   C   zlib stream of the U-byte JPEG file
//
// Results (FileResult): kFileNotWritten when compression fails or the file cannot be created
// or fully written; kFileCannotOpen; kFileDamaged for anything that is not a sound picture
// file (magic, a title length out of range or a title with a NUL inside, a short read,
// lengths that cannot be genuine, a payload that is not exactly U inflated bytes);
// kFileOutOfMemory.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/file_result.h"
#include "collection/picture_record.h"

constexpr char kPictureMagic[] = "TapestriqueImage v1.00";  // compared with its NUL: 23 bytes
constexpr size_t kPictureMagicSize = sizeof kPictureMagic;
constexpr size_t kPictureHeaderSize = 43;  // the file size without title and compressed bytes

// Where a picture is read from: a file path, or a whole .tqi file held in memory.
struct PictureSource {
    bool fromMemory = false;
    const char* path = nullptr;
    const unsigned char* data = nullptr;
    size_t size = 0;

    static PictureSource FromPath(const char* path) { return {false, path, nullptr, 0}; }
    static PictureSource FromMemory(const unsigned char* data, size_t size) { return {true, nullptr, data, size}; }
};

// Reads title, width and height; with `withPayload` also inflates the JPEG into a new buffer
// stored in the record (freed by the holder). On failure the payload fields are untouched.
[[nodiscard]] FileResult ReadPictureFile(const PictureSource& source, PictureRecord& record, bool withPayload);

// The two lengths in front of the compressed payload, for tools that describe a file
// without inflating it: true when the header and both lengths could be read.
struct PictureBlockLengths {
    uint32_t compressed = 0;
    uint32_t payload = 0;
};
[[nodiscard]] bool ReadPictureBlockLengths(const PictureSource& source, PictureBlockLengths& lengths);

// Writes the record as a .tqi file, creating or replacing `path`. An existing file is only
// replaced after the new one has been written completely.
[[nodiscard]] FileResult WritePictureFile(const char* path, const PictureRecord& record);

// Builds the bytes of a .tqi file in memory (as written by WritePictureFile). The buffer is
// std::malloc'ed and freed by the caller. Results as for WritePictureFile.
[[nodiscard]] FileResult EncodePictureFile(const PictureRecord& record, unsigned char** data, size_t* size);
