#include <gtest/gtest.h>

#include <vector>

#include "kaocg/face_id_transfer.h"
#include "kaocg/fake_file_system.h"
#include "kaocg/id_archive_bytes.h"

namespace kaocg_func {
namespace {

using kaocg_test::EmptyTable;
using kaocg_test::EntryOf;
using kaocg_test::IdArchiveBytes;
using kaocg_test::kBaseIdPath;
using kaocg_test::kEditFolder;
using kaocg_test::kZvIdPath;

constexpr int kBase = 0;
constexpr int kZV = 1;

class FaceIdTransfer : public ::testing::Test {
protected:
    bool Transfer(int edition, FaceSlotTable& table, TransferMode mode,
                  std::wstring_view folder = kEditFolder) {
        const ArchiveContext context{files, edition};
        return TransferFaceIdArchive(context, folder, table, mode, generals);
    }

    kaocg_test::FakeFileSystem files;
    std::vector<GeneralDefault> generals;
};

TEST_F(FaceIdTransfer, EachEditionReadsItsOwnFile) {
    FaceSlotTable base = EmptyTable();
    base[5] = 50;
    FaceSlotTable zv = EmptyTable();
    zv[5] = 1750;
    zv[2500] = 8000;
    files.Put(kBaseIdPath, IdArchiveBytes(false, base));
    files.Put(kZvIdPath, IdArchiveBytes(true, zv));

    FaceSlotTable table = EmptyTable();
    ASSERT_TRUE(Transfer(kBase, table, TransferMode::Load));
    EXPECT_EQ(table, base);
    table = EmptyTable();
    ASSERT_TRUE(Transfer(kZV, table, TransferMode::Load));
    EXPECT_EQ(table, zv);
    EXPECT_EQ(files.OpenFiles(), 0);
}

TEST_F(FaceIdTransfer, ReadOnlyArchiveLoadsAndStaysReadOnly) {
    files.Put(kBaseIdPath, IdArchiveBytes(false, EmptyTable()), true);
    FaceSlotTable table = EmptyTable();
    EXPECT_TRUE(Transfer(kBase, table, TransferMode::Load));
    EXPECT_TRUE(files.IsReadOnly(kBaseIdPath));
}

TEST_F(FaceIdTransfer, BaseFileUnderTheExpansionNameIsRejected) {
    FaceSlotTable base = EmptyTable();
    base[5] = 50;
    files.Put(kZvIdPath, IdArchiveBytes(false, base));
    files.Put(kBaseIdPath, IdArchiveBytes(false, base));
    FaceSlotTable table = EmptyTable();
    EXPECT_FALSE(Transfer(kZV, table, TransferMode::Load));
    EXPECT_EQ(table, EmptyTable()) << "an unreadable file of its own is no reason to import";
}

TEST_F(FaceIdTransfer, FileHeldByAnotherProgramFailsWithoutImport) {
    files.Put(kZvIdPath, IdArchiveBytes(true, EmptyTable()));
    files.Put(kBaseIdPath, IdArchiveBytes(false, EmptyTable()));
    const auto held = files.Open(kZvIdPath, platform::OpenMode::kRead, true);
    FaceSlotTable table = EmptyTable();
    EXPECT_FALSE(Transfer(kZV, table, TransferMode::Load));
    EXPECT_EQ(table, EmptyTable());
    EXPECT_FALSE(Transfer(kZV, table, TransferMode::Save));
    EXPECT_EQ(files.Bytes(kZvIdPath), IdArchiveBytes(true, EmptyTable()));
}

TEST_F(FaceIdTransfer, MissingFileFailsAndChangesNothing) {
    FaceSlotTable table = EmptyTable();
    table[3] = 3;
    const FaceSlotTable before = table;
    EXPECT_FALSE(Transfer(kBase, table, TransferMode::Load));
    EXPECT_FALSE(Transfer(kZV, table, TransferMode::Load));
    EXPECT_EQ(table, before);
}

TEST_F(FaceIdTransfer, FailedLoadLeavesTheTableAsItWas) {
    FaceSlotTable written = EmptyTable();
    written[1] = 11;
    std::vector<std::uint8_t> bytes = IdArchiveBytes(false, written);
    bytes[16 + 8 * 2] = 0x7F;  // record 2 out of place
    files.Put(kBaseIdPath, bytes);
    FaceSlotTable table = EmptyTable();
    EXPECT_FALSE(Transfer(kBase, table, TransferMode::Load));
    EXPECT_EQ(table, EmptyTable());
}

TEST_F(FaceIdTransfer, UnknownEditionOrModeFails) {
    files.Put(kBaseIdPath, IdArchiveBytes(false, EmptyTable()));
    FaceSlotTable table = EmptyTable();
    EXPECT_FALSE(Transfer(-1, table, TransferMode::Load));
    EXPECT_FALSE(Transfer(2, table, TransferMode::Save));
    EXPECT_FALSE(Transfer(kBase, table, static_cast<TransferMode>(2)));
    EXPECT_EQ(files.replaceCalls, 0);
    EXPECT_FALSE(files.Exists(kZvIdPath));
}

TEST_F(FaceIdTransfer, SaveWritesTheWholeArchiveInOneReplacement) {
    FaceSlotTable table = EmptyTable();
    table[338] = 0;
    table[2599] = 6026;
    ASSERT_TRUE(Transfer(kZV, table, TransferMode::Save));
    EXPECT_EQ(files.Bytes(kZvIdPath), IdArchiveBytes(true, table));
    EXPECT_EQ(files.replaceCalls, 1);
    EXPECT_EQ(files.truncatingOpens, 0);
    EXPECT_EQ(files.OpenFiles(), 0);
    ASSERT_TRUE(Transfer(kBase, table, TransferMode::Save));
    EXPECT_EQ(files.Bytes(kBaseIdPath).size(), 18976u);
}

TEST_F(FaceIdTransfer, SaveOverAReadOnlyArchiveClearsTheAttribute) {
    files.Put(kBaseIdPath, IdArchiveBytes(false, EmptyTable()), true);
    FaceSlotTable table = EmptyTable();
    table[7] = 70;
    ASSERT_TRUE(Transfer(kBase, table, TransferMode::Save));
    EXPECT_EQ(EntryOf(files.Bytes(kBaseIdPath), 7), 70u);
    EXPECT_FALSE(files.IsReadOnly(kBaseIdPath));
}

TEST_F(FaceIdTransfer, FailedSaveLeavesTheOldArchiveWhole) {
    FaceSlotTable old = EmptyTable();
    old[7] = 70;
    files.Put(kBaseIdPath, IdArchiveBytes(false, old), true);
    FaceSlotTable table = EmptyTable();
    table[7] = 71;

    files.failSetReadOnly = true;
    EXPECT_FALSE(Transfer(kBase, table, TransferMode::Save));
    EXPECT_EQ(files.Bytes(kBaseIdPath), IdArchiveBytes(false, old));

    files.failSetReadOnly = false;
    files.failReplace = true;  // a full disk
    EXPECT_FALSE(Transfer(kBase, table, TransferMode::Save));
    EXPECT_EQ(files.Bytes(kBaseIdPath), IdArchiveBytes(false, old));
    EXPECT_EQ(files.truncatingOpens, 0);
}

TEST_F(FaceIdTransfer, PathLimitIsOneThousandTwentyThreeCharacters) {
    // kaoedit.q06 has 11 characters.
    const std::wstring fits(1023 - 11, L'a');
    files.Put(fits + L"kaoedit.q06", IdArchiveBytes(false, EmptyTable()));
    FaceSlotTable table = EmptyTable();
    EXPECT_TRUE(Transfer(kBase, table, TransferMode::Load, fits));
    EXPECT_TRUE(Transfer(kBase, table, TransferMode::Save, fits));
    const std::wstring tooLong = fits + L"a";
    files.Put(tooLong + L"kaoedit.q06", IdArchiveBytes(false, EmptyTable()));
    EXPECT_FALSE(Transfer(kBase, table, TransferMode::Load, tooLong));
    EXPECT_FALSE(Transfer(kBase, table, TransferMode::Save, tooLong));
    EXPECT_EQ(files.replaceCalls, 1);
}

}  // namespace
}  // namespace kaocg_func
