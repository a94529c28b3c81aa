// The readers of GIF, PCX, PSD, TGA, WBMP and Photo CD files, and of the Windows metafiles.
//
// Each reader takes the whole file in memory through a BoundedReader (the generic read loads
// the source into memory first), never reads outside it, checks every size product before it
// allocates, and returns 0 or a CodecError. Output buffers come from CodecAllocate
// (codec/codec_memory.h) so they follow the calling thread's allocation functions; on
// failure a reader frees what it allocated and leaves `out` empty.
#pragma once

#include "base/bounded_reader.h"
#include "codec/pixels/rgb_image.h"

[[nodiscard]] int ReadGifImage(BoundedReader& in, PaletteImage& out);
[[nodiscard]] int ReadWbmpImage(BoundedReader& in, PaletteImage& out);
// `requestedDepth` is 24 in the generic read; deeper pictures fail with 28.
[[nodiscard]] int ReadPcxImage(BoundedReader& in, int requestedDepth, RgbImage& out);
[[nodiscard]] int ReadPsdImage(BoundedReader& in, RgbImage& out);
[[nodiscard]] int ReadTgaImage(BoundedReader& in, RgbImage& out);
[[nodiscard]] int ReadPhotoCdImage(BoundedReader& in, RgbImage& out);

// Windows build only: plays a WMF, placeable WMF or EMF file onto a device bitmap of its
// natural size over black. Needs a file path (a memory source cannot be played).
[[nodiscard]] int ReadMetafileImage(const char* path, RgbImage& out);

// The size each reader would decode, from the headers alone (the same checks, the same
// errors), for refusing a picture before it is decoded.
[[nodiscard]] int ReadGifSize(BoundedReader& in, int& width, int& height);
[[nodiscard]] int ReadWbmpSize(BoundedReader& in, int& width, int& height);
[[nodiscard]] int ReadPcxSize(BoundedReader& in, int& width, int& height);
[[nodiscard]] int ReadPsdSize(BoundedReader& in, int& width, int& height);
[[nodiscard]] int ReadTgaSize(BoundedReader& in, int& width, int& height);
[[nodiscard]] int ReadPhotoCdSize(BoundedReader& in, int& width, int& height);
[[nodiscard]] int ReadMetafileSize(const char* path, int& width, int& height);
