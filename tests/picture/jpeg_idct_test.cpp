#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>

#include "picture/jpeg_idct.h"

namespace picture::testing {
namespace {

// Blocks with a random set of non-zero columns, from small photo-like values up to the garbage
// a damaged file decodes to.
jpeg::CoefficientBlock RandomBlock(std::mt19937& random, std::int32_t magnitude) {
    std::uniform_int_distribution<std::int32_t> value(-magnitude, magnitude);
    std::uniform_int_distribution<unsigned> columns(0, 255);
    jpeg::CoefficientBlock block{};
    block.columnMask = columns(random) | 1u;
    for (int v = 0; v < 8; ++v) {
        for (int u = 0; u < 8; ++u) {
            const bool used = (block.columnMask >> u) & 1u;
            block.values[static_cast<std::size_t>(8 * v + u)] = used ? value(random) : 0;
        }
    }
    block.dcOnly = false;
    return block;
}

TEST(JpegTransform, VectorAndScalarFormsGiveTheSameSamples) {
    std::mt19937 random(5);
    std::array<std::uint16_t, 64> quantisation;
    std::uniform_int_distribution<int> step(1, 255);
    for (int round = 0; round < 3000; ++round) {
        for (std::uint16_t& q : quantisation) {
            q = static_cast<std::uint16_t>(step(random));
        }
        const std::int32_t magnitude = round % 3 == 0 ? 2000000000 : round % 3 == 1 ? 2047 : 40;
        const jpeg::CoefficientBlock block = RandomBlock(random, magnitude);
        // A stride wider than the block, with guard values that must stay untouched.
        std::array<std::int32_t, 8 * 12> fast;
        std::array<std::int32_t, 8 * 12> scalar;
        scalar.fill(-7);
        jpeg::InverseTransformScalar(block, quantisation.data(), 128, scalar.data(), 12);
        for (jpeg::TransformPath path : {jpeg::TransformPath::kSse2, jpeg::TransformPath::kAvx2}) {
            if (!jpeg::TransformPathAvailable(path)) {
                continue;
            }
            fast.fill(-7);
            jpeg::InverseTransformOn(path, block, quantisation.data(), 128, fast.data(), 12);
            ASSERT_EQ(fast, scalar) << "round " << round << " path " << static_cast<int>(path);
        }
    }
}

}  // namespace
}  // namespace picture::testing
