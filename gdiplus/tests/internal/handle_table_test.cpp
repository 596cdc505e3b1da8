// The handle table on its own: kinds and families, staleness, slot reuse,
// reclaiming and the capacity limit.
#include "core/handle_table.h"
#include "core/limits.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace vellumark::gdiplus {
namespace {

// An object of any kind that counts its destructions.
class Probe final : public Object {
public:
    Probe(ObjectKind kind, int* destroyed = nullptr) : kind_(kind), destroyed_(destroyed) {}
    ~Probe() override {
        if (destroyed_ != nullptr) {
            ++*destroyed_;
        }
    }
    ObjectKind kind() const override { return kind_; }

private:
    ObjectKind kind_;
    int* destroyed_;
};

GpHandle insertProbe(HandleTable& table, ObjectKind kind, int* destroyed = nullptr) {
    Result<GpHandle> handle = table.insert(std::make_unique<Probe>(kind, destroyed));
    EXPECT_TRUE(handle.hasValue());
    return handle ? *handle : 0;
}

TEST(HandleTable, LookupsHonourKindsAndFamilies) {
    HandleTable table;
    const GpHandle bitmap = insertProbe(table, ObjectKind::Bitmap);
    const GpHandle fill = insertProbe(table, ObjectKind::SolidFill);
    struct Case {
        GpHandle handle;
        ObjectKind wanted;
        bool found;
    };
    for (const Case c :
         {Case{bitmap, ObjectKind::Bitmap, true}, Case{bitmap, ObjectKind::Image, true},
          Case{bitmap, ObjectKind::Brush, false}, Case{bitmap, ObjectKind::Metafile, false},
          Case{fill, ObjectKind::Brush, true}, Case{fill, ObjectKind::SolidFill, true},
          Case{fill, ObjectKind::TextureFill, false}, Case{fill, ObjectKind::Image, false}}) {
        const Result<Object*> found = table.find(c.handle, c.wanted);
        EXPECT_EQ(found.hasValue(), c.found) << static_cast<int>(c.wanted);
        if (!found) {
            EXPECT_EQ(found.error().status, InvalidParameter);
        }
    }
}

TEST(HandleTable, EraseOfTheWrongKindKeepsTheObject) {
    HandleTable table;
    int destroyed = 0;
    const GpHandle matrix = insertProbe(table, ObjectKind::Matrix, &destroyed);
    EXPECT_FALSE(table.erase(matrix, ObjectKind::Brush).hasValue());
    EXPECT_EQ(destroyed, 0);
    EXPECT_TRUE(table.erase(matrix, ObjectKind::Matrix).hasValue());
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(table.find(matrix, ObjectKind::Matrix).hasValue());
    EXPECT_FALSE(table.erase(matrix, ObjectKind::Matrix).hasValue());
}

TEST(HandleTable, AReusedSlotNeverRevivesAnOldHandle) {
    HandleTable table;
    std::set<GpHandle> seen;
    GpHandle previous = insertProbe(table, ObjectKind::Pen);
    seen.insert(previous);
    for (int round = 0; round < 100; ++round) {
        ASSERT_TRUE(table.erase(previous, ObjectKind::Pen).hasValue());
        const GpHandle next = insertProbe(table, ObjectKind::Pen);
        EXPECT_NE(next, 0u);
        EXPECT_TRUE(seen.insert(next).second) << "handle handed out twice";
        EXPECT_FALSE(table.find(previous, ObjectKind::Pen).hasValue());
        previous = next;
    }
    EXPECT_EQ(table.liveCount(), 1u);
}

TEST(HandleTable, ClearDestroysEverythingAndStalesEveryHandle) {
    HandleTable table;
    int destroyed = 0;
    const GpHandle a = insertProbe(table, ObjectKind::Region, &destroyed);
    const GpHandle b = insertProbe(table, ObjectKind::Font, &destroyed);
    table.clear();
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(table.liveCount(), 0u);
    EXPECT_FALSE(table.find(a, ObjectKind::Region).hasValue());
    EXPECT_FALSE(table.find(b, ObjectKind::Font).hasValue());
    const GpHandle c = insertProbe(table, ObjectKind::Region);
    EXPECT_NE(c, a);
    EXPECT_NE(c, b);
}

TEST(HandleTable, AFullTableAnswersOutOfMemoryAndDestroysTheNewcomer) {
    HandleTable table;
    for (std::uint32_t i = 0; i < limits::kMaxLiveObjects; ++i) {
        ASSERT_TRUE(table.insert(std::make_unique<Probe>(ObjectKind::Matrix)).hasValue());
    }
    int destroyed = 0;
    const Result<GpHandle> overflow =
        table.insert(std::make_unique<Probe>(ObjectKind::Matrix, &destroyed));
    ASSERT_FALSE(overflow.hasValue());
    EXPECT_EQ(overflow.error().status, OutOfMemory);
    EXPECT_EQ(destroyed, 1);
}

} // namespace
} // namespace vellumark::gdiplus
