#include <gtest/gtest.h>

#include <string>

#include "jpeg_test_util.h"
#include "picture/jpeg_dialog_reader.h"
#include "resources/string_table.h"

namespace picture::testing {
namespace {

std::wstring MessageFor(int id) {
    return L"C:\\faces\\a.jpg\n" + std::wstring(resources::LoadString(id));
}

void ExpectMessage(const Bytes& file, int id) {
    const JpegReadResult result = ReadJpegForDialog(file, L"C:\\faces\\a.jpg");
    const PictureError* error = std::get_if<PictureError>(&result);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->stringId, id);
    EXPECT_EQ(error->text, MessageFor(id));
}

TEST(JpegDialogReader, HeaderFailureIs411AndDecodeFailureIs412) {
    Bytes file = EncodeJpeg(Photo(16, 16));
    Bytes progressive = file;
    progressive[MarkerOffset(progressive, 0xC0) + 1] = 0xC2;
    ExpectMessage(progressive, resources::IDS_JPEG_HEADER_FAILED);
    ExpectMessage({}, resources::IDS_JPEG_HEADER_FAILED);

    Bytes noScan(file.begin(),
                 file.begin() + static_cast<std::ptrdiff_t>(MarkerOffset(file, 0xC0)));
    noScan.insert(noScan.end(), {0xFF, 0xD9});
    ExpectMessage(noScan, resources::IDS_JPEG_DECODE_FAILED);
    Bytes markerInScan(file.begin(),
                       file.begin() + static_cast<std::ptrdiff_t>(ScanDataOffset(file) + 4));
    markerInScan.insert(markerInScan.end(), {0xFF, 0xD9});
    ExpectMessage(markerInScan, resources::IDS_JPEG_DECODE_FAILED);
}

// Rows are stored bottom row first, pixels as blue, green, red, and the width is rounded up
// to a multiple of 4 with black columns.
TEST(JpegDialogReader, BottomUpBgrPictureWithBlackPadding) {
    for (int width : {4, 5, 6, 7, 8}) {
        const Bytes file = EncodeJpeg(Photo(width, 3));
        const Decoded decoded = DecodeJpeg(file);
        ASSERT_TRUE(decoded.Ok());
        JpegReadResult result = ReadJpegForDialog(file, L"a.jpg");
        const CDIB* picture = std::get_if<CDIB>(&result);
        ASSERT_NE(picture, nullptr);
        const int padded = (width + 3) / 4 * 4;
        EXPECT_EQ(picture->Width(), padded);
        EXPECT_EQ(picture->Height(), 3);
        EXPECT_EQ(picture->BitCount(), 24);
        EXPECT_FALSE(picture->IsTopDown());
        const std::span<const std::uint8_t> pixels = picture->Pixels();
        ASSERT_EQ(pixels.size(), static_cast<std::size_t>(padded) * 3 * 3);
        for (int y = 0; y < 3; ++y) {
            const std::uint8_t* row = pixels.data() + (2 - y) * padded * 3;
            for (int x = 0; x < padded; ++x) {
                const std::array<int, 3> rgb =
                    x < width ? decoded.Pixel(x, y) : std::array<int, 3>{};
                EXPECT_EQ((std::array<int, 3>{row[3 * x + 2], row[3 * x + 1], row[3 * x]}), rgb)
                    << width << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace picture::testing
