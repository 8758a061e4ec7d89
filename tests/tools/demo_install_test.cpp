#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "demo_support.h"
#include "lumo/io/binary_reader.h"
#include "lumo/io/g1t/g1t_file.h"
#include "tool_runner.h"

namespace kaocg_tool_test {
namespace {

namespace fs = std::filesystem;

struct ArchiveFacts {
    const char* name;
    std::uint32_t entrySize;
    std::uint32_t side;
    bool edit;
    std::array<std::uint64_t, 2> fileSize;  // base, ZV
};

// The six archives as the game lays them out.
constexpr std::array<ArchiveFacts, 6> kArchives{{
    {"KAO_L.q06", 262200, 256, false, {381803992, 419037528}},
    {"KAO_M.q06", 65592, 128, false, {95542744, 104857944}},
    {"KAO_S.q06", 16440, 64, false, {23977432, 26313048}},
    {"EDIT_KAO_L.Q06", 262200, 256, true, {288450978, 288450978}},
    {"EDIT_KAO_M.Q06", 65592, 128, true, {72182178, 72182178}},
    {"EDIT_KAO_S.Q06", 16440, 64, true, {18114978, 18114978}},
}};

std::uint32_t EntryCountOf(const ArchiveFacts& a, int edition) {
    return a.edit ? 1100 : edition == 1 ? 1598 : 1456;
}

std::uint32_t FirstSlotOf(const ArchiveFacts& a) {
    return a.edit ? 22048 : 29152;
}

std::uint32_t InfoOffsetOf(const ArchiveFacts& a, int edition) {
    return a.edit ? 8832 : edition == 1 ? 12832 : 11680;
}

std::string ReadAt(const fs::path& path, std::uint64_t offset, std::size_t size) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(offset));
    std::string bytes(size, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

std::uint32_t U32(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = v << 8 | static_cast<std::uint8_t>(bytes.at(at + i));
    }
    return v;
}

std::uint16_t U16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes.at(at)) |
                                      static_cast<std::uint8_t>(bytes.at(at + 1)) << 8);
}

bool AllZero(const std::string& bytes) {
    return bytes.find_first_not_of('\0') == std::string::npos;
}

fs::path GrpFolder(const fs::path& prefix, int edition) {
    return prefix / "drive_c" / "Program Files (x86)" / "TAVU" /
           (edition == 1 ? "Quorvane06ZV Tc" : "Quorvane06 Tc") / "grp";
}

// One blank install of both editions serves the archive checks of the whole suite.
class DemoArchiveTest : public testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() {
        s_folder = std::make_unique<TempFolder>();
        const ToolResult made =
            RunTool(s_folder->Path(), {"make-demo-install", "pfx", "--edition", "both", "--blank"});
        ASSERT_EQ(made.exitCode, 0) << made.err;
        EXPECT_EQ(made.err, "");
    }
    static void TearDownTestSuite() { s_folder.reset(); }

    fs::path Archive(const ArchiveFacts& a) const {
        return GrpFolder(s_folder->Path() / "pfx", GetParam()) / a.name;
    }

    static std::unique_ptr<TempFolder> s_folder;
};

std::unique_ptr<TempFolder> DemoArchiveTest::s_folder;

TEST_P(DemoArchiveTest, HeaderEntryTableAndInfoDirectoryFollowTheLayout) {
    const int edition = GetParam();
    for (const ArchiveFacts& a : kArchives) {
        SCOPED_TRACE(a.name);
        const fs::path path = Archive(a);
        ASSERT_EQ(fs::file_size(path), a.fileSize[static_cast<std::size_t>(edition)]);
        const std::uint32_t count = EntryCountOf(a, edition);
        const std::uint32_t info = InfoOffsetOf(a, edition);
        const std::string head = ReadAt(path, 0, FirstSlotOf(a));
        EXPECT_EQ(head.substr(0, 4), "LINK");
        EXPECT_EQ(U32(head, 4), count);
        EXPECT_EQ(U32(head, 8), 32u);
        EXPECT_EQ(U32(head, 12), count);
        EXPECT_EQ(U32(head, 16), info);
        EXPECT_TRUE(AllZero(head.substr(20, 12)));
        std::uint32_t wrongEntries = 0;
        for (std::uint32_t i = 0; i < count; ++i) {
            wrongEntries += U32(head, 32 + 8 * i) != FirstSlotOf(a) + i * (a.entrySize + 8) ||
                            U32(head, 36 + 8 * i) != a.entrySize;
        }
        EXPECT_EQ(wrongEntries, 0u);
        // Records that would run into the first slot are not written.
        const std::uint32_t records = std::min(count, (FirstSlotOf(a) - info) / 12);
        EXPECT_EQ(records, !a.edit && edition == 1 ? 1360u : count);
        for (std::uint32_t i = 0; i < records; i += records - 1) {
            EXPECT_EQ(U16(head, info + 12 * i + 4), a.side) << i;
            EXPECT_EQ(U16(head, info + 12 * i + 6), a.side) << i;
        }
    }
}

// A blank slot needs its headers on disk and little else; the small archives, with four
// blocks to a slot, gain the least.
TEST_P(DemoArchiveTest, EditArchivesEndWithAClearBitmapAndAllAreSparse) {
    std::uint64_t allocated = 0;
    std::uint64_t total = 0;
    for (const ArchiveFacts& a : kArchives) {
        SCOPED_TRACE(a.name);
        const fs::path path = Archive(a);
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_LT(info.st_blocks * 512, info.st_size / 2);
        allocated += static_cast<std::uint64_t>(info.st_blocks) * 512;
        total += static_cast<std::uint64_t>(info.st_size);
        if (a.edit) {
            const std::uint64_t bitmap = std::uint64_t{a.entrySize + 28} * 1100 + 40;
            EXPECT_EQ(fs::file_size(path), bitmap + 138);
            EXPECT_TRUE(AllZero(ReadAt(path, bitmap, 138)));
        }
    }
    EXPECT_LT(allocated, total / 8);
}

// Every slot is a G1T file as the game writes it: 56 bytes of headers with the extended
// texture header, then one level in the slot's format, then zeros up to the entry size.
TEST_P(DemoArchiveTest, SlotsHoldTransparentGameStyleTextures) {
    const int edition = GetParam();
    for (const ArchiveFacts& a : kArchives) {
        const std::uint32_t count = EntryCountOf(a, edition);
        for (const std::uint32_t slot : {0u, 1u, 2u, 3u, count - 1}) {
            SCOPED_TRACE(std::string(a.name) + " slot " + std::to_string(slot));
            const std::string bytes = ReadAt(
                Archive(a), FirstSlotOf(a) + std::uint64_t{slot} * (a.entrySize + 8), a.entrySize);
            ASSERT_EQ(bytes.size(), a.entrySize);
            lumo::CG1TFileImpl file;
            lumo::CBinaryReaderFromMemory reader(bytes.data(), a.entrySize);
            ASSERT_TRUE(file.Read(reader));
            ASSERT_EQ(file.TextureCount(), 1u);
            const lumo::CG1TTexture& t = *file.FirstTexture();
            const std::uint32_t format = a.edit || slot % 8 == 0 ? lumo::kFormatBGRA8
                                         : slot % 2 == 1         ? lumo::kFormatDXT1
                                                                 : lumo::kFormatDXT5;
            EXPECT_EQ(t.Format(), format);
            EXPECT_EQ(t.Width(), a.side);
            EXPECT_EQ(t.Height(), a.side);
            EXPECT_EQ(t.MipCount(), 1u);
            EXPECT_TRUE(t.header.HasExtendedHeader());
            EXPECT_EQ(file.headerSize, 32u);
            EXPECT_EQ(file.fileSize, 56 + lumo::LevelSize(format, a.side, a.side));
            if (format == lumo::kFormatBGRA8) {
                EXPECT_EQ(file.fileSize, a.entrySize);
            }
            EXPECT_TRUE(AllZero(bytes.substr(file.fileSize)));
            std::uint32_t side = 0;
            const Rgba rgba = DecodeSlot(bytes, side);
            ASSERT_EQ(side, a.side);
            EXPECT_TRUE(std::all_of(rgba.begin(), rgba.end(), [](std::uint8_t b) { return !b; }));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, DemoArchiveTest, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& info) {
                             return info.param == 1 ? "ZV" : "Base";
                         });

}  // namespace
}  // namespace kaocg_tool_test
