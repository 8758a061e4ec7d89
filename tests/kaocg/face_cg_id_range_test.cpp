#include "kaocg/face_cg_id_range.h"

#include <gtest/gtest.h>

#include "kaocg/face_number_map.h"
#include "kaocg/image_archive_layout.h"

namespace kaocg_func {
namespace {

struct Expected {
    int edition;
    std::int32_t id;
    int kind;
    std::uint32_t slot;
};

TEST(FaceCgIdRange, EveryRangeEndMapsToItsArchiveAndSlot) {
    const Expected cases[] = {
        {kEditionBase, 1, kKindEditLarge, 0},      {kEditionBase, 1100, kKindEditLarge, 1099},
        {kEditionBase, 1102, kKindEditMedium, 0},  {kEditionZV, 2201, kKindEditMedium, 1099},
        {kEditionZV, 2203, kKindEditSmall, 0},     {kEditionZV, 3302, kKindEditSmall, 1099},
        {kEditionBase, 3304, kKindStockLarge, 0},  {kEditionBase, 4759, kKindStockLarge, 1455},
        {kEditionBase, 4761, kKindStockMedium, 0}, {kEditionBase, 6216, kKindStockMedium, 1455},
        {kEditionBase, 6218, kKindStockSmall, 0},  {kEditionBase, 7673, kKindStockSmall, 1455},
        {kEditionZV, 3304, kKindStockLarge, 0},    {kEditionZV, 4901, kKindStockLarge, 1597},
        {kEditionZV, 4903, kKindStockMedium, 0},   {kEditionZV, 6500, kKindStockMedium, 1597},
        {kEditionZV, 6502, kKindStockSmall, 0},    {kEditionZV, 8099, kKindStockSmall, 1597},
    };
    for (const Expected& e : cases) {
        const auto found = FindFaceCgSlot(e.edition, e.id);
        ASSERT_TRUE(found) << e.id;
        EXPECT_EQ(found->kind, e.kind) << e.id;
        EXPECT_EQ(found->slot, e.slot) << e.id;
    }
}

TEST(FaceCgIdRange, GapsAndOtherEditionsBelongToNoArchive) {
    for (std::int32_t id : {-1, 0, 1101, 2202, 3303, 4760, 6217, 7674, 100000}) {
        EXPECT_FALSE(FindFaceCgSlot(kEditionBase, id)) << id;
    }
    for (std::int32_t id : {0, 1101, 2202, 3303, 4902, 6501, 8100}) {
        EXPECT_FALSE(FindFaceCgSlot(kEditionZV, id)) << id;
    }
    EXPECT_FALSE(FindFaceCgSlot(kEditionNone, 1));
    EXPECT_FALSE(FindFaceCgSlot(2, 1));
}

TEST(FaceCgIdRange, StockSmallRangeAgreesWithTheFaceNumberMap) {
    for (int edition : {kEditionBase, kEditionZV}) {
        const FaceCgIdRange small = FaceCgIdRanges(edition)[5];
        EXPECT_EQ(small.first, StockSmallFirst(edition));
        EXPECT_EQ(small.last, StockSmallLast(edition));
        for (int size : {kSizeSmall, kSizeMedium, kSizeLarge}) {
            EXPECT_EQ(FindFaceCgSlot(edition, StockFirst(edition, size))->slot, 0u);
        }
    }
}

}  // namespace
}  // namespace kaocg_func
