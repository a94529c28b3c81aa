// Whole-file reading and writing, used for JPEG sources before they are stored, for skin
// files and for exported pictures. Results as FileResult: reading gives kFileCannotOpen,
// kFileEmptyOrUnreadable or kFileOutOfMemory, writing kFileNotWritten.
#pragma once

#include <cstddef>

#include "base/file_result.h"

// Reads the whole file into a new std::malloc buffer that the caller frees with std::free.
[[nodiscard]] FileResult ReadWholeFile(const char* path, unsigned char** data, size_t* size);
// Creates or replaces the file with `count` bytes. An existing file is only replaced once
// the new contents are completely on disk.
[[nodiscard]] FileResult WriteWholeFile(const char* path, const void* data, size_t count);

// Writes `count` bytes to a temporary file beside `path` and moves it over `path` only when
// every byte was written. Returns true on success; on failure `path` is left as it was.
[[nodiscard]] bool WriteFileReplacing(const char* path, const void* data, size_t count);
