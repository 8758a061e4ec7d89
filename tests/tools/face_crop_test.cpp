#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "face_tool_support.h"
#include "picture/bmp_builder.h"
#include "picture/bmp_dialog_reader.h"
#include "picture/exif_builder.h"
#include "picture/face_scale.h"
#include "picture/jpeg_dialog_reader.h"
#include "picture/orientation.h"
#include "picture/upright_picture.h"
#include "support/jpeg_encoder.h"
#include "tool_runner.h"

namespace kaocg_tool_test {
namespace {

namespace fs = std::filesystem;
using picture::FaceScaling;

class FaceCrop : public testing::Test {
protected:
    ToolResult Crop(const std::vector<std::string>& words) const {
        std::vector<std::string> args{"face", "crop"};
        args.insert(args.end(), words.begin(), words.end());
        return RunTool(folder.Path(), args);
    }
    std::vector<std::uint8_t> Save(const std::string& name,
                                   const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(folder.Path() / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return bytes;
    }
    // The PNG must hold the expected face, pixel for pixel.
    void ExpectPng(const std::string& name, const picture::CDIB& expected) const {
        const PngPixels png = LoadPngPixels(folder.Path() / name);
        ASSERT_EQ(png.width, expected.Width());
        ASSERT_EQ(png.height, expected.Height());
        for (int y = 0; y < png.height; ++y) {
            for (int x = 0; x < png.width; ++x) {
                const std::uint8_t* want = expected.PixelAddress(x, y);
                ASSERT_EQ(png.At(x, y)[0], want[2]) << x << ", " << y;
                ASSERT_EQ(png.At(x, y)[1], want[1]) << x << ", " << y;
                ASSERT_EQ(png.At(x, y)[2], want[0]) << x << ", " << y;
            }
        }
    }
    TempFolder folder;
};

std::vector<std::uint8_t> GradientBmp(int width, int height) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels.push_back(std::uint32_t(x % 256) << 16 | std::uint32_t(y % 256) << 8 |
                             std::uint32_t((x * y) % 256));
    }
    return picture::testing::Build(picture::testing::Bmp(width, height, 24, pixels));
}

picture::CDIB Scaled(const picture::CDIB& source, int l, int t, int w, int h, int fw, int fh,
                     FaceScaling scaling) {
    std::optional<picture::CDIB> face =
        picture::ScaleCropToFace(source, l, t, w, h, fw, fh, scaling);
    EXPECT_TRUE(face);
    return face ? std::move(*face) : picture::CDIB{};
}

TEST_F(FaceCrop, WithoutAFrameTheCentredOneIsAreaAveraged) {
    const auto bmp = Save("p.bmp", GradientBmp(400, 300));
    const ToolResult result = Crop({"p.bmp", "m.png", "--size", "medium"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "frame 80,0,240,300 of 400 x 300 -> 96 x 120, area averaging\n");
    const auto read = picture::ReadBmpForDialog(bmp, L"p.bmp");
    ExpectPng("m.png", Scaled(std::get<picture::CDIB>(read), 80, 0, 240, 300, 96, 120,
                              FaceScaling::AreaAverage));
}

TEST_F(FaceCrop, AGivenFrameWithNearestPixelsOrEnlarged) {
    const auto bmp = Save("p.bmp", GradientBmp(400, 300));
    const auto read = picture::ReadBmpForDialog(bmp, L"p.bmp");
    const ToolResult nearest =
        Crop({"p.bmp", "n.png", "--size", "large", "--frame", "13,17,251,251", "--nearest"});
    ASSERT_EQ(nearest.exitCode, 0) << nearest.err;
    EXPECT_EQ(nearest.out, "frame 13,17,251,251 of 400 x 300 -> 240 x 240, nearest pixel\n");
    ExpectPng("n.png", Scaled(std::get<picture::CDIB>(read), 13, 17, 251, 251, 240, 240,
                              FaceScaling::Nearest));
    const ToolResult enlarged = Crop({"p.bmp", "e.png", "--size=small", "--frame=5,6,57,57"});
    ASSERT_EQ(enlarged.exitCode, 0) << enlarged.err;
    EXPECT_EQ(enlarged.out, "frame 5,6,57,57 of 400 x 300 -> 60 x 60, bilinear\n");
}

// Stored 64 x 32 with orientation 6: upright 32 x 64; a further quarter turn: 64 x 32 again.
TEST_F(FaceCrop, FramesAreInThePictureTurnedByItsOrientationAndThenByRotate) {
    testsupport::RawPicture raw{64, 32, 3, std::vector<std::uint8_t>(64 * 32 * 3)};
    for (std::size_t i = 0; i < raw.samples.size(); ++i)
        raw.samples[i] = static_cast<std::uint8_t>(i * 7 / 3);
    const auto jpeg =
        Save("p.jpg", picture::testing::WithOrientation(testsupport::jpeg::Encode(raw), 6, true));
    const ToolResult upright = Crop({"p.jpg", "u.png", "--size", "small"});
    ASSERT_EQ(upright.exitCode, 0) << upright.err;
    EXPECT_EQ(upright.out, "frame 0,16,32,32 of 32 x 64 -> 60 x 60, bilinear\n");

    const ToolResult turned = Crop({"p.jpg", "t.png", "--size", "small", "--rotate", "90"});
    ASSERT_EQ(turned.exitCode, 0) << turned.err;
    EXPECT_EQ(turned.out, "frame 16,0,32,32 of 64 x 32 -> 60 x 60, bilinear\n");
    auto read = picture::ReadJpegForDialog(jpeg, L"p.jpg");
    picture::TurnUpright(read, jpeg, L"p.jpg");
    const std::optional<picture::CDIB> rotated =
        picture::RotateQuarterTurns(std::get<picture::CDIB>(read), 1);
    ASSERT_TRUE(rotated);
    ExpectPng("t.png", Scaled(*rotated, 16, 0, 32, 32, 60, 60, FaceScaling::AreaAverage));
}

TEST_F(FaceCrop, RefusesFramesTheDialogWouldNotAllow) {
    Save("p.bmp", GradientBmp(400, 300));
    struct Case {
        std::vector<std::string> options;
        std::string message;
    };
    const Case cases[] = {
        {{"--size", "medium", "--frame", "0,0,100,90"},
         "kaocg-tool: frame 0,0,100,90: not of the medium face's aspect 96 x 120"},
        {{"--size", "large", "--frame", "300,10,200,200"},
         "kaocg-tool: frame 300,10,200,200: reaches outside the upright picture of 400 x 300"},
        {{"--size", "large", "--frame", "-1,0,100,100"}, "reaches outside"},
        {{"--size", "small", "--frame", "0,0,50,50"}, "smaller than the crop dialog allows"},
        {{"--size", "small", "--frame", "0,0,0,0"}, "must be positive"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words{"p.bmp", "out.png"};
        words.insert(words.end(), c.options.begin(), c.options.end());
        const ToolResult result = Crop(words);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty());
    }
    EXPECT_FALSE(fs::exists(folder.Path() / "out.png"));
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"p.bmp", "out.png"},
          {"p.bmp", "out.png", "--size", "huge"},
          {"p.bmp", "out.png", "--size", "large", "--rotate", "45"},
          {"p.bmp", "out.png", "--size", "large", "--frame", "1,2,3"},
          {"p.bmp", "out.png", "--size", "large", "--frame", "1,2,3,4,"}}) {
        EXPECT_EQ(Crop(words).exitCode, 2) << words.back();
    }
}

TEST_F(FaceCrop, PictureDecodeTurnsThePictureUpright) {
    testsupport::RawPicture raw{16, 8, 3, std::vector<std::uint8_t>(16 * 8 * 3, 128)};
    Save("p.jpg", picture::testing::WithOrientation(testsupport::jpeg::Encode(raw), 8));
    const ToolResult result = RunTool(folder.Path(), {"picture", "decode", "p.jpg", "p.png"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "JPEG 8 x 16\n");
    EXPECT_EQ(LoadPngPixels(folder.Path() / "p.png").height, 16);
}

}  // namespace
}  // namespace kaocg_tool_test
