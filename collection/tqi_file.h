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
// Result codes: 0 success; 1 compression failed or the file cannot be created or fully
// written; 2 cannot open; 3 not a picture file (magic, title length, short read, lengths
// that cannot be genuine, payload does not inflate); 8 out of memory.
#pragma once

#include <cstddef>

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
[[nodiscard]] int ReadPictureFile(const PictureSource& source, PictureRecord& record, bool withPayload);

// Writes the record as a .tqi file, creating or replacing `path`. An existing file is only
// replaced after the new one has been written completely.
[[nodiscard]] int WritePictureFile(const char* path, const PictureRecord& record);

// Builds the bytes of a .tqi file in memory (as written by WritePictureFile). The buffer is
// std::malloc'ed and freed by the caller. Result codes as for WritePictureFile.
[[nodiscard]] int EncodePictureFile(const PictureRecord& record, unsigned char** data, size_t* size);
