// The published GUIDs that name image formats and frame dimensions, and GUID
// comparison for the engine.
#pragma once

#include "gdiplus/gdiplus.h"

#include <cstring>

namespace vellumark::gdiplus {

constexpr GUID makeImageFormatGuid(std::uint32_t data1) {
    return GUID{data1, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}

inline constexpr GUID kImageFormatUndefined = makeImageFormatGuid(0xB96B3CA9);
inline constexpr GUID kImageFormatMemoryBmp = makeImageFormatGuid(0xB96B3CAA);
inline constexpr GUID kImageFormatBmp = makeImageFormatGuid(0xB96B3CAB);
inline constexpr GUID kImageFormatEmf = makeImageFormatGuid(0xB96B3CAC);
inline constexpr GUID kImageFormatWmf = makeImageFormatGuid(0xB96B3CAD);
inline constexpr GUID kImageFormatJpeg = makeImageFormatGuid(0xB96B3CAE);
inline constexpr GUID kImageFormatPng = makeImageFormatGuid(0xB96B3CAF);
inline constexpr GUID kImageFormatGif = makeImageFormatGuid(0xB96B3CB0);
inline constexpr GUID kImageFormatTiff = makeImageFormatGuid(0xB96B3CB1);
inline constexpr GUID kImageFormatExif = makeImageFormatGuid(0xB96B3CB2);
inline constexpr GUID kImageFormatIcon = makeImageFormatGuid(0xB96B3CB5);

inline constexpr GUID kFrameDimensionTime{
    0x6AEDBD6D, 0x3FB5, 0x418A, {0x83, 0xA6, 0x7F, 0x45, 0x22, 0x9D, 0xC8, 0x72}};
inline constexpr GUID kFrameDimensionResolution{
    0x84236F7B, 0x3BD3, 0x428F, {0x8D, 0xAB, 0x4E, 0xA1, 0x43, 0x9C, 0xA3, 0x15}};
inline constexpr GUID kFrameDimensionPage{
    0x7462DC86, 0x6180, 0x4C7E, {0x8E, 0x3F, 0xEE, 0x73, 0x33, 0xA7, 0xA4, 0x83}};

inline bool sameGuid(const GUID& a, const GUID& b) {
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
           std::memcmp(a.Data4, b.Data4, sizeof a.Data4) == 0;
}

} // namespace vellumark::gdiplus
