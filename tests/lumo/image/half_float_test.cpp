#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "lumo/image/half_float.h"

namespace lumo {
namespace {

TEST(HalfFloat, EdgeValuesBothWays) {
    struct Case {
        std::uint16_t half;
        float value;
    };
    const Case cases[] = {
        {0x0000, 0.0f},
        {0x8000, -0.0f},
        {0x3C00, 1.0f},
        {0xC000, -2.0f},
        {0x7BFF, 65504.0f},                  // largest finite
        {0x0400, std::ldexp(1.0f, -14)},     // smallest normal
        {0x03FF, std::ldexp(1023.0f, -24)},  // largest subnormal
        {0x0001, std::ldexp(1.0f, -24)},     // smallest subnormal
        {0x8001, -std::ldexp(1.0f, -24)},
        {0x7C00, std::numeric_limits<float>::infinity()},
        {0xFC00, -std::numeric_limits<float>::infinity()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::bit_cast<std::uint32_t>(HalfToFloat(c.half)),
                  std::bit_cast<std::uint32_t>(c.value))
            << std::hex << c.half;
        EXPECT_EQ(FloatToHalf(c.value), c.half) << c.value;
    }
}

TEST(HalfFloat, RoundsToNearestEven) {
    EXPECT_EQ(FloatToHalf(65519.0f), 0x7BFF);  // just under the midpoint to infinity
    EXPECT_EQ(FloatToHalf(65520.0f), 0x7C00);  // tie, rounds up to even: infinity
    EXPECT_EQ(FloatToHalf(1e10f), 0x7C00);
    EXPECT_EQ(FloatToHalf(std::ldexp(1.0f, -25)), 0x0000);  // tie between 0 and 1 unit
    EXPECT_EQ(FloatToHalf(std::ldexp(1.5f, -25)), 0x0001);  // above the tie
    EXPECT_EQ(FloatToHalf(std::ldexp(3.0f, -25)), 0x0002);  // 1.5 units: tie to even
    EXPECT_EQ(FloatToHalf(std::ldexp(1.0f, -30)), 0x0000);
    EXPECT_EQ(FloatToHalf(std::numeric_limits<float>::denorm_min()), 0x0000);
    EXPECT_EQ(FloatToHalf(1.0f + std::ldexp(1.0f, -11)), 0x3C00);  // tie, stays even
    EXPECT_EQ(FloatToHalf(1.0f + std::ldexp(3.0f, -11)), 0x3C02);  // tie, rounds up to even
    // The largest subnormal rounding up carries into the smallest normal.
    EXPECT_EQ(FloatToHalf(std::ldexp(1023.75f, -24)), 0x0400);
}

TEST(HalfFloat, NanStaysNan) {
    EXPECT_TRUE(std::isnan(HalfToFloat(0x7E00)));
    EXPECT_TRUE(std::isnan(HalfToFloat(0x7C01)));
    // A payload only in the low float bits must not turn into infinity.
    EXPECT_EQ(FloatToHalf(std::bit_cast<float>(0x7F800001u)) & 0x7C00, 0x7C00);
    EXPECT_NE(FloatToHalf(std::bit_cast<float>(0x7F800001u)) & 0x03FF, 0);
}

TEST(HalfFloat, EveryHalfSurvivesTheFloatRoundTrip) {
    for (std::uint32_t h = 0; h <= 0xFFFF; ++h) {
        const auto half = static_cast<std::uint16_t>(h);
        ASSERT_EQ(FloatToHalf(HalfToFloat(half)), half) << std::hex << h;
    }
}

}  // namespace
}  // namespace lumo
