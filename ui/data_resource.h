// The data-resource file (Tapestrique.dat): every bitmap, skin, sound and long text of the
// interface as a named, zlib-compressed entry.
//
//   offset 0   31 bytes  "TapestriqueDataResources v1.00" and a NUL
//   offset 31  entries back to back, each:
//              u32 L (1..128), L name bytes, u32 C, u32 U, C bytes of a zlib stream of U bytes
//
// There is no index: each lookup opens the file, walks the entries from the start (skipping
// the streams it does not want), inflates the first entry whose name matches without regard
// to ASCII letter case, and closes the file. A name length of 0 or above 128 ends the walk.
//
// Results (DataResourceResult, the numbering of the file routines): 0 found (or, without a
// name, the file is valid), 1 the entry cannot be read in full or is not exactly its
// announced length once inflated, 2 the file cannot be opened, 3 not a data-resource file,
// 7 no such entry, 8 out of memory. Returned buffers come from std::malloc; the caller frees
// them.
#pragma once

#include <cstddef>
#include <cstdint>

class ByteSource;

constexpr char kDataResourceMagic[] = "TapestriqueDataResources v1.00";
constexpr size_t kDataResourceMagicSize = sizeof(kDataResourceMagic);  // 31, with the NUL
constexpr uint32_t kDataResourceMaxNameLength = 128;

enum DataResourceResult : int {
    kDataResourceOk = 0,
    kDataResourceUnreadable = 1,
    kDataResourceCannotOpen = 2,
    kDataResourceWrongFormat = 3,
    kDataResourceThreadNotStarted = 4,  // a sound whose playing thread could not start
    kDataResourceNotFound = 7,
    kDataResourceOutOfMemory = 8,
};

// The walk itself over a file or memory (tests, tools, fuzzing). With `name` null only the
// magic is checked. On success `*content` holds the inflated entry (with one spare byte
// behind it) and `*contentSize` its length.
[[nodiscard]] DataResourceResult FindDataResource(ByteSource& input,
                                                  const char* name,
                                                  unsigned char** content,
                                                  uint32_t* contentSize);

// A lookup in the given file.
[[nodiscard]] DataResourceResult LoadDataResourceFromFile(const char* path,
                                                          const char* name,
                                                          unsigned char** content,
                                                          uint32_t* contentSize);

// The installation's data-resource file, fixed once at start-up before the first lookup.
void SetDataResourcePath(const char* path);
[[nodiscard]] const char* DataResourcePath();

// A lookup in the installation's file (SetDataResourcePath).
[[nodiscard]] DataResourceResult LoadDataResource(const char* name, unsigned char** content, uint32_t* contentSize);
