#include <gtest/gtest.h>

#include "lumo/io/pixel_format.h"

namespace lumo {
namespace {

TEST(PixelFormat, LevelSizes) {
    EXPECT_EQ(LevelSize(kFormatBGRA8, 256, 256), 262144u);
    EXPECT_EQ(LevelSize(kFormatDXT1, 256, 256), 32768u);
    EXPECT_EQ(LevelSize(kFormatDXT5, 256, 256), 65536u);
    EXPECT_EQ(LevelSize(kFormatDXT1, 2, 2), 8u);
    EXPECT_EQ(LevelSize(kFormatDXT5, 1, 1), 16u);
    EXPECT_EQ(LevelSize(kFormatDXT1, 64, 2), 8u);  // both sides taken as 4
    EXPECT_EQ(LevelSize(43, 4, 4), 8u);            // TILE_L4, half a byte per pixel
    EXPECT_EQ(LevelSize(kFormatRGBA32F, 32768, 32768), 32768ull * 32768 * 16);
    EXPECT_EQ(LevelSize(64, 16, 16), 0u);
}

TEST(PixelFormat, NamesAreExactAndStopAt51) {
    EXPECT_EQ(FormatName(49), "TILE_NDEX4");
    EXPECT_EQ(FormatName(51), "TILE_INDEX14X2");
    EXPECT_EQ(FormatName(1), "BGRA8");
    EXPECT_FALSE(FormatName(52).has_value());
    EXPECT_FALSE(FormatName(64).has_value());
    EXPECT_EQ(FormatFromName("DXT5"), 8u);
    EXPECT_FALSE(FormatFromName("dxt5").has_value());
    for (std::uint32_t code = 0; code < 52; ++code) {
        ASSERT_EQ(FormatFromName(*FormatName(code)), code);
    }
}

TEST(PixelFormat, PlatformSubstitutes) {
    EXPECT_EQ(PlatformFormat(0, kFormatRGBA8), kFormatBGRA8);
    EXPECT_EQ(PlatformFormat(0, kFormatTileRGBA8), kFormatBGRA8);
    EXPECT_EQ(PlatformFormat(0, kFormatBGRA8), kFormatBGRA8);
    EXPECT_EQ(PlatformFormat(4, kFormatBGRA8), kFormatRGBA8);
    EXPECT_EQ(PlatformFormat(3, kFormatDXT1), kFormatTileDXT1);
    EXPECT_EQ(PlatformFormat(1, 14), 0u);
    EXPECT_GE(PlatformFormat(3, kFormatDXT5), kFormatCodeCount);
    EXPECT_GE(PlatformFormat(0, kFormatR32F), kFormatCodeCount);
    EXPECT_GE(PlatformFormat(5, kFormatBGRA8), kFormatCodeCount);
    EXPECT_GE(PlatformFormat(0, 64), kFormatCodeCount);
    // Every substitute is itself stored unchanged on its platform, so validation settles.
    for (std::uint32_t platform = 0; platform < kPlatformCount; ++platform) {
        for (std::uint32_t code = 0; code < kFormatCodeCount; ++code) {
            const std::uint32_t stored = PlatformFormat(platform, code);
            if (stored < kFormatCodeCount && stored != code) {
                EXPECT_EQ(PlatformFormat(platform, stored), stored) << platform << "/" << code;
            }
        }
    }
}

TEST(PixelFormat, PaletteFormatsPerPlatform) {
    EXPECT_EQ(PlatformPaletteFormat(0, kNoPalette), kNoPalette);
    EXPECT_EQ(PlatformPaletteFormat(1, 25), kPaletteRefused);
    EXPECT_EQ(PlatformPaletteFormat(3, 37), 37u);
    EXPECT_EQ(PlatformPaletteFormat(3, 60), 28u);
    EXPECT_EQ(PlatformPaletteFormat(3, 25), kPaletteRefused);
    EXPECT_EQ(PlatformPaletteFormat(4, 59), 52u);
    EXPECT_EQ(PlatformPaletteFormat(4, 10), 0u);
    EXPECT_EQ(PaletteEntries(50), 256u);
    EXPECT_EQ(PaletteEntries(58), 4294967295u);
}

}  // namespace
}  // namespace lumo
