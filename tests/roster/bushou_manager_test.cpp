#include <gtest/gtest.h>

#include "kaocg/face_number_map.h"
#include "kaocg/fake_file_system.h"
#include "kaocg/id_archive_bytes.h"
#include "roster/bushou_manager.h"

namespace roster {
namespace {

using kaocg_func::FaceSlotTable;
using kaocg_func::kImportedFlag;
using kaocg_func::kNoFaceEntry;
using kaocg_test::EmptyTable;
using kaocg_test::EntryOf;
using kaocg_test::IdArchiveBytes;
using kaocg_test::kBaseIdPath;
using kaocg_test::kEditFolder;
using kaocg_test::kZvIdPath;

constexpr int kZV = kaocg_func::kEditionZV;
// ZV rows 2 and 3 and their shipped faces.
constexpr int kRowA = 2;
constexpr std::int32_t kCodeA = 637;
constexpr std::int32_t kFaceA = 413;
constexpr int kRowB = 3;
constexpr std::int32_t kCodeB = 640;
constexpr std::int32_t kFaceB = 515;
constexpr int kRow338 = 1478;
constexpr int kRow2274 = 1479;

class BushouManager : public ::testing::Test {
protected:
    BushouManager() { manager.build(); }

    bool Apply() { return manager.ApplyFaceAssignments(context, kEditFolder); }
    bool Store() { return manager.StoreFaceAssignments(context, kEditFolder); }
    bushou& At(int row) { return *manager.at(row); }

    kaocg_test::FakeFileSystem files;
    kaocg_func::ArchiveContext context{files, kZV};
    bushou_manager manager{kZV};
};

TEST_F(BushouManager, BuildGivesEveryRowItsDefaultFace) {
    ASSERT_EQ(manager.count(), 1480);
    for (int i = 0; i < manager.count(); ++i) {
        const bushou& general = At(i);
        ASSERT_EQ(general.RowIndex(), i);
        ASSERT_EQ(general.CurrentFace(), general.DefaultFace());
        ASSERT_EQ(general.SavedFace(), general.DefaultFace());
    }
    EXPECT_EQ(manager.at(-1), nullptr);
    EXPECT_EQ(manager.at(1480), nullptr);
    EXPECT_FALSE(manager.HasUnsavedChanges());
    EXPECT_FALSE(manager.DiffersFromShipped());
    manager.build();
    EXPECT_EQ(manager.count(), 1480);
}

TEST(Bushou, UnboundRecordAnswersNothing) {
    const bushou general;
    EXPECT_FALSE(general.IsValid());
    EXPECT_EQ(general.Code(), -1);
    EXPECT_EQ(general.Name(), L"");
    EXPECT_EQ(general.DefaultFace(), -1);
    EXPECT_EQ(general.DisplayName(), L"");
    const bushou_manager unknownEdition(-1);
    EXPECT_EQ(unknownEdition.count(), 0);
}

TEST_F(BushouManager, DisplayNameMarksAChangeUntilItIsUndone) {
    bushou& general = At(kRowA);
    const std::wstring name = general.Name();
    EXPECT_EQ(general.DisplayName(), name);
    general.SetCurrentFace(1705);
    EXPECT_EQ(general.DisplayName(), name + L"(變更)");
    EXPECT_TRUE(manager.HasUnsavedChanges());
    EXPECT_TRUE(manager.DiffersFromShipped());
    general.SetCurrentFace(kFaceA);
    EXPECT_EQ(general.DisplayName(), name);
    EXPECT_FALSE(manager.HasUnsavedChanges());
    EXPECT_FALSE(manager.DiffersFromShipped());
}

TEST_F(BushouManager, FixedFaceGeneralsCannotBeChanged) {
    At(kRow338).SetCurrentFace(1705);
    At(kRow2274).SetCurrentFace(1705);
    EXPECT_EQ(At(kRow338).ShownFaceNumber(), 0);
    EXPECT_EQ(At(kRow2274).ShownFaceNumber(), 6026);
    EXPECT_FALSE(manager.HasUnsavedChanges());
}

TEST_F(BushouManager, ImportedEntriesCountAsChangedOnlyWhenTheyDifferFromTheDefault) {
    FaceSlotTable table = EmptyTable();
    table[kCodeA] = kFaceA | kImportedFlag;
    table[kCodeB] = 1710 | kImportedFlag;
    files.Put(kZvIdPath, IdArchiveBytes(true, table));
    ASSERT_TRUE(Apply());
    EXPECT_EQ(At(kRowA).DisplayName(), At(kRowA).Name());
    EXPECT_EQ(At(kRowB).CurrentFace(), 1710);
    EXPECT_EQ(At(kRowB).SavedFace(), kFaceB);
    EXPECT_EQ(At(kRowB).DisplayName(), At(kRowB).Name() + L"(變更)");
    EXPECT_TRUE(manager.HasUnsavedChanges());
}

TEST_F(BushouManager, PlainEntriesBecomeTheSavedFaces) {
    FaceSlotTable table = EmptyTable();
    table[kCodeB] = 1710;
    files.Put(kZvIdPath, IdArchiveBytes(true, table));
    ASSERT_TRUE(Apply());
    EXPECT_EQ(At(kRowB).CurrentFace(), 1710);
    EXPECT_EQ(At(kRowB).SavedFace(), 1710);
    EXPECT_FALSE(manager.HasUnsavedChanges());
    EXPECT_TRUE(manager.DiffersFromShipped());

    // Back to the shipped face: unsaved, yet no longer different from what the game ships.
    At(kRowB).SetCurrentFace(kFaceB);
    EXPECT_TRUE(manager.HasUnsavedChanges());
    EXPECT_FALSE(manager.DiffersFromShipped());
}

TEST_F(BushouManager, EmptyEntryKeepsTheDefaultFace) {
    FaceSlotTable table = EmptyTable();
    table[kCodeB] = 1710;
    files.Put(kZvIdPath, IdArchiveBytes(true, table));  // kCodeA has no entry
    ASSERT_TRUE(Apply());
    EXPECT_EQ(At(kRowA).CurrentFace(), kFaceA);
    EXPECT_EQ(At(kRowA).SavedFace(), kFaceA);
}

TEST_F(BushouManager, FixedFacesSurviveTheArchiveAndAreStoredAsFixed) {
    FaceSlotTable table = EmptyTable();
    table[338] = 1720;
    table[2274] = 1721 | kImportedFlag;
    files.Put(kZvIdPath, IdArchiveBytes(true, table));
    ASSERT_TRUE(Apply());
    EXPECT_EQ(At(kRow338).CurrentFace(), 0);
    EXPECT_EQ(At(kRow2274).CurrentFace(), 6026);
    EXPECT_FALSE(manager.HasUnsavedChanges());

    ASSERT_TRUE(Store());
    const auto bytes = files.Bytes(kZvIdPath);
    EXPECT_EQ(EntryOf(bytes, 338), 0u);
    EXPECT_EQ(EntryOf(bytes, 2274), 6026u);
}

TEST_F(BushouManager, StoreWritesEveryGeneralUnflaggedAndClearsTheMarks) {
    FaceSlotTable base = EmptyTable();
    base[kCodeB] = 1710;
    files.Put(kBaseIdPath, IdArchiveBytes(false, base));  // imported: no expansion file yet
    ASSERT_TRUE(Apply());
    ASSERT_TRUE(manager.HasUnsavedChanges());
    At(kRowA).SetCurrentFace(1711);

    ASSERT_TRUE(Store());
    EXPECT_FALSE(manager.HasUnsavedChanges());
    EXPECT_EQ(At(kRowB).DisplayName(), At(kRowB).Name());
    const auto bytes = files.Bytes(kZvIdPath);
    ASSERT_EQ(bytes.size(), 20816u);
    EXPECT_EQ(EntryOf(bytes, kCodeA), 1711u);
    EXPECT_EQ(EntryOf(bytes, kCodeB), 1710u);
    for (int i = 0; i < manager.count(); ++i) {
        EXPECT_EQ(EntryOf(bytes, At(i).Code()), At(i).ShownFaceNumber() + 0u);
    }
    EXPECT_EQ(EntryOf(bytes, 2305 + 1), kNoFaceEntry);

    bushou_manager reloaded(kZV);
    reloaded.build();
    ASSERT_TRUE(reloaded.ApplyFaceAssignments(context, kEditFolder));
    EXPECT_FALSE(reloaded.HasUnsavedChanges());
    EXPECT_EQ(reloaded.at(kRowB)->CurrentFace(), 1710);
}

TEST_F(BushouManager, FailedStoreKeepsTheMarksAndTheOldFile) {
    files.Put(kZvIdPath, IdArchiveBytes(true, EmptyTable()), true);
    At(kRowA).SetCurrentFace(1711);
    files.failReplace = true;
    EXPECT_FALSE(Store());
    EXPECT_TRUE(manager.HasUnsavedChanges());
    EXPECT_EQ(At(kRowA).SavedFace(), kFaceA);
    EXPECT_EQ(files.Bytes(kZvIdPath), IdArchiveBytes(true, EmptyTable()));
}

TEST_F(BushouManager, FailedApplyChangesNothing) {
    At(kRowA).SetCurrentFace(1711);
    EXPECT_FALSE(Apply());  // no archive of either edition
    EXPECT_EQ(At(kRowA).CurrentFace(), 1711);
    EXPECT_EQ(At(kRowA).SavedFace(), kFaceA);
}

TEST_F(BushouManager, ArchiveOfAnotherEditionIsRefused) {
    files.Put(kBaseIdPath, IdArchiveBytes(false, EmptyTable()));
    const kaocg_func::ArchiveContext base{files, kaocg_func::kEditionBase};
    EXPECT_FALSE(manager.ApplyFaceAssignments(base, kEditFolder));
    EXPECT_FALSE(manager.StoreFaceAssignments(base, kEditFolder));
    EXPECT_EQ(files.replaceCalls, 0);
}

}  // namespace
}  // namespace roster
