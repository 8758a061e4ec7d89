#include "kaocg/face_texture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "kaocg/face_pictures.h"
#include "kaocg/g1t_slot_builder.h"
#include "kaocg/image_archive_layout.h"
#include "lumo/io/pixel_format.h"

namespace kaocg_func {
namespace {

using kaocg_test::Bgra;
using kaocg_test::PatternColour;
using kaocg_test::PatternPicture;
using kaocg_test::SlotPixel;
using Pixel = std::array<std::uint8_t, 4>;

constexpr Pixel kTransparentBlack{0, 0, 0, 0};
constexpr Pixel kWhiteClear{255, 255, 255, 0};

// The slot of a registration picture, over bytes that were not zero before.
std::vector<std::uint8_t> EncodedSlot(int kind, bool topDown = true) {
    std::vector<std::uint8_t> slot(EntrySize(kind), 0xAA);
    const picture::CDIB picture =
        PatternPicture(static_cast<std::int32_t>(TextureSide(kind)), topDown);
    EXPECT_TRUE(EncodeFaceTexture(picture, kind, slot));
    return slot;
}

Pixel Kept(std::uint32_t x, std::uint32_t y, std::uint8_t alpha) {
    return Bgra(PatternColour(x, y), alpha);
}

TEST(EncodeFaceTexture, WritesOneBgra8TextureWithFortyFourBytesOfHeadersAndZerosAfter) {
    for (int kind : {kKindEditLarge, kKindEditMedium, kKindEditSmall}) {
        const std::vector<std::uint8_t> slot = EncodedSlot(kind);
        const std::uint32_t side = TextureSide(kind);
        const std::uint32_t fileSize = 44 + side * side * 4;
        ASSERT_EQ(fileSize + 12, slot.size());
        const std::vector<std::uint8_t> head(slot.begin(), slot.begin() + 8);
        EXPECT_EQ(head, (std::vector<std::uint8_t>{'G', 'T', '1', 'G', '0', '6', '0', '0'}));
        EXPECT_EQ(slot[8] | slot[9] << 8 | slot[10] << 16, static_cast<int>(fileSize));
        EXPECT_EQ(slot[12], 32);    // header size: fixed fields and one texture word
        EXPECT_EQ(slot[16], 1);     // textures
        EXPECT_EQ(slot[20], 0);     // platform
        EXPECT_EQ(slot[36], 0x10);  // one level, a single surface
        EXPECT_EQ(slot[37], lumo::kFormatBGRA8);
        EXPECT_EQ(slot[38], (std::countr_zero(side) * 0x11));
        EXPECT_EQ(slot[43] >> 4, 0);  // no extended header
        EXPECT_TRUE(std::all_of(slot.end() - 12, slot.end(), [](std::uint8_t b) { return b == 0; }))
            << kind;
    }
}

TEST(EncodeFaceTexture, SmallFaceHasRoundedCornersAndBlackOutsideItsArea) {
    const std::vector<std::uint8_t> slot = EncodedSlot(kKindEditSmall);
    auto at = [&](std::uint32_t x, std::uint32_t y) { return SlotPixel(slot, 64, x, y); };
    const Pixel origin = at(0, 0);
    EXPECT_EQ(origin, kWhiteClear);
    EXPECT_EQ(at(6, 0), Kept(6, 0, 152));
    EXPECT_EQ(at(5, 0), Kept(5, 0, 71));
    EXPECT_EQ(at(4, 0), kWhiteClear);
    EXPECT_EQ(at(3, 1), Kept(3, 1, 152));
    EXPECT_EQ(at(2, 2), Kept(2, 2, 255));
    EXPECT_EQ(at(1, 1), kWhiteClear);
    EXPECT_EQ(at(7, 0), Kept(7, 0, 255));
    EXPECT_EQ(at(30, 30), Kept(30, 30, 255));
    // The other corners mirror the first, measured from the last column and row (59).
    for (std::uint32_t a = 0; a < 7; ++a) {
        for (std::uint32_t b = 0; b < 7; ++b) {
            const Pixel first = at(a, b);
            for (const auto& [x, y] : {std::pair{59 - a, b}, {a, 59 - b}, {59 - a, 59 - b}}) {
                const Pixel mirrored = at(x, y);
                EXPECT_EQ(mirrored[3], first[3]) << x << "," << y;
                const bool white = first[0] == 255 && first[1] == 255 && first[2] == 255;
                EXPECT_EQ(mirrored, white ? kWhiteClear : Kept(x, y, first[3])) << x << "," << y;
            }
        }
    }
    for (std::uint32_t i = 0; i < 64; ++i) {
        for (std::uint32_t outside = 60; outside < 64; ++outside) {
            ASSERT_EQ(at(outside, i), kTransparentBlack) << outside << "," << i;
            ASSERT_EQ(at(i, outside), kTransparentBlack) << i << "," << outside;
        }
    }
}

TEST(EncodeFaceTexture, SmallFaceTopLeftCornerFollowsTheCornerTablesExactly) {
    // Row by row from the top: the alpha, and W where the colour is turned white.
    constexpr std::array<std::array<std::uint8_t, 7>, 7> kAlpha{{
        {0, 0, 0, 0, 0, 71, 152},
        {0, 0, 0, 152, 255, 255, 255},
        {0, 0, 255, 255, 255, 255, 255},
        {0, 152, 255, 255, 255, 255, 255},
        {0, 255, 255, 255, 255, 255, 255},
        {71, 255, 255, 255, 255, 255, 255},
        {152, 255, 255, 255, 255, 255, 255},
    }};
    constexpr std::array<const char*, 7> kWhite{
        "WWWWW..", "WWW....", "WW.....", "W......", "W......", ".......", ".......",
    };
    const std::vector<std::uint8_t> slot = EncodedSlot(kKindEditSmall);
    for (std::uint32_t y = 0; y < 7; ++y) {
        for (std::uint32_t x = 0; x < 7; ++x) {
            const std::uint8_t alpha = kAlpha[y][x];
            const Pixel expected =
                kWhite[y][x] == 'W' ? Pixel{255, 255, 255, alpha} : Kept(x, y, alpha);
            EXPECT_EQ(SlotPixel(slot, 64, x, y), expected) << x << "," << y;
        }
    }
}

TEST(EncodeFaceTexture, MediumAndLargeKeepTheColourOutsideTheirAreaWithoutAlpha) {
    const std::vector<std::uint8_t> medium = EncodedSlot(kKindEditMedium);
    EXPECT_EQ(SlotPixel(medium, 128, 0, 0), Kept(0, 0, 255));  // no rounded corners
    EXPECT_EQ(SlotPixel(medium, 128, 95, 119), Kept(95, 119, 255));
    EXPECT_EQ(SlotPixel(medium, 128, 100, 7), Kept(100, 7, 0));
    EXPECT_EQ(SlotPixel(medium, 128, 96, 0), Kept(96, 0, 0));
    EXPECT_EQ(SlotPixel(medium, 128, 0, 120), Kept(0, 120, 0));

    const std::vector<std::uint8_t> large = EncodedSlot(kKindEditLarge);
    EXPECT_EQ(SlotPixel(large, 256, 239, 239), Kept(239, 239, 255));
    for (std::uint32_t x = 0; x < 256; ++x) {
        ASSERT_EQ(SlotPixel(large, 256, x, 240), Kept(x, 240, 0)) << x;
        ASSERT_EQ(SlotPixel(large, 256, 240, x), Kept(240, x, 0)) << x;
    }
}

TEST(EncodeFaceTexture, TakesThePicturesTopRowFirstWhateverItsRowOrder) {
    EXPECT_EQ(EncodedSlot(kKindEditMedium, false), EncodedSlot(kKindEditMedium, true));
}

TEST(EncodeFaceTexture, RefusesPicturesAndKindsThatDoNotMakeAFaceSlot) {
    std::vector<std::uint8_t> slot(EntrySize(kKindEditLarge));
    EXPECT_FALSE(EncodeFaceTexture(PatternPicture(64), kKindEditLarge, slot));
    EXPECT_FALSE(EncodeFaceTexture(PatternPicture(64), kKindStockSmall, slot));
    EXPECT_FALSE(EncodeFaceTexture(PatternPicture(64), 6, slot));
    EXPECT_FALSE(EncodeFaceTexture(picture::CDIB(), kKindEditSmall, slot));
    const auto deep = picture::CDIB::CreateWithPixels(64, 64, {}, 32);
    EXPECT_FALSE(EncodeFaceTexture(*deep, kKindEditSmall, slot));
    // The G1T file is 16428 bytes; one byte less cannot hold it.
    std::vector<std::uint8_t> tight(16428);
    EXPECT_TRUE(EncodeFaceTexture(PatternPicture(64), kKindEditSmall, tight));
    tight.pop_back();
    EXPECT_FALSE(EncodeFaceTexture(PatternPicture(64), kKindEditSmall, tight));
}

TEST(DecodeFaceTexture, GivesTheSlotsPixelsAsATopDown32BitPicture) {
    const std::vector<std::uint8_t> slot = EncodedSlot(kKindEditSmall);
    picture::CDIB face;
    ASSERT_TRUE(DecodeFaceTexture(slot, face));
    EXPECT_EQ(face.Width(), 64);
    EXPECT_EQ(face.Height(), 64);
    EXPECT_TRUE(face.IsTopDown());
    EXPECT_EQ(face.BitCount(), 32);
    EXPECT_EQ(face.Header().biCompression, picture::BI_RGB);
    const auto pixels = face.Pixels();
    ASSERT_EQ(pixels.size(), 64u * 64 * 4);
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), slot.begin() + 44));
    EXPECT_EQ(face.PixelAddress(6, 0)[3], 152);
}

TEST(DecodeFaceTexture, HeaderIsTopDownWithWidthFromTheLowNibble) {
    const picture::BITMAPINFOHEADER header = DecodedFaceHeader(6, 6);
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 64);
    EXPECT_EQ(header.biHeight, -64);
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 32);
    EXPECT_EQ(header.biCompression, 0u);
    EXPECT_EQ(header.biSizeImage, 0u);
    EXPECT_EQ(header.biClrUsed, 0u);
    const picture::BITMAPINFOHEADER wide = DecodedFaceHeader(7, 5);
    EXPECT_EQ(wide.biWidth, 128);
    EXPECT_EQ(wide.biHeight, -32);
}

TEST(DecodeFaceTexture, ReadsCompressedAndNonSquareTexturesOfOtherWriters) {
    // The game's tools may compress a face; red opaque survives DXT1 exactly.
    const auto dxt = kaocg_test::SolidSlot(128, 64, lumo::kFormatDXT1, {255, 0, 0, 255}, 16440);
    ASSERT_FALSE(dxt.empty());
    picture::CDIB face;
    ASSERT_TRUE(DecodeFaceTexture(dxt, face));
    EXPECT_EQ(face.Width(), 128);
    EXPECT_EQ(face.Height(), 64);
    const std::uint8_t* p = face.PixelAddress(127, 63);
    EXPECT_EQ((Pixel{p[0], p[1], p[2], p[3]}), (Pixel{0, 0, 255, 255}));
}

TEST(DecodeFaceTexture, RefusesSlotsThatAreNotOneTextureAndKeepsThePicture) {
    const auto pair = kaocg_test::SolidSlot(64, 64, lumo::kFormatRGBA8, {1, 2, 3, 4}, 65592, 2);
    ASSERT_FALSE(pair.empty());
    picture::CDIB face;
    ASSERT_TRUE(DecodeFaceTexture(EncodedSlot(kKindEditSmall), face));
    const std::vector<std::uint8_t> before(face.Pixels().begin(), face.Pixels().end());
    EXPECT_FALSE(DecodeFaceTexture(pair, face));
    EXPECT_FALSE(DecodeFaceTexture(std::vector<std::uint8_t>(16440, 0), face));
    EXPECT_FALSE(DecodeFaceTexture({}, face));
    EXPECT_EQ(face.Width(), 64);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), face.Pixels().begin()));
}

}  // namespace
}  // namespace kaocg_func
