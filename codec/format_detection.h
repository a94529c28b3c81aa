// Recognition of an image file's format from its first bytes, its name and its tail.
//
// GuessFormat reads from the source's current position and leaves the position anywhere;
// callers seek back to 0 before decoding. It returns one of the codes below, or 0 for an
// unknown format (with error 3 when the source could not be read where detection needed it).
#pragma once

struct ImageSource;

enum ImageFormat : int {
    kFormatUnknown = 0,
    kFormatBmp = 1,
    kFormatGif = 2,
    kFormatJpeg = 3,
    kFormatPng = 4,
    kFormatPcx = 5,
    kFormatTiff = 6,
    kFormatWindowsMetafile = 7,  // plain or placeable
    kFormatEnhancedMetafile = 8,
    kFormatPax = 9,
    kFormatPsd = 10,
    kFormatTlaFirstVariant = 11,
    kFormatTla = 12,
    kFormatWbmp = 13,
    kFormatTga = 14,
    kFormatPhotoCdOverview = 15,
    kFormatPhotoCd = 16,
    kFormatJpeg2000 = 17,
    kFormatJpeg2000AtOffset4 = 18,
    kFormatCompoundDocument = 19,
};

[[nodiscard]] int GuessFormat(ImageSource* source);

// True when `path` ends in `extension` (given with its dot, lower case), any letter case.
[[nodiscard]] bool PathHasExtension(const char* path, const char* extension);
