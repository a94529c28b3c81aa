// The codec layer's per-thread error codes (GetLastCodecError).
#pragma once

enum CodecError : int {
    kCodecOk = 0,
    kCodecOutOfMemory = 1,
    kCodecCannotOpen = 2,  // cannot be opened, or the format is not recognised
    kCodecReadError = 3,   // the source ends early
    kCodecWriteError = 4,
    kCodecBadArgument = 5,
    kCodecNotBmp = 6,
    kCodecNotGif = 12,
    kCodecCancelled = 14,
    kCodecDepthUnsupported = 17,
    kCodecNoDeviceBitmap = 23,
    kCodecNotMetafile = 27,
    kCodecDepthTooHigh = 28,
    kCodecUnsupportedVariant = 32,
    kCodecSourceUnusable = 38,  // the source or sink is not usable
    kCodecNotPsd = 46,
    kCodecNoDecoder = 52,
    kCodecNoThreadState = 55,
    kCodecNotPhotoCd = 63,
    kCodecPhotoCdOverview = 64,
    kCodecTargetTooSmall = 68,
};
