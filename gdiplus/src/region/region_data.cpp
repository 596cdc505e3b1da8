#include "region/region_data.h"

#include "path/path.h"

#include <array>
#include <cmath>
#include <cstring>
#include <zlib.h>

namespace vellumark::gdiplus {

namespace {

constexpr std::uint32_t kVersion = 0xDBC01002;
constexpr std::uint32_t kVersionMask = 0xFFFFF000;
constexpr std::uint32_t kRectNode = 0x10000000;
constexpr std::uint32_t kPathNode = 0x10000001;
constexpr std::uint32_t kEmptyNode = 0x10000002;
constexpr std::uint32_t kInfiniteNode = 0x10000003;
constexpr std::uint16_t kCompressedPoints = 0x4000;
constexpr std::uint16_t kRelativePoints = 0x0800;
// Deeper trees than this are not made by any caller we know of; the limit
// keeps the recursion of the reader bounded.
constexpr int kMaxDepth = 64;

class Writer {
public:
    void u32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    }
    void real(REAL value) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        u32(bits);
    }
    void byte(std::uint8_t value) { bytes_.push_back(value); }
    std::size_t size() const { return bytes_.size(); }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Bounds-checked little-endian reads; every read reports running out.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}

    bool u16(std::uint16_t& value) {
        if (left() < 2) {
            return false;
        }
        value = static_cast<std::uint16_t>(data_[at_] | (data_[at_ + 1] << 8));
        at_ += 2;
        return true;
    }
    bool u32(std::uint32_t& value) {
        if (left() < 4) {
            return false;
        }
        value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            value |= static_cast<std::uint32_t>(data_[at_ + i]) << (8 * i);
        }
        at_ += 4;
        return true;
    }
    bool real(REAL& value) {
        std::uint32_t bits = 0;
        if (!u32(bits)) {
            return false;
        }
        std::memcpy(&value, &bits, sizeof value);
        return std::isfinite(value);
    }
    bool bytes(std::size_t count, std::span<const std::uint8_t>& out) {
        if (left() < count) {
            return false;
        }
        out = data_.subspan(at_, count);
        at_ += count;
        return true;
    }
    std::size_t left() const { return data_.size() - at_; }

private:
    std::span<const std::uint8_t> data_;
    std::size_t at_ = 0;
};

Error malformed(const char* why) {
    return invalidArgument(why);
}

void writePath(Writer& out, const QPainterPath& area) {
    Path path(FillModeAlternate);
    path.append(area, false, true);
    const std::vector<GpPointF>& points = path.points();
    Writer record;
    record.u32(kVersion);
    record.u32(static_cast<std::uint32_t>(points.size()));
    record.u32(0); // flags and reserved: plain REAL points
    for (const GpPointF& p : points) {
        record.real(p.X);
        record.real(p.Y);
    }
    for (std::uint8_t type : path.types()) {
        record.byte(type);
    }
    while (record.size() % 4 != 0) {
        record.byte(0);
    }
    out.u32(kPathNode);
    out.u32(static_cast<std::uint32_t>(record.size()));
    for (std::uint8_t b : record.bytes()) {
        out.byte(b);
    }
}

Result<Region> readPath(Reader& in) {
    std::uint32_t length = 0;
    std::span<const std::uint8_t> body;
    if (!in.u32(length) || !in.bytes(length, body)) {
        return malformed("path record runs past the data");
    }
    Reader record(body);
    std::uint32_t version = 0;
    std::uint32_t count = 0;
    std::uint16_t flags = 0;
    std::uint16_t reserved = 0;
    if (!record.u32(version) || !record.u32(count) || !record.u16(flags) || !record.u16(reserved) ||
        (version & kVersionMask) != (kVersion & kVersionMask)) {
        return malformed("bad path header");
    }
    if ((flags & kRelativePoints) != 0) {
        return malformed("relative path points are not read");
    }
    const bool compressed = (flags & kCompressedPoints) != 0;
    // Each point takes at least 5 bytes, so the count is bounded by the data.
    const std::size_t pointBytes = compressed ? 4 : 8;
    if (count > record.left() / (pointBytes + 1)) {
        return malformed("more points than the record holds");
    }
    std::vector<GpPointF> points(count);
    for (GpPointF& p : points) {
        if (compressed) {
            std::uint16_t x = 0;
            std::uint16_t y = 0;
            (void)record.u16(x);
            (void)record.u16(y);
            p = {static_cast<REAL>(static_cast<std::int16_t>(x)),
                 static_cast<REAL>(static_cast<std::int16_t>(y))};
        } else if (!record.real(p.X) || !record.real(p.Y)) {
            return malformed("non-finite path point");
        }
    }
    std::span<const std::uint8_t> types;
    (void)record.bytes(count, types);
    const std::unique_ptr<Path> path = Path::fromArrays(points, types, FillModeAlternate);
    if (!path) {
        return malformed("path point types do not form figures");
    }
    return Region(path->toPainterPath());
}

Result<Region> readNode(Reader& in, int depth) {
    if (depth > kMaxDepth) {
        return malformed("region tree too deep");
    }
    std::uint32_t type = 0;
    if (!in.u32(type)) {
        return malformed("node runs past the data");
    }
    switch (type) {
    case kRectNode: {
        std::array<REAL, 4> r{};
        for (REAL& value : r) {
            if (!in.real(value)) {
                return malformed("bad rectangle");
            }
        }
        return Region(QRectF(r[0], r[1], r[2], r[3]));
    }
    case kPathNode:
        return readPath(in);
    case kEmptyNode: {
        Region empty;
        empty.setEmpty();
        return empty;
    }
    case kInfiniteNode:
        return Region();
    default:
        break;
    }
    if (type < CombineModeIntersect || type > CombineModeComplement) {
        return malformed("unknown region node");
    }
    Result<Region> left = readNode(in, depth + 1);
    if (!left) {
        return left;
    }
    Result<Region> right = readNode(in, depth + 1);
    if (!right) {
        return right;
    }
    left->combine(*right, static_cast<GpCombineMode>(type));
    return left;
}

} // namespace

std::vector<std::uint8_t> encodeRegionData(const Region& region) {
    Writer out;
    out.u32(0); // size, filled in below
    out.u32(0); // checksum, filled in below
    out.u32(kVersion);
    out.u32(0); // one leaf: no children
    if (region.isInfinite()) {
        out.u32(kInfiniteNode);
    } else if (region.isEmpty()) {
        out.u32(kEmptyNode);
    } else if (const QRectF box = region.bounds(); Region(box).equals(region)) {
        out.u32(kRectNode);
        out.real(static_cast<REAL>(box.x()));
        out.real(static_cast<REAL>(box.y()));
        out.real(static_cast<REAL>(box.width()));
        out.real(static_cast<REAL>(box.height()));
    } else {
        writePath(out, region.area());
    }
    std::vector<std::uint8_t>& bytes = out.bytes();
    const auto afterSize = static_cast<std::uint32_t>(bytes.size() - 4);
    const auto checksum =
        static_cast<std::uint32_t>(crc32(0, bytes.data() + 8, static_cast<uInt>(bytes.size() - 8)));
    for (int i = 0; i < 4; ++i) {
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(afterSize >> (8 * i));
        bytes[static_cast<std::size_t>(4 + i)] = static_cast<std::uint8_t>(checksum >> (8 * i));
    }
    return bytes;
}

Result<Region> decodeRegionData(std::span<const std::uint8_t> data) {
    Reader in(data);
    std::uint32_t size = 0;
    std::uint32_t checksum = 0;
    std::uint32_t version = 0;
    std::uint32_t children = 0;
    // The checksum, version and child count are 12 of the `size` bytes.
    constexpr std::uint32_t kHeaderAfterSize = 12;
    if (!in.u32(size) || size < kHeaderAfterSize || size > in.left() || !in.u32(checksum) ||
        !in.u32(version) || !in.u32(children) ||
        (version & kVersionMask) != (kVersion & kVersionMask)) {
        return malformed("bad region data header");
    }
    std::span<const std::uint8_t> nodes;
    (void)in.bytes(size - kHeaderAfterSize, nodes);
    Reader tree(nodes);
    return readNode(tree, 0);
}

} // namespace vellumark::gdiplus
