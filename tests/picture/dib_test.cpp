#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "bmp_builder.h"
#include "picture/dib.h"
#include "picture/dib_pal.h"

namespace picture {
namespace {

CDIB Make(std::int32_t width, std::int32_t height, std::uint16_t bits) {
    std::optional<CDIB> picture = CDIB::CreateWithPixels(width, height, {}, bits);
    EXPECT_TRUE(picture);
    return picture ? std::move(*picture) : CDIB{};
}

std::uint32_t Rgb(const CDIB& picture, int x, int y) {
    const std::uint8_t* p = picture.PixelAddress(x, y);
    return p[0] | (p[1] << 8) | (p[2] << 16);
}

void SetRgb(CDIB& picture, int x, int y, std::uint32_t rgb) {
    std::uint8_t* p = picture.PixelAddress(x, y);
    p[0] = rgb & 0xFF;
    p[1] = (rgb >> 8) & 0xFF;
    p[2] = rgb >> 16;
}

TEST(CDIBTest, HeightSignChoosesTheRowOrderOfAddressing) {
    // Positive height: top-down, so (0, 0) is the first stored row.
    CDIB topDown = Make(3, 2, 24);
    EXPECT_TRUE(topDown.IsTopDown());
    EXPECT_EQ(topDown.Height(), 2);
    EXPECT_EQ(topDown.Stride(), 12u);
    EXPECT_EQ(topDown.PixelAddress(0, 0), topDown.Pixels().data());
    EXPECT_EQ(topDown.PixelAddress(2, 1), topDown.Pixels().data() + 12 + 6);
    EXPECT_EQ(topDown.State(), 0u);

    CDIB bottomUp = Make(3, -2, 24);
    EXPECT_FALSE(bottomUp.IsTopDown());
    EXPECT_EQ(bottomUp.Height(), 2);
    EXPECT_EQ(bottomUp.PixelAddress(0, 0), bottomUp.Pixels().data() + 12);
    EXPECT_EQ(bottomUp.PixelAddress(0, 1), bottomUp.Pixels().data());

    EXPECT_EQ(bottomUp.PixelAddress(3, 0), nullptr);
    EXPECT_EQ(bottomUp.PixelAddress(0, 2), nullptr);
    EXPECT_EQ(bottomUp.PixelAddress(-1, 0), nullptr);
}

TEST(CDIBTest, SubBytePixelsShareTheirByteAndRowsArePadded) {
    CDIB four = Make(9, 2, 4);
    EXPECT_EQ(four.Stride(), 8u);
    EXPECT_EQ(four.PixelAddress(7, 1) - four.PixelAddress(0, 1), 3);
    EXPECT_EQ(four.ColourTable().size(), 16u);
    CDIB one = Make(33, 1, 1);
    EXPECT_EQ(one.Stride(), 8u);
    EXPECT_EQ(one.PixelAddress(32, 0) - one.PixelAddress(0, 0), 4);
    // Every padded row is in the buffer, also when width x bits is not a whole number of words.
    CDIB narrow = Make(1, 3, 24);
    EXPECT_EQ(narrow.Pixels().size(), 12u);
}

TEST(CDIBTest, CreationRefusesWhatItCannotHold) {
    EXPECT_FALSE(CDIB::CreateWithPixels(10, 10, std::vector<std::uint8_t>(299), 24));
    EXPECT_TRUE(CDIB::CreateWithPixels(10, 10, std::vector<std::uint8_t>(320), 24));
    EXPECT_FALSE(CDIB::CreateWithPixels(10, 10, {}, 15));
    EXPECT_FALSE(CDIB::CreateWithPixels(0, 10, {}, 24));
    EXPECT_FALSE(CDIB::CreateWithPixels(10, 0, {}, 24));
    EXPECT_FALSE(CDIB::CreateWithPixels(10'001, 10'000, {}, 8));
    EXPECT_FALSE(CDIB::CreateWithPixels(65536, INT32_MIN, {}, 8));
    EXPECT_FALSE(CDIB::CreateHeader(-1, 5, 40));
}

TEST(CDIBTest, HeaderOnlyPictureHasTableRoomButNoPixels) {
    std::optional<CDIB> picture = CDIB::CreateHeader(16, -8, 40 + 4 * 256);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture->IsTopDown());
    EXPECT_EQ(picture->BitCount(), 8);
    EXPECT_EQ(picture->ColourTable().size(), 256u);
    EXPECT_EQ(picture->PixelAddress(0, 0), nullptr);
    EXPECT_FALSE(picture->Fill(1));
}

TEST(CDIBTest, HeaderWithNegativeHeightGivesTopDownCopy) {
    BITMAPINFOHEADER header;
    header.biSize = 40;
    header.biWidth = 2;
    header.biHeight = -2;
    header.biPlanes = 1;
    header.biBitCount = 32;
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    CDIB picture;
    ASSERT_TRUE(picture.Create(header, bytes));
    EXPECT_TRUE(picture.IsTopDown());
    EXPECT_EQ(picture.Header().biHeight, 2);
    EXPECT_EQ(*picture.PixelAddress(1, 1), 13);
    EXPECT_FALSE(picture.Create(header, std::span(bytes).first(15)));
    header.biCompression = BI_RLE8;
    EXPECT_FALSE(picture.Create(header, bytes));
    EXPECT_EQ(*picture.PixelAddress(1, 1), 13);
}

TEST(CDIBTest, FillWritesEachDepthsPattern) {
    CDIB four = Make(3, 1, 4);
    four.Fill(0x1A);
    EXPECT_EQ(four.Pixels()[0], 0xAA);
    CDIB eight = Make(3, 1, 8);
    eight.Fill(0x1234);
    EXPECT_EQ(eight.Pixels()[2], 0x34);
    CDIB sixteen = Make(1, 1, 16);
    sixteen.Fill(0x7C00);
    EXPECT_EQ(sixteen.Pixels()[1], 0x7C);
    CDIB rgb = Make(1, 2, 24);
    rgb.Fill(0x00102030);
    EXPECT_EQ(Rgb(rgb, 0, 1), 0x102030u);
    EXPECT_EQ(rgb.Pixels()[3], 0);  // row padding stays
    CDIB rgba = Make(1, 1, 32);
    rgba.Fill(0x80102030);
    EXPECT_EQ(rgba.Pixels()[3], 0x80);
}

TEST(CDIBTest, CopyRectIsCutToBothPicturesAndSkipsTheKey) {
    CDIB source = Make(4, 4, 24);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            SetRgb(source, x, y, 0x010000 * x + 0x000100 * y + 1);
        }
    }
    SetRgb(source, 2, 2, 0xFF00FF);
    CDIB dest = Make(3, -3, 24);  // bottom-up
    dest.Fill(0x777777);
    ASSERT_TRUE(source.CopyRect(dest, -1, 1, 10, 10, 1, 0, 0xFF00FF));
    // Destination column -1 is cut off, so source column 2 lands in column 0.
    EXPECT_EQ(Rgb(dest, 0, 0), 0x777777u);
    EXPECT_EQ(Rgb(dest, 0, 1), 0x020001u);
    EXPECT_EQ(Rgb(dest, 1, 1), 0x030001u);
    EXPECT_EQ(Rgb(dest, 0, 2), 0x020101u);
    EXPECT_EQ(Rgb(dest, 2, 1), 0x777777u);  // beyond the source's last column
    // The keyed pixel (2, 2) would land at (0, 3), outside; place it inside instead.
    ASSERT_TRUE(source.CopyRect(dest, 0, 0, 1, 1, 2, 2, 0xFF00FF));
    EXPECT_EQ(Rgb(dest, 0, 0), 0x777777u);
    EXPECT_TRUE(source.CopyRect(dest, 5, 5, 2, 2, 0, 0));  // nothing left to copy
}

TEST(CDIBTest, CopyRectConvertsBetweenDepths) {
    CDIB indexed = Make(3, 1, 8);
    indexed.ColourTable()[1] = {10, 20, 30, 0};
    indexed.ColourTable()[2] = {200, 210, 220, 0};
    indexed.Pixels()[0] = 1;
    indexed.Pixels()[1] = 2;
    indexed.Pixels()[2] = 1;
    CDIB rgb = Make(3, 1, 24);
    ASSERT_TRUE(indexed.CopyRect(rgb, 0, 0, 3, 1, 0, 0, 0x0102));  // key: low byte 2
    EXPECT_EQ(Rgb(rgb, 0, 0), 0x1E140Au);
    EXPECT_EQ(Rgb(rgb, 1, 0), 0u);

    // Back into an indexed picture by the nearest colour.
    SetRgb(rgb, 1, 0, 0xD8D0C9);
    CDIB back = Make(3, 1, 8);
    back.ColourTable()[5] = {200, 210, 220, 0};
    back.ColourTable()[6] = {10, 20, 30, 0};
    ASSERT_TRUE(rgb.CopyRect(back, 0, 0, 3, 1, 0, 0));
    EXPECT_EQ(back.Pixels()[0], 6);
    EXPECT_EQ(back.Pixels()[1], 5);

    CDIB sixteen = Make(1, 1, 16);
    SetRgb(rgb, 0, 0, 0xFF0000);
    ASSERT_TRUE(rgb.CopyRect(sixteen, 0, 0, 1, 1, 0, 0));
    EXPECT_EQ(sixteen.Pixels()[0] | (sixteen.Pixels()[1] << 8), 0x7C00);  // 5-5-5 red
    CDIB rgba = Make(1, 1, 32);
    ASSERT_TRUE(sixteen.CopyRect(rgba, 0, 0, 1, 1, 0, 0));
    EXPECT_EQ(Rgb(rgba, 0, 0), 0xFF0000u);

    CDIB mono = Make(9, 1, 1);
    mono.ColourTable()[1] = {255, 255, 255, 0};
    mono.Pixels()[1] = 0x80;  // pixel 8
    CDIB wide = Make(9, 1, 32);
    ASSERT_TRUE(mono.CopyRect(wide, 0, 0, 9, 1, 0, 0));
    EXPECT_EQ(Rgb(wide, 7, 0), 0u);
    EXPECT_EQ(Rgb(wide, 8, 0), 0xFFFFFFu);
}

// The faces are decoded at 32 bits and kept at 24: the colour bytes move unchanged, the fourth
// byte is dropped one way and written as 0 the other, the key ignores it, padding stays.
TEST(CDIBTest, CopyRectBetweenTwentyFourAndThirtyTwoBitsKeepsTheColourBytes) {
    CDIB rgba = Make(5, -3, 32);  // bottom-up
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            std::uint8_t* p = rgba.PixelAddress(x, y);
            p[0] = static_cast<std::uint8_t>(40 * x + 1);
            p[1] = static_cast<std::uint8_t>(50 * y + 2);
            p[2] = static_cast<std::uint8_t>(x + y + 3);
            p[3] = static_cast<std::uint8_t>(0x80 + x);
        }
    }
    CDIB rgb = Make(3, 2, 24);  // 9 bytes a row, 3 of padding
    rgb.Fill(0x777777);
    ASSERT_TRUE(rgba.CopyRect(rgb, 1, 0, 4, 2, 2, 1));
    EXPECT_EQ(Rgb(rgb, 0, 0), 0x777777u);
    EXPECT_EQ(Rgb(rgb, 1, 0), 0x063451u);  // source (2, 1)
    EXPECT_EQ(Rgb(rgb, 2, 1), 0x086679u);  // source (3, 2)
    EXPECT_EQ(rgb.Pixels()[9], 0);         // padding
    EXPECT_EQ(rgb.Pixels()[11], 0);

    // The key is compared with the colour, whatever the fourth byte holds.
    rgb.Fill(0x777777);
    ASSERT_TRUE(rgba.CopyRect(rgb, 0, 0, 2, 1, 1, 0, 0xFF040229));
    EXPECT_EQ(Rgb(rgb, 0, 0), 0x777777u);
    EXPECT_EQ(Rgb(rgb, 1, 0), 0x050251u);

    CDIB wide = Make(3, 1, 32);
    wide.Fill(0xFF123456);
    ASSERT_TRUE(rgb.CopyRect(wide, 1, 0, 3, 1, 0, 0));
    EXPECT_EQ(wide.PixelAddress(0, 0)[3], 0xFF);  // outside the rectangle
    const std::uint8_t* p = wide.PixelAddress(1, 0);
    EXPECT_EQ(std::vector<std::uint8_t>(p, p + 8),
              (std::vector<std::uint8_t>{0x77, 0x77, 0x77, 0, 0x51, 0x02, 0x05, 0}));
}

TEST(CDIBTest, CopyRectWithinOnePictureReadsTheOriginal) {
    CDIB picture = Make(4, 1, 4);
    picture.Pixels()[0] = 0x12;
    picture.Pixels()[1] = 0x34;
    ASSERT_TRUE(picture.CopyRect(picture, 1, 0, 3, 1, 0, 0));
    EXPECT_EQ(picture.Pixels()[0], 0x11);
    EXPECT_EQ(picture.Pixels()[1], 0x23);
}

TEST(CDIBTest, ReadFromStreamKeepsRawPixelsAndTheRowOrder) {
    testing::BmpFile f = testing::Bmp(3, -2, 8, {0, 1, 2, 3, 4, 5});
    f.clrUsed = 3;
    f.table = {{1, 1, 1, 0}, {2, 2, 2, 0}, {3, 3, 3, 0}};
    const std::vector<std::uint8_t> bytes = testing::Build(f);
    CDIB picture;
    ASSERT_TRUE(picture.ReadFromStream(bytes));
    EXPECT_TRUE(picture.IsTopDown());
    EXPECT_EQ(picture.State(), 1u);
    EXPECT_EQ(picture.ColourTable().size(), 3u);
    EXPECT_EQ(*picture.PixelAddress(2, 1), 5);

    // A truncated file reads as far as it goes; a refused one leaves the picture alone.
    CDIB cut;
    ASSERT_TRUE(cut.ReadFromStream(std::span(bytes).first(bytes.size() - 3)));
    EXPECT_EQ(*cut.PixelAddress(0, 1), 3);
    EXPECT_EQ(*cut.PixelAddress(1, 1), 0);
    std::vector<std::uint8_t> rle = bytes;
    rle[30] = BI_RLE8;
    EXPECT_FALSE(picture.ReadFromStream(rle));
    std::vector<std::uint8_t> notBmp = bytes;
    notBmp[0] = 'X';
    EXPECT_FALSE(picture.ReadFromStream(notBmp));
    EXPECT_EQ(*picture.PixelAddress(2, 1), 5);
}

TEST(CDIBTest, PackedPicturesAreCopiedOrWrapped) {
    // A packed 16-bit bit-field picture: header, three masks, pixels.
    std::vector<std::uint8_t> file = testing::Build(testing::Bmp(2, 1, 16, {0xF800, 0x001F}));
    std::vector<std::uint8_t> packed(file.begin() + 14, file.end());
    packed[16] = BI_BITFIELDS;
    packed.insert(packed.begin() + 40, 12, 0);
    CDIB copy;
    CDIB wrapped;
    ASSERT_TRUE(copy.Create(std::span<const std::uint8_t>(packed)));
    ASSERT_TRUE(wrapped.Wrap(packed));
    EXPECT_TRUE(copy.OwnsPixels());
    EXPECT_FALSE(wrapped.OwnsPixels());
    EXPECT_EQ(copy.PixelAddress(0, 0)[1], 0xF8);
    packed[52 + 1] = 0x7C;
    EXPECT_EQ(wrapped.PixelAddress(0, 0)[1], 0x7C);
    EXPECT_EQ(copy.PixelAddress(0, 0)[1], 0xF8);
    EXPECT_FALSE(copy.Create(std::span<const std::uint8_t>(packed).first(packed.size() - 1)));

    CDIB copied;
    ASSERT_TRUE(copied.Create(wrapped));
    EXPECT_TRUE(copied.OwnsPixels());
    CDIB moved = std::move(copied);
    EXPECT_EQ(moved.PixelAddress(0, 0)[1], 0x7C);
    EXPECT_FALSE(copied.IsValid());
}

TEST(CDIBPalTest, MarksTheMiddleEntriesNotToCollapse) {
    CDIB picture = Make(1, 1, 8);
    picture.ColourTable()[10] = {1, 2, 3, 0};
    CDIBPal palette;
    ASSERT_TRUE(palette.Create(picture));
    ASSERT_EQ(palette.Entries().size(), 256u);
    EXPECT_EQ(palette.Entries()[9].peFlags, 0);
    EXPECT_EQ(palette.Entries()[10].peFlags, PC_NOCOLLAPSE);
    EXPECT_EQ(palette.Entries()[10].peRed, 3);
    EXPECT_EQ(palette.Entries()[246].peFlags, PC_NOCOLLAPSE);
    EXPECT_EQ(palette.Entries()[247].peFlags, 0);
    EXPECT_FALSE(palette.Create(Make(1, 1, 24)));
}

}  // namespace
}  // namespace picture
