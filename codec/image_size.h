// The size of a picture from its headers alone, for refusing a picture before it is decoded
// (the import refuses sizes outside its bounds this way, so that a small file describing a
// giant picture never reaches a decoder).
//
//     int width = 0, height = 0;
//     if (ReadImageSize(source, width, height)) { ... }
//
// The format is chosen as the generic read chooses it (image_reader.h), and each format's
// headers are checked as its reader checks them, so a failure carries the error that
// decoding would give: 2 unknown format, 52 no decoder, 38 a metafile from memory, or the
// reader's own. The position of the source is left anywhere.
#pragma once

struct ImageSource;

[[nodiscard]] bool ReadImageSize(ImageSource* source, int& width, int& height);
