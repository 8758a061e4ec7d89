#include "kaocg/face_image_transfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "kaocg/face_number_map.h"
#include "kaocg/face_pictures.h"
#include "kaocg/face_texture.h"
#include "kaocg/g1t_slot_builder.h"
#include "kaocg/image_archive_bytes.h"
#include "kaocg/image_archive_layout.h"
#include "lumo/io/pixel_format.h"

namespace kaocg_func {
namespace {

using kaocg_test::ArchiveBytes;
using kaocg_test::ArchivePath;
using kaocg_test::CountingFileSystem;
using kaocg_test::kFaceEditFolder;
using kaocg_test::kFaceStockFolder;
using kaocg_test::kSmallEditBitmap;
using kaocg_test::kSmallEditFileSize;
using kaocg_test::PatternPicture;
using kaocg_test::SetU32;
using kaocg_test::SlotAt;
using kaocg_test::SlotBytes;

constexpr std::int32_t kFirstSmallEditId = 2203;

std::vector<std::uint8_t> Encoded(int kind) {
    std::vector<std::uint8_t> slot(EntrySize(kind));
    EXPECT_TRUE(EncodeFaceTexture(PatternPicture(static_cast<std::int32_t>(TextureSide(kind))),
                                  kind, slot));
    return slot;
}

void PutSlot(std::vector<std::uint8_t>& file, std::uint64_t at,
             const std::vector<std::uint8_t>& slot) {
    std::copy(slot.begin(), slot.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
}

class FaceImageTransfer : public testing::Test {
protected:
    // The small edit archive as the editor keeps it: full size and read-only.
    void PutSmallEditArchive(int edition = kEditionZV) {
        files.Put(ArchivePath(kKindEditSmall),
                  ArchiveBytes(kKindEditSmall, edition, kSmallEditFileSize), true);
    }
    bool Save(std::int32_t id, const picture::CDIB& source, bool checkHeader = true,
              int edition = kEditionZV) {
        picture::CDIB picture;
        picture.Create(source);
        return TransferFaceImage({files, edition}, kFaceEditFolder, id, picture, kFaceStockFolder,
                                 TransferMode::Save, checkHeader);
    }
    bool Load(std::int32_t id, picture::CDIB& picture, bool checkHeader = true,
              int edition = kEditionZV) {
        return TransferFaceImage({files, edition}, kFaceEditFolder, id, picture, kFaceStockFolder,
                                 TransferMode::Load, checkHeader);
    }
    std::vector<std::uint8_t> Bytes(int kind) const { return files.Bytes(ArchivePath(kind)); }
    bool ReadOnly(int kind) const { return files.IsReadOnly(ArchivePath(kind)); }

    CountingFileSystem files;
};

TEST_F(FaceImageTransfer, SaveWritesTheSlotAtItsFixedOffsetAndSetsItsBit) {
    PutSmallEditArchive();
    std::vector<std::uint8_t> before = Bytes(kKindEditSmall);
    before[kSmallEditBitmap + 137] = 0x01;  // another slot's bit stays
    files.Put(ArchivePath(kKindEditSmall), before, true);

    ASSERT_TRUE(Save(kFirstSmallEditId + 1099, PatternPicture(64)));
    const std::vector<std::uint8_t> after = Bytes(kKindEditSmall);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(SlotBytes(files, kKindEditSmall, 18098400), Encoded(kKindEditSmall));
    EXPECT_EQ(after[kSmallEditBitmap + 137], 0x09);
    // Nothing else changed: the header and table were already in the default layout.
    std::vector<std::uint8_t> expected = before;
    PutSlot(expected, 18098400, Encoded(kKindEditSmall));
    expected[kSmallEditBitmap + 137] = 0x09;
    EXPECT_TRUE(after == expected);
    EXPECT_TRUE(ReadOnly(kKindEditSmall));
    EXPECT_EQ(files.OpenFiles(), 0);
}

TEST_F(FaceImageTransfer, CheckedSaveRewritesHeaderAndWholeTableInTheDefaultLayout) {
    std::vector<std::uint8_t> bytes = ArchiveBytes(kKindEditSmall, kEditionZV, kSmallEditFileSize);
    std::fill(bytes.begin(), bytes.begin() + 32 + 8 * 1100, 0xEE);  // header, table, reserved
    SetU32(bytes, 32 + 8 * 5, 100000);  // slot 5 elsewhere: the save ignores it
    files.Put(ArchivePath(kKindEditSmall), bytes, true);

    ASSERT_TRUE(Save(kFirstSmallEditId + 5, PatternPicture(64)));
    const std::vector<std::uint8_t> after = Bytes(kKindEditSmall);
    const std::vector<std::uint8_t> fresh = ArchiveBytes(kKindEditSmall, kEditionZV, 32 + 8 * 1100);
    EXPECT_TRUE(std::equal(fresh.begin(), fresh.end(), after.begin()));
    EXPECT_EQ(SlotBytes(files, kKindEditSmall, SlotAt(kKindEditSmall, 5)), Encoded(kKindEditSmall));
    EXPECT_EQ(after[kSmallEditBitmap], 0x20);
    EXPECT_EQ(after[100000], 0);
}

TEST_F(FaceImageTransfer, LoadReadsBackWhatASaveWrote) {
    PutSmallEditArchive();
    ASSERT_TRUE(Save(kFirstSmallEditId + 42, PatternPicture(64)));
    picture::CDIB face;
    ASSERT_TRUE(Load(kFirstSmallEditId + 42, face));
    const std::vector<std::uint8_t> slot = Encoded(kKindEditSmall);
    EXPECT_EQ(face.BitCount(), 32);
    EXPECT_TRUE(std::equal(face.Pixels().begin(), face.Pixels().end(), slot.begin() + 44));
    EXPECT_TRUE(ReadOnly(kKindEditSmall));
}

TEST_F(FaceImageTransfer, ReadOnlyAttributeIsRestoredAfterLoadsAndFailedSaves) {
    PutSmallEditArchive();
    picture::CDIB face;
    EXPECT_FALSE(Load(kFirstSmallEditId, face));  // slot of zeros: no G1T file
    EXPECT_TRUE(ReadOnly(kKindEditSmall));
    EXPECT_FALSE(Save(kFirstSmallEditId, PatternPicture(128)));  // wrong size for the kind
    EXPECT_TRUE(ReadOnly(kKindEditSmall));
    {
        // The game holds the archive open.
        auto held = files.Open(ArchivePath(kKindEditSmall), platform::OpenMode::kRead, true);
        EXPECT_FALSE(Save(kFirstSmallEditId, PatternPicture(64)));
    }
    EXPECT_TRUE(ReadOnly(kKindEditSmall));
    files.Put(ArchivePath(kKindEditSmall), std::vector<std::uint8_t>(40), false);
    EXPECT_FALSE(Save(kFirstSmallEditId, PatternPicture(64)));
    EXPECT_TRUE(ReadOnly(kKindEditSmall));
}

TEST_F(FaceImageTransfer, IdsOfNoArchiveFailWithoutTouchingAnyFile) {
    PutSmallEditArchive();
    for (const auto& [edition, id] : {std::pair<int, int>{kEditionBase, 1101},
                                      {kEditionBase, 3303},
                                      {kEditionBase, 2202},
                                      {kEditionBase, 0},
                                      {kEditionBase, 4760},
                                      {kEditionBase, 7674},
                                      {kEditionZV, 6501},
                                      {kEditionZV, 8100},
                                      {-1, 2203}}) {
        picture::CDIB face;
        EXPECT_FALSE(Load(id, face, true, edition)) << id;
        EXPECT_FALSE(Save(id, PatternPicture(64), true, edition)) << id;
    }
    EXPECT_EQ(files.opens, 0);
    EXPECT_EQ(files.attributeChanges, 0);
}

TEST_F(FaceImageTransfer, StockArchivesAreNeverWritten) {
    files.Put(ArchivePath(kKindStockSmall), ArchiveBytes(kKindStockSmall, kEditionZV, 60000));
    const std::vector<std::uint8_t> before = Bytes(kKindStockSmall);
    EXPECT_FALSE(Save(6502, PatternPicture(64), true));
    EXPECT_FALSE(Save(6502, PatternPicture(64), false));
    EXPECT_EQ(Bytes(kKindStockSmall), before);
    EXPECT_EQ(files.opens, 0);
    EXPECT_FALSE(ReadOnly(kKindStockSmall));
}

TEST_F(FaceImageTransfer, StockArchiveOfTheOtherEditionFailsACheckedLoad) {
    for (int fileEdition : {kEditionBase, kEditionZV}) {
        std::vector<std::uint8_t> bytes = ArchiveBytes(kKindStockSmall, fileEdition, 50000);
        PutSlot(bytes, SlotAt(kKindStockSmall, 0), Encoded(kKindEditSmall));
        files.Put(ArchivePath(kKindStockSmall), bytes);
        const int other = 1 - fileEdition;
        const std::int32_t ownFirst = fileEdition == kEditionZV ? 6502 : 6218;
        const std::int32_t otherFirst = other == kEditionZV ? 6502 : 6218;
        picture::CDIB face;
        EXPECT_TRUE(Load(ownFirst, face, true, fileEdition));
        EXPECT_FALSE(Load(otherFirst, face, true, other)) << fileEdition;
        // Unchecked, the slot is found by the default layout alone.
        EXPECT_TRUE(Load(otherFirst, face, false, other));
    }
}

TEST_F(FaceImageTransfer, CheckedLoadFollowsTheFilesTableWithinTheFile) {
    std::vector<std::uint8_t> bytes = ArchiveBytes(kKindStockSmall, kEditionBase, 200000);
    PutSlot(bytes, 150000, Encoded(kKindEditSmall));
    SetU32(bytes, 32 + 8 * 3, 150000);
    SetU32(bytes, 32 + 8 * 4, 200000 - 16439);  // one byte short of a whole slot
    SetU32(bytes, 32 + 8 * 5, 0xFFFFFFF0);
    files.Put(ArchivePath(kKindStockSmall), bytes);
    picture::CDIB face;
    EXPECT_TRUE(Load(6218 + 3, face, true, kEditionBase));
    EXPECT_FALSE(Load(6218 + 3, face, false, kEditionBase));  // the default slot is empty
    EXPECT_FALSE(Load(6218 + 4, face, true, kEditionBase));
    EXPECT_FALSE(Load(6218 + 5, face, true, kEditionBase));
}

TEST_F(FaceImageTransfer, ShortHeadersAndTablesFailTheCheckedLoad) {
    const std::vector<std::uint8_t> whole = ArchiveBytes(kKindEditSmall, kEditionBase, 40000);
    picture::CDIB face;
    for (std::size_t size : {0, 31, 32 + 8 * 1100 - 1}) {
        files.Put(ArchivePath(kKindEditSmall),
                  std::vector<std::uint8_t>(whole.begin(),
                                            whole.begin() + static_cast<std::ptrdiff_t>(size)));
        EXPECT_FALSE(Load(kFirstSmallEditId, face, true, kEditionBase)) << size;
    }
}

TEST_F(FaceImageTransfer, MissingArchiveFailsAndIsNotCreated) {
    picture::CDIB face;
    EXPECT_FALSE(Load(kFirstSmallEditId, face));
    EXPECT_FALSE(Load(6502, face));
    EXPECT_FALSE(Save(kFirstSmallEditId, PatternPicture(64)));
    EXPECT_FALSE(files.Exists(ArchivePath(kKindEditSmall)));
    EXPECT_FALSE(files.Exists(ArchivePath(kKindStockSmall)));
}

TEST_F(FaceImageTransfer, SaveIntoAnArchiveTooShortForItsBitmapWritesNothing) {
    files.Put(ArchivePath(kKindEditSmall),
              ArchiveBytes(kKindEditSmall, kEditionZV, kSmallEditFileSize - 1), true);
    const std::vector<std::uint8_t> before = Bytes(kKindEditSmall);
    EXPECT_FALSE(Save(kFirstSmallEditId, PatternPicture(64)));
    EXPECT_TRUE(Bytes(kKindEditSmall) == before);
    EXPECT_TRUE(ReadOnly(kKindEditSmall));
}

TEST_F(FaceImageTransfer, SaveIntoAShortForeignFileWritesNothing) {
    // Unlike a cut archive, these do not already hold the header that a save writes.
    for (const std::vector<std::uint8_t>& bytes :
         {std::vector<std::uint8_t>(100, 0x5A), std::vector<std::uint8_t>(40000, 0)}) {
        files.Put(ArchivePath(kKindEditSmall), bytes, true);
        EXPECT_FALSE(Save(kFirstSmallEditId, PatternPicture(64)));
        EXPECT_TRUE(Bytes(kKindEditSmall) == bytes) << bytes.size();
        EXPECT_TRUE(ReadOnly(kKindEditSmall));
    }
}

TEST_F(FaceImageTransfer, PresenceMeansADecodableSlotWithANonZeroByte) {
    PutSmallEditArchive();
    std::vector<std::uint8_t> bytes = Bytes(kKindEditSmall);
    PutSlot(bytes, SlotAt(kKindEditSmall, 2),
            kaocg_test::SolidSlot(64, 64, lumo::kFormatBGRA8, {0, 0, 0, 0}, 16440));
    // Only the last row holds anything.
    std::vector<std::uint8_t> low =
        kaocg_test::SolidSlot(64, 64, lumo::kFormatBGRA8, {0, 0, 0, 0}, 16440);
    low[44 + 64 * 63 * 4 + 3] = 1;
    PutSlot(bytes, SlotAt(kKindEditSmall, 3), low);
    files.Put(ArchivePath(kKindEditSmall), bytes, true);
    ASSERT_TRUE(Save(kFirstSmallEditId + 1, PatternPicture(64)));

    const ArchiveContext context{files, kEditionZV};
    auto present = [&](std::int32_t id) {
        return IsFaceImagePresent(context, id, kFaceStockFolder, kFaceEditFolder);
    };
    EXPECT_FALSE(present(kFirstSmallEditId));      // never written: zeros
    EXPECT_TRUE(present(kFirstSmallEditId + 1));   // registered
    EXPECT_FALSE(present(kFirstSmallEditId + 2));  // transparent black
    EXPECT_TRUE(present(kFirstSmallEditId + 3));
    EXPECT_FALSE(present(1));  // no large archive
    EXPECT_TRUE(ReadOnly(kKindEditSmall));
}

}  // namespace
}  // namespace kaocg_func
