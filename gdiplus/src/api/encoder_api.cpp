// Flat functions of the encoders: listing them, describing their
// parameters, saving to streams and files, and multi-frame saves.
#include "codec/codec_table.h"
#include "codec/encoder_settings.h"
#include "codec/file_io.h"
#include "codec/save_session.h"
#include "core/api_call.h"
#include "core/stream_io.h"
#include "image/bitmap.h"

#include <cstring>

using vellumark::gdiplus::Bitmap;
using vellumark::gdiplus::CodecDescription;
using vellumark::gdiplus::CodecId;
using vellumark::gdiplus::EncodeFrame;
using vellumark::gdiplus::EncoderSettings;
using vellumark::gdiplus::Error;
using vellumark::gdiplus::HandleTable;
using vellumark::gdiplus::Image;
using vellumark::gdiplus::invalidArgument;
using vellumark::gdiplus::Property;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::SaveSession;
using vellumark::gdiplus::StreamRef;
using vellumark::gdiplus::success;
using namespace vellumark::gdiplus::api;
namespace gp = vellumark::gdiplus;

namespace {

constexpr PROPID kFrameDelayTag = 0x5100;
constexpr PROPID kLoopCountTag = 0x5101;

Result<const CodecDescription*> encoderFor(const CLSID* clsid) {
    if (clsid == nullptr) {
        return invalidArgument("null encoder id");
    }
    const CodecDescription* codec = gp::findEncoder(*clsid);
    if (codec == nullptr) {
        return Error{FileNotFound, "no encoder with this class id"};
    }
    return codec;
}

Result<Bitmap*> rasterImage(Image& image) {
    if (image.kind() != Bitmap::kKind) {
        return Error{NotImplemented, "only raster images are encoded"};
    }
    return static_cast<Bitmap*>(&image);
}

// The delay of frame `index` from the frame-delay property, in 1/100 s.
std::uint32_t frameDelay(const Image& image, std::size_t index) {
    const Property* delays = image.properties().find(kFrameDelayTag);
    std::uint32_t delay = 0;
    if (delays != nullptr && delays->value.size() >= (index + 1) * 4) {
        std::memcpy(&delay, delays->value.data() + index * 4, 4);
    }
    return delay;
}

// The loop-count property (a SHORT), 0 (for ever) when there is none.
std::uint16_t loopCount(const Image& image) {
    const Property* loops = image.properties().find(kLoopCountTag);
    std::uint16_t count = 0;
    if (loops != nullptr && loops->value.size() >= 2) {
        std::memcpy(&count, loops->value.data(), 2);
    }
    return count;
}

EncodeFrame describeFrame(const Bitmap& bitmap, std::size_t index) {
    return {nullptr, bitmap.dpiX(), bitmap.dpiY(), frameDelay(bitmap, index), loopCount(bitmap)};
}

bool multiFrameCodec(const CodecDescription& codec) {
    return codec.id == CodecId::Gif || codec.id == CodecId::Tiff;
}

// Starts a save: a session with the frames that go into the file, borrowed
// from the bitmap. A plain save of a multi-frame bitmap to a multi-frame
// format keeps every frame; a save that begins a multi-frame file starts
// with the active frame.
Result<SaveSession> beginSave(Bitmap& bitmap, const CLSID* clsid,
                              const EncoderParameters* parameters) {
    Result<const CodecDescription*> codec = encoderFor(clsid);
    if (!codec) {
        return codec.error();
    }
    Result<EncoderSettings> settings = gp::readEncoderSettings(parameters);
    if (!settings) {
        return settings.error();
    }
    SaveSession session;
    session.codec = *codec;
    session.settings = *settings;
    const bool startsMultiFrame = settings->saveFlag == EncoderValueMultiFrame;
    if (multiFrameCodec(**codec) && !startsMultiFrame) {
        for (std::size_t i = 0; i < bitmap.frameCount(); ++i) {
            session.borrowFrame(bitmap.frame(i), describeFrame(bitmap, i));
        }
    } else {
        session.borrowFrame(bitmap.pixels(), describeFrame(bitmap, bitmap.activeFrame()));
    }
    return session;
}

// Writes the file and keeps the session, with copies of its frames, when it
// begins a multi-frame file.
Result<void> finishSave(Bitmap& bitmap, SaveSession session) {
    if (Result<void> written = session.write(); !written) {
        return written;
    }
    if (session.settings.saveFlag == EncoderValueMultiFrame && multiFrameCodec(*session.codec)) {
        session.keepOwnFrames();
        bitmap.saveSession() = std::make_shared<SaveSession>(std::move(session));
    } else {
        bitmap.saveSession().reset();
    }
    return success();
}

// Adds `frameSource`'s active frame to `image`'s multi-frame save, or ends
// the save on Flush / LastFrame.
Result<void> continueSave(Image& image, const Bitmap* frameSource,
                          const EncoderParameters* parameters) {
    if (parameters == nullptr) {
        return invalidArgument("SaveAdd needs its parameters");
    }
    Result<EncoderSettings> settings = gp::readEncoderSettings(parameters);
    if (!settings) {
        return settings.error();
    }
    std::shared_ptr<SaveSession>& session = image.saveSession();
    if (!session) {
        return Error{WrongState, "no multi-frame save in progress"};
    }
    const int flag = settings->saveFlag.value_or(0);
    if (flag == EncoderValueFlush) {
        session.reset();
        return success();
    }
    if (frameSource == nullptr) {
        return invalidArgument("nothing to add");
    }
    if (flag != EncoderValueFrameDimensionPage && flag != EncoderValueFrameDimensionTime &&
        flag != EncoderValueLastFrame) {
        return invalidArgument("SaveAdd wants a frame dimension or Flush");
    }
    session->copyFrame(frameSource->pixels(),
                       describeFrame(*frameSource, frameSource->activeFrame()));
    Result<void> written = session->write();
    if (!written || flag == EncoderValueLastFrame) {
        session.reset();
    }
    return written;
}

GpStatus reportCodecListSize(bool encoders, UINT* count, UINT* size) {
    return guarded([&](HandleTable&) -> Result<void> {
        if (auto checked = allOf({requirePointer(count), requirePointer(size)}); !checked) {
            return checked;
        }
        const gp::CodecListSize list = gp::codecListSize(encoders);
        *count = list.count;
        *size = list.bytes;
        return success();
    });
}

GpStatus fillCodecList(bool encoders, UINT count, UINT size, ImageCodecInfo* buffer) {
    return guarded([&](HandleTable&) -> Result<void> {
        if (auto checked = requirePointer(buffer); !checked) {
            return checked;
        }
        return gp::writeCodecList(encoders, count, size, buffer);
    });
}

} // namespace

extern "C" {

GpStatus GdipGetImageEncodersSize(UINT* numEncoders, UINT* size) {
    return reportCodecListSize(true, numEncoders, size);
}

GpStatus GdipGetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders) {
    return fillCodecList(true, numEncoders, size, encoders);
}

GpStatus GdipGetImageDecodersSize(UINT* numDecoders, UINT* size) {
    return reportCodecListSize(false, numDecoders, size);
}

GpStatus GdipGetImageDecoders(UINT numDecoders, UINT size, ImageCodecInfo* decoders) {
    return fillCodecList(false, numDecoders, size, decoders);
}

GpStatus GdipGetEncoderParameterListSize(GpImage image, const CLSID* clsidEncoder, UINT* size) {
    return onObject<Image>(image, [&](Image&) -> Result<void> {
        if (auto checked = requirePointer(size); !checked) {
            return checked;
        }
        Result<const CodecDescription*> codec = encoderFor(clsidEncoder);
        if (!codec) {
            return codec.error();
        }
        *size = gp::encoderParameterListSize(**codec);
        return success();
    });
}

GpStatus GdipGetEncoderParameterList(GpImage image, const CLSID* clsidEncoder, UINT size,
                                     EncoderParameters* buffer) {
    return onObject<Image>(image, [&](Image&) -> Result<void> {
        if (auto checked = requirePointer(buffer); !checked) {
            return checked;
        }
        Result<const CodecDescription*> codec = encoderFor(clsidEncoder);
        if (!codec) {
            return codec.error();
        }
        return gp::writeEncoderParameterList(**codec, size, buffer);
    });
}

GpStatus GdipSaveImageToStream(GpImage image, IStream* stream, const CLSID* clsidEncoder,
                               const EncoderParameters* encoderParams) {
    return onObject<Image>(image, [&](Image& found) -> Result<void> {
        if (auto checked = requirePointer(stream); !checked) {
            return checked;
        }
        Result<Bitmap*> bitmap = rasterImage(found);
        if (!bitmap) {
            return bitmap.error();
        }
        Result<SaveSession> session = beginSave(**bitmap, clsidEncoder, encoderParams);
        if (!session) {
            return session.error();
        }
        std::uint64_t start = 0;
        if (stream->lpVtbl->Seek(stream, 0, STREAM_SEEK_CUR, &start) != 0) {
            return Error{GenericError, "stream cannot tell its position"};
        }
        session->stream = StreamRef(stream);
        session->streamStart = start;
        return finishSave(**bitmap, std::move(*session));
    });
}

GpStatus GdipSaveImageToFile(GpImage image, const WCHAR* filename, const CLSID* clsidEncoder,
                             const EncoderParameters* encoderParams) {
    return onObject<Image>(image, [&](Image& found) -> Result<void> {
        Result<std::string> path = gp::utf8FileName(filename);
        if (!path) {
            return path.error();
        }
        Result<Bitmap*> bitmap = rasterImage(found);
        if (!bitmap) {
            return bitmap.error();
        }
        Result<SaveSession> session = beginSave(**bitmap, clsidEncoder, encoderParams);
        if (!session) {
            return session.error();
        }
        session->path = std::move(*path);
        return finishSave(**bitmap, std::move(*session));
    });
}

GpStatus GdipSaveAdd(GpImage image, const EncoderParameters* encoderParams) {
    return onObject<Image>(image, [&](Image& found) -> Result<void> {
        return continueSave(found,
                            found.kind() == Bitmap::kKind ? static_cast<Bitmap*>(&found) : nullptr,
                            encoderParams);
    });
}

GpStatus GdipSaveAddImage(GpImage image, GpImage newImage, const EncoderParameters* encoderParams) {
    return onObject<Image>(image, [&](Image& found, HandleTable& objects) -> Result<void> {
        Result<Image*> added = objects.find<Image>(newImage);
        if (!added) {
            return added.error();
        }
        Result<Bitmap*> bitmap = rasterImage(**added);
        if (!bitmap) {
            return bitmap.error();
        }
        return continueSave(found, *bitmap, encoderParams);
    });
}

} // extern "C"
