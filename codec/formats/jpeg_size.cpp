#include "codec/formats/jpeg_size.h"

#include <climits>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct ErrorExit {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorExit*>(info->err)->jump, 1);
}

}  // namespace

bool ReadJpegSize(const unsigned char* data, size_t size, int& width, int& height) {
    // libjpeg measures memory in unsigned long, which is 32 bits wide on Windows.
    if (data == nullptr || size > ULONG_MAX) return false;
    jpeg_decompress_struct info{};
    ErrorExit error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = OnJpegError;
    if (setjmp(error.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    error.manager.output_message = [](j_common_ptr) {};  // warnings are no business of a size query
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    bool ok = jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK;
    if (ok) {
        width = static_cast<int>(info.image_width);
        height = static_cast<int>(info.image_height);
    }
    jpeg_destroy_decompress(&info);
    return ok;
}
