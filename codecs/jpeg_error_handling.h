// libjpeg reports fatal errors through error_exit, which must not return;
// the decoders leave it with longjmp. Every function that calls setjmp on
// ErrorManager::jump must hold no object with a destructor that the jump
// could skip.
#pragma once

#include "codecs/limits.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>
#include <span>

namespace vellumark::codecs {

struct JpegErrorManager {
    jpeg_error_mgr base; // first, so libjpeg's pointer converts back
    std::jmp_buf jump;
    bool truncated = false;
    bool tooBig = false; // beyond libjpeg's own 65500-pixel side
};

[[noreturn]] inline void LeaveJpegOnError(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrorManager*>(info->err);
    errors->tooBig = info->err->msg_code == JERR_IMAGE_TOO_BIG;
    std::longjmp(errors->jump, 1);
}

// Running out of data is a failure (libjpeg would pad with grey rows); other
// warnings are tolerated. Nothing is printed.
inline void NoteJpegMessage(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) {
        reinterpret_cast<JpegErrorManager*>(info->err)->truncated = true;
    }
}

// Progressive files can repeat scans without end; each scan costs a pass
// over the whole coefficient buffer, so a hostile file is stopped here.
inline void LimitJpegScans(j_common_ptr info) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > static_cast<int>(kMaxJpegScans)) {
        info->err->msg_code = JERR_NOT_COMPILED;
        info->err->error_exit(info);
    }
}

// One decompression's libjpeg state. libjpeg keeps pointers into it, so it
// lives at a fixed address (its users hold it on the heap).
struct JpegReadSession {
    jpeg_decompress_struct info{};
    JpegErrorManager errors{};
    jpeg_progress_mgr progress{};
    bool created = false;

    JpegReadSession() = default;
    JpegReadSession(const JpegReadSession&) = delete;
    JpegReadSession& operator=(const JpegReadSession&) = delete;
    ~JpegReadSession() {
        if (created) {
            jpeg_destroy_decompress(&info);
        }
    }
};

// Creates the decompressor over `data` with our error handling, working
// memory cap and scan limit. libjpeg's errors jump to s.errors.jump, which
// the caller has set with setjmp before calling.
inline void StartJpegRead(JpegReadSession& s, std::span<const std::uint8_t> data) {
    s.info.err = jpeg_std_error(&s.errors.base);
    s.errors.base.error_exit = LeaveJpegOnError;
    s.errors.base.emit_message = NoteJpegMessage;
    jpeg_create_decompress(&s.info);
    s.created = true;
    s.info.mem->max_memory_to_use = kMaxJpegWorkingMemory;
    s.progress.progress_monitor = LimitJpegScans;
    s.info.progress = &s.progress;
    jpeg_mem_src(&s.info, data.data(), static_cast<unsigned long>(data.size()));
}

} // namespace vellumark::codecs
