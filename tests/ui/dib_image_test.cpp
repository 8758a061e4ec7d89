#include <gtest/gtest.h>

#include <vector>

#include "picture/dib.h"
#include "ui/dib_image.h"

namespace {

// A 3 x 2 picture whose rows are padded to four bytes: each pixel's colour tells its place.
std::vector<std::uint8_t> Rows24(bool topRowFirst) {
    // Row stride of 3 pixels x 3 bytes = 9, padded to 12.
    std::vector<std::uint8_t> bytes(12 * 2, 0xEE);
    for (int row = 0; row < 2; ++row) {
        const int y = topRowFirst ? row : 1 - row;
        for (int x = 0; x < 3; ++x) {
            std::uint8_t* pixel = &bytes[static_cast<std::size_t>(row * 12 + x * 3)];
            pixel[0] = static_cast<std::uint8_t>(10 + x);  // blue
            pixel[1] = static_cast<std::uint8_t>(20 + y);  // green
            pixel[2] = 200;                                // red
        }
    }
    return bytes;
}

void ExpectPlaces(const QImage& image) {
    ASSERT_EQ(image.size(), QSize(3, 2));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(image.pixel(x, y), qRgb(200, 20 + y, 10 + x)) << x << "," << y;
        }
    }
}

TEST(DibImage, BothRowOrdersGiveTheTopRowFirstAndSkipThePadding) {
    std::optional<picture::CDIB> topDown = picture::CDIB::CreateWithPixels(3, 2, Rows24(true), 24);
    ASSERT_TRUE(topDown);
    ASSERT_TRUE(topDown->IsTopDown());
    ExpectPlaces(ui::DibToImage(*topDown));

    std::optional<picture::CDIB> bottomUp =
        picture::CDIB::CreateWithPixels(3, -2, Rows24(false), 24);
    ASSERT_TRUE(bottomUp);
    ASSERT_FALSE(bottomUp->IsTopDown());
    const QImage image = ui::DibToImage(*bottomUp);
    ExpectPlaces(image);
    EXPECT_FALSE(image.hasAlphaChannel());
}

TEST(DibImage, TheFourthByteIsAlphaOnlyWhenAskedFor) {
    // Bottom-up 2 x 2: the lower row is stored first.
    std::vector<std::uint8_t> bytes = {
        1, 2, 3, 0,   4, 5, 6, 128,  // bottom row
        7, 8, 9, 255, 0, 0, 0, 64,   // top row
    };
    std::optional<picture::CDIB> dib = picture::CDIB::CreateWithPixels(2, -2, bytes, 32);
    ASSERT_TRUE(dib);
    const QImage withAlpha = ui::DibToImage(*dib);
    ASSERT_EQ(withAlpha.size(), QSize(2, 2));
    EXPECT_TRUE(withAlpha.hasAlphaChannel());
    EXPECT_EQ(withAlpha.pixel(0, 0), qRgba(9, 8, 7, 255));
    EXPECT_EQ(withAlpha.pixel(1, 0), qRgba(0, 0, 0, 64));
    EXPECT_EQ(withAlpha.pixel(0, 1), qRgba(3, 2, 1, 0));
    EXPECT_EQ(withAlpha.pixel(1, 1), qRgba(6, 5, 4, 128));

    const QImage opaque = ui::DibToImage(*dib, ui::DibAlpha::kIgnore);
    EXPECT_FALSE(opaque.hasAlphaChannel());
    EXPECT_EQ(opaque.pixel(0, 1), qRgb(3, 2, 1));
}

TEST(DibImage, IndexedPicturesShowTheirColourTable) {
    // 8 bits, top-down, 2 x 1, rows padded to four bytes.
    std::optional<picture::CDIB> dib = picture::CDIB::CreateWithPixels(2, 1, {1, 0, 0, 0}, 8);
    ASSERT_TRUE(dib);
    dib->ColourTable()[0] = {30, 20, 10, 0};  // blue, green, red, reserved
    dib->ColourTable()[1] = {0, 0, 250, 0};
    const QImage image = ui::DibToImage(*dib);
    ASSERT_EQ(image.size(), QSize(2, 1));
    EXPECT_EQ(image.pixel(0, 0), qRgb(250, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(10, 20, 30));
}

// The list's thumbnails: RGB32 with the pixels Qt's own conversion of the 24-bit image gives.
TEST(DibImage, TheRgb32ImageEqualsTheConvertedOne) {
    std::optional<picture::CDIB> bottomUp =
        picture::CDIB::CreateWithPixels(3, -2, Rows24(false), 24);
    ASSERT_TRUE(bottomUp);
    const QImage image = ui::DibToRgb32Image(*bottomUp);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    ExpectPlaces(image);
    EXPECT_EQ(image, ui::DibToImage(*bottomUp).convertToFormat(QImage::Format_RGB32));

    // Other depths go the long way round, to the same format.
    std::optional<picture::CDIB> indexed = picture::CDIB::CreateWithPixels(2, 1, {1, 0, 0, 0}, 8);
    ASSERT_TRUE(indexed);
    indexed->ColourTable()[1] = {0, 0, 250, 0};
    const QImage fromIndexed = ui::DibToRgb32Image(*indexed);
    EXPECT_EQ(fromIndexed.format(), QImage::Format_RGB32);
    EXPECT_EQ(fromIndexed.pixel(0, 0), qRgb(250, 0, 0));
    EXPECT_TRUE(ui::DibToRgb32Image(picture::CDIB()).isNull());
}

TEST(DibImage, APictureWithoutPixelsGivesANullImage) {
    EXPECT_TRUE(ui::DibToImage(picture::CDIB()).isNull());
    std::optional<picture::CDIB> header = picture::CDIB::CreateHeader(4, 4, 40);
    ASSERT_TRUE(header);
    EXPECT_TRUE(ui::DibToImage(*header).isNull());
}

}  // namespace
