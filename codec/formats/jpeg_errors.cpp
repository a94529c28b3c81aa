#include "codec/formats/jpeg_errors.h"

namespace {

void JumpToCaller(j_common_ptr info) {
    std::longjmp(JpegErrorExitOf(info).jump, 1);
}

void PrintNothing(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* UseJpegErrorExit(JpegErrorExit& errors) {
    jpeg_error_mgr* manager = jpeg_std_error(&errors.manager);
    manager->error_exit = JumpToCaller;
    manager->output_message = PrintNothing;
    return manager;
}
