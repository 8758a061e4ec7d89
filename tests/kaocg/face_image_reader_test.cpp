#include "kaocg/face_image_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "kaocg/face_image_transfer.h"
#include "kaocg/face_number_map.h"
#include "kaocg/face_pictures.h"
#include "kaocg/face_texture.h"
#include "kaocg/image_archive_bytes.h"
#include "kaocg/image_archive_layout.h"

namespace kaocg_func {
namespace {

using kaocg_test::ArchiveBytes;
using kaocg_test::ArchivePath;
using kaocg_test::CountingFileSystem;
using kaocg_test::kFaceEditFolder;
using kaocg_test::kFaceStockFolder;
using kaocg_test::PatternPicture;
using kaocg_test::SlotAt;

constexpr std::int32_t kFirstSmallEditId = 2203;
constexpr std::int32_t kFirstSmallStockId = 6502;  // ZV

class FaceImageReading : public testing::Test {
protected:
    // Small edit archive (read-only, as the editor keeps it) with slot 0 drawn and slot 1
    // empty; small stock archive with slot 0 drawn.
    void SetUp() override {
        std::vector<std::uint8_t> slot(EntrySize(kKindEditSmall));
        ASSERT_TRUE(EncodeFaceTexture(PatternPicture(64), kKindEditSmall, slot));
        std::vector<std::uint8_t> edit = ArchiveBytes(kKindEditSmall, kEditionZV, 60000);
        std::copy(slot.begin(), slot.end(), edit.begin() + SlotAt(kKindEditSmall, 0));
        files.Put(ArchivePath(kKindEditSmall), edit, true);
        std::vector<std::uint8_t> stock = ArchiveBytes(kKindStockSmall, kEditionZV, 50000);
        std::copy(slot.begin(), slot.end(), stock.begin() + SlotAt(kKindStockSmall, 0));
        files.Put(ArchivePath(kKindStockSmall), stock);
    }
    int OpenCount(int kind) const { return files.Find(ArchivePath(kind))->openCount; }
    bool ReadOnly(int kind) const { return files.IsReadOnly(ArchivePath(kind)); }

    CountingFileSystem files;
    const ArchiveContext context{files, kEditionZV};
};

TEST_F(FaceImageReading, GivesWhatSeparateLoadsGiveOpeningEachArchiveOncePerRun) {
    const std::vector<std::int32_t> ids{kFirstSmallEditId,
                                        kFirstSmallEditId + 1,
                                        kFirstSmallEditId,
                                        kFirstSmallStockId,
                                        kFirstSmallStockId + 1,
                                        kFirstSmallEditId,
                                        99999};
    std::vector<bool> expectedResults;
    std::vector<std::vector<std::uint8_t>> expectedPixels;
    for (std::int32_t id : ids) {
        picture::CDIB face;
        expectedResults.push_back(TransferFaceImage(context, kFaceEditFolder, id, face,
                                                    kFaceStockFolder, TransferMode::Load, true));
        expectedPixels.emplace_back(face.Pixels().begin(), face.Pixels().end());
    }
    ASSERT_EQ(expectedResults, (std::vector<bool>{true, false, true, true, false, true, false}));

    files.opens = 0;
    files.attributeChanges = 0;
    {
        FaceImageReader reader(context, kFaceEditFolder, kFaceStockFolder);
        for (std::size_t i = 0; i < ids.size(); ++i) {
            picture::CDIB face;
            EXPECT_EQ(reader.Load(ids[i], face), expectedResults[i]) << i;
            EXPECT_TRUE(std::equal(face.Pixels().begin(), face.Pixels().end(),
                                   expectedPixels[i].begin(), expectedPixels[i].end()))
                << i;
            // Open for reading, the edit archive is protected all the same.
            EXPECT_TRUE(ReadOnly(kKindEditSmall)) << i;
            if (ids[i] == kFirstSmallStockId) {
                // Moving on to another archive closed the edit one and protected it again.
                EXPECT_EQ(OpenCount(kKindEditSmall), 0);
                EXPECT_TRUE(ReadOnly(kKindEditSmall));
            }
        }
        EXPECT_EQ(OpenCount(kKindEditSmall), 1);
    }
    EXPECT_EQ(files.opens, 3);  // edit, stock, edit again
    EXPECT_EQ(files.attributeChanges, 4);
    EXPECT_EQ(files.OpenFiles(), 0);
    EXPECT_TRUE(ReadOnly(kKindEditSmall));
    EXPECT_FALSE(ReadOnly(kKindStockSmall));
}

TEST_F(FaceImageReading, AnArchiveThatCannotBeOpenedFailsItsFacesAndIsTriedAgain) {
    FaceImageReader reader(context, kFaceEditFolder, kFaceStockFolder);
    picture::CDIB face;
    {
        // The game holds the archive open.
        auto held = files.Open(ArchivePath(kKindEditSmall), platform::OpenMode::kRead, true);
        EXPECT_FALSE(reader.Load(kFirstSmallEditId, face));
        EXPECT_TRUE(ReadOnly(kKindEditSmall));
    }
    EXPECT_TRUE(reader.Load(kFirstSmallEditId, face));

    files.DeleteFile(ArchivePath(kKindStockSmall));
    files.opens = 0;
    EXPECT_FALSE(reader.Load(kFirstSmallStockId, face));
    EXPECT_FALSE(reader.Load(kFirstSmallStockId, face));
    EXPECT_EQ(files.opens, 2);
    EXPECT_TRUE(ReadOnly(kKindEditSmall));
    EXPECT_FALSE(files.Exists(ArchivePath(kKindStockSmall)));

    // An attribute that cannot be cleared keeps the edit archive shut.
    files.failSetReadOnly = true;
    EXPECT_FALSE(reader.Load(kFirstSmallEditId, face));
    EXPECT_EQ(files.OpenFiles(), 0);
}

}  // namespace
}  // namespace kaocg_func
