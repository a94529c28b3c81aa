// Whole-file reading and writing, used for JPEG sources before they are stored, for skin
// files and for exported pictures. Result codes: 0 success, 1 cannot create or fully write,
// 2 cannot open, 6 empty or unreadable, 8 out of memory.
#pragma once

#include <cstddef>

// Reads the whole file into a new std::malloc buffer that the caller frees with std::free.
[[nodiscard]] int ReadWholeFile(const char* path, unsigned char** data, size_t* size);
// Creates or replaces the file with `count` bytes. An existing file is only replaced once
// the new contents are completely on disk.
[[nodiscard]] int WriteWholeFile(const char* path, const void* data, size_t count);

// Writes `count` bytes to a temporary file beside `path` and moves it over `path` only when
// every byte was written. Returns true on success; on failure `path` is left as it was.
[[nodiscard]] bool WriteFileReplacing(const char* path, const void* data, size_t count);
