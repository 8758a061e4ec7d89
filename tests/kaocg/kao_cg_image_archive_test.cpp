#include "kaocg/kao_cg_image_archive.h"

#include <gtest/gtest.h>

#include "kaocg/face_number_map.h"
#include "kaocg/face_pictures.h"
#include "kaocg/framebuffer.h"
#include "kaocg/image_archive_bytes.h"

namespace kaocg_func {
namespace {

using kaocg_test::ArchiveBytes;
using kaocg_test::FakeEntry;
using kaocg_test::FakeFile;
using kaocg_test::SetU32;

TEST(ImageArchive, AnIdOutsideTheKindsRangeMakesEveryOperationFailUntouched) {
    FakeEntry entry;
    entry.bytes = ArchiveBytes(kKindEditSmall, kEditionZV, kaocg_test::kSmallEditFileSize);
    const std::vector<std::uint8_t> before = entry.bytes;
    FakeFile file(entry, true);
    picture::CDIB face = kaocg_test::PatternPicture(64);
    // 1 is the first large edit id: a real id, but not one of the small archive.
    for (const auto& [id, kind, mode] : {std::tuple{1, int{kKindEditSmall}, TransferMode::Save},
                                         {2203, int{kKindEditSmall}, static_cast<TransferMode>(2)},
                                         {2203, 6, TransferMode::Save}}) {
        CKaoCGImageArchive archive(&file, mode, &face, kEditionZV, id, kind);
        EXPECT_FALSE(archive.SerializeHeader());
        EXPECT_FALSE(archive.SerializeBody());
    }
    EXPECT_TRUE(entry.bytes == before);
}

TEST(ImageArchive, HeaderSaveRefusesTheGamesArchives) {
    FakeEntry entry;
    entry.bytes = ArchiveBytes(kKindStockSmall, kEditionBase, 40000);
    const std::vector<std::uint8_t> before = entry.bytes;
    FakeFile file(entry, true);
    picture::CDIB face = kaocg_test::PatternPicture(64);
    CKaoCGImageArchive archive(&file, TransferMode::Save, &face, kEditionBase, 6218,
                               kKindStockSmall);
    EXPECT_FALSE(archive.SerializeHeader());
    EXPECT_FALSE(archive.SerializeBody());
    EXPECT_TRUE(entry.bytes == before);
}

TEST(ImageArchive, OffsetsAreTheDefaultLayoutUntilAHeaderLoadReadsTheFiles) {
    FakeEntry entry;
    entry.bytes = ArchiveBytes(kKindStockLarge, kEditionZV, 40000);
    SetU32(entry.bytes, 32 + 8 * 1597, 123456);
    FakeFile file(entry, true);
    picture::CDIB face;
    CKaoCGImageArchive archive(&file, TransferMode::Load, &face, kEditionZV, 4901, kKindStockLarge);
    EXPECT_EQ(archive.Slot(), 1597u);
    ASSERT_EQ(archive.Offsets().size(), 1598u);
    EXPECT_EQ(archive.Offsets()[1], 29152u + 262208);
    EXPECT_EQ(archive.Offsets()[1597], 29152u + 1597u * 262208);
    ASSERT_TRUE(archive.SerializeHeader());
    EXPECT_EQ(archive.Offsets()[1597], 123456u);
    EXPECT_FALSE(archive.SerializeBody());  // the file ends before that slot
}

TEST(Framebuffer, StartsEmptyAndAnswersFailure) {
    const std::unique_ptr<framebuffer> buffer = CreateFramebuffer();
    ASSERT_TRUE(buffer);
    EXPECT_TRUE(buffer->Records().empty());
    EXPECT_EQ(buffer->Draw(), static_cast<HResult>(0x80004005u));
}

}  // namespace
}  // namespace kaocg_func
