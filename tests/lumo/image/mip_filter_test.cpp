#include "lumo/image/mip_filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace lumo {
namespace {

using Floats = std::vector<float>;

// A direct image of width x height whose pixels are given R, G, B, A, row by row.
void Fill(CImage& image, std::uint32_t width, std::uint32_t height, const Floats& values) {
    ASSERT_TRUE(image.Create(width, height, kCreateDirect));
    ASSERT_EQ(values.size(), image.Pixels().size());
    image.Pixels() = values;
}

Floats Half(const CImage& image, std::uint32_t filter) {
    Floats dest;
    EXPECT_TRUE(MakeHalfLevel(image, image.GetWidth(), image.GetHeight(), filter, dest));
    return dest;
}

TEST(MipFilter, BoxAveragesTheWindowOfEachDestinationPixel) {
    CImage image;
    Fill(image, 1, 1, {0.1f, 0.2f, 0.3f, 0.4f});
    EXPECT_EQ(Half(image, kFilterBox), (Floats{0.1f, 0.2f, 0.3f, 0.4f}));

    Fill(image, 4, 1, {0, 0, 0, 0, 1, 1, 1, 1, 0.5f, 0, 0, 0, 0.25f, 0, 0, 1});
    EXPECT_EQ(Half(image, kFilterBox), (Floats{0.5f, 0.5f, 0.5f, 0.5f, 0.375f, 0, 0, 0.5f}));

    Floats block(4 * 4 * 4, 0.0f);
    for (std::uint32_t y = 0; y < 4; ++y) {
        for (std::uint32_t x = 0; x < 4; ++x) {
            block[(y * 4 + x) * 4] = static_cast<float>(y * 4 + x);  // red = pixel number
        }
    }
    Fill(image, 4, 4, block);
    const Floats half = Half(image, kFilterBox);
    ASSERT_EQ(half.size(), 16u);
    EXPECT_EQ(half[0], (0 + 1 + 4 + 5) / 4.0f);
    EXPECT_EQ(half[4], (2 + 3 + 6 + 7) / 4.0f);
    EXPECT_EQ(half[8], (8 + 9 + 12 + 13) / 4.0f);
    EXPECT_EQ(half[12], (10 + 11 + 14 + 15) / 4.0f);
}

TEST(MipFilter, WindowFollowsTheDestinationSize) {
    CImage image;
    // 2 x 2 gives its top-left pixel with every filter.
    Fill(image, 2, 2, {0.2f, 0.4f, 0.6f, 1.0f, 1, 1, 1, 1, 0, 0, 0, 0, 1, 0, 0, 1});
    for (std::uint32_t filter = kFilterBox; filter <= kFilterAlphaWeightedHalf; ++filter) {
        EXPECT_EQ(Half(image, filter), (Floats{0.2f, 0.4f, 0.6f, 1.0f})) << filter;
    }
    // 4 x 2 is reduced from its top row only.
    Fill(image, 4, 2, {0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0,  //
                       9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
    EXPECT_EQ(Half(image, kFilterBox), (Floats{0.5f, 0, 0, 0, 0, 1, 0, 0}));
    // 1 x 3 halves to 1 x 1 from its first row.
    Fill(image, 1, 3, {0.25f, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1});
    EXPECT_EQ(Half(image, kFilterBox), (Floats{0.25f, 0, 0, 0}));
}

TEST(MipFilter, AlphaWeightingKeepsTransparentColourOut) {
    CImage image;
    // Opaque red and three transparent greens in one 2 x 2 window of a 4 x 4 source.
    Floats values(4 * 4 * 4, 0.0f);
    const Floats red{1, 0, 0, 1};
    const Floats green{0, 1, 0, 0};
    for (std::uint32_t p = 0; p < 16; ++p) {
        const Floats& c = p == 0 ? red : green;
        std::copy(c.begin(), c.end(), values.begin() + p * 4);
    }
    Fill(image, 4, 4, values);
    Floats weighted = Half(image, kFilterAlphaWeighted);
    EXPECT_EQ(Floats(weighted.begin(), weighted.begin() + 4), (Floats{1, 0, 0, 0.25f}));
    weighted = Half(image, kFilterAlphaWeightedHalf);
    EXPECT_EQ(Floats(weighted.begin(), weighted.begin() + 4), (Floats{1, 0, 0, 0.25f}));
    // A fully transparent window falls back to the plain average.
    EXPECT_EQ(Floats(weighted.begin() + 4, weighted.begin() + 8), (Floats{0, 1, 0, 0}));
    const Floats box = Half(image, kFilterBox);
    EXPECT_EQ(Floats(box.begin(), box.begin() + 4), (Floats{0.25f, 0.75f, 0, 0.25f}));
}

TEST(MipFilter, WeightLimitMakesHalfTransparentCountFully) {
    CImage image;
    Fill(image, 4, 2, {1, 0, 0, 1, 0, 1, 0, 0.5f, 0, 0, 0, 0, 0, 0, 0, 0,  //
                       0, 0, 0, 0, 0, 0, 0, 0,    0, 0, 0, 0, 0, 0, 0, 0});
    Floats out = Half(image, kFilterAlphaWeighted);  // weights 1 and 0.5
    EXPECT_FLOAT_EQ(out[0], 1 / 1.5f);
    EXPECT_FLOAT_EQ(out[1], 0.5f / 1.5f);
    EXPECT_EQ(out[3], 0.75f);
    out = Half(image, kFilterAlphaWeightedHalf);  // both weigh 0.5
    EXPECT_EQ(out[0], 0.5f);
    EXPECT_EQ(out[1], 0.5f);
}

TEST(MipFilter, NormalFilterRenormalisesTheAverage) {
    CImage image;
    // Normals +X and +Y average to a short vector that is stretched back to unit length.
    Fill(image, 4, 1,
         {1, 0.5f, 0.5f, 1, 0.5f, 1, 0.5f, 1, 0.5f, 0.5f, 0.5f, 1, 0.5f, 0.5f, 0.5f, 0});
    const Floats out = Half(image, kFilterNormal);
    const float c = (1.0f / std::sqrt(2.0f) + 1.0f) / 2.0f;
    EXPECT_FLOAT_EQ(out[0], c);
    EXPECT_FLOAT_EQ(out[1], c);
    EXPECT_FLOAT_EQ(out[2], 0.5f);
    EXPECT_EQ(out[3], 1.0f);
    // A zero vector has no direction and keeps its averaged colour instead of dividing by 0.
    EXPECT_EQ(Floats(out.begin() + 4, out.end()), (Floats{0.5f, 0.5f, 0.5f, 0.5f}));
}

TEST(MipFilter, RefusesMismatchedSizesAndIgnoresUnknownFilters) {
    CImage image;
    Fill(image, 2, 2, Floats(16, 0.5f));
    Floats dest{7};
    EXPECT_FALSE(MakeHalfLevel(image, 2, 3, kFilterBox, dest));
    EXPECT_EQ(dest, Floats{7});
    EXPECT_FALSE(MakeHalfLevel(image, 0, 4, kFilterBox, dest));
    EXPECT_TRUE(MakeHalfLevel(image, 2, 2, 4, dest));
    EXPECT_EQ(dest, Floats{7});
    CImage empty;
    EXPECT_FALSE(MakeHalfLevel(empty, 0, 0, kFilterBox, dest));
}

}  // namespace
}  // namespace lumo
