#include <gtest/gtest.h>

#include "kaocg/face_number_map.h"

namespace kaocg_func {
namespace {

TEST(FaceNumberMap, StockAndEditRanges) {
    EXPECT_EQ(FaceCgIdOf(kEditionBase, 0, kSizeSmall), 6218);
    EXPECT_EQ(FaceCgIdOf(kEditionBase, 0, kSizeMedium), 4761);
    EXPECT_EQ(FaceCgIdOf(kEditionBase, 0, kSizeLarge), 3304);
    EXPECT_EQ(FaceCgIdOf(kEditionBase, 1191, kSizeSmall), 7409);
    EXPECT_EQ(FaceCgIdOf(kEditionBase, 1192, kSizeSmall), -1);
    EXPECT_EQ(FaceCgIdOf(kEditionZV, 1192, kSizeSmall), 1192 + 6502 - 21 + 21);
    EXPECT_EQ(FaceCgIdOf(kEditionBase, 6094, kSizeLarge), 4564);
    EXPECT_EQ(FaceCgIdOf(kEditionBase, 6095, kSizeLarge), -1);
    EXPECT_EQ(FaceCgIdOf(kEditionZV, 6095, kSizeSmall), 7893);
    EXPECT_EQ(FaceCgIdOf(kEditionZV, 8179, kSizeSmall), 8099);
    for (int edition : {kEditionBase, kEditionZV}) {
        EXPECT_EQ(FaceCgIdOf(edition, 1700, kSizeLarge), 1);
        EXPECT_EQ(FaceCgIdOf(edition, 1700 + 1099, kSizeMedium), 2201);
        EXPECT_EQ(FaceCgIdOf(edition, 1707, kSizeSmall), 2210);
        EXPECT_EQ(FaceCgIdOf(edition, -1, kSizeSmall), -1);
        EXPECT_EQ(FaceCgIdOf(edition, 0, 3), -1);
    }
}

TEST(FaceNumberMap, ZVGapSharesPicturesWithLowerNumbers) {
    EXPECT_EQ(FaceCgIdOf(kEditionZV, 1198, kSizeSmall), FaceCgIdOf(kEditionZV, 1177, kSizeSmall));
    EXPECT_EQ(FaceCgIdOf(kEditionZV, 1198, kSizeSmall), 7679);
    EXPECT_EQ(FaceCgIdOf(kEditionZV, 1337, kSizeLarge), 3304 + 1316);
    EXPECT_EQ(FaceCgIdOf(kEditionZV, 1197, kSizeSmall), 6502 + 1197);
}

TEST(FaceNumberMap, StockCountsAndInverse) {
    EXPECT_EQ(StockCount(kEditionBase), 1456);
    EXPECT_EQ(StockCount(kEditionZV), 1598);
    for (int edition : {kEditionBase, kEditionZV}) {
        for (int size : {kSizeSmall, kSizeMedium, kSizeLarge}) {
            // Every stock picture has a face number that maps back to it, except the one id
            // of the base edition that no face number reaches.
            for (int i = 0; i < StockCount(edition); ++i) {
                const std::int32_t id = StockFirst(edition, size) + i;
                const std::int32_t number = StockFaceNumberOf(edition, id);
                ASSERT_NE(number, -1) << edition << "/" << id;
                ASSERT_EQ(FaceCgIdOf(edition, number, size), id) << edition << "/" << number;
            }
        }
    }
    EXPECT_EQ(StockFaceNumberOf(kEditionBase, 7433), 4023);  // shared with 5001
    EXPECT_EQ(StockFaceNumberOf(kEditionZV, 7679), 1177);
    EXPECT_EQ(StockFaceNumberOf(kEditionBase, 2203), -1);
}

}  // namespace
}  // namespace kaocg_func
