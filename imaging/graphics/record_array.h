// RecordArray: how an array of geometry records (GpPoint, GpPointF, GpRect,
// GpRectF) reaches a flat function. The flat API takes one contiguous block
// of records and its element count; callers may hold their records in any
// shape: a plain array, std::array, std::vector, a span, or nested arrays of
// any depth (a 2 x 3 grid of points is six points in storage order).
//
// A RecordArray remembers where each of the caller's records lives, in
// storage order. PassRecords copies them into a fresh block, makes the call,
// and copies the block back into the caller's records, so anything the flat
// function writes (transformed points, for instance) reaches the caller. The
// block is freed whatever the call returns.
#pragma once

#include "imaging/last_status.h"

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <gdiplus/gdiplus.h>
#include <iterator>
#include <limits>
#include <span>
#include <type_traits>
#include <vector>

namespace vellumark::imaging {

template <typename Record> class RecordArray {
public:
    // No records: the flat function receives a null block and a count of 0.
    RecordArray() = default;

    // The records of `array`, a single record or a (nested) range of them.
    template <typename Array>
    requires(!std::same_as<std::remove_cvref_t<Array>, RecordArray>)
        RecordArray(Array& array) { // NOLINT(google-explicit-constructor): arrays convert
        Collect(array);
    }

    std::size_t size() const { return records_.size(); }

    // A contiguous copy of the records, in storage order.
    std::vector<Record> ToBlock() const {
        std::vector<Record> block;
        block.reserve(records_.size());
        for (const Record* record : records_) {
            block.push_back(*record);
        }
        return block;
    }

    // Writes `block` back into the caller's records, element by element.
    void FromBlock(std::span<const Record> block) const {
        for (std::size_t index = 0; index < records_.size() && index < block.size(); ++index) {
            *records_[index] = block[index];
        }
    }

private:
    template <typename Element> void Collect(Element& element) {
        if constexpr (std::same_as<std::remove_cv_t<Element>, Record>) {
            static_assert(!std::is_const_v<Element>,
                          "the records must be writable: the block is copied back");
            records_.push_back(&element);
        } else {
            static_assert(std::ranges::range<Element>,
                          "an array of records, or nested arrays of them, is expected");
            for (auto& inner : element) {
                Collect(inner);
            }
        }
    }

    std::vector<Record*> records_;
};

// Hands `records` to `call(block, count)` as one contiguous block (null when
// empty) with its element count, copies the block back into the records,
// stores the status in LastStatus and returns true when it is Ok. A count
// beyond what the flat API's INT can carry is answered with ValueOverflow
// without a call.
template <typename Record, typename Call>
bool PassRecords(const RecordArray<Record>& records, Call&& call) {
    if (records.size() > static_cast<std::size_t>(std::numeric_limits<INT>::max())) {
        return StoreStatus(ValueOverflow);
    }
    std::vector<Record> block = records.ToBlock();
    Record* address = block.empty() ? nullptr : block.data();
    const GpStatus status = call(address, static_cast<INT>(block.size()));
    records.FromBlock(block);
    return StoreStatus(status);
}

} // namespace vellumark::imaging
