// libjpeg reports errors by calling error_exit, which must not return. The
// harness's JPEG code long-jumps back to the setjmp of the calling frame,
// which holds only plain data so that the jump skips no destructor.
#pragma once

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace vellumark::bench {

struct JpegErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] inline void JumpOnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorJump*>(info->err)->jump, 1);
}

} // namespace vellumark::bench
