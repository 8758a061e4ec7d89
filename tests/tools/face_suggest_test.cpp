#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "picture/bmp_builder.h"
#include "picture/face_finder.h"
#include "picture/face_frame.h"
#include "tool_runner.h"

namespace kaocg_tool_test {
namespace {

namespace fs = std::filesystem;

constexpr char kPortraitPath[] = "/usr/share/matplotlib/mpl-data/sample_data/grace_hopper.jpg";

class FaceSuggest : public testing::Test {
protected:
    ToolResult Run(const std::vector<std::string>& args) const {
        return RunTool(folder.Path(), args);
    }
    TempFolder folder;
};

std::string FrameLine(const picture::FaceFrame& f) {
    std::ostringstream line;
    line << "frame " << f.left << ',' << f.top << ',' << f.width << ',' << f.height;
    return line.str();
}

// Reads "frame X,Y,W,H" and "faces N" back.
struct Printed {
    picture::FaceFrame frame{};
    int faces = -1;
};

Printed Parse(const std::string& out) {
    Printed printed;
    char comma = 0;
    std::istringstream in(out);
    std::string word;
    in >> word >> printed.frame.left >> comma >> printed.frame.top >> comma >>
        printed.frame.width >> comma >> printed.frame.height >> word >> printed.faces;
    return printed;
}

TEST_F(FaceSuggest, PictureWithoutAFacePrintsTheCentredFrame) {
    std::vector<std::uint32_t> gradient;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            gradient.push_back(static_cast<std::uint32_t>(x * 255 / 399 << 8 | y * 255 / 299));
    const std::vector<std::uint8_t> bmp =
        picture::testing::Build(picture::testing::Bmp(400, 300, 24, gradient));
    std::ofstream(folder.Path() / "sky.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));

    const ToolResult medium = Run({"face", "suggest", "sky.bmp", "--size", "medium"});
    ASSERT_EQ(medium.exitCode, 0) << medium.err;
    EXPECT_EQ(medium.out, FrameLine(picture::CentredFaceFrame(400, 300, 96, 120)) + "\nfaces 0\n");
    const ToolResult wrong = Run({"face", "suggest", "sky.bmp", "--size", "huge"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.find("large, medium or small"), std::string::npos) << wrong.err;
}

TEST_F(FaceSuggest, PortraitPrintsTheFrameAroundItsFace) {
    if (!picture::FaceFinder::Available() || !fs::exists(kPortraitPath) ||
        !fs::exists(picture::FaceFinder::DefaultCascadePath()))
        GTEST_SKIP() << "face detection, opencv-data or python-matplotlib-data is missing";
    const ToolResult large = Run({"face", "suggest", kPortraitPath, "--size", "large"});
    ASSERT_EQ(large.exitCode, 0) << large.err;
    const Printed printed = Parse(large.out);
    EXPECT_EQ(printed.faces, 1);
    EXPECT_EQ(printed.frame.width, printed.frame.height);
    // The face's centre is near (263, 215) in the 512 x 600 portrait, about 215 pixels wide.
    EXPECT_NEAR(printed.frame.left + printed.frame.width / 2, 263, 30);
    EXPECT_NEAR(printed.frame.width, 430, 60);
    EXPECT_LE(printed.frame.top, 215 - 215 / 2);

    // face crop without a frame crops what face suggest proposes.
    const ToolResult crop = Run({"face", "crop", kPortraitPath, "face.png", "--size", "large"});
    ASSERT_EQ(crop.exitCode, 0) << crop.err;
    EXPECT_EQ(crop.out.rfind(FrameLine(printed.frame) + " of", 0), 0u) << crop.out;
}

}  // namespace
}  // namespace kaocg_tool_test
