// The one way this codebase hands errors of libjpeg back to its caller. libjpeg reports a
// fatal error through error_exit, which must not return: every use of the library runs
// between a setjmp on `jump` and the longjmp that the installed error_exit makes, and keeps
// whatever must be released after the jump outside the frame that called setjmp (or
// volatile). The library's messages are never printed; callers report by error code.
//
//     JpegErrorExit errors;
//     info.err = UseJpegErrorExit(errors);
//     if (setjmp(errors.jump) != 0) { jpeg_destroy_decompress(&info); return failure; }
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>

// clang-format off
#include <jpeglib.h>
// clang-format on

struct JpegErrorExit {
    jpeg_error_mgr manager;  // first, so that the library's error pointer is this structure's address
    std::jmp_buf jump;
};

[[nodiscard]] jpeg_error_mgr* UseJpegErrorExit(JpegErrorExit& errors);

// The structure behind a library object's error pointer set with UseJpegErrorExit.
[[nodiscard]] inline JpegErrorExit& JpegErrorExitOf(j_common_ptr info) {
    return *reinterpret_cast<JpegErrorExit*>(info->err);
}
