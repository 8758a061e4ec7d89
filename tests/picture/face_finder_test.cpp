#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "picture/face_finder.h"
#include "picture/jpeg_dialog_reader.h"

namespace picture {
namespace {

// A frontal portrait that Debian ships (python-matplotlib-data), 512 x 600; the face's centre
// lies near (263, 215) and the detector's box is a little over 200 pixels wide.
constexpr char kPortraitPath[] = "/usr/share/matplotlib/mpl-data/sample_data/grace_hopper.jpg";
constexpr int kFaceX = 263;
constexpr int kFaceY = 215;

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class FaceFinderOnPhotos : public ::testing::Test {
protected:
    void SetUp() override {
        if (!FaceFinder::Available())
            GTEST_SKIP() << "built without face detection";
        const std::string cascade(FaceFinder::DefaultCascadePath());
        if (cascade.empty() || !std::filesystem::exists(kPortraitPath))
            GTEST_SKIP() << "the cascade (opencv-data) or the portrait (python-matplotlib-data) "
                            "is not installed; scripts/install-deps installs both";
        ASSERT_TRUE(finder.Load(ReadText(cascade)));
        const std::string bytes = ReadText(kPortraitPath);
        JpegReadResult read = ReadJpegForDialog(
            {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, L"portrait");
        ASSERT_TRUE(std::holds_alternative<CDIB>(read));
        portrait = std::move(std::get<CDIB>(read));
    }

    FaceFinder finder;
    CDIB portrait;
};

void ExpectFaceNear(const FaceRect& face, int x, int y, int width) {
    EXPECT_NEAR(face.left + face.width / 2, x, width / 8);
    EXPECT_NEAR(face.top + face.height / 2, y, width / 8);
    EXPECT_NEAR(face.width, width, width / 5);
}

TEST_F(FaceFinderOnPhotos, PortraitHasOneFaceAroundTheHead) {
    const std::vector<FaceRect> faces = finder.Find(portrait);
    ASSERT_EQ(faces.size(), 1u);
    ExpectFaceNear(faces[0], kFaceX, kFaceY, 215);
}

// The portrait twice enlarged beside itself, top-down: the finder works on a downscaled copy
// and must give both faces in this picture's pixels, the larger first.
TEST_F(FaceFinderOnPhotos, TwoFacesComeLargestFirstInPicturePixels) {
    const int w = portrait.Width();
    const int h = portrait.Height();
    std::optional<CDIB> pair = CDIB::CreateWithPixels(3 * w, 2 * h, {}, 24);
    ASSERT_TRUE(pair && pair->IsTopDown());
    for (int y = 0; y < 2 * h; ++y) {
        for (int x = 0; x < 3 * w; ++x) {
            const std::uint8_t* from = x < 2 * w ? portrait.PixelAddress(x / 2, y / 2)
                                       : y < h   ? portrait.PixelAddress(x - 2 * w, y)
                                                 : nullptr;
            if (from)
                std::copy(from, from + 3, pair->PixelAddress(x, y));
        }
    }
    const std::vector<FaceRect> faces = finder.Find(*pair);
    ASSERT_EQ(faces.size(), 2u);
    ExpectFaceNear(faces[0], 2 * kFaceX, 2 * kFaceY, 430);
    ExpectFaceNear(faces[1], 2 * w + kFaceX, kFaceY, 215);
}

TEST_F(FaceFinderOnPhotos, DrawnGradientHasNoFace) {
    std::optional<CDIB> gradient = CDIB::CreateWithPixels(1200, -900, {}, 24);
    ASSERT_TRUE(gradient);
    for (int y = 0; y < 900; ++y) {
        for (int x = 0; x < 1200; ++x) {
            std::uint8_t* p = gradient->PixelAddress(x, y);
            p[0] = static_cast<std::uint8_t>(x * 255 / 1199);
            p[1] = static_cast<std::uint8_t>(y * 255 / 899);
            p[2] = static_cast<std::uint8_t>((x + y) * 255 / 2098);
        }
    }
    EXPECT_TRUE(finder.Find(*gradient).empty());
}

TEST(FaceFinder, FindsNothingWithoutACascade) {
    FaceFinder finder;
    EXPECT_FALSE(finder.Load("<?xml version=\"1.0\"?><opencv_storage></opencv_storage>"));
    EXPECT_FALSE(finder.Load("not a cascade"));
    EXPECT_FALSE(finder.IsLoaded());
    std::optional<CDIB> picture = CDIB::CreateWithPixels(640, 480, {}, 24);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(finder.Find(*picture).empty());
}

}  // namespace
}  // namespace picture
