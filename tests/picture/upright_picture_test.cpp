#include <gtest/gtest.h>

#include <vector>

#include "bmp_builder.h"
#include "exif_builder.h"
#include "picture/bmp_dialog_reader.h"
#include "picture/jpeg_dialog_reader.h"
#include "picture/upright_picture.h"
#include "support/jpeg_encoder.h"

namespace picture {
namespace {

// 13 x 6 pixels, red left of column 8 and green from it: the reader widens it to 16 columns.
std::vector<std::uint8_t> SidewaysJpeg(int orientation) {
    testsupport::RawPicture raw{13, 6, 3, std::vector<std::uint8_t>(13 * 6 * 3, 0)};
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 13; ++x)
            raw.samples[(y * 13 + x) * 3 + (x < 8 ? 0 : 1)] = 255;
    }
    return testing::WithOrientation(testsupport::jpeg::Encode(raw), orientation);
}

bool IsGreen(const CDIB& picture, int x, int y) {
    const std::uint8_t* p = picture.PixelAddress(x, y);
    return p[1] > 200 && p[2] < 60;
}

bool IsRed(const CDIB& picture, int x, int y) {
    const std::uint8_t* p = picture.PixelAddress(x, y);
    return p[2] > 200 && p[1] < 60;
}

// Orientation 8: the stored right columns become the top rows. The widened black columns
// must not become black rows above them.
TEST(UprightPictureTest, TurnsWithoutTheWidenedColumns) {
    const std::vector<std::uint8_t> file = SidewaysJpeg(8);
    JpegReadResult read = ReadJpegForDialog(file, L"p.jpg");
    ASSERT_TRUE(std::holds_alternative<CDIB>(read));
    ASSERT_EQ(std::get<CDIB>(read).Width(), 16);
    TurnUpright(read, file, L"p.jpg");
    const CDIB& upright = std::get<CDIB>(read);
    ASSERT_EQ(upright.Width(), 6);
    ASSERT_EQ(upright.Height(), 13);
    EXPECT_FALSE(upright.IsTopDown());
    for (int x = 0; x < 6; ++x) {
        EXPECT_TRUE(IsGreen(upright, x, 0)) << x;
        EXPECT_TRUE(IsGreen(upright, x, 3)) << x;
        EXPECT_TRUE(IsRed(upright, x, 6)) << x;
        EXPECT_TRUE(IsRed(upright, x, 12)) << x;
    }
}

TEST(UprightPictureTest, LeavesUprightPicturesAndMessagesAlone) {
    const std::vector<std::uint8_t> upright = SidewaysJpeg(1);
    std::variant<CDIB, PictureError> read = ReadJpegForDialog(upright, L"p.jpg");
    const std::vector<std::uint8_t> before(std::get<CDIB>(read).Pixels().begin(),
                                           std::get<CDIB>(read).Pixels().end());
    TurnUpright(read, upright, L"p.jpg");
    ASSERT_EQ(std::get<CDIB>(read).Width(), 16);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), std::get<CDIB>(read).Pixels().begin()));

    const std::vector<std::uint8_t> bmp =
        testing::Build(testing::Bmp(3, 2, 24, {1, 2, 3, 4, 5, 6}));
    std::variant<CDIB, PictureError> fromBmp = ReadBmpForDialog(bmp, L"p.bmp");
    TurnUpright(fromBmp, bmp, L"p.bmp");
    EXPECT_EQ(std::get<CDIB>(fromBmp).Width(), 4);

    std::variant<CDIB, PictureError> refused = PictureError{412, L"p.jpg\nx"};
    TurnUpright(refused, SidewaysJpeg(6), L"p.jpg");
    EXPECT_EQ(std::get<PictureError>(refused).text, L"p.jpg\nx");
}

}  // namespace
}  // namespace picture
