#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "demo_support.h"
#include "kaocg/face_number_map.h"
#include "kaocg/image_archive_layout.h"
#include "tool_runner.h"
#include "tools/demo/archive_writer.h"
#include "tools/demo/face_painter.h"

namespace kaocg_tool_test {
namespace {

namespace fs = std::filesystem;

const fs::path kProgramFiles = fs::path("drive_c") / "Program Files (x86)" / "TAVU";

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

int LocalYear(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return 0;
    }
    std::tm local{};
    localtime_r(&info.st_mtime, &local);
    return local.tm_year + 1900;
}

class DemoPrefixTest : public testing::Test {
protected:
    void SetUp() override { setenv("USER", "tester", 1); }

    ToolResult Make(const std::vector<std::string>& options) const {
        std::vector<std::string> args{"make-demo-install", "pfx", "--blank"};
        args.insert(args.end(), options.begin(), options.end());
        return RunTool(folder.Path(), args);
    }

    fs::path Prefix() const { return folder.Path() / "pfx"; }
    std::string UserReg() const { return ReadText(Prefix() / "user.reg"); }

    TempFolder folder;
};

TEST_F(DemoPrefixTest, ZvIsTheDefaultEditionWithItsConfigsKey) {
    const ToolResult made = Make({});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const std::string reg = UserReg();
    EXPECT_EQ(reg.rfind("WINE REGISTRY Version 2\n", 0), 0u);
    EXPECT_TRUE(Has(reg, "\n#arch=win64\n"));
    EXPECT_TRUE(Has(reg, "[Software\\\\TAVU\\\\Quorvane06ZV Tc\\\\Install] "));
    EXPECT_TRUE(
        Has(reg, "\"InstallInfo\"=\"C:\\\\Program Files (x86)\\\\TAVU\\\\Quorvane06ZV Tc\\\\\"\n"));
    EXPECT_TRUE(Has(reg, "[Software\\\\TAVU\\\\Quorvane06ZV Tc\\\\PL] "));
    EXPECT_TRUE(Has(reg, "\"1\"=dword:00000002\n"));
    EXPECT_TRUE(Has(reg, "[Software\\\\TAVU\\\\Quorvane06ZV Tc\\\\Configs] "));
    EXPECT_TRUE(Has(reg, "\"Personal\"=\"C:\\\\users\\\\tester\\\\Documents\"\n"));
    EXPECT_FALSE(Has(reg, "Quorvane06 Tc"));

    EXPECT_EQ(LocalYear(Prefix() / kProgramFiles / "Quorvane06ZV Tc" / "QRVN06ZV.exe"), 2012);
    EXPECT_FALSE(fs::exists(Prefix() / kProgramFiles / "Quorvane06 Tc"));
    EXPECT_EQ(fs::read_symlink(Prefix() / "dosdevices" / "c:"), "../drive_c");
    EXPECT_EQ(fs::read_symlink(Prefix() / "dosdevices" / "z:"), "/");
    EXPECT_TRUE(fs::is_directory(Prefix() / "drive_c" / "users" / "tester" / "Documents"));
}

TEST_F(DemoPrefixTest, BaseEditionHasNoZvKeys) {
    ASSERT_EQ(Make({"--edition", "base"}).exitCode, 0);
    const std::string reg = UserReg();
    EXPECT_TRUE(
        Has(reg, "\"InstallInfo\"=\"C:\\\\Program Files (x86)\\\\TAVU\\\\Quorvane06 Tc\\\\\"\n"));
    EXPECT_TRUE(Has(reg, "[Software\\\\TAVU\\\\Quorvane06 Tc\\\\PL] "));
    EXPECT_FALSE(Has(reg, "ZV"));
    EXPECT_EQ(LocalYear(Prefix() / kProgramFiles / "Quorvane06 Tc" / "QRVN06.EXE"), 2012);
    for (const char* name : {"KAO_L.q06", "KAO_M.q06", "KAO_S.q06", "EDIT_KAO_L.Q06",
                             "EDIT_KAO_M.Q06", "EDIT_KAO_S.Q06"}) {
        EXPECT_TRUE(fs::is_regular_file(Prefix() / kProgramFiles / "Quorvane06 Tc" / "grp" / name))
            << name;
    }
}

// A real Wine prefix must never be overwritten; an earlier demo install may be.
TEST_F(DemoPrefixTest, RefusesAForeignFolderAndRewritesItsOwn) {
    fs::create_directories(Prefix());
    std::ofstream(Prefix() / "user.reg") << "the player's registry";
    const ToolResult refused = Make({});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(Has(refused.err, "holds something other than a demo install")) << refused.err;
    EXPECT_EQ(ReadText(Prefix() / "user.reg"), "the player's registry");

    fs::remove(Prefix() / "user.reg");
    ASSERT_EQ(Make({"--edition", "base"}).exitCode, 0);
    const ToolResult again = Make({"--edition", "zv"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_FALSE(Has(UserReg(), "Quorvane06 Tc\\\\Install"));
    EXPECT_TRUE(Has(UserReg(), "Quorvane06ZV Tc\\\\Install"));
    // No temporary files stay behind.
    for (const auto& entry : fs::recursive_directory_iterator(Prefix())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name[0] != '.' || name == ".kaocg-demo-install") << entry.path();
    }
}

TEST_F(DemoPrefixTest, BadCommandLinesAreUsageErrors) {
    EXPECT_EQ(Make({"--edition", "gold"}).exitCode, 2);
    EXPECT_EQ(Make({"--blank"}).exitCode, 2);
    EXPECT_EQ(RunTool(folder.Path(), {"make-demo-install"}).exitCode, 2);
    EXPECT_FALSE(fs::exists(Prefix()));
}

// The drawn faces carry the number of the face that each stock slot stands for, so the
// editor's lists can be checked by eye and by test.
TEST(DemoStockArchive, DrawnSlotsShowTheirFaceNumbers) {
    using namespace kaocg_func;
    TempFolder folder;
    const fs::path path = folder.Path() / "KAO_S.q06";
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(
        kaocg_demo::WriteImageArchive(path.string(), kKindStockSmall, kEditionZV, false, error))
        << error;
    RecordProperty(
        "seconds",
        std::to_string(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()));
    const kaocg_demo::FaceGeometry geometry = kaocg_demo::FaceGeometryOf(kSizeSmall);
    std::ifstream in(path, std::ios::binary);
    for (const std::uint32_t slot : {0u, 1u, 2u, 1176u, 1177u, 1316u, 1597u}) {
        const std::int32_t number =
            StockFaceNumberOf(kEditionZV, StockFirst(kEditionZV, kSizeSmall) + slot);
        SCOPED_TRACE("slot " + std::to_string(slot) + ", face " + std::to_string(number));
        ASSERT_GE(number, 0);
        std::string bytes(16440, '\0');
        in.seekg(static_cast<std::streamoff>(DefaultSlotOffset(kKindStockSmall, slot)));
        ASSERT_TRUE(in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())));
        std::uint32_t side = 0;
        const Rgba rgba = DecodeSlot(bytes, side);
        ASSERT_EQ(side, 64u);
        EXPECT_EQ(ReadFaceNumber(rgba, side, kaocg_demo::NumberLabelOf(geometry, number)),
                  std::to_string(number));
    }
}

}  // namespace
}  // namespace kaocg_tool_test
