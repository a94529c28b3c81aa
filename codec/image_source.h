// Byte streams for the codec layer: a readable, seekable source opened on a file or on a
// memory buffer, and a writable sink created on a file.
//
//     ImageSource* source = OpenMemorySource(bytes, size);   // or OpenFileSource(path)
//     int format = GuessFormat(source);
//     ...
//     CloseSource(source);
//
// A file source remembers its path (format detection reads its extension). A memory source
// only borrows the caller's buffer, which must outlive it. Failures leave their code in the
// calling thread's codec state (GetLastCodecError).
#pragma once

#include <cstddef>
#include <cstdint>

#include "codec/codec_memory.h"

struct ImageSource;
struct ImageSink;

// Errors: 1 out of memory, 2 the file cannot be opened.
[[nodiscard]] ImageSource* OpenFileSource(const char* path);
// Errors: 1 out of memory, 5 a null buffer.
[[nodiscard]] ImageSource* OpenMemorySource(const void* buffer, size_t size);

enum SourceOrigin : int { kSourceFromStart = 0, kSourceFromCurrent = 1, kSourceFromEnd = 2 };
// Moves the read position; a position before the start or past the end fails (error 3).
[[nodiscard]] bool SeekSource(ImageSource* source, long long offset, int origin);
// Reads up to `count` bytes and returns how many arrived (fewer only at the end or on error).
[[nodiscard]] size_t ReadSource(ImageSource* source, void* buffer, size_t count);
// The total size of the source in bytes; false when it cannot be taken.
[[nodiscard]] bool GetSourceSize(ImageSource* source, uint64_t& size);
// The path of a file source; nullptr for a memory source.
[[nodiscard]] const char* GetSourcePath(const ImageSource* source);
// Releases the source; 0 (null is accepted and gives 5).
int CloseSource(ImageSource* source);

// The whole content of a source, from its first byte. A memory source is lent without a copy;
// a file source is read into working memory owned by this structure.
struct SourceBytes {
    const unsigned char* data = nullptr;
    size_t size = 0;
    WorkArray<unsigned char> owned;
};
// Errors: 1 out of memory (or a file above the layer's allocation limit), 3 a read error.
[[nodiscard]] bool LoadSourceBytes(ImageSource* source, SourceBytes& bytes);
void FreeSourceBytes(SourceBytes& bytes);

// Creates the file, replacing an existing one. Errors: 1 out of memory, 2 cannot be created.
[[nodiscard]] ImageSink* OpenFileSink(const char* path);
// Writes every byte or fails (error 4).
[[nodiscard]] bool WriteSink(ImageSink* sink, const void* data, size_t count);
// Flushes and releases the sink; 0 on success, 4 when the data could not be written.
int CloseSink(ImageSink* sink);
