#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "lumo/image/block_coder.h"
#include "lumo/io/pixel_format.h"

namespace lumo {
namespace {

std::vector<std::uint8_t> Picture(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> rgba;
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            rgba.insert(rgba.end(),
                        {static_cast<std::uint8_t>(x * 40), static_cast<std::uint8_t>(y * 50),
                         static_cast<std::uint8_t>((x * y * 37) & 0xFF),
                         static_cast<std::uint8_t>(255 - x * y * 7)});
        }
    }
    return rgba;
}

TEST(BlockCoder, BlockBytesRoundsSidesUpToBlocks) {
    EXPECT_EQ(BlockBytes(64, 64, kFormatDXT1), 2048u);
    EXPECT_EQ(BlockBytes(64, 64, kFormatDXT3), 4096u);
    EXPECT_EQ(BlockBytes(64, 64, kFormatDXT5), 4096u);
    EXPECT_EQ(BlockBytes(6, 5, kFormatDXT1), 32u);
    EXPECT_EQ(BlockBytes(1, 1, kFormatDXT5), 16u);
    EXPECT_EQ(BlockBytes(0xFFFFFFFF, 0xFFFFFFFF, kFormatDXT1), std::uint64_t{1} << 63);
    EXPECT_EQ(BlockBytes(0xFFFFFFFF, 0xFFFFFFFF, kFormatDXT5), ~std::uint64_t{0});  // no wrap
    EXPECT_EQ(BlockBytes(4, 4, kFormatRGBA8), 0u);
}

TEST(BlockCoder, BlocksAreWrittenRowByRow) {
    // Four solid quadrants in colours that 5:6:5 holds exactly.
    const std::array<std::array<std::uint8_t, 4>, 4> colours{
        {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}}};
    std::vector<std::uint8_t> rgba;
    for (std::uint32_t y = 0; y < 8; ++y) {
        for (std::uint32_t x = 0; x < 8; ++x) {
            const auto& c = colours[(y / 4) * 2 + x / 4];
            rgba.insert(rgba.end(), c.begin(), c.end());
        }
    }
    std::vector<std::uint8_t> blocks;
    ASSERT_TRUE(CompressBlocks(rgba.data(), 8, 8, kFormatDXT1, blocks));
    ASSERT_EQ(blocks.size(), 32u);
    for (std::size_t k = 0; k < 4; ++k) {
        std::vector<std::uint8_t> block;
        ASSERT_TRUE(DecompressBlocks(blocks.data() + k * 8, 8, 4, 4, kFormatDXT1, block));
        for (std::size_t i = 0; i < 16; ++i) {
            EXPECT_TRUE(std::equal(colours[k].begin(), colours[k].end(), block.begin() + i * 4))
                << "block " << k;
        }
    }
}

TEST(BlockCoder, PadsWithLastColumnAndRowAndCropsOnDecode) {
    const std::vector<std::uint8_t> rgba = Picture(6, 5);
    std::vector<std::uint8_t> padded;
    for (std::uint32_t y = 0; y < 8; ++y) {
        for (std::uint32_t x = 0; x < 8; ++x) {
            const std::size_t at = (std::min(y, 4u) * 6 + std::min(x, 5u)) * 4;
            padded.insert(padded.end(), rgba.begin() + at, rgba.begin() + at + 4);
        }
    }
    for (const std::uint32_t format : {kFormatDXT1, kFormatDXT5}) {
        std::vector<std::uint8_t> blocks;
        std::vector<std::uint8_t> expected;
        ASSERT_TRUE(CompressBlocks(rgba.data(), 6, 5, format, blocks));
        ASSERT_TRUE(CompressBlocks(padded.data(), 8, 8, format, expected));
        EXPECT_EQ(blocks, expected);

        std::vector<std::uint8_t> full;
        std::vector<std::uint8_t> cropped;
        ASSERT_TRUE(DecompressBlocks(blocks.data(), blocks.size(), 8, 8, format, full));
        ASSERT_TRUE(DecompressBlocks(blocks.data(), blocks.size(), 6, 5, format, cropped));
        ASSERT_EQ(cropped.size(), 6u * 5 * 4);
        for (std::size_t y = 0; y < 5; ++y) {
            EXPECT_TRUE(std::equal(cropped.begin() + y * 24, cropped.begin() + y * 24 + 24,
                                   full.begin() + y * 32));
        }
    }
}

TEST(BlockCoder, RefusesBadInputAndKeepsOutput) {
    const std::vector<std::uint8_t> rgba = Picture(8, 8);
    std::vector<std::uint8_t> out{7};
    EXPECT_FALSE(CompressBlocks(rgba.data(), 8, 8, kFormatRGBA8, out));
    EXPECT_FALSE(CompressBlocks(rgba.data(), 0, 8, kFormatDXT1, out));
    EXPECT_FALSE(CompressBlocks(nullptr, 8, 8, kFormatDXT1, out));
    const std::vector<std::uint8_t> blocks(31);
    EXPECT_FALSE(DecompressBlocks(blocks.data(), blocks.size(), 8, 8, kFormatDXT1, out));
    EXPECT_FALSE(DecompressBlocks(blocks.data(), blocks.size(), 65536, 65536, kFormatDXT1, out));
    EXPECT_EQ(out, std::vector<std::uint8_t>{7});
}

TEST(BlockCoder, SurfaceByteSwapModes) {
    const std::vector<std::uint8_t> source{0, 1, 2, 3, 4, 5, 6, 7, 8};
    const std::array<std::vector<std::uint8_t>, 4> expected{{
        {0, 1, 2, 3, 4, 5, 6, 7, 8},
        {1, 0, 3, 2, 5, 4, 7, 6, 8},
        {3, 2, 1, 0, 7, 6, 5, 4, 8},
        {2, 3, 0, 1, 6, 7, 4, 5, 8},
    }};
    for (std::uint32_t mode = 0; mode < 4; ++mode) {
        std::vector<std::uint8_t> data = source;
        SurfaceByteSwap(data.data(), data.size(), 0x1A200012 | (mode << 6));
        EXPECT_EQ(data, expected[mode]) << "mode " << mode;
    }
}

}  // namespace
}  // namespace lumo
