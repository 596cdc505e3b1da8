// Reading a caller's EncoderParameters into the settings the encoders use,
// and describing each encoder's parameters in the published
// EncoderParameters layout (GdipGetEncoderParameterList).
#pragma once

#include "codec/codec_table.h"
#include "core/result.h"
#include "gdiplus/gdiplus.h"

#include <optional>

namespace vellumark::gdiplus {

inline constexpr GUID kEncoderCompression{
    0xE09D739D, 0xCCD4, 0x44EE, {0x8E, 0xBA, 0x3F, 0xBF, 0x8B, 0xE4, 0xFC, 0x58}};
inline constexpr GUID kEncoderColorDepth{
    0x66087055, 0xAD66, 0x4C7C, {0x9A, 0x18, 0x38, 0xA2, 0x31, 0x0B, 0x83, 0x37}};
inline constexpr GUID kEncoderScanMethod{
    0x3A4E2661, 0x3109, 0x4E56, {0x85, 0x36, 0x42, 0xC1, 0x56, 0xE7, 0xDC, 0xFA}};
inline constexpr GUID kEncoderVersion{
    0x24D18C76, 0x814A, 0x41A4, {0xBF, 0x53, 0x1C, 0x21, 0x9C, 0xCC, 0xF7, 0x97}};
inline constexpr GUID kEncoderRenderMethod{
    0x6D42C53A, 0x229A, 0x4825, {0x8B, 0xB7, 0x5C, 0x99, 0xE2, 0xB9, 0xA8, 0xB8}};
inline constexpr GUID kEncoderQuality{
    0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
inline constexpr GUID kEncoderTransformation{
    0x8D0EB2D1, 0xA58E, 0x4EA8, {0xAA, 0x14, 0x10, 0x80, 0x74, 0xB7, 0xB6, 0xF9}};
inline constexpr GUID kEncoderLuminanceTable{
    0xEDB33BCE, 0x0266, 0x4A77, {0xB9, 0x04, 0x27, 0x21, 0x60, 0x99, 0xE7, 0x17}};
inline constexpr GUID kEncoderChrominanceTable{
    0xF2E455DC, 0x09B3, 0x4316, {0x82, 0x60, 0x67, 0x6A, 0xDA, 0x32, 0x48, 0x1C}};
inline constexpr GUID kEncoderSaveFlag{
    0x292266FC, 0xAC40, 0x47BF, {0x8C, 0xFC, 0xA8, 0x5B, 0x89, 0xA6, 0x55, 0xDE}};

// What a caller's parameters ask for; unset fields keep the encoder's
// defaults. Parameters an encoder does not know are ignored.
struct EncoderSettings {
    std::optional<int> quality;     // JPEG, 0 to 100
    std::optional<int> compression; // TIFF: an EncoderValueCompression value
    std::optional<int> colorDepth;  // TIFF / BMP: 1, 4, 8, 24, 32
    std::optional<int> saveFlag;    // EncoderValueMultiFrame, LastFrame, Flush, dimensions
};

// InvalidParameter for a null value, a wrong value type, or a value out of
// the parameter's range. `parameters` may be null.
Result<EncoderSettings> readEncoderSettings(const EncoderParameters* parameters);

// Size in bytes of the encoder's parameter list, and the list itself.
UINT encoderParameterListSize(const CodecDescription& codec);
Result<void> writeEncoderParameterList(const CodecDescription& codec, UINT size,
                                       EncoderParameters* buffer);

} // namespace vellumark::gdiplus
