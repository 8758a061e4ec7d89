#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "demo_support.h"
#include "face_tool_support.h"
#include "kaocg/face_number_map.h"
#include "kaocg/face_pictures.h"
#include "kaocg/face_texture.h"
#include "kaocg/image_archive_layout.h"
#include "tool_runner.h"
#include "tools/demo/face_painter.h"

namespace kaocg_tool_test {
namespace {

namespace fs = std::filesystem;
using kaocg_test::PatternPicture;

constexpr std::int32_t kFirstSmallEdit = 2203;

std::vector<std::uint8_t> EncodedSlot(int kind, const picture::CDIB& picture) {
    std::vector<std::uint8_t> slot(kaocg_func::EntrySize(kind));
    EXPECT_TRUE(kaocg_func::EncodeFaceTexture(picture, kind, slot));
    return slot;
}

class FaceExport : public testing::Test {
protected:
    ToolResult Run(const std::vector<std::string>& args) const {
        return RunTool(folder.Path(), args);
    }
    fs::path At(const std::string& name) const { return folder.Path() / name; }
    TempFolder folder;
};

TEST_F(FaceExport, WritesAStockFaceOfTheInstalledEditionAtItsTextureSize) {
    BlankInstall zv(folder.Path() / "zv", "zv");
    ASSERT_EQ(Run({"face", "export", zv.Prefix(), "8099", "small.png"}).exitCode, 0);
    ASSERT_EQ(Run({"face", "export", zv.Prefix(), "3304", "large.png"}).exitCode, 0);
    const PngPixels small = LoadPngPixels(At("small.png"));
    EXPECT_EQ(small.width, 64);
    EXPECT_EQ(small.height, 64);
    EXPECT_TRUE(std::all_of(small.rgba.begin(), small.rgba.end(), [](auto b) { return b == 0; }));
    EXPECT_EQ(LoadPngPixels(At("large.png")).width, 256);

    BlankInstall base(folder.Path() / "base", "base");
    EXPECT_EQ(Run({"face", "export", base.Prefix(), "7673", "base.png"}).exitCode, 0);
    const ToolResult beyond = Run({"face", "export", base.Prefix(), "8099", "no.png"});
    EXPECT_EQ(beyond.exitCode, 1);
    EXPECT_NE(beyond.err.find("no archive of the base edition"), std::string::npos) << beyond.err;
    EXPECT_FALSE(fs::exists(At("no.png")));
}

TEST_F(FaceExport, RegisteredFacesComeOutWithTheirAlpha) {
    BlankInstall install(folder.Path());
    install.CopyEditArchives();
    ASSERT_TRUE(install.SaveFace(kFirstSmallEdit + 7, PatternPicture(64)));
    ASSERT_TRUE(install.SaveFace(1 + 7, PatternPicture(256)));
    ASSERT_EQ(Run({"face", "export", install.Prefix(), "2210", "small.png"}).exitCode, 0);
    ASSERT_EQ(Run({"face", "export", install.Prefix(), "8", "large.png"}).exitCode, 0);

    const std::vector<std::uint8_t> slot =
        EncodedSlot(kaocg_func::kKindEditSmall, PatternPicture(64));
    const PngPixels small = LoadPngPixels(At("small.png"));
    ASSERT_EQ(small.width, 64);
    std::size_t wrong = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const auto bgra = kaocg_test::SlotPixel(slot, 64, x, y);
            const std::uint8_t* p = small.At(x, y);
            wrong += p[0] != bgra[2] || p[1] != bgra[1] || p[2] != bgra[0] || p[3] != bgra[3];
        }
    }
    EXPECT_EQ(wrong, 0u);
    EXPECT_EQ(small.At(6, 0)[3], 152);

    const PngPixels large = LoadPngPixels(At("large.png"));
    ASSERT_EQ(large.width, 256);
    EXPECT_EQ(large.At(239, 239)[3], 255);
    EXPECT_EQ(large.At(100, 240)[3], 0);
    EXPECT_EQ(large.At(100, 240)[0], kaocg_test::PatternColour(100, 240).r);
}

TEST_F(FaceExport, FailuresNameTheArchiveOrTheId) {
    BlankInstall install(folder.Path());
    const ToolResult missing = Run({"face", "export", install.Prefix(), "2203", "x.png"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("EDIT_KAO_S.q06: no such archive"), std::string::npos)
        << missing.err;
    const ToolResult gap = Run({"face", "export", install.Prefix(), "3303", "x.png"});
    EXPECT_EQ(gap.exitCode, 1);
    EXPECT_NE(gap.err.find("face CG id 3303 belongs to no archive"), std::string::npos);
    fs::create_directory(At("empty"));
    EXPECT_EQ(Run({"face", "export", At("empty").string(), "2203", "x.png"}).exitCode, 1);
    EXPECT_EQ(Run({"face", "export", install.Prefix(), "twelve", "x.png"}).exitCode, 2);
    EXPECT_EQ(Run({"face", "export", install.Prefix(), "12"}).exitCode, 2);
    EXPECT_FALSE(fs::exists(At("x.png")));
}

TEST_F(FaceExport, AllWritesEveryFaceThatDecodesAndCountsTheRest) {
    BlankInstall install(folder.Path());
    install.CopyEditArchives();
    ASSERT_TRUE(install.SaveFace(kFirstSmallEdit + 1, PatternPicture(64)));
    // Few pictures to write, and slots that fail: the large and medium archives are gone and
    // the small ones end after their third slot.
    for (int kind : {kaocg_func::kKindStockLarge, kaocg_func::kKindStockMedium,
                     kaocg_func::kKindEditLarge, kaocg_func::kKindEditMedium}) {
        const fs::path path = install.ArchiveHostPath(kind);
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
        fs::remove(path);
    }
    for (const auto& [kind, firstSlot] :
         {std::pair{kaocg_func::kKindEditSmall, 22048}, {kaocg_func::kKindStockSmall, 29152}}) {
        const fs::path path = install.ArchiveHostPath(kind);
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
        fs::resize_file(path, firstSlot + 3 * 16448);
    }

    const ToolResult all = Run({"face", "export", install.Prefix(), "--all", "faces"});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    EXPECT_NE(all.out.find("ids 3304..4901\texported 0\tfailed 1598 (first 3304)"),
              std::string::npos)
        << all.out;
    EXPECT_NE(all.out.find("ids 2203..3302\texported 3\tfailed 1097 (first 2206)"),
              std::string::npos);
    EXPECT_NE(all.out.find("ids 6502..8099\texported 3\tfailed 1595 (first 6505)"),
              std::string::npos);
    EXPECT_NE(all.out.find("exported 6 faces"), std::string::npos);
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(At("faces"))) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{"2203.png", "2204.png", "2205.png", "6502.png",
                                            "6503.png", "6504.png"}));
    EXPECT_EQ(LoadPngPixels(At("faces/2204.png")).At(6, 0)[3], 152);

    for (int kind : {kaocg_func::kKindEditSmall, kaocg_func::kKindStockSmall}) {
        fs::remove(install.ArchiveHostPath(kind));
    }
    const ToolResult none = Run({"face", "export", install.Prefix(), "--all", "none"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_NE(none.err.find("no face could be read"), std::string::npos);
}

TEST_F(FaceExport, DrawnStockFacesShowTheirOwnNumbers) {
    BlankInstall install(folder.Path(), "zv", false);
    for (const auto& [id, size] : {std::pair{3304 + 5, kaocg_func::kSizeLarge},
                                   {4903 + 700, kaocg_func::kSizeMedium},
                                   {8099, kaocg_func::kSizeSmall}}) {
        const std::string name = std::to_string(id) + ".png";
        ASSERT_EQ(Run({"face", "export", install.Prefix(), std::to_string(id), name}).exitCode, 0);
        const PngPixels face = LoadPngPixels(At(name));
        const kaocg_demo::FaceGeometry geometry = kaocg_demo::FaceGeometryOf(size);
        ASSERT_EQ(face.width, static_cast<int>(geometry.side));
        const std::int32_t number = kaocg_func::StockFaceNumberOf(kaocg_func::kEditionZV, id);
        EXPECT_EQ(
            ReadFaceNumber(face.rgba, geometry.side, kaocg_demo::NumberLabelOf(geometry, number)),
            std::to_string(number))
            << id;
    }
}

}  // namespace
}  // namespace kaocg_tool_test
