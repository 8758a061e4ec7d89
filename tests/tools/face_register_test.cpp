#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/game_environment.h"
#include "face_tool_support.h"
#include "kaocg/face_texture.h"
#include "kaocg/image_archive_layout.h"
#include "lumo/io/utf.h"
#include "picture/bmp_builder.h"
#include "picture/exif_builder.h"
#include "platform/platform.h"
#include "resources/string_table.h"
#include "support/jpeg_encoder.h"
#include "tool_runner.h"

namespace kaocg_tool_test {
namespace {

namespace fs = std::filesystem;
using kaocg_func::kKindEditLarge;
using kaocg_func::kKindEditMedium;
using kaocg_func::kKindEditSmall;

std::string Text(int id) {
    return lumo::WideToUtf8(resources::LoadString(id));
}

// The slot a solid crop of a face size must become: black texture, crop in the top-left.
std::vector<std::uint8_t> ExpectedSlot(int kind, int width, int height, std::uint32_t rgb) {
    const int side = static_cast<int>(kaocg_func::TextureSide(kind));
    auto texture = picture::CDIB::CreateWithPixels(side, side, {}, 24);
    auto crop = picture::CDIB::CreateWithPixels(width, height, {}, 24);
    EXPECT_TRUE(texture && crop && crop->Fill(rgb));
    EXPECT_TRUE(crop->CopyRect(*texture, 0, 0, width, height, 0, 0));
    std::vector<std::uint8_t> slot(kaocg_func::EntrySize(kind));
    EXPECT_TRUE(kaocg_func::EncodeFaceTexture(*texture, kind, slot));
    return slot;
}

class FaceRegister : public testing::Test {
protected:
    void SetUp() override {
        // The game's mutex is a lock file in the runtime folder; keep this test's apart.
        fs::create_directories(folder.Path() / "run");
        setenv("XDG_RUNTIME_DIR", (folder.Path() / "run").c_str(), 1);
    }

    ToolResult Register(const std::vector<std::string>& words) {
        std::vector<std::string> args{"face", "register", install.Prefix()};
        args.insert(args.end(), words.begin(), words.end());
        return RunTool(folder.Path(), args);
    }
    std::string Save(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const fs::path path = folder.Path() / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    std::string SolidBmp(const std::string& name, int width, int height, std::uint32_t rgb,
                         std::uint16_t bits = 24) {
        const std::size_t count = static_cast<std::size_t>(width) * height;
        return Save(name, picture::testing::Build(picture::testing::Bmp(
                              width, height, bits, std::vector<std::uint32_t>(count, rgb))));
    }
    // Solid BMP files of the three face sizes.
    std::vector<std::string> Trio(std::uint32_t rgb) {
        return {SolidBmp("l.bmp", 240, 240, rgb), SolidBmp("m.bmp", 96, 120, rgb),
                SolidBmp("s.bmp", 60, 60, rgb)};
    }
    std::vector<std::uint8_t> Read(int kind, std::uint64_t offset, std::size_t count) {
        std::vector<std::uint8_t> bytes(count);
        std::ifstream file(install.ArchiveHostPath(kind), std::ios::binary);
        file.seekg(static_cast<std::streamoff>(offset));
        file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
        EXPECT_TRUE(file) << install.ArchiveHostPath(kind);
        return bytes;
    }
    std::vector<std::uint8_t> Slot(int kind, std::uint32_t slot) {
        return Read(kind, kaocg_func::DefaultSlotOffset(kind, slot), kaocg_func::EntrySize(kind));
    }
    std::vector<std::uint8_t> Bitmap(int kind) {
        return Read(kind, kaocg_func::UsedSlotBitmapOffset(kind), kaocg_func::kUsedSlotBitmapSize);
    }
    void ExpectNothingRegistered() {
        for (int kind = kKindEditLarge; kind <= kKindEditSmall; ++kind) {
            EXPECT_EQ(Bitmap(kind), std::vector<std::uint8_t>(kaocg_func::kUsedSlotBitmapSize, 0));
        }
    }

    fs::path EditFolder() {
        return install.ArchiveHostPath(kKindEditLarge).parent_path().parent_path();
    }
    fs::path FindIdArchive() { return EditFolder() / "kaoeditzv.q06"; }
    bool HasBackup() {
        for (const auto& entry : fs::directory_iterator(EditFolder())) {
            if (entry.path().extension() == ".bak") {
                return true;
            }
        }
        return false;
    }

    TempFolder folder;
    BlankInstall install{folder.Path()};
};

TEST_F(FaceRegister, CopiesTheEditArchivesAndWritesEverySlotGivenWithOneLineEach) {
    std::vector<std::string> words{"3"};
    for (const std::string& file : Trio(0x102030)) {
        words.push_back(file);
    }
    // A second face from JPEG files; 1-bit BMP rows are widened to 64, the picture is 60 wide.
    testsupport::RawPicture grey{240, 240, 3, std::vector<std::uint8_t>(240 * 240 * 3, 128)};
    testsupport::RawPicture greyMedium{96, 120, 3, std::vector<std::uint8_t>(96 * 120 * 3, 128)};
    words.insert(words.end(), {"999", Save("l.jpg", testsupport::jpeg::Encode(grey)),
                               Save("m.jpg", testsupport::jpeg::Encode(greyMedium)),
                               SolidBmp("s1.bmp", 60, 60, 0, 1)});
    const ToolResult result = Register(words);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "slot 3\tface number 1703\tregistered\nslot 999\tface number 2699\tregistered\n");

    EXPECT_TRUE(Slot(kKindEditLarge, 3) == ExpectedSlot(kKindEditLarge, 240, 240, 0x102030));
    EXPECT_TRUE(Slot(kKindEditMedium, 3) == ExpectedSlot(kKindEditMedium, 96, 120, 0x102030));
    EXPECT_TRUE(Slot(kKindEditSmall, 3) == ExpectedSlot(kKindEditSmall, 60, 60, 0x102030));
    for (int kind = kKindEditLarge; kind <= kKindEditSmall; ++kind) {
        const std::vector<std::uint8_t> bits = Bitmap(kind);
        EXPECT_EQ(bits[0], 0x08) << kind;
        EXPECT_EQ(bits[124], 0x80) << kind;
    }
    // The JPEG's grey reached the large slot's first pixel (blue, green, red, alpha).
    const std::vector<std::uint8_t> large = Slot(kKindEditLarge, 999);
    EXPECT_NEAR(large[44], 128, 2);
    EXPECT_EQ(large[47], 255);
}

TEST_F(FaceRegister, PicturesNotAtTheirFaceSizeAreRefusedBeforeAnythingIsWritten) {
    const std::vector<std::string> good = Trio(0x405060);
    struct Case {
        std::vector<std::string> words;
        std::string message;
    };
    const std::string wide = SolidBmp("wide.bmp", 241, 240, 1);
    const std::string narrow = SolidBmp("narrow.bmp", 58, 60, 1);  // read 60 wide
    const std::string tall = SolidBmp("tall.bmp", 96, 121, 1);
    const Case cases[] = {
        {{"0", wide, good[1], good[2]},
         "241 x 240 pixels; the large face must be exactly 240 x 240"},
        {{"0", good[0], good[1], narrow}, "58 x 60 pixels; the small face must be exactly 60 x 60"},
        {{"0", good[0], tall, good[2]},
         "96 x 121 pixels; the medium face must be exactly 96 x 120"},
        // The first face would fit: the second one's wrong file stops both.
        {{"0", good[0], good[1], good[2], "1", good[0], good[1], wide}, "241 x 240"},
        {{"0", good[0], good[1], Save("text.bmp", {'n', 'o'})}, "not a BMP or JPEG picture"},
    };
    for (const Case& c : cases) {
        const ToolResult result = Register(c.words);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
    }
    EXPECT_FALSE(fs::exists(install.ArchiveHostPath(kKindEditLarge)));
}

// A phone's medium face stored 120 x 96 a quarter turn away: its upright size is what counts.
TEST_F(FaceRegister, ASidewaysPhotoIsRegisteredUpright) {
    testsupport::RawPicture stored{120, 96, 3, std::vector<std::uint8_t>(120 * 96 * 3, 0)};
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 120; ++x)
            stored.samples[(y * 120 + x) * 3 + (y < 48 ? 0 : 1)] = 255;  // red above green
    }
    const std::string sideways =
        Save("m6.jpg", picture::testing::WithOrientation(testsupport::jpeg::Encode(stored), 6));
    const std::vector<std::string> trio = Trio(0x707070);
    const ToolResult result = Register({"7", trio[0], sideways, trio[2]});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // Turned clockwise, the stored bottom rows (green) come to the left.
    const std::vector<std::uint8_t> medium = Slot(kKindEditMedium, 7);
    EXPECT_GT(medium[45], 200);
    EXPECT_LT(medium[46], 60);
}

TEST_F(FaceRegister, CommandLinesThatNameNoSlotAreUsageErrors) {
    const std::vector<std::string> good = Trio(0);
    EXPECT_EQ(Register({"1000", good[0], good[1], good[2]}).exitCode, 2);
    EXPECT_EQ(Register({"1", good[0], good[1]}).exitCode, 2);
    EXPECT_EQ(Register({"1", good[0], good[1], good[2], "2"}).exitCode, 2);
}

TEST_F(FaceRegister, TheRunningGameStopsItWithTheEditorsMessage) {
    install.CopyEditArchives();
    auto platform = platform::CreateWinePlatform(install.Prefix());
    auto game = platform->GetProcesses().OpenGlobalMutex(game::kGameMutex);
    ASSERT_TRUE(game);
    const std::vector<std::string> trio = Trio(0x707070);
    const ToolResult result = Register({"4", trio[0], trio[1], trio[2]});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(Text(resources::IDS_QUIT_GAME_FIRST)), std::string::npos)
        << result.err;
    ExpectNothingRegistered();
}

TEST_F(FaceRegister, AFailedWriteIsReportedWithTheSaveFailureMessage) {
    install.CopyEditArchives();
    fs::remove(install.ArchiveHostPath(kKindEditMedium));
    fs::create_directory(install.ArchiveHostPath(kKindEditMedium));
    const std::vector<std::string> trio = Trio(0x707070);
    const ToolResult result = Register({"5", trio[0], trio[1], trio[2]});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("slot 5: " + Text(resources::IDS_SAVE_FAILED)), std::string::npos)
        << result.err;
    EXPECT_TRUE(result.out.empty());
    EXPECT_EQ(Bitmap(kKindEditSmall)[0], 0x20) << "the other sizes were still written";
}

// A slot that holds a picture is overwritten only with --replace, as the editor asks first.
TEST_F(FaceRegister, AUsedSlotIsRefusedUnlessReplaceIsGiven) {
    const std::vector<std::string> first = Trio(0x101010);
    ASSERT_EQ(Register({"6", first[0], first[1], first[2]}).exitCode, 0);
    const std::vector<std::uint8_t> kept = Slot(kKindEditLarge, 6);
    const std::vector<std::string> second = Trio(0x202020);
    const ToolResult refused = Register({"6", second[0], second[1], second[2]});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("slot 6 (face number 1706) already holds a picture"),
              std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("--replace"), std::string::npos);
    EXPECT_TRUE(Slot(kKindEditLarge, 6) == kept);
    const ToolResult replaced = Register({"6", second[0], second[1], second[2], "--replace"});
    ASSERT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_TRUE(Slot(kKindEditLarge, 6) == ExpectedSlot(kKindEditLarge, 240, 240, 0x202020));
}

// face assign writes the ID archive as Save does: every record, the faces given, a backup.
TEST_F(FaceRegister, AssignWritesTheIdArchiveAsSaveDoes) {
    const std::vector<std::string> trio = Trio(0x303030);
    ASSERT_EQ(Register({"2", trio[0], trio[1], trio[2]}).exitCode, 0);
    ToolResult result =
        RunTool(folder.Path(), {"face", "assign", install.Prefix(), "637", "1702", "640", "5"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("general 637\t"), std::string::npos) << result.out;
    const std::string ids = ReadText(FindIdArchive());
    ASSERT_EQ(ids.size(), 16u + 8u * 2600u);
    const auto entry = [&ids](std::uint32_t code) {
        std::uint32_t value = 0;
        std::memcpy(&value, ids.data() + 16 + 8 * code + 4, 4);
        return value;
    };
    EXPECT_EQ(entry(637), 1702u);
    EXPECT_EQ(entry(640), 5u);
    EXPECT_EQ(entry(338), 0u) << "the fixed faces are written as Save writes them";

    result = RunTool(folder.Path(), {"face", "assign", install.Prefix(), "637", "1703"});
    EXPECT_EQ(result.exitCode, 1) << "an edit slot without a picture";
    EXPECT_NE(result.err.find("1703"), std::string::npos);
    result = RunTool(folder.Path(), {"face", "assign", install.Prefix(), "637", "2"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(HasBackup()) << "the second write kept the first file";
}

}  // namespace
}  // namespace kaocg_tool_test
