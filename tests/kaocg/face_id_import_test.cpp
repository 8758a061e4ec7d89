#include <gtest/gtest.h>

#include <vector>

#include "kaocg/face_id_transfer.h"
#include "kaocg/fake_file_system.h"
#include "kaocg/id_archive_bytes.h"

namespace kaocg_func {
namespace {

using kaocg_test::EmptyTable;
using kaocg_test::IdArchiveBytes;
using kaocg_test::kBaseIdPath;
using kaocg_test::kEditFolder;
using kaocg_test::kZvIdPath;

constexpr int kZV = 1;
constexpr std::uint32_t F = kImportedFlag;

class FaceIdImport : public ::testing::Test {
protected:
    FaceIdImport() {
        baseFile = EmptyTable();
        baseFile[1665] = 300;
        baseFile[1670] = kNoFaceEntry;
        baseFile[1685] = 4007;
        baseFile[11] = 55;
        baseFile[12] = 4007;
        baseFile[20] = 77;  // no listed general has code 20
    }

    bool LoadZv(FaceSlotTable& table, std::wstring_view folder = kEditFolder) {
        const ArchiveContext context{files, kZV};
        return TransferFaceIdArchive(context, folder, table, TransferMode::Load, generals);
    }

    kaocg_test::FakeFileSystem files;
    FaceSlotTable baseFile;
    std::vector<GeneralDefault> generals = {
        {1665, 1200}, {1670, 1201}, {1685, 6010}, {10, 100}, {11, 101}, {12, 102}, {2500, 8000},
    };
};

TEST_F(FaceIdImport, ExpansionWithoutItsOwnFileTakesTheBaseFileMarked) {
    files.Put(kBaseIdPath, IdArchiveBytes(false, baseFile), true);
    FaceSlotTable table = EmptyTable();
    ASSERT_TRUE(LoadZv(table));
    EXPECT_EQ(table[1665], 1200 | F) << "always the shipped face";
    EXPECT_EQ(table[1670], 1201 | F);
    EXPECT_EQ(table[1685], 6010 | F) << "the stand-in face 4007 is replaced";
    EXPECT_EQ(table[10], 100 | F) << "no entry: the shipped face";
    EXPECT_EQ(table[11], 55 | F) << "the player's choice is kept";
    EXPECT_EQ(table[12], 4007 | F) << "4007 is only special for 1685";
    EXPECT_EQ(table[2500], 8000 | F) << "beyond the base file's records";
    EXPECT_EQ(table[20], 77u) << "codes of no listed general keep the file's value";
    EXPECT_EQ(table[21], kNoFaceEntry);
    EXPECT_FALSE(files.Exists(kZvIdPath));
    EXPECT_EQ(files.OpenFiles(), 0);
}

TEST_F(FaceIdImport, OtherFaceForTheStandInGeneralIsKept) {
    baseFile[1685] = 4008;
    files.Put(kBaseIdPath, IdArchiveBytes(false, baseFile));
    FaceSlotTable table = EmptyTable();
    ASSERT_TRUE(LoadZv(table));
    EXPECT_EQ(table[1685], 4008 | F);
}

TEST_F(FaceIdImport, ImportsOnEveryLoadUntilTheFirstSave) {
    files.Put(kBaseIdPath, IdArchiveBytes(false, baseFile));
    FaceSlotTable first = EmptyTable();
    ASSERT_TRUE(LoadZv(first));
    FaceSlotTable second = EmptyTable();
    ASSERT_TRUE(LoadZv(second));
    EXPECT_EQ(first, second);

    FaceSlotTable saved = first;
    for (std::uint32_t& entry : saved) {
        entry = entry == kNoFaceEntry ? entry : entry & kFaceNumberMask;
    }
    const ArchiveContext context{files, kZV};
    ASSERT_TRUE(TransferFaceIdArchive(context, kEditFolder, saved, TransferMode::Save, generals));
    files.Put(kBaseIdPath, IdArchiveBytes(false, EmptyTable()));  // must no longer matter
    FaceSlotTable third = EmptyTable();
    ASSERT_TRUE(LoadZv(third));
    EXPECT_EQ(third, saved);
    EXPECT_EQ(third[11], 55u);
}

TEST_F(FaceIdImport, UnreadableBaseFileFailsAndChangesNothing) {
    std::vector<std::uint8_t> bytes = IdArchiveBytes(false, baseFile);
    bytes.resize(10);
    files.Put(kBaseIdPath, bytes);
    FaceSlotTable table = EmptyTable();
    EXPECT_FALSE(LoadZv(table));
    EXPECT_EQ(table, EmptyTable());

    files.Put(kBaseIdPath, IdArchiveBytes(true, baseFile));  // expansion magic
    EXPECT_FALSE(LoadZv(table));
    EXPECT_EQ(table, EmptyTable());
}

TEST_F(FaceIdImport, ExpansionPathTooLongFallsBackToTheShorterBaseName) {
    const std::wstring folder(1023 - 11, L'a');
    files.Put(folder + L"kaoedit.q06", IdArchiveBytes(false, baseFile));
    FaceSlotTable table = EmptyTable();
    ASSERT_TRUE(LoadZv(table, folder));
    EXPECT_EQ(table[11], 55 | F);
}

TEST_F(FaceIdImport, GeneralsOutsideTheTableAreIgnored) {
    files.Put(kBaseIdPath, IdArchiveBytes(false, baseFile));
    generals = {{-1, 5}, {2600, 5}, {11, 101}};
    FaceSlotTable table = EmptyTable();
    ASSERT_TRUE(LoadZv(table));
    EXPECT_EQ(table[11], 55 | F);
    EXPECT_EQ(table[1665], 300u) << "not a listed general here";
}

}  // namespace
}  // namespace kaocg_func
