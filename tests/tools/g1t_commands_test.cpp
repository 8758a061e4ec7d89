#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tool_runner.h"

namespace kaocg_tool_test {
namespace {

namespace fs = std::filesystem;

// Non-premultiplied pixels with alpha that varies, so that a premultiplying step on the way
// would show.
QImage Gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGBA8888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixelColor(
                x, y,
                QColor(x * 255 / width, y * 255 / height, (x * y) % 256, 255 - (x + y) * 7 % 200));
        }
    }
    return image;
}

int MaxChannelDifference(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            worst = std::max({worst, std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                              std::abs(p.blue() - q.blue()), std::abs(p.alpha() - q.alpha())});
        }
    }
    return worst;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

class KaocgToolTest : public testing::Test {
protected:
    void SetUp() override {
        // Diagnostics of the toolkit would add lines; English keeps the messages comparable.
        unsetenv("KAOCG_DEBUG");
        setenv("LC_ALL", "C", 1);
    }

    fs::path At(const std::string& name) const { return folder.Path() / name; }

    void SavePicture(const QImage& image, const std::string& name) const {
        ASSERT_TRUE(image.save(QString::fromStdString(At(name).string()), "PNG"));
    }

    QImage LoadPicture(const std::string& name) const {
        QImage image(QString::fromStdString(At(name).string()), "PNG");
        return image.convertToFormat(QImage::Format_RGBA8888);
    }

    ToolResult Run(const std::vector<std::string>& args) const {
        return RunTool(folder.Path(), args);
    }

    // Runs a command that must fail and checks the shape of its diagnostic.
    void ExpectFailure(const std::vector<std::string>& args, int exitCode,
                       const std::string& fragment) const {
        const ToolResult result = Run(args);
        SCOPED_TRACE(args.empty() ? std::string("(no arguments)") : args[0]);
        EXPECT_EQ(result.exitCode, exitCode);
        const std::vector<std::string> lines = Lines(result.err);
        ASSERT_EQ(lines.size(), 1u) << result.err;
        EXPECT_EQ(lines[0].rfind("kaocg-tool: ", 0), 0u) << lines[0];
        EXPECT_NE(lines[0].find(fragment), std::string::npos) << lines[0];
    }

    TempFolder folder;
};

TEST_F(KaocgToolTest, Bgra8RoundTripIsExactInBothByteOrders) {
    const QImage picture = Gradient(16, 8);
    SavePicture(picture, "in.png");
    for (const auto& [platform, magic] : {std::pair{"0", "GT1G0600"}, std::pair{"2", "G1TG0060"}}) {
        SCOPED_TRACE(platform);
        const ToolResult encoded = Run(
            {"g1t", "encode", "in.png", "out.g1t", "--format", "BGRA8", "--platform", platform});
        ASSERT_EQ(encoded.exitCode, 0) << encoded.err;
        EXPECT_EQ(encoded.err, "");
        const std::string bytes = ReadText(At("out.g1t"));
        EXPECT_EQ(bytes.size(), 44u + 4 * 16 * 8);
        EXPECT_EQ(bytes.substr(0, 8), magic);

        const ToolResult decoded = Run({"g1t", "decode", "out.g1t", "back.png"});
        ASSERT_EQ(decoded.exitCode, 0) << decoded.err;
        const QImage back = LoadPicture("back.png");
        ASSERT_EQ(back.size(), picture.size());
        EXPECT_EQ(MaxChannelDifference(back, picture), 0);
    }
    // Written through temporary files that must not stay behind.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"back.png", "in.png", "out.g1t"}));
}

TEST_F(KaocgToolTest, Dxt1RoundTripStaysClose) {
    QImage picture(16, 16, QImage::Format_RGBA8888);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            picture.setPixelColor(x, y, QColor(40 + x * 8, 200 - y * 6, 90 + x * 3, 255));
        }
    }
    SavePicture(picture, "in.png");
    ASSERT_EQ(Run({"g1t", "encode", "in.png", "out.g1t", "--format", "DXT1"}).exitCode, 0);
    EXPECT_EQ(ReadText(At("out.g1t")).size(), 44u + 16 * 16 / 2);
    ASSERT_EQ(Run({"g1t", "decode", "out.g1t", "back.png"}).exitCode, 0);
    const QImage back = LoadPicture("back.png");
    ASSERT_EQ(back.size(), picture.size());
    EXPECT_LE(MaxChannelDifference(back, picture), 12);
}

TEST_F(KaocgToolTest, SmallerLevelsAreWrittenAndDecodable) {
    QImage picture(16, 16, QImage::Format_RGBA8888);
    picture.fill(QColor(200, 100, 50, 255));
    SavePicture(picture, "in.png");
    ASSERT_EQ(
        Run({"g1t", "encode", "in.png", "out.g1t", "--format", "BGRA8", "--levels", "3"}).exitCode,
        0);
    EXPECT_EQ(ReadText(At("out.g1t")).size(), 44u + 4 * (256 + 64 + 16));
    ASSERT_EQ(Run({"g1t", "decode", "out.g1t", "back.png", "--level", "2"}).exitCode, 0);
    const QImage back = LoadPicture("back.png");
    ASSERT_EQ(back.size(), QSize(4, 4));
    // A uniform picture halves into the same colour with the box filter.
    EXPECT_EQ(MaxChannelDifference(back, picture.copy(0, 0, 4, 4)), 0);
}

TEST_F(KaocgToolTest, InfoPrintsHeaderAndTextureFields) {
    SavePicture(Gradient(16, 8), "in.png");
    ASSERT_EQ(Run({"g1t", "encode", "in.png", "out.g1t", "--format", "DXT1", "--platform", "2",
                   "--levels", "2"})
                  .exitCode,
              0);
    const ToolResult info = Run({"g1t", "info", "out.g1t"});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.err, "");
    EXPECT_EQ(
        Lines(info.out),
        (std::vector<std::string>{
            "magic: G1TG", "version: 0060", "file size: 124", "header size: 32", "texture count: 1",
            "platform: 2", "extra block size: 0", "per-texture words: 0", "trailing block: no",
            "texture 0: format 6 DXT1, 16 x 8, levels 2, layout single, platform 2, "
            "extended header no, colour space -"}));
}

TEST_F(KaocgToolTest, BadInputsFailWithOneLine) {
    SavePicture(Gradient(16, 8), "in.png");
    SavePicture(Gradient(12, 8), "odd.png");
    ASSERT_EQ(Run({"g1t", "encode", "in.png", "good.g1t", "--format", "BGRA8"}).exitCode, 0);
    std::ofstream(At("cut.g1t"), std::ios::binary) << ReadText(At("good.g1t")).substr(0, 60);

    ExpectFailure({"g1t", "info", "missing.g1t"}, 1, "missing.g1t: cannot open");
    ExpectFailure({"g1t", "info", "in.png"}, 1, "not a G1T file");
    ExpectFailure({"g1t", "info", "cut.g1t"}, 1, "damaged G1T file");
    ExpectFailure({"g1t", "decode", "good.g1t", "x.png", "--texture", "1"}, 1, "no texture 1");
    ExpectFailure({"g1t", "decode", "good.g1t", "x.png", "--level", "1"}, 1, "no level 1");
    ExpectFailure({"g1t", "encode", "odd.png", "x.g1t", "--format", "BGRA8"}, 1, "powers of two");
    ExpectFailure({"g1t", "encode", "in.png", "x.g1t", "--format", "BGRA8", "--levels", "6"}, 1,
                  "only 5 levels");
    ExpectFailure({"g1t", "encode", "in.png", "x.g1t", "--format", "R32F"}, 1,
                  "Invalid pixel format.");
    ExpectFailure({"g1t", "encode", "in.png", "x.g1t", "--format", "NOPE"}, 2,
                  "unknown format name 'NOPE'");
    ExpectFailure({"g1t", "encode", "in.png", "x.g1t", "--format", "TILE_INDEX8"}, 2,
                  "needs a palette");
    ExpectFailure({"g1t", "encode", "in.png", "x.g1t", "--format", "BGRA8", "--platform", "5"}, 2,
                  "--platform");
    ExpectFailure({"g1t", "encode", "in.png", "x.g1t"}, 2, "--format is required");
    ExpectFailure({"g1t", "info", "good.g1t", "--bogus", "1"}, 2, "unknown option --bogus");
    ExpectFailure({"g1t", "info"}, 2, "usage: kaocg-tool g1t info FILE");
    EXPECT_FALSE(fs::exists(At("x.g1t")));
    EXPECT_FALSE(fs::exists(At("x.png")));
}

TEST_F(KaocgToolTest, EncodeWritesThePixelsOfTheFormatThePlatformStores) {
    const QImage picture = Gradient(16, 8);
    SavePicture(picture, "in.png");
    // BGRA8 on platform 4 is stored as RGBA8, TILE_RGBA8 on platform 0 as BGRA8.
    for (const auto& [format, platform] : {std::pair{"BGRA8", "4"}, std::pair{"TILE_RGBA8", "0"}}) {
        SCOPED_TRACE(format);
        ASSERT_EQ(
            Run({"g1t", "encode", "in.png", "out.g1t", "--format", format, "--platform", platform})
                .exitCode,
            0);
        ASSERT_EQ(Run({"g1t", "decode", "out.g1t", "back.png"}).exitCode, 0);
        EXPECT_EQ(MaxChannelDifference(LoadPicture("back.png"), picture), 0);
    }
    ExpectFailure({"g1t", "encode", "in.png", "x.g1t", "--format", "B5G6R5"}, 1,
                  "format B5G6R5 has no encoder on platform 0");
    ExpectFailure({"g1t", "encode", "in.png", "x.g1t", "--format", "TILE_B5G6R5"}, 1,
                  "format TILE_B5G6R5 (stored as B5G6R5) has no encoder on platform 0");
    EXPECT_FALSE(fs::exists(At("x.g1t")));
}

TEST_F(KaocgToolTest, FailedEncodeKeepsTheExistingOutput) {
    SavePicture(Gradient(12, 8), "odd.png");
    std::ofstream(At("out.g1t")) << "keep me";
    ExpectFailure({"g1t", "encode", "odd.png", "out.g1t", "--format", "BGRA8"}, 1, "powers of two");
    EXPECT_EQ(ReadText(At("out.g1t")), "keep me");
}

TEST_F(KaocgToolTest, UnknownCommandShowsUsage) {
    ExpectFailure({}, 2, "no command given");
    ExpectFailure({"g1t", "frobnicate"}, 2, "unknown command");
    const ToolResult result = Run({"g1t", "frobnicate"});
    EXPECT_NE(result.out.find("kaocg-tool g1t encode IN.png OUT.g1t --format NAME"),
              std::string::npos);
}

}  // namespace
}  // namespace kaocg_tool_test
