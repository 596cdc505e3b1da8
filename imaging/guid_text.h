// GUIDs between their 16-byte form (the GUID record's memory layout: Data1,
// Data2 and Data3 little-endian, then the eight Data4 bytes) and GuidText,
// the registry form "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}" by which image
// formats, encoders, frame dimensions and encoder parameters are named.
#pragma once

#include "platform/types.h"

#include <gdiplus/gdiplus.h>

namespace vellumark::imaging {

// Braces and 8-4-4-4-12 hexadecimal digits: 38 characters.
using GuidText = Text;

// The upper-case registry form of 16 GUID bytes; "" unless there are exactly 16.
GuidText GuidToText(const Bytes& guid);

// The 16 bytes of a registry-form GUID (braces required, hex digits in either
// case). Anything else, "png" or a GUID without braces among it, gives 16
// zero bytes.
Bytes TextToGuid(const GuidText& text);

// The record and its 16 bytes, for flat functions that take or fill a GUID.
// GuidFromBytes gives the zero GUID unless there are exactly 16 bytes.
GUID GuidFromBytes(const Bytes& bytes);
Bytes BytesFromGuid(const GUID& guid);

} // namespace vellumark::imaging
