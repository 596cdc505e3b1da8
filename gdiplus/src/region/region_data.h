// The published region data record: what GdipGetRegionData writes and
// GdipCreateRegionRgnData reads back. Little-endian 32-bit fields:
//   size      the number of bytes after this field
//   checksum  CRC-32 of the bytes after this field (written, not checked)
//   version   0xDBC01002 (any 0xDBC01xxx is read)
//   children  the number of nodes below the root node
//   the root node
// A node is a 32-bit type and its data. Types 1 to 5 combine two nodes that
// follow (left, then right) with the combine mode of the same value;
// 0x10000000 holds a RectF; 0x10000001 a byte count and a path record
// (version, point count, 16-bit flags, 16 reserved bits, the points, one
// type byte each, zero padding to 4 bytes); 0x10000002 is the empty and
// 0x10000003 the infinite region. Points are REAL pairs, or 16-bit integer
// pairs under the compressed flag 0x4000; relative (run-length) points are
// not read.
//
// Our regions write one leaf: infinite, empty, a rectangle, or the area's
// outline as a path. Reading takes whole trees, within limits on depth and
// size, so hostile data gets InvalidParameter and never a deep recursion.
#pragma once

#include "core/result.h"
#include "region/region.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vellumark::gdiplus {

std::vector<std::uint8_t> encodeRegionData(const Region& region);
Result<Region> decodeRegionData(std::span<const std::uint8_t> data);

} // namespace vellumark::gdiplus
