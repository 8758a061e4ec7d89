#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "face_tool_support.h"
#include "kaocg/face_pictures.h"
#include "kaocg/image_archive_layout.h"
#include "lumo/io/utf.h"
#include "picture/bmp_builder.h"
#include "resources/string_table.h"
#include "support/jpeg_encoder.h"
#include "support/photo_picture.h"
#include "tool_runner.h"

namespace kaocg_tool_test {
namespace {

namespace fs = std::filesystem;

class PictureAndArchiveCommands : public testing::Test {
protected:
    ToolResult Run(const std::vector<std::string>& args) const {
        return RunTool(folder.Path(), args);
    }
    fs::path At(const std::string& name) const { return folder.Path() / name; }
    void Save(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(At(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    TempFolder folder;
};

TEST_F(PictureAndArchiveCommands, PictureDecodeGivesTheLoadImageDialogsPicture) {
    // 3 x 2 pixels: the dialog widens rows to 4 pixels with black.
    Save("small.bmp", picture::testing::Build(picture::testing::Bmp(
                          3, 2, 24, {0xFF0000, 0x00FF00, 0x0000FF, 0x102030, 0x405060, 0x708090})));
    const ToolResult bmp = Run({"picture", "decode", "small.bmp", "bmp.png"});
    ASSERT_EQ(bmp.exitCode, 0) << bmp.err;
    const PngPixels fromBmp = LoadPngPixels(At("bmp.png"));
    ASSERT_EQ(fromBmp.width, 4);
    ASSERT_EQ(fromBmp.height, 2);
    EXPECT_EQ(std::vector<std::uint8_t>(fromBmp.At(0, 0), fromBmp.At(0, 0) + 4),
              (std::vector<std::uint8_t>{255, 0, 0, 255}));
    EXPECT_EQ(std::vector<std::uint8_t>(fromBmp.At(2, 1), fromBmp.At(2, 1) + 4),
              (std::vector<std::uint8_t>{0x70, 0x80, 0x90, 255}));
    EXPECT_EQ(std::vector<std::uint8_t>(fromBmp.At(3, 0), fromBmp.At(3, 0) + 4),
              (std::vector<std::uint8_t>{0, 0, 0, 255}));

    testsupport::RawPicture grey{16, 8, 3, std::vector<std::uint8_t>(16 * 8 * 3, 128)};
    Save("grey.jpg", testsupport::jpeg::Encode(grey));
    ASSERT_EQ(Run({"picture", "decode", "grey.jpg", "jpeg.png"}).exitCode, 0);
    const PngPixels fromJpeg = LoadPngPixels(At("jpeg.png"));
    ASSERT_EQ(fromJpeg.width, 16);
    EXPECT_NEAR(fromJpeg.At(9, 5)[1], 128, 2);
}

TEST_F(PictureAndArchiveCommands, PictureDecodeWarnsOfAnEarlyEndAndStillWritesThePicture) {
    std::vector<std::uint8_t> jpeg =
        testsupport::jpeg::Encode(testsupport::MakePhotoLikePicture(64, 48));
    jpeg.resize(jpeg.size() * 2 / 3);
    Save("cut.jpg", jpeg);
    const ToolResult cut = Run({"picture", "decode", "cut.jpg", "cut.png"});
    ASSERT_EQ(cut.exitCode, 0) << cut.err;
    // The dialog's two lines of text on one line, after the path.
    std::string text = lumo::WideToUtf8(resources::LoadString(resources::IDS_PICTURE_ENDS_EARLY));
    std::replace(text.begin(), text.end(), '\n', ' ');
    EXPECT_EQ(cut.err, "warning: cut.jpg " + text + "\n");
    EXPECT_EQ(cut.out, "JPEG 64 x 48\n");
    const PngPixels picture = LoadPngPixels(At("cut.png"));
    EXPECT_EQ(picture.At(63, 47)[0], 128);
}

TEST_F(PictureAndArchiveCommands, PictureDecodePrintsTheDialogsMessageOnFailure) {
    picture::testing::BmpFile rle = picture::testing::Bmp(4, 4, 8);
    rle.compression = picture::BI_RLE8;
    Save("rle.bmp", picture::testing::Build(rle));
    const ToolResult refused = Run({"picture", "decode", "rle.bmp", "out.png"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err,
              "rle.bmp\n" + lumo::WideToUtf8(resources::LoadString(resources::IDS_BMP_COMPRESSED)) +
                  "\n");
    // A file of no picture kind is told so, whatever its name.
    Save("text.jpg", {'h', 'e', 'l', 'l', 'o'});
    const ToolResult notJpeg = Run({"picture", "decode", "text.jpg", "out.png"});
    EXPECT_EQ(notJpeg.exitCode, 1);
    EXPECT_EQ(notJpeg.err,
              "text.jpg\n" +
                  lumo::WideToUtf8(resources::LoadString(resources::IDS_PICTURE_UNKNOWN)) + "\n");
    EXPECT_FALSE(fs::exists(At("out.png")));
}

TEST_F(PictureAndArchiveCommands, ArchiveInfoShowsHeaderSlotsAndUsedBits) {
    BlankInstall install(folder.Path());
    install.CopyEditArchives();
    ASSERT_TRUE(install.SaveFace(2203 + 7, kaocg_test::PatternPicture(64)));
    ASSERT_TRUE(install.SaveFace(2203 + 1099, kaocg_test::PatternPicture(64)));
    const ToolResult edit =
        Run({"archive", "info", install.ArchiveHostPath(kaocg_func::kKindEditSmall).string()});
    ASSERT_EQ(edit.exitCode, 0) << edit.err;
    for (const char* line :
         {"\nentry count: 1100\n", "\ninfo directory offset: 8832\n", "\nkind: edit small",
          "\nheader: as the editor requires\n", "\ntable: default layout",
          "\nslots decoding: 1100 of 1100 (1098 blank)\n", "\nused slots: 2: 7 1099\n"}) {
        EXPECT_NE(edit.out.find(line), std::string::npos) << line << "\n" << edit.out;
    }

    const fs::path cut = At("KAO_S.q06");
    fs::copy_file(install.ArchiveHostPath(kaocg_func::kKindStockSmall), cut);
    fs::resize_file(cut, 29152 + 3 * 16448 + 100);
    const ToolResult stock = Run({"archive", "info", cut.string()});
    ASSERT_EQ(stock.exitCode, 0) << stock.err;
    for (const char* line : {"\nentry count: 1598\n", "\nedition: zv\n", "\nkind: stock small",
                             "\nslots decoding: 3 of 1598 (3 blank)\n",
                             "\n  slot 3 at 78496: past the end of the file\n"}) {
        EXPECT_NE(stock.out.find(line), std::string::npos) << line << "\n" << stock.out;
    }
    EXPECT_EQ(stock.out.find("used slots"), std::string::npos);

    Save("short.q06", {'L', 'I', 'N', 'K'});
    EXPECT_EQ(Run({"archive", "info", "short.q06"}).exitCode, 1);
    Save("other.q06", std::vector<std::uint8_t>(64, 'x'));
    const ToolResult other = Run({"archive", "info", "other.q06"});
    EXPECT_EQ(other.exitCode, 1);
    EXPECT_NE(other.err.find("not a face image archive"), std::string::npos);
}

}  // namespace
}  // namespace kaocg_tool_test
